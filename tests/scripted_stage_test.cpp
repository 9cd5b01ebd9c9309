// Whole stages played by input alone. A simple player (choose the first
// cards, Start, collect energy, place every ready card on the first free
// cell that suits it) writes its inputs as a timed script; the stage runner
// then plays that script on its own, from the card choice to the summary,
// and must end exactly where the player did, at a golden checksum.
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
                for (int id = 0; id < ROBOT_REMOVER; ++id) {
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
        if (p.m_iBattleState != BATTLE_PLAYING || p.m_iCarriedCard >= 0) return false;
        for (const CCom_GameItem& item : p.m_lstItems)
            if (item.m_iItemKind <= 3 && !item.m_bCollected && item.m_vPosition.y < 250.0f) {
                Tap(item.m_vPosition.x, item.m_vPosition.y);
                return true;
            }
        for (int s = 0; s < p.m_nHandSlots && s < DECK_SLOTS; ++s) {
            const UnitDefinition& d = p.m_aHandDefs[s];
            if (p.m_aHand[s].m_iCard < 0 || p.m_aHand[s].m_iCharge != d.m_iRechargeTime || p.m_iEnergy < d.m_iEnergyCost)
                continue;
            for (int column = 0; column < 7; ++column)
                for (int row = 0; row < FIELD_ROWS; ++row) {
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
    const StageRunResult replayed = run->RunToEnd();
    EXPECT_EQ(replayed.Line(), played.Line()) << "the script alone plays the same stage";
    EXPECT_EQ(replayed.notFound, 0);
    EXPECT_EQ(run->State(), BATTLE_SUMMARY);
    // Where the player left the stage, outcome and frame.
    char value[96];
    std::snprintf(value, sizeof value, "%s:%d:%016" PRIx64, replayed.outcome.c_str(), replayed.frame,
                  replayed.checksum);
    golden::ExpectStageValue("scripted_stage" + std::to_string(stage), value);
}

INSTANTIATE_TEST_SUITE_P(Stages, ScriptedStage, ::testing::Values(10, 60),
                         [](const ::testing::TestParamInfo<int>& info) { return "Stage" + std::to_string(info.param); });
