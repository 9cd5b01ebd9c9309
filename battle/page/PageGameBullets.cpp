// Robots fire through the page: FireBullet builds the shot's bullets (one, a
// spread, or one per item the collector reaches) and appends them to the
// bullet list. Also the Destroyers' resources, loaded where a boss can come.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "engine/VxBillboard.h"
#include "game/GameApplication.h"
#include "content/MiniGameTable.h"
#include "content/UnitDefinition.h"

void CPageGame::LoadBossResources() {
    for (CVxBillboard*& p : m_apBossArmArt) p = nullptr;
    for (CVxBillboard*& p : m_apBossHandArt) p = nullptr;
    m_pBossArmDying = m_pBossTargetMark = m_pBossSmoke = nullptr;
    m_pSfxBossBody = m_pSfxBossWarning = m_pSfxBossGrab = nullptr;
    m_pSfxCarrierCrash = Sound("SFX_CarrierCrash.ogg", "Resource\\Sound\\SFX\\Game\\");
    m_pSfxCarrierHit = Sound("SFX_CarrierHit.ogg", "Resource\\Sound\\SFX\\Game\\");

    int boss = 0;
    for (int type : m_Battle.State().m_StageDefinition.m_aiEnemyType)
        if (UnitHas(type, UNIT_BOSS)) boss = type;
    if (const int staged = MiniGameRowOf(CurrentStage()).destroyer) boss = staged;
    if (boss == 0) return;

    // The arm, the hands, the mark and the smoke stand over the field.
    const auto overField = [this](const char* file, const std::string& where) {
        CVxBillboard* p = Picture(file, where.c_str());
        if (p) p->SetAlphaBlend(true);
        return p;
    };
    const std::string folder = "Resource\\Robot\\" + std::to_string(boss) + "\\";
    char name[32];
    for (int i = 0; i < BOSS_ARM_FRAMES; ++i) {
        std::snprintf(name, sizeof name, "Arm_%02d.png", i + 1);
        m_apBossArmArt[i] = overField(name, folder + "Arm\\");
    }
    m_pBossArmDying = overField("Arm_Dying.png", folder + "Arm\\");
    for (int i = 0; i < BOSS_HAND_FRAMES; ++i) {
        std::snprintf(name, sizeof name, "Act4_%02d.png", i + 1);
        m_apBossHandArt[i] = overField(name, folder + "Hand\\");
    }
    m_pBossTargetMark = overField("Efx_DestroyerTarget.png", "Resource\\Effect\\");
    m_pBossSmoke = overField("Efx_Smoke.tga", "Resource\\Effect\\");
    const char* const kMiniGame = "Resource\\Sound\\SFX\\MiniGame\\";
    m_pSfxBossBody = Sound("SFX_DestroyerBodyAttack.ogg", kMiniGame);
    m_pSfxBossWarning = Sound("SFX_DestroyerHandAttack.ogg", kMiniGame);
    m_pSfxBossGrab = Sound("SFX_DestroyerPunch.ogg", kMiniGame);
}
