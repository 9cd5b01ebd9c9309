#pragma once
// The boards that introduce, before the first wave, every Machine (and
// Machine variant) the player has not met yet, one after another from the
// battle page's queue. The met flags are written after the last board.
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CVxBillboard;
class CVxResourceManager;

// The Machine whose plain board is followed by the life-point tip.
constexpr int TIP_MACHINE_TYPE = 1002;

class CEffect_NewEnemy : public CVxEffect, public BattleViewer {
public:
    CEffect_NewEnemy();

    // Kind 0 (sliding in) plays the box sound unless it is already playing.
    void OnStart(int index) override;
    void OnFrame(int index) override;
    // Every frame of the battle's new-Machine state.
    void HandleClick();

    // The Gyrotor picture of a flying variant, or the upgrade picture of
    // the two task forces, owned by the battle page's manager; none otherwise.
    static CVxBillboard* LoadPictures(CVxResourceManager* manager, int typeId, int variant);

    VxVec3 m_vBoardPos;
    bool m_bBoardRendered = false;

private:
    // Laid out around (0, oy).
    void DrawContent(const NewEnemyShown& entry, float oy);
    void DrawPictures(const NewEnemyShown& entry, float oy);
    void DrawLifeCost(int typeId, float qx, float qy);
    void FinishBoard();

    CVxBillboard* m_pBbdSymbol = nullptr;  // symbol cell of the interface digit sheet
};

// Where a flying variant's Gyrotor and Machine stand on the board.
struct GyrotorPlacement {
    int typeId;
    float gyroX, gyroY, gyroDegrees, gyroSize;  // size 0: its own
    float machineX, machineY, machineSize;      // size 0: its own
};
// Null for a type that has no flying variant.
const GyrotorPlacement* FindGyrotorPlacement(int typeId);
// "Bbd_Copter1.png" to "Bbd_Copter3.png" by type; null for other types.
const char* GyrotorPictureName(int typeId);
