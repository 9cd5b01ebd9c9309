// The mini-game framework played whole: seeded winning plays and losing runs
// of the rounds (151), capsule rain (161), fast Machines (175) and the
// conveyor catch (177), each ending at a golden frame and checksum, and the
// framework's edge cases on live pages.
#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <functional>

#include "battle/model/FieldEffectRules.h"
#include "battle/model/ItemFlights.h"
#include "battle/model/MiniGameBossRules.h"
#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/RelocationRules.h"
#include "battle/model/SkyDrops.h"
#include "battle/units/GameItem.h"
#include "content/StageRules.h"
#include "content/UnlockTables.h"
#include "engine/VxSound.h"
#include "tests/HandInputSupport.h"

namespace {

class MiniGameRun : public HandInputTest {
protected:
    bool Playing() { return run->State() == BATTLE_PLAYING; }
    bool Over() { return run->State() >= BATTLE_REWARD; }
    // Steps until the battle leaves BATTLE_PLAYING, doing what the play
    // wants before every frame; false on the limit.
    bool PlayUntilOver(const std::function<void()>& play, int limit = 30000) {
        for (int n = 0; n < limit && !Over(); ++n) {
            // A how-to board over a still goes with a click.
            if (run->App().m_bShowStill) Click(0.0f, 0.0f);
            else if (Playing()) play();
            else run->Step();
        }
        return Over();
    }

    // 151: the Remover Bot takes each Fusor Bot off the field, one at a time.
    void RemoveFusors() {
        CPageGame& p = Page();
        const CCom_GameRobot* target = nullptr;
        bool removing = false;
        for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots) removing = removing || r.Type() == ROBOT_REMOVER;
        for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots) {
            if (r.IsMachine() || r.Type() != 0 || r.m_iHp <= 0 || std::fabs(r.m_vPosition.x) > 420.0f) continue;
            target = &r;
            break;
        }
        if (p.m_Battle.State().m_iRoundPhase != 0 || removing || !target) {
            run->Step();
            return;
        }
        const VxVec3 at = target->m_vPosition;
        if (p.m_Battle.State().m_iCarriedCard < 0) {
            Click(40.0f, 290.0f);
            Frames(12);
        }
        Click(at.x, at.y);
    }

    // 177: cuts a parachute when its robot would fall onto a free carrier.
    void CutOverCarriers() {
        CPageGame& p = Page();
        const float floor = p.m_Battle.State().m_aFieldCells[9 * FIELD_ROWS + 4].m_fY;
        for (int i = PARATROOPERS - 1; i >= 0; --i) {
            const Paratrooper& chute = p.m_Battle.State().m_aParatroopers[i];
            if (chute.state != 0) continue;
            const VxVec3 robot = chute.robot;
            const int fall = int(std::ceil((robot.y - floor) / 15.0f));
            if (fall < 1) continue;
            for (const CCom_GameRobot& c : p.m_Battle.State().m_lstRobots) {
                if (c.m_Unit.m_iRole != ROLE_PLATFORM || c.m_bPlatformOccupied) continue;
                if (std::fabs(c.m_vPosition.x - 4.0f * float(fall) - robot.x) > 20.0f) continue;
                Click(robot.x, chute.picture.y + PARACHUTE_LIFT);
                return;
            }
        }
        run->Step();
    }

    // 175: a Hammer Bot dropped just ahead of the first Machine.
    void HammerMachines() {
        CPageGame& p = Page();
        if (p.m_Battle.State().m_iCarriedCard < 0 &&
            p.m_Battle.State().m_aHand[0].m_iCharge == p.m_Battle.State().m_aHandDefs[0].m_iRechargeTime) {
            for (const CCom_GameRobot& m : p.m_Battle.State().m_lstRobots) {
                if (!m.IsMachine() || m.m_iHp <= 0 || m.m_vPosition.x > 400.0f) continue;
                const VxVec3 at = m.m_vPosition;
                Click(HandSlot(0).x, HandSlot(0).y);
                Frames(12);
                Click(at.x - 25.0f, at.y);
                return;
            }
        }
        run->Step();
    }

    void PlaceDefence() {
        if (Page().m_Battle.State().m_iBattleFrame % 120 == 0) run->PlaceDefence();
        run->Step();
    }
};

struct PlayCase {
    int stage;
    int difficulty;
    const char* play;  // "win" or "lose"
    const char* outcome;
};

const PlayCase kPlays[] = {
    {151, 1, "win", "won"}, {151, 1, "lose", "lost"}, {161, 1, "win", "won"}, {161, 1, "lose", "lost"},
    {175, 1, "win", "won"}, {175, 1, "lose", "lost"}, {177, 1, "win", "won"}, {177, 1, "lose", "lost"},
};

class FrameworkPlay : public MiniGameRun, public ::testing::WithParamInterface<PlayCase> {};

TEST_P(FrameworkPlay, EndsAsPlayedAtItsGoldenFrameAndChecksum) {
    const PlayCase c = GetParam();
    Begin(c.stage, c.difficulty, 4321);
    g_CurrentProfile.m_abRobotUnlocked[ROBOT_REMOVER] = 1;
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
    const bool win = std::string(c.play) == "win";
    std::function<void()> play = [this] { run->Step(); };
    if (win && c.stage == 151) play = [this] { RemoveFusors(); };
    if (win && c.stage == 161) play = [this] { PlaceDefence(); };
    if (win && c.stage == 175) play = [this] { HammerMachines(); };
    if (win && c.stage == 177) play = [this] { CutOverCarriers(); };
    ASSERT_TRUE(PlayUntilOver(play));
    const StageRunResult r = run->RunToEnd();
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.notFound, 0);
    EXPECT_EQ(r.boxes, 0);
    char value[64];
    std::snprintf(value, sizeof value, "%s:%d:%016" PRIx64, r.outcome.c_str(), r.frame, r.checksum);
    golden::ExpectStageValue("minigame" + std::to_string(c.stage) + "_" + c.play, value);
}

INSTANTIATE_TEST_SUITE_P(Framework, FrameworkPlay, ::testing::ValuesIn(kPlays),
                         [](const ::testing::TestParamInfo<PlayCase>& info) {
                             return "Stage" + std::to_string(info.param.stage) + "_" + info.param.play;
                         });

}  // namespace

namespace {

class MiniGameEdge : public MiniGameRun {
protected:
    // The battle of the stage in BATTLE_PLAYING with no Machine scheduled.
    CPageGame& Playing(int stage) {
        Begin(stage, 1, 77);
        EXPECT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
        if (run->App().m_bShowStill) Click(0.0f, 0.0f);
        CPageGame& p = Page();
        RuleState(p.m_Battle).m_StageDefinition.m_bEnemySchedule = false;
        return p;
    }
    // Takes every unit off the field the way the battle does.
    void EmptyField() {
        CPageGame& p = Page();
        for (auto it = RuleState(p.m_Battle).m_lstRobots.begin(); it != RuleState(p.m_Battle).m_lstRobots.end();) {
            p.m_Battle.ForgetMiniGameLinks(it->m_iSerial);
            it = EraseRobot(RuleState(p.m_Battle).m_lstRobots, it);
        }
    }
    // 177 on an empty field with one carrier on the floor, at x; the floor's height.
    float CarrierOnEmptyFloor(float x, int& carrierSerial) {
        CPageGame& p = Playing(177);
        EmptyField();
        const float floor = p.m_Battle.State().m_aFieldCells[4].m_fY;
        CCom_GameRobot* carrier = p.m_Battle.SpawnMiniGameRobot(p.m_Battle.FindHandCard(23), 0.0f, floor, 0.0f);
        EXPECT_NE(carrier, nullptr);
        if (!carrier) return floor;
        carrier->m_vPosition = VxVec3{x, floor, 0.0f};
        carrierSerial = carrier->m_iSerial;
        return floor;
    }
};

TEST_F(MiniGameEdge, AnEmptyFieldLosesOnlyWhereARobotOfThePlayersHasStood) {
    const struct {
        int stage;
        bool robotFirst;  // a robot is placed, and taken away, before the field is left empty
        bool lost;
    } cases[] = {
        {150, true, false},                                           // no mini-game
        {153, false, true},                                           // started with robots
        {151, false, false},                                          // the rounds decide instead
        {155, false, true},                                           // fewer than four
        {161, false, false},                                          // never had one
        {161, true, true},   {175, true, true}, {172, false, false},  // lives on energy
        {177, true, false},                                           // lives on catching
    };
    for (const auto& c : cases) {
        CPageGame& p = Playing(c.stage);
        RuleState(p.m_Battle).m_iEnergy = 500;
        EmptyField();
        if (c.robotFirst) {
            p.m_Battle.SpawnMiniGameRobotOnCell(5, 0, 2);
            Frames(2);
            EmptyField();
        }
        Frames(60);
        EXPECT_EQ(p.m_Battle.State().m_iLife <= 0, c.lost) << "stage " << c.stage;
        if (c.stage == 151) {
            EXPECT_EQ(p.m_Battle.State().m_iRoundPhase, 1);
        }
        run.reset();
    }
}

TEST_F(MiniGameEdge, Stage155IsLostWithThreeRobotsWhateverTheMachines) {
    CPageGame& p = Playing(155);
    ASSERT_EQ(Robots(), 4);
    ASSERT_NE(p.m_Battle.CallEnemyRobot(p.m_Battle.State().m_aEnemyDefs[0].m_iType, 0.0f, 0.0f, 0.0f, false), nullptr);
    Frames(5);
    EXPECT_GT(p.m_Battle.State().m_iLife, 0);
    for (auto it = RuleState(p.m_Battle).m_lstRobots.begin(); it != RuleState(p.m_Battle).m_lstRobots.end(); ++it)
        if (!it->IsMachine()) {
            it->m_bExpired = 1;
            break;
        }
    Frames(3);
    EXPECT_EQ(p.m_Battle.State().m_iLife, 0);
}

TEST(MiniGameGroups, IdsBeyondTheTableGoByKind) {
    const struct {
        int stage;
        bool mini, relocation, slots, charge;
    } cases[] = {
        {150, false, false, false, false}, {153, true, true, false, false},  {159, true, false, true, false},
        {164, true, false, false, true},   {178, true, false, true, false},  {179, true, false, false, true},
        {180, true, true, false, false},   {177, true, false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsMiniGameStage(c.stage), c.mini) << c.stage;
        EXPECT_EQ(IsRelocationStage(c.stage), c.relocation) << c.stage;
        EXPECT_EQ(IsSlotMachineStage(c.stage), c.slots) << c.stage;
        EXPECT_EQ(IsChargeShotStage(c.stage), c.charge) << c.stage;
    }
}

TEST_F(MiniGameEdge, TweensArcToTheirEndAndShortOnesNeverStart) {
    CPageGame& p = Playing(153);
    CCom_GameRobot& r = RuleState(p.m_Battle).m_lstRobots.front();
    const VxVec3 start = r.m_vPosition;
    AddMiniGameTween(p.m_Battle, &r, start.x + 7.0f, start.y, start.z);
    UpdateMiniGameTweens(p.m_Battle);
    EXPECT_EQ(r.m_vPosition.x, start.x);
    for (const MiniGameTween& t : p.m_Battle.State().m_aTweens) EXPECT_EQ(t.m_iFramesLeft, 0);

    AddMiniGameTween(p.m_Battle, &r, start.x + 80.0f, start.y, start.z);
    ASSERT_EQ(p.m_Battle.State().m_aTweens[0].m_iFramesLeft, 10);
    for (int i = 0; i < 5; ++i) UpdateMiniGameTweens(p.m_Battle);
    EXPECT_FLOAT_EQ(r.m_vPosition.x, start.x + 40.0f);
    EXPECT_FLOAT_EQ(r.m_vPosition.y, start.y + 25.0f);  // the top of the arc
    for (int i = 0; i < 5; ++i) UpdateMiniGameTweens(p.m_Battle);
    EXPECT_FLOAT_EQ(r.m_vPosition.x, start.x + 80.0f);
    EXPECT_NEAR(r.m_vPosition.y, start.y, 1e-3);
    EXPECT_EQ(p.m_Battle.State().m_aTweens[0].m_iFramesLeft, 0);
    // All three slots busy: a fourth tween is not taken.
    CCom_GameRobot& other = RuleState(p.m_Battle).m_lstRobots.back();
    for (int i = 0; i < 4; ++i)
        AddMiniGameTween(p.m_Battle, &other, other.m_vPosition.x - 100.0f * float(i + 1), 0.0f, 0.0f);
    for (const MiniGameTween& t : p.m_Battle.State().m_aTweens) EXPECT_GT(t.m_iFramesLeft, 0);
}

TEST_F(MiniGameEdge, Stage177IsWonAtThirtyCaughtAndLostWhenTheTimeRunsOutAt29) {
    for (int caught : {29, 30}) {
        CPageGame& p = Playing(177);
        RuleState(p.m_Battle).m_iCatchCount = caught;
        RuleState(p.m_Battle).m_iTimeLeft = 1;
        ASSERT_TRUE(run->RunUntilState(BATTLE_RESULT, 600));
        EXPECT_EQ(p.m_Battle.State().m_iLife > 0, caught == 30) << caught;
        run.reset();
    }
}

TEST_F(MiniGameEdge, ParatroopersDropOnlyRobotCardsAndTheDrawEnds) {
    CPageGame& p = Playing(177);
    ASSERT_EQ(p.m_Battle.State().m_nHandSlots, 1);
    ASSERT_NE(p.m_Battle.State().m_aHandDefs[0].m_iRole, ROLE_ATTACK);  // the only shown card never drops
    for (int i = 0; i < 12; ++i) DropParatrooper(p.m_Battle);
    int dropped = 0;
    for (const Paratrooper& chute : p.m_Battle.State().m_aParatroopers) {
        if (chute.state < 0) continue;
        ++dropped;
        EXPECT_EQ(p.m_Battle.State().m_aHandDefs[chute.slot].m_iRole, ROLE_ATTACK);
    }
    EXPECT_EQ(dropped, 12);
}

TEST_F(MiniGameEdge, AClickCutsAParachuteInsideItsSquareAndSpendsThePress) {
    for (float dx : {127.0f, 128.0f}) {
        CPageGame& p = Playing(177);
        EmptyField();
        ASSERT_EQ(StartParatrooper(p.m_Battle, p.m_Battle.FindHandCard(18)), 0);
        Paratrooper& chute = RuleState(p.m_Battle).m_aParatroopers[0];
        chute.robot = VxVec3{0.0f, 100.0f, 0.0f};
        chute.picture = VxVec3{0.0f, 50.0f, 0.0f};
        Aim(dx, 130.0f);
        InputRecord& in = run->App().m_aInput[0];
        in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
        p.HandlePlayingInput();
        const bool cut = dx < 128.0f;
        EXPECT_EQ(chute.state, cut ? 1 : 0) << dx;
        EXPECT_EQ(Robots(), cut ? 1 : 0) << dx;
        EXPECT_EQ((in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED) == 0, cut) << dx;
        run.reset();
    }
}

TEST_F(MiniGameEdge, AMachineCutsTheHighestParachuteItTouchesUnlessTheClickCutOneAbove) {
    const struct {
        const char* name;
        int clicked;   // the record the player cuts, -1 none
        int released;  // the record cut loose this frame
    } rows[] = {{"no click: the touched one falls", -1, 1},
                {"a click above the touched one takes the frame", 2, 2},
                {"a click below it is refused: the Machine got there first", 0, 1}};
    for (const auto& r : rows) {
        CPageGame& p = Playing(177);
        EmptyField();
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(StartParatrooper(p.m_Battle, p.m_Battle.FindHandCard(18)), i);
            Paratrooper& chute = RuleState(p.m_Battle).m_aParatroopers[i];
            chute.robot = VxVec3{-300.0f + 300.0f * float(i), 100.0f, 0.0f};
            chute.picture = VxVec3{chute.robot.x, 50.0f, 0.0f};
        }
        CCom_GameRobot* machine =
            p.m_Battle.CallEnemyRobot(p.m_Battle.State().m_aEnemyDefs[0].m_iType, 0.0f, 130.0f, 0.0f, false);
        ASSERT_NE(machine, nullptr);
        machine->m_vPosition = VxVec3{0.0f, 130.0f, 0.0f};
        EXPECT_EQ(ParachuteTouched(p.m_Battle), 1) << r.name;
        if (r.clicked >= 0) {
            EXPECT_EQ(Apply(p.m_Battle, CutParachute{r.clicked}), r.clicked >= 1) << r.name;
        }
        LetMachinesCutParachutes(p.m_Battle);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(p.m_Battle.State().m_aParatroopers[i].state, i == r.released ? 1 : 0) << r.name << " " << i;
        run.reset();
    }
}

TEST_F(MiniGameEdge, ALandingRobotNeedsAFreeCarrierWithin45Pixels) {
    const struct {
        float offset;
        bool occupied;
        bool caught;
    } cases[] = {{40.0f, false, true}, {50.0f, false, false}, {40.0f, true, false}};
    for (const auto& c : cases) {
        int carrierSerial = NO_SERIAL;
        const float floor = CarrierOnEmptyFloor(c.offset, carrierSerial);
        ASSERT_NE(carrierSerial, NO_SERIAL);
        CPageGame& p = Page();
        FindRobotBySerial(RuleState(p.m_Battle).m_lstRobots, carrierSerial)->m_bPlatformOccupied = c.occupied ? 1 : 0;
        ASSERT_EQ(StartParatrooper(p.m_Battle, p.m_Battle.FindHandCard(19)), 0);
        RuleState(p.m_Battle).m_aParatroopers[0].start = VxVec3{0.0f, floor, 0.0f};
        RunParatroopers(p.m_Battle);
        EXPECT_EQ(p.m_Battle.State().m_iCatchCount, c.caught ? 1 : 0) << c.offset;
        const CCom_GameRobot& landed = p.m_Battle.State().m_lstRobots.back();
        EXPECT_EQ(landed.Type(), 19);
        EXPECT_EQ(landed.m_iLinkedSerial, c.caught ? carrierSerial : NO_SERIAL) << c.offset;
        EXPECT_EQ(landed.m_iHp > 0, c.caught) << c.offset;
        run.reset();
    }
}

TEST_F(MiniGameEdge, Stage177sFallingRobotsBoardAFreeCarrierWithin45PixelsOneToACarrier) {
    const struct {
        const char* rule;
        float offset;  // the carrier's distance aside when the robots reach the floor
        int falling;   // robots coming down together over the same spot
        int caught;
    } cases[] = {{"a free carrier 44 aside catches it", 44.0f, 1, 1},
                 {"a carrier 45 aside lets it break", 45.0f, 1, 0},
                 {"the carrier the first boards lets the second break", 0.0f, 2, 1}};
    for (const auto& c : cases) {
        int carrierSerial = NO_SERIAL;
        const float floor = CarrierOnEmptyFloor(c.offset + 4.0f, carrierSerial);  // carriers drift 4 left first
        ASSERT_NE(carrierSerial, NO_SERIAL);
        CPageGame& p = Page();
        std::vector<int> serials;
        for (int i = 0; i < c.falling; ++i) {
            CCom_GameRobot* r = p.m_Battle.SpawnMiniGameRobot(p.m_Battle.FindHandCard(19), 0.0f, floor, 0.0f);
            ASSERT_NE(r, nullptr);
            r->m_vPosition = VxVec3{0.0f, floor + 10.0f, 0.0f};
            serials.push_back(r->m_iSerial);
        }
        const int before = p.m_Battle.State().m_iCatchCount;
        UpdateConveyorCatch(p.m_Battle);
        EXPECT_EQ(p.m_Battle.State().m_iCatchCount - before, c.caught) << c.rule;
        for (int i = 0; i < c.falling; ++i) {
            const CCom_GameRobot* r = FindRobotBySerial(RuleState(p.m_Battle).m_lstRobots, serials[i]);
            ASSERT_NE(r, nullptr) << c.rule;
            const bool boarded = i < c.caught;
            EXPECT_EQ(r->m_iLinkedSerial, boarded ? carrierSerial : NO_SERIAL) << c.rule << " " << i;
            EXPECT_EQ(r->m_iHp > 0, boarded) << c.rule << " " << i;
        }
        run.reset();
    }
}

TEST_F(MiniGameEdge, Stage171sDriftingParatroopersKeepTheirRecordsSoTheThirtyFirstJumpOutHasNoParachute) {
    CPageGame& p = Playing(171);
    const BattleData& s = p.m_Battle.State();
    ASSERT_EQ(ThrowRobotOut(p.m_Battle, 3, VxVec3{100.0f, 0.0f, 0.0f}), 0);
    for (int i = 0; i < 61; ++i) RunThrownRobots(p.m_Battle);
    EXPECT_FALSE(s.m_aThrownRobots[0].live);
    ASSERT_EQ(s.m_aParatroopers[0].state, 0);  // the thrown robot now hangs
    for (int i = 0; i < 2000; ++i) RunParatroopers(p.m_Battle);
    // Far off the field by now, and still hanging in its record.
    EXPECT_GT(s.m_aParatroopers[0].robot.x, 0.5f * float(g_iScreenWidth) + 256.0f);
    EXPECT_EQ(s.m_aParatroopers[0].state, 0);
    EXPECT_EQ(Robots(), 1);  // no robot lands or is cut loose on 171
    // Twenty-nine more fill the thirty records; the next throw hands over to nobody.
    auto hanging = [&] {
        int n = 0;
        for (const Paratrooper& chute : s.m_aParatroopers) n += chute.state == 0;
        return n;
    };
    auto thrown = [&] {
        ASSERT_GE(ThrowRobotOut(p.m_Battle, 3, VxVec3{100.0f, 0.0f, 0.0f}), 0);
        for (int i = 0; i < 61; ++i) RunThrownRobots(p.m_Battle);
    };
    for (int k = 2; k <= 30; ++k) thrown();
    EXPECT_EQ(hanging(), 30);
    thrown();  // the thirty-first
    EXPECT_EQ(hanging(), 30);
    EXPECT_FALSE(s.m_aThrownRobots[0].live);
}

TEST_F(MiniGameEdge, Stage171sFinaleCountsTo12000By25AndSoundsOnceOnReachingIt) {
    CPageGame& p = Playing(171);
    BattleData& s = RuleState(p.m_Battle);
    s.m_iTimeLeft = s.m_iStageFrames - 2700;
    StepBombRun(p.m_Battle);  // the boss comes
    ASSERT_NE(s.m_pMiniGameBoss, nullptr);
    CCom_GameRobot* pilot = s.m_apMiniGameRobots[0];
    ASSERT_NE(pilot, nullptr);
    CVxSound* finale = p.m_Battle.Scene().m_pSfxDestroyerDead;
    ASSERT_NE(finale, nullptr);
    s.m_iTimeLeft -= 1;
    s.m_pMiniGameBoss->m_iHp = 999;
    s.m_iMiniGameFlag = 11000;       // the pilot has turned at the right edge
    pilot->m_vPosition.x = 2000.0f;  // far from bursting for the whole count
    for (int step = 1; step <= 50; ++step) {
        StepBombRun(p.m_Battle);
        EXPECT_EQ(s.m_iMiniGameFlag, std::min(12000, 11000 + 25 * step)) << step;
        EXPECT_EQ(finale->IsPlaying(), step == 40) << step;
        finale->Stop();
    }
}

// The Destroyer's fall: its bombs are first heard past age 120, struck again
// every tenth frame, and not between.
TEST_F(MiniGameEdge, TheDestroyersFallingBombsSoundFromAge130EveryTenthFrame) {
    CPageGame& p = Playing(160);
    CVxSound* bombs = p.m_Battle.Scene().m_pSfxDestroyerBomb;
    ASSERT_NE(bombs, nullptr);
    const struct {
        int age;
        bool sounds;
    } rows[] = {{0, false},  {110, false}, {120, false}, {125, false},
                {130, true}, {131, false}, {140, true},  {590, true}};
    for (const auto& row : rows) {
        bombs->Stop();
        FieldEffect fall;
        InitFieldEffect(fall, FIELD_EFFECT_FINAL_BOMBARDMENT, 0, 0.0f, 0.0f, 0.0f);
        fall.age = row.age;
        ActOnBattle(p.m_Battle, fall);
        EXPECT_EQ(bombs->IsPlaying(), row.sounds) << "age " << row.age;
    }
}

TEST_F(MiniGameEdge, AnArrivingCapsuleBringsItsRobot) {
    const struct {
        int stage;
        int type;  // of the robot it brings
        int hp;    // 0: the card's own
    } cases[] = {{154, 4, 0}, {158, 23, 10000}, {161, -1, 0}};
    for (const auto& c : cases) {
        CPageGame& p = Playing(c.stage);
        const size_t before = p.m_Battle.State().m_lstRobots.size();
        ASSERT_TRUE(LaunchItemFlight(p.m_Battle, ITEM_CAPSULE, VxVec3{-300.0f, 0.0f, 0.0f}));
        for (int i = 0; i < 60; ++i) RunItemFlights(p.m_Battle);
        if (c.type < 0) {
            EXPECT_EQ(p.m_Battle.State().m_lstRobots.size(), before) << c.stage;
        } else {
            ASSERT_EQ(p.m_Battle.State().m_lstRobots.size(), before + 1) << c.stage;
            EXPECT_EQ(p.m_Battle.State().m_lstRobots.back().Type(), c.type) << c.stage;
            if (c.hp) {
                EXPECT_EQ(p.m_Battle.State().m_lstRobots.back().m_iHp, c.hp) << c.stage;
            }
        }
        run.reset();
    }
}

// A robot dragged by mouse on the relocation stages always ends on a field
// cell and is counted among the live robots, however the drag ends.
TEST_F(MiniGameEdge, ADraggedRobotAlwaysEndsOnAFieldCellAndIsCounted) {
    enum Drag { OffTheField, OnItsOwnCell, OnAnotherRobot, OnAFreeCell };
    const struct {
        const char* name;
        Drag drag;
    } drags[] = {{"released off the field", OffTheField},
                 {"released on its own cell", OnItsOwnCell},
                 {"released on another robot's cell", OnAnotherRobot},
                 {"released on a free cell", OnAFreeCell}};
    for (int stage : {153, 158, 160, 170, 172, 173, 180}) {
        for (const auto& d : drags) {
            SCOPED_TRACE(std::to_string(stage) + ": " + d.name);
            CPageGame& p = Playing(stage);
            const BattleData& s = p.m_Battle.State();
            const CCom_GameRobot* moved = nullptr;
            const CCom_GameRobot* other = nullptr;
            for (const CCom_GameRobot& r : s.m_lstRobots) {
                if (!MayRelocate(p.m_Battle, r) || r.m_Unit.m_iRole == ROLE_PLATFORM) continue;
                if (!moved && !RelocationCoolingDown(p.m_Battle, r)) moved = &r;
                else if (!other) other = &r;
            }
            ASSERT_NE(moved, nullptr);
            const int serial = moved->m_iSerial;
            const VxVec3 from = moved->m_vPosition;
            VxVec3 to = from;
            if (d.drag == OffTheField) to = VxVec3{0.0f, 300.0f, 0.0f};
            if (d.drag == OnAnotherRobot) {
                if (!other) continue;
                to = other->m_vPosition;
            }
            if (d.drag == OnAFreeCell) to = Cell(2, int(moved->m_vCell.y) == 0 ? 1 : 0);
            Press(from.x, from.y);
            ASSERT_EQ(s.m_iRelocatingRobot, serial);
            Move(to.x, to.y, 3);
            Release(to.x, to.y);
            Frames(2);
            EXPECT_EQ(s.m_iRelocatingRobot, -1);
            int own = 0;
            for (const CCom_GameRobot& r : s.m_lstRobots) {
                if (r.IsMachine()) continue;
                ++own;
                EXPECT_TRUE(r.m_iRow >= 0 && r.m_iRow < FIELD_ROWS && r.m_vCell.x >= 0.0f &&
                            r.m_vCell.x < float(FIELD_COLUMNS))
                    << "type " << r.Type() << " stands off the field";
            }
            EXPECT_NE(FindRobotBySerial(RuleState(p.m_Battle).m_lstRobots, serial), nullptr) << "the robot is kept";
            EXPECT_EQ(s.m_nLiveRobots, own) << "every own robot is counted";
            EXPECT_GT(s.m_iLife, 0);
            run.reset();
        }
    }
}

TEST_F(MiniGameEdge, Stage151RefusesPlacementWhileTheFieldScrolls) {
    CPageGame& p = Playing(151);
    const VxVec3 fusor = p.m_Battle.State().m_lstRobots.front().m_vPosition;
    RuleState(p.m_Battle).m_iCarriedCard = REMOVER_SLOT;
    EXPECT_GE(p.m_Battle.PlacementCellAt(REMOVER_SLOT, fusor, false), 0);
    RuleState(p.m_Battle).m_iRoundPhase = 1;
    EXPECT_LT(p.m_Battle.PlacementCellAt(REMOVER_SLOT, fusor, false), 0);
}

}  // namespace
