#include "engine/VxButton.h"

#include "engine/VxApplication.h"
#include "engine/VxBillboard.h"
#include "engine/VxPage.h"
#include "engine/VxSound.h"
#include "platform/host/MessageBox.h"

namespace {

void Replay(CVxSound* sound) {
    if (!sound) return;
    sound->Stop();
    sound->Play();
}

}  // namespace

CVxButton::CVxButton(int subScreenTag) : m_iSubScreenTag(subScreenTag) {
    Reset();
    m_iKind = OBJECT_KIND_BUTTON;
    m_iStatus = BUTTON_NORMAL;
    m_iHitHalfWidth = 50;
    m_iHitHalfHeight = 50;
    m_fHitOffsetX = 0.0f;
    m_fHitOffsetY = 0.0f;
    // Off the screen until placed.
    SetPosition(10000.0f, 10000.0f, 0.0f);
    m_iOwnerId = OWNER_NONE;
}

void CVxButton::Render() {
    // A faceless button draws nothing here: the screen that shows its area marks it.
    if (HasFace()) MarkDrawn();
    RenderResource(&m_stateBack);
    RenderResource(&m_stateFront);
}

void CVxButton::RenderResource(CustomType* type) {
    if (m_iStatus < BUTTON_PRESS || m_iStatus > BUTTON_NORMAL) {
        host::ShowMessageBox("m_iStatus Incorrect", "void CVxButton::RenderResource(CustomType *pType) Error!!",
                             host::MB_OK);
        return;
    }
    CVxBillboard* picture = type->m_apState[m_iStatus];
    if (!picture) return;
    picture->SetScale(m_vScale.x, m_vScale.y, m_vScale.z);
    picture->SetAlphaBlend(true);
    picture->SetPositionV(m_vPosition);
    picture->SetRotationV(m_vRotation);
    picture->SetSizeV(m_vSize);
    picture->ComposeSRT();
    picture->Render();
}

void CVxButton::SetDiffuse(float r, float g, float b, float a) {
    SetLayerColor(&m_stateBack, r, g, b, a);
    SetLayerColor(&m_stateFront, r, g, b, a);
}

void CVxButton::SetLayerColor(CustomType* type, float r, float g, float b, float a) {
    for (CVxBillboard* picture : type->m_apState)
        if (picture) picture->SetDiffuse(r, g, b, a);
}

bool CVxButton::HasFace() const {
    if (m_iStatus < BUTTON_PRESS || m_iStatus > BUTTON_NORMAL) return false;
    return m_stateBack.m_apState[m_iStatus] || m_stateFront.m_apState[m_iStatus];
}

void CVxButton::MarkDrawn() {
    if (g_pApp) m_iDrawnFrame = g_pApp->m_nFrameSerial;
}

bool CVxButton::TakesMouse() const {
    if (!g_pApp || m_iDrawnFrame < 0 || m_iDrawnFrame + 1 < g_pApp->m_nFrameSerial) return false;
    const CVxEffect* board = g_pApp->OpenBoard();
    return !board || board == m_pBoard;
}

void CVxButton::LetGo() {
    if (m_iStatus != BUTTON_DISABLE) m_iStatus = BUTTON_NORMAL;
    m_bClickTaken = true;
    m_iClickCooldown = 0;
    m_iOwnerDevice = -1;
    m_iPressFrames = 0;
}

bool CVxButton::OnCurrentSubScreen() const {
    if (m_iSubScreenTag == -1) return true;
    const CVxPage* page = g_pApp->PageAt(g_pApp->m_iCurrentPage);
    return !page || page->m_iSubScreen == m_iSubScreenTag;
}

// In the screen's pixel space: origin top left, y down.
void CVxButton::ComputeHitRect() {
    const float centreX = (m_vPosition.x + m_fHitOffsetX) + float(int(g_pApp->m_iScreenWidth * 0.5));
    const float centreY = float(int(g_pApp->m_iScreenHeight * 0.5)) - (m_vPosition.y + m_fHitOffsetY);
    m_rcHit.left = centreX - float(m_iHitHalfWidth);
    m_rcHit.right = centreX + float(m_iHitHalfWidth);
    m_rcHit.top = centreY - float(m_iHitHalfHeight);
    m_rcHit.bottom = centreY + float(m_iHitHalfHeight);
}

bool CVxButton::Inside(int x, int y) const {
    return int(m_rcHit.left) <= x && x <= int(m_rcHit.right) && int(m_rcHit.top) <= y && y <= int(m_rcHit.bottom);
}

bool CVxButton::HitTest() {
    if (!g_pApp || g_pApp->m_nDevices < 1) return false;
    if (!OnCurrentSubScreen() || !TakesMouse()) return false;
    ComputeHitRect();
    return Inside(g_pApp->m_aInput[0].m_iCursorX, g_pApp->m_aInput[0].m_iCursorY);
}

bool CVxButton::TakeClick() {
    if (m_iClickCooldown < 1 || m_bClickTaken) return false;
    if (!TakesMouse()) {
        LetGo();
        return false;
    }
    m_bClickTaken = true;
    m_iStatus = BUTTON_OVER;
    return true;
}

bool CVxButton::TakePress() {
    if (m_iStatus == BUTTON_DISABLE || !HitTest()) return false;
    uint32_t& left = g_pApp->m_aInput[0].m_aiKey[MOUSE_LEFT];
    if (!(left & KEY_PRESSED)) return false;
    left &= ~KEY_PRESSED;
    return true;
}

void CVxButton::ProcessInput() {
    if (!g_pApp || !g_pApp->m_bInputEnabled || !OnCurrentSubScreen()) return;
    if (!TakesMouse()) {
        LetGo();
        return;
    }
    int devices = g_pApp->m_nDevices;
    if (devices > MAX_INPUT_DEVICES) devices = MAX_INPUT_DEVICES;

    for (int k = 0; k < devices; ++k) {
        int& hover = g_pApp->m_aPointer[k].m_iState;
        if (hover == POINTER_CLICK_TAKEN) continue;
        hover = POINTER_FREE;
        if (m_iClickCooldown > 0) {
            --m_iClickCooldown;
            hover = 0;
            return;
        }
    }

    ComputeHitRect();

    for (int k = 0; k < devices; ++k) {
        int& hover = g_pApp->m_aPointer[k].m_iState;
        if (hover == POINTER_CLICK_TAKEN) continue;
        InputRecord& in = g_pApp->m_aInput[k];
        uint32_t& mouse = in.m_aiKey[MOUSE_LEFT];
        const bool inside = Inside(in.m_iCursorX, in.m_iCursorY);

        if (m_iStatus == BUTTON_DISABLE) {
            if ((mouse & KEY_PRESSED) && inside) Replay(m_pDisabledSound);
            continue;
        }
        m_iPressFrames = m_iStatus == BUTTON_PRESS ? m_iPressFrames + 1 : 0;
        if (inside) {
            if (m_iStatus == BUTTON_NORMAL) {
                Replay(m_pOverSound);
                m_iStatus = BUTTON_OVER;
                hover = POINTER_OVER_BUTTON;
                m_iOwnerDevice = k;
            }
            if ((mouse & KEY_HELD) && m_iStatus == BUTTON_OVER) {
                m_iStatus = BUTTON_PRESS;
                Replay(m_pPressSound);
                m_iOwnerDevice = k;
            }
            // A release, with or without a press in the same frame.
            if ((mouse & ~uint32_t(KEY_PRESSED)) == KEY_RELEASED) {
                m_iStatus = BUTTON_OVER;
                m_iClickCooldown = BUTTON_CLICK_COOLDOWN;
                m_bClickTaken = false;
                m_iOwnerDevice = k;
                mouse = 0;  // no other button sees this release
            }
        } else if (m_iOwnerDevice == k || m_iOwnerDevice == -1) {
            m_iStatus = BUTTON_NORMAL;
            m_iOwnerDevice = -1;
        }
    }
}
