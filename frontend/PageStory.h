#pragma once
// Page 2: an episode's intro (a wide picture panning under eight captions)
// followed by the episode's title card, which starts the battle; and the
// ending built the same way, which returns to the menu's episode choice.
#include <vector>

#include "engine/VxMatrix.h"
#include "engine/VxPage.h"
#include "frontend/CreditRoll.h"

class CVxBillboard;
class CVxFont;
class CVxSound;

// The story page's sub-screens.
enum StoryScreen : int {
    STORY_INTRO = 0,
    STORY_ENDING = 1,
    STORY_TITLE = 2,
    STORY_CREDITS = 4,
};

// The caption sequence: a 15-frame opening, then eight captions of four
// segments each (fade in 60, stand 405, fade out 60, pause 60).
constexpr int STORY_SEGMENTS = 33;
constexpr int STORY_SEQUENCE_FRAMES = 4695;
// The whole sequence is drawn this much smaller than the window.
constexpr float STORY_CAMERA_ZOOM = 1.3f;
// The title card's eleven phases add up to this many frames.
constexpr int TITLE_CARD_FRAMES = 1470;

// Where frame t of the caption sequence falls: segment 0 to 32 and the frame
// within it; segment STORY_NO_SEGMENT (frame 0) once the sequence is over.
constexpr int STORY_NO_SEGMENT = 10000;
struct StorySegment {
    int segment;
    int frame;
};
StorySegment FindStorySegment(int t);
// Fade level of the Skip label in that segment.
float SkipLabelAlpha(const StorySegment& s);
// The caption shown in a segment (1 to 8, 0 none) and its alpha.
int SegmentCaption(const StorySegment& s, float& alpha);

// The Skip label's hit box in logical pixels, centre origin, y up: the label
// as drawn at (515, 396) under the zoomed camera on the 880 × 640 screen.
struct SkipBox {
    float left, right, bottom, top;
};
constexpr SkipBox SKIP_BOX{367.0f, 425.0f, 288.0f, 321.0f};
// Strictly inside the box; the edges do not count.
bool InSkipBox(float x, float y);
// The Skip label's fade on the credits roll as its last line (at y) nears
// the top edge: 1 until 100 units below the edge, 0 from 50 below it.
float CreditsSkipAlpha(float lastLineY, int screenHeight);

class CPageStory : public CVxPage {
public:
    CPageStory() = default;

    int Load() override;
    int Unload() override;
    int Update() override;
    int HandleInput() override;

    void LoadScreen(int subScreen) override;
    void ReleaseScreen(int subScreen) override;
    int UpdateScreen(int subScreen) override;
    int RenderScreen(int subScreen) override;

    void LoadIntro();
    void UpdateIntro();
    void LoadEnding();
    void UpdateEnding();
    void LoadTitle();
    void UpdateTitle();
    // Ticks the page transition so the fade-in started by Load is drawn.
    void RenderFade();
    void GetIntroText(int caption, float alpha);
    void GetEndingText(int caption, float alpha);
    void DrawSkipLabel();
    // To the menu's episode choice.
    void LeaveStory();

    // The credits roll after the ending.
    void LoadCredits();
    void ReleaseCredits();
    void ResetCredits();
    void UpdateCredits();
    void AddCreditLine(const char* text, int style, bool gapBefore);

    // The stage the story leads to: the one the player chose (the
    // application's current stage), else the furthest one reached.
    static int StoryStage();
    static int StoryEpisode();
    // The furthest finished episode, 1 to 3.
    static int EndingEpisode();

    VxVec3 m_vSkipPos{515.0f, 396.0f, 0.0f};
    float m_fSkipAlpha = 0.0f;  // the label reacts only at exactly 1
    bool m_bSkipHover = false;
    CVxSound* m_pMusic = nullptr;              // owned by the page's manager; null after a battle
    CVxBillboard* m_pIntroPicture = nullptr;   // owned by the page's manager
    CVxBillboard* m_pEndingPicture = nullptr;  // owned by the page's manager, or null
    int m_iIntroFrame = 0;
    int m_iEndingFrame = 0;

    // Title card.
    CVxBillboard* m_pLogo = nullptr;       // owned by the page's manager
    CVxBillboard* m_pLogoLight = nullptr;  // owned by the page's manager
    int m_iTitleFrame = 0;

    // Credits.
    std::vector<CreditLine> m_aCreditLines;
    float m_fCreditsX = 0.0f;
    float m_fCreditsScroll = CREDITS_START_SCROLL;
    float m_fCreditsFade = 0.0f;

private:
    void RunCaptionSequence(bool ending);
    // Marks the story seen, saves and switches to the battle page.
    void StartBattle();
    void DrawCaption(const char* text, float alpha);
};
