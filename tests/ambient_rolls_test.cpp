// The field's decoration rolls its numbers where the battle starts a piece,
// and the battle follows each piece's life as its effect does: with or without
// the effects, the same pieces start and the generator gives the same numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "battle/effects/Effect_Fish.h"
#include "battle/effects/Effect_Flower.h"
#include "battle/effects/Effect_GreenBall.h"
#include "battle/effects/Effect_Meteor.h"
#include "battle/effects/Effect_SandWind.h"
#include "battle/effects/Effect_Snow.h"
#include "battle/effects/Effect_Spike.h"
#include "battle/model/AmbientRecords.h"
#include "battle/model/BattleDrawer.h"
#include "battle/model/BattleRules.h"
#include "battle/model/FieldEffectRules.h"
#include "battle/model/BattleScene.h"
#include "battle/model/BattleView.h"
#include "content/FieldGrid.h"
#include "game/GameApplication.h"
#include "platform/Random.h"
#include "tests/BareModel.h"
#include "tests/Harness.h"

namespace {

// The few values the ambient effects read of the battle.
class StubView final : public BattleView {
public:
    int machines = 0;
    float scroll = 0.0f;
    FieldCell cells[FIELD_CELLS]{};
    BattleScene scene;

    int BattleState() const override { return 7; }
    const FieldCell* FieldCells() const override { return cells; }
    float FieldScrollX() const override { return scroll; }
    int CarriedCard() const override { return -1; }
    int HandCard(int) const override { return -1; }
    const UnitDefinition* HandDefs() const override { return nullptr; }
    const UnitDefinition* EnemyDefs() const override { return nullptr; }
    int MachinesOnField() const override { return machines; }
    int RobotsLost() const override { return 0; }
    int MachinesKilled() const override { return 0; }
    VxVec3 CursorOnField() const override { return {}; }
    const BattleScene& Drawn() const override { return scene; }
    CVxButton* OkButton() const override { return nullptr; }
    CVxBillboard* UnlockPicture() const override { return nullptr; }
    CVxBillboard* NextUnlockPicture() const override { return nullptr; }
    CVxBillboard* HudTimesGlyph() const override { return nullptr; }
    bool ShownNewEnemy(NewEnemyShown&) const override { return false; }
    int ShownNewRobot() const override { return -1; }
    CVxBillboard* ShownNewRobotPicture() const override { return nullptr; }
    int FirstNewRobot() const override { return -1; }
    bool ResultTipShown() const override { return false; }
    bool FirstTutorialActive() const override { return false; }
    bool NextNewEnemy() override { return false; }
    void CloseNewRobots() override {}
    void MarkResultTipShown() override {}
};

enum class Piece { Flower, GreenBall, SandWind, Fish, Snow, Meteor, Spike };

struct Row {
    const char* name;
    Piece piece;
    int every;         // frames between starts
    int perStart;      // pieces asked for each time
    int machinesFrom;  // the frame from which six Machines stand on the field
    float scrollStep;  // the field's scroll a frame
    int capacity;
};

CVxEffect* Make(Piece p, StubView& view) {
    auto seen = [&view](auto* e) {
        e->SeeBattle(&view);
        return e;
    };
    switch (p) {
    case Piece::Flower: return seen(new CEffect_Flower());
    case Piece::GreenBall: return seen(new CEffect_GreenBall());
    case Piece::SandWind: return seen(new CEffect_SandWind());
    case Piece::Fish: return seen(new CEffect_Fish());
    case Piece::Snow: return seen(new CEffect_Snow());
    case Piece::Meteor: return new CEffect_Meteor();
    case Piece::Spike: return seen(new CEffect_Spike());
    }
    return nullptr;
}

// Starts one piece the way the stage unit (the units, for spikes) does.
bool Start(Piece p, AmbientRecords& records, CVxEffect* fx, float w, float scroll, int lane) {
    switch (p) {
    case Piece::Flower: {
        FlowerRoll r;
        if (!records.StartFlower(r)) return false;
        if (fx) static_cast<CEffect_Flower*>(fx)->AddRolled(-0.6f * w, 100.0f, 0.0f, r);
        return true;
    }
    case Piece::GreenBall: {
        GreenBallRoll r;
        if (!records.StartGreenBall(r, w)) return false;
        if (fx) static_cast<CEffect_GreenBall*>(fx)->AddRolled(r);
        return true;
    }
    case Piece::SandWind: {
        SandWindRoll r;
        if (!records.StartSandWind(r, w)) return false;
        if (fx) static_cast<CEffect_SandWind*>(fx)->AddRolled(r);
        return true;
    }
    case Piece::Fish: {
        FishRoll r;
        if (!records.StartFish(r, w, scroll, false)) return false;
        if (fx) static_cast<CEffect_Fish*>(fx)->AddRolled(lane, r);
        return true;
    }
    case Piece::Snow: {
        SnowRoll r;
        if (!records.StartSnow(r)) return false;
        if (fx) static_cast<CEffect_Snow*>(fx)->AddRolled(0.0f, 300.0f, 0.0f, r);
        return true;
    }
    case Piece::Meteor: {
        MeteorRoll r;
        const float y = 400.0f + float(lane * 20);
        if (!records.StartMeteor(r, y)) return false;
        if (fx) static_cast<CEffect_Meteor*>(fx)->AddRolled(-float(lane * 50), y, 0.0f, r);
        return true;
    }
    case Piece::Spike: {
        SpikeRoll r;
        if (!records.StartSpike(r)) return false;
        if (fx) static_cast<CEffect_Spike*>(fx)->AddRolled(0.0f, 0.0f, 0.0f, r);
        return true;
    }
    }
    return false;
}

int Live(Piece p, const AmbientRecords& r) {
    switch (p) {
    case Piece::Flower: return r.LiveFlowers();
    case Piece::GreenBall: return r.LiveGreenBalls();
    case Piece::SandWind: return r.LiveSandWinds();
    case Piece::Fish: return r.LiveFish();
    case Piece::Snow: return r.LiveSnow();
    case Piece::Meteor: return r.LiveMeteors();
    case Piece::Spike: return r.LiveSpikes();
    }
    return 0;
}

int LiveRecords(const CVxEffect& fx) {
    int n = 0;
    for (int i = 0; i < fx.m_nPoolSize; ++i) n += fx.m_aInstances[i].life > 0 ? 1 : 0;
    return n;
}

struct PoolRun {
    std::vector<bool> started;  // every piece asked for, in order
    uint32_t randomState = 0;
    int refused = 0;
};

// 3000 frames of starts and ticks; with an effect, its records are checked
// against the battle's every frame.
PoolRun Play(const Row& row, bool withEffect) {
    StubView view;
    for (int i = 0; i < FIELD_CELLS; ++i) view.cells[i].m_fY = float(i % FIELD_ROWS) * 80.0f;
    CVxEffect* fx = withEffect ? Make(row.piece, view) : nullptr;
    AmbientRecords records;
    const float w = float(g_iScreenWidth);
    VxSrand(1234u);
    PoolRun run;
    for (int frame = 0; frame < 3000; ++frame) {
        view.machines = frame >= row.machinesFrom ? 6 : frame % 7;
        view.scroll += row.scrollStep;
        if (frame % row.every == 0)
            for (int k = 0; k < row.perStart; ++k) {
                const bool started = Start(row.piece, records, fx, w, view.scroll, k % FIELD_ROWS);
                run.started.push_back(started);
                run.refused += started ? 0 : 1;
            }
        AmbientFrame af;
        af.screenWidth = w;
        af.camera = view.scroll;
        af.machines = view.machines;
        if (row.piece == Piece::Flower) records.TickBeforeUnits();
        else records.TickAfterUnits(af);
        if (fx) {
            fx->Tick();
            EXPECT_EQ(Live(row.piece, records), LiveRecords(*fx)) << row.name << " frame " << frame;
            if (Live(row.piece, records) != LiveRecords(*fx)) break;
        }
    }
    run.randomState = VxRandState();
    delete fx;
    return run;
}

TEST(AmbientRolls, APieceStartsAndRollsAlikeWithOrWithoutItsEffect) {
    // A world no decoration belongs to: the effects load no pictures.
    harness::ScopedLink link;
    StageDefinition stage{};
    stage.m_iBackground = 600;
    link.link.m_pStage = &stage;
    const Row rows[] = {
        {"flower", Piece::Flower, 20, 1, 5000, 0.0f, AMBIENT_FLOWERS},
        {"green ball", Piece::GreenBall, 10, 2, 5000, 0.0f, AMBIENT_GREEN_BALLS},
        {"sand wind", Piece::SandWind, 3, 1, 5000, 0.0f, AMBIENT_SAND_WINDS},
        {"fish", Piece::Fish, 20, 3, 5000, 0.0f, AMBIENT_FISH},
        {"fish, scared and scrolled", Piece::Fish, 15, 5, 400, 0.75f, AMBIENT_FISH},
        {"fish, scrolled back", Piece::Fish, 25, 5, 5000, -2.0f, AMBIENT_FISH},
        {"snow", Piece::Snow, 5, 1, 5000, 0.0f, AMBIENT_SNOW},
        {"meteor", Piece::Meteor, 5, 2, 5000, 0.0f, AMBIENT_METEORS},
        {"spike", Piece::Spike, 1, 2, 5000, 0.0f, AMBIENT_SPIKES},
    };
    for (const Row& row : rows) {
        const PoolRun shown = Play(row, true);
        const PoolRun bare = Play(row, false);
        EXPECT_EQ(shown.started, bare.started) << row.name;
        EXPECT_EQ(shown.randomState, bare.randomState) << row.name;
        EXPECT_GT(shown.refused, 0) << row.name << ": the pool never filled";
        const int started = int(shown.started.size()) - shown.refused;
        EXPECT_GT(started, row.capacity) << row.name << ": no record ever came free";
    }
}

TEST(AmbientRolls, EachRollDrawsItsNumbersInTheOrderItsEffectReadThem) {
    const struct {
        const char* name;
        int draws;
        void (*roll)();
    } rows[] = {
        {"flower", 1, [] { RollFlower(); }},      {"green ball", 1, [] { RollGreenBall(); }},
        {"sand wind", 5, [] { RollSandWind(); }}, {"fish", 5, [] { RollFish(); }},
        {"snow", 1, [] { RollSnow(); }},          {"meteor", 4, [] { RollMeteor(); }},
        {"spike", 6, [] { RollSpike(); }},        {"streaks", 24, [] { RollStreaks(); }},
    };
    for (const auto& r : rows) {
        VxSrand(99u);
        for (int i = 0; i < r.draws; ++i) VxRand();
        const uint32_t expected = VxRandState();
        VxSrand(99u);
        r.roll();
        EXPECT_EQ(VxRandState(), expected) << r.name;
    }
    VxSrand(7u);
    const int a = VxRand(), b = VxRand(), c = VxRand(), d = VxRand();
    VxSrand(7u);
    const MeteorRoll m = RollMeteor();
    EXPECT_EQ(m.speed, float(a % 4) * 2.0f + 7.0f);
    EXPECT_EQ(m.brightness, float(b % 3) * 0.05f + 0.8f);
    EXPECT_EQ(m.stretch, c % 5);
    EXPECT_EQ(m.direction, d % 10);
}

// A weapon burst (kind 5) shows its streaks in its first ten frames when its
// source has a weapon picture; the rules roll them as the record is shown, so
// a battle without a page draws them too.
TEST(AmbientRolls, AWeaponBurstRollsItsStreaksWhileItShowsThem) {
    int picture = 0;  // never drawn: only whether there is one counts
    CVxBillboard* weapon = reinterpret_cast<CVxBillboard*>(&picture);
    const struct {
        int kind, source;
        bool armed;
        int age;
        bool rolls;
    } rows[] = {
        {5, 0, true, 0, true},     {5, 0, true, 9, true},    {5, 0, true, 10, false},
        {5, 0, false, 0, false},   {5, 1003, true, 4, true}, {5, 1003, false, 4, false},
        {5, 2000, true, 0, false}, {6, 0, true, 0, false},   {5, -1, true, 0, false},
    };
    for (const auto& r : rows) {
        BareModel bare;
        if (r.source >= 0 && r.source < HAND_SLOTS)
            bare.scene.m_aHandArt[r.source].m_pWeapon = r.armed ? weapon : nullptr;
        if (r.source >= 1000 && r.source < 1000 + STAGE_ENEMY_RECORDS)
            bare.scene.m_aEnemyArt[r.source - 1000].m_pWeapon = r.armed ? weapon : nullptr;
        FieldEffect fx;
        InitFieldEffect(fx, FieldEffectType(r.kind), r.source, 0.0f, 0.0f, 0.0f);
        fx.age = r.age;
        RuleState(bare.model).m_lstFieldEffects.push_back(fx);
        VxSrand(31u);
        const StreakRolls expected = RollStreaks();
        const uint32_t after = VxRandState();
        VxSrand(31u);
        SilentBattleDrawer silent;
        RunFieldEffects(bare.model, silent);
        EXPECT_EQ(VxRandState() == after, r.rolls) << r.kind << " " << r.source << " age " << r.age;
        if (r.rolls) {
            const StreakRolls& got = bare.model.State().m_StreakRolls;
            for (int n = 0; n < STREAKS; ++n) {
                EXPECT_EQ(got.turn[n], expected.turn[n]);
                EXPECT_EQ(got.shorten[n], expected.shorten[n]);
                EXPECT_EQ(got.lift[n], expected.lift[n]);
            }
        }
    }
}

}  // namespace

// The pieces' numbers span their whole ranges: a fish has three kinds, goes
// either way, blows a bubble every 3 to 7, swims 1.5 to 2.5 and starts 0 to 2
// off; a sand wind blows along rows 0 to 3 at 10 to 16 across and 0 to 1.5
// up, with alpha 0.5 to 0.6 and scale 1 to 1.4; a green ball floats 2 to 3.
TEST(AmbientRolls, APieceRollsEveryValueOfItsRanges) {
    struct Range {
        int lo = 1000, hi = -1000;
        void Add(int v) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    } kind, direction, bubbles, speed, offset, row, windX, windY, alpha, scale, ball;
    VxSrand(9);
    for (int i = 0; i < 500; ++i) {
        const FishRoll r = RollFish();
        kind.Add(r.kind);
        direction.Add(r.direction);
        bubbles.Add(r.bubblePeriod);
        speed.Add(int(r.speed * 2.0f));
        offset.Add(r.offset);
        const SandWindRoll w = RollSandWind();
        row.Add(w.row);
        windX.Add(int(w.speedX));
        windY.Add(int(w.speedY * 2.0f));
        alpha.Add(int(std::lround(w.alpha * 100.0f)));
        scale.Add(int(std::lround(w.scale * 10.0f)));
        ball.Add(int(RollGreenBall().speed * 2.0f));
    }
    const struct {
        const char* what;
        Range range;
        int lo, hi;
    } rows[] = {
        {"kind", kind, 0, 2},
        {"direction", direction, -1, 1},
        {"bubble period", bubbles, 3, 7},
        {"speed x 2", speed, 3, 5},
        {"offset", offset, 0, 2},
        {"wind row", row, 0, 3},
        {"wind across", windX, 10, 16},
        {"wind up x 2", windY, 0, 3},
        {"wind alpha %", alpha, 50, 60},
        {"wind scale x 10", scale, 10, 14},
        {"ball speed x 2", ball, 4, 6},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.range.lo, r.lo) << r.what;
        EXPECT_EQ(r.range.hi, r.hi) << r.what;
    }
}
