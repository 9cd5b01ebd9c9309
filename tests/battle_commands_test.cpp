// The player's acts as commands. A stage played with the mouse leaves a log
// of the commands its clicks and moves made; the same stage and seed played
// again with the mouse still from the battle's start, the log's commands
// applied at their frames, ends at the same checksum (the mouse run's
// golden), and so does the battle's model played alone from the log. The
// checks of the commands hold their rules on a bare model.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

#include "battle/model/BattleCommands.h"
#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/BattleSetUp.h"
#include "battle/model/SkyDrops.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "content/UnitIds.h"
#include "engine/PageIndices.h"
#include "game/GameApplication.h"
#include "tests/BareModel.h"
#include "tests/StageRunSupport.h"
#include "tools/stagerun/InputPlayer.h"
#include "tools/stagerun/ModelRun.h"

namespace {

class CommandReplay : public StageRunTest, public ::testing::WithParamInterface<int> {};

std::string Golden(const StageRunResult& r) {
    char value[96];
    std::snprintf(value, sizeof value, "%s:%d:%016" PRIx64, r.outcome.c_str(), r.frame, r.checksum);
    return value;
}

std::vector<LoggedCommand> PlayCommands(const std::vector<LoggedCommand>& log) {
    std::vector<LoggedCommand> play;
    for (const LoggedCommand& c : log)
        if (IsPlayCommand(c.command)) play.push_back(c);
    return play;
}

}  // namespace

namespace {

// A stage played by the input player with the mouse: its result, the whole
// log of commands, the runner frame the battle began on and the checksum
// after each battle frame the runner stepped between the player's acts.
struct MouseRun {
    StageRunResult result;
    std::vector<LoggedCommand> log;
    int playFrom = -1;
    std::vector<ScriptEvent> script;
    std::map<int, uint64_t> checksums;
    std::vector<int> stats;  // the stage's statistics at the end
};

std::vector<int> StageStats(const CBattleModel& model) {
    return {std::begin(model.State().m_aiStageStats), std::end(model.State().m_aiStageStats)};
}

MouseRun PlayWithTheMouse(std::unique_ptr<StageRun>& run, int stage) {
    MouseRun m;
    StageRunOptions o = InputPlayerOptions(stage);
    run = std::make_unique<StageRun>(o);
    EXPECT_TRUE(run->Start()) << run->Error();
    g_CurrentProfile.m_nCardSlots = 4;
    run->Model().KeepCommandLog(true);
    InputPlayer player(*run, o.script);
    const auto onBattle = [&] { return run->App().m_iCurrentPage == BATTLE_PAGE_INDEX; };
    while (run->RunnerFrame() < 40000) {
        if (onBattle() && run->State() == BATTLE_SUMMARY) break;
        if (m.playFrom < 0 && onBattle() && run->State() == BATTLE_PLAYING) m.playFrom = run->RunnerFrame();
        if (!player.Act()) run->Step();
        if (onBattle()) m.checksums[run->BattleFrame()] = run->Checksum();
    }
    m.result = run->RunToEnd();
    m.stats = StageStats(run->Model());
    m.log = run->Model().CommandLog();
    m.script = player.Script();
    run.reset();
    return m;
}

}  // namespace

TEST_P(CommandReplay, CommandsAloneReachTheMouseRunsChecksum) {
    const int stage = GetParam();
    const MouseRun mouse = PlayWithTheMouse(run, stage);
    const std::vector<LoggedCommand> log = PlayCommands(mouse.log);
    std::string expected;
    ASSERT_TRUE(ReadGoldenValue(golden::StageRunFile(), "scripted_stage" + std::to_string(stage), expected));
    ASSERT_EQ(Golden(mouse.result), expected) << "the mouse run is the golden one";
    ASSERT_GE(mouse.playFrom, 0);
    EXPECT_GE(CountOf<PickCard>(log), 1) << "cards were picked";
    EXPECT_GE(CountOf<PlaceCard>(log), 1) << "cards were placed";
    EXPECT_GE(CountOf<CollectItem>(log), 1) << "items were collected";
    EXPECT_GE(CountOf<HoldCard>(log), 1) << "carried cards were held over the field";

    // The card choice is played as before; from the battle's first frame on
    // the mouse neither moves nor clicks, and no key is pressed.
    StageRunOptions o = InputPlayerOptions(stage);
    o.script.clear();
    for (const ScriptEvent& e : mouse.script)
        if (e.frame < mouse.playFrom) o.script.push_back(e);
    run = std::make_unique<StageRun>(o);
    ASSERT_TRUE(run->Start()) << run->Error();
    g_CurrentProfile.m_nCardSlots = 4;
    LoggedCommandSource source(log);
    run->Battle().m_pCommandSource = &source;
    run->Model().KeepCommandLog(true);
    const StageRunResult replayed = run->RunToEnd();
    const std::vector<LoggedCommand> again = PlayCommands(run->Model().CommandLog());
    run->Battle().m_pCommandSource = nullptr;
    EXPECT_EQ(source.Left(), 0u) << "every logged command came due";
    EXPECT_EQ(again.size(), log.size()) << "every logged command applied again";
    for (size_t i = 0; i < std::min(again.size(), log.size()); ++i)
        ASSERT_EQ(again[i].frame, log[i].frame) << "command " << i << " came at its frame";
    EXPECT_EQ(Golden(replayed), expected);
}

INSTANTIATE_TEST_SUITE_P(Stages, CommandReplay, ::testing::Values(10, 60),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Stage" + std::to_string(info.param);
                         });

// The same stage played by the battle's model alone: no page and no mouse,
// only the mouse run's log (the hand's choice and the ends of the page's
// captions and boards with the player's acts) at its frames.
class ModelAlone : public CommandReplay {};

TEST_P(ModelAlone, TheBattleWithoutItsPageReachesTheMouseRunsChecksum) {
    const int stage = GetParam();
    const MouseRun mouse = PlayWithTheMouse(run, stage);
    // A map stage's hand is chosen once; a mini-game deals its own.
    EXPECT_EQ(CountOf<ChooseHand>(mouse.log), stage <= 150 ? 1 : 0);
    EXPECT_GE(CountOf<EnterState>(mouse.log), 3) << "the page's showings ended by command";
    // Stage 2, first reached, teaches its higher ground in one step the player clicks away.
    EXPECT_EQ(CountOf<ContinueTutorial>(mouse.log), stage == 2 ? 1 : 0);

    StageRunOptions o = InputPlayerOptions(stage);
    o.script.clear();
    ModelRun alone(o, mouse.log);
    ASSERT_TRUE(alone.Start()) << alone.Error();
    g_CurrentProfile.m_nCardSlots = 4;
    EXPECT_EQ(alone.RunComparing(mouse.checksums), -1)
        << "the first battle frame the model alone parts from the mouse run";
    EXPECT_TRUE(alone.Refused().empty()) << alone.Refused().size() << " logged commands refused, the first at frame "
                                         << alone.Refused()[0].frame;
    EXPECT_EQ(alone.Left(), 0u) << "every logged command came due";
    EXPECT_EQ(Golden(alone.RunToEnd()), Golden(mouse.result));
    // What the achievements count: shots, fusors and attackers placed, occupied cells.
    EXPECT_EQ(StageStats(alone.Model()), mouse.stats) << "the stage's statistics";
    if (stage <= 150) {
        EXPECT_GT(mouse.stats[4], 0) << "robots stood on the field at the end";
    }
}

// A map stage of each episode, a boss's, and mini-games: 2 deals its hand
// without a choice and holds its tutorial's step, 151 opens on a board over a
// still picture, 175's Machines speed up with the input, 177's robots come
// down by parachute.
INSTANTIATE_TEST_SUITE_P(Stages, ModelAlone, ::testing::Values(2, 10, 50, 60, 110, 151, 175, 177),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Stage" + std::to_string(info.param);
                         });

// ---- The checks, on a bare model: a ground field, a charged Gunner Bot
// carried from slot 0 with the energy for it. ----

namespace {

struct BareBattle : BareModel {
    BareBattle() {
        LayField(TERRAIN_GROUND);
        RuleState(model).m_aFieldCells[Cell(5, 1)].m_iKind = RuleState(model).m_aFieldCells[Cell(5, 1)].m_iStageKind =
            TERRAIN_AIR;
        UnitDefinition& d = RuleState(model).m_aHandDefs[0];
        d.m_iType = RobotId::GunnerBot;
        d.m_iTerrain = TERRAIN_GROUND;
        d.m_iRole = ROLE_ATTACK;
        d.m_iRechargeTime = 100;
        d.m_iEnergyCost = 50;
        RuleState(model).m_aHand[0] = HandSlot{RobotId::GunnerBot, 100};
        RuleState(model).m_iEnergy = 80;
        RuleState(model).m_iCarriedCard = 0;
    }
    static int Cell(int column, int row) { return column * FIELD_ROWS + row; }
    void StandRobot(int column, int row) {
        Stand(float(column) * 80.0f, float(row) * 75.0f).m_vCell = VxVec3{float(column), float(row), 0.0f};
    }
};

// In play with the card of slot 0 carried, or none (-1).
std::function<void(BareBattle&)> Playing(int carried) {
    return [carried](BareBattle& b) {
        RuleState(b.model).m_iBattleState = BATTLE_PLAYING;
        RuleState(b.model).m_iCarriedCard = carried;
    };
}

// In play with a robot of the field picked up to be moved.
std::function<void(BareBattle&)> Relocating() {
    return [](BareBattle& b) {
        Playing(0)(b);
        b.StandRobot(3, 2);
        RuleState(b.model).m_iRelocatingRobot = b.model.State().m_lstRobots.back().m_iSerial;
    };
}

// The slot machine in play, reels 0 and 1 running, the lever that many
// frames from back up.
std::function<void(BareBattle&)> Reels(int carried, int leverCooldown) {
    return [carried, leverCooldown](BareBattle& b) {
        Playing(carried)(b);
        RuleState(b.model).m_aSlotReels[0].m_bRunning = RuleState(b.model).m_aSlotReels[1].m_bRunning = 1;
        RuleState(b.model).m_iSlotLeverCooldown = leverCooldown;
    };
}

struct CheckCase {
    const char* rule;
    std::function<void(BareBattle&)> setUp;
    std::function<BattleCommand()> command;
    bool allowed;
};

}  // namespace

TEST(BattleCommandChecks, EachCommandIsRefusedExactlyWhereItsRuleSays) {
    const int free = BareBattle::Cell(3, 2);
    const auto place = [=] { return BattleCommand{PlaceCard{0, free}}; };
    const auto none = [](BareBattle&) {};
    const CheckCase cases[] = {
        {"a charged card with its energy goes on a free cell of its terrain", none, place, true},
        {"a card is not placed without the energy for it", [](BareBattle& b) { RuleState(b.model).m_iEnergy = 49; },
         place, false},
        {"a card is not placed on a cell another robot holds", [](BareBattle& b) { b.StandRobot(3, 2); }, place, false},
        {"a robot on another cell does not block it", [](BareBattle& b) { b.StandRobot(3, 3); }, place, true},
        {"a card is not placed on a cell of another terrain", none,
         [] {
             return BattleCommand{PlaceCard{0, BareBattle::Cell(5, 1)}};
         },
         false},
        {"a card still charging is not placed", [](BareBattle& b) { RuleState(b.model).m_aHand[0].m_iCharge = 99; },
         place, false},
        {"a card from a capsule needs neither charge nor energy",
         [](BareBattle& b) {
             RuleState(b.model).m_aHand[0].m_iCharge = 0;
             RuleState(b.model).m_iEnergy = 0;
             RuleState(b.model).m_bCarriedFromCapsule = true;
         },
         place, true},
        {"only the carried card is placed", [](BareBattle& b) { RuleState(b.model).m_iCarriedCard = -1; }, place,
         false},
        {"a cell off the field takes nothing", none,
         [] {
             return BattleCommand{PlaceCard{0, FIELD_CELLS}};
         },
         false},
        {"a charged card with its energy is picked up", [](BareBattle& b) { RuleState(b.model).m_iCarriedCard = -1; },
         [] { return BattleCommand{PickCard{0}}; }, true},
        {"a card still charging is not picked up",
         [](BareBattle& b) {
             RuleState(b.model).m_iCarriedCard = -1;
             RuleState(b.model).m_aHand[0].m_iCharge = 10;
         },
         [] { return BattleCommand{PickCard{0}}; }, false},
        {"no second card is picked while one is carried", none, [] { return BattleCommand{PickCard{0}}; }, false},
        {"the Remover Bot is picked up any time nothing is carried",
         [](BareBattle& b) {
             RuleState(b.model).m_iCarriedCard = -1;
             RuleState(b.model).m_iEnergy = 0;
         },
         [] { return BattleCommand{PickCard{REMOVER_SLOT}}; }, true},
        {"a carried card is put back", none, [] { return BattleCommand{CancelCard{}}; }, true},
        {"nothing is put back when nothing is carried", [](BareBattle& b) { RuleState(b.model).m_iCarriedCard = -1; },
         [] { return BattleCommand{CancelCard{}}; }, false},
        {"an item that is not on the field is not collected", none, [] { return BattleCommand{CollectItem{12345}}; },
         false},
        {"a caption's end moves the battle on", [](BareBattle& b) { RuleState(b.model).m_iBattleState = BATTLE_INTRO; },
         [] { return BattleCommand{EnterState{BATTLE_DECK_CHECK}}; }, true},
        {"the loading ends by the loader, not by a command",
         [](BareBattle& b) { RuleState(b.model).m_iBattleState = BATTLE_LOADING; },
         [] { return BattleCommand{EnterState{BATTLE_BEGIN}}; }, false},
        {"play ends by its rules, not by a command",
         [](BareBattle& b) { RuleState(b.model).m_iBattleState = BATTLE_PLAYING; },
         [] { return BattleCommand{EnterState{BATTLE_REWARD}}; }, false},
        {"a state is not entered again", [](BareBattle& b) { RuleState(b.model).m_iBattleState = BATTLE_RESULT; },
         [] { return BattleCommand{EnterState{BATTLE_RESULT}}; }, false},
        {"no state past the summary", [](BareBattle& b) { RuleState(b.model).m_iBattleState = BATTLE_SUMMARY; },
         [] { return BattleCommand{EnterState{BATTLE_SUMMARY + 1}}; }, false},
        {"the hand is chosen before the loading",
         [](BareBattle& b) { RuleState(b.model).m_iBattleState = BATTLE_CARD_SELECT; },
         [] {
             return BattleCommand{ChooseHand{{RobotId::GunnerBot, -1}}};
         },
         true},
        {"a dealt hand is taken as the loading begins",
         [](BareBattle& b) { RuleState(b.model).m_iBattleState = BATTLE_LOADING; },
         [] {
             return BattleCommand{ChooseHand{{RobotId::GunnerBot, -1}}};
         },
         true},
        {"no hand is chosen once play began", [](BareBattle& b) { RuleState(b.model).m_iBattleState = BATTLE_PLAYING; },
         [] {
             return BattleCommand{ChooseHand{{RobotId::GunnerBot, -1}}};
         },
         false},
        {"a hand holds robots only", [](BareBattle& b) { RuleState(b.model).m_iBattleState = BATTLE_CARD_SELECT; },
         [] {
             return BattleCommand{ChooseHand{{ROBOT_TYPES, -1}}};
         },
         false},
        {"the placement check looks at a carried card", none,
         [] {
             return BattleCommand{TryHeldCard{240.0f, 150.0f}};
         },
         true},
        {"and at nothing when nothing is carried", [](BareBattle& b) { RuleState(b.model).m_iCarriedCard = -1; },
         [] {
             return BattleCommand{TryHeldCard{240.0f, 150.0f}};
         },
         false},
        // The bare battle stands on stage 1, a map stage: the mini-games' acts are refused.
        {"robots are lifted only on the relocation stages", Playing(-1), [] { return BattleCommand{LiftRobot{0}}; },
         false},
        {"the pointer steers only the mini-games that follow it", Playing(-1),
         [] {
             return BattleCommand{MiniGamePointer{0.0f, 0.0f, true}};
         },
         false},
        {"zaps only on 168", Playing(-1),
         [] {
             return BattleCommand{ZapAt{0.0f, 0.0f}};
         },
         false},
        {"a robot being moved is let go", Relocating(), [] { return BattleCommand{DropRobot{}}; }, true},
        {"nothing is let go when no robot is being moved", Playing(0), [] { return BattleCommand{DropRobot{}}; },
         false},
        {"the lever stops the rightmost running reel", Reels(-1, 0), [] { return BattleCommand{StopReel{1}}; }, true},
        {"not another reel", Reels(-1, 0), [] { return BattleCommand{StopReel{0}}; }, false},
        {"not with a card carried", Reels(0, 0), [] { return BattleCommand{StopReel{1}}; }, false},
        {"not before the lever is back up", Reels(-1, 3), [] { return BattleCommand{StopReel{1}}; }, false},
        {"no reel is stopped when none runs", Playing(-1), [] { return BattleCommand{StopReel{0}}; }, false},
        {"the pause puts a carried card down", Playing(0), [] { return BattleCommand{PutDownForPause{}}; }, true},
        {"and a robot being moved", Relocating(), [] { return BattleCommand{PutDownForPause{}}; }, true},
        {"the pause has nothing to put down", Playing(-1), [] { return BattleCommand{PutDownForPause{}}; }, false},
        {"no parachute is cut where none hangs", Playing(-1), [] { return BattleCommand{CutParachute{0}}; }, false},
        {"nor past the records", Playing(-1), [] { return BattleCommand{CutParachute{PARATROOPERS}}; }, false},
    };
    for (const CheckCase& c : cases) {
        BareBattle b;
        c.setUp(b);
        const BattleCommand command = c.command();
        const bool allowed = std::visit([&](const auto& cmd) { return cmd.Check(b.model); }, command);
        EXPECT_EQ(allowed, c.allowed) << c.rule;
    }
}

// A pause in the middle of a move let the card go but kept the robot marked
// as moved, so a later release moved it wherever a capsule's card went.
TEST(BattleCommandChecks, ThePauseLetsARobotBeingMovedStayOnItsCell) {
    BareBattle b;
    Relocating()(b);
    ASSERT_TRUE(Apply(b.model, PutDownForPause{}));
    EXPECT_EQ(b.model.State().m_iCarriedCard, -1);
    EXPECT_EQ(b.model.State().m_iRelocatingRobot, -1);
    const CCom_GameRobot& r = b.model.State().m_lstRobots.back();
    EXPECT_EQ(int(r.m_vCell.x) * FIELD_ROWS + int(r.m_vCell.y), BareBattle::Cell(3, 2));
    RuleState(b.model).m_iCarriedCard = 0;  // a card picked up afterwards
    EXPECT_FALSE(Apply(b.model, DropRobot{})) << "its release moves no robot";
}

// Asking where a card would fit changes nothing; the placement check's look
// takes a robot serial as it always did.
TEST(BattleCommandChecks, TheReadOnlyJudgementTakesNoSerial) {
    BareBattle b;
    Playing(0)(b);
    const VxVec3 at{b.model.State().m_aFieldCells[BareBattle::Cell(3, 2)].m_fX,
                    b.model.State().m_aFieldCells[BareBattle::Cell(3, 2)].m_fY, 0.0f};
    const int serial = b.model.State().m_iNextRobotSerial;
    EXPECT_EQ(b.model.PlacementCellAt(0, at, false), BareBattle::Cell(3, 2));
    EXPECT_EQ(b.model.State().m_iNextRobotSerial, serial);
    ASSERT_TRUE(Apply(b.model, TryHeldCard{at.x, at.y}));
    EXPECT_EQ(b.model.HeldCardCell(), BareBattle::Cell(3, 2));
    EXPECT_EQ(b.model.State().m_iNextRobotSerial, serial + 1);
}

// Each battle numbers its own robots, bullets and items: what one makes takes
// none of another's serials, and its set-up numbers it from 0 again.
TEST(BattleCommandChecks, EachBattleTakesItsOwnSerials) {
    const struct {
        const char* rule;
        std::function<void(BareBattle&)> make;
        int robots, bullets, items;
    } cases[] = {
        {"a placed card's robot",
         [](BareBattle& b) {
             ASSERT_TRUE(Apply(b.model, PlaceCard{0, BareBattle::Cell(3, 2)}));
         },
         2, 0, 0},
        {"a mini-game's robot", [](BareBattle& b) { b.model.SpawnMiniGameRobot(0, 0.0f, 0.0f, 0.0f); }, 1, 0, 0},
        {"a shot",
         [](BareBattle& b) { b.model.FireBullet(WeaponId::CannonShell, 0, 0.0f, 0.0f, 0.0f, NO_SERIAL, NO_SERIAL); }, 0,
         1, 0},
        {"a dropped item", [](BareBattle& b) { b.model.DropItem(0, 0.0f, 0.0f, 0.0f, -1, false); }, 0, 0, 1},
        {"the carried card's ghost and its look",
         [](BareBattle& b) {
             ASSERT_TRUE(Apply(b.model, HoldCard{240.0f, 150.0f}));
             b.model.TakeCarriedGhostSerials();
         },
         2, 0, 0},
    };
    for (const auto& c : cases) {
        BareBattle made, other;
        Playing(0)(made);
        Playing(0)(other);
        c.make(made);
        EXPECT_EQ(made.model.State().m_iNextRobotSerial, c.robots) << c.rule;
        EXPECT_EQ(made.model.State().m_iNextBulletSerial, c.bullets) << c.rule;
        EXPECT_EQ(made.model.State().m_iNextItemSerial, c.items) << c.rule;
        EXPECT_EQ(CCom_GameRobot(other.model).m_iSerial, 0) << c.rule;
        EXPECT_EQ(other.model.State().m_iNextBulletSerial + other.model.State().m_iNextItemSerial, 0) << c.rule;
        made.model.TakeContext(BattleContext{3, 0, &made.profile, nullptr});
        SetUpBattle(made.model);
        EXPECT_EQ(made.model.State().m_iNextRobotSerial + made.model.State().m_iNextBulletSerial +
                      made.model.State().m_iNextItemSerial,
                  0)
            << c.rule;
    }
}

TEST(BattleCommandChecks, ARefusedCommandChangesNothingAndIsNotLogged) {
    BareBattle b;
    b.model.KeepCommandLog(true);
    RuleState(b.model).m_iEnergy = 10;
    EXPECT_FALSE(Apply(b.model, PlaceCard{0, BareBattle::Cell(3, 2)}));
    EXPECT_TRUE(b.model.State().m_lstRobots.empty());
    EXPECT_EQ(b.model.State().m_iEnergy, 10);
    EXPECT_EQ(b.model.State().m_iCarriedCard, 0);
    EXPECT_TRUE(b.model.CommandLog().empty());
    RuleState(b.model).m_iBattleFrame = 77;
    EXPECT_TRUE(Apply(b.model, CancelCard{}));
    EXPECT_EQ(b.model.State().m_iCarriedCard, -1);
    ASSERT_EQ(b.model.CommandLog().size(), 1u);
    EXPECT_EQ(b.model.CommandLog()[0].frame, 77);
    EXPECT_TRUE(std::holds_alternative<CancelCard>(b.model.CommandLog()[0].command));
}

TEST(BattleCommandChecks, EnteringPlayOpensTheFirstColumnAndAChosenCardComesInUncharged) {
    BareBattle b;
    RuleState(b.model).m_iBattleState = BATTLE_BEGIN;
    for (int row = 0; row < FIELD_ROWS; ++row) RuleState(b.model).m_aFieldCells[row].m_iStageKind = TERRAIN_AIR;
    EXPECT_TRUE(Apply(b.model, EnterState{BATTLE_PLAYING}));
    EXPECT_EQ(b.model.State().m_iBattleState, BATTLE_PLAYING);
    for (int row = 0; row < FIELD_ROWS; ++row)
        EXPECT_EQ(b.model.State().m_aFieldCells[row].m_iStageKind, b.model.State().m_aFieldCells[row].m_iKind)
            << "row " << row;

    BareBattle c;
    RuleState(c.model).m_iBattleState = BATTLE_CARD_SELECT;
    RuleState(c.model).m_aHand[1] = HandSlot{RobotId::FusorBot, 7};
    ChooseHand hand;
    hand.cards[0] = RobotId::FusorBot;  // slot 0 held the Gunner Bot
    hand.cards[1] = RobotId::FusorBot;  // the same card stays as it was
    EXPECT_TRUE(Apply(c.model, hand));
    EXPECT_EQ(c.model.State().m_aHand[0].m_iCard, RobotId::FusorBot);
    EXPECT_EQ(c.model.State().m_aHand[0].m_iCharge, 0);
    EXPECT_EQ(c.model.State().m_aHand[1].m_iCharge, 7);
    EXPECT_EQ(c.model.State().m_aHand[2].m_iCard, -1);
}

// Letting go of a carried card that goes on no cell: over the field the
// placement check still takes its robot serial; off the field, a card carried
// over three seconds goes back to the hand.
TEST(BattleCommandChecks, ALetGoCardStaysOrGoesBackByWhereAndHowLongItWasHeld) {
    struct Case {
        const char* rule;
        float y;
        int carriedFrames;
        bool stillCarried;
        int serialsTaken;
    };
    const Case cases[] = {
        {"over the field it stays carried, whatever the time", 150.0f, 400, true, 1},
        {"below the field, held three seconds, it stays carried", -220.0f, 180, true, 0},
        {"below the field, held longer, it goes back", -220.0f, 181, false, 0},
        {"above the field, held longer, it goes back", 300.0f, 181, false, 0},
        {"on the field's lower edge it counts as over the field", -160.0f, 400, true, 1},
    };
    for (const Case& c : cases) {
        BareBattle b;
        RuleState(b.model).m_iCarriedFrames = c.carriedFrames;
        ASSERT_TRUE(Apply(b.model, HoldCard{240.0f, c.y})) << c.rule;
        const int before = b.model.State().m_iNextRobotSerial;
        ASSERT_TRUE(Apply(b.model, LetGoCard{})) << c.rule;
        EXPECT_EQ(b.model.State().m_iCarriedCard >= 0, c.stillCarried) << c.rule;
        EXPECT_EQ(b.model.State().m_iNextRobotSerial - before, c.serialsTaken) << c.rule;
    }
}

TEST(BattleCommandChecks, AHeldCardIsJudgedOnTheCellUnderIt) {
    BareBattle b;
    Apply(b.model, HoldCard{240.0f, 150.0f});
    EXPECT_EQ(b.model.HeldCardCell(), BareBattle::Cell(3, 2));
    b.StandRobot(3, 2);
    EXPECT_EQ(b.model.HeldCardCell(), -1) << "a taken cell";
    Apply(b.model, HoldCard{240.0f, -220.0f});
    EXPECT_EQ(b.model.HeldCardCell(), -1) << "held below the field";
}
