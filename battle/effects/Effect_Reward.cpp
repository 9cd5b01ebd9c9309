#include "battle/effects/Effect_Reward.h"

#include <cmath>
#include <vector>

#include "battle/effects/Effect_ItemFadeDisappear.h"
#include "battle/effects/Effect_Unlocked.h"
#include "battle/units/RobotIconOffset.h"
#include "battle/model/BattleScene.h"
#include "battle/model/BattleView.h"
#include "content/FieldGrid.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnitDefinition.h"
#include "content/UnlockTables.h"
#include "content/UnitIds.h"
#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "game/Effect_BlackScreen.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

namespace {

// The definition of the first robot the stage unlocks, when there is one.
bool FirstNewRobot(const BattleView* view, UnitDefinition& d) {
    if (!view || view->FirstNewRobot() < 0) return false;
    d = UnitDefinition{};
    GetUnitDefinition(d, view->FirstNewRobot());
    return true;
}

bool UpgradeBadgeShows() {
    const int stage = CurrentStage();
    if (stage != g_CurrentProfile.m_iFurthestStage) return false;
    std::vector<int> robots;
    GetRobotUpgradeUnlocksForStage(robots, stage);
    return !robots.empty();
}

}  // namespace

CEffect_Reward::CEffect_Reward() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_pBadge = CreateBillboard(UPGRADE_FRAME_PICTURE, UPGRADE_FRAME_FOLDER, nullptr);
    if (m_pBadge) m_pBadge->SetAlphaBlend(true);
}

void CEffect_Reward::OnStart(int index) {
    CGameApplication* app = g_pGameAppInstance;
    const BattleView* view = m_pView;
    EffectInstance& r = m_aInstances[index];
    // The lowest ground cell of column 4; column 3's bottom cell when it has none.
    int cell = 19;
    if (view)
        for (int i = 24; i >= 20; --i)
            if (view->FieldCells()[i].m_iStageKind == TERRAIN_GROUND) {
                cell = i;
                break;
            }
    const float x = view ? view->FieldCells()[cell].m_fX : 0.0f;
    const float y = view ? view->FieldCells()[cell].m_fY : 0.0f;
    r.params[0] = x;
    r.params[1] = REWARD_DROP_Y;
    r.params[2] = 0.0f;
    r.params[3] = x;
    r.params[4] = y - 40.375f - 10.0f - 6.0f;
    r.params[5] = 0.0f;
    m_iRewardState = 0;
    if (app && app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Add(0);
    if (view) RestartSound(view->Drawn().m_pSfxFinishItem1);
}

VxVec3 CEffect_Reward::CapsulePoint() const {
    const EffectInstance& r = m_aInstances[0];
    return VxVec3{r.params[0].f, r.params[1].f + 118.0f, 0.0f};
}

VxVec3 CEffect_Reward::PrizePoint(int age) const {
    const EffectInstance& r = m_aInstances[0];
    const float x = r.params[0].f, yp = r.params[1].f + 118.0f;
    UnitDefinition d;
    VxVec3 at =
        FirstNewRobot(m_pView, d) ? GetRobotIconOffset(d, VxVec3{x, yp, 0.0f}) : VxVec3{x + 2.0f, yp - 25.0f, 0.0f};
    if (m_iRewardState == 3) {
        const float k = 1.0f - float(age) / float(REWARD_LEAVE_FRAMES);
        at = VxVec3{at.x * k, at.y * k, at.z * k};
    }
    return at;
}

void CEffect_Reward::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    const BattleView* view = m_pView;
    if (!app || !view || index != 0) return;
    EffectInstance& r = m_aInstances[0];
    const int a = r.age;
    const bool tutorial = view->FirstTutorialActive();

    // Motion and sound.
    CVxSound* loop = view->Drawn().m_pSfxFinishItem2;
    if (m_iRewardState == 0) {
        r.params[1].f -= REWARD_FALL_STEP;
        if (r.params[1].f < r.params[4].f) r.params[1].f = r.params[4].f;
    } else if (m_iRewardState == 1 || m_iRewardState == 2) {
        if (loop && !loop->IsPlaying()) loop->Play();
    } else if (m_iRewardState == 3 && loop) {
        if (loop->m_iLevel < -9000) loop->Stop();
        else loop->ApplyVolume(loop->m_iLevel - 200);
    }
    if (CVxSound* music = view->Drawn().m_pMusic)
        if (music->m_iLevel >= -9000) music->ApplyVolume(music->m_iLevel - 20);

    const float x = r.params[0].f, y = r.params[1].f;
    const VxVec3 prize = PrizePoint(a);
    UnitDefinition d;
    const bool robot = FirstNewRobot(view, d);
    float circleY = prize.y;
    if (robot) {
        if (d.m_iType == RobotId::RemoverBot) circleY = prize.y + 10.0f;
        else if (d.m_iType == RobotId::StormBot || d.m_iType == RobotId::MiniMine) circleY = prize.y - 43.0f;
        else if (d.m_iRole == ROLE_PLATFORM || d.m_iType == RobotId::MiniBomber || d.m_iType == RobotId::AtomicBot)
            circleY = prize.y - 20.0f;
    }
    const float turn = float(app->m_nFrame) * 0.5f;
    DrawTurningGlows(app->m_pBbdStarCircle, prize.x, circleY, 2.0f, turn);

    const bool badge = UpgradeBadgeShows();
    if (badge) DrawSharedPicture(m_pBadge, prize.x, prize.y, 0.85f, 0.85f);
    if (CVxBillboard* picture = view->NextUnlockPicture()) {
        const int stage = CurrentStage();
        const int unlocked = GetRobotUnlockedByStage(NextStageId(stage));
        float scale = 1.0f;
        if (unlocked == RobotId::SubmergerBot && !g_CurrentProfile.m_abRobotUnlocked[RobotId::SubmergerBot])
            scale *= 0.85f;
        if (unlocked == RobotId::SpiderBot && !g_CurrentProfile.m_abRobotUnlocked[RobotId::SpiderBot]) scale *= 0.95f;
        if (unlocked == RobotId::DropperBot && !g_CurrentProfile.m_abRobotUnlocked[RobotId::DropperBot]) scale *= 0.9f;
        if (badge) scale *= 0.85f;
        DrawSharedPicture(picture, prize.x, prize.y, scale, scale);
    }

    int frame = 0;
    float alpha = 1.0f;
    if (m_iRewardState == 2) frame = (a / 5) % CAGE_FRAMES;
    if (m_iRewardState == 3) {
        frame = CAGE_FRAMES - 1;
        alpha = 1.0f - float(a) / float(REWARD_LEAVE_FRAMES);
    }
    if (CVxBillboard* cage = view->Drawn().m_apCageArt[frame]) {
        cage->SaveState();
        cage->SetDiffuse(1.0f, 1.0f, 1.0f, alpha);
        cage->SetPosition(x, y + 118.0f, 0.0f);
        cage->RenderSRT();
        cage->RestoreState();
        cage->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    }
    if (m_iRewardState == 1 && !tutorial) {
        const float b = 8.0f * std::sin(6.0f * float(app->m_nFrame) * VX_DEG_TO_RAD);
        DrawSharedPicture(app->m_apBbdInterface[6], x + 2.0f, y + 90.0f + b);
    }

    if (m_iRewardState == 0 && y == r.params[4].f) {
        m_iRewardState = 1;
        r.age = 0;
    } else if (m_iRewardState == 2 && a == REWARD_OPEN_FRAMES - 1) {
        m_iRewardState = 3;
        r.age = 0;
    } else if (m_iRewardState == 3 && a == REWARD_LEAVE_FRAMES) {
        Clear(0);
        m_iRewardState = -1;
        if (view->Drawn().m_pEffectItemFadeDisappear)
            view->Drawn().m_pEffectItemFadeDisappear->Add(12, 0.0f, 0.0f, 0.0f);
    }
}

bool CEffect_Reward::HandleClick() {
    CGameApplication* app = g_pGameAppInstance;
    const BattleView* view = m_pView;
    if (!view || !g_pApp || m_aInstances[0].life <= 0 || m_iRewardState != 1) return false;
    if (!(g_pApp->m_aInput[0].m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) return false;
    const VxVec3 c = view->CursorOnField();
    const VxVec3 at = CapsulePoint();
    if (!(std::fabs(c.x - at.x) < 128.0f && std::fabs(c.y - at.y) < 128.0f)) return false;
    m_iRewardState = 2;
    m_aInstances[0].age = 0;
    RestartSound(app->m_pSndBtnClick);
    return true;
}
