#pragma once
// The game's one modal dialog. Every page opens it by kind number (Add with
// the kind); it slides down over the dimmed scene, shows its title, text,
// pictures and one of a fixed set of button layouts, acts on the answer and
// slides away again, or slides out and back in as another kind.
#include <list>

#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"
#include "game/MsgBoxKinds.h"

class CVxBillboard;
class CVxButton;
class CGameApplication;

// Where the box starts and how fast it moves, in logical pixels.
constexpr int MSGBOX_SLIDE_START = 560;
constexpr int MSGBOX_SLIDE_STEP = 20;
// Render-target slot that keeps the box's still part.
constexpr int MSGBOX_PICTURE_SLOT = 3;
// Buttons not in the shown layout wait here.
constexpr float MSGBOX_OFF_SCREEN = 9999.0f;

class CEffect_MsgBox : public CVxEffect {
public:
    CEffect_MsgBox();
    ~CEffect_MsgBox() override;

    void OnStart(int index) override;
    void OnFrame(int index) override { Draw(index); }
    void Draw(int index);
    // Once a frame from the input handlers of the pages that show the box.
    void HandleClick();
    // Slides out with no kind to follow.
    void Close();
    // Slides out and back in as kind (-1: out only, without undimming).
    void SwitchTo(int kind);

    bool IsOpen() const { return m_aInstances[0].life > 0; }
    // Where the box stands above its rest place.
    float SlideY() const { return m_vSlideOffset.y; }

    CVxButton* m_pBtnOK = nullptr;
    CVxButton* m_pBtnCancel = nullptr;
    CVxButton* m_pBtnRestart = nullptr;
    CVxButton* m_pBtnResume = nullptr;
    CVxButton* m_pBtnMenu = nullptr;
    CVxButton* m_pBtnHelp = nullptr;
    CVxButton* m_pBtnOption = nullptr;
    CVxButton* m_pBtnExit = nullptr;
    CVxButton* m_apSliderKnob[2] = {};
    CVxButton* m_pBtnSoundOff = nullptr;
    CVxButton* m_pBtnSoundOn = nullptr;
    CVxButton* m_pBtnFullScreenOff = nullptr;
    CVxButton* m_pBtnFullScreenOn = nullptr;
    int m_bSwitching = 0;
    VxVec3 m_vSlideOffset;
    int m_iShownKind = -1;
    int m_iLastClosedKind = -1;
    bool m_bContinueAnswered = false;
    int m_bPlayOpenSound = 1;
    int m_aiSliderValue[2] = {};
    int m_iGrabbedSlider = -1;
    std::list<int> m_lstPendingWarnings;
    bool m_bPictureCached = false;
    bool m_bEndOfEpisodePending = false;
    bool m_bPauseDeferred = false;

    // The volume slider's bar and fill, cut from the interface sheet.
    CVxBillboard* m_pBbdSliderBar = nullptr;
    CVxBillboard* m_pBbdSliderFill = nullptr;

private:
    void DrawStatic(float x, float y);
    void DrawKindPictures(CGameApplication& app, int kind, float x, float y);
    void DrawBody(CGameApplication& app, int kind, float x, float y);
    void DrawLayout(CGameApplication& app, int kind);
    void DrawSliders(CGameApplication& app);
    void FinishSwitch();
    void DropAtPageSwitch();
    void AfterClose(int closedKind, int shownKind);
    bool InputAllowed(CGameApplication& app) const;
    void HandleSliders(CGameApplication& app);
    void TakeSliderValuesFromLevels();
    float SliderWidth() const;
    void MakeSliderStrips(CGameApplication& app);
    void PlaceButton(CVxButton* button, float x, float y);

    // Answers.
    void AnswerOK();
    void AnswerCancel();
    void AnswerRestart();
    void AnswerResume();
    void AnswerMenu();
    void AnswerHelp();
    void AnswerOption();
    void AnswerExit();
    void AnswerSoundButton();
    void AnswerScreenButton();
    void AnswerPlainOK(int kind);
    void LeaveBattle(int kind);
    void AnswerContinue(bool ok);
    void ClickSound();

    CVxButton* m_apPictureButtons[12] = {};
    bool m_bStripsMade = false;
};

// The slider position of a sound level and back.
int SliderValueOfLevel(int level);
int LevelOfSliderValue(int value);
