#pragma once
// The menu page of a started game application on the headless host: page
// switches carried out at once, whole frames in the engine's order, and a
// player who clicks, taps and presses keys through the input records.
#include "engine/InputRecord.h"
#include "frontend/PageMenu.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameSaveData.h"
#include "tests/GameAppSupport.h"

class MenuPageTest : public GameAppTest {
protected:
    void SetUp() override {
        GameAppTest::SetUp();
        Start();
    }

    CPageMenu& Menu() { return MenuPage(); }

    // The page switch to the menu at the sub-screen, carried out now.
    void Enter(int subScreen) {
        m_App->SwitchPage(1, subScreen);
        m_App->Tick();
        ASSERT_FALSE(m_App->m_bSwitchPending);
        ASSERT_EQ(int(m_App->m_iCurrentPage), 1);
    }
    // Frames in the engine's order; past the page switch's quiet frames.
    void Frame(int n = 1) {
        for (int i = 0; i < n; ++i) {
            m_App->Tick();
            if (m_App->m_bSwitchPending) continue;
            m_App->ProcessInput();
            m_App->Frame();
        }
    }
    // Frames until the page takes input again; false when it never does.
    bool Settle(int limit = 120) {
        for (int i = 0; i < limit; ++i) {
            if (int(m_App->m_nFrame) > 10 && Menu().IsInputFree()) return true;
            Frame();
        }
        return false;
    }
    void CursorAt(float x, float y) {
        m_App->m_aInput[0].m_iCursorX = int(x + float(g_iScreenWidth) * 0.5f);
        m_App->m_aInput[0].m_iCursorY = int(float(g_iScreenHeight) * 0.5f - y);
    }
    // Down, held, up at the point: a tap, one frame each.
    void TapAt(float x, float y) {
        CursorAt(x, y);
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
        Frame();
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_HELD;
        Frame();
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
        Frame();
    }
    // A key pressed in one frame and released in the next.
    void Key(int vk) {
        m_App->m_aInput[0].m_aiKey[vk] = KEY_PRESSED | KEY_HELD;
        Frame();
        m_App->m_aInput[0].m_aiKey[vk] = KEY_RELEASED;
        Frame();
    }
    int SwitchCode() const {
        const CEffect_SwitchPage* s = m_App->m_pEffectSwitchPage;
        return s && s->m_aInstances[0].life > 0 ? s->m_aInstances[0].kind : -100;
    }
    int BoxKind() const {
        const CEffect_MsgBox* b = m_App->m_pEffectMsgBox;
        return b && b->IsOpen() ? b->m_aInstances[0].kind : -1;
    }
    // A profile of that name, stored and live, at that furthest stage.
    void Player(const char* name, int furthest) {
        ASSERT_EQ(m_App->m_pSaveData->CreateProfile(name), 0);
        g_CurrentProfile.m_iFurthestStage = furthest;
        g_CurrentProfile.m_abFeatureUnlocked[4] = 1;
    }
};
