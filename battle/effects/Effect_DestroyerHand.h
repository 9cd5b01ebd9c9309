#pragma once
// The Destroyer bosses' hand strikes (BossHandRules.h), drawn where the
// battle's frame left them: a target mark spinning on the cell for three
// seconds, then a giant hand sliding in along the row, grabbing at the cell
// centre and sliding back out, with smoke around it.
#include "battle/effects/BattleReader.h"
#include "engine/VxEffect.h"

struct BossHandStrike;

class CEffect_DestroyerHand : public CVxEffect, public BattleReader {
public:
    CEffect_DestroyerHand() { m_nPoolSize = 0; }
    // Draws the strikes of the pass m_iLayer serves: 0 behind the robots, 1
    // in front (where a pass-0 hand's mark shows again during the aim).
    void Tick() override;
    void OnFrame(int) override {}
    int m_iLayer = 0;

private:
    void DrawStrike(const BossHandStrike& strike, int age) const;
};
