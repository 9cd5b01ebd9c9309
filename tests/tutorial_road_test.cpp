// A new player's first battle through the real pages, by mouse alone: the
// tutorial of stage 1 step by step (its clock standing still while a step
// waits), the fight, the capsule, the summary's Next and stage 2 loading.
// The battle ends at a golden checksum and the saved profile at golden bytes;
// the battle's model played alone from the run's commands keeps its checksum
// on every frame.
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "battle/effects/Effect_Reward.h"
#include "battle/effects/Effect_Summary.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "engine/InputRecord.h"
#include "engine/PageIndices.h"
#include "engine/VxButton.h"
#include "game/Effect_MsgBox.h"
#include "game/GameApplication.h"
#include "tests/StageRunSupport.h"
#include "tools/stagerun/ModelRun.h"

namespace {

class TutorialRoad : public StageRunTest {
protected:
    CPageGame& Page() { return run->Battle(); }
    const TutorialSteps& Tutorial() { return Page().m_Battle.State().m_Tutorial; }
    bool OnBattle() { return run->App().m_iCurrentPage == BATTLE_PAGE_INDEX; }

    // One frame; each step that comes into view is noted, and the battle's
    // checksum after it while stage 1 is played.
    void Step() {
        run->Step();
        if (!OnBattle()) return;
        if (run->App().m_iCurrentStage == 1 && run->State() < BATTLE_SUMMARY)
            checksums[run->BattleFrame()] = run->Checksum();
        const int s = Tutorial().m_iStep;
        if (s >= 0 && (shown.empty() || shown.back() != s)) shown.push_back(s);
    }
    bool Until(const std::function<bool()>& condition, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (condition()) return true;
            Step();
        }
        return condition();
    }
    void Aim(float x, float y) {
        InputRecord& in = run->App().m_aInput[0];
        in.m_iCursorX = int(x + float(g_iScreenWidth) * 0.5f);
        in.m_iCursorY = int(float(g_iScreenHeight) * 0.5f - y);
    }
    void Tap(float x, float y) {
        Aim(x, y);
        run->App().m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
        Step();
        Aim(x, y);
        run->App().m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
        Step();
    }
    VxVec3 Cell(int column, int row) {
        const FieldCell& c = Page().m_Battle.State().m_aFieldCells[column * FIELD_ROWS + row];
        return VxVec3{c.m_fX, c.m_fY, 0.0f};
    }
    bool Ready(int slot) {
        const CPageGame& p = Page();
        return p.m_Battle.State().m_aHand[slot].m_iCharge == p.m_Battle.State().m_aHandDefs[slot].m_iRechargeTime &&
               p.m_Battle.State().m_iEnergy >= p.m_Battle.State().m_aHandDefs[slot].m_iEnergyCost;
    }
    // Picks the card up, carries it over the cell and puts it down there.
    void Place(int slot, int column, int row) {
        const VxVec3 hand = Page().m_apHandButtons[slot]->m_vPosition, at = Cell(column, row);
        Tap(hand.x, hand.y);
        for (int i = 0; i < 12; ++i) {
            Aim(at.x, at.y);
            Step();
        }
        Tap(at.x, at.y);
    }
    // The step shows fully (or is fading in).
    bool Shows(int step) {
        return Until([&] { return Tutorial().m_iStep == step && Tutorial().m_iFadeState == 0; }, 6000);
    }
    // A click step goes with a click anywhere once it has been up for 60 frames.
    void ClickAway(int step) {
        ASSERT_TRUE(Shows(step)) << "step " << step;
        ASSERT_TRUE(Until([&] { return Tutorial().m_iAge > 60; }, 200));
        Tap(0.0f, 200.0f);
        EXPECT_EQ(Tutorial().m_iFadeState, 1) << "step " << step;
    }
    // Clicks the first lying item of kinds first..last; false when none lies.
    bool Collect(int first, int last) {
        for (const CCom_GameItem& item : Page().m_Battle.State().m_lstItems)
            if (item.m_iItemKind >= first && item.m_iItemKind <= last && !item.m_bCollected) {
                const VxVec3 at = item.m_vPosition;
                Tap(at.x, at.y);
                return true;
            }
        return false;
    }
    bool Free(int column, int row) {
        for (const CCom_GameRobot& r : Page().m_Battle.State().m_lstRobots)
            if (!r.IsMachine() && r.m_iHp > 0 && int(r.m_vCell.x) == column && int(r.m_vCell.y) == row) return false;
        return Page().m_Battle.State().m_aFieldCells[column * FIELD_ROWS + row].m_iKind == TERRAIN_GROUND;
    }
    // The player's own battle once the tutorial has let go: every item is
    // taken, Gunners go up from the right-hand column, a few Fusors behind them.
    void Defend() {
        if (Collect(0, 7)) return;
        int fusors = 0;
        for (const CCom_GameRobot& r : Page().m_Battle.State().m_lstRobots) fusors += !r.IsMachine() && r.Type() == 0;
        const int slot = Ready(1) ? 1 : (Ready(0) && fusors < 3 ? 0 : -1);
        if (slot < 0) return Step();
        for (int column = FIELD_COLUMNS - 1; column >= 0; --column)
            for (int row = FIELD_ROWS - 1; row >= 0; --row)
                if (Free(column, row)) return Place(slot, column, row);
        Step();
    }

    std::vector<int> shown;
    std::map<int, uint64_t> checksums;
};

TEST_F(TutorialRoad, AFirstPlayOfStageOneGoesThroughTheTutorialToStageTwo) {
    Begin(1, 1, 2024);
    run->Model().KeepCommandLog(true);
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
    ASSERT_TRUE(IsFirstTutorialActive(Page().m_Battle));

    // Step 0 waits for the Fusor Bot's card; after three seconds the clock stands.
    ASSERT_TRUE(Shows(0));
    ASSERT_TRUE(Until([&] { return Tutorial().m_iAge > 181; }, 300));
    const int held = Page().m_Battle.State().m_iTimeLeft;
    for (int i = 0; i < 120; ++i) Step();
    EXPECT_EQ(Page().m_Battle.State().m_iTimeLeft, held) << "the stage clock stands while a step waits";
    EXPECT_TRUE(Page().m_Battle.State().m_lstRobots.empty()) << "no Machine before step 8";

    Place(0, 9, 4);  // steps 1 and 2: the card is picked up and placed
    ClickAway(2);
    ASSERT_TRUE(Shows(3));  // the Fusor Bot made energy
    ASSERT_TRUE(Collect(0, 3));
    ClickAway(4);
    ClickAway(5);
    ASSERT_TRUE(Until([&] { return Tutorial().m_iStep >= 6 && Tutorial().m_iFadeState == 0; }, 3000));
    if (Tutorial().m_iStep == 6) ClickAway(6);
    // Step 7: the Gunner Bot's card, once energy allows.
    ASSERT_TRUE(Until(
        [&] {
            if (Tutorial().m_iStep == 7 && Ready(1)) return true;
            if (Tutorial().m_iStep == 7 || Tutorial().IsStepDismissed()) Collect(0, 3);
            return false;
        },
        6000));
    Place(1, 8, 4);
    ClickAway(8);
    ClickAway(9);            // the first Machine walks on
    ASSERT_TRUE(Shows(10));  // it dropped its metal part
    ASSERT_TRUE(Until([&] { return Collect(4, 7); }, 600));
    ClickAway(11);
    ClickAway(12);

    // The fight until the capsule; the runner clicks it, the player the last step.
    ASSERT_TRUE(Until(
        [&] {
            if (Page().m_Battle.State().m_iBattleState == BATTLE_PLAYING) Defend();
            return Page().m_Battle.State().m_iBattleState > BATTLE_PLAYING;
        },
        30000));
    ASSERT_GT(Page().m_Battle.State().m_iLife, 0) << "the stage was won";
    ClickAway(14);
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));

    const StageRunResult r = run->RunToEnd();
    ASSERT_EQ(run->State(), BATTLE_SUMMARY);
    EXPECT_EQ(r.notFound, 0);
    char value[64];
    std::snprintf(value, sizeof value, "%d:%d:%016" PRIx64, r.frame, r.stars, r.checksum);
    golden::ExpectStageValue("tutorial_road_stage1", value);
    const std::vector<LoggedCommand> log = run->Model().CommandLog();
    run->Model().KeepCommandLog(false);

    // The summary's tip comes first (the runner answers it), then Next.
    CEffect_Summary& summary = *Page().m_pEffectSummary;
    ASSERT_TRUE(Until([&] { return Page().m_bResultTipShown && !run->App().m_pEffectMsgBox->IsOpen(); }, 2000));
    ASSERT_TRUE(summary.NextOffered());
    const VxVec3 next = summary.m_pBtnNext->m_vPosition;
    Aim(next.x, next.y);
    Step();
    Tap(next.x, next.y);
    ASSERT_TRUE(
        Until([&] { return OnBattle() && run->App().m_iCurrentStage == 2 && run->State() >= BATTLE_INTRO; }, 2000))
        << "stage 2 loads";

    // The profile written when Next was taken.
    std::ifstream in(std::string(std::getenv("APPDATA")) + "/Orvendale/Cogsquall/SaveData.dat", std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), sizeof(SaveProfile));
    SaveProfile saved;
    std::memcpy(&saved, bytes.data(), sizeof saved);
    EXPECT_EQ(saved.m_iFurthestStage, 2);
    EXPECT_EQ(saved.m_abRobotUnlocked[2], 1);
    EXPECT_EQ(saved.m_aiStageStars[0], r.stars);
    EXPECT_GT(saved.m_iMetalParts, 0) << "the tutorial's metal part was kept";
    uint64_t hash = 1469598103934665603ull;
    for (size_t i = 0; i < sizeof(SaveProfile); ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    char profile[32];
    std::snprintf(profile, sizeof profile, "%016" PRIx64, hash);
    golden::ExpectStageValue("tutorial_road_profile", profile);

    // Stage 1 again on the model alone, from the commands of the run: the
    // tutorial's clicks, the capsule's steps and the showings' ends with the
    // player's acts.
    run.reset();
    StageRunOptions o;
    o.stage = 1;
    o.difficulty = 1;
    o.seed = 2024;
    const auto count = [&log](auto command) {
        return std::count_if(log.begin(), log.end(), [](const LoggedCommand& c) {
            return std::holds_alternative<decltype(command)>(c.command);
        });
    };
    EXPECT_EQ(count(ContinueTutorial{}), 9) << "steps 2, 4, 5, 6, 8, 9, 11, 12 and 14 clicked away";
    EXPECT_EQ(count(TutorialCapsule{}), 2) << "the capsule asked for steps 13 and 14";
    EXPECT_EQ(count(ChooseHand{}), 1) << "the dealt hand";
    ASSERT_GT(checksums.size(), 8000u);
    ModelRun alone(o, log);
    ASSERT_TRUE(alone.Start()) << alone.Error();
    EXPECT_EQ(alone.RunComparing(checksums), -1) << "the first battle frame the model alone parts from the mouse run";
    EXPECT_TRUE(alone.Refused().empty()) << alone.Refused().size() << " logged commands refused, the first at frame "
                                         << alone.Refused()[0].frame;
    EXPECT_EQ(alone.Left(), 0u) << "every logged command came due";
    const StageRunResult modelEnd = alone.RunToEnd();
    EXPECT_EQ(modelEnd.frame, r.frame);
    EXPECT_EQ(modelEnd.checksum, r.checksum);
}

}  // namespace
