// The thirteen battle states, from the opening fade to the result board: the
// per-frame render handler of the battle sub-screen, the boards and captions
// each state shows and waits for, the achievements of a stage's end and the
// tutorial's requests. The states' rules are the model's (BattleStates.h).
#include <algorithm>

#include "battle/effects/Effect_CardFull.h"
#include "battle/effects/Effect_CopterEnemyFadeOut.h"
#include "battle/effects/Effect_FontInstruction.h"
#include "battle/effects/Effect_HeartDecreased.h"
#include "battle/effects/Effect_HowToMiniGame.h"
#include "battle/effects/Effect_ItemAmount.h"
#include "battle/effects/Effect_ItemFadeDisappear.h"
#include "battle/effects/Effect_ItemTransToInterface.h"
#include "battle/effects/Effect_MapStory.h"
#include "battle/effects/Effect_MeteorEnemy.h"
#include "battle/effects/Effect_NewAchievementInGame.h"
#include "battle/effects/Effect_Paratrooper.h"
#include "battle/effects/Effect_Remover.h"
#include "battle/effects/Effect_Reward.h"
#include "battle/effects/Effect_RobotJumpOut.h"
#include "battle/effects/Effect_Summary.h"
#include "battle/effects/Effect_TextBegin.h"
#include "battle/effects/Effect_TextEnd.h"
#include "battle/effects/Effect_TextStage.h"
#include "battle/effects/Effect_TextWave.h"
#include "battle/effects/Effect_Tutorials.h"
#include "battle/effects/Effect_Unlocked.h"
#include "battle/model/BattleFrame.h"
#include "battle/model/BattleStates.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "content/Achievements.h"
#include "content/StageKinds.h"
#include "content/UnlockTables.h"
#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "engine/VxXApplication.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "battle/effects/Effect_NewEnemy.h"
#include "battle/effects/Effect_NewRobot.h"
#include "game/Effect_SwitchPage.h"
#include "game/Effect_Touch.h"
#include "game/GameApplication.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnitIds.h"

namespace {

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }

CEffect_MsgBox* MessageBox() { return g_pGameAppInstance ? g_pGameAppInstance->m_pEffectMsgBox : nullptr; }
bool MessageBoxShows() { return MessageBox() && MessageBox()->IsOpen(); }
void OpenMessageBox(int kind) {
    if (CEffect_MsgBox* box = MessageBox()) box->Add(kind);
}
bool AchievementBoardShows() {
    return g_pGameAppInstance && CPageGame::Shows(g_pGameAppInstance->m_pEffectNewAchievement);
}
void TickIf(CVxEffect* effect) {
    if (effect) effect->Tick();
}

}  // namespace

bool CPageGame::Shows(const CVxEffect* effect) { return effect && effect->m_aInstances[0].life > 0; }

// The hand of a stage without a card choice (or of a run with a fixed hand).
void CPageGame::FillHandWithoutChoice() {
    CGameApplication* app = g_pGameAppInstance;
    if (!m_vecFixedHand.empty()) {
        for (int i = 0; i < DECK_SLOTS; ++i) m_Battle.EmptyHandSlot(i);
        int next = 0;
        for (int card : m_vecFixedHand)
            if (next < m_Battle.State().m_nHandSlots && card >= 0 && card < ROBOT_TYPES)
                m_Battle.PutCardInHand(next++, card);
    } else {
        int next = 0;
        for (int i = 0; i < ROBOT_REMOVER && next < m_Battle.State().m_nHandSlots; ++i)
            if (g_CurrentProfile.m_abRobotUnlocked[i] == 1) m_Battle.PutCardInHand(next++, i);
    }
    m_Battle.ReadShownHandRecords();
    for (int i = 0; i < m_Battle.State().m_nHandSlots && i < DECK_SLOTS; ++i) {
        const int code = m_Battle.State().m_aHand[i].m_iCard;
        if (code >= 0) m_apHandPictures[i] = app ? app->m_apBbdCard[code] : nullptr;
    }
    ChooseHandAsItStands();
    if (!g_bLoaderRunning)
        if (auto* x = dynamic_cast<CVxXApplication*>(g_pApp)) x->StartStageLoaderThread();
    TakeLoadedHand();  // at once when the loader ran inline
}

void CPageGame::StepOpening() {
    CGameApplication* app = g_pGameAppInstance;
    if (m_Battle.State().m_iStateFrames == 0) {
        if (app && app->m_pEffectSwitchPage) app->m_pEffectSwitchPage->Add(-1);
        return;
    }
    if (!(app && Shows(app->m_pEffectSwitchPage))) EndShowing(BATTLE_INTRO);
}

void CPageGame::StepIntro() {
    const int stage = CurrentStage();
    CGameApplication* app = g_pGameAppInstance;
    if (m_Battle.State().m_iStateFrames == 0) {
        if (m_pEffectTextStage) m_pEffectTextStage->Add(0);
        return;
    }
    if (Shows(m_pEffectTextStage)) return;
    if (IsMiniGameStage(stage)) {
        if (!m_bMiniGameHowToShown) {
            if (app && m_pEffectHowToMiniGame) {
                app->m_bCaptureStill = true;
                app->m_bShowStill = false;
            }
            if (m_pEffectHowToMiniGame) m_pEffectHowToMiniGame->Add(0);
            m_bMiniGameHowToShown = true;
            return;
        }
        if (Shows(m_pEffectHowToMiniGame)) return;
        if (ModeOf(stage) == MiniGameMode::CapsuleSupply && !g_CurrentProfile.m_abHintShown[6]) OpenMessageBox(32);
        if (MessageBoxShows()) return;
        EndShowing(BATTLE_LOADING);
        return;
    }
    if ((stage - 1) % 10 == 0) {
        if (!m_abStateFlags[0]) {
            if (m_pEffectMapStory) m_pEffectMapStory->Add(0);
            m_abStateFlags[0] = true;
            return;
        }
        if (Shows(m_pEffectMapStory)) return;
        if (stage == 51 && g_CurrentProfile.m_iFurthestStage == 51 && !m_abStateFlags[1]) {
            OpenMessageBox(35);
            m_abStateFlags[1] = true;
            return;
        }
        if (GetStageEpisode(stage) == 3 && !m_abStateFlags[2]) {
            const int world = GetStageWorld(stage);
            if (world >= 1 && world <= 5) OpenMessageBox(35 + world);
            m_abStateFlags[2] = true;
            return;
        }
        if (Shows(m_pEffectMapStory) || MessageBoxShows()) return;
    }
    EndShowing(m_lstNewEnemies.empty() ? BATTLE_DECK_CHECK : BATTLE_NEW_ENEMIES);
}

void CPageGame::StepDeckCheck() {
    if (EngineFrame() < m_Battle.State().m_iStateEntryFrame + 60) return;
    const int stage = CurrentStage();
    const SaveProfile& p = g_CurrentProfile;
    if (m_vecFixedHand.empty() && HasMoreCardsThanSlots(m_Battle)) {
        const bool furthest = p.m_iFurthestStage == stage;
        if (furthest && stage == 8 && !p.m_abHintShown[0]) OpenMessageBox(18);
        if (furthest && stage == 21 && !p.m_abHintShown[7]) OpenMessageBox(33);
        if (furthest && stage == 41 && !m_abStateFlags[3]) {
            OpenMessageBox(34);
            m_abStateFlags[3] = true;
        }
        if (!MessageBoxShows()) EndShowing(BATTLE_CARD_SELECT);
        return;
    }
    EndShowing(BATTLE_LOADING);
    FillHandWithoutChoice();
}

void CPageGame::StepCardSelect() {
    CGameApplication* app = g_pGameAppInstance;
    const int stage = CurrentStage();
    const SaveProfile& p = g_CurrentProfile;
    const int k = EngineFrame() - m_Battle.State().m_iStateEntryFrame;
    switch (m_iCardChoiceStep) {
    case 0:
        if (k == 0 && app && app->m_pSndMsgBox && !app->m_pSndMsgBox->IsPlaying()) app->m_pSndMsgBox->Play();
        if (k < 45) {
            DrawCardChoice(float(45 - k) * 12.0f);
            return;
        }
        SetPartsPanelPosition(-320.0f, 350.0f);
        m_iCardChoiceStep = 1;
        if (!MessageBoxShows() && stage == p.m_iFurthestStage && stage == 10 && !m_abStateFlags[5]) {
            OpenMessageBox(21);
            m_abStateFlags[5] = true;
        } else if (!MessageBoxShows() && stage == p.m_iFurthestStage && stage == 12 && !m_abStateFlags[6]) {
            OpenMessageBox(22);
            m_abStateFlags[6] = true;
        } else if (!MessageBoxShows() && stage == p.m_iFurthestStage && stage == 13 && !m_abStateFlags[7]) {
            OpenMessageBox(24);
            m_abStateFlags[7] = true;
        } else if (!MessageBoxShows() && !p.m_abHintShown[1] && app && !app->m_vecLastDeck.empty()) {
            OpenMessageBox(19);
        } else if (!MessageBoxShows() && !p.m_abHintShown[2]) {
            bool later = false;
            for (int i = 19; i <= 38; ++i) later = later || p.m_abRobotUnlocked[i];
            if (later) OpenMessageBox(23);
        }
        return;
    case 1:
        // The card choice's input confirms the hand and starts the loader.
        m_Battle.ShowPartsPanel(300);
        // The field slides in for its preview and out again; the card screen follows it.
        if (!IsMiniGameStage(stage)) m_Battle.SlideFieldForPreview(m_bFieldPreview);
        break;
    case 2:
        m_Battle.ShowPartsPanel(0);
        if (k < 45) break;
        m_iCardChoiceStep = 3;
        EndShowing(m_Battle.State().m_iBattleState + 1);
        SetPartsPanelPosition(-125.0f, 350.0f);
        return;
    default: return;
    }
    const float preview = m_Battle.State().m_pStage && !IsMiniGameStage(stage)
                              ? (450.0f - m_Battle.State().m_pStage->m_fScrollX) * 1.5f
                              : 0.0f;
    const float offset = m_iCardChoiceStep == 0   ? float(45 - k) * 12.0f
                         : m_iCardChoiceStep == 2 ? float(k) * 12.0f
                                                  : preview;
    DrawCardChoice(offset);
}

void CPageGame::StepBegin() {
    if (m_Battle.State().m_iStateFrames == 0) {
        if (m_pEffectTextBegin) m_pEffectTextBegin->Add(0);
        return;
    }
    if (Shows(m_pEffectTextBegin)) return;
    EndShowing(m_Battle.State().m_iBattleState + 1);
    const int stage = CurrentStage();
    if (KindOf(stage) == StageKind::AdvanceRounds && g_CurrentProfile.m_iFurthestStage == stage) {
        if (g_pGameAppInstance) {
            g_pGameAppInstance->m_bCaptureStill = true;
            g_pGameAppInstance->m_bShowStill = false;
        }
        if (m_pEffectHowToPlay) m_pEffectHowToPlay->Add(2);
    }
}

// The remaining items are collected first (BattleFrame.cpp).
void CPageGame::StepReward() {
    if (!m_pEffectReward || m_pEffectReward->m_iRewardState != -1) return;
    if (IsFirstTutorialActive(m_Battle) && !m_Battle.State().m_Tutorial.IsStepDismissed()) return;
    const int stars = RecordRewardStars(m_Battle);
    if (m_pEffectSummary) m_pEffectSummary->m_iStars = stars;
    EndShowing(m_Battle.State().m_iBattleState + 1);
}

void CPageGame::StepResult() {
    const bool won = m_Battle.State().m_iLife > 0;
    if (m_Battle.State().m_iStateFrames == 0) {
        if (m_pEffectTextEnd) m_pEffectTextEnd->Add(won ? 1 : 0);
        PlayEndMusic(won);
        RecordStageEnd(m_Battle, m_pEffectSummary ? m_pEffectSummary->m_iStars : 0);
        m_Battle.ShowPartsPanel(0);
        return;
    }
    if (Shows(m_pEffectTextEnd)) return;
    CountWonStageAchievements(m_Battle);
    if (won && (!m_mapNewRobots.empty() || m_pUnlockPicture)) EndShowing(BATTLE_UNLOCKS);
    else EndShowing(AchievementBoardShows() ? BATTLE_ACHIEVEMENT : BATTLE_SUMMARY);
}

void CPageGame::StepUnlocks() {
    if (!m_mapNewRobots.empty()) {
        if (m_Battle.State().m_iStateFrames == 0) {
            if (m_pEffectNewRobot) m_pEffectNewRobot->Start(0, 0);
            return;
        }
        if (m_itNewRobot != m_mapNewRobots.end()) return;
    } else if (m_pUnlockPicture) {
        if (m_Battle.State().m_iStateFrames == 0) {
            if (m_pEffectUnlocked) m_pEffectUnlocked->Start(0, 0);
            return;
        }
        if (Shows(m_pEffectUnlocked)) return;
    }
    EndShowing(AchievementBoardShows() ? BATTLE_ACHIEVEMENT : BATTLE_SUMMARY);
}

void CPageGame::StepAchievement() {
    if (m_Battle.State().m_iStateFrames > 0 && !AchievementBoardShows()) EndShowing(BATTLE_SUMMARY);
}

void CPageGame::StepSummary() {
    if (m_Battle.State().m_iStateFrames == 0) {
        if (m_pEffectSummary) m_pEffectSummary->Start(0, m_Battle.State().m_iLife > 0 ? 1 : 0);
        SetPartsPanelPosition(-320.0f, 350.0f);
    }
    m_Battle.ShowPartsPanel(300);
}

namespace {

// The page's steps between the rules of a battle frame (BattleFrame.h).
class PageFrameSteps final : public BattleFrameSteps {
public:
    explicit PageFrameSteps(CPageGame& page) : m_Page(page) {}

    void FieldDone() override;
    bool HudShows() override { return g_pGameAppInstance && !g_bLoaderRunning && !m_Page.m_bHudHidden; }
    void ShowHud() override { m_Page.DrawHud(); }
    void HudDone() override {
        if (ModeOf(CurrentStage()) == MiniGameMode::Climb) m_Page.DrawRobotsAboveScreen();
    }
    void ShowPartsPanel() override { m_Page.DrawPartsPanel(); }
    void StateBegins(int state) override { m_Page.BeginState(state); }
    void StateShown(int state) override;
    HandFrame ShowHandCards() override { return m_Page.DrawHandCards(); }
    void HandCharged(const HandFrame& hand) override {
        m_Page.DrawRemoverCard(hand);
        if (m_Page.m_Battle.State().m_iBattleState <= BATTLE_PLAYING) TickIf(m_Page.m_pEffectCardFull);
    }
    void HoldCarriedCard() override { m_Page.HoldCarriedCardAt(m_Page.CursorPoint()); }
    void ShowCarriedCard(int ghost) override { m_Page.DrawCarriedPreview(ghost); }
    // 167's jumper bobs on the start line; the arrow over it follows what it did.
    void JumperBobs() override { m_Page.m_bJumperWaited = m_Page.m_Battle.State().m_iJumpCount == 0; }
    void JumperBobbed() override { m_Page.DrawMiniGameHud(); }
    void TutorialAsked() override { m_Page.DrawCardFlights(); }
    void ItemFlightsFlown() override {
        TickIf(m_Page.m_pEffectItemTransToInterface);
        TickIf(m_Page.m_pEffectItemFadeDisappear);
        TickIf(m_Page.m_pEffectItemAmount);
        TickIf(m_Page.m_pEffectRemover);
    }
    void ParatroopersDropped() override { TickIf(m_Page.m_pEffectParatrooper); }
    void MeteorsFall() override { TickIf(m_Page.m_pEffectMeteorEnemy); }
    void MeteorsFlown() override { TickIf(m_Page.m_pEffectCopterEnemyFadeOut); }
    void ThrownRobotsFlown() override;
    void TutorialStepped() override;
    void FrameShown() override;

private:
    CPageGame& m_Page;
};

void PageFrameSteps::FieldDone() {
    if (g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    m_Page.TakeLoadedHand();
    if (CVxSound* sound = m_Page.m_pSfxMoveCard) {
        if (m_Page.m_bCardMoving) {
            if (!sound->IsPlaying()) sound->Play();
        } else if (sound->IsPlaying()) {
            sound->Stop();
        }
    }
}

void PageFrameSteps::StateShown(int state) {
    m_Page.ShowState(state);
    if (m_Page.m_Battle.State().m_iBattleState <= BATTLE_PLAYING) m_Page.m_iShownLife = m_Page.m_Battle.State().m_iLife;
}

void PageFrameSteps::ThrownRobotsFlown() {
    CPageGame& p = m_Page;
    CGameApplication* app = g_pGameAppInstance;
    TickIf(p.m_pEffectRobotJumpOut);
    TickIf(p.m_pEffectFontInstruction);
    TickIf(p.m_pEffectTextWave);
    // The life-loss notice lives its own time in every state, so the last
    // hearts' loss still shows over the result.
    TickIf(p.m_pEffectHeartDecreased);
    TickIf(p.m_pEffectNewAchievementInGame);
    TickIf(p.m_pEffectTextStage);
    TickIf(p.m_pEffectTextBegin);
    if (app) TickIf(app->m_pEffectBlackScreen);
    TickIf(p.m_pEffectMapStory);
    const int capsule = p.m_pEffectReward ? p.m_pEffectReward->m_iRewardState : -1;
    TickIf(p.m_pEffectReward);
    if (capsule == 0 && p.m_pEffectReward->m_iRewardState == 1) p.ApplyCommand(TutorialCapsule{false});
}

void PageFrameSteps::TutorialStepped() {
    CPageGame& p = m_Page;
    CGameApplication* app = g_pGameAppInstance;
    TickIf(p.m_pEffectTutorials);
    TickIf(p.m_pEffectTextEnd);
    const bool capturePending = app && app->m_bCaptureStill && !app->m_bShowStill;
    if (!capturePending) {
        TickIf(p.m_pEffectNewEnemy);
        TickIf(p.m_pEffectNewRobot);
        TickIf(p.m_pEffectUnlocked);
        TickIf(p.m_pEffectSummary);
    }
}

void PageFrameSteps::FrameShown() {
    CGameApplication* app = g_pGameAppInstance;
    const bool capturePending = app && app->m_bCaptureStill && !app->m_bShowStill;
    if (!capturePending && app) {
        if (m_Page.m_Battle.State().m_iBattleState == BATTLE_ACHIEVEMENT) TickIf(app->m_pEffectNewAchievement);
        TickIf(app->m_pEffectTouch);
    }
    CEffect_MsgBox* box = MessageBox();
    if (box && box->m_bPauseDeferred && m_Page.m_Battle.State().m_iBattleState == BATTLE_PLAYING && app) {
        app->OnDeactivate();
        box->m_bPauseDeferred = false;
        if (m_Page.m_pSfxReadyCount) m_Page.m_pSfxReadyCount->Stop();
        if (m_Page.m_pSfxStart) m_Page.m_pSfxStart->Stop();
    }
    TickIf(box);
    if (m_Page.m_bDebugView) m_Page.DrawDebugStats();
}

}  // namespace

// Before the rules of the state: the reward board opens on the state's first frame.
void CPageGame::BeginState(int state) {
    if (state == BATTLE_REWARD && m_Battle.State().m_iStateFrames == 0 && m_pEffectReward) m_pEffectReward->Add(0);
}

// After them: the captions and boards the state the frame began in waits for.
void CPageGame::ShowState(int state) {
    switch (state) {
    case BATTLE_OPENING: StepOpening(); break;
    case BATTLE_INTRO: StepIntro(); break;
    case BATTLE_NEW_ENEMIES:
        if (m_Battle.State().m_iStateFrames == 0) {
            if (m_pEffectNewEnemy) m_pEffectNewEnemy->Start(0, 0);
        } else if (m_itNewEnemy == m_lstNewEnemies.end()) {
            EndShowing(BATTLE_DECK_CHECK);
        }
        break;
    case BATTLE_DECK_CHECK: StepDeckCheck(); break;
    case BATTLE_CARD_SELECT: StepCardSelect(); break;
    case BATTLE_BEGIN: StepBegin(); break;
    case BATTLE_REWARD: StepReward(); break;
    case BATTLE_RESULT: StepResult(); break;
    case BATTLE_UNLOCKS: StepUnlocks(); break;
    case BATTLE_ACHIEVEMENT: StepAchievement(); break;
    case BATTLE_SUMMARY: StepSummary(); break;
    default: break;
    }
}

int CPageGame::RunBattleStates() {
    if (g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    PageFrameSteps steps(*this);
    RunFrameRoad(steps);
    return 0;
}
