#include "battle/effects/Effect_Unlocked.h"

#include <algorithm>
#include <string>
#include <vector>

#include "battle/model/BattleScene.h"
#include "battle/model/BattleView.h"
#include "content/Achievements.h"
#include "content/DescriptiveTexts.h"
#include "content/SaveProfile.h"
#include "content/StageKinds.h"
#include "content/UnlockTables.h"
#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxString.h"
#include "engine/framework/RenderTargets.h"
#include "game/Effect_BlackScreen.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"
#include "content/StageNumbering.h"

namespace {

std::vector<int> UpgradesOf(int stage) {
    std::vector<int> robots;
    if (stage == g_CurrentProfile.m_iFurthestStage) GetRobotUpgradeUnlocksForStage(robots, stage);
    return robots;
}

bool StageUnlocksSomething(int stage) {
    if (stage != g_CurrentProfile.m_iFurthestStage) return false;
    std::vector<int> features, items, upgrades;
    GetFeatureUnlocksForStage(stage, features);
    GetLabItemUnlocksForStage(stage, items);
    GetRobotUpgradeUnlocksForStage(upgrades, stage);
    return !features.empty() || !items.empty() || !upgrades.empty() || RestoresEnergyTube(stage);
}

}  // namespace

int MetalPartsRewardForStage(int stage) {
    static const int kReward[3][5] = {
        {50, 100, 200, 300, 500}, {200, 350, 500, 650, 850}, {500, 750, 1000, 1250, 1500}};
    if (stage < 1 || stage > 180) return 0;
    const int n = GetStagePosition(stage);
    const int episode = n / 50 + 1, area = (n % 50) / 10 + 1;
    if (episode < 1 || episode > 3 || area < 1 || area > 5) return 0;
    return kReward[episode - 1][area - 1];
}

int GetMetalPartsReward() { return MetalPartsRewardForStage(CurrentStage()); }

bool HasStageUnlocks() { return StageUnlocksSomething(CurrentStage()); }

void ApplyStageResults(int stage) {
    SaveProfile& p = g_CurrentProfile;
    if (stage == p.m_iFurthestStage) {
        std::vector<int> items;
        GetLabItemUnlocksForStage(stage, items);
        const int first = items.empty() ? -1 : items[0];
        // A booster's first level is a gift of the stage that offers it; a
        // replay before the furthest stage moves on finds it offered already.
        const bool boosterNew = (first == 1 || first == 2) && p.m_aLabItem[first].m_iOffered == 0;
        ApplyFeatureUnlocks(stage);
        ApplyLabItemUnlocks(stage);
        ApplyRobotUpgradeUnlocks(stage);
        if (boosterNew) {
            ++p.m_aLabItem[first].m_iBought;
            ++p.m_aLabItem[first].m_iOffered;
            if (first == 1) ++p.m_iLifeBooster;
            else ++p.m_iEnergyBooster;
            UpdateAchievementProgress(p, first == 1 ? 1 : 0, 1);
        }
    }
    if (!StageUnlocksSomething(stage)) {
        const int reward = MetalPartsRewardForStage(stage);
        p.m_iMetalParts = std::min(p.m_iMetalParts, METAL_PARTS_CAP) + reward;
        UpdateAchievementProgress(p, 3, reward);
        if (p.m_iMetalParts >= METAL_PARTS_CAP) p.m_iMetalParts = METAL_PARTS_CAP;
    }
}

CEffect_Unlocked::CEffect_Unlocked() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_pUpgradeFrame = CreateBillboard(UPGRADE_FRAME_PICTURE, UPGRADE_FRAME_FOLDER, nullptr);
    if (m_pUpgradeFrame) m_pUpgradeFrame->SetAlphaBlend(true);
}

void CEffect_Unlocked::DrawFixedLayer(float y) const {
    CGameApplication* app = g_pGameAppInstance;
    BattleView* view = m_pView;
    const int stage = CurrentStage();
    const float x = m_vBoardPos.x;
    const bool unlocks = HasStageUnlocks();
    const std::vector<int> upgrades = UpgradesOf(stage);
    const bool upgrade = !upgrades.empty();
    DrawSharedPicture(app->m_apBbdMsgHeader[unlocks && stage != 2 && stage != 4 ? 5 : 7], x, y + 210.0f);
    if (upgrade) DrawSharedPicture(m_pUpgradeFrame, x, y + 70.0f, 1.25f, 1.25f);
    if (CVxBillboard* picture = view ? view->UnlockPicture() : nullptr) {
        picture->SaveState();
        picture->SetAlphaBlend(true);
        if (upgrade) picture->ScaleSize2D(1.25f, 1.25f);
        picture->SetPosition(x, y + 70.0f, 0.0f);
        picture->RenderSRT();
        picture->RestoreState();
    }
    DrawSharedPicture(app->m_pBbdMsgTextBG, x, y - 115.0f, 1.15f, 0.25f);

    FontStyle title = TitleStyle(0.7f, 7.0f, 0.5f);
    const char* titleText = upgrade   ? GetRobotUpgradeName(upgrades[0])
                            : unlocks ? GetStageUnlockTitle(stage)
                                      : "Metal Parts Reward";
    DrawStyledText(app->m_pFontStandard, title, x + 5.0f, y - 30.0f, titleText);

    FontStyle body = BodyStyle(560);
    body.lineSpacing = 1.0f;
    if (upgrade) {
        DrawStyledText(app->m_pFontStandard, body, x - 275.0f, y - 75.0f, GetRobotUpgradeEffectText(upgrades[0]));
    } else if (unlocks) {
        DrawStyledText(app->m_pFontStandard, body, x - 275.0f, y - 75.0f, GetStageUnlockText(stage));
    } else {
        body.align = 0;
        const std::string text =
            std::string("You've got ") + IntToText(GetMetalPartsReward(), -1, true) + " metal parts.";
        DrawStyledText(app->m_pFontStandard, body, 0.0f, y - 95.0f, text.c_str());
    }
}

void CEffect_Unlocked::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || index != 0) return;
    const EffectInstance& r = m_aInstances[0];
    const int a = r.age;
    const float y = r.kind == 0 ? std::max(UNLOCKED_START_Y - 25.0f * float(a), UNLOCKED_REST_Y)
                                : UNLOCKED_REST_Y + 25.0f * float(a);
    m_vBoardPos = VxVec3{0.0f, y, 0.0f};
    const float x = m_vBoardPos.x;

    DrawSharedPicture(app->m_pBbdMsgMedium, x, y);
    const float turn = 0.5f * float(app->m_nFrame);
    DrawTurningGlows(app->m_pBbdStarCircle, x, y + 70.0f, 1.75f, turn);

    if (a == 0 && r.kind == 0) {
        m_bBoardDrawn = 0;
        // Dims only when the fade's one record is free.
        if (app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Add(0);
    }
    if (!m_bBoardDrawn && BeginRenderToTexture(UNLOCKED_BOARD_SLOT, true)) {
        DrawFixedLayer(0.0f);
        EndRenderToTexture();
        m_bBoardDrawn = 1;
    }
    // Without a slot to keep it in, the layer is drawn at the board's place.
    if (!(m_bBoardDrawn && ShowKeptContent(*app, UNLOCKED_BOARD_SLOT, m_vBoardPos))) DrawFixedLayer(y);

    BattleView* view = m_pView;
    if (view && view->OkButton()) {
        view->OkButton()->SetPosition(x + 4.0f, y - 250.0f, 0.0f);
        view->OkButton()->Render();
    }
    if (y > UNLOCKED_START_Y) {
        Clear(0);
        ApplyStageResults(CurrentStage());
    }
}

void CEffect_Unlocked::HandleClick() {
    CGameApplication* app = g_pGameAppInstance;
    BattleView* view = m_pView;
    CVxButton* ok = view ? view->OkButton() : nullptr;
    if (ok) ok->ProcessInput();
    const EffectInstance& r = m_aInstances[0];
    // Closes once: a board on its way out takes no second click.
    if (r.life <= 0 || r.kind != 0 || m_vBoardPos.y != UNLOCKED_REST_Y || !g_pApp) return;
    InputRecord& in = g_pApp->m_aInput[0];
    bool close = ok && ok->TakeClick();
    if (!close && (in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) {
        // The press is taken; the button stays held until it is let go.
        in.m_aiKey[MOUSE_LEFT] &= ~uint32_t(KEY_PRESSED);
        in.m_aiRepeat[MOUSE_LEFT] = 0;
        close = true;
    }
    if (!close) return;
    Start(0, 1);
    if (app) RestartSound(app->m_pSndBtnClick);
}
