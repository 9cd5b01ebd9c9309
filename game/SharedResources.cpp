// The resources the pages and effects share: start-up pictures and sounds,
// the battle interface, cards, message-box panels, buttons, digits, the
// standard font and the common sounds, and the application-owned effects.
#include <algorithm>
#include <string>

#include "engine/VxBillboard.h"
#include "engine/VxFont.h"
#include "engine/VxNumber.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/VxTexture.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_SwitchPage.h"
#include "game/Effect_Touch.h"
#include "game/GameApplication.h"
#include "platform/ResourceArchive.h"

namespace {

const char* const kMenu = "Resource\\Menu\\";
const char* const kEffect = "Resource\\Effect\\";
const char* const kHitEffect = "Resource/Effect/";
const char* const kInterface = "Resource\\Interface\\";
const char* const kTwist = "Resource/MsgBox/";
const char* const kMsgBox = "Resource\\MsgBox\\";
const char* const kButton = "Resource\\Button\\";
const char* const kItem = "Resource\\Item\\";
const char* const kCard = "Resource\\Card\\";
const char* const kFont = "Resource\\Font\\";
const char* const kMenuSfx = "Resource\\Sound\\SFX\\Menu\\";
const char* const kGameSfx = "Resource\\Sound\\SFX\\Game\\";

constexpr float kPi = 3.14159265f;

std::string Numbered(const char* stem, int n, int digits, const char* ext) {
    std::string number = std::to_string(n);
    if (int(number.size()) < digits) number.insert(0, size_t(digits) - number.size(), '0');
    return stem + number + ext;
}

// Deletes an object the manager holds and forgets it in both places.
template <class T, class U>
void DeleteHeld(std::vector<U*>& list, T*& object) {
    if (!object) return;
    auto it = std::find(list.begin(), list.end(), static_cast<U*>(object));
    if (it != list.end()) *it = nullptr;
    delete object;
    object = nullptr;
}

}  // namespace

namespace {

// Shorthands over the application's manager.
struct Loader {
    CVxResourceManager& rm;

    CVxBillboard* Picture(const std::string& name, const char* folder) {
        CVxBillboard* b = rm.CreateBillboard(name.c_str(), folder, nullptr);
        b->SetAlphaBlend(true);
        return b;
    }
    CVxTexture* Texture(const std::string& name, const char* folder) { return rm.CreateTexture(name.c_str(), folder); }
    // A billboard showing the strip (u, v, w, h) of a shared texture, its
    // size scaled by (sx, sy).
    CVxBillboard* Strip(CVxTexture* texture, float u, float v, float w, float h, float sx, float sy) {
        CVxBillboard* b = rm.CreateBillboard(nullptr, nullptr, texture);
        b->SetAlphaBlend(true);
        b->SetTextureRect(u, v, w, h);
        b->ScaleSize2D(sx, sy);
        return b;
    }
    CVxSound* Sound(const std::string& name, const char* folder) {
        CVxSound* s = rm.CreateSound(name.c_str(), folder);
        if (s) s->m_iGroup = 0;
        return s;
    }
};

}  // namespace

void CGameApplication::ResetGameState() {
    // Construction only: nothing is held yet, so nothing is deleted.
    m_pTexLoading = nullptr;
    m_pBbdLoading = m_pBbdLoadingFrame = m_pBbdLoadingTop = nullptr;
    std::fill(std::begin(m_apBbdSplash), std::end(m_apBbdSplash), nullptr);
    m_pSndBtnClick = m_pSndError = m_pSndLogo = nullptr;
    m_pBbdLoadingMultithread = nullptr;
    m_pTexGameText = m_pTexInterface = m_pTexStage = m_pTexLightArrow = m_pTexItemNumber = m_pTexMsgHeader = nullptr;
    for (auto* a : {m_apBbdGameText, m_apBbdCount}) std::fill(a, a + 3, nullptr);
    std::fill(std::begin(m_apBbdStage), std::end(m_apBbdStage), nullptr);
    std::fill(std::begin(m_apBbdTwist), std::end(m_apBbdTwist), nullptr);
    std::fill(std::begin(m_apBbdLight), std::end(m_apBbdLight), nullptr);
    std::fill(std::begin(m_apBbdLightArrow), std::end(m_apBbdLightArrow), nullptr);
    std::fill(std::begin(m_apBbdInterface), std::end(m_apBbdInterface), nullptr);
    std::fill(std::begin(m_apBbdItem), std::end(m_apBbdItem), nullptr);
    std::fill(std::begin(m_apBbdItemNumber), std::end(m_apBbdItemNumber), nullptr);
    std::fill(std::begin(m_apBbdCard), std::end(m_apBbdCard), nullptr);
    std::fill(std::begin(m_apBbdStageDigit), std::end(m_apBbdStageDigit), nullptr);
    std::fill(std::begin(m_apBbdMsgHeader), std::end(m_apBbdMsgHeader), nullptr);
    std::fill(std::begin(m_apBbdStar), std::end(m_apBbdStar), nullptr);
    std::fill(std::begin(m_apBbdScoreSummary), std::end(m_apBbdScoreSummary), nullptr);
    std::fill(std::begin(m_apBbdHit), std::end(m_apBbdHit), nullptr);
    std::fill(std::begin(m_apSndDeath), std::end(m_apSndDeath), nullptr);
    std::fill(std::begin(m_apMineCopter), std::end(m_apMineCopter), nullptr);
    m_pBbdHeartAttack = m_pBbdCardBG = m_pBbdCardBGBlank = m_pBbdCardSelect = m_pBbdNew = nullptr;
    m_pBbdDelayFrame = m_pBbdDelayGauge = m_pBbdCardFull = m_pBbdSmoke = m_pBbdStarCircle = nullptr;
    m_pBbdTouch = m_pBbdMark = m_pBbdMsgLarge = m_pBbdMsgMedium = m_pBbdMsgSmall = m_pBbdMsgTextBG = nullptr;
    m_pBbdStarBurst = nullptr;
    m_ButtonPause = CustomType();
    for (CustomType& set : m_aButtonSets) set = CustomType();
    m_pNumInterface = m_pNumStageBig = nullptr;
    m_pFontStandard = nullptr;
    m_pSndSlideScr = m_pSndMsgBox = m_pSndGotAchv = m_pSndCardFull = m_pSndExpand = nullptr;
    m_pRenderTargetTexture = nullptr;
    m_pRenderTargetBillboard = nullptr;
    for (ArtCacheSlot& slot : m_aRobotCache) {
        slot.m_iId = -1;
        ClearRobotArt(slot.m_Art);
    }
    for (ArtCacheSlot& slot : m_aEnemyCache) {
        slot.m_iId = -1;
        ClearRobotArt(slot.m_Art);
    }
    m_pEffectNewAchievement = nullptr;
    m_pEffectBlackScreen = nullptr;
    m_pEffectMsgBox = nullptr;
    m_pEffectExit = nullptr;
    m_pEffectSwitchPage = nullptr;
    m_pEffectTouch = nullptr;
}

void CGameApplication::LoadStartupResources() {
    CVxTexture::DecodeBatch decodeTogether;
    Loader load{*m_pResourceManager};
    m_pTexLoading = load.Texture("Bbd_Loading.png", kMenu);
    m_pBbdLoading = load.Strip(m_pTexLoading, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    m_pBbdLoadingFrame = load.Strip(m_pTexLoading, 0.0f, 0.125f, 1.0f, 0.125f, 1.0f, 0.125f);
    m_pBbdLoadingTop = load.Strip(m_pTexLoading, 0.0f, 0.0f, 1.0f, 0.125f, 1.0f, 0.125f);
    for (int n = 1; n <= 2; ++n) m_apBbdSplash[n - 1] = load.Picture(Numbered("Bbd_Splash", n, 1, ".jpg"), kMenu);
    m_pSndBtnClick = load.Sound("SFX_BtnClick.ogg", kMenuSfx);
    m_pSndError = load.Sound("SFX_Error.ogg", kMenuSfx);

    delete m_pEffectExit;
    m_pEffectExit = new CEffect_Exit();
    delete m_pEffectSwitchPage;
    m_pEffectSwitchPage = new CEffect_SwitchPage();
}

void CGameApplication::ReleaseStartupResources() {
    CVxResourceManager& rm = *m_pResourceManager;
    DeleteHeld(rm.m_lstSounds, m_pSndLogo);
    // The billboards share the sheet: they go before it.
    DeleteHeld(rm.m_lstObjects, m_pBbdLoading);
    DeleteHeld(rm.m_lstObjects, m_pBbdLoadingFrame);
    DeleteHeld(rm.m_lstObjects, m_pBbdLoadingTop);
    DeleteHeld(rm.m_lstTextures, m_pTexLoading);
    for (CVxBillboard*& splash : m_apBbdSplash) DeleteHeld(rm.m_lstObjects, splash);
}

void CGameApplication::LoadHitEffects() {
    Loader load{*m_pResourceManager};
    m_apBbdHit[0] = load.Picture("Efx_HitLight.png", kHitEffect);
    m_apBbdHit[1] = load.Picture("Efx_HitSmoke.png", kHitEffect);
    m_apBbdHit[2] = load.Picture("Bbd_Stone.png", kHitEffect);
    m_apBbdHit[3] = load.Picture("Efx_TargetMark.png", kHitEffect);
}

void CGameApplication::LoadSharedResources() {
    // Loaded once a run, whichever page asks first.
    if (m_pEffectBlackScreen) return;
    CVxTexture::DecodeBatch decodeTogether;
    Loader load{*m_pResourceManager};

    m_pBbdLoadingMultithread = load.Picture("Efx_LoadingMultithread.png", kEffect);
    m_pTexGameText = load.Texture("Efx_LG_GameText.png", kEffect);
    m_pTexInterface = load.Texture("Bbd_Interface.png", kInterface);
    // A nameless texture object: the render road shows a render target's
    // picture through it. The billboard only borrows it.
    m_pRenderTargetTexture = new CVxTexture("", "");
    m_pRenderTargetBillboard = m_pResourceManager->CreateBillboard(nullptr, nullptr, m_pRenderTargetTexture);
    m_pRenderTargetBillboard->SetAlphaBlend(true);
    for (int i = 0; i < 3; ++i)
        m_apBbdGameText[i] = load.Strip(m_pTexGameText, 0.0f, float(i) / 3.0f, 1.0f, 1.0f / 3.0f, 1.0f, 1.0f / 3.0f);
    for (int n = 1; n <= 3; ++n) m_apBbdCount[n - 1] = load.Picture(Numbered("Efx_LG_Count", n, 1, ".png"), kEffect);

    // Two sets of two strips: the two labels side by side in the top quarter,
    // then the time bar's frame and its fill, both 0.7 of the width; the HUD
    // cuts the fill's rectangle itself as the bar fills.
    m_pTexStage = load.Texture("Bbd_LG_Stage.png", kInterface);
    for (int i = 0; i < 2; ++i)
        m_apBbdStage[i] = load.Strip(m_pTexStage, float(i) * 0.5f, 0.0f, 0.5f, 0.25f, 0.5f, 0.25f);
    m_apBbdStage[2] = load.Strip(m_pTexStage, 0.0f, 0.5f, 0.7f, 0.125f, 0.7f, 0.125f);
    m_apBbdStage[3] = load.Strip(m_pTexStage, 0.0f, 0.3f, 0.7f, 0.1f, 0.7f, 0.1f);
    for (int n = 1; n <= 2; ++n) m_apBbdTwist[n - 1] = load.Picture(Numbered("Bbd_Twist", n, 1, ".png"), kTwist);
    m_pBbdHeartAttack = load.Picture("Bbd_HeartAttack.png", kTwist);
    m_pBbdSpike = load.Picture("Bbd_Spike.png", kEffect);
    // The rotor every flying Machine (and an upgraded Mini-Mine) turns; held
    // by the application itself, which frees them at its release.
    for (int k = 1; k <= MINE_COPTER_FRAMES; ++k) {
        if (m_apMineCopter[k - 1]) continue;
        const std::string name = Numbered("act1_", k, 2, ".png");
        auto* rotor = new CVxBillboard(name.c_str(), "Resource\\Effect\\MineCopter\\", nullptr);
        rotor->SetAlphaBlend(true);
        m_apMineCopter[k - 1] = rotor;
    }

    static const char* const kLights[] = {"Btn_LightEffect.tga", "Btn_LightRePick.tga",    "Btn_LightClear.tga",
                                          "Btn_LightSwap.tga",   "Btn_LightRobopedia.tga", "Btn_LightVolume.tga"};
    for (int i = 0; i < 6; ++i) {
        m_apBbdLight[i] = load.Picture(kLights[i], kButton);
        m_apBbdLight[i]->ScaleSizeUniform(i < 5 ? 0.9f : 0.75f);
    }
    m_pTexLightArrow = load.Texture("Btn_LightArrowRect.tga", kButton);
    for (int i = 0; i < 2; ++i) {
        m_apBbdLightArrow[i] = load.Strip(m_pTexLightArrow, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        m_apBbdLightArrow[i]->SetBlendMode(BLEND_ADD, m_apBbdLightArrow[i]->m_iAlphaRef);
    }
    m_apBbdLightArrow[1]->SetRotation(0.0f, 0.0f, kPi);
    m_pResourceManager->CreateButtonStates(m_ButtonPause, "Btn_Pause_", kInterface, 1 | 2 | 4);

    static const char* const kInterfacePictures[] = {
        "Bbd_WaveSign.png",          "Bbd_Heart.png", "Bbd_Energy.png",  "Bbd_MoneyInterface.png",
        "Bbd_SurvivalInterface.png", "Bbd_Flag.png",  "Bbd_TutArrow.png"};
    for (int i = 0; i < 7; ++i) m_apBbdInterface[i] = load.Picture(kInterfacePictures[i], kInterface);
    // Eight item kinds and the ninth picture; there is no picture 8.
    for (int n = 0; n < ITEM_PICTURES; ++n)
        if (n != 8) m_apBbdItem[n] = load.Picture(Numbered("Bbd_Item", n, 2, ".png"), kItem);
    m_pTexItemNumber = load.Texture("Bbd_ItemNumber.png", kInterface);
    // A sheet of 2 columns by 4 rows: kind k's value in column k div 4, row
    // k mod 4 (energy down the first column, metal parts down the second).
    for (int k = 0; k < 8; ++k)
        m_apBbdItemNumber[k] =
            load.Strip(m_pTexItemNumber, float(k / 4) * 0.5f, float(k % 4) * 0.25f, 0.5f, 0.25f, 0.5f, 0.25f);

    m_pBbdCardBG = load.Picture("Bbd_CardBG.png", kCard);
    m_pBbdCardBGBlank = load.Picture("Bbd_CardBGBlank.png", kCard);
    m_pBbdCardSelect = load.Picture("Bbd_CardSelect.png", kCard);
    for (int id = 0; id < ROBOT_TYPES; ++id) {
        const std::string name = Numbered("Card", id, 4, ".png");
        if (ResourceFileExists(name.c_str(), kCard)) m_apBbdCard[id] = load.Picture(name, kCard);
    }
    m_pBbdNew = load.Picture("Bbd_New.png", kMenu);

    static const char* const kButtonSets[SHARED_BUTTON_SETS] = {
        "Btn_Map_",           "Btn_OK_",           "Btn_Cancel_", "Btn_Restart_", "Btn_Resume_",
        "Btn_Soundoff_",      "Btn_Soundon_",      "Btn_Help_",   "Btn_Option_",  "Btn_Exit_",
        "Btn_FullScreenoff_", "Btn_FullScreenon_", "Btn_Menu_",   "Btn_Replay_",  "Btn_Next_"};
    // The last three come with the score-summary pictures, further down.
    for (int i = 0; i < BTN_MENU; ++i)
        m_pResourceManager->CreateButtonStates(m_aButtonSets[i], kButtonSets[i], kButton, 15);

    m_pNumInterface = new CVxNumber();
    m_pNumInterface->LoadDigitTexture("Num_Interface1.png", 4, 4, kInterface);
    m_pNumStageBig = new CVxNumber();
    m_pNumStageBig->LoadDigitTexture("Num_StageBig.png", 5, 5, kInterface);
    // The sheet's cells after the ten digits.
    for (int i = 0; i < 3; ++i) {
        const int cell = 10 + i;
        m_apBbdStageDigit[i] = load.Strip(m_pNumStageBig->m_apDigitTextures[0], float(cell % 5) * 0.2f,
                                          float(cell / 5) * 0.2f, 0.2f, 0.2f, 0.2f, 0.2f);
    }
    m_pFontStandard = m_pResourceManager->CreateFont("Script_Fnt_GameStandard.txt", kFont);
    m_pBbdDelayFrame = load.Picture("Bbd_DelayFrame.png", kInterface);
    m_pBbdDelayGauge = load.Picture("Bbd_DelayGuage.png", kInterface);

    m_pBbdCardFull = load.Picture("Efx_CardFull.png", kEffect);
    m_pBbdSmoke = load.Picture("Efx_Smoke.tga", kEffect);
    m_pBbdStarCircle = load.Picture("Efx_StarCircle.png", kEffect);
    m_pBbdTouch = load.Picture("Efx_Touch.png", kEffect);
    m_pBbdMark = load.Picture("Mark.tga", kEffect);

    m_pTexMsgHeader = load.Texture("Msgbox_StdHeader.png", kMsgBox);
    for (int i = 0; i < 8; ++i) {
        m_apBbdMsgHeader[i] = load.Strip(m_pTexMsgHeader, 0.0f, float(i) * 0.125f, 1.0f, 0.125f, 1.0f, 1.0f);
        m_apBbdMsgHeader[i]->SetSize(512.0f, 64.0f, 1.0f);
    }
    m_pBbdMsgLarge = load.Picture("Msgbox_StdLarge.png", kMsgBox);
    m_pBbdMsgMedium = load.Picture("Msgbox_StdMedium.png", kMsgBox);
    m_pBbdMsgSmall = load.Picture("Msgbox_StdSmall.png", kMsgBox);
    m_pBbdMsgTextBG = load.Picture("Msgbox_StdTextBG.png", kMsgBox);
    for (int n = 1; n <= 2; ++n) m_apBbdStar[n - 1] = load.Picture(Numbered("Bbd_Star", n, 1, ".png"), kMsgBox);
    m_pBbdStarBurst = load.Picture("Efx_StarBurst.png", kEffect);
    for (int n = 1; n <= 2; ++n)
        m_apBbdScoreSummary[n - 1] = load.Picture(Numbered("Bbd_ScoreSummaryFG", n, 1, ".png"), kMenu);
    for (int i = BTN_MENU; i < SHARED_BUTTON_SETS; ++i)
        m_pResourceManager->CreateButtonStates(m_aButtonSets[i], kButtonSets[i], kButton, 15);
    LoadHitEffects();

    m_pSndSlideScr = load.Sound("SFX_SlideScr.ogg", kMenuSfx);
    m_pSndMsgBox = load.Sound("SFX_MsgBox.ogg", kMenuSfx);
    m_pSndGotAchv = load.Sound("SFX_GotAchv.ogg", kGameSfx);
    for (int n = 1; n <= 2; ++n) m_apSndDeath[n - 1] = load.Sound(Numbered("SFX_Death", n, 1, ".ogg"), kGameSfx);
    m_pSndCardFull = load.Sound("SFX_CardFull.ogg", kGameSfx);
    m_pSndExpand = load.Sound("SFX_Expand.ogg", kGameSfx);

    for (int i = 0; i < ROBOT_CACHE_SLOTS; ++i) ReleaseRobotResources(i);
    for (int i = 0; i < ENEMY_CACHE_SLOTS; ++i) ReleaseEnemyResources(i);

    m_pEffectNewAchievement = new CEffect_NewAchievement();
    m_pEffectBlackScreen = new CEffect_BlackScreen();
    m_pEffectMsgBox = new CEffect_MsgBox();
    m_pEffectTouch = new CEffect_Touch();
}
