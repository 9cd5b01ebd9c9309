#pragma once
// What the page shows at its places in the logic pass. The rules run each
// unit's turn and call these in the order the battle is drawn, so a unit's
// picture lands between the ones updated before and after it. A model run
// without a page passes a SilentBattleDrawer.
#include "battle/model/BattleTypes.h"

class CCom_GameRobot;
class CCom_GameBullet;
class CCom_GameItem;
struct WeatherFrame;

class BattleDrawer {
public:
    virtual ~BattleDrawer() = default;

    // The field's cells under everything, once the stage has moved.
    virtual void FieldCells() = 0;
    // In play with a card carried, right after the cells: the card is held
    // where the pointer is, its placement is tried, and it shows where it
    // would land.
    virtual void CarriedCardHeld() = 0;
    virtual void CarriedCardShown() = 0;
    // The overlays that tick before the units' turns, and the ambient ones
    // after them; a tick may act on the battle, so each keeps its place.
    virtual void EffectsBeforeUnits() = 0;
    virtual void EffectsAfterUnits() = 0;
    // The hit texts and marks, once the items have run.
    virtual void EffectsAfterItems() = 0;
    // What the weather of the third episode did this frame.
    virtual void WeatherShown(const WeatherFrame& seen) = 0;
    // The Destroyer's hands, under the robots (layer 0) and over them (1).
    virtual void DestroyerHands(int layer) = 0;
    // Before the turn of a robot that bobs (duel and bomb-run stages): its
    // base or parachute, at the bob's height.
    virtual void UnderRobot(const CCom_GameRobot& robot, float bob) = 0;
    // After a robot's turn: the robot and the marks over it.
    virtual void AfterRobot(const CCom_GameRobot& robot) = 0;
    // After a field robot's turn, back at its own place: the relocation mark.
    virtual void MovableMark(const CCom_GameRobot& robot) = 0;
    // A row's robots have run; the finished ones are still there.
    virtual void RowRobotsRun(int row) = 0;
    // A row is done, before the shots of its lane.
    virtual void RowDone(int row) = 0;
    virtual void AfterBullet(const CCom_GameBullet& bullet) = 0;
    // Every lane is done: marks over all of them.
    virtual void LanesDone() = 0;
    // The cages of the end sequence, one picture frame at an alpha.
    virtual void EndCages(int frame, float alpha) = 0;
    // The water line over the units of the sea worlds.
    virtual void WaterStrip() = 0;
    // A field effect's picture at its age, before the record acts and ages.
    virtual void FieldEffectShown(const FieldEffect& record) = 0;
    virtual void AfterItem(const CCom_GameItem& item) = 0;
    // A robot of the preview before the battle, after its turn.
    virtual void AfterShownRobot(const CCom_GameRobot& robot) = 0;
};

// Shows nothing: the rules alone.
class SilentBattleDrawer : public BattleDrawer {
public:
    void FieldCells() override {}
    void CarriedCardHeld() override {}
    void CarriedCardShown() override {}
    void EffectsBeforeUnits() override {}
    void EffectsAfterUnits() override {}
    void EffectsAfterItems() override {}
    void WeatherShown(const WeatherFrame&) override {}
    void DestroyerHands(int) override {}
    void UnderRobot(const CCom_GameRobot&, float) override {}
    void AfterRobot(const CCom_GameRobot&) override {}
    void MovableMark(const CCom_GameRobot&) override {}
    void RowRobotsRun(int) override {}
    void RowDone(int) override {}
    void AfterBullet(const CCom_GameBullet&) override {}
    void LanesDone() override {}
    void EndCages(int, float) override {}
    void WaterStrip() override {}
    void FieldEffectShown(const FieldEffect&) override {}
    void AfterItem(const CCom_GameItem&) override {}
    void AfterShownRobot(const CCom_GameRobot&) override {}
};
