#include "tools/stagerun/InputPlayer.h"

#include <algorithm>

#include "battle/page/PageGame.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "content/UnlockTables.h"
#include "engine/PageIndices.h"
#include "engine/InputRecord.h"
#include "engine/VxButton.h"
#include "game/Effect_MsgBox.h"
#include "game/GameApplication.h"

namespace {

constexpr int kEnergyRobots = 6;

// The energy robot, then fighters of every terrain, then the rest in list order.
std::vector<int> Preferred() {
    std::vector<int> ids = {0, 1, 3, 4, 21, 15, 2};
    for (int id = 0; id < ROBOT_REMOVER; ++id)
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    return ids;
}

}  // namespace

StageRunOptions InputPlayerOptions(int stage) {
    StageRunOptions o;
    o.stage = stage;
    o.difficulty = 1;
    o.seed = 4242;
    o.frameLimit = 20000;
    o.script.push_back(ScriptEvent{ScriptEvent::MOVE, 0, 440, 620, 0});
    return o;
}

InputPlayer::InputPlayer(StageRun& run, std::vector<ScriptEvent> script) : m_run(run), m_script(std::move(script)) {}

// Sends one event through the runner's script path and keeps it.
void InputPlayer::Send(ScriptEvent::Kind kind, float x, float y) {
    ScriptEvent e;
    e.kind = kind;
    e.frame = m_run.RunnerFrame();
    e.x = int(x + float(g_iScreenWidth) * 0.5f);
    e.y = int(float(g_iScreenHeight) * 0.5f - y);
    InputRecord& in = m_run.App().m_aInput[0];
    in.m_iCursorX = e.x;
    in.m_iCursorY = e.y;
    if (kind == ScriptEvent::PRESS) in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
    if (kind == ScriptEvent::RELEASE) in.m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
    m_script.push_back(e);
    m_run.Step();
}

void InputPlayer::Tap(float x, float y) {
    Send(ScriptEvent::PRESS, x, y);
    Send(ScriptEvent::RELEASE, x, y);
}

bool InputPlayer::CellFree(int column, int row) {
    for (const CCom_GameRobot& r : m_run.Model().State().m_lstRobots)
        if (!r.IsMachine() && int(r.m_vCell.x) == column && int(r.m_vCell.y) == row) return false;
    return true;
}

bool InputPlayer::Act() {
    if (m_run.App().m_iCurrentPage != BATTLE_PAGE_INDEX) return false;
    CEffect_MsgBox* box = m_run.App().m_pEffectMsgBox;
    if (box && box->IsOpen()) return false;
    const CPageGame& p = m_run.Battle();
    if (p.m_Battle.State().m_iBattleState == BATTLE_CARD_SELECT && p.m_iCardChoiceStep == 1) return ChooseCards();
    if (p.m_Battle.State().m_iBattleState != BATTLE_PLAYING) return false;
    return Fight();
}

bool InputPlayer::ChooseCards() {
    CPageGame& p = m_run.Battle();
    if (p.EmptyDeckSlots() > 0) {
        for (int id : Preferred()) {
            if (g_CurrentProfile.m_abRobotUnlocked[id] != 1 || p.m_abCardDisabled[id] || p.m_abCardPicked[id]) continue;
            const VxVec3 at = p.m_apCardButtons[id]->m_vPosition;
            if (at.y < -130.0f || at.y > 190.0f) continue;
            Tap(at.x, at.y);
            // The cursor leaves the list while the card flies; the move is not kept.
            InputRecord& in = m_run.App().m_aInput[0];
            in.m_iCursorX = int(float(g_iScreenWidth) * 0.5f);
            in.m_iCursorY = int(float(g_iScreenHeight) * 0.5f - 250.0f);
            for (int f = 0; f < 12; ++f) m_run.Step();
            return true;
        }
    }
    if (!p.IsNoCardInFlight()) return false;
    Tap(p.m_pStartButton->m_vPosition.x, p.m_pStartButton->m_vPosition.y);
    m_bChose = true;
    return true;
}

bool InputPlayer::Fight() {
    CPageGame& p = m_run.Battle();
    if (p.m_Battle.State().m_iCarriedCard >= 0) {
        // A refused cell (a Machine stands there): the right button gives the card back.
        if (p.m_Battle.State().m_iCarriedFrames < 40) return false;
        ScriptEvent e;
        e.kind = ScriptEvent::KEY;
        e.frame = m_run.RunnerFrame();
        e.key = MOUSE_RIGHT;
        m_run.App().m_aInput[0].m_aiKey[MOUSE_RIGHT] = KEY_PRESSED | KEY_RELEASED;
        m_script.push_back(e);
        m_run.Step();
        return true;
    }
    for (const CCom_GameItem& item : p.m_Battle.State().m_lstItems)
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
    for (const CCom_GameRobot& r : p.m_Battle.State().m_lstRobots) {
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
        const UnitDefinition& d = p.m_Battle.State().m_aHandDefs[s];
        return p.m_Battle.State().m_aHand[s].m_iCard >= 0 &&
               p.m_Battle.State().m_aHand[s].m_iCharge == d.m_iRechargeTime &&
               p.m_Battle.State().m_iEnergy >= d.m_iEnergyCost;
    };
    // Takes the card of slot s to the first fitting free cell of a row
    // (every row for -1), from the back or from the front, and only where
    // it stands ahead of the Machines of that row.
    auto place = [&](int s, int onlyRow, bool fromBack) {
        const UnitDefinition& d = p.m_Battle.State().m_aHandDefs[s];
        for (int i = 0; i < FIELD_COLUMNS; ++i) {
            const int column = fromBack ? FIELD_COLUMNS - 1 - i : i;
            for (int row = 0; row < FIELD_ROWS; ++row) {
                if (onlyRow >= 0 && row != onlyRow) continue;
                const FieldCell& c = p.m_Battle.State().m_aFieldCells[column * FIELD_ROWS + row];
                if (c.m_iKind != d.m_iTerrain || !CellFree(column, row) || c.m_fX < front[row] + 60.0f) continue;
                const VxVec3 slot = p.m_apHandButtons[s]->m_vPosition;
                Tap(slot.x, slot.y);
                for (int f = 0; f < 10; ++f) Send(ScriptEvent::MOVE, c.m_fX, c.m_fY);
                Tap(c.m_fX, c.m_fY);
                ++m_nPlaced;
                return true;
            }
        }
        return false;
    };
    const int slots = std::min(p.m_Battle.State().m_nHandSlots, DECK_SLOTS);
    auto role = [&](int s) { return p.m_Battle.State().m_aHandDefs[s].m_iRole; };
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
                fits = fits || p.m_Battle.State().m_aFieldCells[column * FIELD_ROWS + row].m_iKind ==
                                   p.m_Battle.State().m_aHandDefs[s].m_iTerrain;
            if (fits && (fewest < 0 || shooters[row] < shooters[fewest])) fewest = row;
        }
        if (fewest >= 0 && place(s, fewest, true)) return true;
    }
    return false;
}
