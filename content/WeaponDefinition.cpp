#include "content/WeaponDefinition.h"

#include <cstring>

#include "content/FieldGrid.h"
#include "content/GameLink.h"

namespace {

void Store(WeaponDefinition& w, int damage, int range, int angle, int arc, int speed, int motion, int size,
           float areaWidth, float areaHeight, int hits, int lifetime, int hitArg) {
    w.m_iDamage = damage;
    w.m_iRange = range;
    w.m_iAngle = angle;
    w.m_iArc = arc;
    w.m_iSpeed = speed;
    w.m_iMotion = BulletMotion(motion);
    w.m_iSize = size;
    w.m_fAreaWidth = areaWidth;
    w.m_fAreaHeight = areaHeight;
    w.m_iHits = hits;
    w.m_iLifetime = lifetime;
    w.m_iHitEffectArg = FieldEffectType(hitArg);
}

// Weapons 5 and 19 take their size from the caller's record.
void StoreKeepSize(WeaponDefinition& w, int damage, int range, int angle, int arc, int speed, int motion,
                   float areaWidth, float areaHeight, int hits, int lifetime, int hitArg) {
    Store(w, damage, range, angle, arc, speed, motion, w.m_iSize, areaWidth, areaHeight, hits, lifetime, hitArg);
}

// Returns false for ids without a definition.
bool StoreTable(WeaponDefinition& w, int id) {
    switch (id) {
    //                      dmg  range angle arc spd mot size  area w     area h     hits  life arg
    case 0: Store(w, 20, 855, 90, 5, 5, 1, 42, 0.0f, 0.0f, 1, 1000, 0); break;
    case 1: Store(w, 20, 855, 45, 15, 10, 1, 59, 0.0f, 0.0f, 1, 1000, 0); break;
    case 2: Store(w, 15, 855, 90, 5, 5, 1, 42, 0.0f, 0.0f, 1, 1000, 0); break;
    case 3: Store(w, 20, 855, 90, 5, 5, 1, 42, 0.0f, 0.0f, 1, 1000, 1); break;
    case 4: Store(w, 20, 855, 180, 30, 5, 1, 68, 0.0f, 0.0f, 1, 1000, 0); break;
    case 5:
        StoreKeepSize(w, 500, 64, 0, 360, 0, 5, 64.125f, 60.5625f, 1, 20, 0);
        w.m_bMarker = 1;
        break;
    case 6: Store(w, 2, 342, 90, 5, 0, 5, 21, 342.0f, 80.75f, 20000, 150, 6); break;
    case 7: Store(w, 10, 171, 90, 5, 1, 0, 85, 0.0f, 0.0f, 1, 10, 0); break;
    case 8: Store(w, 0, 252, 0, 360, 0, 5, 149, 260.775f, 246.2875f, 10000, 30, 9); break;
    case 9: Store(w, 5, 299, 90, 10, 8, 2, 85, 0.0f, 0.0f, 7, 90, 0); break;
    case 10: Store(w, 20, 855, 15, 30, 5, 1, 64, 0.0f, 0.0f, 1, 1000, 3); break;
    case 11: Store(w, 500, 1710, 90, 360, 0, 5, 128, 128.25f, 121.125f, 10000, 30, 0); break;
    case 12: Store(w, 1, 855, 0, 5, 0, 5, 21, 158.175f, 323.0f, 10000, 1210, 0); break;
    case 13: Store(w, 15, 855, 90, 180, 5, 3, 72, 0.0f, 0.0f, 1, 1000, 0); break;
    case 14: Store(w, 15, 855, 90, 30, 3, 1, 72, 0.0f, 0.0f, 3, 1000, 13); break;
    case 15: Store(w, 10, 143, 90, 360, 5, 4, 42, 0.0f, 0.0f, 1, 1000, 2); break;
    case 16: Store(w, 10, 855, 90, 15, 15, 1, 64, 0.0f, 0.0f, 1, 1000, 2); break;
    case 17: Store(w, 20, 256, 0, 360, 0, 8, 42, 0.0f, 0.0f, 10000, 5, 5); break;
    case 18: Store(w, 10, 855, 90, 5, 10, 1, 42, 0.0f, 0.0f, 1, 1000, 0); break;
    case 19: StoreKeepSize(w, 500, 1710, 90, 360, 0, 5, 171.0f, 68.6375f, 1, 10, 0); break;
    case 20: Store(w, 15, 855, 90, 5, 15, 1, 42, 0.0f, 0.0f, 1, 1000, -1); break;
    case 21: Store(w, 15, 1710, 90, 360, 0, 5, 128, 128.25f, 121.125f, 10000, 30, -1); break;
    case 22: Store(w, 1500, 1710, 90, 360, 0, 5, 128, 1710.0f, 1615.0f, 10000, 30, 0); break;
    case 23: Store(w, 2, 427, 0, 360, 60, 8, 855, 0.0f, 0.0f, 1, 15, 7); break;
    case 24: Store(w, 300, 855, 135, 15, 60, 8, 855, 0.0f, 0.0f, 1, 15, 0); break;
    case 25: Store(w, 25, 855, 90, 5, 5, 1, 64, 0.0f, 0.0f, 1, 1000, 14); break;
    case 26: Store(w, 500, 855, 90, 60, 5, 4, 42, 0.0f, 0.0f, 1, 1000, 0); break;
    case 27: Store(w, 0, 3, 0, 360, 0, 9, 85, 0.0f, 0.0f, 1, 20, 0); break;
    case 28: Store(w, 500, 1710, 90, 360, 0, 5, 128, 171.0f, 161.5f, 10000, 30, 0); break;
    case 29: Store(w, 0, 252, 0, 360, 0, 5, 149, 260.775f, 246.2875f, 10000, 30, 9); break;
    case 30: Store(w, 1, 213, 90, 360, 0, 5, 213, 213.75f, 201.875f, 10000, 1, -1); break;

    case 1000: Store(w, 25, 106, -90, 10, 1, 0, 106, 0.0f, 0.0f, 1, 10, 0); break;
    case 1001: Store(w, 10, 106, -90, 10, 0, 0, 106, 0.0f, 0.0f, 1, 10, 0); break;
    case 1002: Store(w, 25, 85, -90, 5, 85, 1, 42, 85.5f, 20.1875f, 2, 2, 16); break;
    case 1003: Store(w, 15, 855, 180, 30, 5, 1, 85, 0.0f, 0.0f, 1, 1000, 0); break;
    case 1004: Store(w, 25, 598, -90, 360, 2, 6, 128, 0.0f, 0.0f, 10000, 100, 0); break;
    case 1005: Store(w, 25, 684, -90, 5, 2, 7, 21, 0.0f, 0.0f, 10000, 100, 0); break;
    case 1006: Store(w, 25, 106, -90, 10, 0, 0, 106, 0.0f, 0.0f, 1, 10, 0); break;
    case 1007: Store(w, 20, 85, -90, 5, 0, 5, 85, 85.5f, 323.0f, 10000, 10, 0); break;
    case 1008: Store(w, 2, 1026, -90, 5, 0, 5, 21, 1026.0f, 80.75f, 10000, 60, 0); break;
    case 1009: Store(w, 100, 106, -90, 10, 1, 0, 106, 0.0f, 0.0f, 1, 10, 0); break;
    case 1010: Store(w, 1000, 128, -90, 10, 1, 0, 128, 0.0f, 0.0f, 1, 10, 0); break;
    case 1011: Store(w, 500, 1710, 90, 360, 0, 5, 128, 149.625f, 141.3125f, 10000, 30, 0); break;
    case 1012: Store(w, 20, 855, -90, 5, 5, 1, 42, 0.0f, 0.0f, 1, 1000, 0); break;
    case 1013: Store(w, 20, 106, -90, 360, 0, 5, 149, 149.625f, 141.3125f, 10, 10, 1); break;
    case 1014: Store(w, 1000, 128, -90, 10, 1, 0, 81, 42.75f, 201.875f, 12, 10, 0); break;
    case 1015: Store(w, 4, 855, -90, 5, 0, 5, 21, 855.0f, 201.875f, 10000, 180, 18); break;
    case 1017: Store(w, 20, 106, -90, 10, 0, 0, 106, 0.0f, 0.0f, 1, 10, 1); break;
    default: return false;
    }
    return true;
}

}  // namespace

void GetWeaponDefinition(WeaponDefinition& record, WeaponId weapon) {
    const int id = int(weapon);
    record.m_iId = weapon;
    record.m_fAreaWidth = 0.0f;
    record.m_fAreaHeight = 0.0f;
    record.m_fAreaDepth = 0.0f;
    record.m_bMarker = 0;
    if (!StoreTable(record, id)) return;

    // Machines of the later episodes hit harder, but only in a running battle:
    // a switch still on its way to the battle page does not count.
    if (id >= 1000 && record.m_iDamage > 0 && IsBattlePageCurrent(false)) {
        const int stage = GetContentLink().CurrentStage();
        if (stage >= 51 && stage <= 150) {
            const int damage = record.m_iDamage;
            if (damage == 1) record.m_iDamage = 2;
            else if (damage <= 20) record.m_iDamage = int(double(damage) * 1.5);
            else record.m_iDamage = int(double(damage) * 1.3);
        }
    }
}

void GetWeaponReachMask(WeaponId weapon, WeaponReachMask& mask) {
    std::memset(mask, 0, sizeof(WeaponReachMask));
    // mask[row][column]: row 9 - d is d columns ahead, column 4 + e is e lanes below.
    auto lane = [&](int column, int fromRow, int toRow) {
        for (int r = fromRow; r <= toRow; ++r) mask[r][column] = 2;
    };
    auto across = [&](int row, int fromColumn, int toColumn) {
        for (int c = fromColumn; c <= toColumn; ++c) mask[row][c] = 2;
    };
    using W = WeaponId;
    switch (weapon) {
    case W::GunnerShot:
    case W::CopterShot:
    case W::FreezerShot:
    case W::DiverTorpedo:
    case W::PlasmaShot:
    case W::MachineGun: lane(4, 0, 9); break;
    case W::CannonShell:
        for (int i = 0; i <= 4; ++i) mask[5 + i][i] = 2;
        break;
    case W::DropperBomb: across(9, 4, 8); break;
    case W::Flame: lane(4, 6, 9); break;
    case W::WarriorBlade: lane(4, 8, 9); break;
    case W::SonarPulse:
    case W::Shock:
    case W::Magnet:
        for (int c = 2; c <= 6; ++c) lane(c, 7, 11);
        break;
    case W::Boomerang:
        lane(4, 6, 9);
        mask[8][3] = mask[8][5] = 2;
        mask[7][2] = mask[7][6] = 2;
        break;
    case W::Bubble:
    case W::Storm: across(9, 0, 4); break;
    case W::BomberBlast:
    case W::FixerBeam:
        for (int c = 3; c <= 5; ++c) lane(c, 8, 10);
        break;
    case W::Missile:
    case W::AtomicBlast:
        for (int c = 0; c < REACH_COLUMNS; ++c) lane(c, 0, REACH_ROWS - 1);
        break;
    case W::Shotgun:
        lane(4, 0, 9);
        lane(3, 0, 7);
        lane(5, 0, 7);
        lane(2, 0, 2);
        lane(6, 0, 2);
        break;
    case W::SpiderWeb:
        for (int c = 0; c < REACH_COLUMNS; ++c) lane(c, 6, 12);
        break;
    case W::SniperShot:
        for (int i = 0; i <= 4; ++i) mask[9 - i][4 + i] = 2;
        break;
    case W::Mortar:
        lane(4, 0, 9);
        lane(3, 0, 8);
        lane(5, 0, 8);
        lane(2, 0, 7);
        lane(6, 0, 7);
        lane(1, 0, 6);
        lane(7, 0, 6);
        lane(0, 0, 5);
        lane(8, 0, 5);
        break;
    default:  // the mine, snowball, hammer, plasma burst and every other weapon: the own cell only
        mask[9][4] = 2;
        break;
    }
}

void MarkDescentPath(const FieldCell* cells, float column, float row, uint8_t* mask, bool alsoLeft) {
    std::memset(mask, 0, FIELD_CELLS);
    int c = int(column);
    int r = int(row);
    if (c < 0 || !cells) return;
    while (r <= 4) {
        // A start below row 4 never enters the loop; one above row 0 is not a cell.
        if (c >= FIELD_COLUMNS || r < 0) return;
        mask[c * FIELD_ROWS + r] = 1;
        if (alsoLeft && c >= 1) mask[(c - 1) * FIELD_ROWS + r] = 1;
        const int kind = cells[c * FIELD_ROWS + r].m_iStageKind;
        if (kind == CELL_GROUND || kind == CELL_WATER_SURFACE) --c;
        else ++r;
        if (c < 0) return;
    }
}

void MarkDescentPath(float column, float row, int /*unused*/, uint8_t* mask, bool alsoLeft) {
    MarkDescentPath(GetContentLink().BattleFieldCells(), column, row, mask, alsoLeft);
}
