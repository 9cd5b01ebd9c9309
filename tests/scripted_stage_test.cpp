// Whole stages played by input alone. A simple player (choose an energy
// robot and fighters, Start, collect energy, keep energy robots at the back
// and send each ready fighter to the row whose Machines outnumber its shooters,
// a guard in front of them) writes its inputs as a timed script; the stage
// runner then plays that script on its own, from the card choice to the
// summary, and must end exactly where the player did: won, at a golden
// checksum.
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
        // What stands in each row: Machine hit points still to beat, the
        // furthest a Machine has come, and the player's shooters and guards.
        float threat[FIELD_ROWS] = {}, front[FIELD_ROWS];
        int shooters[FIELD_ROWS] = {}, guards[FIELD_ROWS] = {};
        std::fill(front, front + FIELD_ROWS, -1e9f);
        int energyRobots = 0;
        for (const CCom_GameRobot& r : p.m_lstRobots) {
            const int row = std::clamp(r.m_iRow, 0, FIELD_ROWS - 1);
            if (r.m_iHp <= 0) continue;
            if (r.IsMachine()) {
                threat[row] += float(r.m_iHp);
                front[row] = std::max(front[row], r.m_vPosition.x);
            } else {
                energyRobots += r.m_Unit.m_iRole == ROLE_PRODUCE;
                shooters[row] += r.m_Unit.m_iRole == ROLE_ATTACK;
                guards[row] += r.m_Unit.m_iRole == ROLE_GUARD;
            }
        }
        // The row most in need of another shooter: Machines there and the
        // fewest shooters for their hit points.
        int needy = -1;
        float worst = 0.0f;
        for (int row = 0; row < FIELD_ROWS; ++row) {
            const float need = threat[row] - 150.0f * float(shooters[row]);
            if (need > worst) {
                worst = need;
                needy = row;
            }
        }
        auto ready = [&](int s) {
            const UnitDefinition& d = p.m_aHandDefs[s];
            return p.m_aHand[s].m_iCard >= 0 && p.m_aHand[s].m_iCharge == d.m_iRechargeTime &&
                   p.m_iEnergy >= d.m_iEnergyCost;
        };
        // Takes the card of slot s to the first fitting free cell of a row
        // (every row for -1), from the back or from the front, and only where
        // it stands ahead of the Machines of that row.
        auto place = [&](int s, int onlyRow, bool fromBack) {
            const UnitDefinition& d = p.m_aHandDefs[s];
            for (int i = 0; i < FIELD_COLUMNS; ++i) {
                const int column = fromBack ? FIELD_COLUMNS - 1 - i : i;
                for (int row = 0; row < FIELD_ROWS; ++row) {
                    if (onlyRow >= 0 && row != onlyRow) continue;
                    const FieldCell& c = p.m_aFieldCells[column * FIELD_ROWS + row];
                    if (c.m_iKind != d.m_iTerrain || !CellFree(column, row) || c.m_fX < front[row] + 60.0f) continue;
                    const VxVec3 slot = HandSlot(s);
                    Tap(slot.x, slot.y);
                    for (int f = 0; f < 10; ++f) Send(ScriptEvent::MOVE, c.m_fX, c.m_fY);
                    Tap(c.m_fX, c.m_fY);
                    ++placed;
                    return true;
                }
            }
            return false;
        };
        const int slots = std::min(p.m_nHandSlots, DECK_SLOTS);
        auto role = [&](int s) { return p.m_aHandDefs[s].m_iRole; };
        // First two energy robots at the back; then shooters where Machines
        // outnumber them, with a guard in front once a row has a shooter; then
        // more energy; then a shooter for the row that has the fewest.
        for (int s = 0; s < slots; ++s)
            if (ready(s) && role(s) == ROLE_PRODUCE && energyRobots < 2 && place(s, -1, true)) return true;
        if (needy >= 0)
            for (int s = 0; s < slots; ++s) {
                if (!ready(s)) continue;
                if (role(s) == ROLE_ATTACK && place(s, needy, true)) return true;
                if (role(s) == ROLE_GUARD && shooters[needy] > 0 && guards[needy] == 0 && place(s, needy, false))
                    return true;
            }
        for (int s = 0; s < slots; ++s)
            if (ready(s) && role(s) == ROLE_PRODUCE && energyRobots < kEnergyRobots && place(s, -1, true)) return true;
        for (int s = 0; s < slots; ++s) {
            if (!ready(s) || role(s) != ROLE_ATTACK) continue;
            int fewest = -1;
            for (int row = 0; row < FIELD_ROWS; ++row) {
                bool fits = false;
                for (int column = 0; column < FIELD_COLUMNS; ++column)
                    fits = fits || p.m_aFieldCells[column * FIELD_ROWS + row].m_iKind == p.m_aHandDefs[s].m_iTerrain;
                if (fits && (fewest < 0 || shooters[row] < shooters[fewest])) fewest = row;
            }
            if (fewest >= 0 && place(s, fewest, true)) return true;
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
    // Stage 60's field is nearly all air lanes; the player wins it as it wins stage 10.
    EXPECT_EQ(replayed.outcome, "won");
    char value[96];
    std::snprintf(value, sizeof value, "%s:%d:%016" PRIx64, replayed.outcome.c_str(), replayed.frame,
                  replayed.checksum);
    golden::ExpectStageValue("scripted_stage" + std::to_string(stage), value);
}

INSTANTIATE_TEST_SUITE_P(Stages, ScriptedStage, ::testing::Values(10, 60),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Stage" + std::to_string(info.param);
                         });
