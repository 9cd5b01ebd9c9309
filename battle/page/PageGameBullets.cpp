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
#include "content/UnitDefinition.h"
#include "content/StageRules.h"

namespace {

constexpr double kRad = 0.01745329238474369;

bool HandUpgraded(const CBattleModel& page, int graphic) {
    return graphic >= 0 && graphic < HAND_SLOTS && page.m_aHandDefs[graphic].m_iUpgradeLevel != 0;
}

}  // namespace

void CBattleModel::FireBullet(int kind, int graphic, float x, float y, float z, int targetSerial, int ownerSerial) {
    if (kind < 1000 && kind != 8 && kind != 15 && kind != 27) ++m_aiStageStats[0];

    if (kind == 16) {
        const bool upgraded = HandUpgraded(*this, graphic);
        const int n = upgraded ? 4 : 3;
        const double spacing = upgraded ? 6.0 : 10.0;
        for (int i = 0; i < n; ++i) {
            CCom_GameBullet pellet;
            pellet.Setup(*this, 16, graphic, x, y, z, targetSerial, ownerSerial);
            const double phi =
                -(((double(i) - double(n - 1) * 0.5) * spacing + double(pellet.m_Weapon.m_iAngle)) * kRad);
            const float v = float(pellet.m_Weapon.m_iSpeed);
            pellet.m_vVelocity = VxVec3{float(std::sin(phi)) * v, float(std::cos(phi)) * v, 0.0f};
            m_lstBullets.push_back(pellet);
        }
        // and one more along the weapon angle itself, below
    } else if (kind == 27 && HandUpgraded(*this, graphic)) {
        WeaponDefinition collector{};
        GetWeaponDefinition(collector, 27);
        const float r = float(collector.m_iRange);
        // Serials first: a new bullet's set-up may not meet a changed list.
        std::vector<int> reached;
        for (const CCom_GameItem& item : m_lstItems)
            if (item.m_iItemKind < ITEM_CAPSULE && std::fabs(item.m_vPosition.x - x) < r * 85.5f &&
                std::fabs(item.m_vPosition.y - y) < r * 80.75f)
                reached.push_back(item.m_iSerial);
        for (int serial : reached) {
            CCom_GameBullet b;
            b.Setup(*this, 27, graphic, x, y, z, serial, ownerSerial);
            m_lstBullets.push_back(b);
        }
        return;
    }

    {
        CCom_GameBullet b;
        b.Setup(*this, kind, graphic, x, y, z, targetSerial, ownerSerial);
        m_lstBullets.push_back(b);
    }
    if (const CCom_GameRobot* owner = FindRobotBySerial(m_lstRobots, ownerSerial); owner && owner->m_bMirrored) {
        CCom_GameBullet& b = m_lstBullets.back();
        const double a = double(owner->m_Weapon.m_iAngle) * kRad;
        const float v = float(owner->m_Weapon.m_iSpeed);
        b.m_vVelocity = VxVec3{v * float(std::sin(a)), v * float(std::cos(a)), 0.0f};
        b.m_vRotation = VxVec3{0.0f, 0.0f, 3.14159265f};
    }
}

void CPageGame::LoadBossResources() {
    for (CVxBillboard*& p : m_apBossArmArt) p = nullptr;
    for (CVxBillboard*& p : m_apBossHandArt) p = nullptr;
    m_pBossArmDying = m_pBossTargetMark = m_pBossSmoke = nullptr;
    m_pSfxBossBody = m_pSfxBossWarning = m_pSfxBossGrab = nullptr;
    m_pSfxCarrierCrash = Sound("SFX_CarrierCrash.ogg", "Resource\\Sound\\SFX\\Game\\");
    m_pSfxCarrierHit = Sound("SFX_CarrierHit.ogg", "Resource\\Sound\\SFX\\Game\\");

    int boss = 0;
    for (int type : m_StageDefinition.m_aiEnemyType)
        if (UnitHas(type, UNIT_BOSS)) boss = type;
    if (const int staged = StageBossType(CurrentStage())) boss = staged;
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
