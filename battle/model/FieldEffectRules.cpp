// Field effects that act: the Stingray's split into three, the boss's
// bombardments with their sounds, and the ring of shots.
#include "battle/model/FieldEffectRules.h"

#include <cmath>

#include "battle/model/BattleDrawer.h"
#include "battle/model/BattleRules.h"
#include "battle/units/GameRobot.h"
#include "content/UnitIds.h"
#include "content/WeaponIds.h"
#include "engine/VxSound.h"
#include "platform/Random.h"

namespace {

constexpr double kDeg = 0.017453292519943295;
// The variant word of every record: nobody changes it.
constexpr int kVariant = 0;

float Sin(double degrees) { return float(std::sin(degrees * kDeg)); }
float Cos(double degrees) { return float(std::cos(degrees * kDeg)); }

// A random point of the boss's bombardment grid: the row first, then the column.
void BombardmentPoint(float& x, float& y) {
    const int row = VxRand() % 5;
    y = float(double(row - 2) * 85.0 * 0.95);
    const int column = VxRand() % 6;
    x = float(double(column - 5) * 90.0 * 0.95);
}

// The Stingray breaks into three that each die at one touch and do not split again.
void SplitStingray(CBattleModel& model, float x, float y) {
    for (int k = 0; k < 3; ++k) {
        const double a = SplitCopyAngle(k);
        const float r = SplitCopyRadius(k, 29);
        const float cx = x + r * Sin(a), cy = y + r * Cos(a);
        CCom_GameRobot* child = model.CallEnemyRobot(MachineId::Stingray, cx, cy, 0.0f, true);
        if (!child) continue;
        child->m_iHp = 1;
        child->m_Unit.m_iMaxHp = 1;
        child->m_aiAux[1] = 1;
        child->m_Unit.m_iMoveMode = MOVE_SEEK_LANE;
        child->m_Unit.m_iHeartDecrease = 1;
        child->m_Unit.m_fSpeed = 1.5f + 0.25f * float(VxRand() % 3);
        child->m_vPosition = {cx, cy, 0.0f};
    }
}

// The final bombardment: the destroyer's fall, bombs all over the field; the bombs fade out.
void DestroyerFall(CBattleModel& model, int age) {
    BattleScene& scene = model.Scene();
    if (age == 0) RestartSound(scene.m_pSfxDestroyerDead);
    if (age % 2 == 0) {
        float bx, by;
        BombardmentPoint(bx, by);
        model.AddFieldEffect(7, FIELD_EFFECT_BOMB_BLAST, bx, by, 0.0f);
    }
    if (age > 120 && age % 10 == 0) RestartSound(scene.m_pSfxDestroyerBomb);
    if (age <= 480) return;
    const float u = float(age - 480) / 120.0f;
    if (scene.m_pSfxDestroyerBomb) scene.m_pSfxDestroyerBomb->SetVolumeFactor(1.0f - u);
}

}  // namespace

void InitFieldEffect(FieldEffect& record, FieldEffectType type, int source, float x, float y, float z) {
    record = FieldEffect{};
    record.kind = int32_t(type);
    record.params[0] = x;
    record.params[1] = y;
    record.params[2] = z;
    record.params[3] = source;
    record.life = type == FIELD_EFFECT_FINAL_BOMBARDMENT ? 600 : type == FIELD_EFFECT_SHOT_RING ? 50 : 35;
}

double SplitCopyAngle(int k) { return 45.0 + 75.0 * kVariant + 77.0 * k; }
float SplitCopyRadius(int k, int age) { return (3.5f + 0.3f * float(k)) * float(age); }

void ActOnBattle(CBattleModel& model, const FieldEffect& record) {
    const int age = record.age, source = record.params[3].i;
    const float x = record.params[0].f, y = record.params[1].f, z = record.params[2].f;
    switch (FieldEffectKind(record)) {
    case FIELD_EFFECT_SPLIT_SPAWN:
        if (age == 29) SplitStingray(model, x, y);
        break;
    case FIELD_EFFECT_BOMBARDMENT:
        if (age < 30 && age % 2 == 0) {
            float bx, by;
            BombardmentPoint(bx, by);
            model.AddFieldEffect(7, FIELD_EFFECT_BLAST, bx, by, 0.0f);
        }
        break;
    case FIELD_EFFECT_FINAL_BOMBARDMENT: DestroyerFall(model, age); break;
    case FIELD_EFFECT_SHOT_RING:
        if (age % 10 == 0) model.FireBullet(WeaponId::FieldStrike, source, x, y, z, -1, -1);
        break;
    default: break;
    }
}

bool ShowsStreaks(const BattleScene& scene, const FieldEffect& record) {
    if (FieldEffectKind(record) != FIELD_EFFECT_SHOT_STREAKS || record.age >= 10) return false;
    const int source = record.params[3].i, k = source - 1000;
    const RobotArt* art = source >= 0 && source < HAND_SLOTS  ? &scene.m_aHandArt[source]
                          : k >= 0 && k < STAGE_ENEMY_RECORDS ? &scene.m_aEnemyArt[k]
                                                              : nullptr;
    return art && art->m_pWeapon;
}

void RunFieldEffects(CBattleModel& model, BattleDrawer& drawer) {
    for (FieldEffect& fx : RuleState(model).m_lstFieldEffects) {
        if (ShowsStreaks(model.Scene(), fx)) RuleState(model).m_StreakRolls = RollStreaks();
        drawer.FieldEffectShown(fx);
        ActOnBattle(model, fx);
        ++fx.age;
        --fx.life;
    }
    RuleState(model).m_lstFieldEffects.remove_if([](const FieldEffect& fx) { return fx.life < 1; });
}
