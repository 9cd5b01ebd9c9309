// Every menu screen keeps its text on its panels and its pictures inside the
// frame: each screen drawn on the recording device at rest, glyph by glyph
// against the inked part of the panel under it, the information panel clear
// of the header ribbon, and nothing past the frame's right rail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "content/SaveProfile.h"
#include "engine/framework/RenderTargets.h"
#include "engine/framework/RoadStep.h"
#include "frontend/CreditRoll.h"
#include "frontend/PageMenu.h"
#include "frontend/PageStory.h"
#include "game/BattleLink.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_RobotInfo.h"
#include "game/Effect_SwitchPage.h"
#include "game/MsgBoxKinds.h"
#include "tests/Harness.h"
#include "tests/TextContainment.h"

namespace {

constexpr float kMargin = 4.0f;  // glyph ink keeps this far inside the panel's ink
// The frame's opening ends 2 pixels short of the screen's right edge (880 wide).
constexpr float kOpeningRight = 440.0f - 2.0f;

class MenuTextContainment : public MenuPageTest {
protected:
    void SetUp() override {
        MenuPageTest::SetUp();
        ASSERT_EQ(RestoreRenderTargets(device, true, 800, 600), S_OK);
        m_App->m_pDevice = &device;
        device.BeginScene();
    }
    void TearDown() override {
        device.EndScene();
        Shutdown();
        ReleaseRenderTargets();
        MenuPageTest::TearDown();
    }
    // A player far into the game, with a long laboratory line on the first page.
    void FarIntoTheGame() {
        Player("EVE", 75);
        SaveProfile& p = g_CurrentProfile;
        p.m_iMetalParts = 1234567;
        for (int s = 0; s < 70; ++s) p.m_aiStageStars[s] = 1 + s % 3;
        for (int i : {0, 1, 2, 3, 6}) p.m_aLabItem[i] = LabItemRecord{i == 6 ? 1 : 2, 3};
        p.m_iLuckBooster = 2;
        for (int r : {0, 1, 2, 3, 4}) p.m_aRobotUpgrade[r].m_iAvailable = 1;
        for (int r = 0; r < 12; ++r) p.m_abRobotUnlocked[r] = 1;
        for (int k = 0; k < 6; ++k) p.m_aEnemySeen[k].met = 1;
        for (int f = 0; f < 6; ++f) p.m_abFeatureUnlocked[f] = 1;
        for (int i = 0; i < 9; ++i) p.m_aiAchievementProgress[i] = 100000;
        p.m_aiAchievementProgress[1] = 3;  // its counter shows on the first page
        p.m_aiAchievementProgress[6] = 1;
        p.m_aiAchievementProgress[37] = 3725;
    }
    // One frame of the screen at rest, its kept list drawn again into its slot.
    containment::Scene Capture() {
        Menu().m_bAchievementPopup = false;
        device.draws.clear();
        Frame();
        names = containment::TextureNames();
        names.Add(m_App->m_pResourceManager);
        names.Add(Menu().m_pResourceManager);
        names.AddFont(m_App->m_pFontStandard);
        return containment::Scene(device, names, float(g_iScreenWidth), float(g_iScreenHeight));
    }

    host::RecordingDevice device{800, 600};
    containment::TextureNames names;
};

bool Overlap(const containment::Rect& a, const containment::Rect& b) { return !a.Clip(b).Empty(); }

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

// The laboratory's price line: green when the parts reach the price, red when
// they fall short, grey dashes once sold out; the name turns grey with it.
TEST_F(MenuTextContainment, ThePriceLineShowsByItsColourWhetherItCanBeBought) {
    struct Row {
        const char* rule;
        int parts, bought, offered;
        const char* line;  // the glyphs after "Parts"
        uint32_t price, name;
    } const rows[] = {
        {"parts enough: green", 1000, 0, 1, "100", 0xFF00FF00u, 0xFFFFFFFFu},
        {"parts exactly the price: green", 100, 0, 1, "100", 0xFF00FF00u, 0xFFFFFFFFu},
        {"one part short: red", 99, 0, 1, "100", 0xFFFF1919u, 0xFFFFFFFFu},
        {"a thousand and more with its comma", 500, 4, 5, "1,600", 0xFFFF1919u, 0xFFFFFFFFu},
        {"sold out: grey dashes", 5000, 1, 1, "-----", 0xFFA5A5A5u, 0xFFA5A5A5u},
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
        g_CurrentProfile.m_aLabItem[3] = LabItemRecord{r.bought, r.offered};  // the Luck Booster
        g_CurrentProfile.m_iMetalParts = r.parts;
        Enter(MENU_LABORATORY);
        ASSERT_TRUE(Settle()) << r.rule;
        containment::Scene scene = Capture();
        std::string text;
        for (const containment::Piece& g : scene.glyphs) text += g.glyph ? g.glyph : '?';
        const size_t parts = text.find("Parts" + std::string(r.line));
        ASSERT_NE(parts, std::string::npos) << r.rule << ": " << text;
        const size_t name = text.find("LuckBooster");
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
        float digitsUp;  // -1: many plates
    } rows[] = {{MENU_STAGE_MAP, 2.0f}, {MENU_EPISODE, 1.0f}, {MENU_MISSION, -1.0f}};
    for (const auto& [screen, digitsUp] : rows) {
        Enter(screen);
        ASSERT_TRUE(Settle());
        Frame(20);
        const containment::Scene scene = Capture();
        EXPECT_FALSE(scene.InkOf("Num_Interface").empty()) << screen;
        const std::vector<std::string> faults =
            scene.PicturesOutside("Num_Interface", {"Bbd_TextBG", "Bbd_NumberBox"}, 0.0f);
        EXPECT_TRUE(faults.empty()) << screen << containment::Lines(faults);
        size_t onPlate = 0;
        for (const containment::Piece& d : scene.pictures)
            for (const containment::Piece& plate : scene.pictures)
                if (digitsUp >= 0.0f && d.picture.find("Num_Interface") != std::string::npos &&
                    plate.picture.find("Bbd_TextBG") != std::string::npos &&
                    plate.drawn.Holds(d.drawn.CentreX(), d.drawn.CentreY())) {
                    EXPECT_NEAR(d.drawn.CentreY() - plate.drawn.CentreY(), digitsUp, 0.25f) << screen;
                    ++onPlate;
                }
        EXPECT_GE(onPlate, digitsUp >= 0.0f ? 4u : 0u) << screen << ": count, slash and total on the plate";
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

namespace {

// A player's taps through the menu, each where its picture is drawn: which
// button takes each tap.
class MenuTaps : public MenuTextContainment {
protected:
    // Frames as the program runs them: once a pause has captured the battle's
    // still, only the overlays run over it.
    void Frame(int n = 1) {
        for (int i = 0; i < n; ++i) {
            if (RoadStartFrame(*m_App)) continue;
            RoadPrepareScene(*m_App);
            RoadRunScene(*m_App);
            RoadFinishStill(*m_App);
            float dx, dy;
            RoadShakeStep(dx, dy);
        }
    }
    // One frame drawn, with the names of the pages', the application's, the
    // board's and the message box's pictures.
    containment::Scene Drawing() {
        device.draws.clear();
        Frame();
        names = containment::TextureNames();
        names.Add(m_App->m_pResourceManager);
        names.Add(Menu().m_pResourceManager);
        names.Add(Menu().m_pRobotInfo);
        if (CVxPage* page = m_App->CurrentPage()) names.Add(page->m_pResourceManager);
        names.Add(m_App->m_pEffectMsgBox);
        containment::Scene scene(device, names, float(g_iScreenWidth), float(g_iScreenHeight));
        device.draws.clear();
        return scene;
    }
    // Where on the screen the pictures whose names start with `name` were
    // drawn: each quad once, top to bottom, then left to right.
    static std::vector<containment::Rect> Where(const containment::Scene& scene, const std::string& name) {
        std::vector<containment::Rect> out;
        auto same = [](const containment::Rect& a, const containment::Rect& b) {
            return std::fabs(a.CentreX() - b.CentreX()) < 1.0f && std::fabs(a.CentreY() - b.CentreY()) < 1.0f;
        };
        for (const containment::Piece& p : scene.pictures) {
            const bool shown = std::fabs(p.drawn.CentreX()) <= float(g_iScreenWidth) * 0.5f &&
                               std::fabs(p.drawn.CentreY()) <= float(g_iScreenHeight) * 0.5f;
            if (p.picture.rfind(name, 0) != 0 || p.drawn.Empty() || !shown) continue;
            if (std::none_of(out.begin(), out.end(), [&](const containment::Rect& r) { return same(r, p.drawn); }))
                out.push_back(p.drawn);
        }
        std::sort(out.begin(), out.end(), [](const containment::Rect& a, const containment::Rect& b) {
            if (std::fabs(a.CentreY() - b.CentreY()) >= 1.0f) return a.CentreY() > b.CentreY();
            return a.CentreX() < b.CentreX();
        });
        return out;
    }
    std::vector<containment::Rect> Drawn(const std::string& name) { return Where(Drawing(), name); }
    // Every button a tap may reach: the current page's, the application's and the board's.
    std::vector<CVxButton*> Buttons() {
        std::vector<CVxButton*> out;
        if (CVxPage* page = m_App->CurrentPage(); page && page->m_pResourceManager)
            out = page->m_pResourceManager->m_lstButtons;
        for (CVxButton* b : m_App->m_pResourceManager->m_lstButtons) out.push_back(b);
        if (Menu().m_pRobotInfo) out.push_back(Menu().m_pRobotInfo->m_pBtnOK);
        return out;
    }
    // Down, held and up at the point; the buttons that took the release.
    std::vector<CVxButton*> Tap(float x, float y) {
        CursorAt(x, y);
        uint32_t& mouse = m_App->m_aInput[0].m_aiKey[MOUSE_LEFT];
        mouse = KEY_PRESSED | KEY_HELD;
        Frame();
        mouse = KEY_HELD;
        Frame();
        const std::vector<CVxButton*> buttons = Buttons();
        std::vector<int> before;
        for (CVxButton* b : buttons) before.push_back(b ? b->m_iClickCooldown : 0);
        mouse = KEY_RELEASED;
        Frame();
        std::vector<CVxButton*> takers;
        for (size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i] && buttons[i]->m_iClickCooldown == BUTTON_CLICK_COOLDOWN &&
                before[i] != BUTTON_CLICK_COOLDOWN)
                takers.push_back(buttons[i]);
        CursorAt(0.0f, -310.0f);
        return takers;
    }
    // The nth drawing of the picture (-1: the last) tapped at its centre.
    void TapDrawn(const std::string& name, int nth = 0) {
        const std::vector<containment::Rect> at = Drawn(name);
        ASSERT_FALSE(at.empty()) << name << " is drawn";
        const containment::Rect& r = nth < 0 ? at.back() : at[size_t(nth)];
        Tap(r.CentreX(), r.CentreY());
    }
    void Arrive(int screen) {
        ASSERT_TRUE(Settle()) << screen;
        ASSERT_EQ(Menu().m_iSubScreen, screen);
        Frame(2);
    }
    // From the title to the main menu, clicked once the title has settled.
    void FromTitle() {
        if (m_App->m_pEffectMsgBox) m_App->m_pEffectMsgBox->Clear(0);
        if (m_App->m_pEffectSwitchPage) m_App->m_pEffectSwitchPage->Clear(0);
        g_bQuitRequested = false;
        Enter(MENU_TITLE);
        for (int i = 0; i < 120 && !(m_App->m_nFrame > 40 && Menu().IsInputFree()); ++i) Frame();
        Tap(0.0f, 0.0f);
        Arrive(MENU_MAIN);
        m_App->m_bProfileJustChosen = false;
    }
    // Down the main menu's list by its arrow to the entry, which is opened.
    void MainEntry(int entry, int screen) {
        FromTitle();
        for (int i = 0; i < entry; ++i) {
            TapDrawn("Btn_LightArrow.", -1);
            for (int f = 0; f < 60 && Menu().m_iMainScroll != -1; ++f) Frame();
            ASSERT_TRUE(Settle());
        }
        TapDrawn("Bbd_Main" + std::to_string(entry + 1) + ".");
        Arrive(screen);
    }
    // Frames until the message box shows that kind at rest.
    void BoxAtRest(int kind) {
        CEffect_MsgBox* box = m_App->m_pEffectMsgBox;
        for (int f = 0; f < 120 && !(BoxKind() == kind && !box->m_bSwitching && box->SlideY() == 0.0f); ++f) Frame();
        ASSERT_EQ(BoxKind(), kind);
        ASSERT_EQ(box->SlideY(), 0.0f);
    }
    // The picture drawn in the same place two frames running: its first drawing.
    bool Resting(const std::string& name, containment::Rect& at) {
        const std::vector<containment::Rect> before = Drawn(name), now = Drawn(name);
        if (before.empty() || now.empty()) return false;
        at = now[0];
        return std::fabs(at.CentreX() - before[0].CentreX()) < 1.0f &&
               std::fabs(at.CentreY() - before[0].CentreY()) < 1.0f;
    }
    // From the battle entered to the menu: the area's story and the hand's
    // warnings answered by their OK and the card choice started, where they
    // stand first, then the pause button, the pause box's Menu and the
    // question's OK, each tapped where drawn.
    void LeaveBattle() {
        for (int f = 0; f < 200 && int(m_App->m_iCurrentPage) != BATTLE_PAGE_INDEX; ++f) Frame();
        ASSERT_EQ(int(m_App->m_iCurrentPage), BATTLE_PAGE_INDEX);
        CBattleLink* battle = m_App->m_pPageGame;
        ASSERT_NE(battle, nullptr);
        for (int f = 0; f < 600 && battle->BattleState() != BATTLE_PLAYING; ++f) {
            containment::Rect at;
            if (Resting("Btn_OK_", at) ||
                (battle->BattleState() == BATTLE_CARD_SELECT && Resting("Btn_CardStart_", at)))
                Tap(at.CentreX(), at.CentreY());
        }
        ASSERT_EQ(battle->BattleState(), BATTLE_PLAYING);
        TapDrawn("Btn_Pause_");
        ASSERT_NO_FATAL_FAILURE(BoxAtRest(MSGBOX_PAUSE));
        TapDrawn("Btn_Menu_");
        ASSERT_NO_FATAL_FAILURE(BoxAtRest(MSGBOX_EXIT_TO_MENU));
        TapDrawn("Btn_OK_");
        for (int f = 0; f < 300 && (m_App->m_bSwitchPending || int(m_App->m_iCurrentPage) != MENU_PAGE_INDEX); ++f)
            Frame();
        ASSERT_EQ(int(m_App->m_iCurrentPage), MENU_PAGE_INDEX);
    }
    // Play, the first episode and its first area's map.
    void StageMap() {
        FromTitle();
        TapDrawn("Bbd_Main1.");
        Arrive(MENU_EPISODE);
        TapDrawn("Bbd_Episode1.");
        Arrive(MENU_STAGE_MAP);
    }
};

// Each screen reached as the player reaches it; every button whose face is
// drawn there, and the pictures that stand for the faceless ones, tapped at
// the drawn centre: the button drawn there takes the tap and no other does.
TEST_F(MenuTaps, EveryButtonTakesTheTapWhereItIsDrawn) {
    FarIntoTheGame();
    SaveProfile& p = g_CurrentProfile;
    for (uint8_t& shown : p.m_abHintShown) shown = 1;
    for (uint8_t& seen : p.m_abStorySeen) seen = 1;
    for (int r = 0; r < ROBOT_TYPES; ++r) p.m_abRobotUnlocked[r] = r == 0 || r == 1 || r == 5 || r == 7;
    CPageMenu& m = Menu();
    struct Faceless {
        const char* picture;
        int nth;
        std::function<CVxButton*()> button;  // nullptr: a picture that the tap gesture reads, no button
        int unit = -1;                       // the board's unit once a flip has run
        bool chained = false;                // tapped where the tap before left the screen
    };
    struct Row {
        const char* screen;
        std::function<void()> reach;
        std::vector<Faceless> faceless;
        size_t faced;        // buttons with faces drawn there
        bool board = false;  // the information board is open: only its buttons count
    } const rows[] = {
        {"main menu, a step down its list",
         [&] {
             FromTitle();
             TapDrawn("Btn_LightArrow.", -1);
             for (int f = 0; f < 60 && m.m_iMainScroll != -1; ++f) Frame();
             Arrive(MENU_MAIN);
         },
         {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[2]; }},
          {"Btn_LightArrow.", 1, [&] { return m.m_apListButton[3]; }}},
         3},
        {"achievements", [&] { MainEntry(1, MENU_ACHIEVEMENTS); }, {}, 1},
        {"Robopedia",
         [&] { MainEntry(2, MENU_ROBOPEDIA); },
         {{"Btn_LightSwap.", 0, [&] { return m.m_pSwapButton; }},
          {"Card0007.", 0, [] { return nullptr; }},
          {"Card0000.", 0, [] { return nullptr; }}},
         1},
        {"Robopedia's information board",
         [&] {
             MainEntry(2, MENU_ROBOPEDIA);
             TapDrawn("Card0001.");
             Frame(30);
         },
         {{"Btn_LightArrow.", 1, [&] { return m.m_Robopedia.nextButton; }, 5},
          {"Btn_LightArrow.", 1, [&] { return m.m_Robopedia.nextButton; }, 7, true},
          {"Btn_LightArrow.", 1, [&] { return m.m_Robopedia.nextButton; }, 0, true},
          {"Btn_LightArrow.", 0, [&] { return m.m_Robopedia.prevButton; }, 7, true},
          {"Btn_LightArrow.", 0, [&] { return m.m_Robopedia.prevButton; }, 5, true},
          {"Btn_LightArrowRect.", 0, [&] { return m.m_apRectArrowButton[0]; }},
          {"Btn_LightArrowRect.", 1, [&] { return m.m_apRectArrowButton[1]; }},
          {"Btn_MM_Back_", 0, [] { return nullptr; }},
          {"Btn_LightSwap.", 0, [] { return nullptr; }}},
         1,
         true},
        {"credits", [&] { MainEntry(3, MENU_CREDITS); }, {}, 1},
        {"profiles",
         [&] {
             FromTitle();
             TapDrawn("Btn_Profile_");
             Arrive(MENU_PROFILES);
         },
         {},
         4},
        {"name entry",
         [&] {
             FromTitle();
             TapDrawn("Btn_Profile_");
             Arrive(MENU_PROFILES);
             TapDrawn("Btn_PR_Create_");
             Arrive(MENU_NAME_ENTRY);
         },
         {},
         2},
        {"episode choice",
         [&] {
             FromTitle();
             TapDrawn("Bbd_Main1.");
             Arrive(MENU_EPISODE);
         },
         {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[3]; }}},
         1},
        {"stage map", [&] { StageMap(); }, {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[3]; }}}, 3},
        {"mission panel",
         [&] {
             StageMap();
             TapDrawn("Bbd_Map1.");
             Arrive(MENU_MISSION);
         },
         {},
         13},
        {"mission panel, back from a battle left from it",
         [&] {
             StageMap();
             TapDrawn("Bbd_Map1.");
             Arrive(MENU_MISSION);
             TapDrawn("Btn_Stage1_");
             LeaveBattle();
             if (!HasFatalFailure()) Arrive(MENU_MISSION);
         },
         {},
         13},
        {"laboratory",
         [&] {
             StageMap();
             TapDrawn("Btn_Shop_");
             Arrive(MENU_LABORATORY);
         },
         {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[3]; }}},
         1},
        {"robot upgrades",
         [&] {
             StageMap();
             TapDrawn("Btn_Adv_Lab_");
             Arrive(MENU_UPGRADE);
         },
         {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[3]; }}},
         1},
    };
    for (const Row& r : rows) {
        r.reach();
        if (HasFatalFailure()) return;
        // The buttons whose faces are drawn, and where; a button is known by
        // its place among them, as the page makes them anew when it is reached again.
        std::vector<std::pair<size_t, containment::Rect>> faced;
        const std::vector<CVxButton*> buttons = Buttons();
        const containment::Scene scene = Drawing();
        for (size_t i = 0; i < buttons.size(); ++i) {
            CVxButton* b = buttons[i];
            if (!b || (r.board && b != m.m_pRobotInfo->m_pBtnOK)) continue;
            for (CVxBillboard* face : b->m_stateBack.m_apState) {
                if (!face || !face->m_pTexture || !face->m_pTexture->m_pszName) continue;
                for (const containment::Rect& at : Where(scene, face->m_pTexture->m_pszName))
                    if (std::fabs(at.CentreX() - b->m_vPosition.x) < 2.0f &&
                        std::fabs(at.CentreY() - b->m_vPosition.y) < 2.0f)
                        faced.emplace_back(i, at);
            }
        }
        EXPECT_EQ(faced.size(), r.faced) << r.screen;
        auto again = [&] {
            r.reach();
            Frame(BUTTON_CLICK_COOLDOWN);
        };
        for (const auto& [index, at] : faced) {
            again();
            if (HasFatalFailure()) return;
            const std::vector<CVxButton*> now = Buttons();
            ASSERT_EQ(now.size(), buttons.size()) << r.screen << ": the page makes the same buttons again";
            CVxButton* button = now[index];
            const std::vector<CVxButton*> takers = Tap(at.CentreX(), at.CentreY());
            EXPECT_EQ(takers, std::vector<CVxButton*>{button}) << r.screen << ": the button drawn at " << at.Text();
        }
        for (const Faceless& f : r.faceless) {
            if (!f.chained) again();
            Frame(BUTTON_CLICK_COOLDOWN);
            if (HasFatalFailure()) return;
            const std::vector<containment::Rect> drawn = Drawn(f.picture);
            ASSERT_GT(drawn.size(), size_t(f.nth)) << r.screen << ": " << f.picture << " is drawn";
            const containment::Rect at = drawn[size_t(f.nth)];
            CVxButton* expected = f.button();
            const std::vector<CVxButton*> takers = Tap(at.CentreX(), at.CentreY());
            EXPECT_EQ(takers, expected ? std::vector<CVxButton*>{expected} : std::vector<CVxButton*>{})
                << r.screen << ": " << f.picture << " drawn at " << at.Text();
            if (f.unit >= 0) {
                Frame(INFO_FLIP_FRAMES + 2);
                EXPECT_EQ(m.m_pRobotInfo->m_aInstances[0].kind, f.unit) << r.screen << ": " << f.picture;
            }
        }
    }
}

}  // namespace
