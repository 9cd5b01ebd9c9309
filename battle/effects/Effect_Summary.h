#pragma once
// The end-of-stage board of the battle page: it slides down, counts up the
// robots lost and the Machines destroyed, shows the result and the stars,
// and offers Menu, Replay and Next. Record 0's kind is 1 for a won stage.
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CVxBillboard;
class CVxButton;

class CEffect_Summary : public CVxEffect, public BattleViewer {
public:
    CEffect_Summary();
    void OnStart(int index) override;
    void OnFrame(int index) override;
    // Once every input frame of the summary state: the player's choice.
    void HandleClick();

    // Open with a won result and the player has not picked next, retry or menu yet.
    bool IsWonAwaitingChoice() const {
        return m_aInstances[0].life > 0 && m_aInstances[0].kind == 1 && m_iBoardState == 0;
    }
    // The Next button is drawn and takes clicks.
    bool NextOffered() const;

    int m_iBoardState = 0;  // 0 coming in or waiting, 1 leaving after a choice
    VxVec3 m_vStartPos{0.0f, 560.0f, 0.0f};
    VxVec3 m_vPos{0.0f, 0.0f, 0.0f};
    bool m_bCounting = false;
    int m_iCountStartAge = 0;
    CVxButton* m_pBtnMenu = nullptr;
    CVxButton* m_pBtnReplay = nullptr;
    CVxButton* m_pBtnNext = nullptr;
    int m_iNextStage = 1;
    int m_iStars = 0;  // 0 to 3, set by the battle before the board starts
    bool m_bSwitchStarted = false;
    int m_iSwitchCode = -1;
    bool m_bLabUnlockedAtStart = false;
    bool m_bUpgradeLabUnlockedAtStart = false;
    // Episodes 1 to 3 were finished before this battle.
    bool m_abEpisodeDoneAtStart[3] = {};
    bool m_bBoardDrawn = false;
    // How often the static board was drawn into its render target.
    int m_nBoardRenders = 0;

private:
    void GiveButtonsFaces();
    void MakeTitleWords();
    void DrawBoard(float x, float y);
    void DrawCounts(int f);
    void DrawTitleAndStars(int f);
    void Leave();

    CVxBillboard* m_apTitleWord[2] = {};  // A, B of the stage sheet
    bool m_bButtonsHaveFaces = false;
};
