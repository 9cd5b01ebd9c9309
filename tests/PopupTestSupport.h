#pragma once
// A started game application with its shared resources, for the tests of the
// message box and the discovery boards: frame stepping of one effect, key
// releases, presses and clicks on a button where it stands, and stand-in
// battle effects and menu operations that record what they were asked.
#include <vector>

#include "battle/effects/Effect_Summary.h"
#include "battle/page/PageGame.h"
#include "engine/VxButton.h"
#include "engine/VxEffect.h"
#include "engine/VxSound.h"
#include "frontend/PageMenu.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_SwitchPage.h"
#include "game/PopupDrawing.h"
#include "tests/GameAppSupport.h"

// A pop-up of the battle that only keeps its records.
class RecordingEffect : public CVxEffect {
public:
    RecordingEffect() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int) override {}
};

// The menu's operations as the message box calls them.
class RecordingMenu : public CPageMenu {
public:
    void DeleteCurrentProfile() override { ++deletes; }
    void BuyLabItem() override {
        ++labBuys;
        if (labPurchase) labPurchase();
    }
    void BuyUpgrade() override { ++upgradeBuys; }
    void StepEpisode(bool forward) override { episodeSteps += forward ? 1 : -1; }
    void ScrollStageMap(int direction) override { mapSteps += direction == 1 ? 1 : -1; }
    int GetOpenAreaCount() const override { return openAreas; }

    int deletes = 0, labBuys = 0, upgradeBuys = 0, episodeSteps = 0, mapSteps = 0, openAreas = 1;
    void (*labPurchase)() = nullptr;
};

class PopupTest : public GameAppTest {
protected:
    void SetUp() override {
        GameAppTest::SetUp();
        Start();
        m_App->LoadSharedResources();
        box = m_App->m_pEffectMsgBox;
        ASSERT_NE(box, nullptr);
        m_App->m_iCurrentPage = MENU_PAGE_INDEX;
        m_OriginalMenu = &MenuPage();
        m_App->m_pPageMenu = &menu;
        m_App->m_apPages[MENU_PAGE_INDEX] = &menu;
        battle = &BattlePage();
        battle->m_pEffectSummary = &summary;
        battle->m_pEffectHowToPlay = &howToPlay;
        battle->m_pEffectHowToMiniGame = &howToMiniGame;
        battle->m_iBattleState = 4;  // card selection
    }
    void TearDown() override {
        RestorePages();
        GameAppTest::TearDown();
    }
    // Gives the application its own menu page back (it deletes it at shutdown).
    void RestorePages() {
        if (m_App) {
            m_App->m_pPageMenu = m_OriginalMenu;
            m_App->m_apPages[MENU_PAGE_INDEX] = m_OriginalMenu;
            BattlePage().m_pEffectSummary = nullptr;
            BattlePage().m_pEffectHowToPlay = nullptr;
            BattlePage().m_pEffectHowToMiniGame = nullptr;
        }
    }

    void Tick(CVxEffect* effect, int n = 1) {
        for (int i = 0; i < n; ++i) effect->Tick();
    }
    void TickBox(int n = 1) { Tick(box, n); }
    // Opens kind and runs the slide until the box stands at rest.
    void OpenAtRest(int kind) {
        ASSERT_EQ(box->Add(kind), 0);
        TickBox(29);
        ASSERT_EQ(box->SlideY(), 0.0f);
    }
    // Runs a slide-out to its end.
    void FinishSlide() { TickBox(30); }

    void ReleaseKey(int key) { m_App->m_aInput[0].m_aiKey[key] = KEY_RELEASED; }
    void CursorAt(float x, float y) {
        m_App->m_aInput[0].m_iCursorX = int(x + float(int(m_App->m_iScreenWidth * 0.5)));
        m_App->m_aInput[0].m_iCursorY = int(float(int(m_App->m_iScreenHeight * 0.5)) - y);
    }
    void CursorOn(const CVxButton* button) { CursorAt(button->m_vPosition.x, button->m_vPosition.y); }
    // The mouse goes down over the button this frame.
    void PressOn(const CVxButton* button) {
        CursorOn(button);
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
    }
    void HoldMouse() { m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_HELD; }
    void ReleaseMouse() { m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_RELEASED; }
    // A whole click on the button: down, held, up, each handed over by call.
    template <class F>
    void ClickOn(CVxButton* button, F handle) {
        PressOn(button);
        handle();
        HoldMouse();
        handle();
        ReleaseMouse();
        handle();
    }
    bool Playing(CVxSound* sound) { return sound && sound->IsPlaying(); }
    void Silence(CVxSound* sound) {
        if (sound) sound->Stop();
    }

    CEffect_MsgBox* box = nullptr;
    CPageGame* battle = nullptr;
    RecordingMenu menu;
    CEffect_Summary summary;
    RecordingEffect howToPlay;
    RecordingEffect howToMiniGame;

private:
    CPageMenu* m_OriginalMenu = nullptr;
};
