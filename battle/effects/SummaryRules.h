#pragma once
// The summary board's timing and the choice of the page after a stage, kept
// apart from the drawing so that they can be asked frame by frame.
struct SaveProfile;

constexpr int SUMMARY_START_Y = 560;
constexpr int SUMMARY_SLIDE_STEP = 20;
constexpr int SUMMARY_COUNT_FRAMES = 20;
// Render-target slot that keeps the summary's static board.
constexpr int SUMMARY_BOARD_SLOT = 2;

// A counter's shown value f frames after the count began.
int SummaryShownValue(int total, int f);
// The result title's size factor at f, or 0 while it is not drawn yet.
float SummaryTitleScale(int f);

// Star i at f: the star's size factor (0 not drawn yet), the burst behind it,
// and whether its sound starts this frame.
struct SummaryStarLook {
    float starScale = 0.0f;
    bool burst = false;
    float burstScale = 0.0f;
    float burstAlpha = 0.0f;
    bool sound = false;
};
SummaryStarLook SummaryStarAt(int f, int i);

// The Next button is offered after a won stage not started from the mini-game list.
bool SummaryNextOffered(bool won, int returnSubScreen);

// What follows once the board has left: a message box kind (25, 26, 28, 29)
// or 0 for the page switch.
struct SummaryLeaveFacts {
    bool labAtStart, labNow, upgradeLabAtStart, upgradeLabNow;
    int easyWinStreak, lossStreak;
    bool tooEasyShown, tooHardShown;
    int switchCode;
};
int SummaryLeaveBox(const SummaryLeaveFacts& facts);

enum SummaryButton { SUMMARY_MENU, SUMMARY_REPLAY, SUMMARY_NEXT };

// The application's menu return fields the choice reads and changes.
struct NextPageFields {
    int returnSubScreen;
    bool returnFromBattle;
    int mapToAnnounce;
    bool endOfEpisodePending;
};
struct NextPageChoice {
    int switchCode;
    int nextStage;
};
// The story page's ending (its sub-screen 1, page 2): where the first win
// of an episode's last stage leads.
constexpr int ENDING_SWITCH_CODE = 1 * 10 + 2;
// The episode (1 to 3) whose last stage `stage` is, else 0.
int FinaleEpisode(int stage);
// The page-switch code and stage that a button leads to after `stage`;
// `episodeJustFinished`: this win finished the episode for the first time.
NextPageChoice DecideNextPage(SummaryButton button, int stage, const SaveProfile& profile, NextPageFields& fields,
                              bool episodeJustFinished);
