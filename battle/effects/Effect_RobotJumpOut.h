#pragma once
// A robot thrown out of the field in a high spinning arc (SkyDrops.h): its
// card where the battle's frame left it.
#include "battle/effects/BattleReader.h"
#include "engine/VxEffect.h"

class CEffect_RobotJumpOut : public CVxEffect, public BattleReader {
public:
    CEffect_RobotJumpOut() { m_nPoolSize = 0; }
    void Tick() override;
    void OnFrame(int) override {}
};
