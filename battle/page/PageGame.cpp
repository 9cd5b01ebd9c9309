// The battle page's life: construction, Load (the battle's set-up, RunBattleSetUp,
// with the page's pictures, sounds and buttons at its steps) and Release.
#include "battle/page/PageGame.h"

#include "battle/units/GameStage.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "battle/effects/Effect_CardFull.h"
#include "battle/effects/Effect_HowToMiniGame.h"
#include "battle/effects/Effect_HowToPlay.h"
#include "battle/effects/Effect_MapStory.h"
#include "battle/effects/Effect_NewAchievementInGame.h"
#include "battle/effects/Effect_Summary.h"
#include "battle/effects/Effect_Tutorials.h"
#include "battle/effects/Effect_Unlocked.h"
#include "battle/model/BattleSetUp.h"
#include "battle/model/RobotArray.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/UnlockTables.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/VxXApplication.h"
#include "engine/framework/MyD3DApplication.h"
#include "battle/effects/Effect_NewEnemy.h"
#include "battle/effects/Effect_NewRobot.h"
#include "game/Effect_RobotInfo.h"
#include "game/GameApplication.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnitIds.h"
#include "content/StageRules.h"
#include "content/UnitDefinition.h"
#include "platform/AppActive.h"
#include "platform/SoundResult.h"

namespace {

const char* const kSfxFolder = "Resource\\Sound\\SFX\\Game\\";
const char* const kBgmFolder = "Resource\\Sound\\BGM\\";
const char* const kInfoFolder = "Resource\\InfoPicture\\";

std::string Digits(int n, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, n);
    return buf;
}

}  // namespace

CPageGame::CPageGame() : m_aRobotArray(MakeShownRobots()) {
    for (RobotArt& art : m_aHandArt) ClearRobotArt(art);
    for (RobotArt& art : m_aEnemyArt) ClearRobotArt(art);
    m_bDebugView = false;
}

CPageGame::~CPageGame() = default;

CVxBillboard* CPageGame::Picture(const std::string& name, const char* folder) {
    if (!m_pResourceManager) return nullptr;
    return m_pResourceManager->CreateBillboard(name.c_str(), folder, nullptr);
}

CVxSound* CPageGame::Sound(const std::string& name, const char* folder) {
    if (!m_pResourceManager) return nullptr;
    return m_pResourceManager->CreateSound(name.c_str(), folder);
}

// What the page shows of the battle's start, once SetUpBattle has run: the
// boards of Machines not yet met, the unlock pictures, the HUD's values.
void CPageGame::LoadBattleResources() {
    const int stage = m_Battle.StageNumber();
    const SaveProfile& profile = m_Battle.Profile();

    std::fill(std::begin(m_abStateFlags), std::end(m_abStateFlags), false);

    // Boards of the Machines this profile has not met.
    m_lstNewEnemies.clear();
    for (int id : m_Battle.State().m_StageDefinition.m_aiEnemyType) {
        if (id < FIRST_MACHINE_TYPE || id > MachineId::DestroyerZero) continue;
        if (profile.m_aEnemySeen[id - FIRST_MACHINE_TYPE].met) continue;
        m_lstNewEnemies.push_back({Picture("Bbd_RobotPic" + Digits(id, 4) + ".png", kInfoFolder), nullptr, id, 0});
    }
    const EnemyVariantRef variant = GetEnemyVariantByStage(stage);
    if (variant.m_iKind != VARIANT_NONE && variant.m_iType >= FIRST_MACHINE_TYPE &&
        variant.m_iType <= MachineId::DestroyerZero &&
        !profile.m_aEnemySeen[variant.m_iType - FIRST_MACHINE_TYPE].variantMet[variant.m_iKind - 1]) {
        CVxBillboard* extra = nullptr;
        if (variant.m_iKind == VARIANT_FLYING || variant.m_iKind == VARIANT_ZETA || variant.m_iKind == VARIANT_OMEGA)
            extra = CEffect_NewEnemy::LoadPictures(m_pResourceManager, variant.m_iType, variant.m_iKind);
        m_lstNewEnemies.push_back({Picture("Bbd_RobotPic" + Digits(variant.m_iType, 4) + ".png", kInfoFolder), extra,
                                   variant.m_iType, variant.m_iKind});
    }
    m_itNewEnemy = m_lstNewEnemies.begin();

    ChooseUnlockPictures();

    // The capsule opens over the field and the reward board: its frames are see-through.
    for (int i = 0; i < CAGE_FRAMES; ++i) {
        m_apCageArt[i] = Picture("ACT4_" + Digits(i + 1, 2) + ".png", "Resource\\Robot\\1030\\");
        if (m_apCageArt[i]) m_apCageArt[i]->SetAlphaBlend(true);
    }

    m_iShownLife = m_Battle.State().m_iLife;
    for (float& e : m_afShownEnergy) e = float(m_Battle.State().m_iEnergy);
    for (float& p : m_afShownParts) p = float(profile.m_iMetalParts);
    m_bLoadedHandWaiting = false;
    m_bHudHidden = false;
    m_iCardChoiceStep = 0;
    m_fCardScroll = 0.0f;
    std::fill(std::begin(m_abCardPicked), std::end(m_abCardPicked), false);
    if (profile.m_abRobotUnlocked[ROBOT_REMOVER]) m_abCardPicked[ROBOT_REMOVER] = true;

    for (CardFlight& f : m_aCardFlights) f = CardFlight{};

    // The card sounds belong to the application's art cache: the page only
    // forgets them (deleting them here freed them twice).
    for (int i = 0; i < HAND_SOUNDS_KEPT; ++i)
        for (CVxSound*& s : m_apCardSounds[i]) s = nullptr;
    m_bMiniGameHowToShown = false;
    m_bShootHintShown = false;
}

void CPageGame::ChooseUnlockPictures() {
    const int stage = g_pGameAppInstance ? int(g_pGameAppInstance->m_iCurrentStage) : 1;
    const SaveProfile& profile = g_CurrentProfile;
    m_mapNewRobots.clear();
    m_pUnlockPicture = nullptr;

    int robot = GetRobotUnlockedByStage(NextStageId(stage));
    if (robot >= 0 && robot < ROBOT_TYPES && profile.m_abRobotUnlocked[robot]) robot = -1;
    std::vector<int> features, labItems, upgrades;
    if (stage == profile.m_iFurthestStage) {
        GetFeatureUnlocksForStage(stage, features);
        GetLabItemUnlocksForStage(stage, labItems);
        GetRobotUpgradeUnlocksForStage(upgrades, stage);
    }
    if (robot >= 0 && robot < ROBOT_TYPES) {
        m_mapNewRobots[robot] = Picture("Bbd_RobotPic" + Digits(robot, 4) + ".png", kInfoFolder);
    } else if (!upgrades.empty()) {
        m_pUnlockPicture = g_pGameAppInstance && upgrades[0] >= 0 && upgrades[0] < ROBOT_TYPES
                               ? g_pGameAppInstance->m_apBbdCard[upgrades[0]]
                               : nullptr;
    } else if (!features.empty()) {
        m_pUnlockPicture = Picture("Bbd_Menu_" + Digits(features[0] + 1, 2) + ".png", "Resource\\Msgbox\\");
    } else if (!labItems.empty()) {
        m_pUnlockPicture = Picture("Bbd_Item_" + Digits(labItems[0] + 1, 2) + ".png", "Resource\\Menu\\LabItem\\");
    } else if (stage == profile.m_iFurthestStage && RestoresEnergyTube(stage)) {
        m_pUnlockPicture = Picture("Bbd_Unlock_Energy_Limit.png", "Resource\\Msgbox\\");
    } else {
        m_pUnlockPicture = Picture("Bbd_Reward.png", "Resource\\Msgbox\\");
    }
    m_itNewRobot = m_mapNewRobots.begin();
}

void CPageGame::ChooseNextUnlockPicture() {
    const int stage = g_pGameAppInstance ? int(g_pGameAppInstance->m_iCurrentStage) : 1;
    const SaveProfile& profile = g_CurrentProfile;
    const int robot = GetRobotUnlockedByStage(NextStageId(stage));
    std::vector<int> features, labItems, upgrades;
    if (stage == profile.m_iFurthestStage) {
        GetFeatureUnlocksForStage(stage, features);
        GetLabItemUnlocksForStage(stage, labItems);
        GetRobotUpgradeUnlocksForStage(upgrades, stage);
    }
    CVxBillboard* picture = nullptr;
    bool menuMade = false;
    if (robot >= 0 && robot < ROBOT_TYPES && !profile.m_abRobotUnlocked[robot]) {
        picture = Picture("Act1_01.png", ("Resource\\Robot\\" + Digits(robot, 4) + "\\").c_str());
    } else if (!upgrades.empty()) {
        picture = g_pGameAppInstance && upgrades[0] >= 0 && upgrades[0] < ROBOT_TYPES
                      ? g_pGameAppInstance->m_apBbdCard[upgrades[0]]
                      : nullptr;
    } else if (!features.empty()) {
        picture = Picture("Bbd_Menu_" + Digits(features[0] + 1, 2) + ".png", "Resource\\Msgbox\\");
        menuMade = true;
    } else if (!labItems.empty()) {
        picture = Picture("Bbd_Item_" + Digits(labItems[0] + 1, 2) + ".png", "Resource\\Menu\\LabItem\\");
        menuMade = true;
    } else if (IsFurthestEnergyTubeStage()) {
        picture = Picture("Bbd_Unlock_Energy_Limit.png", "Resource\\Msgbox\\");
        menuMade = true;
    } else {
        picture = Picture("Bbd_Item09.png", "Resource\\Item\\");
    }
    // The prize rises out of the capsule over the field: see-through, as the
    // application's card pictures already are.
    if (picture) picture->SetAlphaBlend(true);
    if (picture && menuMade) {
        picture->ScaleSizeUniform(0.5f);
        picture->SaveState();
    }
    m_pNextUnlockPicture = picture;
}

void CPageGame::MakeHandButtons() {
    const int stage = g_pGameAppInstance ? int(g_pGameAppInstance->m_iCurrentStage) : 1;
    std::fill(std::begin(m_apHandButtons), std::end(m_apHandButtons), nullptr);
    if (!IsMiniGameStage(stage) && m_Battle.State().m_nHandSlots > 0) {
        const int n = std::min(m_Battle.State().m_nHandSlots, DECK_SLOTS);
        const int half = n >= 10 ? 42 : 45;
        float step = float(g_iScreenWidth / 10 - 2);
        if (n < 10) step += 5.0f;
        for (int i = 0; i < n; ++i) {
            CVxButton* b = AddButton(0);
            if (!b) break;
            b->m_iHitHalfWidth = half;
            b->m_iHitHalfHeight = half;
            b->SetPosition((0.5f * float(n) - 0.5f - float(i)) * step, -259.0f, 0.0f);
            m_apHandButtons[i] = b;
        }
    }
    m_pRemoverButton = AddButton(0);
    if (m_pRemoverButton) {
        m_pRemoverButton->m_iHitHalfWidth = 64;
        m_pRemoverButton->m_iHitHalfHeight = 32;
        m_pRemoverButton->SetPosition(9999.0f, 9999.0f, 0.0f);
    }
}

namespace {

// The page's steps between the rules of the battle's set-up (BattleSetUp.h).
class PageSetUpSteps final : public BattleSetUpSteps {
public:
    explicit PageSetUpSteps(CPageGame& page) : m_Page(page) {}
    void HandSlotsSet() override { m_Page.LoadHandButtons(); }
    void BattleSetUp() override { m_Page.LoadBattleResources(); }
    void LoadDealtHand(const CBattleModel::HandRecords& records) override { m_Page.LoadDealtHand(records); }
    void ClocksStarted() override { m_Page.LoadPlaceMarks(); }
    void LoadMachineArt() override { m_Page.LoadMachineArt(); }
    void StageUnitMade() override { m_Page.LoadFieldArt(); }
    void CardRecordsRead() override { m_Page.LoadBattleButtons(); }
    void FieldPrepared() override { m_Page.LoadFieldSounds(); }

private:
    CPageGame& m_Page;
};

}  // namespace

int CPageGame::Load() {
    CGameApplication* app = g_pGameAppInstance;
    const int stage = app ? int(app->m_iCurrentStage) : 1;

    m_Battle.TakeContext(BattleContext{stage, g_CurrentProfile.m_iDifficulty, &g_CurrentProfile, &m_AppClock});
    g_bLeavingBattle = false;
    for (auto& slot : m_apCardSounds)
        for (CVxSound*& s : slot) s = nullptr;

    PageSetUpSteps steps(*this);
    RunBattleSetUp(m_Battle, m_aRobotArray, m_nRobotArray, steps);

    if (g_bAppActive) {
        if (app && app->m_pResourceManager) app->m_pResourceManager->ResumeSounds();
        if (m_pResourceManager) m_pResourceManager->ResumeSounds();
    }
    return 0;
}

void CPageGame::LoadHandButtons() {
    MakeHandButtons();
    MakeCardChoiceButtons();
    const char* debugView = std::getenv("CSQ_DEBUG_VIEW");
    m_bDebugView = debugView && std::string(debugView) == "1";
    m_iEnergyPickPitch = m_iPartsPickPitch = 0;
    for (RobotArt& art : m_aHandArt) ClearRobotArt(art);
    for (RobotArt& art : m_aEnemyArt) ClearRobotArt(art);
}

void CPageGame::LoadPlaceMarks() {
    CGameApplication* app = g_pGameAppInstance;
    m_iLastUpdateFrame = g_pApp ? int(g_pApp->m_nFrame) : 0;
    if (app) {
        app->m_bCaptureStill = false;
        app->m_bShowStill = false;
    }
    g_fGroup0VolumeScale = 1.0f;

    m_pPlaceMark = Picture("Mark.tga", "Resource\\Dummy\\");
    // The cells are shaded through it at a fraction of its alpha.
    if (m_pPlaceMark) m_pPlaceMark->SetAlphaBlend(true);
    m_fPlaceMarkPhase = 0.0f;
    ChooseNextUnlockPicture();
}

void CPageGame::LoadMachineArt() {
    CGameApplication* app = g_pGameAppInstance;
    for (auto& slot : m_apEnemySounds)
        for (CVxSound*& s : slot) s = nullptr;
    if (app) app->LoadEnemyRobotResources(m_Battle.State().m_aEnemyDefs, m_aEnemyArt);
    for (int k = 0; k < STAGE_ENEMY_RECORDS; ++k)
        for (int s = 0; s < ROBOT_SOUNDS; ++s) m_apEnemySounds[k][s] = m_aEnemyArt[k].m_apSound[s];

    m_pTimeBombMark = Picture("Efx_TimeBomb.png", "Resource\\Effect\\");
    // The plate hangs over the field: its corners are see-through.
    if (m_pTimeBombMark) m_pTimeBombMark->SetAlphaBlend(true);
    LoadBossResources();
}

void CPageGame::LoadFieldArt() {
    // The render road draws the backdrop into its stage target through the page.
    g_GameRoadLinks.renderStage = [this] { m_Battle.State().m_pStage->Render(m_Battle); };
    LoadFieldEffectArt();

    LoadEffects();
}

void CPageGame::LoadBattleButtons() {
    CGameApplication* app = g_pGameAppInstance;
    const int stage = m_Battle.StageNumber();
    const SaveProfile& profile = m_Battle.Profile();
    DecideCardAvailability();

    m_pButtonAllScreens = AddButton(-1);
    if (m_pButtonAllScreens) m_pButtonAllScreens->SetPosition(9999.0f, 9999.0f, 0.0f);
    LoadRobopedia();
    m_pBtnOK = AddButton(0);
    if (m_pBtnOK && app) {
        const CustomType& ok = app->m_aButtonSets[BTN_OK];
        CVxButton::SetStateTextures(m_pBtnOK, ok.m_apState[BUTTON_PRESS], ok.m_apState[BUTTON_OVER],
                                    ok.m_apState[BUTTON_DISABLE], ok.m_apState[BUTTON_NORMAL]);
        m_pBtnOK->SetPosition(9999.0f, 9999.0f, 0.0f);
    }

    m_apRemoverIcons[0] = m_apRemoverIcons[1] = nullptr;
    if (profile.m_abRobotUnlocked[ROBOT_REMOVER]) {
        m_apRemoverIcons[0] = Picture("Bbd_RemoverIcon1.png", "Resource\\Interface\\");
        m_apRemoverIcons[1] = Picture("Bbd_RemoverIcon2.png", "Resource\\Interface\\");
        for (CVxBillboard* face : m_apRemoverIcons)
            if (face) face->SetAlphaBlend(true);
    }
    m_pCanMoveIcon = nullptr;
    // The zapping stage draws the mark too, so it is loaded there as well.
    if (KindOf(stage) == StageKind::Relocation || KindOf(stage) == StageKind::ClickZapping)
        m_pCanMoveIcon = Picture("Bbd_CanMoveIcon.png", "Resource\\Effect\\");
    m_pSeesConcealedMark = Picture("Bbd_SeesConcealed.png", "Resource\\Effect\\");
    m_pBbdCapsule = Picture("Bbd_CapsuleMark.png", "Resource\\Interface\\");
    if (m_pBbdCapsule) m_pBbdCapsule->SetAlphaBlend(true);
    if (m_pCanMoveIcon) m_pCanMoveIcon->SetAlphaBlend(true);
}

void CPageGame::LoadFieldSounds() {
    LoadMiniGameResources();
    LoadBattleSounds();

    m_pAmbienceSound = nullptr;
    m_iWeatherSoundFrame = -1;
    if (GetStageEpisode(m_Battle.StageNumber()) == 3) SetUpWeather();
}

void CPageGame::LoadBattleSounds() {
    const int stage = g_pGameAppInstance ? int(g_pGameAppInstance->m_iCurrentStage) : 1;
    const std::string base = !IsMiniGameStage(stage) ? "BGM_Gameplay" + std::to_string(GetStageEpisode(stage)) + "_"
                                                     : "BGM_GameplayMiniGame_";
    m_apBattleMusic[0] = Sound(base + "Intro.ogg", kBgmFolder);
    m_apBattleMusic[1] = Sound(base + "Loop.ogg", kBgmFolder);
    for (int i = 0; i < 2; ++i) {
        if (!m_apBattleMusic[i]) continue;
        m_apBattleMusic[i]->m_iGroup = 1;
        m_apBattleMusic[i]->m_dwPlayFlags = i == 1 ? DSBPLAY_LOOPING : 0;
        m_apBattleMusic[i]->ApplyVolume(-3000);
    }
    m_pMusic = (!IsMiniGameStage(stage) && HasMoreCardsThanSlots(m_Battle)) ? m_apBattleMusic[1] : m_apBattleMusic[0];
    if (m_pMusic) m_pMusic->SetVolumeFactor(0.0f);

    m_bBattleMusicStarted = false;
    m_apEndMusic[0] = m_apEndMusic[1] = nullptr;
    CVxSound** const sfx[BATTLE_SOUND_EFFECTS] = {
        &m_pSfxPickCard,    &m_pSfxPickEnergy,    &m_pSfxPickParts,   &m_pSfxCardCancel,
        &m_pSfxMoveCard,    &m_pSfxEnemyDropItem, &m_pSfxHeartDown,   &m_pSfxSpike,
        &m_pSfxReadyCount,  &m_pSfxStart,         &m_pSfxTextWave,    &m_pSfxFinishItem1,
        &m_pSfxFinishItem2, &m_pSfxCount,         &m_pSfxTextScaleIn, &m_pSfxStar};
    static const char* const kNames[BATTLE_SOUND_EFFECTS] = {
        "SFX_PickCard",    "SFX_PickEnergy", "SFX_PickParts",   "SFX_CardCancel", "Sfx_MoveCard", "SFX_EnemyDropItem",
        "SFX_HeartDown",   "SFX_Spike",      "Sfx_ReadyCount",  "Sfx_Start",      "SFX_TextWave", "SFX_FinishItem1",
        "SFX_FinishItem2", "SFX_Count",      "SFX_TextScaleIn", "SFX_Star"};
    for (int i = 0; i < BATTLE_SOUND_EFFECTS; ++i) *sfx[i] = Sound(std::string(kNames[i]) + ".ogg", kSfxFolder);
}

int CPageGame::GetEnergyCostLimit() const {
    const int n = g_CurrentProfile.m_iFurthestStage;
    const int x = GetStagePosition(n);
    if (x / 50 + 1 > 2) return 1000;
    static const int kLimits[] = {40, 50, 60, 75, 1000};
    const int area = std::clamp((x % 50) / 10, 0, 4);
    return kLimits[area];
}

void CPageGame::DecideCardAvailability() {
    const int stage = g_pGameAppInstance ? int(g_pGameAppInstance->m_iCurrentStage) : 1;
    const int place = OrdinaryStageOf(stage);
    const int episode = GetStageEpisode(place);
    const int area = GetStageWorld(place);
    const bool finalStage = IsEpisodeFinalBossStage(stage);
    std::fill(std::begin(m_abCardDisabled), std::end(m_abCardDisabled), false);
    for (int i = 0; i < ROBOT_TYPES; ++i) {
        if (!g_CurrentProfile.m_abRobotUnlocked[i]) continue;
        const UnitDefinition& card = m_Battle.State().m_aCardDefs[i];
        if (finalStage) {
            m_abCardDisabled[i] = !(card.m_iRole == ROLE_ATTACK && card.m_iTerrain != TERRAIN_MARINE &&
                                    card.m_iTerrain != TERRAIN_UNDERWATER);
            continue;
        }
        if (episode == 2) {
            if (i == RobotId::MachineGunner || i == RobotId::MortarBot) continue;
            if (card.m_iEnergyCost > GetEnergyCostLimit()) {
                m_abCardDisabled[i] = true;
                continue;
            }
        }
        if (card.m_iTerrain == TERRAIN_SPECIAL) continue;
        if (area == 3 && !IsMiniGameStage(stage) && card.m_bFlag == 0) {
            m_abCardDisabled[i] = true;
            continue;
        }
        if (std::find(m_Battle.State().m_lstStageCellKinds.begin(), m_Battle.State().m_lstStageCellKinds.end(),
                      card.m_iTerrain) == m_Battle.State().m_lstStageCellKinds.end())
            m_abCardDisabled[i] = true;
    }
}

int CPageGame::Release() {
    CGameApplication* app = g_pGameAppInstance;
    g_fGroup0VolumeScale = 1.0f;
    if (app && ModeOf(int(app->m_iCurrentStage)) == MiniGameMode::BothSides) SetHandCardVolume(1.0f);
    ForgetCardChoiceArt();
    ReleaseRobopedia();

    m_Battle.ClearField();
    m_lstNewEnemies.clear();
    m_itNewEnemy = m_lstNewEnemies.end();
    m_mapNewRobots.clear();
    m_itNewRobot = m_mapNewRobots.end();

    ReleaseEffects();
    g_GameRoadLinks.renderStage = nullptr;
    m_Battle.ForgetStageUnit();

    if (app && app->m_pResourceManager) app->m_pResourceManager->StopSounds();
    if (m_pResourceManager) m_pResourceManager->StopSounds();
    for (int i = 0; i < HAND_SOUNDS_KEPT; ++i)
        for (CVxSound* s : m_apCardSounds[i])
            if (s && s->IsPlaying()) s->Stop();
    for (auto& slot : m_apEnemySounds)
        for (CVxSound* s : slot)
            if (s && s->IsPlaying()) s->Stop();

    // What Load made through the page's manager goes with it.
    m_pPlaceMark = m_pNextUnlockPicture = m_pTimeBombMark = m_pUnlockPicture = nullptr;
    m_pCanMoveIcon = m_pSeesConcealedMark = m_pBbdCapsule = nullptr;
    std::fill(std::begin(m_apCageArt), std::end(m_apCageArt), nullptr);
    std::fill(std::begin(m_apRemoverIcons), std::end(m_apRemoverIcons), nullptr);
    std::fill(std::begin(m_apHandButtons), std::end(m_apHandButtons), nullptr);
    m_pRemoverButton = m_pButtonAllScreens = m_pBtnOK = nullptr;
    m_apBattleMusic[0] = m_apBattleMusic[1] = m_pMusic = nullptr;
    m_apEndMusic[0] = m_apEndMusic[1] = nullptr;
    CVxSound** const sfx[] = {&m_pSfxPickCard,    &m_pSfxPickEnergy,    &m_pSfxPickParts,   &m_pSfxCardCancel,
                              &m_pSfxMoveCard,    &m_pSfxEnemyDropItem, &m_pSfxHeartDown,   &m_pSfxSpike,
                              &m_pSfxReadyCount,  &m_pSfxStart,         &m_pSfxTextWave,    &m_pSfxFinishItem1,
                              &m_pSfxFinishItem2, &m_pSfxCount,         &m_pSfxTextScaleIn, &m_pSfxStar};
    for (CVxSound** s : sfx) *s = nullptr;
    return 0;
}

void CPageGame::ChooseHandAsItStands() {
    ChooseHand hand;
    for (int i = 0; i < DECK_SLOTS; ++i) hand.cards[i] = m_Battle.State().m_aHand[i].m_iCard;
    ApplyCommand(hand);
}

void CPageGame::StartBackgroundLoader() {
    ChooseHandAsItStands();
    m_iCardChoiceStep = 2;
    // The choice is over: a card still dragged stops moving (and its sound).
    m_bCardMoving = false;
    m_Battle.MarkStateEntry(g_pApp ? int(g_pApp->m_nFrame) : 0);
    // The starter raises the loader-running flag itself.
    if (!g_bLoaderRunning)
        if (auto* app = dynamic_cast<CVxXApplication*>(g_pApp)) app->StartStageLoaderThread();
    TakeLoadedHand();  // at once when the loader ran inline
}

void CPageGame::ForgetCachedPictures() {
    if (m_pEffectMapStory) m_pEffectMapStory->m_bBoardDrawn = m_pEffectMapStory->m_bTextDrawn = false;
    if (auto* howTo = dynamic_cast<CEffect_HowToMiniGame*>(m_pEffectHowToMiniGame))
        howTo->m_bBoardDrawn = howTo->m_bTextDrawn = false;
    if (auto* howTo = dynamic_cast<CEffect_HowToPlay*>(m_pEffectHowToPlay)) howTo->m_bDrawn = false;
    if (m_pEffectNewEnemy) m_pEffectNewEnemy->m_bBoardRendered = false;
    if (m_pEffectNewRobot) m_pEffectNewRobot->m_bBoardRendered = false;
    if (m_pEffectSummary) m_pEffectSummary->m_bBoardDrawn = false;
    if (m_pEffectUnlocked) m_pEffectUnlocked->m_bBoardDrawn = 0;
    if (m_pEffectTutorials) m_pEffectTutorials->m_bTextDrawn = m_pEffectTutorials->m_bHintDrawn = 0;
    if (m_pRobotInfo) m_pRobotInfo->m_abBoardRendered[0] = m_pRobotInfo->m_abBoardRendered[1] = false;
}

void CPageGame::ChangeSubScreenAtBlack() {
    if (m_iSubScreen == 0) {
        LoadRobopediaArt();
        RefillCardRecords();
        SetSubScreen(1);
    } else if (m_iSubScreen == 1) {
        SetSubScreen(0);
        FreeRobopediaArt();
        if (m_pButtonAllScreens) m_pButtonAllScreens->SetPosition(9999.0f, 9999.0f, 0.0f);
    }
}

bool CPageGame::IsSummaryWonAwaitingChoice() const {
    return m_pEffectSummary && m_pEffectSummary->IsWonAwaitingChoice();
}

int CPageGame::SummarySwitchCode() const { return m_pEffectSummary ? m_pEffectSummary->m_iSwitchCode : 0; }

CAchievementNotice* CPageGame::InGameNotice() { return m_pEffectNewAchievementInGame; }

int CPageGame::SummaryChosenStage() const { return m_pEffectSummary ? m_pEffectSummary->m_iNextStage : 0; }
