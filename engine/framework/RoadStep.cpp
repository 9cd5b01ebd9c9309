#include "engine/framework/RoadStep.h"

#include "engine/VxXApplication.h"
#include "engine/framework/MyD3DApplication.h"
#include "platform/Random.h"

bool RoadStartFrame(CVxXApplication& app) {
    const bool switchWasPending = app.m_bSwitchPending;
    app.Tick();
    return switchWasPending || app.m_bSwitchPending;
}

bool RoadPrepareScene(CVxXApplication& app) {
    const bool dimmed = app.m_bInitialised && g_GameRoadLinks.updateScreenDim && g_GameRoadLinks.updateScreenDim();
    app.ProcessInput();
    return dimmed;
}

void RoadRunScene(CVxXApplication& app) {
    if (!app.m_bShowStill) app.Frame();
    else app.UpdateOverlays();
}

void RoadFinishStill(CVxXApplication& app) {
    if (app.m_bCaptureStill && !app.m_bShowStill) {
        app.m_bCaptureStill = false;
        app.m_bShowStill = true;
    }
}

void RoadShakeStep(float& dx, float& dy) {
    dx = dy = 0.0f;
    float* shake = g_GameRoadLinks.pfScreenShake;
    if (!shake || *shake == 0.0f) return;
    const float a = *shake;
    // Two draws, x first: the order is part of the picture.
    dx = (VxRand() % 2 == 1) ? a : -a;
    dy = (VxRand() % 2 == 1) ? a : -a;
    *shake = a - 1.0f;
    if (*shake < 0.0f) *shake = 0.0f;
}

void RunRoadFrameHeadless(CVxXApplication& app) {
    if (RoadStartFrame(app)) {
        app.DrawLoadingScreen();
        return;
    }
    RoadPrepareScene(app);
    RoadRunScene(app);
    RoadFinishStill(app);
    float dx, dy;
    RoadShakeStep(dx, dy);
}
