#pragma once
// What the battle's effects may see of it: the few values they draw from, the
// scene they draw and sound with, and the three things a board may tell the
// battle when the player closes it. The battle page implements it; an effect
// keeps the view it was handed and never reaches for the page itself.
#include "engine/VxMatrix.h"

class CVxBillboard;
class CVxButton;
struct BattleScene;
struct FieldCell;
struct UnitDefinition;

// The Machine a discovery board introduces.
struct NewEnemyShown {
    CVxBillboard* picture = nullptr;
    CVxBillboard* extraPicture = nullptr;  // Gyrotor or upgrade picture, or none
    int typeId = 0;
    int variant = 0;  // 0 plain, else the variant kind
};

class BattleView {
public:
    virtual ~BattleView() = default;

    virtual int BattleState() const = 0;
    virtual const FieldCell* FieldCells() const = 0;  // FIELD_CELLS, column by column
    virtual float FieldScrollX() const = 0;           // the stage's scroll, 0 without a stage
    virtual int CarriedCard() const = 0;              // the hand slot held, or -1
    virtual int HandCard(int slot) const = 0;
    virtual const UnitDefinition* HandDefs() const = 0;   // HAND_SLOTS
    virtual const UnitDefinition* EnemyDefs() const = 0;  // STAGE_ENEMY_RECORDS
    virtual int MachinesOnField() const = 0;
    virtual int RobotsLost() const = 0;
    virtual int MachinesKilled() const = 0;
    virtual VxVec3 CursorOnField() const = 0;
    virtual const BattleScene& Drawn() const = 0;

    // The boards of the battle's end and start.
    virtual CVxButton* OkButton() const = 0;
    virtual CVxBillboard* UnlockPicture() const = 0;
    virtual CVxBillboard* NextUnlockPicture() const = 0;
    virtual CVxBillboard* HudTimesGlyph() const = 0;
    virtual bool ShownNewEnemy(NewEnemyShown& out) const = 0;  // false when none is left to show
    virtual int ShownNewRobot() const = 0;                     // the robot id, or -1
    virtual CVxBillboard* ShownNewRobotPicture() const = 0;
    virtual int FirstNewRobot() const = 0;  // the lowest new robot id, or -1
    virtual bool ResultTipShown() const = 0;
    virtual bool FirstTutorialActive() const = 0;  // stage 1, played the first time

    // What a board tells the battle when it closes.
    virtual bool NextNewEnemy() = 0;  // false once every new Machine was shown
    virtual void CloseNewRobots() = 0;
    virtual void MarkResultTipShown() = 0;
};

// An effect that draws part of the battle keeps the view it was handed.
class BattleViewer {
public:
    void SeeBattle(BattleView* view) { m_pView = view; }

protected:
    BattleView* m_pView = nullptr;
};
