#pragma once
// A stage in play with an empty field, for tests of the battle's finer unit
// rules: units stood up by hand or built from the hand, and the run stepped
// with every mine blast on the way remembered.
#include <set>
#include <string>
#include <vector>

#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "content/UnitIds.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "engine/VxXApplication.h"
#include "platform/Random.h"
#include "tests/StageRunSupport.h"

constexpr int kMine = 6;
constexpr WeaponId kMineWeapon = WeaponId::MineBlast;

class UnitRulesTest : public StageRunTest {
protected:
    // The stage in play with no Machine scheduled and an empty field.
    CPageGame& Playing(int stage, std::vector<int> hand = {kMine}) {
        Begin(stage, 1, 31, std::move(hand));
        EXPECT_TRUE(run->RunUntilState(BATTLE_PLAYING, 20000));
        CPageGame& page = run->Battle();
        RuleState(page.m_Battle).m_StageDefinition.m_bEnemySchedule = false;
        RuleState(page.m_Battle).m_lstRobots.clear();
        RuleState(page.m_Battle).m_lstBullets.clear();
        return page;
    }
    // The hand card of the slot built on a cell, as a placement builds it.
    CCom_GameRobot& Build(int slot, int cellIndex) {
        CPageGame& page = run->Battle();
        const FieldCell& cell = page.m_Battle.State().m_aFieldCells[cellIndex];
        CCom_GameRobot r(page.m_Battle);
        r.m_Unit = page.m_Battle.State().m_aHandDefs[slot];
        r.m_iUnitSlot = slot;
        r.Place(page.m_Battle, cell.m_fX, cell.m_fY, cell.m_fZ);
        RuleState(page.m_Battle).m_lstRobots.push_back(r);
        return RuleState(page.m_Battle).m_lstRobots.back();
    }
    // A unit of a type standing at a point, its records as a creator fills them.
    CCom_GameRobot& Stand(int type, float x, float y) {
        CPageGame& page = run->Battle();
        CCom_GameRobot r(page.m_Battle);
        GetUnitDefinition(r.m_Unit, type);
        GetWeaponDefinition(r.m_Weapon, r.m_Unit.m_iWeapon);
        r.m_iHp = r.m_Unit.m_iMaxHp;
        r.m_vPosition = r.m_vLastPosition = r.m_vHome = VxVec3{x, y, 0.0f};
        r.m_vCell = page.m_Battle.FindNearestCell(x, y, 0.0f);
        r.m_iState = r.IsMachine() ? ROBOT_MOVE : ROBOT_IDLE;
        RuleState(page.m_Battle).m_lstRobots.push_back(r);
        return RuleState(page.m_Battle).m_lstRobots.back();
    }
    // Sets the engine frame so that the unit's every-fifth-frame scan runs.
    void ScanFrameFor(const CCom_GameRobot& r) {
        int f = run->App().m_nFrame + 1;
        while ((f + r.m_iSerial) % 5 != 0) ++f;
        run->App().m_nFrame = f;
    }
    // Ground cells of columns 2-9, spiked or plain.
    std::vector<int> CellsWhere(bool spiked) const {
        const CPageGame& page = run->Battle();
        std::vector<int> out;
        for (int i = 2 * FIELD_ROWS; i < FIELD_CELLS; ++i) {
            const FieldCell& c = page.m_Battle.State().m_aFieldCells[i];
            if (c.m_iStageKind == CELL_GROUND && c.m_iKind == CELL_GROUND && (c.m_iSpikeFree == 0) == spiked)
                out.push_back(i);
        }
        return out;
    }
    int CellWhere(bool spiked) const {
        const std::vector<int> cells = CellsWhere(spiked);
        return cells.empty() ? -1 : cells.front();
    }
    // Steps the run, remembering every mine blast made on the way.
    void Step(int frames) {
        for (int i = 0; i < frames; ++i) {
            run->Step();
            for (const CCom_GameBullet& b : run->Model().State().m_lstBullets)
                if (b.m_Weapon.m_iId == kMineWeapon) blasts.insert(b.m_iSerial);
        }
    }
    bool OnField(int serial) { return FindRobotBySerial(RuleState(run->Model()).m_lstRobots, serial) != nullptr; }

    std::set<int> blasts;
};
