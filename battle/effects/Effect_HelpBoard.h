#pragma once
// A reading board that opens a battle: panel, title, a picture of the stage,
// a page of text that scrolls behind two glowing arrows, and OK. It slides
// down from above, waits, and slides back up on OK or Enter. The parts that
// do not change are kept in two render-target slots: the board in one, the
// text page (redrawn after each scroll step) in the other.
#include <string>

#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CVxBillboard;
class CVxButton;
class CVxFont;

constexpr int HELP_BOARD_SLOT = 0;
constexpr int HELP_TEXT_SLOT = 1;
constexpr int HELP_SLIDE_START = 560;
constexpr int HELP_SLIDE_STEP = 20;
constexpr float HELP_SCROLL_STEP = 15.0f;
constexpr float HELP_LINE_PITCH = 30.0f;
// The text window, relative to the board: a line shows while its y lies in (bottom, top].
constexpr float HELP_TEXT_TOP = 110.0f;
constexpr float HELP_TEXT_BOTTOM = -200.0f;

// Where a page of text lies and which way it can still scroll.
struct HelpPageLayout {
    bool canScrollUp = false;
    bool canScrollDown = false;
};

class CEffect_HelpBoard : public CVxEffect {
public:
    CEffect_HelpBoard();
    void OnStart(int index) override;
    void OnFrame(int index) override;
    // Every input frame while the board shows: scrolling and closing.
    void HandleClick();

    // Draws the page's lines that fall in the window of the board at (x, y),
    // pen at (x + penX, y + 100 + scroll); the layout tells which way more lines lie.
    static HelpPageLayout DrawTextPage(const std::string& text, float x, float y, CVxFont* font, float scroll,
                                       float penX, int wrapWidth);

    CVxBillboard* m_pPanel = nullptr;    // shared, not owned
    CVxBillboard* m_pPicture = nullptr;  // own, made at the first showing
    CVxButton* m_pBtnOK = nullptr;
    CVxBillboard* m_apArrowPicture[2] = {};  // shared glow arrows: 0 up, 1 down
    CVxButton* m_apArrowButton[2] = {};      // hit areas only, sized to the arrows
    float m_fScroll = 0.0f;
    int m_iBoardState = 0;  // 0 opening or shown, 1 closing
    VxVec3 m_vPos{0.0f, float(HELP_SLIDE_START), 0.0f};
    bool m_bCanScrollDown = false;
    bool m_bCanScrollUp = false;
    bool m_bBoardDrawn = false;
    bool m_bTextDrawn = false;
    // How often the board and the text were drawn into their slots.
    int m_nBoardRenders = 0;
    int m_nTextRenders = 0;

protected:
    // The picture's file in the InfoStory folder for the stage.
    virtual std::string PictureName(int stage) const = 0;
    // The title row and the name line of the board at (x, y).
    virtual void DrawTitle(float x, float y, int stage) = 0;
    virtual std::string PageText(int stage) const = 0;
    virtual float PenX() const = 0;
    virtual int WrapWidth() const = 0;
    // The board is shown over a still that is dimmed at once.
    virtual bool OverStill() const { return false; }

    CVxBillboard* m_apTitleWord[2] = {};  // A and B of the big stage sheet

private:
    void PrepareParts();
    void DrawBoard(float x, float y, int stage);
    void DrawText(float x, float y, int stage);
    void Close();
    bool m_bButtonHasFaces = false;
};
