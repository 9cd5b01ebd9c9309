// The battle's input, once a frame: pop-ups first in their fixed order, then
// Escape and the pause button, the tutorial gate, the hand (pick, carry,
// place, cancel) and the field. A card is placed either by a second click on
// a cell or by dragging it there for more than 10 frames.
#include "battle/effects/Effect_FontInstruction.h"
#include "battle/effects/Effect_HowToMiniGame.h"
#include "battle/effects/Effect_HowToPlay.h"
#include "battle/effects/Effect_MapStory.h"
#include "battle/effects/Effect_Paratrooper.h"
#include "battle/effects/Effect_Reward.h"
#include "battle/effects/Effect_Summary.h"
#include "battle/effects/Effect_Tutorials.h"
#include "battle/effects/Effect_Unlocked.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "engine/InputRecord.h"
#include "engine/VxButton.h"
#include "engine/VxSound.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "battle/effects/Effect_NewEnemy.h"
#include "battle/effects/Effect_NewRobot.h"
#include "game/Effect_SwitchPage.h"
#include "game/Effect_Touch.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"
#include "content/SaveProfile.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"

VxVec3 g_avPositionTrail[POSITION_TRAIL_POINTS];

namespace {

void Consume(InputRecord& in, int key) {
    in.m_aiKey[key] = 0;
    in.m_aiRepeat[key] = 0;
}

}  // namespace

void CPageGame::CancelCarriedCard() {
    m_iCarriedCard = -1;
    m_iCarriedFrames = 0;
    RestartSound(m_pSfxCardCancel);
    m_bCarriedFromCapsule = false;
}

void CPageGame::HandleBattleInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !g_pApp) return;
    InputRecord& in = g_pApp->m_aInput[0];
    const int stage = CurrentStage();
    const VxVec3 at = CursorPoint();
    CEffect_MsgBox* box = app->m_pEffectMsgBox;
    const bool boxShows = box && box->IsOpen();
    // The page draws and runs its buttons: only those of the current screen show.
    const bool choosing = m_iBattleState == BATTLE_CARD_SELECT;
    for (CVxButton* b : {m_pStartButton, m_pBackButton, m_pPreviewButton})
        if (b) b->m_bVisible = choosing;
    if (m_pPauseButton)
        m_pPauseButton->m_bVisible =
            m_iBattleState >= BATTLE_LOADING && m_iBattleState <= BATTLE_RESULT && !m_bHudHidden;

    // 1. A placement message goes as soon as no card is carried.
    if (m_iBattleState == BATTLE_PLAYING && m_iCarriedCard < 0 && stage <= 150 && m_pEffectFontInstruction)
        m_pEffectFontInstruction->Clear(0);

    // 2. The window's close button asks to leave, when nothing is in the way.
    CEffect_Exit* exitBox = app->m_pEffectExit;
    if (exitBox && exitBox->m_bRequested && m_iBattleState != BATTLE_BEGIN && m_iBattleState != BATTLE_RESULT &&
        !g_bLoaderRunning && PopupsLetExitBoxOpen())
        exitBox->OpenOnRequest();
    // 3. The exit box takes everything while it shows.
    if (app->m_pEffectExit && app->m_pEffectExit->IsOpen()) {
        app->m_pEffectExit->HandleClick();
        return;
    }
    // 4. The click mark.
    if (m_iSubScreen == 0 && m_iCarriedCard < 0 && (in.m_aiKey[MOUSE_LEFT] & KEY_HELD) && app->m_pEffectTouch)
        app->m_pEffectTouch->Add(1, at.x, at.y, at.z);
    // 5. Story and discovery pop-ups, each in its state.
    if (m_pEffectMapStory && Shows(m_pEffectMapStory)) m_pEffectMapStory->HandleClick();
    if (m_iBattleState == BATTLE_ACHIEVEMENT && app->m_pEffectNewAchievement)
        app->m_pEffectNewAchievement->HandleClick();
    if (m_iBattleState == BATTLE_NEW_ENEMIES && m_pEffectNewEnemy) m_pEffectNewEnemy->HandleClick();
    if (m_iBattleState == BATTLE_UNLOCKS) {
        if (!m_mapNewRobots.empty()) {
            if (m_pEffectNewRobot) m_pEffectNewRobot->HandleClick();
        } else if (m_pUnlockPicture && m_pEffectUnlocked) {
            m_pEffectUnlocked->HandleClick();
        }
    }
    // 6. Escape pauses the battle.
    const bool howTo = Shows(m_pEffectHowToPlay) || Shows(m_pEffectHowToMiniGame);
    if (!boxShows && !howTo && (in.m_aiKey[VK_ESC] & KEY_RELEASED)) {
        Consume(in, VK_ESC);
        if (m_iBattleState == BATTLE_PLAYING) {
            if (!app->m_pResourceManager || !app->m_pResourceManager->m_bSoundsPaused) app->PauseAllSounds();
            if (!app->m_bCaptureStill && !app->m_bShowStill) {
                app->m_bCaptureStill = true;
                app->m_bShowStill = false;
            }
            if (box) box->Add(MSGBOX_PAUSE);
            m_iCarriedCard = -1;
        }
    }
    // 7. The message box.
    if (box) box->HandleClick();
    // 8. The card choice.
    const bool switching = app->m_pEffectSwitchPage && Shows(app->m_pEffectSwitchPage);
    if (m_iSubScreen == 0 && m_iBattleState == BATTLE_CARD_SELECT && m_iCardChoiceStep == 1 && !switching &&
        !(box && box->IsOpen())) {
        HandleCardChoiceInput();
        return;
    }
    // 9. A still shows: a pause or a how-to.
    if (app->m_bShowStill) {
        if (Shows(m_pEffectHowToMiniGame))
            if (auto* howTo = dynamic_cast<CEffect_HowToMiniGame*>(m_pEffectHowToMiniGame)) howTo->HandleClick();
        if (Shows(m_pEffectHowToPlay) && (in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) {
            Consume(in, MOUSE_LEFT);
            if (app->m_pResourceManager && app->m_pResourceManager->m_bSoundsPaused) app->ResumeAllSounds();
            m_pEffectHowToPlay->Clear(0);
            app->m_bCaptureStill = app->m_bShowStill = false;
            RestartSound(app->m_pSndBtnClick);
        }
    } else if (m_iBattleState == BATTLE_PLAYING) {
        // 10. The battle itself.
        if (app->m_bCaptureStill) return;
        const bool firstTutorial = IsFirstTutorialActive();
        CEffect_Tutorials* tut = m_pEffectTutorials;
        if (tut && (firstTutorial || (g_CurrentProfile.m_iFurthestStage == 2 && IsSecondTutorialActive()))) {
            tut->HandleClick();
            const int s = tut->m_iStep;
            if (s != -1 && s != 15 && !tut->IsStepDismissed() && s <= 16 && !IsTutorialEventStep(s)) return;
        }
        if (m_pPauseButton && m_pPauseButton->TakeClick()) {
            app->PauseAllSounds();
            app->m_bCaptureStill = true;
            app->m_bShowStill = false;
            if (box) box->Add(MSGBOX_PAUSE);
            m_iCarriedCard = -1;
            return;
        }
        // The cursor over the hand panel dismisses a placement refusal.
        if (m_pEffectFontInstruction && at.y < -200.0f) {
            const int kind = m_pEffectFontInstruction->CurrentKind();
            if (kind == FI_TERRAIN || IsFontInstructionKind6To11(kind)) m_pEffectFontInstruction->Clear(0);
        }
        if (m_pEffectParatrooper) m_pEffectParatrooper->HandleClick();

        if (m_iCarriedCard < 0) {
            if (!IsSlotMachineStage(stage)) {
                for (int i = 0; i < m_nHandSlots && i < DECK_SLOTS; ++i) {
                    CVxButton* b = m_apHandButtons[i];
                    if (!b || m_aHand[i].m_iCard < 0 || !b->TakePress()) continue;
                    const UnitDefinition& d = m_aHandDefs[i];
                    if (m_aHand[i].m_iCharge != d.m_iRechargeTime || m_iEnergy < d.m_iEnergyCost) {
                        RestartSound(app->m_pSndError);
                        break;
                    }
                    if (firstTutorial && tut && tut->m_iStep >= 4 && tut->m_iStep <= 7 &&
                        m_aHand[i].m_iCard == RobotId::FusorBot)
                        break;
                    m_iCarriedCard = i;
                    for (VxVec3& p : g_avPositionTrail) p = VxVec3{-10000.0f, -10000.0f, 0.0f};
                    RestartSound(m_pSfxPickCard);
                    if (firstTutorial && tut && m_aHand[i].m_iCard == RobotId::FusorBot) tut->RequestStep(1);
                    break;
                }
            }
            if (m_iCarriedCard < 0 && m_pRemoverButton && m_pRemoverButton->TakePress()) {
                m_iCarriedCard = REMOVER_SLOT;
                RestartSound(m_pSfxPickCard);
            }
            if (m_iCarriedCard < 0 && (in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) HandleFieldClick();
        } else if (m_iRelocatingRobot == -1) {
            ++m_iCarriedFrames;
            if (in.m_aiKey[MOUSE_LEFT] & KEY_RELEASED) {
                Consume(in, MOUSE_LEFT);
                const int card = m_aHand[m_iCarriedCard].m_iCard;
                // The cell is tested first: a refusal shows its message even
                // on a release too early to place.
                if (CanPlaceCard(1) && m_iCarriedFrames > 10) {
                    PlaceCardRobot();
                    if (firstTutorial && tut) {
                        if (card == RobotId::FusorBot) tut->RequestStep(2);
                        else if (card == RobotId::GunnerBot) tut->RequestStep(8);
                    }
                    m_iCarriedCard = -1;
                    m_iCarriedFrames = 0;
                } else if (m_iCarriedFrames > 180 && (at.y > 256.0f || at.y < -160.0f)) {
                    CancelCarriedCard();
                }
            } else if (in.m_aiKey[MOUSE_RIGHT] & KEY_RELEASED) {
                Consume(in, MOUSE_RIGHT);
                CancelCarriedCard();
            }
        }
        HandleMiniGameInput();
    }
    // 11. Boards of the end of the battle.
    if (m_iBattleState == BATTLE_REWARD) {
        if (m_pEffectReward) m_pEffectReward->HandleClick();
        if (m_pEffectTutorials) m_pEffectTutorials->HandleClick();
    }
    if (m_iBattleState == BATTLE_SUMMARY && m_pEffectSummary) m_pEffectSummary->HandleClick();
}
