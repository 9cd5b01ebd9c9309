// What the battle's rules make: shots, field effects, items, Machines and
// the mini-games' robots.

#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/model/SceneCues.h"
#include "battle/model/SkyDrops.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/MiniGameTable.h"
#include "content/StageNumbering.h"
#include "content/UnitIds.h"
#include "content/WeaponIds.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"
#include "platform/Random.h"
#include "platform/host/MessageBox.h"

namespace {

constexpr double kRad = 0.01745329238474369;

bool HandUpgraded(const CBattleModel& model, int graphic) {
    return graphic >= 0 && graphic < HAND_SLOTS && RuleState(model).m_aHandDefs[graphic].m_iUpgradeLevel != 0;
}

float DistanceXY(const VxVec3& a, float x, float y) {
    const float dx = a.x - x, dy = a.y - y;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

void CBattleModel::FireBullet(WeaponId kind, int graphic, float x, float y, float z, int targetSerial,
                              int ownerSerial) {
    if (kind < WeaponId::SmasherBlow && kind != WeaponId::SonarPulse && kind != WeaponId::FixerBeam &&
        kind != WeaponId::Magnet)
        ++m_aiStageStats[0];

    if (kind == WeaponId::Shotgun) {
        const bool upgraded = HandUpgraded(*this, graphic);
        const int n = upgraded ? 4 : 3;
        const double spacing = upgraded ? 6.0 : 10.0;
        for (int i = 0; i < n; ++i) {
            CCom_GameBullet pellet(*this);
            pellet.Setup(*this, WeaponId::Shotgun, graphic, x, y, z, targetSerial, ownerSerial);
            const double phi =
                -(((double(i) - double(n - 1) * 0.5) * spacing + double(pellet.m_Weapon.m_iAngle)) * kRad);
            const float v = float(pellet.m_Weapon.m_iSpeed);
            pellet.m_vVelocity = VxVec3{float(std::sin(phi)) * v, float(std::cos(phi)) * v, 0.0f};
            m_lstBullets.push_back(pellet);
        }
        // and one more along the weapon angle itself, below
    } else if (kind == WeaponId::Magnet && HandUpgraded(*this, graphic)) {
        WeaponDefinition collector{};
        GetWeaponDefinition(collector, WeaponId::Magnet);
        const float r = float(collector.m_iRange);
        // Serials first: a new bullet's set-up may not meet a changed list.
        std::vector<int> reached;
        for (const CCom_GameItem& item : m_lstItems)
            if (item.m_iItemKind < ITEM_CAPSULE && std::fabs(item.m_vPosition.x - x) < r * 85.5f &&
                std::fabs(item.m_vPosition.y - y) < r * 80.75f)
                reached.push_back(item.m_iSerial);
        for (int serial : reached) {
            CCom_GameBullet b(*this);
            b.Setup(*this, WeaponId::Magnet, graphic, x, y, z, serial, ownerSerial);
            m_lstBullets.push_back(b);
        }
        return;
    }

    {
        CCom_GameBullet b(*this);
        b.Setup(*this, kind, graphic, x, y, z, targetSerial, ownerSerial);
        m_lstBullets.push_back(b);
    }
    if (const CCom_GameRobot* owner = FindRobotBySerial(m_lstRobots, ownerSerial); owner && owner->m_bMirrored) {
        CCom_GameBullet& b = m_lstBullets.back();
        const double a = double(owner->m_Weapon.m_iAngle) * kRad;
        const float v = float(owner->m_Weapon.m_iSpeed);
        b.m_vVelocity = VxVec3{v * float(std::sin(a)), v * float(std::cos(a)), 0.0f};
        b.m_vRotation = VxVec3{0.0f, 0.0f, 3.14159265f};
    }
}

void CBattleModel::AddFieldEffect(int source, FieldEffectType type, float x, float y, float z) {
    if (m_lstFieldEffects.size() >= size_t(MAX_FIELD_EFFECTS)) return;
    m_lstFieldEffects.emplace_back();
    InitFieldEffect(m_lstFieldEffects.back(), type, source, x, y, z);
}

void CBattleModel::DropItem(int kind, float x, float y, float z, int handSlot, bool fromLeftEdge) {
    {
        CCom_GameItem temp(*this);
        temp.Launch(*this, kind, x, y, z);
        m_lstItems.push_back(temp);
    }
    CCom_GameItem& item = m_lstItems.back();
    item.m_bCollected = fromLeftEdge;
    if (fromLeftEdge) {
        const int row = VxRand() % 3;
        item.m_vPosition = {-0.6f * float(g_iScreenWidth), m_aFieldCells[row].m_fY, 0.0f};
    }
    if (kind == ITEM_CAPSULE && handSlot >= 0 && handSlot < HAND_SLOTS) {
        item.m_pOwnSprite = Scene().m_apHandPictures[handSlot];
        item.m_iCard = handSlot;
    }
    if (fromLeftEdge && Scene().m_pSfxMiniGameBonus) {
        Scene().m_pSfxMiniGameBonus->Stop();
        Scene().m_pSfxMiniGameBonus->Play();
    }
}

void CBattleModel::PlayPickupSound(const CCom_GameItem& item) {
    const int kind = item.m_iItemKind;
    const bool energy = IsEnergyItem(kind) || kind == ITEM_CAPSULE;
    const bool parts = IsPartsItem(kind);
    if (!energy && !parts) return;
    CVxSound* sound = parts ? Scene().m_pSfxPickParts : Scene().m_pSfxPickEnergy;
    int& pitch = parts ? Scene().m_iPartsPickPitch : Scene().m_iEnergyPickPitch;
    if (!sound) return;
    // Quick pick-ups in a row rise in pitch.
    pitch = sound->IsPlaying() ? pitch + 1500 : 0;
    sound->Stop();
    sound->Play();
    sound->SetFrequency(32000 + pitch);
}

CCom_GameRobot* CBattleModel::DropTimeBombs(CCom_GameRobot& temp, int slot) {
    CCom_GameRobot* first = nullptr;
    int placed = 0;
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        for (int r = 0; r < FIELD_ROWS; ++r) {
            const FieldCell& cell = m_aFieldCells[c * FIELD_ROWS + r];
            if (VxRand() % (10 + placed) != 0) continue;
            bool blocked = false;
            for (const CCom_GameRobot& other : m_lstRobots)
                if ((!other.IsMachine() || other.Type() == MachineId::TimeBomb) &&
                    DistanceXY(other.m_vLastPosition, cell.m_fX, cell.m_fY) < 42.75f) {
                    blocked = true;
                    break;
                }
            if (blocked) continue;
            temp.m_iSerial = m_iNextRobotSerial++;
            temp.Place(*this, 0.0f, 0.0f, 0.0f);
            if (placed == 0) RestartSound(Scene().m_apEnemySounds[slot][0]);
            ++placed;
            m_lstRobots.push_back(temp);
            CCom_GameRobot& bomb = m_lstRobots.back();
            bomb.m_vHome = {cell.m_fX, cell.m_fY, cell.m_fZ};
            bomb.m_vPosition = bomb.m_vHome;
            bomb.m_vCell = {float(c), float(r), 0.0f};
            bomb.m_iRow = r;
            bomb.m_vPosition.y += 500.0f;
            if (!first) first = &bomb;
            // Only the fifth bomb closes its column: the drop goes on in the
            // next one, and a column after it is scanned whole.
            if (placed == 5) break;
        }
    }
    return first;
}

CCom_GameRobot* CBattleModel::DropCapsuleCages(CCom_GameRobot& temp) {
    const int stage = StageNumber();
    const int limit = stage < 70 ? 2 : stage < 80 ? 3 : stage < 90 ? 4 : stage < 100 ? 5 : 2;
    CCom_GameRobot* first = nullptr;
    int placed = 0;
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        for (int r = 0; r < FIELD_ROWS; ++r) {
            const int k = c * FIELD_ROWS + r;
            if (m_aiCageCooldown[k] > 0) {
                --m_aiCageCooldown[k];
                continue;
            }
            const FieldCell& cell = m_aFieldCells[k];
            bool occupied = false;
            for (const CCom_GameRobot& other : m_lstRobots) {
                if (other.m_Unit.m_iRole == ROLE_ONESHOT) continue;
                const bool counts = (!other.IsMachine() && other.m_iHp > 0) || other.Type() == MachineId::CapsuleCage;
                if (counts && DistanceXY(other.m_vHome, cell.m_fX, cell.m_fY) < 42.75f) {
                    occupied = true;
                    break;
                }
            }
            if (VxRand() % 2 != 0 || !occupied) continue;
            temp.m_iSerial = m_iNextRobotSerial++;
            temp.Place(*this, 0.0f, 0.0f, 0.0f);
            m_lstRobots.push_back(temp);
            CCom_GameRobot& cage = m_lstRobots.back();
            cage.m_vHome = {cell.m_fX, cell.m_fY, cell.m_fZ};
            cage.m_vPosition = cage.m_vHome;
            cage.m_vPosition.y += 500.0f;
            if (!first) first = &cage;
            ++placed;
            m_aiCageCooldown[k] = 3;
            if (placed >= limit) return first;
        }
    }
    return first;
}

CCom_GameRobot* CBattleModel::CallEnemyRobot(int code, float x, float y, float z, bool allowMeteor) {
    CCom_GameRobot temp(*this);
    int slot = -1;
    for (int i = 0; i < STAGE_ENEMY_RECORDS && slot < 0; ++i)
        if (m_aEnemyDefs[i].m_iType == code && code != 0) slot = i;
    if (code == -1) host::ShowMessageBox("CallEnemyRobot with BLANK Code", "CallEnemyRobot() Error", host::MB_OK);
    // A code that is none of the stage's Machines makes nothing.
    if (slot < 0) return nullptr;
    temp.m_iUnitSlot = slot;
    const UnitDefinition& record = m_aEnemyDefs[slot];

    if (allowMeteor) {
        const int stage = StageNumber();
        bool meteor = MiniGameRowOf(stage).meteorArrivals;
        if (!meteor && !IsMiniGameStage(stage) && GetStageEpisode(stage) == 3 && GetStageWorld(stage) == 5 &&
            record.m_iTerrain == TERRAIN_GROUND && record.m_iMaxHp < 1300)
            meteor = VxRand() % 2 == 0;
        if (meteor) {
            StartMeteorFlight(*this, code);
            return nullptr;
        }
    }

    temp.m_Unit = record;
    CCom_GameRobot* made = nullptr;
    if (code == MachineId::TimeBomb) {
        made = DropTimeBombs(temp, slot);
    } else if (code == MachineId::CapsuleCage) {
        made = DropCapsuleCages(temp);
    } else {
        temp.Place(*this, 0.0f, 0.0f, 0.0f);
        if (x != 0.0f) temp.m_vPosition = {x, y, z};
        m_lstRobots.push_back(temp);
        made = &m_lstRobots.back();
        CVxSound* arrival = Scene().m_apEnemySounds[slot][0];
        if (made->m_Unit.m_iMoveMode == MOVE_NONE && arrival) {
            if (!arrival->IsPlaying()) arrival->Play();
            else if (m_iNextRobotSerial % 3 == 0) RestartSound(arrival);
        }
    }
    ++m_aiEnemyCalls[slot];
    for (int i = 0; i < MINI_GAME_LINKS; ++i) {
        CCom_GameRobot** link = MiniGameLink(i);
        if (*link && (*link)->m_iHp <= 0) *link = nullptr;
    }
    return made;
}

CCom_GameRobot* CBattleModel::SpawnMiniGameRobot(int slot, float x, float y, float z) {
    if (slot < 0 || slot >= HAND_SLOTS) return nullptr;
    CCom_GameRobot temp(*this);
    temp.m_iUnitSlot = slot;
    temp.m_Unit = m_aHandDefs[slot];
    temp.Place(*this, x, y, z);
    m_lstRobots.push_back(temp);
    return &m_lstRobots.back();
}

CCom_GameRobot* CBattleModel::SpawnMiniGameRobotOnCell(int column, int slot, int row) {
    const int index = std::clamp(column, 0, FIELD_COLUMNS - 1) * FIELD_ROWS + std::clamp(row, 0, FIELD_ROWS - 1);
    const FieldCell& cell = m_aFieldCells[index];
    return SpawnMiniGameRobot(slot, cell.m_fX, cell.m_fY, cell.m_fZ);
}
