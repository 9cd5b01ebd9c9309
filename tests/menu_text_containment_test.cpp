// Every menu screen keeps its text on its panels and its pictures inside the
// frame: each screen drawn on the recording device at rest, glyph by glyph
// against the inked part of the panel under it, the information panel clear
// of the header ribbon, and nothing past the frame's right rail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "content/DescriptiveTexts.h"
#include "engine/VxNumber.h"
#include "frontend/CreditRoll.h"
#include "frontend/PageStory.h"
#include "game/MsgBoxKinds.h"
#include "tests/MenuDrawnScreen.h"

namespace {

using containment::kMargin;
// The frame's opening ends 2 pixels short of the screen's right edge (880 wide).
constexpr float kOpeningRight = 440.0f - 2.0f;

bool Overlap(const containment::Rect& a, const containment::Rect& b) { return !a.Clip(b).Empty(); }

// What a draw from the 4 x 4 interface digit sheet shows: a digit, or '/'.
char DigitSheetCell(const host::DrawRecord& d) {
    float u = 0, v = 0;
    for (const host::Vertex& c : d.vertices) u += c.u / float(d.vertices.size()), v += c.v / float(d.vertices.size());
    for (int digit = 0; digit < 10; ++digit) {
        float r[4];
        if (CVxNumber::DigitRect(digit, 4, 4, r) && u > r[0] && u < r[0] + r[2] && v > r[1] && v < r[1] + r[3])
            return char('0' + digit);
    }
    return '/';
}

// A scrolling roll writes lines beyond the screen too; only what shows counts.
void OnScreenOnly(containment::Scene& scene) {
    const containment::Rect screen{-float(g_iScreenWidth) / 2, -float(g_iScreenHeight) / 2, float(g_iScreenWidth) / 2,
                                   float(g_iScreenHeight) / 2};
    auto& g = scene.glyphs;
    g.erase(
        std::remove_if(g.begin(), g.end(),
                       [&](const containment::Piece& p) { return !screen.Holds(p.ink.CentreX(), p.ink.CentreY()); }),
        g.end());
}

struct ScreenRow {
    const char* rule;
    int screen;
    std::vector<std::string> panels;   // pictures text may stand on
    std::vector<std::string> content;  // pictures that must stay inside the frame's opening
    bool text;                         // the screen writes text
};

const ScreenRow kScreens[] = {
    {"main menu: the greeting on the information panel",
     MENU_MAIN,
     {"Bbd_NumberBox"},
     {"MenuHeader", "Bbd_Main", "Bbd_MenuPicFrame"},
     true},
    {"stage map: the episode on the panel, the area's stars on the plate",
     MENU_STAGE_MAP,
     {"Bbd_NumberBox"},
     {"MenuHeader", "Bbd_Map", "Bbd_MenuPicFrame"},
     true},
    {"mission panel: the episode on the panel", MENU_MISSION, {"Bbd_NumberBox"}, {"MenuHeader", "Btn_Stage"}, true},
    {"laboratory: names, wrapped descriptions and prices on their rows",
     MENU_LABORATORY,
     {"Bbd_NumberBox", "Btn_ListBox_"},
     {"MenuHeader", "Btn_ListBox_"},
     true},
    {"robot upgrades: names, texts and prices on their rows",
     MENU_UPGRADE,
     {"Bbd_NumberBox", "Btn_ListBox_"},
     {"MenuHeader", "Btn_ListBox_"},
     true},
    {"achievements: names, conditions and counters on the backdrop",
     MENU_ACHIEVEMENTS,
     {"Bbd_NumberBox", "Bbd_MenuBlackScreen"},
     {"MenuHeader", "Bbd_MenuBlackScreen"},
     true},
    {"profiles: the name and the counts on the profile's row",
     MENU_PROFILES,
     {"Bbd_ProfileRow"},
     {"MenuHeader", "Bbd_ProfileRow"},
     true},
    {"Robopedia: the list's name on the panel, the grid inside the frame",
     MENU_ROBOPEDIA,
     {"Bbd_NumberBox"},
     {"MenuHeader", "Card", "Bbd_CardBG"},
     true},
    {"credits: the lines on the backdrop",
     MENU_CREDITS,
     {"Bbd_MenuBlackScreen"},
     {"MenuHeader", "Bbd_MenuBlackScreen"},
     true},
    {"mini-games: the list and its backdrop inside the frame",
     MENU_MINIGAME,
     {},
     {"MenuHeader", "Bbd_MiniGame"},
     false},
};

TEST_F(MenuTextContainment, EveryMenuScreenKeepsItsTextOnItsPanelsAndItsPicturesInsideTheFrame) {
    FarIntoTheGame();
    for (const ScreenRow& row : kScreens) {
        Enter(row.screen);
        ASSERT_TRUE(Settle()) << row.rule;
        Frame(20);
        containment::Scene scene = Capture();
        OnScreenOnly(scene);
        EXPECT_EQ(scene.glyphs.empty(), !row.text) << row.rule << ": " << scene.Text();
        EXPECT_TRUE(scene.Outside(row.panels, kMargin).empty())
            << row.rule << containment::Lines(scene.Outside(row.panels, kMargin));

        std::vector<std::string> past;
        size_t drawn = 0;
        for (const std::string& name : row.content) {
            const std::vector<containment::Rect> inks = scene.InkOf(name);
            drawn += inks.size();
            for (const containment::Rect& r : inks)
                if (r.right > kOpeningRight) past.push_back(name + " " + r.Text());
        }
        EXPECT_GT(drawn, 1u) << row.rule << ": the header and the screen's pictures are drawn";
        EXPECT_TRUE(past.empty()) << row.rule << ": past the frame's right rail" << containment::Lines(past);

        // The header is drawn after the information panel: the two never meet.
        for (const containment::Rect& box : scene.InkOf("Bbd_NumberBox"))
            for (const containment::Rect& header : scene.InkOf("MenuHeader"))
                EXPECT_FALSE(Overlap(box, header))
                    << row.rule << ": panel " << box.Text() << " under the header " << header.Text();
    }
}

// A picture cut from a sheet shows nothing of its neighbour in the sheet: no
// line along a header's foot from the next row's ink.
TEST_F(MenuTextContainment, NoMenuScreenShowsInkFromPastTheCutOfASheet) {
    FarIntoTheGame();
    for (const ScreenRow& row : kScreens) {
        Enter(row.screen);
        ASSERT_TRUE(Settle()) << row.rule;
        Frame(20);
        const std::vector<std::string> faults = Capture().InkFromPastTheCuts();
        EXPECT_TRUE(faults.empty()) << row.rule << containment::Lines(faults);
    }
}

// The laboratories' price line: green when the parts reach the price, red when
// they fall short, grey dashes once sold out; the name turns grey with it.
TEST_F(MenuTextContainment, ThePriceLineShowsByItsColourWhetherItCanBeBought) {
    struct Row {
        const char* rule;
        int parts, bought, offered;
        const char* line;  // the glyphs after "Parts"
        uint32_t price, name;
        int robot = -1;  // the row is this robot's upgrade, not the Luck Booster
    } const rows[] = {
        {"parts enough: green", 1000, 0, 1, "100", 0xFF00FF00u, 0xFFFFFFFFu},
        {"parts exactly the price: green", 100, 0, 1, "100", 0xFF00FF00u, 0xFFFFFFFFu},
        {"one part short: red", 99, 0, 1, "100", 0xFFFF1919u, 0xFFFFFFFFu},
        {"a thousand and more with its comma", 500, 4, 5, "1,600", 0xFFFF1919u, 0xFFFFFFFFu},
        {"sold out: grey dashes", 5000, 1, 1, "-----", 0xFFA5A5A5u, 0xFFA5A5A5u},
        {"an upgrade on offer: green", 5000, 0, 1, "500", 0xFF00FF00u, 0xFFFFFFFFu, 1},
        {"a bought upgrade is sold out", 5000, 1, 1, "-----", 0xFFA5A5A5u, 0xFFA5A5A5u, 1},
    };
    Player("EVE", 20);
    g_CurrentProfile.m_abFeatureUnlocked[0] = 1;
    // One channel of a drawn colour may round either way.
    auto near = [](uint32_t a, uint32_t b) {
        for (int shift = 0; shift < 32; shift += 8)
            if (std::abs(int((a >> shift) & 255u) - int((b >> shift) & 255u)) > 1) return false;
        return true;
    };
    for (const Row& r : rows) {
        for (LabItemRecord& item : g_CurrentProfile.m_aLabItem) item = LabItemRecord{0, 0};
        for (RobotUpgradeRecord& upgrade : g_CurrentProfile.m_aRobotUpgrade) upgrade = RobotUpgradeRecord{0, 0};
        if (r.robot < 0) g_CurrentProfile.m_aLabItem[3] = LabItemRecord{r.bought, r.offered};  // the Luck Booster
        else g_CurrentProfile.m_aRobotUpgrade[r.robot] = RobotUpgradeRecord{r.bought, r.offered};
        g_CurrentProfile.m_iFurthestStage = r.robot < 0 ? 20 : 60;  // past the stage that offers it
        g_CurrentProfile.m_iMetalParts = r.parts;
        Enter(r.robot < 0 ? MENU_LABORATORY : MENU_UPGRADE);
        ASSERT_TRUE(Settle()) << r.rule;
        containment::Scene scene = Capture();
        std::string text;
        for (const containment::Piece& g : scene.glyphs) text += g.glyph ? g.glyph : '?';
        const size_t parts = text.find("Parts" + std::string(r.line));
        ASSERT_NE(parts, std::string::npos) << r.rule << ": " << text;
        std::string named = r.robot < 0 ? "Luck Booster" : GetRobotUpgradeName(r.robot);
        named.erase(std::remove(named.begin(), named.end(), ' '), named.end());
        const size_t name = text.find(named);
        ASSERT_NE(name, std::string::npos) << r.rule << ": " << text;
        const uint32_t price = device.draws[scene.glyphs[parts + 5].order].vertices[0].color;
        const uint32_t word = device.draws[scene.glyphs[name].order].vertices[0].color;
        EXPECT_TRUE(near(price, r.price)) << r.rule << std::hex << ": the price drawn in " << price;
        EXPECT_TRUE(near(word, r.name)) << r.rule << std::hex << ": the name drawn in " << word;
    }
}

// The credits' three styles by the height of their tallest letter: a heading
// is drawn 0.75 and a name 0.6 the size of a title line.
TEST_F(MenuTextContainment, TheCreditsDrawEachStyleAtItsSize) {
    Player("EVE", 1);
    Enter(MENU_CREDITS);
    ASSERT_TRUE(Settle());
    Menu().m_fCreditsFade = 1.0f;
    Menu().m_fCreditsScroll = 700.0f;  // "Orvendale Studio", the first heading and its names on screen
    containment::Scene scene = Capture();
    OnScreenOnly(scene);
    std::string text;
    for (const containment::Piece& g : scene.glyphs) text += g.glyph ? g.glyph : '?';
    const std::vector<CreditLine> lines = CreditLines();
    // The tallest glyph of a line, found by its letters.
    auto tallest = [&](const std::string& line) {
        std::string letters;
        for (char c : line)
            if (c != ' ') letters += c;
        const size_t at = text.find(letters);
        float h = 0.0f;
        if (at == std::string::npos) return h;
        for (size_t i = at; i < at + letters.size(); ++i)
            h = std::max(h, scene.glyphs[i].ink.top - scene.glyphs[i].ink.bottom);
        return h;
    };
    const float title = tallest(lines[5].m_strText);
    ASSERT_GT(title, 0.0f) << text;
    const struct {
        size_t line;
        float size;
    } rows[] = {{6, 0.75f}, {7, 0.6f}, {8, 0.75f}, {9, 0.6f}};
    for (const auto& r : rows) {
        const float h = tallest(lines[r.line].m_strText);
        ASSERT_GT(h, 0.0f) << lines[r.line].m_strText << " in " << text;
        EXPECT_NEAR(h / title, r.size, 0.08f) << lines[r.line].m_strText;
    }
}

// The intro's first caption fades in with the Skip label from frame 15 and
// stands from frame 75: the glyphs drawn at a frame and their alpha.
TEST_F(MenuTextContainment, TheFirstCaptionFadesInWithTheSkipLabel) {
    Player("EVE", 1);
    Enter(MENU_MAIN);
    ASSERT_TRUE(Settle());
    m_App->SwitchPage(2, STORY_INTRO);
    Frame(2);
    ASSERT_EQ(int(m_App->m_iCurrentPage), 2);
    CPageStory& story = *static_cast<CPageStory*>(m_App->m_pPageStory);
    ASSERT_TRUE(m_App->m_pFontStandard && m_App->m_pFontStandard->m_pTextureBoard &&
                m_App->m_pFontStandard->m_pTextureBoard->m_pTexture);
    const host::TextureHandle font = m_App->m_pFontStandard->m_pTextureBoard->m_pTexture->m_pTexture;
    const struct {
        int frame;
        size_t glyphs;  // at least, "Skip" being four
        int alpha;      // of each of them, of 255
    } rows[] = {{14, 0, 0}, {15, 0, 0}, {45, 5, 127}, {75, 5, 255}};
    for (const auto& r : rows) {
        story.m_iIntroFrame = r.frame;
        device.draws.clear();
        Frame();
        size_t drawn = 0;
        for (const host::DrawRecord& d : device.draws) {
            if (d.state.texture != font || d.vertices.empty()) continue;
            const int alpha = int(d.vertices[0].color >> 24);
            if (alpha == 0) continue;
            ++drawn;
            EXPECT_NEAR(alpha, r.alpha, 1) << "frame " << r.frame;
        }
        if (r.glyphs == 0) {
            EXPECT_EQ(drawn, 0u) << "frame " << r.frame;
        } else {
            EXPECT_GE(drawn, r.glyphs) << "frame " << r.frame;
        }
    }
}

// A hovered Robopedia entry grows (its frame 1.1 times, a robot's card 1.21
// times): in the last column it still stays inside the frame's opening.
TEST_F(MenuTextContainment, AHoveredCardInTheRobopediasLastColumnStaysInsideTheFrame) {
    FarIntoTheGame();
    g_CurrentProfile.m_abRobotUnlocked[15] = 1;
    g_CurrentProfile.m_aEnemySeen[7].met = 1;
    Enter(MENU_ROBOPEDIA);
    ASSERT_TRUE(Settle());
    struct Row {
        const char* entry;
        int offset;  // the page: 0 the robots, 620 the Machines
        float y;
        int upgrade;
    };
    const Row rows[] = {
        {"robot 7", 0, 150.0f, 0}, {"upgraded robot 15", 0, 55.0f, 1}, {"Machine 1007", 620, 150.0f, 0}};
    for (const Row& row : rows) {
        Menu().m_iRobopediaOffset = row.offset;
        Menu().m_aRobotRecord[15].m_iUpgradeLevel = row.upgrade;
        CursorAt(7 * 89.0f - 230.0f, row.y);
        const containment::Scene scene = Capture();
        float frameRight = -1e9f;
        for (const char* frame : {"Bbd_CardBG.", "Bbd_CardBGUpgrade"})
            for (const containment::Rect& r : scene.InkOf(frame)) frameRight = std::max(frameRight, r.right);
        EXPECT_GT(frameRight, 7 * 89.0f - 230.0f + 40.5f) << row.entry << ": the hovered frame has grown";
        std::vector<std::string> past;
        for (const containment::Rect& r : scene.InkOf("Card"))
            if (r.right > kOpeningRight) past.push_back(r.Text());
        EXPECT_TRUE(past.empty()) << row.entry << ": past the frame's right rail" << containment::Lines(past);
    }
}

// The stage map's, episode choice's and mission panel's counts are digits of
// the number sheet on a text plate; the star count stands 2 above the plate's
// middle on the map, 1 on the episode choice.
TEST_F(MenuTextContainment, TheStarCountAndTheStageLabelsStayOnTheirPlates) {
    FarIntoTheGame();
    const struct {
        int screen;
        float digitsUp;     // -1: many plates
        const char* reads;  // the count on the plate: the stars of the area's ten stages, the episode's fifty
    } rows[] = {{MENU_STAGE_MAP, 2.0f, "19/30"}, {MENU_EPISODE, 1.0f, "99/150"}, {MENU_MISSION, -1.0f, ""}};
    for (const auto& [screen, digitsUp, reads] : rows) {
        Enter(screen);
        ASSERT_TRUE(Settle());
        Frame(20);
        const containment::Scene scene = Capture();
        EXPECT_FALSE(scene.InkOf("Num_Interface").empty()) << screen;
        const std::vector<std::string> faults =
            scene.PicturesOutside("Num_Interface", {"Bbd_TextBG", "Bbd_NumberBox"}, 0.0f);
        EXPECT_TRUE(faults.empty()) << screen << containment::Lines(faults);
        std::map<float, char> onPlate;  // by x
        for (const containment::Piece& d : scene.pictures)
            for (const containment::Piece& plate : scene.pictures)
                if (digitsUp >= 0.0f && d.picture.find("Num_Interface") != std::string::npos &&
                    plate.picture.find("Bbd_TextBG") != std::string::npos &&
                    plate.drawn.Holds(d.drawn.CentreX(), d.drawn.CentreY())) {
                    EXPECT_NEAR(d.drawn.CentreY() - plate.drawn.CentreY(), digitsUp, 0.25f) << screen;
                    onPlate[d.drawn.CentreX()] = DigitSheetCell(device.draws[d.order]);
                }
        std::string count;
        for (const auto& [x, c] : onPlate) count += c;
        EXPECT_EQ(count, reads) << screen << ": count, slash and total on the plate";
        if (screen != MENU_MISSION) continue;
        // A stage's label plate ends within its button, side to side (the
        // digits of stage 10 reach over the button's brass line already).
        const std::vector<containment::Rect> buttons = scene.InkOf("Btn_Stage");
        for (const containment::Rect& plate : scene.InkOf("Bbd_TextBG")) {
            const auto under = std::find_if(buttons.begin(), buttons.end(), [&](const containment::Rect& b) {
                return b.Holds(plate.CentreX(), b.CentreY());
            });
            ASSERT_NE(under, buttons.end()) << plate.Text();
            EXPECT_GE(plate.left, under->left) << plate.Text() << " past " << under->Text();
            EXPECT_LE(plate.right, under->right) << plate.Text() << " past " << under->Text();
        }
    }
}

// The longest of the achievements' counts, "(99,999 / 100,000)", stands on the
// list's backdrop in the column of the ticks, as the short ones do.
TEST_F(MenuTextContainment, TheLongestAchievementCountStaysOnTheListsBackdrop) {
    FarIntoTheGame();
    g_CurrentProfile.m_aiAchievementProgress[3] = 99999;
    Enter(MENU_ACHIEVEMENTS);
    ASSERT_TRUE(Settle());
    Menu().m_AchvList.position = 2.0f * SHOP_ROW_HEIGHT;  // its row third from the top
    Frame(20);
    containment::Scene scene = Capture();
    OnScreenOnly(scene);
    // Drawn right to left, as right-aligned text is.
    const std::string count = "(99,999/100,000)";
    EXPECT_NE(scene.Text().find(std::string(count.rbegin(), count.rend())), std::string::npos) << scene.Text();
    EXPECT_TRUE(scene.Outside({"Bbd_NumberBox", "Bbd_MenuBlackScreen"}, kMargin).empty())
        << containment::Lines(scene.Outside({"Bbd_NumberBox", "Bbd_MenuBlackScreen"}, kMargin));
}

// Backdrops and label plates end inside the screen with a margin: what the
// screen draws at its right edge is the frame's thin rail.
TEST_F(MenuTextContainment, BackdropsAndLabelPlatesEndInsideTheScreensEdge) {
    FarIntoTheGame();
    struct Row {
        const char* rule;
        int screen;
        const char* picture;
        float margin;  // clear of the frame's right rail and of the left edge
    };
    const Row rows[] = {
        {"the mini-game list's backdrop ends inside the screen's edge", MENU_MINIGAME, "Bbd_MenuBlackScreen", 16.0f},
        {"the mission panel's label plates end inside the screen's edge", MENU_MISSION, "Bbd_TextBG", 8.0f},
        {"the credits' backdrop ends inside the screen's edge", MENU_CREDITS, "Bbd_MenuBlackScreen", 16.0f},
    };
    for (const Row& row : rows) {
        Enter(row.screen);
        ASSERT_TRUE(Settle()) << row.rule;
        Frame(20);
        const containment::Scene scene = Capture();
        const std::vector<containment::Rect> inks = scene.InkOf(row.picture);
        EXPECT_FALSE(inks.empty()) << row.rule << ": drawn";
        for (const containment::Rect& r : inks) {
            EXPECT_LE(r.right, kOpeningRight - row.margin) << row.rule << ": " << r.Text();
            EXPECT_GE(r.left, -float(g_iScreenWidth) / 2 + row.margin) << row.rule << ": " << r.Text();
        }
    }
}

}  // namespace

// The scroll-wheel tip, opened over the menu, shows the menu's two scroll
// arrows on its picture row, 60 either side of the box's origin and 92 up.
TEST_F(MenuTextContainment, TheScrollWheelTipShowsTheArrowsOnItsPictureRow) {
    Player("EVE", 12);
    Enter(MENU_MAIN);
    ASSERT_TRUE(Settle());
    CEffect_MsgBox* box = m_App->m_pEffectMsgBox;
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->Add(MSGBOX_TIP_SCROLL_WHEEL), 0);
    for (int i = 0; i < 40 && box->SlideY() != 0.0f; ++i) Frame();
    ASSERT_EQ(box->SlideY(), 0.0f);
    box->m_bPictureCached = false;
    device.draws.clear();
    Frame();
    names = containment::TextureNames();
    names.Add(m_App->m_pResourceManager);
    names.Add(Menu().m_pResourceManager);
    names.Add(box);
    const containment::Scene scene(device, names, float(g_iScreenWidth), float(g_iScreenHeight));
    const containment::Piece* panel = nullptr;
    for (const containment::Piece& p : scene.pictures)
        if (!panel && p.picture.find("Msgbox_Std") != std::string::npos) panel = &p;
    ASSERT_NE(panel, nullptr);
    // The box's origin, from where its panel picture stands on it.
    const MsgBoxPanelSpec layout = MsgBoxPanelOf(MSGBOX_TIP_SCROLL_WHEEL);
    const float originX = panel->drawn.CentreX() - layout.centre.x, originY = panel->drawn.CentreY() - layout.centre.y;
    std::vector<float> xs;
    for (const containment::Piece& p : scene.pictures) {
        if (p.picture.find("Arrow") == std::string::npos || !panel->ink.Holds(p.ink.CentreX(), p.ink.CentreY()))
            continue;
        EXPECT_NEAR(p.ink.CentreY() - originY, 92.0f, 3.0f) << p.picture << " " << p.ink.Text();
        xs.push_back(p.ink.CentreX() - originX);
    }
    std::sort(xs.begin(), xs.end());
    ASSERT_EQ(xs.size(), 2u);
    EXPECT_NEAR(xs[0], -60.0f, 3.0f);
    EXPECT_NEAR(xs[1], 60.0f, 3.0f);
}
