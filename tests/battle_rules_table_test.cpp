// Battle rules a player notices, one named row a rule, played on a loaded
// battle page: each row fails when its number or its branch changes.
#include <cmath>
#include <string>
#include <vector>

#include "battle/model/BossHandRules.h"
#include "battle/effects/BannerTimeline.h"
#include "battle/effects/Effect_DestroyerHand.h"
#include "battle/model/TutorialSteps.h"
#include "battle/model/BattleRules.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"
#include "engine/PageIndices.h"
#include "engine/VxSound.h"
#include "tests/HandInputSupport.h"

namespace {

class BattleRules : public HandInputTest {
protected:
    // A quiet field: no Machine sent, nothing standing, nothing lying.
    CPageGame& Playing(int stage, std::vector<int> hand = {1, 3, 4, 21, 15}) {
        Begin(stage, 1, 11, std::move(hand));
        EXPECT_TRUE(run->RunUntilState(BATTLE_PLAYING, 8000));
        CPageGame& page = run->Battle();
        RuleState(page.m_Battle).m_StageDefinition.m_bEnemySchedule = false;
        RuleState(page.m_Battle).m_lstRobots.clear();
        RuleState(page.m_Battle).m_lstItems.clear();
        RuleState(page.m_Battle).m_lstBullets.clear();
        return page;
    }
    // Steps until the page holds the item, settled on its ground cell.
    CCom_GameItem& SettledItem(int kind, const VxVec3& at, int handSlot) {
        Page().m_Battle.DropItem(kind, at.x, at.y, 0.0f, handSlot, false);
        const int serial = Page().m_Battle.State().m_lstItems.back().m_iSerial;
        Frames(ITEM_HOP_FRAMES + 5);
        for (CCom_GameItem& item : RuleState(Page().m_Battle).m_lstItems)
            if (item.m_iSerial == serial) return item;
        ADD_FAILURE() << "the item went";
        return RuleState(Page().m_Battle).m_lstItems.back();
    }
    // A run with a script of its own: nobody answers the card choice or the
    // tutorial for it.
    bool StartScripted(int stage, uint32_t seed) {
        StageRunOptions o;
        o.stage = stage;
        o.seed = seed;
        o.script.push_back(ScriptEvent{ScriptEvent::MOVE, 0, 440, 600, 0});
        run = std::make_unique<StageRun>(o);
        return run->Start();
    }
    // A ground cell of the right half with nothing on it.
    VxVec3 FreeGround() { return CellOfKind(CELL_GROUND, 5); }
};

TEST_F(BattleRules, UnitSoundsLowerByFourHundredthsForEverySoundBeyondTheFirst) {
    const struct {
        int playing;
        float factor;
    } rows[] = {{1, 1.0f}, {2, 0.96f}, {3, 0.92f}, {11, 0.60f}, {25, 0.04f}, {26, 0.0f}, {40, 0.0f}};
    for (const auto& r : rows) EXPECT_NEAR(CPageGame::AttenuationFactor(r.playing), r.factor, 1e-5f) << r.playing;
}

// The lowering looks at the engine frame: only every fifth one lowers.
TEST_F(BattleRules, UnitSoundsAreLoweredOnlyOnEveryFifthEngineFrame) {
    CPageGame& page = Playing(3, {0});  // the Fusor Bot's card holds three sounds
    const struct {
        int frame;
        float factor;
    } rows[] = {{500, 0.96f}, {501, 1.0f}, {502, 1.0f}, {503, 1.0f},  {504, 1.0f},
                {505, 0.96f}, {506, 1.0f}, {509, 1.0f}, {510, 0.96f}, {515, 0.96f}};
    const int before = g_pApp->m_nFrame;
    for (const auto& r : rows) {
        std::vector<CVxSound*> sounds;
        for (int i = 0; i < 2; ++i) {
            CVxSound* s = page.m_apCardSounds[0][i];
            ASSERT_NE(s, nullptr);
            s->Stop();
            s->SetVolumeFactor(1.0f);
            s->Play();
            sounds.push_back(s);
        }
        g_pApp->m_nFrame = r.frame;
        page.AttenuateSounds();
        for (CVxSound* s : sounds) EXPECT_FLOAT_EQ(s->m_fVolumeFactor, r.factor) << "engine frame " << r.frame;
        for (CVxSound* s : sounds) s->Stop();
    }
    g_pApp->m_nFrame = before;
}

// A live robot takes its cell; a platform under it does not, nor a dead one.
TEST_F(BattleRules, APlatformRobotLeavesItsCellFreeForARobotOnTop) {
    CPageGame& page = Playing(3, {1, 3, 4, 21, 15});
    const VxVec3 at = FreeGround();
    const VxVec3 index = page.m_Battle.FindNearestCell(at.x, at.y, 0.0f);
    const struct {
        const char* rule;
        int standing;  // -1 none
        int role;
        int hp;
        bool placed;
    } rows[] = {
        {"an empty cell takes the robot", -1, 0, 0, true},
        {"a robot standing there keeps the cell", 3, ROLE_GUARD, 100, false},
        {"a platform there carries the robot", 3, ROLE_PLATFORM, 100, true},
        {"a destroyed robot leaves the cell", 3, ROLE_GUARD, 0, true},
    };
    for (const auto& r : rows) {
        RuleState(page.m_Battle).m_lstRobots.clear();
        if (r.standing >= 0) {
            CCom_GameRobot s(page.m_Battle);
            GetUnitDefinition(s.m_Unit, r.standing);
            s.m_Unit.m_iRole = r.role;
            s.m_iHp = r.hp;
            s.m_vPosition = s.m_vLastPosition = at;
            s.m_vCell = index;
            RuleState(page.m_Battle).m_lstRobots.push_back(s);
        }
        RuleState(page.m_Battle).m_iCarriedCard = page.m_Battle.FindHandCard(1);  // the Gunner Bot, a ground robot
        ASSERT_GE(page.m_Battle.State().m_iCarriedCard, 0);
        EXPECT_EQ(page.m_Battle.PlacementCellAt(page.m_Battle.State().m_iCarriedCard, at, false) >= 0, r.placed)
            << r.rule;
    }
    RuleState(page.m_Battle).m_iCarriedCard = -1;
}

// A platform on the water holds its cell as ground while it lives; destroyed,
// the cell turns back to water.
TEST_F(BattleRules, APlatformHoldsItsWaterCellAsGroundUntilItIsDestroyed) {
    CPageGame& page = Playing(3, {1, 3, 4, 21, 15});
    const VxVec3 at = FreeGround();
    const VxVec3 index = page.m_Battle.FindNearestCell(at.x, at.y, 0.0f);
    const struct {
        const char* rule;
        int damage;  // of its 10 hp
        int kind;
    } rows[] = {
        {"hit down to 1 hp it still holds the cell", 9, CELL_GROUND},
        {"destroyed it lets the water back", 10, CELL_WATER_SURFACE},
    };
    for (const auto& r : rows) {
        RuleState(page.m_Battle).m_lstRobots.clear();
        FieldCell* cell = CellAt(RuleState(page.m_Battle).m_aFieldCells, index);
        ASSERT_NE(cell, nullptr);
        cell->m_iStageKind = CELL_WATER_SURFACE;
        cell->m_iKind = CELL_GROUND;
        CCom_GameRobot s;
        GetUnitDefinition(s.m_Unit, RobotId::FloaterBot);
        s.m_Unit.m_iRole = ROLE_PLATFORM;
        s.m_iHp = 10;
        s.m_vPosition = s.m_vLastPosition = at;
        s.m_vCell = index;
        RuleState(page.m_Battle).m_lstRobots.push_back(s);
        RuleState(page.m_Battle).m_lstRobots.back().TakeDamage(page.m_Battle, r.damage);
        EXPECT_EQ(cell->m_iKind, r.kind) << r.rule;
        cell->m_iStageKind = cell->m_iKind = CELL_GROUND;
    }
}

// A card charges one step a frame; on stages 172 and 177 five, never past
// its recharge time.
TEST_F(BattleRules, CardsChargeFiveStepsAFrameOnStages172And177) {
    const struct {
        int stage;
        int step;
    } rows[] = {{3, 1}, {172, 5}, {177, 5}, {55, 1}};
    for (const auto& r : rows) {
        CPageGame& page = Playing(r.stage);
        int slot = -1;
        for (int s = 0; s < page.m_Battle.State().m_nHandSlots && slot < 0; ++s)
            if (page.m_Battle.State().m_aHand[s].m_iCard >= 0 &&
                page.m_Battle.State().m_aHandDefs[s].m_iRechargeTime > 20)
                slot = s;
        ASSERT_GE(slot, 0) << "stage " << r.stage;
        const int recharge = page.m_Battle.State().m_aHandDefs[slot].m_iRechargeTime;
        RuleState(page.m_Battle).m_aHand[slot].m_iCharge = 0;
        Frames(1);
        EXPECT_EQ(page.m_Battle.State().m_aHand[slot].m_iCharge, r.step) << "stage " << r.stage;
        Frames(2);
        EXPECT_EQ(page.m_Battle.State().m_aHand[slot].m_iCharge, 3 * r.step) << "stage " << r.stage;
        RuleState(page.m_Battle).m_aHand[slot].m_iCharge = recharge - 2;
        Frames(1);
        EXPECT_EQ(page.m_Battle.State().m_aHand[slot].m_iCharge, r.step == 1 ? recharge - 1 : recharge)
            << "stage " << r.stage << ": capped at the recharge time";
        run.reset();
    }
}

TEST_F(BattleRules, EpisodeTwoDisablesCardsAboveTheCostLimitOfTheFurthestArea) {
    Playing(3);
    // The furthest stage reached sets the limit, whatever the stage played.
    const struct {
        int furthest, limit;
    } rows[] = {{51, 40},   {60, 40},    {61, 50},  {71, 60},  {81, 75},    {90, 75},
                {91, 1000}, {101, 1000}, {156, 60}, {158, 75}, {170, 1000}, {1, 40}};
    for (const auto& r : rows) {
        g_CurrentProfile.m_iFurthestStage = r.furthest;
        EXPECT_EQ(Page().GetEnergyCostLimit(), r.limit) << "furthest " << r.furthest;
    }
}

TEST_F(BattleRules, PickUpsInARowRaiseThePitchBy1500) {
    CPageGame& page = Playing(3);
    CCom_GameItem energy, parts;
    energy.m_iItemKind = 3;
    parts.m_iItemKind = 6;
    page.m_Battle.PlayPickupSound(energy);
    EXPECT_EQ(page.m_iEnergyPickPitch, 0);
    page.m_Battle.PlayPickupSound(energy);
    page.m_Battle.PlayPickupSound(energy);
    EXPECT_EQ(page.m_iEnergyPickPitch, 3000);
    // The metal parts keep a pitch of their own.
    page.m_Battle.PlayPickupSound(parts);
    page.m_Battle.PlayPickupSound(parts);
    EXPECT_EQ(page.m_iPartsPickPitch, 1500);
    EXPECT_EQ(page.m_iEnergyPickPitch, 3000);
    // Once the sound has ended the next pick starts low again.
    page.m_pSfxPickEnergy->Stop();
    page.m_Battle.PlayPickupSound(energy);
    EXPECT_EQ(page.m_iEnergyPickPitch, 0);
}

TEST_F(BattleRules, ARefusalMessageShowsFor180Frames) {
    CPageGame& page = Playing(3);
    // Shown while a card is carried over the field.
    RuleState(page.m_Battle).m_iEnergy = 1000;
    RuleState(page.m_Battle).m_aHand[0].m_iCharge = RuleState(page.m_Battle).m_aHandDefs[0].m_iRechargeTime;
    Click(HandSlot(0).x, HandSlot(0).y);
    ASSERT_EQ(page.m_Battle.State().m_iCarriedCard, 0);
    Move(0.0f, 0.0f, 2);
    page.m_pEffectFontInstruction->ShowNoCardSlot();
    Frames(178);
    EXPECT_NE(Message(), "") << "still up after 178 frames";
    Frames(4);
    EXPECT_EQ(Message(), "") << "gone after 182 frames";
}

TEST_F(BattleRules, EachEnergyItemCreditsItsAmountTheLargestForty) {
    CPageGame& page = Playing(3);
    const struct { int kind, energy; } rows[] = {{0, 5}, {1, 10}, {2, 20}, {3, 40}};
    for (const auto& r : rows) {
        const VxVec3 at = FreeGround();
        CCom_GameItem& item = SettledItem(r.kind, at, -1);
        const int before = page.m_Battle.State().m_iEnergy;
        Click(item.m_vPosition.x, item.m_vPosition.y);
        Frames(120);
        EXPECT_EQ(page.m_Battle.State().m_iEnergy - before, r.energy) << "item kind " << r.kind;
    }
}

TEST_F(BattleRules, ACapsuleTakesClicksWithin50PixelsOfItsCentre) {
    CPageGame& page = Playing(3);
    const struct {
        int dx, dy;
        bool taken;
    } rows[] = {{51, 0, false}, {0, -51, false}, {36, 36, false}, {49, 0, true}, {0, 49, true}};
    for (const auto& r : rows) {
        RuleState(page.m_Battle).m_lstItems.clear();
        RuleState(page.m_Battle).m_iCarriedCard = -1;
        CCom_GameItem& capsule = SettledItem(ITEM_CAPSULE, FreeGround(), 0);
        const float x = std::round(capsule.m_vPosition.x), y = std::round(capsule.m_vPosition.y);
        Press(x + float(r.dx), y + float(r.dy));
        EXPECT_EQ(page.m_Battle.State().m_iCarriedCard == 0, r.taken) << r.dx << "," << r.dy;
        Release(x + float(r.dx), y + float(r.dy));
        RightRelease();
    }
}

TEST_F(BattleRules, ACapsuleCardCostsNoEnergyExceptOnStage172) {
    const struct {
        int stage;
        bool capsule;
        bool pays;
    } rows[] = {{3, false, true}, {3, true, false}, {172, false, true}, {172, true, true}, {161, false, false}};
    for (const auto& r : rows) {
        CPageGame& page = Playing(r.stage);
        RuleState(page.m_Battle).m_iEnergy = 1000;
        const VxVec3 cell = FreeGround();
        Move(cell.x, cell.y, 1);
        RuleState(page.m_Battle).m_iCarriedCard = 0;
        RuleState(page.m_Battle).m_bCarriedFromCapsule = r.capsule;
        const int robots = Robots(), before = page.m_Battle.State().m_iEnergy;
        const int onto = page.m_Battle.PlacementCellAt(0, cell, false);
        ASSERT_GE(onto, 0) << "stage " << r.stage;
        RuleState(page.m_Battle).m_aHand[0].m_iCharge = page.m_Battle.State().m_aHandDefs[0].m_iRechargeTime;
        ASSERT_TRUE(Apply(page.m_Battle, PlaceCard{0, onto})) << "stage " << r.stage;
        ASSERT_EQ(Robots(), robots + 1) << "stage " << r.stage;
        const int cost = page.m_Battle.State().m_aHandDefs[0].m_iEnergyCost;
        ASSERT_GT(cost, 0);
        EXPECT_EQ(before - page.m_Battle.State().m_iEnergy, r.pays ? cost : 0)
            << "stage " << r.stage << " capsule " << r.capsule;
    }
}

TEST_F(BattleRules, AFieldEffectIsRefusedWhileThirtyAreLive) {
    CPageGame& page = Playing(3);
    RuleState(page.m_Battle).m_lstFieldEffects.clear();
    for (int i = 0; i < 35; ++i) page.m_Battle.AddFieldEffect(0, FIELD_EFFECT_BLAST, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(page.m_Battle.State().m_lstFieldEffects.size(), 30u);
}

TEST_F(BattleRules, TheStageTitleShowsTheAreaAndTheStageWithTenAsOneZero) {
    const struct {
        int stage, area, digit;
        bool tenth;
    } rows[] = {{1, 1, 1, false}, {9, 1, 9, false}, {10, 1, 1, true},  {11, 2, 1, false},
                {40, 4, 1, true}, {50, 5, 1, true}, {59, 1, 9, false}, {150, 5, 1, true}};
    for (const auto& r : rows) {
        const StageTitleNumbers n = StageTitleOf(r.stage);
        EXPECT_EQ(n.area, r.area) << r.stage;
        EXPECT_EQ(n.digit, r.digit) << r.stage;
        EXPECT_EQ(n.tenth, r.tenth) << r.stage;
    }
}

TEST_F(BattleRules, TheEnergyCounterClimbsToARiseIn20FramesAndShowsAFallAtOnce) {
    CPageGame& page = Playing(3);
    Frames(30);
    const int start = page.m_Battle.State().m_iEnergy;
    RuleState(page.m_Battle).m_iEnergy = start + 200;
    Frames(19);
    EXPECT_LT(page.m_afShownEnergy[1], float(start + 200));
    EXPECT_GT(page.m_afShownEnergy[1], float(start + 170));
    Frames(1);
    EXPECT_EQ(page.m_afShownEnergy[1], float(start + 200));
    RuleState(page.m_Battle).m_iEnergy = start;
    Frames(1);
    EXPECT_EQ(page.m_afShownEnergy[1], float(start));
}

TEST_F(BattleRules, TheCardChoiceOpensOnlyWhenUnlockedCardsExceedTheSlots) {
    const struct {
        int extra;  // unlocked cards beyond the slots
        bool opens;
    } rows[] = {{0, false}, {1, true}};
    for (const auto& r : rows) {
        ASSERT_TRUE(StartScripted(10, 21)) << run->Error();
        int unlocked = 0;
        for (int i = 0; i < ROBOT_REMOVER; ++i) unlocked += g_CurrentProfile.m_abRobotUnlocked[i] == 1;
        g_CurrentProfile.m_nCardSlots = unlocked - r.extra;
        bool opened = false;
        for (int f = 0; f < 3000 && run->State() != BATTLE_PLAYING; ++f) {
            run->Step();
            opened |= run->App().m_iCurrentPage == BATTLE_PAGE_INDEX && run->State() == BATTLE_CARD_SELECT;
        }
        EXPECT_EQ(opened, r.opens) << r.extra << " more cards than slots";
    }
}

TEST_F(BattleRules, TheUpgradedSpreadShotFansFourPelletsSixDegreesApart) {
    CPageGame& page = Playing(3);
    const struct {
        int slot, upgrade, pellets;
        double spacing;
    } rows[] = {{2, 0, 3, 10.0}, {2, 1, 4, 6.0}, {0, 1, 4, 6.0}};
    for (const auto& r : rows) {
        RuleState(page.m_Battle).m_lstBullets.clear();
        for (UnitDefinition& d : RuleState(page.m_Battle).m_aHandDefs) d.m_iUpgradeLevel = 0;
        RuleState(page.m_Battle).m_aHandDefs[r.slot].m_iUpgradeLevel = r.upgrade;
        page.m_Battle.FireBullet(WeaponId::Shotgun, r.slot, 0.0f, 0.0f, 0.0f, -1, -1);
        std::vector<double> angles;
        for (const CCom_GameBullet& b : page.m_Battle.State().m_lstBullets)
            if (b.m_iBulletKind == WeaponId::Shotgun)
                angles.push_back(std::atan2(b.m_vVelocity.x, b.m_vVelocity.y) * 180.0 / M_PI);
        // The fan, then one more along the weapon's own angle.
        ASSERT_EQ(int(angles.size()), r.pellets + 1) << "slot " << r.slot << ", upgrade " << r.upgrade;
        for (int i = 1; i < r.pellets; ++i)
            EXPECT_NEAR(std::fabs(angles[i] - angles[i - 1]), r.spacing, 1e-3)
                << "slot " << r.slot << ", upgrade " << r.upgrade;
    }
}

TEST_F(BattleRules, ASplitStingrayLeavesThreeChildrenThatDieAtOneTouch) {
    CPageGame& page = Playing(122);
    page.m_Battle.AddFieldEffect(1000, FIELD_EFFECT_SPLIT_SPAWN, 0.0f, 0.0f, 0.0f);
    Frames(40);
    int children = 0;
    for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots) {
        if (r.Type() != 1013) continue;
        ++children;
        EXPECT_EQ(r.m_iHp, 1);
        EXPECT_EQ(r.m_Unit.m_iMaxHp, 1);
        EXPECT_EQ(r.m_aiAux[1], 1) << "a child does not split again";
    }
    EXPECT_EQ(children, 3);
}

TEST_F(BattleRules, TheDestroyerHandTakesRobotsWithin50PixelsOfTheCell) {
    CPageGame& page = Playing(3);
    const int column = 6, row = 2;
    const FieldCell& cell = page.m_Battle.State().m_aFieldCells[column * FIELD_ROWS + row];
    const struct {
        float dx, dy;
        bool taken;
    } rows[] = {
        {0.0f, 0.0f, true}, {49.0f, 0.0f, true}, {0.0f, -49.5f, true}, {51.0f, 0.0f, false}, {36.0f, 36.0f, false}};
    std::vector<int> serials;
    for (const auto& r : rows) {
        CCom_GameRobot* robot = page.m_Battle.SpawnMiniGameRobot(0, cell.m_fX + r.dx, cell.m_fY + r.dy, 0.0f);
        ASSERT_NE(robot, nullptr);
        // Placing snaps to a cell centre; the grab looks at the reach point.
        robot->m_vPosition = robot->m_vHome = robot->m_vLastPosition = VxVec3{cell.m_fX + r.dx, cell.m_fY + r.dy, 0.0f};
        serials.push_back(robot->m_iSerial);
    }
    ASSERT_EQ(AimBossHand(page.m_Battle, 0, column, row), 0);
    Frames(400);
    for (size_t i = 0; i < std::size(rows); ++i) {
        const CCom_GameRobot* r = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, serials[i]);
        const bool taken = !r || r->m_iHp <= 0;
        EXPECT_EQ(taken, rows[i].taken) << rows[i].dx << "," << rows[i].dy;
    }
}

TEST_F(BattleRules, TheFirstTutorialHoldsCard0FromStep4ToStep7) {
    ASSERT_TRUE(StartScripted(1, 5)) << run->Error();
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 8000));
    CPageGame& page = Page();
    const int slot = page.m_Battle.FindHandCard(0);
    ASSERT_GE(slot, 0);
    const struct {
        int step;
        bool picks;
    } rows[] = {{3, true}, {4, false}, {6, false}, {7, false}, {8, true}};
    TutorialSteps& tut = RuleState(page.m_Battle).m_Tutorial;
    for (const auto& r : rows) {
        RuleState(page.m_Battle).m_iEnergy = 1000;
        RuleState(page.m_Battle).m_aHand[slot].m_iCharge = RuleState(page.m_Battle).m_aHandDefs[slot].m_iRechargeTime;
        // The step has faded out, so the click reaches the hand.
        tut.m_iStep = tut.m_iRequestedStep = r.step;
        tut.m_iFadeState = 1;
        tut.m_fFade = TUTORIAL_FADE_END;
        Press(HandSlot(slot).x, HandSlot(slot).y);
        EXPECT_EQ(page.m_Battle.State().m_iCarriedCard == slot, r.picks) << "step " << r.step;
        Release(HandSlot(slot).x, HandSlot(slot).y);
        RightRelease();
        RuleState(page.m_Battle).m_iCarriedCard = -1;
    }
}

}  // namespace
