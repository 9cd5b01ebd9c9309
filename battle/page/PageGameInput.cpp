// The battle's input, once a frame: pop-ups first in their fixed order, then
// Escape and the pause button, the tutorial gate, the hand (pick, carry,
// place, cancel) and the field. A card is placed either by a second click on
// a cell or by dragging it there for more than 10 frames. The player's acts
// on the battle become commands the model applies.
#include <cmath>

#include "battle/effects/Effect_FontInstruction.h"
#include "battle/effects/Effect_HowToMiniGame.h"
#include "battle/effects/Effect_HowToPlay.h"
#include "battle/effects/Effect_MapStory.h"
#include "battle/effects/Effect_Paratrooper.h"
#include "battle/effects/Effect_Reward.h"
#include "battle/effects/Effect_Summary.h"
#include "battle/effects/Effect_Unlocked.h"
#include "battle/page/PageGame.h"

#include "battle/model/SkyDrops.h"
#include "battle/model/TutorialRules.h"
#include "battle/units/GameItem.h"
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

void CPageGame::CancelCarriedCard() { ApplyCommand(CancelCard{}); }

CPageGame::FrameInput CPageGame::ReadFrameInput() const {
    FrameInput f;
    if (!g_pApp) return f;
    const InputRecord& in = g_pApp->m_aInput[0];
    f.at = CursorPoint();
    f.left = in.m_aiKey[MOUSE_LEFT];
    f.right = in.m_aiKey[MOUSE_RIGHT];
    return f;
}

bool CPageGame::ApplyCommand(const BattleCommand& command) {
    if (!Apply(m_Battle, command)) return false;
    // A hand card's trail starts afresh; the Remover Bot keeps the old one.
    if (const auto* pick = std::get_if<PickCard>(&command))
        if (pick->slot != REMOVER_SLOT)
            for (VxVec3& p : g_avPositionTrail) p = VxVec3{-10000.0f, -10000.0f, 0.0f};
    return true;
}

void CPageGame::ApplySourceCommands() {
    if (!m_pCommandSource) return;
    std::vector<BattleCommand> due;
    m_pCommandSource->Take(m_Battle, due);
    for (const BattleCommand& c : due) ApplyCommand(c);
}

void CPageGame::ShowBattleButtons() {
    // The page draws and runs its buttons: only those of the current screen show.
    const bool choosing = m_Battle.State().m_iBattleState == BATTLE_CARD_SELECT;
    for (CVxButton* b : {m_pStartButton, m_pBackButton, m_pPreviewButton})
        if (b) b->m_bVisible = choosing;
    if (m_pPauseButton)
        m_pPauseButton->m_bVisible = m_Battle.State().m_iBattleState >= BATTLE_LOADING &&
                                     m_Battle.State().m_iBattleState <= BATTLE_RESULT && !m_bHudHidden;
}

bool CPageGame::HandleExitInput(const FrameInput& input) {
    CGameApplication* app = g_pGameAppInstance;
    // 1. A placement message goes as soon as no card is carried.
    if (m_Battle.State().m_iBattleState == BATTLE_PLAYING && m_Battle.State().m_iCarriedCard < 0 &&
        !IsMiniGameStage(CurrentStage()) && m_pEffectFontInstruction)
        m_pEffectFontInstruction->Clear(0);
    // 2. The window's close button asks to leave, when nothing is in the way.
    CEffect_Exit* exitBox = app->m_pEffectExit;
    if (exitBox && exitBox->m_bRequested && m_Battle.State().m_iBattleState != BATTLE_BEGIN &&
        m_Battle.State().m_iBattleState != BATTLE_RESULT && !g_bLoaderRunning && PopupsLetExitBoxOpen())
        exitBox->OpenOnRequest();
    // 3. The exit box takes everything while it shows.
    if (app->m_pEffectExit && app->m_pEffectExit->IsOpen()) {
        app->m_pEffectExit->HandleClick();
        return true;
    }
    // 4. The click mark.
    if (m_iSubScreen == 0 && m_Battle.State().m_iCarriedCard < 0 && (input.left & KEY_HELD) && app->m_pEffectTouch)
        app->m_pEffectTouch->Add(1, input.at.x, input.at.y, input.at.z);
    return false;
}

void CPageGame::HandleBoardInput() {
    CGameApplication* app = g_pGameAppInstance;
    // 5. Story and discovery pop-ups, each in its state.
    if (m_pEffectMapStory && Shows(m_pEffectMapStory)) m_pEffectMapStory->HandleClick();
    if (m_Battle.State().m_iBattleState == BATTLE_ACHIEVEMENT && app->m_pEffectNewAchievement)
        app->m_pEffectNewAchievement->HandleClick();
    if (m_Battle.State().m_iBattleState == BATTLE_NEW_ENEMIES && m_pEffectNewEnemy) m_pEffectNewEnemy->HandleClick();
    if (m_Battle.State().m_iBattleState == BATTLE_UNLOCKS) {
        if (!m_mapNewRobots.empty()) {
            if (m_pEffectNewRobot) m_pEffectNewRobot->HandleClick();
        } else if (m_pUnlockPicture && m_pEffectUnlocked) {
            m_pEffectUnlocked->HandleClick();
        }
    }
    // 6. Escape pauses the battle. The boards above may have used the key.
    CEffect_MsgBox* box = app->m_pEffectMsgBox;
    const bool boxShows = box && box->IsOpen();
    const bool howTo = Shows(m_pEffectHowToPlay) || Shows(m_pEffectHowToMiniGame);
    InputRecord& in = g_pApp->m_aInput[0];
    if (!boxShows && !howTo && (in.m_aiKey[VK_ESC] & KEY_RELEASED)) {
        Consume(in, VK_ESC);
        if (m_Battle.State().m_iBattleState == BATTLE_PLAYING) {
            if (!app->m_pResourceManager || !app->m_pResourceManager->m_bSoundsPaused) app->PauseAllSounds();
            if (!app->m_bCaptureStill && !app->m_bShowStill) {
                app->m_bCaptureStill = true;
                app->m_bShowStill = false;
            }
            if (box) box->Add(MSGBOX_PAUSE);
            ApplyCommand(PutDownForPause{});
        }
    }
    // 7. The message box.
    if (box) box->HandleClick();
}

void CPageGame::HandleStillInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (Shows(m_pEffectHowToMiniGame))
        if (auto* howTo = dynamic_cast<CEffect_HowToMiniGame*>(m_pEffectHowToMiniGame)) howTo->HandleClick();
    InputRecord& in = g_pApp->m_aInput[0];
    if (Shows(m_pEffectHowToPlay) && (in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) {
        Consume(in, MOUSE_LEFT);
        if (app->m_pResourceManager && app->m_pResourceManager->m_bSoundsPaused) app->ResumeAllSounds();
        m_pEffectHowToPlay->Clear(0);
        app->m_bCaptureStill = app->m_bShowStill = false;
        RestartSound(app->m_pSndBtnClick);
    }
}

void CPageGame::HandleBattleInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !g_pApp) return;
    const FrameInput input = ReadFrameInput();
    ShowBattleButtons();
    if (HandleExitInput(input)) return;
    HandleBoardInput();
    // 8. The card choice.
    CEffect_MsgBox* box = app->m_pEffectMsgBox;
    const bool switching = app->m_pEffectSwitchPage && Shows(app->m_pEffectSwitchPage);
    if (m_iSubScreen == 0 && m_Battle.State().m_iBattleState == BATTLE_CARD_SELECT && m_iCardChoiceStep == 1 &&
        !switching && !(box && box->IsOpen())) {
        HandleCardChoiceInput();
        return;
    }
    // 9. A still shows: a pause or a how-to. 10. The battle itself.
    if (app->m_bShowStill) HandleStillInput();
    else if (m_Battle.State().m_iBattleState == BATTLE_PLAYING && !app->m_bCaptureStill) HandlePlayingInput();
    // 11. Boards of the end of the battle.
    if (m_Battle.State().m_iBattleState == BATTLE_REWARD) {
        if (m_pEffectReward && m_pEffectReward->HandleClick()) ApplyCommand(TutorialCapsule{true});
        ClickTutorial();
    }
    if (m_Battle.State().m_iBattleState == BATTLE_SUMMARY && m_pEffectSummary) m_pEffectSummary->HandleClick();
}

void CPageGame::ClickTutorial() {
    if (g_pApp && (g_pApp->m_aInput[0].m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) ApplyCommand(ContinueTutorial{});
}

bool CPageGame::HandleTutorialAndPause() {
    CGameApplication* app = g_pGameAppInstance;
    if (TutorialRuns(m_Battle)) {
        ClickTutorial();
        if (TutorialHoldsInput(m_Battle)) return true;
    }
    if (m_pPauseButton && m_pPauseButton->TakeClick()) {
        app->PauseAllSounds();
        app->m_bCaptureStill = true;
        app->m_bShowStill = false;
        if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->Add(MSGBOX_PAUSE);
        ApplyCommand(PutDownForPause{});
        return true;
    }
    return false;
}

namespace {

// The page's reading of the input between the input's rules (BattleFrame.h).
class PagePlayInput final : public PlayInputSteps {
public:
    explicit PagePlayInput(CPageGame& page) : m_Page(page) {}

    void CutParachutes() override;
    void PlayerActs() override;

private:
    CPageGame& m_Page;
    CPageGame::FrameInput m_Input;
};

void PagePlayInput::CutParachutes() {
    CPageGame& p = m_Page;
    // The pop-ups took their clicks from the record; the battle reads what they left.
    m_Input = p.ReadFrameInput();
    // The cursor over the hand panel dismisses a placement refusal.
    if (p.m_pEffectFontInstruction && m_Input.at.y < -200.0f) {
        const int kind = p.m_pEffectFontInstruction->CurrentKind();
        if (kind == FI_TERRAIN || IsFontInstructionKind6To11(kind)) p.m_pEffectFontInstruction->Clear(0);
    }
    // 177: a press on a hanging robot cuts its parachute and is spent there.
    if (!p.m_pCommandSource && (m_Input.left & KEY_PRESSED)) {
        const int record = ParachuteAt(p.m_Battle, m_Input.at.x, m_Input.at.y);
        if (record >= 0 && p.ApplyCommand(CutParachute{record})) {
            g_pApp->m_aInput[0].m_aiKey[MOUSE_LEFT] &= ~KEY_PRESSED;
            m_Input = p.ReadFrameInput();
        }
    }
}

void PagePlayInput::PlayerActs() {
    CPageGame& p = m_Page;
    if (p.m_Battle.State().m_iCarriedCard < 0) {
        p.ApplySourceCommands();
        p.HandleHandInput(m_Input);
    } else if (p.m_Battle.State().m_iRelocatingRobot == -1) {
        p.ApplySourceCommands();
        p.HandleCarriedInput(m_Input);
    }
    p.HandleMiniGameInput();
}

}  // namespace

void CPageGame::HandlePlayingInput() {
    if (HandleTutorialAndPause()) return;
    PagePlayInput steps(*this);
    RunPlayInput(m_Battle, steps);
}

void CPageGame::HandleHandInput(FrameInput& input) {
    if (m_Battle.State().m_iCarriedCard >= 0) return;
    if (!IsSlotMachineStage(CurrentStage())) {
        for (int i = 0; i < m_Battle.State().m_nHandSlots && i < DECK_SLOTS; ++i) {
            CVxButton* b = m_apHandButtons[i];
            if (!b || m_Battle.State().m_aHand[i].m_iCard < 0 || !b->TakePress()) continue;
            input.left &= ~KEY_PRESSED;
            if (!m_Battle.CardReady(i)) {
                if (g_pGameAppInstance) RestartSound(g_pGameAppInstance->m_pSndError);
                break;
            }
            ApplyCommand(PickCard{i});
            break;
        }
    }
    if (m_Battle.State().m_iCarriedCard < 0 && m_pRemoverButton && m_pRemoverButton->TakePress()) {
        input.left &= ~KEY_PRESSED;
        ApplyCommand(PickCard{REMOVER_SLOT});
    }
    if (m_Battle.State().m_iCarriedCard < 0 && (input.left & KEY_PRESSED)) ClickField(input);
}

void CPageGame::ClickField(FrameInput& input) {
    // The item nearest the end of the list under the cursor; one already
    // collected has a wider reach.
    const CCom_GameItem* hit = nullptr;
    for (auto it = m_Battle.State().m_lstItems.rbegin(); it != m_Battle.State().m_lstItems.rend() && !hit; ++it) {
        const float dx = it->m_vPosition.x - input.at.x, dy = it->m_vPosition.y - input.at.y;
        const float reach = it->m_bCollected ? 65.0f : 50.0f;
        if (std::sqrt(dx * dx + dy * dy) < reach) hit = &*it;
    }
    if (!hit) return;
    g_pApp->m_aInput[0].m_aiKey[MOUSE_LEFT] &= ~KEY_PRESSED;
    input.left &= ~KEY_PRESSED;
    ApplyCommand(CollectItem{hit->m_iSerial});
}

void CPageGame::HandleCarriedInput(FrameInput& input) {
    if (m_Battle.State().m_iCarriedCard < 0) return;
    InputRecord& in = g_pApp->m_aInput[0];
    if (input.left & KEY_RELEASED) {
        Consume(in, MOUSE_LEFT);
        input.left = 0;
        HoldCarriedCardAt(input.at);
        // The cell is judged first: a refusal shows its message even on a
        // release too early to place.
        PlacementVerdict why;
        const int cell = m_Battle.HeldCardCell(&why);
        ShowPlacementRefusal(why);
        const bool placing = cell >= 0 && m_Battle.State().m_iCarriedFrames > 10;
        bool placed = false;
        if (placing && m_Battle.State().m_iCarriedCard == REMOVER_SLOT) placed = ApplyCommand(UseRemover{cell});
        else if (placing) placed = ApplyCommand(PlaceCard{m_Battle.State().m_iCarriedCard, cell});
        if (!placed) ApplyCommand(LetGoCard{});
    } else if (input.right & KEY_RELEASED) {
        Consume(in, MOUSE_RIGHT);
        input.right = 0;
        ApplyCommand(CancelCard{});
    }
}
