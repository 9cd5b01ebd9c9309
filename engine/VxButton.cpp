#include "engine/VxButton.h"

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

// The hover/press/click state machine comes with the button widget proper.
void CVxButton::ProcessInput() {}
