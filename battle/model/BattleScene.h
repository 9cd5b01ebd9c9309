#pragma once
// What the battle is seen and heard with: the field's overlay effects, the
// units' art and the battle's sounds. The page loads and owns all of it; the
// model and its units only point their drawing and sounds at it, and a model
// run without a page has an empty scene (every pointer null).
#include "battle/model/BattleLimits.h"
#include "engine/VxMatrix.h"
#include "game/RobotArt.h"

class CVxBillboard;
class CVxEffect;
class CVxSound;
class CVxTexture;
class CEffect_CopterEnemyFadeOut;
class CEffect_Cross;
class CEffect_DestroyerHand;
class CEffect_Fish;
class CEffect_Flower;
class CEffect_FontInstruction;
class CEffect_GreenBall;
class CEffect_HeartDecreased;
class CEffect_ItemAmount;
class CEffect_ItemFadeDisappear;
class CEffect_ItemTransToInterface;
class CEffect_MapStory;
class CEffect_Meteor;
class CEffect_MeteorEnemy;
class CEffect_NewAchievementInGame;
class CEffect_NewEnemy;
class CEffect_NewRobot;
class CEffect_Oxygen;
class CEffect_Paratrooper;
class CEffect_Remover;
class CEffect_Reward;
class CEffect_RobotJumpOut;
class CEffect_SandWind;
class CEffect_ScaleAndDiffuseOut;
class CEffect_SmokeLowHP;
class CEffect_Snow;
class CEffect_Spike;
class CEffect_Summary;
class CEffect_TextBegin;
class CEffect_TextEnd;
class CEffect_TextMiss;
class CEffect_TextStage;
class CEffect_TextWave;
class CEffect_Tutorials;
class CEffect_Unlocked;

struct BattleScene {
    CVxBillboard* m_pPlaceMark = nullptr;
    CVxBillboard* m_apCageArt[CAGE_FRAMES] = {};
    RobotArt m_aHandArt[HAND_SLOTS]{};
    RobotArt m_aEnemyArt[STAGE_ENEMY_RECORDS]{};
    CVxBillboard* m_pTimeBombMark = nullptr;
    // The Destroyers' art: arm frames and the arm while dying, the hand's grab
    // frames, its target mark and smoke; their sounds. Null off boss stages.
    CVxBillboard* m_apBossArmArt[BOSS_ARM_FRAMES] = {};
    CVxBillboard* m_pBossArmDying = nullptr;
    CVxBillboard* m_apBossHandArt[BOSS_HAND_FRAMES] = {};
    CVxBillboard* m_pBossTargetMark = nullptr;
    CVxBillboard* m_pBossSmoke = nullptr;
    CVxSound* m_pSfxBossBody = nullptr;     // the lunge strikes
    CVxSound* m_pSfxBossWarning = nullptr;  // a hand takes aim
    CVxSound* m_pSfxBossGrab = nullptr;     // a hand grabs
    // A carrier's sweep: its crash and the hit on each robot it strikes.
    CVxSound* m_pSfxCarrierCrash = nullptr;
    CVxSound* m_pSfxCarrierHit = nullptr;

    // Mini-game art.
    CVxBillboard* m_pRobotBase = nullptr;
    VxVec3 m_vRobotBaseOffset;
    bool m_bDebugView = false;
    CVxBillboard* m_apRemoverIcons[2] = {};
    CVxBillboard* m_pCanMoveIcon = nullptr;
    CVxBillboard* m_pSeesConcealedMark = nullptr;
    CVxBillboard* m_pBbdCapsule = nullptr;
    CVxBillboard* m_apCapsuleMark[2] = {};         // a capsule's card: plain, upgraded
    CVxBillboard* m_pCollectedMark = nullptr;      // drawn where an item was picked up
    CVxBillboard* m_pNextUnlockPicture = nullptr;  // the next unlock, shown by a produced item
    CVxSound* m_pSfxAlarm = nullptr;               // a mini-game unit's alarm
    CVxSound* m_pSfxFuse = nullptr;                // a bomb's fuse catching

    // The battle's effect objects, built by Load and deleted by Release.
    CEffect_TextStage* m_pEffectTextStage = nullptr;
    CEffect_NewEnemy* m_pEffectNewEnemy = nullptr;
    CEffect_NewRobot* m_pEffectNewRobot = nullptr;
    CEffect_Unlocked* m_pEffectUnlocked = nullptr;
    CEffect_TextBegin* m_pEffectTextBegin = nullptr;
    CEffect_TextEnd* m_pEffectTextEnd = nullptr;
    CEffect_Summary* m_pEffectSummary = nullptr;
    CEffect_Tutorials* m_pEffectTutorials = nullptr;
    CVxEffect* m_pEffectHowToPlay = nullptr;      // a CEffect_HowToPlay
    CVxEffect* m_pEffectHowToMiniGame = nullptr;  // a CEffect_HowToMiniGame, made with the mini-game art
    CEffect_MapStory* m_pEffectMapStory = nullptr;
    CVxEffect* m_pEffectCardFull = nullptr;  // a CEffect_CardFull
    CEffect_ItemTransToInterface* m_pEffectItemTransToInterface = nullptr;
    CEffect_ItemFadeDisappear* m_pEffectItemFadeDisappear = nullptr;
    CEffect_ItemAmount* m_pEffectItemAmount = nullptr;
    CEffect_SmokeLowHP* m_pEffectSmokeLowHP = nullptr;
    CEffect_TextMiss* m_pEffectTextMiss = nullptr;
    CEffect_Cross* m_pEffectCross = nullptr;
    CEffect_Spike* m_pEffectSpike = nullptr;
    CEffect_Remover* m_pEffectRemover = nullptr;
    CEffect_Paratrooper* m_pEffectParatrooper = nullptr;
    CEffect_MeteorEnemy* m_pEffectMeteorEnemy = nullptr;
    CEffect_CopterEnemyFadeOut* m_pEffectCopterEnemyFadeOut = nullptr;
    CEffect_Reward* m_pEffectReward = nullptr;
    CEffect_TextWave* m_pEffectTextWave = nullptr;
    CEffect_HeartDecreased* m_pEffectHeartDecreased = nullptr;
    CEffect_NewAchievementInGame* m_pEffectNewAchievementInGame = nullptr;
    CEffect_Oxygen* m_pEffectOxygen = nullptr;
    CEffect_GreenBall* m_pEffectGreenBall = nullptr;
    CEffect_SandWind* m_pEffectSandWind = nullptr;
    CEffect_Snow* m_pEffectSnow = nullptr;
    CEffect_Flower* m_pEffectFlower = nullptr;
    CEffect_Fish* m_pEffectFish = nullptr;
    CEffect_Meteor* m_pEffectMeteor = nullptr;
    CEffect_DestroyerHand* m_pEffectDestroyerHand = nullptr;
    CEffect_RobotJumpOut* m_pEffectRobotJumpOut = nullptr;
    CEffect_ScaleAndDiffuseOut* m_pEffectScaleAndDiffuseOut = nullptr;
    CEffect_FontInstruction* m_pEffectFontInstruction = nullptr;
    // The screen's shake last asked for and not yet handed on, in pixels;
    // below 0 when none is asked (SceneCues.h).
    float m_fShakeCue = -1.0f;
    CVxSound* m_apBattleMusic[2] = {};
    CVxSound* m_apEndMusic[2] = {};
    CVxSound* m_pMusic = nullptr;  // the track a page-switch fade lowers

    // Sound effects, in loading order.
    CVxSound* m_pSfxPickCard = nullptr;
    CVxSound* m_pSfxPickEnergy = nullptr;
    CVxSound* m_pSfxPickParts = nullptr;
    CVxSound* m_pSfxCardCancel = nullptr;
    CVxSound* m_pSfxMoveCard = nullptr;
    CVxSound* m_pSfxEnemyDropItem = nullptr;
    CVxSound* m_pSfxHeartDown = nullptr;
    CVxSound* m_pSfxSpike = nullptr;
    CVxSound* m_pSfxReadyCount = nullptr;
    CVxSound* m_pSfxStart = nullptr;
    CVxSound* m_pSfxTextWave = nullptr;
    CVxSound* m_pSfxFinishItem1 = nullptr;
    CVxSound* m_pSfxFinishItem2 = nullptr;
    CVxSound* m_pSfxCount = nullptr;
    CVxSound* m_pSfxTextScaleIn = nullptr;
    CVxSound* m_pSfxStar = nullptr;

    CVxSound* m_apCardSounds[HAND_SLOTS][ROBOT_SOUNDS] = {};
    CVxSound* m_apEnemySounds[STAGE_ENEMY_RECORDS][ROBOT_SOUNDS] = {};

    // Mini-game sounds (LoadMiniGameResources; null where a stage has none).
    CVxSound* m_pSfxMiniGameBonus = nullptr;  // the capsule call
    CVxSound* m_pSfxSlotReel = nullptr;       // the reels spinning
    CVxSound* m_pSfxChargeShot = nullptr;     // the charge of 164/179
    CVxSound* m_pSfxSwim = nullptr;
    CVxSound* m_pSfxJump = nullptr;
    CVxSound* m_pSfxSlotPullLever = nullptr;
    CVxSound* m_pSfxSlotSnap = nullptr;
    CVxSound* m_pSfxSlotMatch = nullptr;
    CVxSound* m_pSfxCanNotShoot = nullptr;
    CVxSound* m_apSfxMachineWeapon[2] = {};  // W1014-1, W1009-1
    // Mini-game art (LoadMiniGameResources; null off the mini-games).
    CVxTexture* m_pMiniGameInterfaceTex = nullptr;
    CVxBillboard* m_pMiniGamePanel = nullptr;
    CVxBillboard* m_pSlotFrame = nullptr;
    CVxBillboard* m_pSlotReelArt = nullptr;
    CVxBillboard* m_pSlotStopButton = nullptr;  // its place and size are the button's hit box
    CVxBillboard* m_pAttackIcon = nullptr;
    CVxBillboard* m_pBombIcon = nullptr;
    CVxBillboard* m_pParachuteIcon = nullptr;
    CVxBillboard* m_pBossPartArt = nullptr;
    CVxBillboard* m_pBossWeaponArt = nullptr;

    CVxSound* m_pAmbienceSound = nullptr;
    CVxBillboard* m_pWeatherArt = nullptr;  // area 2: the application's stone, not ours
    CVxBillboard* m_pWhirlpoolArt = nullptr;
    CVxBillboard* m_pFieldBlastArt = nullptr;  // the blast of the Mole's drill
    CVxBillboard* m_pFieldBombArt = nullptr;   // the Mini-Bomber's bomb
    CVxSound* m_pSfxDestroyerDead = nullptr;   // the boss stages' last bombardment
    CVxSound* m_pSfxDestroyerBomb = nullptr;
    CVxBillboard* m_apHandPictures[HAND_SLOTS] = {};  // the hand's card pictures
    // The pick-up sounds climb in pitch while pick-ups follow each other.
    int m_iEnergyPickPitch = 0;
    int m_iPartsPickPitch = 0;
};
