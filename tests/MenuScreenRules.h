#pragma once
// The menu page in a started game with the helpers its screens' rule tables share.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/VxButton.h"
#include "game/Effect_MsgBox.h"
#include "tests/Harness.h"

constexpr int kVkBack = 8;
constexpr int kVkEscape = 27;
constexpr int kNoChange = -1;

class MenuScreenRules : public MenuPageTest {
protected:
    // The screen the page is changing to, or kNoChange.
    int Requested() { return Menu().m_iChangeState == 1 ? Menu().m_iNextScreen : kNoChange; }
    // Waits for the box to rest, then answers it with Return.
    void AnswerBox() {
        for (int i = 0; i < 60 && m_App->m_pEffectMsgBox->SlideY() != 0.0f; ++i) Frame();
        Key(VK_ENTER);
    }
    void TapButton(const CVxButton* b) { TapAt(b->m_vPosition.x, b->m_vPosition.y); }
    // The page comes to rest on `screen` after a change; false when it does not.
    bool Reach(int screen) { return Settle() && Menu().m_iSubScreen == screen; }
};
