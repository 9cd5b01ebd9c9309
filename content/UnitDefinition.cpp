#include "content/UnitDefinition.h"

#include "content/GameLink.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnitIds.h"
#include "content/UnitTables.h"

namespace {

// Machines of episodes 2 and 3 take more hits in a battle. The bounds are
// tested on the unscaled value: the smallest units and Destroyer Zero keep theirs.
void ApplyMachineToughness(UnitDefinition& record, int battleStage) {
    const int hp = record.m_iMaxHp;
    if (!(hp > 10 && hp < 15000)) return;
    if (battleStage <= 0) return;
    const int episode = GetStageEpisode(battleStage);
    if (episode != 2 && episode != 3) return;
    const double factor = hp < 200 ? 1.5 : (hp < 500 ? 1.25 : 1.15);
    record.m_iMaxHp = int(hp * factor);
    if (episode == 3) record.m_iMaxHp = int(record.m_iMaxHp * 1.25);
}

// The laboratory factors are single-precision constants applied in single
// precision, so 300 frames * 0.65f gives 195.
int ScaleSingle(int value, float factor) { return int(float(value) * factor); }
int ScaleDouble(int value, double factor) { return int(double(value) * factor); }

void ApplyUpgrade(UnitDefinition& record, const RobotRow& row) {
    switch (row.upgrade) {
    case UPGRADE_NOTHING: break;
    case UPGRADE_RECHARGE_065: record.m_iRechargeTime = ScaleSingle(record.m_iRechargeTime, 0.65f); break;
    case UPGRADE_HP_135: record.m_iMaxHp = ScaleSingle(record.m_iMaxHp, 1.35f); break;
    case UPGRADE_COST20_RECHARGE_075:
        record.m_iEnergyCost = 20;
        record.m_iRechargeTime = ScaleDouble(record.m_iRechargeTime, 0.75);
        break;
    case UPGRADE_TERRAIN_SPECIAL: record.m_iTerrain = TERRAIN_SPECIAL; break;
    case UPGRADE_COST: record.m_iEnergyCost = row.upgradeValue; break;
    case UPGRADE_INTERVAL_065: record.m_iActionInterval = ScaleSingle(record.m_iActionInterval, 0.65f); break;
    case UPGRADE_INTERVAL_075: record.m_iActionInterval = ScaleDouble(record.m_iActionInterval, 0.75); break;
    case UPGRADE_INTERVAL_035: record.m_iActionInterval = ScaleDouble(record.m_iActionInterval, 0.35); break;
    }
}

}  // namespace

void GetUnitDefinition(UnitDefinition& record, int id) {
    const int battleStage = IsBattlePageCurrent(true) ? GetContentLink().CurrentStage() : 0;
    GetUnitDefinition(record, id, g_CurrentProfile, battleStage);
}

void GetUnitDefinition(UnitDefinition& record, int id, const SaveProfile& profile, int battleStage) {
    record.m_iType = id;
    record.m_iSide = id >= FIRST_MACHINE_TYPE ? 1 : 0;
    record.m_iConcealment = 0;
    record.m_bFlag = 1;
    record.m_iSize = 0;
    record.m_iHeartDecrease = 0;
    record.m_iUpgradeLevel = 0;

    if (const RobotRow* row = FindRobotRow(id)) {
        record.m_iTerrain = row->terrain;
        record.m_iRole = row->role;
        record.m_iMaxHp = row->hp;
        record.m_iActionInterval = row->interval;
        record.m_iRechargeTime = row->recharge;
        record.m_iEnergyCost = row->cost;
        record.m_iWeapon = WeaponId(row->weapon);
        record.m_fSpeed = 0.0f;
        record.m_iMoveMode = 0;
        if (row->flags & UNIT_NO_DEEP_WATER) record.m_bFlag = 0;

        // Any level above 0 gives the same single change; the Remover Bot has none.
        record.m_iUpgradeLevel = profile.m_aRobotUpgrade[id].m_iLevel;
        if (record.m_iUpgradeLevel > 0 && id < RobotId::RemoverBot) ApplyUpgrade(record, *row);
        return;
    }

    if (const MachineRow* row = FindMachineRow(id)) {
        record.m_iTerrain = row->terrain;
        record.m_iRole = row->role;
        record.m_iConcealment = row->concealment;
        record.m_iMaxHp = row->hp;
        record.m_iActionInterval = row->interval;
        record.m_fSpeed = row->speed;
        record.m_iMoveMode = row->moveMode;
        record.m_iRechargeTime = 0;
        record.m_iEnergyCost = 0;
        record.m_iWeapon = WeaponId(row->weapon);
        record.m_iSize = row->size;
        record.m_iHeartDecrease = row->hearts;
        ApplyMachineToughness(record, battleStage);
    }
    // Any other id keeps the caller's values beyond the fields set above; the
    // profile holds upgrades for robot ids 0 to 39 only.
}

const char* GetUnitName(int id) {
    if (const RobotRow* row = FindRobotRow(id)) return row->name;
    if (const MachineRow* row = FindMachineRow(id)) return row->name;
    return nullptr;
}
