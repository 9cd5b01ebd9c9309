#include "frontend/PageTest.h"

#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

const char* const kTestPageFontSample =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\n"
    "abcdefghijklmnopqrstuvwxyz\n"
    "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ\n"
    "AaBbCcDdEeFfGgHhIiJjKkLlMm\n"
    "NnOoPpQqRrSsTtUuVvWwXxYyZz";

CPageTest::~CPageTest() { Unload(); }

int CPageTest::Load() {
    delete m_pTutorial;
    m_pTutorial = m_pfnMakeTutorial ? m_pfnMakeTutorial() : nullptr;
    if (m_pTutorial) m_pTutorial->ShowStepFive();
    // The manager outlives a reload, and with it the picture: made once.
    if (!m_pGuidePicture && m_pResourceManager) {
        m_pGuidePicture = m_pResourceManager->CreateBillboard("_Guide_tutorial.jpg", "Resource\\_Guide\\", nullptr);
        if (m_pGuidePicture) {
            m_pGuidePicture->m_iOwnerId = m_pResourceManager->m_iOwnerId;
            m_pGuidePicture->SetAlphaBlend(true);
            m_pGuidePicture->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
        }
    }
    return 0;
}

int CPageTest::Unload() {
    delete m_pTutorial;
    m_pTutorial = nullptr;
    return 0;
}

int CPageTest::Update() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return 0;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    FontStyle sample;
    sample.size = 0.8f;
    sample.align = 1;
    sample.spaceFactor = 1.0f;
    sample.lineSpacing = 0.85f;
    sample.wrapWidth = 525;
    sample.charSpacing = 10.0f;
    sample.rowOffset = 7;
    DrawStyledText(app->m_pFontStandard, sample, -435.0f, 300.0f, kTestPageFontSample);
    return 0;
}

int CPageTest::Render() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return 0;
    app->SetCamera2D(int(TEST_PAGE_CAMERA_WIDTH), int(TEST_PAGE_CAMERA_HEIGHT));
    if (m_pGuidePicture) {
        m_pGuidePicture->SetSize(TEST_PAGE_CAMERA_WIDTH, TEST_PAGE_CAMERA_HEIGHT, 1.0f);
        m_pGuidePicture->RenderSRT();
    }
    if (m_pTutorial) m_pTutorial->Tick();
    app->DrawCursorCoordinates();
    return 0;
}

int CPageTest::HandleInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return 0;
    InputRecord& in = app->m_aInput[0];
    if (in.m_aiKey[MOUSE_RIGHT] & KEY_RELEASED) {
        in.m_aiKey[MOUSE_RIGHT] = 0;
        in.m_aiRepeat[MOUSE_RIGHT] = 0;
        if (!app->m_bSwitchPending) app->SwitchPage(TEST_PAGE_INDEX, 0);
    }
    if (in.m_aiKey[MOUSE_LEFT] & KEY_RELEASED) {
        in.m_aiKey[MOUSE_LEFT] = 0;
        in.m_aiRepeat[MOUSE_LEFT] = 0;
        if (m_pTutorial) m_pTutorial->Dismiss();
    }
    return CVxPage::HandleInput();
}
