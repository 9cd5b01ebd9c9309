#include "engine/DrawFrame.h"

#include "engine/VxApplication.h"
#include "engine/VxBillboard.h"
#include "platform/D3DApplication.h"

bool g_bTargetDrawn = false;

bool IsDrawFrame() {
    if (!g_pApp) return true;
    switch (g_pApp->m_iDrawMode) {
    case 1: return g_pApp->m_nFrame % 2 == 0;
    case 2: return g_nFrameGateCount != 0 || g_bTargetDrawn || g_bStageRedraw;
    default: return true;
    }
}
