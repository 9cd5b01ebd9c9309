// The game application's pop-ups on the GL device in a real window, with the
// generated DATA and the render-target slots: one message box of each button
// layout and the three discovery boards at rest, each against its kept
// reference picture. CSQ_UPDATE_GOLDEN=1 writes the references anew.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "battle/page/PageGame.h"
#include "engine/PictureDecoder.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxResourceManager.h"
#include "engine/VxTexture.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "battle/effects/Effect_NewEnemy.h"
#include "battle/effects/Effect_NewRobot.h"
#include "battle/model/BattleRules.h"
#include "game/GameApplication.h"
#include "main/GamePages.h"
#include "content/SaveProfile.h"
#include "platform/D3DApplication.h"
#include "engine/framework/RenderTargets.h"
#include "platform/SoundManager.h"
#include "platform/host/Display.h"
#include "platform/host/Headless.h"
#include "tests/gl/GameWindowFixture.h"

namespace {

class PopupScreenshot : public golden::GameWindowFixture {
protected:
    void SetUp() override {
        golden::GameWindowFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        RuleState(GameBattlePage(m_App.get())->m_Battle).m_iBattleState = 10;
        m_App->m_iCurrentStage = 12;
        g_CurrentProfile.m_iFurthestStage = 12;
        g_CurrentProfile.m_iDifficulty = 1;
    }
    void TearDown() override {
        if (m_App) {
            CPageGame* page = GameBattlePage(m_App.get());
            page->m_pBtnOK = nullptr;
            page->m_lstNewEnemies.clear();
            page->m_itNewEnemy = page->m_lstNewEnemies.end();
            page->m_mapNewRobots.clear();
            page->m_itNewRobot = page->m_mapNewRobots.end();
        }
        m_Ok.reset();
        golden::GameWindowFixture::TearDown();
    }
    CVxButton* BattleOk() {
        m_Ok = std::make_unique<CVxButton>(0);
        const CustomType& states = m_App->m_aButtonSets[BTN_OK];
        CVxButton::SetStateTextures(m_Ok.get(), states.m_apState[BUTTON_PRESS], states.m_apState[BUTTON_OVER],
                                    states.m_apState[BUTTON_DISABLE], states.m_apState[BUTTON_NORMAL]);
        GameBattlePage(m_App.get())->m_pBtnOK = m_Ok.get();
        return m_Ok.get();
    }

    void Compare(const std::string& name) { CompareShot("popup_" + name); }
    void Box(int kind, const std::string& name) {
        CEffect_MsgBox* box = m_App->m_pEffectMsgBox;
        ASSERT_EQ(box->Add(kind), 0);
        Frames(*box, 30);
        Compare(name);
    }

    std::unique_ptr<CVxButton> m_Ok;
};

TEST_F(PopupScreenshot, OkBox) { Box(MSGBOX_DUPLICATE_NAME, "ok"); }
TEST_F(PopupScreenshot, OkCancelBox) { Box(MSGBOX_DELETE_PROFILE, "ok_cancel"); }
TEST_F(PopupScreenshot, OptionsBoxWithSliders) { Box(MSGBOX_OPTIONS, "options"); }
TEST_F(PopupScreenshot, PauseGrid) { Box(MSGBOX_PAUSE, "pause"); }

// The exit box is shown from its render target at full screen size, its
// buttons on top.
TEST_F(PopupScreenshot, ExitBoxOnBattle) {
    CEffect_Exit* exitBox = m_App->m_pEffectExit;
    ASSERT_EQ(exitBox->Add(0), 0);
    Frames(*exitBox, 3);
    Compare("exit");
}

TEST_F(PopupScreenshot, NewAchievementBoard) {
    m_App->m_pEffectNewAchievement->Announce(6);
    Frames(*m_App->m_pEffectNewAchievement, 28);
    Compare("achievement");
}

TEST_F(PopupScreenshot, NewMachineBoard) {
    BattleOk();
    CPageGame* page = GameBattlePage(m_App.get());
    CVxBillboard* picture =
        m_App->m_pResourceManager->CreateBillboard("Bbd_RobotPic1004.png", "Resource\\InfoPicture\\", nullptr);
    CVxBillboard* gyrotor =
        m_App->m_pResourceManager->CreateBillboard("Bbd_Copter1.png", "Resource\\InfoPicture\\", nullptr);
    page->m_lstNewEnemies.push_back({picture, gyrotor, 1004, 1});
    page->m_itNewEnemy = page->m_lstNewEnemies.begin();
    CEffect_NewEnemy board;
    board.SeeBattle(page);
    board.Start(0, 0);
    Frames(board, 28);
    Compare("new_machine");
}

TEST_F(PopupScreenshot, NewRobotBoard) {
    BattleOk();
    CPageGame* page = GameBattlePage(m_App.get());
    page->m_mapNewRobots[5] =
        m_App->m_pResourceManager->CreateBillboard("Bbd_RobotPic0005.png", "Resource\\InfoPicture\\", nullptr);
    page->m_itNewRobot = page->m_mapNewRobots.begin();
    CEffect_NewRobot board;
    board.SeeBattle(page);
    board.Start(0, 0);
    Frames(board, 28);
    Compare("new_robot");
}

}  // namespace
