#include "frontend/CreditRoll.h"

#include <cmath>

#include "engine/VxFont.h"
#include "game/PopupDrawing.h"

namespace {

struct CreditEntry {
    int style;
    bool gap;
    const char* text;
};

// The studio's own people; every name here is of this project's studio.
const CreditEntry kCredits[CREDIT_LINE_COUNT] = {
    {CREDIT_TITLE, false, "Cogsquall"},
    {CREDIT_TITLE, false, "- Version -"},
    {CREDIT_TITLE, false, "1.0.0.5"},
    {CREDIT_TITLE, true, "Developed"},
    {CREDIT_TITLE, false, "by"},
    {CREDIT_TITLE, false, "Orvendale Studio"},
    {CREDIT_HEADING, true, "- Producer and Game Design -"},
    {CREDIT_NAME, false, "Maren Holloway"},
    {CREDIT_HEADING, true, "- Co-Producer and Game Writer -"},
    {CREDIT_NAME, false, "Teodor Vask"},
    {CREDIT_HEADING, true, "- Lead Programmer -"},
    {CREDIT_NAME, false, "Ilsa Brennick"},
    {CREDIT_HEADING, true, "- Technical Programmer -"},
    {CREDIT_NAME, false, "Oskar Lindqvale"},
    {CREDIT_HEADING, true, "- Programmers -"},
    {CREDIT_NAME, false, "Petra Suneby"},
    {CREDIT_NAME, false, "Jonah Karsk"},
    {CREDIT_HEADING, true, "- Lead Artist -"},
    {CREDIT_NAME, false, "Lucia Ferrant"},
    {CREDIT_HEADING, true, "- Artists -"},
    {CREDIT_NAME, false, "Bram Ostergaard"},
    {CREDIT_NAME, false, "Nadia Quillon"},
    {CREDIT_HEADING, true, "- Additional Artists -"},
    {CREDIT_NAME, false, "Edda Rowanholt"},
    {CREDIT_NAME, false, "Felix Marrow"},
    {CREDIT_NAME, false, "Greta Tamsby"},
    {CREDIT_NAME, false, "Henrik Ashdale"},
    {CREDIT_NAME, false, "Ione Carrow"},
    {CREDIT_NAME, false, "Kasimir Dunleth"},
    {CREDIT_NAME, false, "Linnea Pardoe"},
    {CREDIT_HEADING, true, "- Sound and Music -"},
    {CREDIT_NAME, false, "Orvendale Sound Works"},
    {CREDIT_HEADING, true, "- QA -"},
    {CREDIT_NAME, false, "Orvendale Test Crew"},
    {CREDIT_HEADING, true, "- Beta Tester -"},
    {CREDIT_NAME, false, "Milo Renfrew"},
    {CREDIT_NAME, false, "Saskia Verholt"},
    {CREDIT_NAME, false, "Tobiah Glenmere"},
    {CREDIT_NAME, false, "Ulla Stanhope"},
    {CREDIT_NAME, false, "Vesna Harrowgate"},
    {CREDIT_HEADING, true, "- Thanks To -"},
    {CREDIT_NAME, false, "Wilhelmina Orde"},
    {CREDIT_NAME, false, "Yannick Bellcourt"},
    {CREDIT_NAME, false, "Zofia Kestrelle"},
    {CREDIT_NAME, false, "The Orvendale Families"},
};

struct StyleLook {
    float size, spaceFactor, charSpacing, step;
};

const StyleLook kLooks[3] = {
    {1.0f, 0.65f, 5.0f, 60.0f},
    {0.75f, 0.55f, 4.0f, 50.0f},
    {0.6f, 0.65f, 5.0f, 40.0f},
};

const StyleLook& LookOf(int style) { return kLooks[style >= 0 && style < 3 ? style : CREDIT_NAME]; }

}  // namespace

std::vector<CreditLine> CreditLines() {
    std::vector<CreditLine> lines;
    for (const CreditEntry& e : kCredits) lines.push_back(CreditLine{e.text, e.style, e.gap});
    return lines;
}

float CreditStep(int style) { return LookOf(style).step; }

std::vector<float> CreditLineYs(const std::vector<CreditLine>& lines) {
    std::vector<float> ys;
    float y = 0.0f;
    for (size_t i = 0; i < lines.size(); ++i) {
        y -= CreditStep(lines[i].m_iStyle);
        if (lines[i].m_bGapBefore) y -= CREDITS_GAP;
        if (i == 3) y -= CREDITS_DEVELOPED_GAP;
        ys.push_back(y);
    }
    return ys;
}

float DrawCreditLines(CVxFont* font, const std::vector<CreditLine>& lines, float x, float scroll, float alpha,
                      int screenHeight) {
    const std::vector<float> ys = CreditLineYs(lines);
    float last = 0.0f;
    for (size_t i = 0; i < lines.size(); ++i) {
        const float y = ys[i] + scroll;
        last = y;
        if (!font || std::fabs(y) >= float(screenHeight) + 50.0f) continue;
        const StyleLook& look = LookOf(lines[i].m_iStyle);
        FontStyle style;
        style.size = look.size;
        style.spaceFactor = look.spaceFactor;
        style.charSpacing = look.charSpacing;
        style.lineSpacing = 0.85f;
        style.wrapWidth = -1;
        style.align = 0;
        style.rowOffset = 0;
        style.colour = {1.0f, 1.0f, 1.0f, alpha};
        DrawStyledText(font, style, x, y, lines[i].m_strText.c_str());
    }
    if (font) font->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    return last;
}
