// Rules of how the battle looks that a player would notice: the water strip
// covers the screen, the stage 2 lesson points at cells that take the robot
// it asks for, the life-loss notice leaves with the play, and the in-battle
// help points only at a Remover button that is drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "battle/effects/Effect_HeartDecreased.h"
#include "battle/effects/Effect_HowToPlay.h"
#include "battle/effects/Effect_Paratrooper.h"
#include "battle/effects/Effect_Tutorials.h"
#include "battle/model/BattleRules.h"
#include "battle/units/GameStage.h"
#include "engine/VxBillboard.h"
#include "engine/VxTexture.h"
#include "tests/HandInputSupport.h"
#include "tests/RecordingDevice.h"
#include "tests/StageRunSupport.h"

namespace {

// ---- the water strip ---------------------------------------------------------

struct StripCase {
    const char* name;
    float screen, strip;
    bool backwards;
};

const StripCase kStrips[] = {
    {"WaterStripCoversTheScreenAtEveryOffset", 880.0f, 256.0f, false},
    {"WaterStripRunningBackCoversTheScreenAtEveryOffset", 880.0f, 256.0f, true},
    {"NarrowStripCoversTheScreen", 880.0f, 100.0f, false},
    {"StripWiderThanTheScreenCoversIt", 880.0f, 1000.0f, true},
    {"StripAsWideAsTheScreenCoversIt", 880.0f, 880.0f, false},
};

class WaterStripRule : public ::testing::TestWithParam<StripCase> {};

TEST_P(WaterStripRule, NoBareEdgeAtAnyFrame) {
    const StripCase& c = GetParam();
    const int n = CCom_GameStage::WaterStripCopies(c.screen, c.strip);
    for (int frame = 0; frame < 2 * int(c.strip) + 3; ++frame) {
        float left = 1e9f, right = -1e9f;
        for (int k = 0; k < n; ++k) {
            const float x = CCom_GameStage::WaterStripX(k, n, c.strip, frame, c.backwards);
            left = std::min(left, x - c.strip / 2.0f);
            right = std::max(right, x + c.strip / 2.0f);
        }
        ASSERT_LE(left, -c.screen / 2.0f) << "bare at the left edge at frame " << frame;
        ASSERT_GE(right, c.screen / 2.0f) << "bare at the right edge at frame " << frame;
    }
}

INSTANTIATE_TEST_SUITE_P(Battle, WaterStripRule, ::testing::ValuesIn(kStrips),
                         [](const ::testing::TestParamInfo<StripCase>& i) { return std::string(i.param.name); });

// ---- stage 2's lesson ----------------------------------------------------------

struct ArrowCase {
    const char* name;
    int arrow;   // 0 to 4, right to left
    int column;  // the column it stands over
};

const ArrowCase kArrows[] = {
    {"LessonArrowOverColumn9TakesAGroundRobot", 0, 9}, {"LessonArrowOverColumn8TakesAGroundRobot", 1, 8},
    {"LessonArrowOverColumn7TakesAGroundRobot", 2, 7}, {"LessonArrowOverColumn6TakesAGroundRobot", 3, 6},
    {"LessonArrowOverColumn5TakesAGroundRobot", 4, 5},
};

class LessonArrowRule : public HandInputTest, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(LessonArrowRule, TheCellPointedAtTakesTheRobotItAsksFor) {
    const ArrowCase& c = GetParam();
    Begin(2, 1, 5, {0});  // the Fusor Bot, a ground robot
    g_CurrentProfile.m_iFurthestStage = 2;
    g_CurrentProfile.m_iEnergyBooster = 0;
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
    CEffect_Tutorials* lesson = Page().m_pEffectTutorials;
    ASSERT_NE(lesson, nullptr);
    for (int f = 0; f < 3000 && lesson->m_iStep != 16; ++f) run->Step();
    ASSERT_EQ(lesson->m_iStep, 16) << "the lesson comes once the first card has charged";
    VxVec3 points[5];
    bool flipped = true;
    ASSERT_EQ(lesson->ArrowPoints(&Page().m_Battle, 0.0f, points, flipped), 5);
    ASSERT_FALSE(flipped) << "the arrows point down";
    const VxVec3 arrow = points[c.arrow];
    EXPECT_NEAR(arrow.x, Cell(c.column, 0).x, 2.0f);

    // Its tip, half the 64-pixel arrow below its centre, lies in a cell.
    const float tipY = arrow.y - 32.0f;
    int row = -1;
    for (int r = 0; r < FIELD_ROWS; ++r)
        if (std::abs(Cell(c.column, r).y - tipY) <= 80.75f / 2.0f) row = r;
    ASSERT_GE(row, 0);
    EXPECT_EQ(Page().m_Battle.State().m_aFieldCells[c.column * FIELD_ROWS + row].m_iKind, CELL_GROUND)
        << "what the arrow points into is drawn as ground";

    // Dismissed with a click; then the robot goes where the arrow points.
    for (int f = 0; f < 200 && !lesson->IsStepDismissed(); ++f) Click(0.0f, 0.0f);
    Frames(40);
    CPageGame& p = Page();
    RuleState(p.m_Battle).m_iEnergy = 500;
    RuleState(p.m_Battle).m_aHand[0].m_iCharge = RuleState(p.m_Battle).m_aHandDefs[0].m_iRechargeTime;
    Click(HandSlot(0).x, HandSlot(0).y);
    Move(arrow.x, tipY, 12);
    Click(arrow.x, tipY);
    EXPECT_EQ(Message(), "");
    EXPECT_EQ(Robots(), 1);
}

INSTANTIATE_TEST_SUITE_P(Lesson, LessonArrowRule, ::testing::ValuesIn(kArrows),
                         [](const ::testing::TestParamInfo<ArrowCase>& i) { return std::string(i.param.name); });

// ---- the life-loss notice ------------------------------------------------------

class LifeLossRule : public StageRunTest {};

TEST_F(LifeLossRule, LifeLossNoticeLeavesWhenTheResultComes) {
    // Undefended: the Machines walk through and the last life goes.
    Begin(47, 1, 3, {0});
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
    CPageGame& page = run->Battle();
    // Lives enough for a loss or two in play before the last.
    RuleState(page.m_Battle).m_iLife = 6;
    CVxEffect* notice = page.m_pEffectHeartDecreased;
    ASSERT_NE(notice, nullptr);
    bool shownInPlay = false;
    for (int f = 0; f < 60000 && run->State() == BATTLE_PLAYING; ++f) {
        run->Step();
        shownInPlay = shownInPlay || notice->m_aInstances[0].life > 0;
    }
    ASSERT_EQ(run->State(), BATTLE_RESULT);
    EXPECT_TRUE(shownInPlay) << "a life was lost in play";
    run->Step();
    EXPECT_LE(notice->m_aInstances[0].life, 0) << "the notice stands beside the result";
}

// ---- the in-battle help --------------------------------------------------------

struct HelpCase {
    const char* name;
    bool removerUnlocked;
};

const HelpCase kHelp[] = {
    {"HelpWithTheRemoverLockedPointsAtNothing", false},
    {"HelpWithTheRemoverUnlockedPointsAtItsButton", true},
};

class HelpPointerRule : public InBuildFolder, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpPointerRule, ThePointerIsDrawnOnlyWithTheButton) {
    const HelpCase& c = GetParam();
    RecordingDevice device;
    StageRunOptions o;
    o.stage = 7;
    o.seed = 9;
    o.hand = {0, 1};
    RecordedRun run(o, &device);
    ASSERT_TRUE(run.Start()) << run.Error();
    g_CurrentProfile.m_abRobotUnlocked[ROBOT_REMOVER] = c.removerUnlocked ? 1 : 0;
    ASSERT_TRUE(run.RunUntilState(BATTLE_PLAYING, 5000));
    CPageGame& page = run.Battle();
    auto* help = dynamic_cast<CEffect_HowToPlay*>(page.m_pEffectHowToPlay);
    ASSERT_NE(help, nullptr);
    ASSERT_NE(help->m_pArrow, nullptr);
    // Over the still of the paused battle, with the kind the pause box's
    // Help hands over for this player.
    run.App().m_bCaptureStill = true;
    run.App().m_bShowStill = false;
    help->Add(c.removerUnlocked ? 1 : 0);
    device.drawn.clear();
    for (int i = 0; i < 3; ++i) run.Step();
    ASSERT_GT(help->m_aInstances[0].life, 0);
    ASSERT_GT(help->m_aInstances[0].age, 0) << "the help is shown";
    const host::TextureHandle arrow = help->m_pArrow->m_pTexture ? help->m_pArrow->m_pTexture->m_pTexture : 0;
    const bool pointerDrawn = arrow != 0 && device.drawn.count(arrow) != 0;
    const bool buttonDrawn = page.m_pRemoverButton && page.m_pRemoverButton->m_vPosition.x < 9000.0f;
    EXPECT_EQ(buttonDrawn, c.removerUnlocked);
    EXPECT_EQ(pointerDrawn, buttonDrawn) << "the help's arrow and the button it points at";
}

INSTANTIATE_TEST_SUITE_P(Battle, HelpPointerRule, ::testing::ValuesIn(kHelp),
                         [](const ::testing::TestParamInfo<HelpCase>& i) { return std::string(i.param.name); });

// ---- the paratroopers ----------------------------------------------------------

// Stage 177's robots float down from above the screen, through the HUD: the
// overlays, the parachutes among them, are drawn after the HUD, so they pass
// in front of it.
class ParatrooperRule : public InBuildFolder {};

TEST_F(ParatrooperRule, ParachutesFallInFrontOfTheHud) {
    RecordingDevice device;
    StageRunOptions o;
    o.stage = 177;
    o.seed = 4;
    RecordedRun run(o, &device);
    ASSERT_TRUE(run.Start()) << run.Error();
    ASSERT_TRUE(run.RunUntilState(BATTLE_PLAYING, 5000));
    CPageGame& page = run.Battle();
    ASSERT_NE(page.m_pEffectParatrooper, nullptr);
    page.m_pEffectParatrooper->Add(0);
    for (int i = 0; i < 5; ++i) run.Step();
    const CVxBillboard* chute = page.m_pEffectParatrooper->Parachute();
    // The HUD's "Bonus Stage" label, drawn by the HUD alone.
    const CVxBillboard* label = run.App().m_apBbdStage[0];
    ASSERT_TRUE(chute && chute->m_pTexture && label && label->m_pTexture);
    const CVxTexture* hud = label->m_pTexture;
    device.sequence.clear();
    run.Step();
    const auto& seq = device.sequence;
    const auto firstHud = std::find(seq.begin(), seq.end(), hud->m_pTexture);
    const auto lastChute = std::find(seq.rbegin(), seq.rend(), chute->m_pTexture->m_pTexture);
    ASSERT_NE(firstHud, seq.end()) << "the HUD is drawn";
    ASSERT_NE(lastChute, seq.rend()) << "a parachute is drawn";
    EXPECT_GT(seq.rend() - lastChute - 1, firstHud - seq.begin());
}

}  // namespace

// The mini-games whose background scrolls, by how far a frame.
TEST(StageScroll, TheMiniGamesBackgroundsScrollTheirOwnStepAFrame) {
    const struct {
        int stage;
        float scrollY;
        float step;
    } rows[] = {
        {154, 0.0f, 2.2f},   {156, 0.0f, 15.0f}, {166, 0.0f, 15.0f}, {157, 0.0f, 10.0f}, {160, 0.0f, 20.0f},
        {170, 0.0f, 20.0f},  {180, 0.0f, 20.0f}, {163, 0.0f, -1.0f}, {167, 0.0f, 0.0f},  {167, -9550.0f, 10.0f},
        {171, 0.0f, 100.0f}, {174, 0.0f, 50.0f}, {179, 0.0f, 0.0f},  {153, 0.0f, 0.0f},  {12, 0.0f, 0.0f},
    };
    for (const auto& r : rows) EXPECT_FLOAT_EQ(StageScrollStep(r.stage, r.scrollY), r.step) << "stage " << r.stage;
}
