// The rules of the battle's states on a bare battle (an empty scene, no
// page): how play ends, what a state's entry restarts, the loader's wait,
// the best-stars record, the streaks a stage's end counts, the occupied
// cells and when the player chooses cards. The application only supplies
// the stage and the engine's frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "battle/model/BattleCommands.h"
#include "battle/model/BattleDrawer.h"
#include "battle/model/BattleFrame.h"
#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/BattleSetUp.h"
#include "battle/model/BattleStates.h"
#include "battle/model/ItemPayout.h"
#include "battle/model/JumpingRules.h"
#include "battle/model/RelocationRules.h"
#include "battle/model/MiniGameBossRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/RobotArray.h"
#include "battle/model/SlotMachineRules.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/MiniGameTable.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "content/UnlockTables.h"
#include "engine/VxXApplication.h"
#include "platform/Random.h"
#include "tests/Harness.h"

namespace {

class BattleStateRules : public GameAppTest {
protected:
    void SetUp() override {
        GameAppTest::SetUp();
        Make();
        g_bLoaderRunning = false;
        Play(1);
    }
    void TearDown() override {
        g_bLoaderRunning = false;
        GameAppTest::TearDown();
    }
    // The battle is played for g_CurrentProfile on the fixture's clock.
    void Play(int stage, int difficulty) {
        model.TakeContext(BattleContext{stage, difficulty, &g_CurrentProfile, &clock});
    }
    void Play(int stage) { Play(stage, g_CurrentProfile.m_iDifficulty); }
    void PlayStage(int stage) {
        Play(stage);
        RuleState(model).m_iBattleState = BATTLE_PLAYING;
        RuleState(model).m_iLife = RuleState(model).m_iMaxLife = 3;
    }
    CCom_GameRobot& Stand(float x, float y, bool machine = false) {
        CCom_GameRobot r(model);
        r.m_Unit.m_iType = machine ? MachineId::Giant : RobotId::BlockerBot;
        r.m_Unit.m_iSide = machine ? 1 : 0;
        r.m_iHp = 10;
        r.m_vPosition = VxVec3{x, y, 0.0f};
        RuleState(model).m_lstRobots.push_back(r);
        return RuleState(model).m_lstRobots.back();
    }

    BattleScene scene;
    CBattleModel model{scene};
    FrameCounter clock;
};

}  // namespace

TEST_F(BattleStateRules, PlayEndsWithoutLifeAtOnceAndAfterTheClockWhenNoMachineIsLeft) {
    const struct {
        const char* rule;
        int stage, life, timeLeft, machines;
        bool meteorsFalling;
        int state;
        PlayStep step;
    } cases[] = {
        {"life gone ends play while the clock runs", 3, 0, 500, 4, false, BATTLE_RESULT, PlayStep::Done},
        {"life gone ends play in overtime", 169, 0, 0, 0, true, BATTLE_RESULT, PlayStep::Done},
        {"an empty field does not end play before the clock", 3, 3, 500, 0, false, BATTLE_PLAYING, PlayStep::Done},
        {"a Machine left holds overtime", 3, 3, 0, 1, false, BATTLE_PLAYING, PlayStep::Done},
        {"no Machine left after the clock: the reward", 3, 1, 0, 0, false, BATTLE_REWARD, PlayStep::Done},
        {"169 waits while meteors fall", 169, 3, 0, 0, true, BATTLE_PLAYING, PlayStep::Done},
        {"169 ends once they have landed", 169, 3, 0, 0, false, BATTLE_REWARD, PlayStep::Done},
        {"meteors hold no other stage", 3, 3, 0, 0, true, BATTLE_REWARD, PlayStep::Done},
        {"167 ends by its start line, not by the field", 167, 3, 0, 0, false, BATTLE_PLAYING, PlayStep::StartLine},
    };
    for (const auto& c : cases) {
        PlayStage(c.stage);
        RuleState(model).m_iLife = c.life;
        RuleState(model).m_iTimeLeft = c.timeLeft;
        RuleState(model).m_nLiveMachines = c.machines;
        RuleState(model).m_iRelocatingRobot = 5;
        EXPECT_EQ(StepPlaying(model, c.meteorsFalling), c.step) << c.rule;
        EXPECT_EQ(model.State().m_iBattleState, c.state) << c.rule;
        // A robot being moved is let go when play ends.
        EXPECT_EQ(model.State().m_iRelocatingRobot, c.state == BATTLE_PLAYING ? 5 : -1) << c.rule;
    }
}

// The battle goes by the stage, difficulty, profile and clock its host handed
// it, whatever the application's current stage, frame and profile say.
TEST_F(BattleStateRules, TheBattleGoesByTheContextItWasHanded) {
    const struct {
        const char* rule;
        int stage, difficulty, clockAt;         // handed
        int appStage, appDifficulty, appFrame;  // the application's
        int stars, robotsOfRoundTwo, entryFrame;
    } cases[] = {
        {"a map stage earns stars, the application on a mini-game", 5, 0, 10, 155, 0, 10, 3, 6, 11},
        {"a mini-game earns none, the application on a map stage", 155, 0, 10, 5, 0, 10, 0, 6, 11},
        {"the hardest places five robots a round", 151, 2, 10, 151, 0, 10, 0, 10, 11},
        {"an easier one three, the application's profile on the hardest", 151, 1, 10, 151, 2, 10, 0, 6, 11},
        {"a state starts on the battle clock's next frame", 5, 0, 400, 5, 0, 7, 3, 6, 401},
    };
    for (const auto& c : cases) {
        SaveProfile own{};
        model.TakeContext(BattleContext{c.stage, c.difficulty, &own, &clock});
        clock.Set(c.clockAt);
        m_App->m_iCurrentStage = c.appStage;
        m_App->m_nFrame = c.appFrame;
        g_CurrentProfile.m_iDifficulty = c.appDifficulty;
        g_CurrentProfile.m_aiStageStars[4] = 0;
        RuleState(model).m_iLife = RuleState(model).m_iMaxLife = 3;
        EXPECT_EQ(RecordRewardStars(model), c.stars) << c.rule;
        EXPECT_EQ(own.m_aiStageStars[4], c.stage == 5 ? c.stars : 0) << c.rule;
        EXPECT_EQ(g_CurrentProfile.m_aiStageStars[4], 0) << "the application's profile is not the battle's: " << c.rule;

        RuleState(model).m_lstRobots.clear();
        GetUnitDefinition(RuleState(model).m_aHandDefs[0], RobotId::FusorBot);
        SpawnRoundRobots(model, 2);
        EXPECT_EQ(model.State().m_lstRobots.size(), size_t(c.robotsOfRoundTwo)) << c.rule;

        SetBattleState(model, BATTLE_LOADING);
        EXPECT_EQ(model.State().m_iStateEntryFrame, c.entryFrame) << c.rule;
    }
}

TEST_F(BattleStateRules, TheClockRunsDownBeforeOvertimeCounts) {
    PlayStage(3);
    RuleState(model).m_nLiveMachines = 1;
    RuleState(model).m_iTimeLeft = 2;
    const struct { int timeLeft, overtime; } after[] = {{1, 0}, {0, 0}, {0, 1}, {0, 2}};
    for (const auto& a : after) {
        StepPlaying(model, false);
        EXPECT_EQ(model.State().m_iTimeLeft, a.timeLeft);
        EXPECT_EQ(model.State().m_iOvertimeFrames, a.overtime);
    }
}

TEST_F(BattleStateRules, EnteringAStateRestartsItsFramesFromTheEnginesNextFrame) {
    clock.Set(400);
    RuleState(model).m_iStateFrames = 77;
    SetBattleState(model, BATTLE_LOADING);
    EXPECT_EQ(model.State().m_iBattleState, BATTLE_LOADING);
    EXPECT_EQ(model.State().m_iStateFrames, -1);
    EXPECT_EQ(model.State().m_iStateEntryFrame, 401);
    clock.Set(500);
    AdvanceBattleState(model);
    EXPECT_EQ(model.State().m_iBattleState, BATTLE_LOADING + 1);
    EXPECT_EQ(model.State().m_iStateEntryFrame, 501);
}

TEST_F(BattleStateRules, LoadingEndsThirtyFramesAfterTheLoaderIsIdle) {
    const struct {
        bool loaderRunning;
        int frame, state, entry;
    } frames[] = {
        {true, 100, BATTLE_LOADING, 101},   // the wait starts again while it loads
        {false, 130, BATTLE_LOADING, 101},  // 29 frames on
        {false, 131, BATTLE_BEGIN, 132},    // 30 frames on
    };
    RuleState(model).m_iBattleState = BATTLE_LOADING;
    RuleState(model).m_iStateEntryFrame = 0;
    for (const auto& f : frames) {
        g_bLoaderRunning = f.loaderRunning;
        clock.Set(f.frame);
        StepLoading(model);
        EXPECT_EQ(model.State().m_iBattleState, f.state) << "frame " << f.frame;
        EXPECT_EQ(model.State().m_iStateEntryFrame, f.entry) << "frame " << f.frame;
    }
}

TEST_F(BattleStateRules, TheBestStarsNeverGoDownAndOnlyTheirGainCounts) {
    const struct {
        int stage, best, life, stars, bestAfter, counted;
    } cases[] = {
        {5, 0, 3, 3, 3, 3}, {5, 1, 2, 2, 2, 1},   {5, 3, 1, 1, 3, 0},
        {5, 2, 2, 2, 2, 0}, {150, 0, 1, 1, 1, 1}, {155, 0, 3, 0, 0, 0},  // a mini-game earns none
    };
    for (const auto& c : cases) {
        Play(c.stage);
        RuleState(model).m_iMaxLife = 3;
        RuleState(model).m_iLife = c.life;
        int& best = g_CurrentProfile.m_aiStageStars[std::min(c.stage, 150) - 1];
        best = c.best;
        int& progress = g_CurrentProfile.m_aiAchievementProgress[38];
        const int before = progress;
        EXPECT_EQ(RecordRewardStars(model), c.stars) << "stage " << c.stage << " life " << c.life;
        EXPECT_EQ(best, c.bestAfter) << "stage " << c.stage << " life " << c.life;
        EXPECT_EQ(progress - before, c.counted) << "stage " << c.stage << " life " << c.life;
    }
}

TEST_F(BattleStateRules, LossesCountOnTheHarderDifficultiesAndThreeStarWinsBelowTheHardest) {
    const struct {
        bool won;
        int stars, difficulty;
        ResultStreaks after;  // from 2 losses and 2 easy wins
    } cases[] = {
        {false, 0, 0, {0, 0}}, {false, 0, 1, {3, 0}}, {false, 0, 2, {3, 0}}, {false, 0, 3, {0, 0}},
        {true, 3, 0, {0, 3}},  {true, 3, 1, {0, 3}},  {true, 3, 2, {0, 0}},  {true, 3, 3, {0, 3}},
        {true, 2, 0, {0, 0}},  {true, 1, 1, {0, 0}},
    };
    for (const auto& c : cases) {
        const ResultStreaks s = NextResultStreaks({2, 2}, c.won, c.stars, c.difficulty);
        EXPECT_EQ(s.losses, c.after.losses) << c.won << " " << c.stars << " on " << c.difficulty;
        EXPECT_EQ(s.easyWins, c.after.easyWins) << c.won << " " << c.stars << " on " << c.difficulty;
    }
}

TEST_F(BattleStateRules, StreaksCountOnlyOnMapStagesOnceTheirFeatureIsUnlocked) {
    const struct {
        int stage;
        bool unlocked;
        int losses;
    } cases[] = {{12, true, 1}, {12, false, 0}, {152, true, 0}};
    for (const auto& c : cases) {
        Play(c.stage, 1);
        m_App->m_nLossStreak = m_App->m_nEasyWinStreak = 0;
        g_CurrentProfile.m_abFeatureUnlocked[2] = c.unlocked ? 1 : 0;
        RuleState(model).m_iLife = 0;
        RecordStageEnd(model, 0);
        EXPECT_EQ(m_App->m_nLossStreak, c.losses) << "stage " << c.stage << " unlocked " << c.unlocked;
    }
}

TEST_F(BattleStateRules, TheFirstWinOfAnEvenMiniGameOpensTheNextArea) {
    const struct {
        const char* rule;
        int stage, furthest, life;
        bool opens;
    } cases[] = {
        {"an even mini-game won for the first time", 152, 152, 1, true},
        {"an odd one", 153, 153, 1, false},
        {"a tenth one", 160, 160, 1, false},
        {"one won again", 152, 158, 1, false},
        {"one lost", 152, 152, 0, false},
        {"a map stage", 12, 12, 1, false},
    };
    for (const auto& c : cases) {
        Play(c.stage);
        m_App->m_iNewArea = -7;
        g_CurrentProfile.m_iFurthestStage = c.furthest;
        RuleState(model).m_iLife = c.life;
        RecordStageEnd(model, 0);
        EXPECT_EQ(m_App->m_iNewArea, c.opens ? GetStageWorld(NextStageId(c.stage)) : -7) << c.rule;
    }
}

TEST_F(BattleStateRules, ACellCountsAsOccupiedOnceWithALivingRobotOfThePlayersWithinTen) {
    const float x = RuleState(model).m_aFieldCells[7].m_fX = 300.0f,
                y = RuleState(model).m_aFieldCells[7].m_fY = 200.0f;
    for (FieldCell& c : RuleState(model).m_aFieldCells)
        if (&c != &model.State().m_aFieldCells[7]) c.m_fX = c.m_fY = -5000.0f;
    const struct {
        const char* rule;
        float dx, dy;
        bool machine;
        int hp, robots, count;
    } cases[] = {
        {"a robot on the centre", 0.0f, 0.0f, false, 10, 1, 1},
        {"a robot 6 and 7 off", 6.0f, 7.0f, false, 10, 1, 1},
        {"a robot 10 off is outside", 10.0f, 0.0f, false, 10, 1, 0},
        {"two robots on a cell count it once", 0.0f, 0.0f, false, 10, 2, 1},
        {"a Machine occupies nothing", 0.0f, 0.0f, true, 10, 1, 0},
        {"a destroyed robot occupies nothing", 0.0f, 0.0f, false, 0, 1, 0},
    };
    for (const auto& c : cases) {
        RuleState(model).m_lstRobots.clear();
        for (int i = 0; i < c.robots; ++i) Stand(x + c.dx, y + c.dy, c.machine).m_iHp = c.hp;
        CountOccupiedCells(model);
        EXPECT_EQ(model.State().m_aiStageStats[4], c.count) << c.rule;
    }
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[36], 1) << "the best count is the achievement's";
}

// A frame, whoever shows it: the energy counter's place while the HUD shows
// (177 has none), the hand's charging step (not on the slot machines; 177's
// cards charge five a frame), the occupied cells in every state and the
// frame's count. occupied -1: 177's conveyor carries the robot off its cell.
TEST_F(BattleStateRules, AFrameCountsTheOccupiedCellsChargesTheHandAndCountsItself) {
    const struct {
        const char* rule;
        int stage, state;
        bool energyPlaced;
        int charge, occupied;
    } cases[] = {
        {"a frame of play", 3, BATTLE_PLAYING, true, 1, 1},
        {"177 has no energy counter", 177, BATTLE_PLAYING, false, 5, -1},
        {"a slot machine's cards keep their charge", 159, BATTLE_PLAYING, true, 0, 1},
        {"the loading's HUD", 3, BATTLE_LOADING, true, 1, 1},
        {"the summary shows no HUD", 3, BATTLE_SUMMARY, false, 0, 1},
    };
    for (const auto& c : cases) {
        PlayStage(c.stage);
        BattleData& s = RuleState(model);
        s.m_iBattleState = c.state;
        s.m_iTimeLeft = s.m_iStageFrames = 600;
        s.m_StageDefinition.m_bCardCharge = true;
        s.m_aHand[0].m_iCard = RobotId::BlockerBot;
        s.m_aHand[0].m_iCharge = 0;
        s.m_aHandDefs[0].m_iRechargeTime = 100;
        s.m_vEnergyPanelAt = VxVec3{};
        s.m_aiStageStats[4] = 0;
        s.m_aFieldCells[7].m_fX = 300.0f;
        s.m_aFieldCells[7].m_fY = 200.0f;
        s.m_lstRobots.clear();
        Stand(300.0f, 200.0f).m_iRow = 2;
        const int frame = model.State().m_iBattleFrame;
        QuietFrameSteps steps;
        SilentBattleDrawer drawer;
        std::vector<CCom_GameRobot> shown;
        RunBattleFrame(model, shown, 0, drawer, steps);
        if (c.occupied >= 0) {
            EXPECT_EQ(model.State().m_aiStageStats[4], c.occupied) << c.rule;
        }
        EXPECT_EQ(model.State().m_vEnergyPanelAt.x != 0.0f, c.energyPlaced) << c.rule;
        EXPECT_EQ(model.State().m_aHand[0].m_iCharge, c.charge) << c.rule;
        EXPECT_EQ(model.State().m_iBattleFrame, frame + 1) << c.rule;
    }
}

// A card carried by hand counts its frames with the input (a long hold let
// go off the field goes back to the hand); a robot being moved does not.
TEST_F(BattleStateRules, ACardCarriedByHandCountsItsFramesWithTheInput) {
    struct NoInput final : PlayInputSteps {
        void CutParachutes() override {}
        void PlayerActs() override {}
    };
    const struct {
        const char* rule;
        int carried, relocating, frames;
    } cases[] = {
        {"a carried card", 0, -1, 1},
        {"no card carried", -1, -1, 0},
        {"a robot being moved", 0, 7, 0},
    };
    for (const auto& c : cases) {
        PlayStage(3);
        RuleState(model).m_iCarriedCard = c.carried;
        RuleState(model).m_iRelocatingRobot = c.relocating;
        RuleState(model).m_iCarriedFrames = 0;
        NoInput input;
        RunPlayInput(model, input);
        EXPECT_EQ(model.State().m_iCarriedFrames, c.frames) << c.rule;
    }
}

TEST_F(BattleStateRules, ThePlayerChoosesCardsWhenMoreAreUnlockedThanTheHandHolds) {
    const struct {
        int stage, unlocked, slots;
        bool choose;
    } cases[] = {{12, 5, 4, true}, {12, 4, 4, false}, {12, 3, 4, false}, {152, 9, 4, false}};
    for (const auto& c : cases) {
        Play(c.stage);
        for (int i = 0; i < ROBOT_REMOVER; ++i) g_CurrentProfile.m_abRobotUnlocked[i] = i < c.unlocked ? 1 : 0;
        // The remover is no card of the hand.
        g_CurrentProfile.m_abRobotUnlocked[ROBOT_REMOVER] = 1;
        RuleState(model).m_nHandSlots = c.slots;
        EXPECT_EQ(HasMoreCardsThanSlots(model), c.choose) << c.unlocked << " for " << c.slots << " on " << c.stage;
    }
}

// The hand's cards charge once a frame the hand is shown, as the battle's own
// rule (the hand's drawing no longer steps them).
TEST_F(BattleStateRules, AHandCardChargesAStepAFrameAndFastOnTheTwoCarrierStages) {
    const struct {
        const char* rule;
        int stage, charge;
        bool cardCharge, hudShown, loaderRunning;
        int after;
    } cases[] = {
        {"a charging card takes one step", 5, 10, true, true, false, 11},
        {"a full card stays full", 5, 100, true, true, false, 100},
        {"a stage without charging leaves it", 5, 10, false, true, false, 10},
        {"a hidden hand does not charge", 5, 10, true, false, false, 10},
        {"the loader's frames do not count", 5, 10, true, true, true, 10},
        {"172 charges five steps a frame", 172, 10, true, true, false, 15},
        {"177 charges four even while the loader runs", 177, 10, true, true, true, 14},
        {"the fast charge stops at full", 172, 98, true, true, false, 100},
    };
    for (const auto& c : cases) {
        PlayStage(c.stage);
        RuleState(model).m_StageDefinition.m_bCardCharge = c.cardCharge;
        RuleState(model).m_nHandSlots = 1;
        RuleState(model).m_aHand[0] = HandSlot{RobotId::GunnerBot, c.charge};
        RuleState(model).m_aHandDefs[0].m_iRechargeTime = 100;
        g_bLoaderRunning = c.loaderRunning;
        model.ChargeHandCards(false, c.hudShown);
        g_bLoaderRunning = false;
        EXPECT_EQ(model.State().m_aHand[0].m_iCharge, c.after) << c.rule;
    }
}

namespace {

// A unit of the type standing on the cell (3, 2).
CCom_GameRobot& StandOnCell(CBattleModel& model, int type) {
    CCom_GameRobot r(model);
    GetUnitDefinition(r.m_Unit, type);
    r.m_iHp = 10;
    r.m_vCell = VxVec3{3.0f, 2.0f, 0.0f};
    RuleState(model).m_lstRobots.push_back(r);
    return RuleState(model).m_lstRobots.back();
}

struct PlaceCase {
    const char* rule;
    int stage, card;
    int kind, stageKind;  // the cell's, as it is and as the stage laid it
    std::function<void(CBattleModel&)> setUp;
    PlacementRefusal refusal;
    int note;
};

}  // namespace

// Where the hand's card may go on the cell (3, 2), and the message a refusal
// gives: terrain, jet streams, the Storm and Surveyor Bots, a taken cell and
// the mounts of the weapons, the barrier and the Remover Bot.
TEST_F(BattleStateRules, ACardGoesOnlyWhereItsTerrainAndTheCellsRobotsAllowIt) {
    using P = PlacementRefusal;
    const auto none = [](CBattleModel&) {};
    const auto gunner = [](int interval) {
        return [interval](CBattleModel& m) { StandOnCell(m, RobotId::GunnerBot).m_Unit.m_iActionInterval = interval; };
    };
    const auto cannon = [](int interval) {
        return [interval](CBattleModel& m) { StandOnCell(m, RobotId::CannonBot).m_Unit.m_iActionInterval = interval; };
    };
    const PlaceCase cases[] = {
        {"a ground card on ground", 12, RobotId::GunnerBot, CELL_GROUND, CELL_GROUND, none, P::None, 0},
        {"a ground card in the air", 12, RobotId::GunnerBot, CELL_AIR, CELL_AIR, none, P::Terrain, 0},
        {"an air card on ground", 12, RobotId::CopterBot, CELL_GROUND, CELL_GROUND, none, P::Terrain, 0},
        {"a card of any terrain on water", 12, RobotId::HammerBot, CELL_WATER_SURFACE, CELL_WATER_SURFACE, none,
         P::None, 0},
        {"a platform made the cell another", 12, RobotId::CopterBot, CELL_GROUND, CELL_WATER_SURFACE, none, P::Platform,
         0},
        {"stage 160 asks no terrain", 160, RobotId::GunnerBot, CELL_AIR, CELL_AIR, none, P::None, 0},
        {"stage 159 asks it", 159, RobotId::GunnerBot, CELL_AIR, CELL_AIR, none, P::Terrain, 0},
        {"a jet stream along the row", 131, RobotId::GunnerBot, CELL_GROUND, CELL_GROUND,
         [](CBattleModel& m) { RuleState(m).m_aiColumnHazard[2] = 1; }, P::JetStream, 0},
        {"a whirlpool's column is no jet stream", 121, RobotId::GunnerBot, CELL_GROUND, CELL_GROUND,
         [](CBattleModel& m) { RuleState(m).m_aiColumnHazard[2] = 1; }, P::None, 0},
        {"the Storm Bot in the air", 12, RobotId::StormBot, CELL_AIR, CELL_AIR, none, P::StormBot, 0},
        {"the Storm Bot under water", 12, RobotId::StormBot, CELL_UNDERWATER, CELL_UNDERWATER, none, P::StormBot, 0},
        {"the Storm Bot on water", 12, RobotId::StormBot, CELL_WATER_SURFACE, CELL_WATER_SURFACE, none, P::None, 0},
        {"the Storm Bot on a platform", 12, RobotId::StormBot, CELL_GROUND, CELL_WATER_SURFACE, none, P::Platform, 0},
        {"the Surveyor Bot on ground", 12, RobotId::SurveyorBot, CELL_GROUND, CELL_GROUND, none, P::SurveyorBot, 0},
        {"the Surveyor Bot on a platform", 12, RobotId::SurveyorBot, CELL_GROUND, CELL_AIR, none, P::Platform, 0},
        {"a robot of the player's takes the cell", 12, RobotId::GunnerBot, CELL_GROUND, CELL_GROUND,
         [](CBattleModel& m) { StandOnCell(m, RobotId::BlockerBot); }, P::Silent, 0},
        {"a destroyed robot does not", 12, RobotId::GunnerBot, CELL_GROUND, CELL_GROUND,
         [](CBattleModel& m) { StandOnCell(m, RobotId::BlockerBot).m_iHp = 0; }, P::None, 0},
        {"a platform robot does not", 12, RobotId::GunnerBot, CELL_GROUND, CELL_GROUND,
         [](CBattleModel& m) { StandOnCell(m, RobotId::SurveyorBot); }, P::None, 0},
        {"a Machine does not", 12, RobotId::GunnerBot, CELL_GROUND, CELL_GROUND,
         [](CBattleModel& m) { StandOnCell(m, 1000); }, P::None, 0},
        {"a Hammer Bot goes on a taken cell", 12, RobotId::HammerBot, CELL_GROUND, CELL_GROUND,
         [](CBattleModel& m) { StandOnCell(m, RobotId::BlockerBot); }, P::None, 0},
        {"the Machine Gun mounts a Gunner Bot", 12, RobotId::MachineGunner, CELL_GROUND, CELL_GROUND, gunner(100),
         P::None, 0},
        {"a Gunner Bot below 100 carries one", 12, RobotId::MachineGunner, CELL_GROUND, CELL_GROUND, gunner(99),
         P::WeaponMount, 1},
        {"the Machine Gun does not mount a Cannon Bot", 12, RobotId::MachineGunner, CELL_GROUND, CELL_GROUND,
         cannon(500), P::WeaponMount, 0},
        {"the Machine Gun on an empty cell", 12, RobotId::MachineGunner, CELL_GROUND, CELL_GROUND, none, P::WeaponMount,
         0},
        {"the Mortar mounts a Cannon Bot up to 300", 12, RobotId::MortarBot, CELL_GROUND, CELL_GROUND, cannon(300),
         P::None, 0},
        {"a Cannon Bot above 300 carries one", 12, RobotId::MortarBot, CELL_GROUND, CELL_GROUND, cannon(301),
         P::WeaponMount, 1},
        {"the Remover Bot on an empty cell", 12, RobotId::RemoverBot, CELL_GROUND, CELL_GROUND, none, P::Silent, 0},
        {"the Remover Bot takes a robot", 12, RobotId::RemoverBot, CELL_GROUND, CELL_GROUND,
         [](CBattleModel& m) { StandOnCell(m, RobotId::BlockerBot); }, P::None, 0},
        {"the Remover Bot leaves a Time Bomb", 12, RobotId::RemoverBot, CELL_GROUND, CELL_GROUND,
         [](CBattleModel& m) { StandOnCell(m, 1025); }, P::Silent, 0},
        {"the upgraded Remover Bot takes a Time Bomb", 12, RobotId::RemoverBot, CELL_GROUND, CELL_GROUND,
         [](CBattleModel& m) {
             StandOnCell(m, 1025);
             RuleState(m).m_aHandDefs[0].m_iUpgradeLevel = 1;
         },
         P::None, 0},
    };
    for (const PlaceCase& c : cases) {
        PlayStage(c.stage);
        RuleState(model).m_lstRobots.clear();
        std::memset(RuleState(model).m_aiColumnHazard, 0, sizeof RuleState(model).m_aiColumnHazard);
        for (FieldCell& cell : RuleState(model).m_aFieldCells) cell.m_iKind = cell.m_iStageKind = CELL_GROUND;
        FieldCell& cell = RuleState(model).m_aFieldCells[3 * FIELD_ROWS + 2];
        cell.m_iKind = c.kind;
        cell.m_iStageKind = c.stageKind;
        RuleState(model).m_aHand[0] = HandSlot{c.card, 0};
        GetUnitDefinition(RuleState(model).m_aHandDefs[0], c.card);
        c.setUp(model);
        const PlacementVerdict v = model.JudgePlacement(0, 3, 2);
        EXPECT_EQ(int(v.refusal), int(c.refusal)) << c.rule;
        EXPECT_EQ(v.note, c.note) << c.rule;
    }
}

// A card is ready once charged to its recharge time with its energy there: a
// cost equal to the energy is paid.
TEST_F(BattleStateRules, ACardIsReadyChargedFullWithEnergyUpToItsCost) {
    const struct {
        const char* rule;
        int charge, energy;
        bool ready;
    } cases[] = {
        {"charged, energy to spare", 100, 51, true},
        {"charged, energy equal to the cost", 100, 50, true},
        {"charged, energy one short", 100, 49, false},
        {"one frame short of charged", 99, 500, false},
    };
    for (const auto& c : cases) {
        PlayStage(12);
        RuleState(model).m_aHand[0] = HandSlot{RobotId::GunnerBot, c.charge};
        RuleState(model).m_aHandDefs[0].m_iRechargeTime = 100;
        RuleState(model).m_aHandDefs[0].m_iEnergyCost = 50;
        RuleState(model).m_iEnergy = c.energy;
        EXPECT_EQ(model.CardReady(0), c.ready) << c.rule;
    }
}

// Each mini-game starts its robots on their cells from its hand's slots, and
// some of them as the robot the player controls.
TEST_F(BattleStateRules, EachMiniGameStartsItsRobotsOnTheirCells) {
    struct Placed {
        int column, slot, row;
        bool operator==(const Placed& o) const { return column == o.column && slot == o.slot && row == o.row; }
    };
    const struct {
        int stage;
        std::vector<Placed> robots;
        int controlled;  // the list index of the controlled robot, or -1
    } cases[] = {
        {152, {{8, 0, 2}}, 0},
        {153, {{9, 0, 2}, {9, 0, 3}, {9, 0, 4}}, -1},
        {154, {{9, 0, 2}}, -1},
        {155, {{2, 0, 3}, {4, 0, 1}, {7, 0, 2}, {4, 1, 2}}, -1},
        {156, {{8, 0, 2}}, 0},
        {157, {{9, 0, 4}}, -1},
        {158, {{8, 2, 1}, {9, 3, 2}, {8, 4, 3}, {4, 5, 4}}, -1},
        {160, {{8, 1, 2}, {9, 0, 1}, {9, 1, 2}, {9, 0, 3}}, -1},
        {162, {{8, 0, 2}}, 0},
        {163, {{8, 0, 2}}, 0},
        {166, {{8, 0, 2}}, 0},
        {171, {{8, 0, 2}}, 0},
        {174, {{8, 0, 2}}, 0},
        {164, {{8, 0, 3}}, 0},
        {167, {{8, 0, 2}}, -1},
        {168, {{8, 0, 0}}, 0},
        {173, {{9, 1, 2}, {9, 0, 3}, {9, 2, 4}, {8, 1, 2}, {8, 0, 3}, {8, 2, 4}}, -1},
        {179, {{8, 0, 3}, {8, 0, 2}, {8, 0, 1}}, 0},
        {177, {}, -1},
    };
    // What some of them are given on top.
    const struct Tuned {
        const char* rule;
        int stage, index;
        int interval;  // set, or 0: the card's times the factor
        double intervalFactor;
        bool holdFire;
        int maxHpFactor;
    } tuned[] = {
        {"152's robot holds its fire", 152, 0, 0, 1.0, true, 1},
        {"155's fourth robot acts every 35 frames", 155, 3, 35, 1.0, false, 1},
        {"158's Fixer Bot acts twice as often", 158, 1, 0, 0.5, false, 1},
        {"158's Mariner Bot holds its fire with twice its hit points to mend", 158, 3, 0, 1.0, true, 2},
        {"163's robot acts at three quarters", 163, 0, 0, 0.75, false, 1},
        {"179's third robot holds its fire", 179, 2, 0, 1.0, true, 1},
    };
    // Slots 0 to 5 hold cards 0, 1, 24, 22, 19 and 21 (158 asks for the last four by card).
    const int hand[] = {RobotId::FusorBot, RobotId::GunnerBot, 24, 22, 19, 21};
    for (const auto& c : cases) {
        PlayStage(c.stage);
        RuleState(model).m_lstRobots.clear();
        for (CCom_GameRobot*& link : RuleState(model).m_apMiniGameRobots) link = nullptr;
        for (int i = 0; i < FIELD_CELLS; ++i) {
            FieldCell& cell = RuleState(model).m_aFieldCells[i];
            cell.m_fX = float(i / FIELD_ROWS) * 200.0f;
            cell.m_fY = float(i % FIELD_ROWS) * 200.0f;
            cell.m_iKind = cell.m_iStageKind = CELL_GROUND;
        }
        for (int i = 0; i < HAND_SLOTS; ++i) {
            const int card = i < 6 ? hand[i] : RobotId::BlockerBot;
            RuleState(model).m_aHand[i] = HandSlot{card, 0};
            GetUnitDefinition(RuleState(model).m_aHandDefs[i], card);
        }
        PlaceMiniGameRobots(model);
        std::vector<Placed> placed;
        for (const CCom_GameRobot& r : model.State().m_lstRobots) {
            const VxVec3 cell = model.FindNearestCell(r.m_vPosition.x, r.m_vPosition.y, 0.0f);
            placed.push_back(Placed{int(cell.x), r.m_iUnitSlot, int(cell.y)});
        }
        EXPECT_TRUE(placed == c.robots) << "stage " << c.stage;
        for (const Tuned& t : tuned) {
            if (t.stage != c.stage) continue;
            const CCom_GameRobot& r = *std::next(model.State().m_lstRobots.begin(), t.index);
            // The same slot's robot as placed with nothing on top.
            const UnitDefinition& d = model.SpawnMiniGameRobot(r.m_iUnitSlot, 0.0f, 0.0f, 0.0f)->m_Unit;
            const int interval = t.interval > 0 ? t.interval : int(d.m_iActionInterval * t.intervalFactor);
            EXPECT_EQ(r.m_Unit.m_iActionInterval, interval) << t.rule;
            EXPECT_EQ(bool(r.m_bHoldFire), t.holdFire) << t.rule;
            EXPECT_EQ(r.m_Unit.m_iMaxHp, d.m_iMaxHp * t.maxHpFactor) << t.rule;
        }
        const CCom_GameRobot* controlled = model.State().m_apMiniGameRobots[0];
        if (c.controlled < 0) {
            EXPECT_EQ(controlled, nullptr) << "stage " << c.stage;
        } else {
            EXPECT_EQ(controlled, &model.State().m_lstRobots.front()) << "stage " << c.stage;
        }
    }
}

// Stage 151's rounds: the countdown of 600 frames counts a round, calls a row
// of four Machines at 0, a destroyed robot loses the stage, and a cleared
// field scrolls on with 3 robots a round (5 on the hardest) until round 5.
TEST_F(BattleStateRules, Stage151sRoundsCountDownCallTheirMachinesAndPlaceTheNextRobots) {
    const struct {
        const char* rule;
        int timer, round, own, dead, machines, difficulty;
        bool still;
        int timerAfter, roundAfter, phaseAfter, lifeAfter, lostAfter, ownAfter, machinesAfter;
    } cases[] = {
        {"the countdown's start counts a round", 600, 1, 1, 0, 0, 0, false, 599, 2, 0, 3, 0, 1, 0},
        {"the countdown runs", 300, 1, 1, 0, 1, 0, false, 299, 1, 0, 3, 0, 1, 1},
        {"a still on the screen holds it", 300, 1, 1, 0, 1, 0, true, 300, 1, 0, 3, 0, 1, 1},
        {"at 0 a row of four Machines comes", 0, 1, 1, 0, 0, 0, false, 0, 1, 0, 3, 0, 1, 4},
        {"at 0 with Machines left none come", 0, 1, 1, 0, 1, 0, false, 0, 1, 0, 3, 0, 1, 1},
        {"a destroyed robot loses the stage", 100, 1, 2, 1, 1, 0, false, 99, 1, 0, 0, 1, 2, 1},
        {"a cleared field places 3 robots a round", 100, 2, 0, 0, 1, 0, false, 99, 2, 1, 3, 0, 9, 1},
        {"on the hardest 5 a round", 100, 2, 0, 0, 1, 2, false, 99, 2, 1, 3, 0, 15, 1},
        {"after the fifth round none", 100, 5, 0, 0, 1, 0, false, 99, 5, 1, 3, 0, 0, 1},
    };
    for (const auto& c : cases) {
        PlayStage(151);
        Play(151, c.difficulty);
        clock.ShowStill(c.still);
        RuleState(model).m_lstRobots.clear();
        RuleState(model).m_iRoundTimer = c.timer;
        RuleState(model).m_iRound = c.round;
        RuleState(model).m_iRoundPhase = 0;
        RuleState(model).m_nRobotsLost = 0;
        GetUnitDefinition(RuleState(model).m_aHandDefs[0], RobotId::FusorBot);
        GetUnitDefinition(RuleState(model).m_aEnemyDefs[0], 1000);
        RuleState(model).m_nEnemyDefs = 1;
        for (int i = 0; i < c.own; ++i) Stand(float(100 * i), 0.0f).m_iHp = i < c.dead ? 0 : 10;
        for (int i = 0; i < c.machines; ++i) Stand(400.0f, 0.0f, true);
        UpdateRoundRules(model);
        clock.ShowStill(false);
        int own = 0, machines = 0;
        for (const CCom_GameRobot& r : model.State().m_lstRobots) (r.IsMachine() ? machines : own) += 1;
        EXPECT_EQ(model.State().m_iRoundTimer, c.timerAfter) << c.rule;
        EXPECT_EQ(model.State().m_iRound, c.roundAfter) << c.rule;
        EXPECT_EQ(model.State().m_iRoundPhase, c.phaseAfter) << c.rule;
        EXPECT_EQ(model.State().m_iLife, c.lifeAfter) << c.rule;
        EXPECT_EQ(model.State().m_nRobotsLost, c.lostAfter) << c.rule;
        EXPECT_EQ(own, c.ownAfter) << c.rule;
        EXPECT_EQ(machines, c.machinesAfter) << c.rule;
    }
}

// Before the battle a few of the stage's Machine types stand in preview, 3
// and one more every third stage up to 8, each on a cell of its own in a row
// that fits its terrain; none without a Machine type, none on a mini-game.
TEST_F(BattleStateRules, ThePreviewShowsAMachineTypeOnACellOfItsOwnForEachThirdStage) {
    const struct {
        const char* rule;
        int stage;
        std::vector<int> types;
        int count;
    } cases[] = {
        {"stage 2 shows 3", 2, {1000}, 3},
        {"stage 3 shows 4", 3, {1000}, 4},
        {"stage 12 shows 7", 12, {1000, 1001}, 7},
        {"stage 15 shows 8", 15, {1000}, 8},
        {"stage 50 still shows 8", 50, {1000, 1001}, 8},
        {"a stage of Rockets shows none", 12, {1032}, 0},
        {"a mini-game shows none", 153, {1000}, 0},
    };
    for (const auto& c : cases) {
        PlayStage(c.stage);
        for (int k = 0; k < STAGE_ENEMY_RECORDS; ++k) {
            const int type = k < int(c.types.size()) ? c.types[size_t(k)] : 0;
            GetUnitDefinition(RuleState(model).m_aEnemyDefs[k], type);
            RuleState(model).m_aEnemyDefs[k].m_iType = type;
        }
        // Rows 0 and 1 of the left column are air, rows 2 to 4 ground.
        for (int row = 0; row < FIELD_ROWS; ++row) {
            FieldCell& cell = RuleState(model).m_aFieldCells[row];
            cell.m_iKind = cell.m_iStageKind = row < 2 ? CELL_AIR : CELL_GROUND;
            cell.m_fY = 100.0f * float(row);
        }
        std::vector<CCom_GameRobot> robots(DISPLAY_ROBOTS);
        int count = 0;
        SetUpRobotArray(model, robots, count);
        EXPECT_EQ(count, c.count) << c.rule;
        for (int i = 0; i < count; ++i) {
            const CCom_GameRobot& r = robots[size_t(i)];
            // Air Machines in the air rows, ground ones on the ground.
            EXPECT_EQ(model.State().m_aFieldCells[r.m_iRow].m_iStageKind, r.m_Unit.m_iTerrain)
                << c.rule << ", robot " << i;
            for (int j = 0; j < i; ++j)
                EXPECT_FALSE(robots[size_t(j)].m_vPosition.x == r.m_vPosition.x &&
                             robots[size_t(j)].m_vPosition.y == r.m_vPosition.y)
                    << c.rule << ": robots " << j << " and " << i << " share a cell";
        }
    }
}

// A capsule flies to where its mini-game wants the robot it brings: on 154
// ahead of the Copter Bots along row 2, on 162 to the controlled robot, on 158
// to the first bottom cell from the right that holds no Buoyer Bot.
TEST_F(BattleStateRules, ACapsuleFliesWhereItsMiniGameWantsItsRobot) {
    const struct {
        const char* rule;
        int stage;
        std::vector<int> buoyerColumns;  // 158: the bottom cells held
        int copters;                     // 154
        bool controlled;                 // 162
        float x, y;
    } cases[] = {
        {"154 without copters: cell (9, 2)", 154, {}, 0, false, 900.0f, 200.0f},
        {"154 with two: cell (7, 2) at the first one's height", 154, {}, 2, false, 700.0f, 333.0f},
        {"162: the controlled robot", 162, {}, 0, true, 123.0f, 333.0f},
        {"162 without it: the origin", 162, {}, 0, false, 0.0f, 0.0f},
        {"158 with the bottom free: cell (9, 4)", 158, {}, 0, false, 900.0f, 400.0f},
        {"158 with 9 and 8 held: cell (7, 4)", 158, {9, 8}, 0, false, 700.0f, 400.0f},
        {"158 with 9 to 5 held: the origin", 158, {9, 8, 7, 6, 5}, 0, false, 0.0f, 0.0f},
        {"another stage: the origin", 12, {}, 0, false, 0.0f, 0.0f},
    };
    for (const auto& c : cases) {
        PlayStage(c.stage);
        RuleState(model).m_lstRobots.clear();
        for (CCom_GameRobot*& link : RuleState(model).m_apMiniGameRobots) link = nullptr;
        for (int i = 0; i < FIELD_CELLS; ++i) {
            RuleState(model).m_aFieldCells[i].m_fX = float(i / FIELD_ROWS) * 100.0f;
            RuleState(model).m_aFieldCells[i].m_fY = float(i % FIELD_ROWS) * 100.0f;
        }
        for (int column : c.buoyerColumns) {
            CCom_GameRobot& b = Stand(float(column) * 100.0f, 400.0f);
            b.m_Unit.m_iType = RobotId::BuoyerBot;
            b.m_vHome = b.m_vPosition;
        }
        for (int i = 0; i < c.copters; ++i) Stand(0.0f, 333.0f + float(i)).m_Unit.m_iType = RobotId::CopterBot;
        if (c.controlled) RuleState(model).m_apMiniGameRobots[0] = &Stand(123.0f, 333.0f);
        const VxVec3 t = CapsuleLandingPoint(model);
        EXPECT_EQ(t.x, c.x) << c.rule;
        EXPECT_EQ(t.y, c.y) << c.rule;
    }
}

// A Machine that hides until it attacks shows itself on its attack; one that
// stays hidden while attacking does not.
TEST_F(BattleStateRules, AMachineHiddenUntilItAttacksShowsItselfOnItsAttack) {
    const struct {
        int concealment;
        bool hiddenAfter;
    } cases[] = {{0, true}, {1, false}, {2, true}};
    for (const auto& c : cases) {
        PlayStage(12);
        RuleState(model).m_lstRobots.clear();
        CCom_GameRobot& m = Stand(0.0f, 0.0f, true);
        m.m_Unit.m_iConcealment = c.concealment;
        m.m_bConcealed = 1;
        m.BeginAttack(model, true);
        EXPECT_EQ(m.m_iState, ROBOT_ATTACK) << "concealment " << c.concealment;
        EXPECT_EQ(bool(m.m_bConcealed), c.hiddenAfter) << "concealment " << c.concealment;
    }
}

// The duels of 156, 166 and 174: 300 frames in the boss comes, its action
// interval and hit points scaled by the stage.
TEST_F(BattleStateRules, ADuelsBossComes300FramesInScaledByItsStage) {
    const struct {
        int stage, timeLeft;  // of 6000
        int boss;
        double interval, hp;  // factors, 0: no boss called
    } cases[] = {
        {156, 5700, MachineId::KillerWhale, 0.5, 1.5}, {166, 5700, MachineId::FrostOrca, 1.5, 0.85},
        {174, 5700, MachineId::FrostOrca, 1.25, 1.0},  {156, 5701, MachineId::KillerWhale, 0.0, 0.0},
        {156, 5699, MachineId::KillerWhale, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        PlayStage(c.stage);
        RuleState(model).m_lstRobots.clear();
        RuleState(model).m_pMiniGameBoss = nullptr;
        RuleState(model).m_apMiniGameRobots[0] = &Stand(0.0f, 0.0f);
        GetUnitDefinition(RuleState(model).m_aEnemyDefs[0], c.boss);
        RuleState(model).m_nEnemyDefs = 1;
        RuleState(model).m_iStageFrames = 6000;
        RuleState(model).m_iTimeLeft = c.timeLeft;
        StepBossDuel(model);
        const CCom_GameRobot* boss = model.State().m_pMiniGameBoss;
        ASSERT_EQ(boss != nullptr, c.interval > 0.0) << c.stage << " at " << c.timeLeft;
        if (!boss) continue;
        // The same Machine called plainly.
        const UnitDefinition& d = model.CallEnemyRobot(c.boss, 0.0f, 0.0f, 0.0f, false)->m_Unit;
        EXPECT_EQ(boss->m_Unit.m_iActionInterval, int(d.m_iActionInterval * c.interval)) << c.stage;
        EXPECT_EQ(boss->m_Unit.m_iMaxHp, int(d.m_iMaxHp * c.hp)) << c.stage;
    }
}

// After that the boss cannot be beaten in the first half (below 15 % it
// gains 100 a frame) and is worn down in the second (above half it drops to
// 30 %); losing the controlled robot or the clock loses, the boss gone wins.
TEST_F(BattleStateRules, ADuelsBossHealsInTheFirstHalfAndWearsDownInTheSecond) {
    const struct {
        const char* rule;
        int timeLeft;  // of 6000
        int bossHp;    // of 1000, or -1: no boss
        bool controlled;
        int hpAfter, lifeAfter, timeAfter;
        bool won;
    } cases[] = {
        {"first half, 149 heals", 4000, 149, true, 249, 3, 4000, false},
        {"first half, 150 stays", 4000, 150, true, 150, 3, 4000, false},
        {"second half, 501 drops to 300", 2000, 501, true, 300, 3, 2000, false},
        {"second half, 500 stays", 2000, 500, true, 500, 3, 2000, false},
        {"at half time it already wears down", 3000, 900, true, 300, 3, 3000, false},
        {"no controlled robot loses", 4000, 500, false, 500, 0, 0, false},
        {"the boss gone wins", 4000, -1, true, -1, 3, 0, true},
        {"the clock run out with the boss loses", 0, 500, true, 500, 0, 0, false},
    };
    for (const auto& c : cases) {
        PlayStage(156);
        RuleState(model).m_lstRobots.clear();
        RuleState(model).m_pMiniGameBoss = nullptr;
        RuleState(model).m_apMiniGameRobots[0] = c.controlled ? &Stand(0.0f, 0.0f) : nullptr;
        if (c.bossHp >= 0) {
            CCom_GameRobot& boss = Stand(0.0f, 0.0f, true);
            boss.m_Unit.m_iMaxHp = 1000;
            boss.m_iHp = c.bossHp;
            boss.m_iBossTimer = 1;
            RuleState(model).m_pMiniGameBoss = &boss;
        }
        RuleState(model).m_iStageFrames = 6000;
        RuleState(model).m_iTimeLeft = c.timeLeft;
        EXPECT_EQ(StepBossDuel(model), c.won) << c.rule;
        if (c.bossHp >= 0) {
            EXPECT_EQ(model.State().m_pMiniGameBoss->m_iHp, c.hpAfter) << c.rule;
        }
        EXPECT_EQ(model.State().m_iLife, c.lifeAfter) << c.rule;
        EXPECT_EQ(model.State().m_iTimeLeft, c.timeAfter) << c.rule;
    }
}

// Every 780 engine frames while Machines stand, the final stages drop a
// capsule whose hand slot comes from a roll of 100 by the stage's bands; on
// 180 the gun and mortar mounts need their base on the field.
TEST_F(BattleStateRules, TheFinalStagesCapsulesCarryTheSlotOfTheirRollsBand) {
    const struct {
        int stage, roll;
        int base;  // a robot of this card on the field, or -1
        int slot;
    } cases[] = {
        {160, 34, -1, 0},
        {160, 35, -1, 1},
        {160, 59, -1, 1},
        {160, 60, -1, 2},
        {160, 79, -1, 2},
        {160, 80, -1, 3},
        {160, 85, -1, 4},
        {160, 99, -1, 6},
        {170, 24, -1, 0},
        {170, 25, -1, 1},
        {170, 44, -1, 1},
        {170, 45, -1, 2},
        {170, 64, -1, 2},
        {170, 65, -1, 3},
        {170, 84, -1, 3},
        {170, 85, -1, 4},
        {170, 90, -1, 5},
        {170, 99, -1, 6},
        {180, 19, -1, 0},
        {180, 20, -1, 1},
        {180, 40, -1, 2},
        {180, 59, -1, 2},
        {180, 60, -1, 3},
        {180, 70, -1, 4},
        {180, 80, RobotId::CannonBot, 5},
        {180, 80, -1, 0},
        {180, 90, RobotId::GunnerBot, 6},
        {180, 90, -1, 1},
    };
    for (const auto& c : cases) {
        PlayStage(c.stage);
        RuleState(model).m_lstRobots.clear();
        RuleState(model).m_lstItems.clear();
        RuleState(model).m_pMiniGameBoss = nullptr;
        if (c.base >= 0) {
            CCom_GameRobot& b = Stand(0.0f, 0.0f);
            b.m_Unit.m_iType = c.base;
            b.m_Unit.m_iActionInterval = 100;
        }
        RuleState(model).m_nLiveRobots = RuleState(model).m_nLiveMachines = 1;
        RuleState(model).m_iStageFrames = 6000;
        RuleState(model).m_iTimeLeft = 5000;
        clock.Set(780 * 3);
        // A seed whose first roll is the row's.
        uint32_t seed = 1;
        for (;; ++seed) {
            VxSrand(seed);
            if (VxRand() % 100 == c.roll) break;
        }
        VxSrand(seed);
        UpdateFinalBoss(model);
        ASSERT_EQ(model.State().m_lstItems.size(), 1u) << c.stage << " roll " << c.roll;
        EXPECT_EQ(model.State().m_lstItems.back().m_iCard, c.slot) << c.stage << " roll " << c.roll;
    }
}

// The final boss comes 3600 frames before the end, walks in 10 a frame to
// -250, heals below a quarter in the first half and drops to 40 % above half
// in the second; it must be beaten before the clock runs out.
TEST_F(BattleStateRules, TheFinalBossHealsBelowAQuarterAndDropsToFortyPerCentAboveHalf) {
    const struct {
        const char* rule;
        int timeLeft;  // of 6000
        int hp;        // of 1000
        float x;
        int hpAfter;
        float xAfter;
        int lifeAfter;
    } cases[] = {
        {"first half, 249 heals", 4000, 249, -100.0f, 349, -100.0f, 3},
        {"first half, 250 stays", 4000, 250, -100.0f, 250, -100.0f, 3},
        {"second half, 501 drops to 400", 2000, 501, -100.0f, 400, -100.0f, 3},
        {"second half, 500 stays", 2000, 500, -100.0f, 500, -100.0f, 3},
        {"walking in 10 a frame", 4000, 500, -400.0f, 500, -390.0f, 3},
        {"the clock out with the boss standing loses", 0, 500, -100.0f, 500, -100.0f, 0},
    };
    for (const auto& c : cases) {
        PlayStage(160);
        RuleState(model).m_lstRobots.clear();
        CCom_GameRobot& boss = Stand(c.x, 0.0f, true);
        boss.m_Unit.m_iMaxHp = 1000;
        boss.m_iHp = c.hp;
        boss.m_iBossTimer = c.x > -250.0f ? 1 : 0;
        RuleState(model).m_pMiniGameBoss = &boss;
        RuleState(model).m_nLiveRobots = 1;
        RuleState(model).m_nLiveMachines = 0;
        RuleState(model).m_iStageFrames = 6000;
        RuleState(model).m_iTimeLeft = c.timeLeft;
        UpdateFinalBoss(model);
        EXPECT_EQ(boss.m_iHp, c.hpAfter) << c.rule;
        EXPECT_EQ(boss.m_vPosition.x, c.xAfter) << c.rule;
        EXPECT_EQ(model.State().m_iLife, c.lifeAfter) << c.rule;
    }
}

// Each mini-game deals the hand of its row: the cards slot 0 first, the slots
// shown and the card whose robots run last; the slot machines deal theirs
// from the reels. A row shows no more slots than it has cards and runs last
// only a card of its own.
TEST_F(BattleStateRules, EachMiniGameDealsTheHandOfItsRow) {
    for (int stage = 151; stage <= 180; ++stage) {
        const MiniGameHand& row = MiniGameRowOf(stage).hand;
        PlayStage(stage);
        SetUpSlotReels(model);
        for (HandSlot& h : RuleState(model).m_aHand) h.m_iCard = -1;
        RuleState(model).m_lstDrawLastTypes.clear();
        DealMiniGameHand(model);
        std::vector<int> cards;
        for (int i = 0; i < DECK_SLOTS && model.State().m_aHand[i].m_iCard >= 0; ++i)
            cards.push_back(model.State().m_aHand[i].m_iCard);
        const auto& last = model.State().m_lstDrawLastTypes;
        const std::string at = "stage " + std::to_string(stage);
        if (IsSlotMachineStage(stage)) {
            EXPECT_TRUE(row.cards.empty()) << at;
            EXPECT_EQ(model.State().m_nHandSlots, 3) << at;
            EXPECT_TRUE(std::is_sorted(cards.begin(), cards.end())) << at;
            EXPECT_FALSE(cards.empty()) << at;
            continue;
        }
        EXPECT_EQ(cards, row.cards) << at;
        EXPECT_EQ(model.State().m_nHandSlots, row.slots) << at;
        EXPECT_GE(row.slots, 1) << at;
        EXPECT_LE(size_t(row.slots), row.cards.size()) << at;
        EXPECT_EQ(std::find(last.begin(), last.end(), row.runLast) != last.end(), row.runLast >= 0) << at;
        if (row.runLast >= 0) {
            EXPECT_NE(std::find(cards.begin(), cards.end(), row.runLast), cards.end()) << at;
        }
    }
    // What the rules themselves name of the hands.
    const struct {
        const char* rule;
        int stage;
        int slot, card;  // the card in that slot
        int slots, runLast;
    } named[] = {
        {"151 places its Fusor Bots", 151, 0, RobotId::FusorBot, 1, -1},
        {"155's Diver Bots run last", 155, 1, RobotId::DiverBot, 2, RobotId::DiverBot},
        {"156 steers one Diver Bot, run last", 156, 0, RobotId::DiverBot, 1, RobotId::DiverBot},
        {"158's capsules bring its Buoyer Bot", 158, 5, RobotId::BuoyerBot, 7, -1},
        {"158's Mariner Bot starts hurt", 158, 6, RobotId::MarinerBot, 7, -1},
        {"162's capsule brings slot 1", 162, 1, RobotId::MachineGunner, 2, -1},
        {"171 steers its Machine Gunner", 171, 1, RobotId::MachineGunner, 6, -1},
        {"177 shows one slot of six cards", 177, 5, RobotId::BuoyerBot, 1, -1},
        {"180 deals seven slots", 180, 6, RobotId::MachineGunner, 7, -1},
    };
    for (const auto& n : named) {
        const MiniGameHand& row = MiniGameRowOf(n.stage).hand;
        ASSERT_GT(row.cards.size(), size_t(n.slot)) << n.rule;
        EXPECT_EQ(row.cards[size_t(n.slot)], n.card) << n.rule;
        EXPECT_EQ(row.slots, n.slots) << n.rule;
        EXPECT_EQ(row.runLast, n.runLast) << n.rule;
    }
}

// The set-up hands each of its steps the state the step is for, and with
// every step empty the battle stands as it would: a map stage's slots, a
// mini-game's hand dealt and read before its robots stand with their cards'
// types and hit points, the Machines' records before their art, the stage
// unit, every card record, then the mini-game's field; the map stage's
// preview robots stand last.
TEST_F(BattleStateRules, TheSetUpHandsEachStepTheStateItIsFor) {
    static const auto Machine = [](int type) { return "machine " + std::to_string(type); };
    static const auto Robot = [](int type, int hp) { return std::to_string(type) + " hp " + std::to_string(hp); };
    struct Seen : BattleSetUpSteps {
        explicit Seen(const CBattleModel& m) : model(m) {}
        const CBattleModel& model;
        std::vector<std::string> steps;
        void Say(const std::string& what) { steps.push_back(what); }
        int Robots() const { return int(model.State().m_lstRobots.size()); }
        void HandSlotsSet() override { Say("slots " + std::to_string(model.State().m_nHandSlots)); }
        void BattleSetUp() override { Say("frames " + std::to_string(model.State().m_iStageFrames)); }
        void LoadDealtHand(const CBattleModel::HandRecords& records) override {
            Say("dealt " + std::to_string(records.hand[1].m_iCard) + ", read " +
                std::to_string(model.State().m_aHandDefs[1].m_iType) + ", robots " + std::to_string(Robots()));
        }
        void ClocksStarted() override {
            Say("clocks, slots " + std::to_string(model.State().m_nHandSlots) + ", robots " + std::to_string(Robots()));
        }
        void LoadMachineArt() override { Say(Machine(model.State().m_aEnemyDefs[0].m_iType)); }
        void StageUnitMade() override { Say(model.State().m_pStage ? "stage unit" : "no stage unit"); }
        void CardRecordsRead() override {
            Say("card " + std::to_string(model.State().m_aCardDefs[RobotId::PapaFusor].m_iType));
        }
        void FieldPrepared() override { Say("bottom kind " + std::to_string(model.State().m_aFieldCells[4].m_iKind)); }
    };
    const struct {
        int stage;
        int cardSlots;  // the profile's
        std::vector<std::string> steps;
        std::vector<std::string> robots;  // the start robots' types and hit points
        bool preview;
    } rows[] = {
        {10,
         6,
         {"slots 6", "frames 9900", "clocks, slots 6, robots 0", Machine(MachineId::Smasher), "stage unit", "card 35",
          "bottom kind 2"},
         {},
         true},
        {10,
         10,
         {"slots 10", "frames 9900", "clocks, slots 10, robots 0", Machine(MachineId::Smasher), "stage unit", "card 35",
          "bottom kind 2"},
         {},
         true},
        {172,
         6,
         {"slots 10", "frames 18000", "dealt 35, read 35, robots 0", "clocks, slots 4, robots 3",
          Machine(MachineId::TimeBomb), "stage unit", "card 35", "bottom kind 2"},
         {Robot(RobotId::FusorBot, 60), Robot(RobotId::PapaFusor, 70), Robot(RobotId::FusorBot, 60)},
         false},
        {167,
         6,
         {"slots 10", "frames 4500", "dealt 4, read 4, robots 0", "clocks, slots 5, robots 1",
          Machine(MachineId::Jetpacker), "stage unit", "card 35", "bottom kind 1"},
         {Robot(RobotId::MarinerBot, 60)},
         false},
        // The Mariner Bot starts with half its hit points.
        {158,
         6,
         {"slots 10", "frames 10800", "dealt 22, read 22, robots 0", "clocks, slots 7, robots 4",
          Machine(MachineId::AirScout), "stage unit", "card 35", "bottom kind 3"},
         {Robot(RobotId::DShotgunner, 100), Robot(RobotId::FixerBot, 70), Robot(RobotId::SnowBaller, 100),
          Robot(RobotId::MarinerBot, 30)},
         false},
        {173,
         6,
         {"slots 10", "frames 7200", "dealt 16, read 16, robots 0", "clocks, slots 3, robots 6",
          Machine(MachineId::AirScout), "stage unit", "card 35", "bottom kind 2"},
         {Robot(RobotId::SpiderBot, 100), Robot(RobotId::FlameBot, 150), Robot(RobotId::FixerBot, 70),
          Robot(RobotId::SpiderBot, 100), Robot(RobotId::FlameBot, 150), Robot(RobotId::FixerBot, 70)},
         false},
    };
    for (const auto& r : rows) {
        g_CurrentProfile.m_nCardSlots = r.cardSlots;
        BattleScene scene;
        CBattleModel battle(scene);
        battle.TakeContext(BattleContext{r.stage, 0, &g_CurrentProfile, &clock});
        Seen seen(battle);
        std::vector<CCom_GameRobot> preview = MakeShownRobots();
        int shown = 0;
        RunBattleSetUp(battle, preview, shown, seen);
        std::vector<std::string> robots;
        for (const CCom_GameRobot& robot : battle.State().m_lstRobots)
            robots.push_back(std::to_string(robot.m_Unit.m_iType) + " hp " + std::to_string(robot.m_iHp));
        EXPECT_EQ(seen.steps, r.steps) << "stage " << r.stage;
        EXPECT_EQ(robots, r.robots) << "stage " << r.stage;
        EXPECT_EQ(shown > 0, r.preview) << "stage " << r.stage;
        battle.ForgetStageUnit();  // as its page or runner does when the battle ends
    }
}

// 167 places a new round of caged robots when exactly one robot of the
// player's is left, once the Mariner Bot stands on the bottom row or has
// leapt from the start line; the Machines do not count.
TEST_F(BattleStateRules, Stage167PlacesTheNextRoundWhenOneRobotIsLeft) {
    const struct {
        const char* rule;
        int own, machines, leaps;
        bool onBottom;
        bool places;
    } cases[] = {
        {"one robot on the bottom row", 1, 0, 0, true, true},
        {"one robot and two Machines", 1, 2, 0, true, true},
        {"two robots", 2, 0, 0, true, false},
        {"one robot above the bottom before a leap", 1, 0, 0, false, false},
        {"one robot above the bottom after a leap", 1, 1, 1, false, true},
    };
    for (const auto& c : cases) {
        PlayStage(167);
        RuleState(model).m_lstRobots.clear();
        RuleState(model).m_bEndSequence = 0;
        RuleState(model).m_aFieldCells[FIELD_ROWS - 1].m_fY = 50.0f;
        for (int i = 0; i < c.own; ++i) {
            CCom_GameRobot& r = Stand(0.0f, c.onBottom ? 50.0f : 200.0f);
            r.m_Unit.m_iType = RobotId::MarinerBot;
        }
        for (int i = 0; i < c.machines; ++i) Stand(300.0f, 50.0f, true);
        RuleState(model).m_iStartJumps = c.leaps;
        EXPECT_EQ(PassWorldDown(model), c.places) << c.rule;
    }
}

// A relocated robot stands on its new cell: it leaves its old carrier free,
// boards a live carrier on the new cell (seeing hidden Machines from a
// Surveyor Bot), and a carrier that moves takes its ground along.
TEST_F(BattleStateRules, ARelocatedRobotLeavesItsCarrierAndBoardsTheOneOnItsNewCell) {
    const struct {
        const char* rule;
        int carrierThere;  // the type of a carrier on the new cell, or -1
        int carrierHp;
        bool rodeBefore;
        bool oldFreed, boarded, sees;
    } cases[] = {
        {"off a carrier onto an empty cell", -1, 0, true, true, false, false},
        {"onto a Surveyor Bot", RobotId::SurveyorBot, 10, false, false, true, true},
        {"onto a dead carrier", RobotId::SurveyorBot, 0, false, false, false, false},
        {"from one carrier to another", RobotId::SurveyorBot, 10, true, true, true, true},
    };
    for (const auto& c : cases) {
        PlayStage(153);
        RuleState(model).m_lstRobots.clear();
        for (int i = 0; i < FIELD_CELLS; ++i) {
            FieldCell& cell = RuleState(model).m_aFieldCells[i];
            cell.m_fX = float(i / FIELD_ROWS) * 100.0f;
            cell.m_fY = float(i % FIELD_ROWS) * 100.0f;
            cell.m_iKind = cell.m_iStageKind = CELL_AIR;
        }
        CCom_GameRobot& old = StandOnCell(model, RobotId::SurveyorBot);  // on (3, 2)
        old.m_bPlatformOccupied = c.rodeBefore;
        const int oldSerial = old.m_iSerial;
        if (c.carrierThere >= 0) {
            CCom_GameRobot& there = StandOnCell(model, c.carrierThere);
            there.m_vCell = VxVec3{6.0f, 1.0f, 0.0f};
            there.m_iHp = c.carrierHp;
        }
        CCom_GameRobot& robot = StandOnCell(model, RobotId::GunnerBot);
        robot.m_iLinkedSerial = c.rodeBefore ? oldSerial : NO_SERIAL;
        ASSERT_TRUE(MoveRobotToCell(model, robot, VxVec3{6.0f, 1.0f, 0.0f})) << c.rule;
        EXPECT_EQ(robot.m_vPosition.x, 600.0f) << c.rule;
        EXPECT_EQ(robot.m_vPosition.y, 100.0f) << c.rule;
        EXPECT_EQ(model.State().m_lstRobots.front().m_bPlatformOccupied == 0, c.oldFreed || !c.rodeBefore) << c.rule;
        EXPECT_EQ(robot.m_iLinkedSerial != NO_SERIAL, c.boarded) << c.rule;
        EXPECT_EQ(bool(robot.m_bSeesConcealed), c.sees) << c.rule;
        if (c.carrierThere >= 0) {
            EXPECT_EQ(bool(std::next(model.State().m_lstRobots.begin())->m_bPlatformOccupied), c.boarded) << c.rule;
        }
    }
    // The carrier itself moves with its ground.
    PlayStage(153);
    RuleState(model).m_lstRobots.clear();
    CCom_GameRobot& carrier = StandOnCell(model, RobotId::SurveyorBot);
    RuleState(model).m_aFieldCells[3 * FIELD_ROWS + 2].m_iKind = CELL_GROUND;
    ASSERT_TRUE(MoveRobotToCell(model, carrier, VxVec3{6.0f, 1.0f, 0.0f}));
    EXPECT_EQ(model.State().m_aFieldCells[3 * FIELD_ROWS + 2].m_iKind, CELL_AIR)
        << "the old cell has its own kind back";
    EXPECT_EQ(model.State().m_aFieldCells[6 * FIELD_ROWS + 1].m_iKind, CELL_GROUND) << "the new cell is ground";
}
