// Whole stages played by input alone. A simple player (choose an energy
// robot and fighters, Start, collect energy, place every ready card on a free
// cell that suits it, the threatened row first) writes its inputs as a timed
// script; the stage runner then plays that script on its own, from the card
// choice to the summary, and must end exactly where the player did, at a
// golden checksum.
#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "battle/units/GameItem.h"
#include "content/SaveProfile.h"
#include "content/UnlockTables.h"
#include "engine/PageIndices.h"
#include "game/Effect_MsgBox.h"
#include "tests/HandInputSupport.h"

namespace {

class ScriptedStage : public HandInputTest, public ::testing::WithParamInterface<int> {
protected:
    // Sends one event through the runner's script path and keeps it.
    void Send(ScriptEvent::Kind kind, float x, float y) {
        ScriptEvent e;
        e.kind = kind;
        e.frame = run->RunnerFrame();
        e.x = int(x + float(g_iScreenWidth) * 0.5f);
        e.y = int(float(g_iScreenHeight) * 0.5f - y);
        InputRecord& in = run->App().m_aInput[0];
        in.m_iCursorX = e.x;
        in.m_iCursorY = e.y;
        if (kind == ScriptEvent::PRESS) in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
        if (kind == ScriptEvent::RELEASE) in.m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
        script.push_back(e);
        run->Step();
    }
    void Tap(float x, float y) {
        Send(ScriptEvent::PRESS, x, y);
        Send(ScriptEvent::RELEASE, x, y);
    }
    bool CellFree(int column, int row) {
        for (const CCom_GameRobot& r : Page().m_lstRobots)
            if (!r.IsMachine() && int(r.m_vCell.x) == column && int(r.m_vCell.y) == row) return false;
        return true;
    }
    // One decision of the player; false when it did nothing this frame.
    bool Act() {
        CPageGame& p = Page();
        CEffect_MsgBox* box = run->App().m_pEffectMsgBox;
        if (box && box->IsOpen()) return false;
        if (p.m_iBattleState == BATTLE_CARD_SELECT && p.m_iCardChoiceStep == 1) {
            if (p.EmptyDeckSlots() > 0) {
                for (int id : Preferred()) {
                    if (g_CurrentProfile.m_abRobotUnlocked[id] != 1 || p.m_abCardDisabled[id] || p.m_abCardPicked[id])
                        continue;
                    const VxVec3 at = p.m_apCardButtons[id]->m_vPosition;
                    if (at.y < -130.0f || at.y > 190.0f) continue;
                    Tap(at.x, at.y);
                    Move(0.0f, 250.0f, 12);
                    return true;
                }
            }
            if (!p.IsNoCardInFlight()) return false;
            Tap(p.m_pStartButton->m_vPosition.x, p.m_pStartButton->m_vPosition.y);
            chose = true;
            return true;
        }
        if (p.m_iBattleState != BATTLE_PLAYING) return false;
        if (p.m_iCarriedCard >= 0) {
            // A refused cell (a Machine stands there): the right button gives the card back.
            if (p.m_iCarriedFrames < 40) return false;
            ScriptEvent e;
            e.kind = ScriptEvent::KEY;
            e.frame = run->RunnerFrame();
            e.key = MOUSE_RIGHT;
            run->App().m_aInput[0].m_aiKey[MOUSE_RIGHT] = KEY_PRESSED | KEY_RELEASED;
            script.push_back(e);
            run->Step();
            return true;
        }
        for (const CCom_GameItem& item : p.m_lstItems)
            if (item.m_iItemKind <= 3 && !item.m_bCollected && item.m_vPosition.y < 250.0f) {
                Tap(item.m_vPosition.x, item.m_vPosition.y);
                return true;
            }
        // The row of the Machine nearest the player's side, fought first.
        int threat = -1;
        float nearest = 1e9f;
        int energyRobots = 0;
        for (const CCom_GameRobot& r : p.m_lstRobots) {
            if (!r.IsMachine()) energyRobots += r.m_Unit.m_iType == 0;
            else if (r.m_iHp > 0 && r.m_vPosition.x < nearest && r.m_vPosition.x < 480.0f) {
                nearest = r.m_vPosition.x;
                threat = r.m_iRow;
            }
        }
        for (int s = 0; s < p.m_nHandSlots && s < DECK_SLOTS; ++s) {
            const UnitDefinition& d = p.m_aHandDefs[s];
            if (p.m_aHand[s].m_iCard < 0 || p.m_aHand[s].m_iCharge != d.m_iRechargeTime ||
                p.m_iEnergy < d.m_iEnergyCost)
                continue;
            const bool energy = p.m_aHand[s].m_iCard == 0;
            if (energy && energyRobots >= kEnergyRobots) continue;
            // Energy robots fill the back column; fighters go into the threatened row first.
            for (int pass = 0; pass < 2; ++pass)
                for (int column = 0; column < 7; ++column)
                    for (int row = 0; row < FIELD_ROWS; ++row) {
                        if (pass == 0 && (energy || row != threat)) continue;
                        if (!energy && column == 0 && pass == 1) continue;
                        const FieldCell& c = p.m_aFieldCells[column * FIELD_ROWS + row];
                        if (c.m_iKind != d.m_iTerrain || !CellFree(column, row)) continue;
                        const VxVec3 slot = HandSlot(s);
                        Tap(slot.x, slot.y);
                        for (int f = 0; f < 10; ++f) Send(ScriptEvent::MOVE, c.m_fX, c.m_fY);
                        Tap(c.m_fX, c.m_fY);
                        ++placed;
                        return true;
                    }
        }
        return false;
    }

    // The energy robot, then fighters of every terrain, then the rest in list order.
    static std::vector<int> Preferred() {
        std::vector<int> ids = {0, 1, 3, 4, 21, 15, 2};
        for (int id = 0; id < ROBOT_REMOVER; ++id)
            if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
        return ids;
    }

    static constexpr int kEnergyRobots = 6;
    std::vector<ScriptEvent> script;
    bool chose = false;
    int placed = 0;
};

StageRunOptions Options(int stage) {
    StageRunOptions o;
    o.stage = stage;
    o.difficulty = 1;
    o.seed = 4242;
    o.frameLimit = 20000;
    // A script of its own keeps the card choice open for the player.
    o.script.push_back(ScriptEvent{ScriptEvent::MOVE, 0, 440, 620, 0});
    return o;
}

}  // namespace

TEST_P(ScriptedStage, PlayedByInputAloneEndsAtItsGoldenChecksum) {
    const int stage = GetParam();
    StageRunOptions o = Options(stage);
    script = o.script;
    run = std::make_unique<StageRun>(o);
    ASSERT_TRUE(run->Start()) << run->Error();
    g_CurrentProfile.m_nCardSlots = 4;  // a profile that bought two more slots
    while (run->RunnerFrame() < 40000) {
        const bool onBattle = run->App().m_iCurrentPage == BATTLE_PAGE_INDEX;
        if (onBattle && run->State() == BATTLE_SUMMARY) break;
        if (!(onBattle && Act())) run->Step();
    }
    const StageRunResult played = run->RunToEnd();
    run.reset();
    EXPECT_GE(placed, 1) << "robots were placed by mouse";
    if (stage > 1) {
        EXPECT_TRUE(chose) << "the hand came from the card choice";
    }

    o.script = script;
    run = std::make_unique<StageRun>(o);
    ASSERT_TRUE(run->Start()) << run->Error();
    g_CurrentProfile.m_nCardSlots = 4;
    const StageRunResult replayed = run->RunToEnd();
    EXPECT_EQ(replayed.Line(), played.Line()) << "the script alone plays the same stage";
    EXPECT_EQ(replayed.notFound, 0);
    EXPECT_EQ(run->State(), BATTLE_SUMMARY);
    // Where the player left the stage, outcome and frame: stage 10 ends won; stage
    // 60's field of air lanes still beats this simple player.
    char value[96];
    std::snprintf(value, sizeof value, "%s:%d:%016" PRIx64, replayed.outcome.c_str(), replayed.frame,
                  replayed.checksum);
    golden::ExpectStageValue("scripted_stage" + std::to_string(stage), value);
}

INSTANTIATE_TEST_SUITE_P(Stages, ScriptedStage, ::testing::Values(10, 60),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Stage" + std::to_string(info.param);
                         });
