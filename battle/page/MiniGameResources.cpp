// The mini-games' art and sounds, made through the page's manager at load
// (the manager frees them with the page), and their how-to board.
#include <string>

#include "battle/effects/Effect_HowToMiniGame.h"
#include "battle/page/PageGame.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/VxTexture.h"
#include "game/GameApplication.h"
#include "content/MiniGameTable.h"
#include "content/UnitIds.h"
#include "content/StageRules.h"

namespace {

const char* const kInterface = "Resource\\Interface\\";
const char* const kMiniGameSfx = "Resource\\Sound\\SFX\\MiniGame\\";
const char* const kWeaponSfx = "Resource\\Sound\\SFX\\Weapon\\";

}  // namespace

void CPageGame::LoadMiniGameResources() {
    const int stage = CurrentStage();
    m_pMiniGameInterfaceTex = nullptr;
    m_pMiniGamePanel = m_pSlotFrame = m_pSlotReelArt = m_pSlotStopButton = nullptr;
    m_pAttackIcon = m_pBombIcon = m_pParachuteIcon = m_pBossPartArt = m_pBossWeaponArt = nullptr;
    m_pSfxMiniGameBonus = m_pSfxSlotReel = m_pSfxChargeShot = nullptr;
    m_pSfxSwim = m_pSfxJump = m_pSfxSlotPullLever = m_pSfxSlotSnap = m_pSfxSlotMatch = m_pSfxCanNotShoot = nullptr;
    m_apSfxMachineWeapon[0] = m_apSfxMachineWeapon[1] = nullptr;
    m_pRobotBase = nullptr;

    delete m_pEffectHowToMiniGame;
    m_pEffectHowToMiniGame = new CEffect_HowToMiniGame();

    if (IsMiniGameStage(stage)) {
        if (m_pResourceManager) {
            CVxTexture* sheet = m_pResourceManager->CreateTexture("Bbd_MiniGameInterface.png", kInterface);
            m_pMiniGameInterfaceTex = sheet;
            // A cut of the sheet, as large as its share of the sheet.
            auto cut = [this, sheet](float u, float v, float w, float h) {
                CVxBillboard* b = m_pResourceManager->CreateBillboard("", "", sheet);
                if (!b) return b;
                b->SetTextureRect(u, v, w, h);
                b->SetSize(float(sheet->m_iWidth) * w, float(sheet->m_iHeight) * h, 1.0f);
                return b;
            };
            m_pMiniGamePanel = cut(0.0f, 0.75f, 0.375f, 0.25f);
            if (IsSlotMachineStage(stage)) {
                m_pSlotFrame = cut(0.375f, 0.75f, 0.625f, 0.25f);
                m_pSlotReelArt = cut(0.0f, 0.0f, 0.75f, 0.75f);
                m_pSlotStopButton = cut(0.75f, 0.0f, 0.25f, 0.25f);
            }
        }
        if (IsChargeShotStage(stage)) {
            m_pAttackIcon = Picture("Bbd_Attack.png", kInterface);
            m_pBombIcon = Picture("Bbd_BombIcon.png", kInterface);
        }
        if (KindOf(stage) == StageKind::ConveyorCatch) m_pParachuteIcon = Picture("Bbd_Parachute.png", kInterface);
        const int destroyer = MiniGameRowOf(stage).destroyer;
        const int boss = destroyer != 0 ? destroyer : MachineId::Destroyer;
        if (IsBaseDuelStage(stage))
            m_pBossPartArt = Picture("Act1_01.png", ("Resource\\Robot\\" + std::to_string(boss) + "\\").c_str());
        m_pRobotBase = nullptr;
        m_vRobotBaseOffset = m_Battle.State().m_vMiniGamePoint;
        if (IsBaseDuelStage(stage)) m_pRobotBase = Picture("Bbd_RobotBase.png", kInterface);
        if (destroyer != 0) m_pBossWeaponArt = Picture("0011.png", "Resource\\Weapon\\");
        m_pSfxMiniGameBonus = Sound("Sfx_MinCapsuleCall.ogg", kMiniGameSfx);
    }
    if (ModeOf(stage) == MiniGameMode::Swim) m_pSfxSwim = Sound("Sfx_Swim.ogg", kMiniGameSfx);
    if (IsJumpStage(stage)) m_pSfxJump = Sound("Sfx_Jump.ogg", kMiniGameSfx);
    if (IsSlotMachineStage(stage)) {
        m_pSfxSlotReel = Sound("SFX_SlotSpin.ogg", kMiniGameSfx);
        m_pSfxSlotPullLever = Sound("SFX_SlotPullLever.ogg", kMiniGameSfx);
        m_pSfxSlotSnap = Sound("SFX_SlotSnap.ogg", kMiniGameSfx);
        m_pSfxSlotMatch = Sound("SFX_SlotMatch.ogg", kMiniGameSfx);
    }
    if (IsChargeShotStage(stage)) {
        m_pSfxChargeShot = Sound("Sfx_Charge.ogg", kMiniGameSfx);
        m_pSfxCanNotShoot = Sound("Sfx_CanNotShoot.ogg", kMiniGameSfx);
    }
    if (IsWhaleDuelStage(stage) || (IsMiniGameStage(stage) && (stage % 50) / 10 == 2)) {
        m_apSfxMachineWeapon[0] = Sound("W1014-1.ogg", kWeaponSfx);
        m_apSfxMachineWeapon[1] = Sound("W1009-1.ogg", kWeaponSfx);
    }
    if (ModeOf(stage) == MiniGameMode::BothSides) SetHandCardVolume(0.5f);
    for (CVxBillboard* b : {m_pMiniGamePanel, m_pSlotFrame, m_pSlotReelArt, m_pSlotStopButton, m_pAttackIcon,
                            m_pBombIcon, m_pParachuteIcon, m_pRobotBase, m_pBossPartArt, m_pBossWeaponArt})
        if (b) b->SetAlphaBlend(true);
}
