// The logic pass's field-effect rules on a bare model (an empty scene, a
// drawer that shows nothing): a record acts only at its kind's ages, and it
// leaves once its life has run out; a shot leaves once it is far aside; a
// unit that runs ahead of its row still takes one turn a pass.
#include <gtest/gtest.h>

#include <type_traits>

#include "battle/model/BattleDrawer.h"
#include "battle/model/BattleModel.h"
#include "battle/model/BattleRoad.h"
#include "battle/model/BattleRules.h"
#include "battle/model/BattleSetUp.h"
#include "battle/model/FieldEffectRules.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/StageDefinition.h"
#include "tests/BareModel.h"

namespace {

// A field-effect kind, a weapon or a motion and a number never turn into each
// other, so a bare number is no argument, case label or side of a comparison.
template <class T>
constexpr bool kNamedOnly = std::is_enum_v<T> && !std::is_convertible_v<int, T> && !std::is_convertible_v<T, int>;
static_assert(kNamedOnly<FieldEffectType> && kNamedOnly<WeaponId> && kNamedOnly<BulletMotion>);
static_assert(std::is_same_v<decltype(WeaponDefinition::m_iId), WeaponId> &&
              std::is_same_v<decltype(WeaponDefinition::m_iMotion), BulletMotion> &&
              std::is_same_v<decltype(WeaponDefinition::m_iHitEffectArg), FieldEffectType> &&
              std::is_same_v<decltype(UnitDefinition::m_iWeapon), WeaponId> &&
              std::is_same_v<decltype(CCom_GameBullet::m_iBulletKind), WeaponId>);
static_assert(
    !std::is_invocable_v<decltype(&CBattleModel::AddFieldEffect), CBattleModel&, int, int, float, float, float> &&
    !std::is_invocable_v<decltype(&CBattleModel::FireBullet), CBattleModel&, int, int, float, float, float, int, int>);

// Counts the robots' turns of a pass.
struct TurnCounter : SilentBattleDrawer {
    void AfterRobot(const CCom_GameRobot& robot) override { turns += robot.m_iSerial == watched; }
    int watched = -1;
    int turns = 0;
};

FieldEffect Record(int kind, int age) {
    FieldEffect fx;
    InitFieldEffect(fx, FieldEffectType(kind), 0, 10.0f, 20.0f, 0.0f);
    fx.age = age;
    return fx;
}

}  // namespace

TEST(BattleRoad, FieldEffectsActOnlyAtTheirKindsAges) {
    const struct {
        const char* rule;
        int kind, age;
        size_t bullets, effects;
        int effectKind;
    } cases[] = {
        {"the bombardment drops a blast every other frame", 20, 0, 0, 1, 19},
        {"the bombardment rests on odd frames", 20, 1, 0, 0, -1},
        {"the bombardment is over after thirty frames", 20, 30, 0, 0, -1},
        {"the destroyer's fall bombs every other frame", 21, 0, 0, 1, 22},
        {"the destroyer's fall rests on odd frames", 21, 121, 0, 0, -1},
        {"the destroyer's fall still bombs at its end", 21, 590, 0, 1, 22},
        {"the shot ring fires every tenth frame", 32, 10, 1, 0, -1},
        {"the shot ring holds fire between", 32, 11, 0, 0, -1},
        {"a burst only shows", 0, 0, 0, 0, -1},
        {"a Stingray's split waits for its last frame", 17, 28, 0, 0, -1},
    };
    for (const auto& c : cases) {
        BareModel b;
        ActOnBattle(b.model, Record(c.kind, c.age));
        EXPECT_EQ(b.model.State().m_lstBullets.size(), c.bullets) << c.rule;
        ASSERT_EQ(b.model.State().m_lstFieldEffects.size(), c.effects) << c.rule;
        if (c.effects) {
            EXPECT_EQ(b.model.State().m_lstFieldEffects.front().kind, c.effectKind) << c.rule;
        }
    }
}

TEST(BattleRoad, AFieldEffectAgesEachPassAndLeavesWithItsLastFrame) {
    const struct {
        int kind, life;
        bool stays;
    } cases[] = {{0, 2, true}, {0, 1, false}, {9, 1, false}, {29, 35, true}};
    for (const auto& c : cases) {
        BareModel b;
        FieldEffect fx = Record(c.kind, 4);
        fx.life = c.life;
        RuleState(b.model).m_lstFieldEffects.push_back(fx);
        SilentBattleDrawer drawer;
        RunFieldEffects(b.model, drawer);
        ASSERT_EQ(b.model.State().m_lstFieldEffects.size(), c.stays ? 1u : 0u) << c.kind << "/" << c.life;
        if (c.stays) {
            EXPECT_EQ(b.model.State().m_lstFieldEffects.front().age, 5);
            EXPECT_EQ(b.model.State().m_lstFieldEffects.front().life, c.life - 1);
        }
    }
}

TEST(BattleRoad, ABulletLeavesPast900PixelsAsideAndAKind13OnePast500) {
    const struct {
        const char* rule;
        int kind;
        float x;
        bool stays;
    } cases[] = {
        {"a shot 899 aside flies on", 0, 899.0f, true},
        {"a shot 901 aside is gone", 0, 901.0f, false},
        {"a shot 901 to the left is gone", 0, -901.0f, false},
        {"a kind 13 shot 499 aside flies on", 13, 499.0f, true},
        {"a kind 13 shot 501 aside is gone", 13, 501.0f, false},
        {"another kind at 501 flies on", 12, 501.0f, true},
    };
    for (const auto& c : cases) {
        BareModel b;
        CCom_GameBullet shot;
        shot.m_iBulletKind = WeaponId(c.kind);
        shot.m_iHitsLeft = 1;
        shot.m_iLifetime = 100;  // a long way to fly yet
        shot.m_vPosition = VxVec3{c.x, 0.0f, 0.0f};
        RuleState(b.model).m_lstBullets.push_back(shot);
        SilentBattleDrawer drawer;
        RunBullets(false, 0, b.model, drawer);
        EXPECT_EQ(b.model.State().m_lstBullets.size(), c.stays ? 1u : 0u) << c.rule;
    }
}

TEST(BattleRoad, AFieldEffectLasts35PassesTheDestroyersFall600AndTheShotRing50) {
    const struct { int kind, passes; } cases[] = {{21, 600}, {32, 50}, {20, 35}, {0, 35}};
    for (const auto& c : cases) {
        BareModel b;
        FieldEffect fx;
        InitFieldEffect(fx, FieldEffectType(c.kind), 0, 10.0f, 20.0f, 0.0f);
        RuleState(b.model).m_lstFieldEffects.push_back(fx);
        SilentBattleDrawer drawer;
        auto lasting = [&] {
            for (const FieldEffect& f : b.model.State().m_lstFieldEffects)
                if (f.kind == c.kind) return true;
            return false;
        };
        int passes = 0;
        while (lasting() && passes < 1000) {
            RunFieldEffects(b.model, drawer);
            RuleState(b.model).m_lstBullets.clear();
            ++passes;
        }
        EXPECT_EQ(passes, c.passes) << "kind " << c.kind;
    }
}

// The whales and the Transporter run ahead of the others, the carriers first
// in their row; however a stage orders them, each takes one turn a pass.
TEST(BattleRoad, AWhaleTakesOneTurnAPassOnTheMiniGamesAsOnTheMapStages) {
    const struct {
        const char* rule;
        int stage, type;
    } cases[] = {
        {"the Killer Whale in its duel", 156, MachineId::KillerWhale},
        {"the Killer Whale on 165", 165, MachineId::KillerWhale},
        {"the Killer Whale on a map stage", 29, MachineId::KillerWhale},
        {"the Frost Orca in its duel", 166, MachineId::FrostOrca},
        {"the Transporter on a map stage", 12, MachineId::Transporter},
    };
    for (const auto& c : cases) {
        BareModel b;
        PlayStage(b.model, c.stage);
        GetStageDefinition(c.stage, 1, RuleState(b.model).m_StageDefinition);
        SetUpTurnOrder(b.model, c.stage);
        CCom_GameRobot& unit = b.Stand(0.0f, 0.0f, ROLE_CARRY, true);
        GetUnitDefinition(unit.m_Unit, c.type);
        unit.m_vCell = VxVec3{5.0f, 2.0f, 0.0f};
        unit.m_iRow = 2;
        TurnCounter drawer;
        drawer.watched = unit.m_iSerial;
        RunBattleUnits(b.model, drawer);
        EXPECT_EQ(drawer.turns, 1) << c.rule;
    }
}
