#include "tools/stagerun/BattleChecksum.h"

#include <cstddef>
#include <cstring>

#include "battle/model/BattleModel.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "platform/Random.h"

namespace {

// FNV-1a over the dump, 64 bits.
class Hash64 {
public:
    void Bytes(const void* data, size_t n) {
        const auto* p = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < n; ++i) {
            m_value ^= p[i];
            m_value *= 1099511628211ull;
        }
    }
    void Int(int64_t v) { Bytes(&v, sizeof v); }
    void Float(float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        Int(bits);
    }
    void Vec(const VxVec3& v) {
        Float(v.x);
        Float(v.y);
        Float(v.z);
    }
    uint64_t Value() const { return m_value; }

private:
    uint64_t m_value = 1469598103934665603ull;
};

}  // namespace

uint64_t BattleChecksum(const CBattleModel& b) {
    Hash64 h;
    for (const CCom_GameRobot& r : b.State().m_lstRobots) {
        h.Int(r.m_iSerial);
        h.Int(r.m_Unit.m_iType);
        h.Int(r.m_Unit.m_iSide);
        h.Int(r.m_iState);
        h.Int(r.m_iHp);
        h.Vec(r.m_vPosition);
        h.Vec(r.m_vHome);
        h.Int(r.m_iRow);
        h.Int(r.m_iActionTimer);
        h.Int(r.m_iAnimTick);
        h.Int(r.m_iUnitSlot);
        h.Int(r.m_bVariant);
    }
    h.Int(-1);
    for (const CCom_GameBullet& bullet : b.State().m_lstBullets) {
        h.Int(bullet.m_iSerial);
        h.Int(int(bullet.m_iBulletKind));
        h.Vec(bullet.m_vPosition);
        h.Int(bullet.m_iHitsLeft);
        h.Int(bullet.m_iAge);
    }
    h.Int(-2);
    for (const CCom_GameItem& item : b.State().m_lstItems) {
        h.Int(item.m_iSerial);
        h.Int(item.m_iItemKind);
        h.Int(item.m_iAge);
        h.Vec(item.m_vPosition);
        h.Int(item.m_bCollected);
    }
    h.Int(-3);
    for (const FieldEffect& fx : b.State().m_lstFieldEffects) {
        h.Int(fx.kind);
        h.Int(fx.life);
    }
    const int counters[] = {b.State().m_iLife,
                            b.State().m_iEnergy,
                            b.State().m_iTimeLeft,
                            b.State().m_iOvertimeFrames,
                            b.State().m_iBattleState,
                            b.State().m_iBattleFrame,
                            b.State().m_nLiveRobots,
                            b.State().m_nLiveMachines,
                            b.State().m_nRobotsLost,
                            b.State().m_nMachinesKilled,
                            b.State().m_iStreamCursor,
                            b.State().m_iBatchCursor,
                            b.State().m_iNextRobotSerial,
                            b.State().m_iNextBulletSerial,
                            b.State().m_iNextItemSerial};
    for (int c : counters) h.Int(c);
    for (int c : b.State().m_aiEnemyCalls) h.Int(c);
    // The stage's statistics (shots fired, fusors and attackers placed,
    // occupied cells), which the achievements read.
    for (int c : b.State().m_aiStageStats) h.Int(c);
    h.Int(int64_t(VxRandState()));
    return h.Value();
}
