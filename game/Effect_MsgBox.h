#pragma once
// The message box every page opens by kind number. Record 0 is the open box;
// its kind is the box's kind (9 is the Pause box).
#include "engine/VxEffect.h"

constexpr int MSGBOX_KIND_PAUSE = 9;

class CEffect_MsgBox : public CVxEffect {
public:
    CEffect_MsgBox() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int) override {}

    bool IsOpen() const { return m_aInstances[0].life > 0; }

    bool m_bPauseDeferred = false;  // open the Pause box as soon as play starts
    bool m_bSwitching = false;      // sliding in or out
    int m_iShownKind = -1;          // -1 while sliding out to close
    bool m_bPictureCached = false;  // the panel in its render target is up to date
    int m_iFollowUp = -1;           // the kind to open when this one closes
};
