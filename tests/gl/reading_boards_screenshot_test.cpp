// The battle's boards on the GL device in a real window with the generated
// DATA and the render-target slots: the end-of-stage summary of a won stage
// and the map story of an area, each at rest against its kept reference
// picture. CSQ_UPDATE_GOLDEN=1 writes the references anew.
#include <gtest/gtest.h>

#include <string>

#include "battle/effects/Effect_MapStory.h"
#include "battle/effects/Effect_Summary.h"
#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "main/GamePages.h"
#include "game/GameApplication.h"
#include "tests/gl/GameWindowFixture.h"

namespace {

using BoardScreenshot = golden::GameWindowFixture;

// Stage 12 won with two stars, 3 robots lost and 27 Machines destroyed, the
// counts and the stars settled.
TEST_F(BoardScreenshot, WonSummary) {
    m_App->m_iCurrentStage = 12;
    g_CurrentProfile.m_iFurthestStage = 12;
    CPageGame* page = GameBattlePage(m_App.get());
    RuleState(page->m_Battle).m_iBattleState = BATTLE_SUMMARY;
    RuleState(page->m_Battle).m_nRobotsLost = 3;
    RuleState(page->m_Battle).m_nMachinesKilled = 27;
    CEffect_Summary summary;
    summary.SeeBattle(page);
    summary.m_iStars = 2;
    summary.Start(0, 1);
    Frames(summary, 200);
    CompareShot("board_summary_won");
}

// The first stage of area 3 of the second episode: its world's title, its
// picture and its chapter.
TEST_F(BoardScreenshot, MapStoryAtRest) {
    m_App->m_iCurrentStage = 71;
    CEffect_MapStory story;
    ASSERT_EQ(story.Add(0), 0);
    Frames(story, 32);
    CompareShot("board_map_story");
}

}  // namespace
