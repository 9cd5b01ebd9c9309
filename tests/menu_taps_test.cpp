// Every button a menu screen draws takes the tap at the centre of its
// picture, on screens reached as a player reaches them: from the title through
// the main menu's own buttons, and back from a battle left by its pause box.
// The lists' entries are drawn there as the player finds them: locked ones
// darkened or faded under their lock, the one under the cursor lit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "content/UnlockTables.h"
#include "engine/framework/RoadStep.h"
#include "game/BattleLink.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_RobotInfo.h"
#include "game/Effect_SwitchPage.h"
#include "game/MsgBoxKinds.h"
#include "tests/MenuDrawnScreen.h"

namespace {

// The names a printf pattern makes of the numbers from `first` to `last`.
std::vector<std::string> Numbered(const char* pattern, int first, int last) {
    std::vector<std::string> out;
    for (int n = first; n <= last; ++n) {
        char name[64];
        std::snprintf(name, sizeof name, pattern, n);
        out.push_back(name);
    }
    return out;
}

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
    // A picture drawn with its centre on the screen.
    static bool Shown(const containment::Piece& p) {
        return !p.drawn.Empty() && std::fabs(p.drawn.CentreX()) <= float(g_iScreenWidth) * 0.5f &&
               std::fabs(p.drawn.CentreY()) <= float(g_iScreenHeight) * 0.5f;
    }
    // Where on the screen the pictures whose names start with `name` were
    // drawn: each quad once, top to bottom, then left to right.
    static std::vector<containment::Rect> Where(const containment::Scene& scene, const std::string& name) {
        std::vector<containment::Rect> out;
        auto same = [](const containment::Rect& a, const containment::Rect& b) {
            return std::fabs(a.CentreX() - b.CentreX()) < 1.0f && std::fabs(a.CentreY() - b.CentreY()) < 1.0f;
        };
        for (const containment::Piece& p : scene.pictures) {
            if (p.picture.rfind(name, 0) != 0 || !Shown(p)) continue;
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
    // The picture named like `name` drawn centred on `on`.
    static const containment::Piece* On(const containment::Scene& scene, const std::string& name,
                                        const containment::Rect& on) {
        for (const containment::Piece& p : scene.pictures)
            if (p.picture.find(name) != std::string::npos && std::fabs(p.drawn.CentreX() - on.CentreX()) < 1.0f &&
                std::fabs(p.drawn.CentreY() - on.CentreY()) < 1.0f)
                return &p;
        return nullptr;
    }
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
        // A box ends with the page it stood on, and its dimming with it.
        if (m_App->m_pEffectMsgBox) m_App->m_pEffectMsgBox->Clear(0);
        if (m_App->m_pEffectBlackScreen) m_App->m_pEffectBlackScreen->Clear(0);
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
    // Play, and down the episode choice by its arrow to its last entry.
    void EpisodeEnd() {
        FromTitle();
        TapDrawn("Bbd_Main1.");
        Arrive(MENU_EPISODE);
        for (int i = 0; i < 4 && Menu().m_iEpisodeChoice < 3; ++i) {
            TapDrawn("Btn_LightArrow.", -1);
            for (int f = 0; f < 60 && Menu().m_iEpisodeScroll != -1; ++f) Frame();
            ASSERT_TRUE(Settle());
        }
        ASSERT_EQ(Menu().m_iEpisodeChoice, 3);
    }
    // Down the list in view by its arrow, a step at a time.
    void StepDown(int steps, const int& scroll) {
        for (int i = 0; i < steps; ++i) {
            TapDrawn("Btn_LightArrow.", -1);
            for (int f = 0; f < 60 && scroll != -1; ++f) Frame();
            ASSERT_TRUE(Settle());
        }
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
        int box = -1;                        // the message box the tap opens
    };
    struct Row {
        const char* screen;
        std::function<void()> reach;
        std::vector<Faceless> faceless;
        size_t faced;        // buttons with faces drawn there
        bool board = false;  // the information board is open: only its buttons count
        // The entries in view drawn locked; false where the faced buttons
        // are tapped on another row of the same screen.
        std::vector<std::string> locked = {};
        bool tapFaced = true;
        std::string hovered = {};  // the entry in view the cursor rests on
    } const rows[] = {
        // Where a list has nothing further that way, no arrow is drawn: the
        // one drawn highest is the one that way the list goes on. A locked
        // entry in view carries the lock, and its frame fades with it.
        {"episode choice, its last entry",
         [&] {
             p.m_abFeatureUnlocked[FEATURE_MINI_GAMES] = 0;
             EpisodeEnd();
         },
         {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[2]; }}},
         1,
         false,
         {"Bbd_Episode4."}},
        {"mini-game list, its first group",
         [&] {
             EpisodeEnd();
             TapDrawn("Bbd_Episode4.");
             Arrive(MENU_MINIGAME);
         },
         {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[3]; }},
          {"Bbd_MiniGame01.", 0, [&] { return m.m_apMiniGameButton[0]; }}},
         3},
        {"mini-game list, its last group, 23 open",
         [&] {
             p.m_iFurthestStage = 116;
             EpisodeEnd();
             TapDrawn("Bbd_Episode4.");
             Arrive(MENU_MINIGAME);
             StepDown(2, m.m_iMiniGameScroll);
         },
         {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[2]; }}},
         3,
         false,
         Numbered("Bbd_MiniGame%02d.", 24, 30),
         false},
        {"stage map, episode 2's last area, the first closed",
         [&] {
             p.m_iFurthestStage = 85;
             FromTitle();
             TapDrawn("Bbd_Main1.");
             Arrive(MENU_EPISODE);
             StepDown(1, m.m_iEpisodeScroll);
             TapDrawn("Bbd_Episode2.");
             Arrive(MENU_STAGE_MAP);
             StepDown(4, m.m_iMapScroll);
         },
         {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[2]; }},
          {"Bbd_Map5.", 0, [] { return nullptr; }, -1, false, MSGBOX_MAP_UNLOCK_CONDITIONS}},
         3,
         false,
         {"Bbd_Map5."},
         false},
        {"stage map, the area a won mini-game opened, before its news",
         [&] {
             p.m_iFurthestStage = 11;
             p.m_nCardSlots = 5;
             p.m_iLifeBooster = p.m_iEnergyBooster = 1;
             m_App->m_iNewArea = 2;
             FromTitle();
             TapDrawn("Bbd_Main1.");
             // The map brings the area into view and holds the input for its news.
             for (int f = 0; f < 120 && !(m.m_iMapArea == 1 && m.m_iMapScroll == -1); ++f) Frame();
             ASSERT_EQ(m.m_iSubScreen, MENU_STAGE_MAP);
         },
         {},
         3,
         false,
         {"Bbd_Map2."},
         false},
        {"main menu, its last entry",
         [&] {
             FromTitle();
             StepDown(3, m.m_iMainScroll);
         },
         {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[2]; }}},
         3,
         false,
         {},
         false},
        {"main menu, a step down its list",
         [&] {
             p.m_abFeatureUnlocked[FEATURE_ACHIEVEMENTS] = 0;
             FromTitle();
             TapDrawn("Btn_LightArrow.", -1);
             for (int f = 0; f < 60 && m.m_iMainScroll != -1; ++f) Frame();
             Arrive(MENU_MAIN);
         },
         {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[2]; }},
          {"Btn_LightArrow.", 1, [&] { return m.m_apListButton[3]; }}},
         3,
         false,
         {"Bbd_Main2."},
         true,
         "Bbd_Main2."},
        {"main menu, its first entry",
         [&] { FromTitle(); },
         {{"Btn_LightArrow.", 0, [&] { return m.m_apListButton[3]; }}},
         3,
         false,
         {},
         true,
         "Bbd_Main1."},
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
    const SaveProfile player = p;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.screen);
        p = player;  // a row's changes to the player and to the news are its own
        m_App->m_iNewArea = -1;
        r.reach();
        if (HasFatalFailure()) return;
        if (!r.hovered.empty()) {
            const std::vector<containment::Rect> at = Drawn(r.hovered);
            ASSERT_EQ(at.size(), 1u) << r.screen << ": " << r.hovered;
            CursorAt(at[0].CentreX(), at[0].CentreY());
        }
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
        // The lock over each locked entry in view and over no other; its frame
        // as faded as the entry.
        EXPECT_EQ(Where(scene, "Bbd_Lock.").size(), r.locked.size()) << r.screen << ": locks drawn";
        for (const std::string& entry : r.locked) {
            const std::vector<containment::Rect> at = Where(scene, entry);
            ASSERT_EQ(at.size(), 1u) << r.screen << ": " << entry;
            const containment::Piece* lock = On(scene, "Bbd_Lock.", at[0]);
            EXPECT_TRUE(lock && at[0].Holds(lock->ink, 0.0f)) << r.screen << ": the lock over " << entry;
            const containment::Piece *picture = On(scene, entry, at[0]), *frame = On(scene, "Frame.", at[0]);
            ASSERT_TRUE(picture && frame) << r.screen << ": " << entry << " in its frame";
            EXPECT_EQ(frame->colour >> 24, picture->colour >> 24) << r.screen << ": the frame of " << entry;
        }
        // Every entry picture in view whole, but a locked list entry darkened
        // and a closed mini-game at half alpha.
        auto locked = [&](const std::string& name) {
            return std::any_of(r.locked.begin(), r.locked.end(),
                               [&](const std::string& l) { return !name.rfind(l, 0); });
        };
        const std::regex entryName("Bbd_(Main|Episode|Map|MiniGame)[0-9]+\\..*");
        for (const containment::Piece& e : scene.pictures) {
            if (!Shown(e) || !std::regex_match(e.picture, entryName)) continue;
            const bool miniGame = !e.picture.rfind("Bbd_MiniGame", 0);
            const uint32_t look = !locked(e.picture) ? 0xFFFFFFFFu : miniGame ? 0x80FFFFFFu : 0xFF4D4D4Du;
            EXPECT_EQ(e.colour, look) << r.screen << ": " << e.picture;
        }
        // The frame of the entry under the cursor glows faintly, added to
        // what it frames, unless the entry is locked.
        if (!r.hovered.empty()) {
            const std::vector<containment::Rect> at = Where(scene, r.hovered);
            const containment::Piece* frame = at.empty() ? nullptr : On(scene, "Frame.", at[0]);
            ASSERT_TRUE(frame) << r.screen << ": " << r.hovered << " in its frame";
            const bool lit = !locked(r.hovered);
            EXPECT_EQ(frame->colour, lit ? 0xFF131300u : 0xFFFFFFFFu) << r.screen << ": " << r.hovered;
            EXPECT_EQ(frame->colourOp, uint32_t(lit ? host::TOP_ADD : host::TOP_MODULATE))
                << r.screen << ": " << r.hovered;
        }
        // Off the board, the row names every drawing of its faceless
        // pictures: an arrow drawn where its list has nothing further fails.
        for (const Faceless& f : r.faceless) {
            if (r.board) break;
            const auto named = std::count_if(r.faceless.begin(), r.faceless.end(),
                                             [&](const Faceless& g) { return g.picture == std::string(f.picture); });
            EXPECT_EQ(Where(scene, f.picture).size(), size_t(named)) << r.screen << ": " << f.picture;
        }
        auto again = [&] {
            r.reach();
            Frame(BUTTON_CLICK_COOLDOWN);
        };
        for (const auto& [index, at] : faced) {
            if (!r.tapFaced) break;
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
            if (f.box >= 0) {
                EXPECT_EQ(BoxKind(), f.box) << r.screen << ": " << f.picture;
            }
            if (f.unit >= 0) {
                Frame(INFO_FLIP_FRAMES + 2);
                EXPECT_EQ(m.m_pRobotInfo->m_aInstances[0].kind, f.unit) << r.screen << ": " << f.picture;
            }
        }
    }
}

}  // namespace
