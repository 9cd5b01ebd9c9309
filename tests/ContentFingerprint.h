#pragma once
// A compact fingerprint of the content tables. The tables were checked value
// by value against the designers' sheets once; the fingerprint then catches
// any later slip in a number, a name or a row.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <type_traits>

#include "content/FieldGrid.h"
#include "content/MiniGameTable.h"
#include "content/StageDefinition.h"
#include "content/UnitDefinition.h"
#include "content/WeaponDefinition.h"

namespace harness {

class Fingerprint {
public:
    void Bytes(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) m_hash = (m_hash ^ p[i]) * 0x100000001B3ull;
    }
    template <class T>
    void Add(T value) {
        static_assert(std::is_arithmetic<T>::value, "plain values only");
        Bytes(&value, sizeof value);
    }
    void Text(const char* s) { s ? Bytes(s, std::strlen(s) + 1) : Add(-1); }
    uint64_t Value() const { return m_hash; }

private:
    uint64_t m_hash = 0xCBF29CE484222325ull;
};

// Every field the lookup sets, unit by unit (the animation lengths are the
// robot loader's and are left out).
inline uint64_t UnitTableFingerprint() {
    Fingerprint f;
    auto unit = [&f](int id) {
        UnitDefinition u{};
        GetUnitDefinition(u, id);
        f.Text(GetUnitName(id));
        for (int v : {u.m_iType, u.m_iSide, u.m_iTerrain, u.m_iRole, u.m_iConcealment, u.m_iMaxHp, u.m_iActionInterval,
                      u.m_iMoveMode, u.m_iRechargeTime, u.m_iEnergyCost, int(u.m_iWeapon), u.m_iSize,
                      u.m_iHeartDecrease, u.m_iUpgradeLevel})
            f.Add(v);
        f.Add(u.m_fSpeed);
        f.Add(u.m_bFlag);
    };
    for (int id = 0; id < ROBOT_TYPES; ++id) unit(id);
    for (int id = FIRST_MACHINE_TYPE; id <= LAST_MACHINE_TYPE; ++id) unit(id);
    return f.Value();
}

// The weapon records and the reach patterns.
inline uint64_t WeaponTableFingerprint() {
    Fingerprint f;
    auto weapon = [&f](int id) {
        WeaponDefinition w{};
        GetWeaponDefinition(w, WeaponId(id));
        for (int v : {int(w.m_iId), w.m_iDamage, w.m_iRange, w.m_iAngle, w.m_iArc, w.m_iSpeed, int(w.m_iMotion),
                      w.m_iSize, w.m_iHits, w.m_iLifetime, int(w.m_iHitEffectArg)})
            f.Add(v);
        for (float v : {w.m_fAreaWidth, w.m_fAreaHeight, w.m_fAreaDepth}) f.Add(v);
        f.Add(w.m_bMarker);
    };
    for (int id = 0; id <= 30; ++id) weapon(id);
    for (int id = 1000; id <= 1017; ++id) weapon(id);
    for (int id = 0; id <= 30; ++id) {
        WeaponReachMask mask;
        GetWeaponReachMask(WeaponId(id), mask);
        f.Bytes(mask, sizeof mask);
    }
    return f.Value();
}

// Every stage on every difficulty: timing, wave lists, mixes and rules.
inline uint64_t StageTableFingerprint() {
    Fingerprint f;
    for (int stage = 1; stage <= 180; ++stage)
        for (int d = 0; d < 3; ++d) {
            StageDefinition s{};
            GetStageDefinition(stage, d, s);
            f.Add(s.m_iLength);
            for (int i = 0; i < STAGE_ENEMY_SLOTS; ++i) {
                f.Add(s.m_aiEnemyType[i]);
                for (float w :
                     {s.m_afWaveWeight[i], s.m_afWaveWeightStep[i], s.m_afStreamWeight[i], s.m_afStreamWeightStep[i]})
                    f.Add(w);
            }
            for (int v : {s.m_iStreamWeightTotal, s.m_iWaveWeightTotal, s.m_iStreamStart, s.m_iWaveStart,
                          s.m_iStreamInterval, s.m_iWaveInterval, s.m_iWaveSize, s.m_iWaveSizeStep, s.m_iWaveSizeCap,
                          s.m_iExtraEnemies, s.m_nWaveTimes, s.m_iBackground, s.m_iGroundRow})
                f.Add(v);
            for (int i = 0; i < s.m_nWaveTimes; ++i) f.Add(s.m_aiWaveTime[i]);
            for (bool b : {s.m_bCardCharge, s.m_bRemoverCard, s.m_bAttacksAllowed, s.m_bEnemySchedule, s.m_bLifeInPlay,
                           s.m_bEnergyInPlay, s.m_bEdgeTiles, s.m_bFinalWave, s.m_bEnergyShower, s.m_bRuleHold})
                f.Add(b);
            f.Add(s.m_fItemFallSpeed);
        }
    return f.Value();
}

// Every stage's grid as a battle builds it, with the row of its ground line.
inline uint64_t FieldGridFingerprint() {
    Fingerprint f;
    for (int stage = 1; stage <= 180; ++stage) {
        StageDefinition s{};
        GetStageDefinition(stage, 1, s);
        FieldCell cells[FIELD_CELLS];
        std::memset(cells, 0, sizeof cells);
        int groundRow = 4;
        BuildFieldGrid(stage, cells, s.m_iGroundRow, &groundRow);
        f.Bytes(cells, sizeof cells);
        f.Add(groundRow);
    }
    return f.Value();
}

// Every mini-game's row, column by column, lists with their lengths.
inline uint64_t MiniGameTableFingerprint() {
    Fingerprint f;
    auto list = [&f](const std::vector<int>& v) {
        f.Add(int(v.size()));
        for (int x : v) f.Add(x);
    };
    for (int stage = 151; stage <= 180; ++stage) {
        const MiniGameRow& r = MiniGameRowOf(stage);
        for (int v : {r.stage, int(r.kind), int(r.mode), r.hand.slots, r.hand.runLast}) f.Add(v);
        list(r.hand.cards);
        list(r.reels);
        f.Add(int(r.start.size()));
        for (const StartRobot& s : r.start) {
            for (int v : {s.column, s.row, s.slot, s.card, s.control, s.intervalFrames}) f.Add(v);
            f.Add(s.rules);
            f.Add(s.intervalShare);
        }
        for (float v : {r.chargeSlot0, r.charge, r.scroll, r.pace.speed, r.pace.leadSpeed}) f.Add(v);
        for (int v : {r.pace.spared, r.pace.speedSteps, r.boss.type, r.destroyer, r.capsules.tail, r.fieldOf}) f.Add(v);
        for (double v : {r.pace.machineInterval, r.boss.interval, r.boss.hp}) f.Add(v);
        list(r.capsules.bands);
        f.Add(int(r.capsuleFlights.size()));
        for (const CapsuleFlight& c : r.capsuleFlights) {
            f.Add(c.card);
            f.Add(c.speed);
        }
        for (bool b : {r.capsules.mounts, r.clearsFinalWave, r.relocationCooldown, r.meteorArrivals}) f.Add(b);
    }
    return f.Value();
}

}  // namespace harness
