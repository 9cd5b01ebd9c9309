// The menu's screens in a started game, one rule a row: the title's click
// guard, the slide, Play's branches, the locked entries, the laboratory's
// pages and markers, the profiles screen, both unlock sequences, the
// Robopedia's cards, the menu music and the logo's fade.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "content/SaveProfile.h"
#include "engine/VxButton.h"
#include "engine/VxSound.h"
#include "frontend/PageLogo.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_RobotInfo.h"
#include "game/Effect_ScaleAndDiffuseOut.h"
#include "game/MsgBoxKinds.h"
#include "game/PopupDrawing.h"
#include "tests/Harness.h"

namespace {

constexpr int kVkBack = 8;
constexpr int kVkEscape = 27;
constexpr int kNoChange = -1;

class MenuScreenRules : public MenuPageTest {
protected:
    // The screen the page is changing to, or kNoChange.
    int Requested() { return Menu().m_iChangeState == 1 ? Menu().m_iNextScreen : kNoChange; }
    // Waits for the box to rest, then answers it with Return.
    void AnswerBox() {
        for (int i = 0; i < 60 && m_App->m_pEffectMsgBox->SlideY() != 0.0f; ++i) Frame();
        Key(VK_ENTER);
    }
    void TapButton(const CVxButton* b) { TapAt(b->m_vPosition.x, b->m_vPosition.y); }
    // The page comes to rest on `screen` after a change; false when it does not.
    bool Reach(int screen) { return Settle() && Menu().m_iSubScreen == screen; }
};

TEST_F(MenuScreenRules, TheTitleTakesAClickOnlyOnceSettledAndWithNoExitAsked) {
    struct Row {
        const char* rule;
        int frame;
        bool exitAsked, hasProfile;
        int screen;
    } const rows[] = {
        {"a click at frame 40 is too early", 40, false, false, MENU_TITLE},
        {"a click at frame 41 is taken", 41, false, false, MENU_NAME_ENTRY},
        {"a click waits while an exit is asked for", 90, true, false, MENU_TITLE},
        {"a player with a profile goes to the main menu", 41, false, true, MENU_MAIN},
    };
    for (const Row& r : rows) {
        if (r.hasProfile) Player("title", 1);
        Enter(MENU_TITLE);
        ASSERT_TRUE(Settle()) << r.rule;
        m_App->m_nFrame = r.frame;
        m_App->m_pEffectExit->m_bRequested = r.exitAsked ? 1 : 0;
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
        Menu().HandleTitleInput();
        EXPECT_EQ(Menu().m_iSubScreen, r.screen) << r.rule;
        m_App->m_pEffectExit->m_bRequested = 0;
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = 0;
    }
}

TEST_F(MenuScreenRules, AChangeSlidesNineHundredPixelsAndHoldsInputUntilItEnds) {
    Player("slide", 1);
    Enter(MENU_MAIN);
    ASSERT_TRUE(Settle());
    CPageMenu& m = Menu();
    m.RequestSubScreen(MENU_CREDITS, -1);
    float leastX = 0.0f, mostX = 0.0f, mostRise = 0.0f;
    int frames = 0;
    while (!m.IsInputFree() && frames < 100) {
        Frame();
        ++frames;
        leastX = std::min(leastX, m.m_fSlideX);
        mostX = std::max(mostX, m.m_fSlideX);
        mostRise = std::max(mostRise, m.m_fHeaderRise);
    }
    struct Row {
        const char* rule;
        float measured, expected;
    } const rows[] = {
        {"a forward change takes the old screen 840 to the left before it goes", leastX, -840.0f},
        {"the new screen comes in from 900 to the right", mostX, 900.0f},
        {"the header rises 150 at most", mostRise, 150.0f},
        {"input waits for both slides of 15 frames", float(frames), 30.0f},
    };
    for (const Row& r : rows) EXPECT_FLOAT_EQ(r.measured, r.expected) << r.rule;
    EXPECT_EQ(m.m_iSubScreen, MENU_CREDITS);
}

TEST_F(MenuScreenRules, PlayBranchesByTheEpisodeOfTheFurthestStage) {
    struct Row {
        const char* rule;
        int furthest;
        bool storySeen;
        int screen, switchCode;
    } const rows[] = {
        {"episode 1 with its story unseen starts the story", 1, false, kNoChange, 2},
        {"episode 1 goes to the stage map", 30, true, MENU_STAGE_MAP, -100},
        {"a mini-game of episode 1 still goes to the stage map", 160, true, MENU_STAGE_MAP, -100},
        {"episode 2 reached goes to the episode choice", 51, true, MENU_EPISODE, -100},
        {"episode 3 reached goes to the episode choice", 101, true, MENU_EPISODE, -100},
    };
    Player("play", 1);
    for (const Row& r : rows) {
        g_CurrentProfile.m_iFurthestStage = r.furthest;
        for (uint8_t& seen : g_CurrentProfile.m_abStorySeen) seen = r.storySeen ? 1 : 0;
        Enter(MENU_MAIN);
        ASSERT_TRUE(Settle()) << r.rule;
        m_App->m_bProfileJustChosen = false;
        TapAt(62.0f, -30.0f);
        EXPECT_EQ(Requested(), r.screen) << r.rule;
        EXPECT_EQ(SwitchCode(), r.switchCode) << r.rule;
        m_App->m_pEffectSwitchPage->Clear(0);
    }
}

// The main menu's three side buttons, each tapped where it stands.
TEST_F(MenuScreenRules, TheMainMenusSideButtonsAnswerWhereTheyStand) {
    struct Row {
        const char* rule;
        float y;
        int screen, box;
        bool quit;
    } const rows[] = {
        {"Profile leads to the profiles", 120.0f, MENU_PROFILES, -1, false},
        {"nothing between Profile and Options", 35.0f, kNoChange, -1, false},
        {"Options opens its box", -52.5f, kNoChange, MSGBOX_OPTIONS, false},
        {"Exit ends the program", -225.0f, kNoChange, -1, true},
    };
    Player("side", 1);
    for (const Row& r : rows) {
        Enter(MENU_MAIN);
        ASSERT_TRUE(Settle()) << r.rule;
        TapAt(-375.0f, r.y);
        EXPECT_EQ(Requested(), r.screen) << r.rule;
        EXPECT_EQ(BoxKind(), r.box) << r.rule;
        EXPECT_EQ(g_bQuitRequested, r.quit) << r.rule;
        m_App->m_pEffectMsgBox->Clear(0);
        g_bQuitRequested = false;
    }
}

TEST_F(MenuScreenRules, TheMainMenuListOpensOnlyItsUnlockedEntries) {
    struct Row {
        const char* rule;
        int entry, feature;
        bool unlocked;
        int screen;
    } const rows[] = {
        {"achievements wait for their feature", 1, 3, false, kNoChange},
        {"achievements open once unlocked", 1, 3, true, MENU_ACHIEVEMENTS},
        {"the Robopedia waits for its feature", 2, 1, false, kNoChange},
        {"the Robopedia opens once unlocked", 2, 1, true, MENU_ROBOPEDIA},
        {"the credits are always open", 3, -1, false, MENU_CREDITS},
    };
    Player("list", 20);
    g_CurrentProfile.m_abHintShown[3] = 1;
    for (const Row& r : rows) {
        if (r.feature >= 0) g_CurrentProfile.m_abFeatureUnlocked[r.feature] = r.unlocked ? 1 : 0;
        Enter(MENU_MAIN);
        ASSERT_TRUE(Settle()) << r.rule;
        CPageMenu& m = Menu();
        for (int i = 0; i < r.entry; ++i) {
            m.ScrollMainMenu(1);
            for (int f = 0; f < 60 && m.m_iMainScroll != -1; ++f) Frame();
        }
        ASSERT_EQ(m.m_iMainIndex, r.entry) << r.rule;
        ASSERT_TRUE(Settle()) << r.rule;
        TapAt(62.0f, -30.0f);
        EXPECT_EQ(Requested(), r.screen) << r.rule;
    }
}

// The Shop button stands high until episode 1 is finished, then lower; it
// and the Advanced-laboratory button answer only once their feature is open.
TEST_F(MenuScreenRules, TheShopButtonsOpenTheirLaboratoriesFromWhereTheyStand) {
    struct Row {
        const char* rule;
        int screen;
        bool lab, upgradeLab, episodeDone;
        float y;
        int requested;
    } const rows[] = {
        {"the shop stands high", MENU_STAGE_MAP, true, false, false, 253.0f, MENU_LABORATORY},
        {"nothing lower while it stands high", MENU_STAGE_MAP, true, false, false, 120.0f, kNoChange},
        {"after episode 1 it stands lower", MENU_STAGE_MAP, true, false, true, 120.0f, MENU_LABORATORY},
        {"and no longer high", MENU_STAGE_MAP, true, false, true, 253.0f, kNoChange},
        {"a closed laboratory has no shop", MENU_STAGE_MAP, false, false, false, 253.0f, kNoChange},
        {"the mission panel has the shop", MENU_MISSION, true, false, false, 253.0f, MENU_LABORATORY},
        {"the advanced laboratory below", MENU_STAGE_MAP, true, true, false, -52.5f, MENU_UPGRADE},
        {"a closed advanced laboratory", MENU_STAGE_MAP, true, false, false, -52.5f, kNoChange},
    };
    Player("shop", 20);
    for (uint8_t& shown : g_CurrentProfile.m_abHintShown) shown = 1;
    for (const Row& r : rows) {
        SaveProfile& p = g_CurrentProfile;
        p.m_abFeatureUnlocked[0] = r.lab ? 1 : 0;
        p.m_abFeatureUnlocked[5] = r.upgradeLab ? 1 : 0;
        p.m_aiAchievementProgress[6] = r.episodeDone ? 1 : 0;
        Enter(r.screen);
        ASSERT_TRUE(Settle()) << r.rule;
        TapAt(-375.0f, r.y);
        EXPECT_EQ(Requested(), r.requested) << r.rule;
        if (r.requested == MENU_LABORATORY) {
            EXPECT_EQ(Menu().m_iLabOrigin, r.screen) << r.rule;
        }
    }
}

TEST_F(MenuScreenRules, TheLaboratoryPagesFourRowsAtATime) {
    struct Row {
        const char* rule;
        int listed, down, up;
        float maximum, position;
        bool arrows = false;  // the arrows tapped instead of the wheel
    } const rows[] = {
        {"four items make one page", 4, 1, 0, 0.0f, 0.0f},
        {"a fifth item makes a second page", 5, 1, 0, 672.0f, 672.0f},
        {"paging stops at the last page", 5, 3, 0, 672.0f, 672.0f},
        {"nine items make three pages", 9, 2, 0, 1344.0f, 1344.0f},
        {"a page back from the last", 9, 2, 1, 1344.0f, 672.0f},
        {"paging back stops at the first page", 9, 0, 2, 1344.0f, 0.0f},
        {"the down arrow pages forward", 9, 1, 0, 1344.0f, 672.0f, true},
        {"the up arrow pages back", 9, 2, 1, 1344.0f, 672.0f, true},
    };
    Player("lab", 20);
    g_CurrentProfile.m_abFeatureUnlocked[0] = 1;
    for (const Row& r : rows) {
        for (int i = 0; i < LAB_ITEMS; ++i) g_CurrentProfile.m_aLabItem[i] = LabItemRecord{0, i < r.listed ? 1 : 0};
        Enter(MENU_LABORATORY);
        ASSERT_TRUE(Settle()) << r.rule;
        CPageMenu& m = Menu();
        EXPECT_FLOAT_EQ(m.m_LabList.maximum, r.maximum) << r.rule;
        for (int i = 0; i < r.down + r.up; ++i) {
            if (r.arrows) {
                TapButton(m.m_apListButton[i < r.down ? 3 : 2]);
                Frame(BUTTON_CLICK_COOLDOWN);
                continue;
            }
            m_App->m_aInput[0].m_aiKey[i < r.down ? MOUSE_WHEEL_BACKWARD : MOUSE_WHEEL_FORWARD] = KEY_PRESSED;
            Frame();
        }
        EXPECT_FLOAT_EQ(m.m_LabList.position, r.position) << r.rule;
    }
}

TEST_F(MenuScreenRules, TheLaboratoryMarksWhatTheNextAreaRecommends) {
    struct Row {
        const char* rule;
        int furthest, slots, life, energy;
        bool slotsMarked, lifeMarked, energyMarked;
    } const rows[] = {
        {"the first area recommends nothing", 1, 4, 0, 0, false, false, false},
        {"inside area 1 the second area's needs are marked", 5, 4, 0, 0, true, true, true},
        {"met needs are not marked", 5, 5, 1, 1, false, false, false},
        {"at the start of area 2 its own needs count", 11, 4, 0, 0, true, true, true},
        {"a life booster of 1 meets area 2", 11, 5, 1, 0, false, false, true},
        {"inside area 2 a life booster of 1 falls short", 12, 6, 1, 2, false, true, false},
        {"inside area 2 a life booster of 2 meets area 3", 12, 6, 2, 2, false, false, false},
        {"inside area 5 there is no further area", 45, 4, 0, 0, false, false, false},
        {"episode 2 recommends nothing", 60, 4, 0, 0, false, false, false},
        {"a mini-game counts as its stage's area", 152, 4, 0, 0, true, true, true},
        {"a mini-game is never an area start", 152, 5, 1, 1, false, false, false},
    };
    Player("marks", 1);
    Enter(MENU_LABORATORY);
    for (const Row& r : rows) {
        SaveProfile& p = g_CurrentProfile;
        p.m_iFurthestStage = r.furthest;
        p.m_nCardSlots = r.slots;
        p.m_iLifeBooster = r.life;
        p.m_iEnergyBooster = r.energy;
        EXPECT_EQ(Menu().IsLabItemRecommended(0), r.slotsMarked) << r.rule;
        EXPECT_EQ(Menu().IsLabItemRecommended(1), r.lifeMarked) << r.rule;
        EXPECT_EQ(Menu().IsLabItemRecommended(2), r.energyMarked) << r.rule;
        EXPECT_FALSE(Menu().IsLabItemRecommended(3)) << r.rule;
    }
}

// The new-achievement board over the laboratory waits while a box is open.
TEST_F(MenuScreenRules, TheLaboratorysAchievementBoardWaitsForAnOpenBox) {
    struct Row {
        const char* rule;
        bool boxOpen;
        bool moves;
    } const rows[] = {
        {"with no box the board comes in", false, true},
        {"an open box holds it", true, false},
    };
    Player("board", 20);
    g_CurrentProfile.m_abFeatureUnlocked[0] = 1;
    for (LabItemRecord& item : g_CurrentProfile.m_aLabItem) item = LabItemRecord{0, 0};
    g_CurrentProfile.m_aLabItem[3] = LabItemRecord{0, 1};
    g_CurrentProfile.m_iMetalParts = 0;
    for (const Row& r : rows) {
        Enter(MENU_LABORATORY);
        ASSERT_TRUE(Settle()) << r.rule;
        CEffect_NewAchievement& board = *m_App->m_pEffectNewAchievement;
        board.ResetBoard();
        if (r.boxOpen) {
            TapAt(30.0f, 157.0f);  // the first row, short of parts
            ASSERT_EQ(BoxKind(), MSGBOX_NOT_ENOUGH_PARTS) << r.rule;
        }
        board.Announce(1);
        const int age = board.m_aInstances[0].age;
        Frame(5);
        EXPECT_EQ(board.m_aInstances[0].age != age, r.moves) << r.rule;
        m_App->m_pEffectMsgBox->Clear(0);
        board.ResetBoard();
    }
}

// The name and description each listed item shows for its offered level.
TEST_F(MenuScreenRules, TheLaboratorySaysWhatEachItemsNextLevelGives) {
    struct Row {
        int item, offered, slots;
        const char *name, *description;
    } const rows[] = {
        {0, 1, 4, "Slot Expansion", "Increases maximum number of card slot\nto 6 slots."},
        {0, 3, 7, "Slot Expansion", "Increases maximum number of card slot\nto 8 slots."},
        {0, 5, 10, "Slot Expansion", "Increases maximum number of card slot\nto 10 slots."},
        {1, 2, 4, "Life Booster", "Increases maximum Life Point to 4\nhearts."},
        {2, 3, 4, "Energy Booster", "Increases initial Energy Point to 25\npoints."},
        {3, 4, 4, "Luck Booster", "Increases chance of energy and parts dropping from dead enemy by 12%."},
        {4, 2, 4, "Advance Fusion", "Increases chance to generate energy at higher power by 6%."},
        {5, 5, 4, "Advance Production", "Increases chance to produce metal parts at higher value by 15%."},
        {6, 1, 4, "Hammer Bot Card", "Smashes underground enemies."},
        {13, 1, 4, "Mortar Weapon Card", "Makes Cannon Bot shoot Mini-Bombers instead of bullets."},
        {14, 1, 4, "Cold Energy - Lv.1", "Increase Energy limit to 120 points.\n(for Survival Mode only)"},
    };
    Player("texts", 20);
    g_CurrentProfile.m_abFeatureUnlocked[0] = 1;
    for (const Row& r : rows) {
        for (LabItemRecord& item : g_CurrentProfile.m_aLabItem) item = LabItemRecord{0, 0};
        g_CurrentProfile.m_aLabItem[r.item] = LabItemRecord{0, r.offered};
        g_CurrentProfile.m_nCardSlots = r.slots;
        Enter(MENU_LABORATORY);
        ASSERT_TRUE(Settle()) << r.name;
        EXPECT_EQ(Menu().m_aLabText[r.item][0], r.name);
        EXPECT_EQ(Menu().m_aLabText[r.item][1], r.description) << r.name;
    }
}

TEST_F(MenuScreenRules, TheProfilesScreenCreatesRenamesAndDeletesDownToNone) {
    Player("ann", 1);
    Enter(MENU_PROFILES);
    ASSERT_TRUE(Settle());
    CPageMenu& m = Menu();
    CGameSaveData& save = *m_App->m_pSaveData;
    auto type = [&](const char* letters) {
        for (const char* c = letters; *c; ++c) Key(*c);
        Key(VK_ENTER);
    };
    struct Row {
        const char* rule;
        std::function<void()> act;
        int used;
        const char* names;  // the stored names, comma-separated
        bool backShown;
    } const rows[] = {
        {"create leads to name entry and back with a new profile",
         [&] {
             TapButton(m.m_pCreateButton);
             ASSERT_TRUE(Reach(MENU_NAME_ENTRY));
             type("BO");
             ASSERT_TRUE(Reach(MENU_PROFILES));
         },
         2, "ann,bo", true},
        {"rename changes the chosen profile's name",
         [&] {
             TapButton(m.m_apProfileRow[1]);
             TapButton(m.m_pRenameButton);
             ASSERT_TRUE(Reach(MENU_NAME_ENTRY));
             EXPECT_STREQ(m.m_szEntryName, "bo");
             Key(kVkBack);
             Key(kVkBack);
             type("CY");
             ASSERT_TRUE(Reach(MENU_PROFILES));
         },
         2, "ann,cy", true},
        {"an empty row is no profile to choose",
         [&] {
             m_App->m_pSndError->Stop();
             TapButton(m.m_apProfileRow[2]);
             EXPECT_EQ(m.m_iProfileSelection, 1);
             EXPECT_TRUE(m_App->m_pSndError->IsPlaying());
         },
         2, "ann,cy", true},
        {"a third profile fills the slots and create is refused",
         [&] {
             TapButton(m.m_pCreateButton);
             ASSERT_TRUE(Reach(MENU_NAME_ENTRY));
             type("DI");
             ASSERT_TRUE(Reach(MENU_PROFILES));
             ASSERT_TRUE(Settle());
             TapButton(m.m_pCreateButton);
             EXPECT_EQ(Requested(), kNoChange);
         },
         3, "ann,cy,di", true},
        {"a used row is chosen with a click",
         [&] {
             ASSERT_TRUE(Settle());
             m_App->m_pSndBtnClick->Stop();
             TapButton(m.m_apProfileRow[0]);
             EXPECT_EQ(m.m_iProfileSelection, 0);
             EXPECT_TRUE(m_App->m_pSndBtnClick->IsPlaying());
             TapButton(m.m_apProfileRow[1]);
         },
         3, "ann,cy,di", true},
        {"delete asks first and removes the chosen profile",
         [&] {
             TapButton(m.m_pDeleteButton);
             EXPECT_EQ(BoxKind(), MSGBOX_DELETE_PROFILE);
             AnswerBox();
             ASSERT_TRUE(Settle());
         },
         2, "ann,di", true},
        {"the second of two is deleted",
         [&] {
             TapButton(m.m_apProfileRow[1]);
             Frame(5);
             TapButton(m.m_pDeleteButton);
             AnswerBox();
             ASSERT_TRUE(Settle());
         },
         1, "ann", true},
        {"deleting the last profile leaves none and hides Back",
         [&] {
             TapButton(m.m_apProfileRow[0]);
             Frame(5);
             TapButton(m.m_pDeleteButton);
             AnswerBox();
             ASSERT_TRUE(Settle());
             Frame(2);
         },
         0, "", false},
    };
    for (const Row& r : rows) {
        r.act();
        if (HasFatalFailure()) return;
        EXPECT_EQ(save.Header().m_nProfilesInUse, r.used) << r.rule;
        std::string names;
        for (int i = 0; i < save.Header().m_nProfilesInUse; ++i)
            names += std::string(i ? "," : "") + g_aStoredProfiles[i].m_szName;
        EXPECT_EQ(names, r.names) << r.rule;
        EXPECT_EQ(m.m_pBackButton->m_vPosition.x != 9999.0f, r.backShown) << r.rule;
        EXPECT_EQ(m.m_pRenameButton->m_iStatus == BUTTON_DISABLE, r.used == 0) << r.rule;
        EXPECT_EQ(m.m_pDeleteButton->m_iStatus == BUTTON_DISABLE, r.used == 0) << r.rule;
        EXPECT_EQ(m.m_pCreateButton->m_iStatus == BUTTON_DISABLE, r.used == 3) << r.rule;
    }
}

// Each key of the name entry, typed through the page: what the name becomes,
// which sound answers and whether the screen is left.
TEST_F(MenuScreenRules, TheNameEntryTakesEightCharactersAndRefusesWithTheErrorSound) {
    constexpr int kCaps = 19, kDel = 27, kDigits = 28, kSpace = 29;
    struct Row {
        const char* rule;
        bool hasProfile;
        const char* before;
        std::vector<int> keys;  // on-screen keys, then -1 for Escape
        const char* after;
        bool error;
        int screen;
    } const rows[] = {
        {"a letter key adds its lower-case letter", true, "ab", {0}, "abq", false, kNoChange},
        {"the bottom row starts with z", true, "", {20, 26}, "zm", false, kNoChange},
        {"the middle row starts with a", true, "", {10, 18}, "al", false, kNoChange},
        {"Caps turns the letters upper case", true, "", {kCaps, 0}, "Q", false, kNoChange},
        {"123 turns the top row into digits", true, "", {kDigits, 0}, "0", false, kNoChange},
        {"a key of no digit adds nothing", true, "a", {kDigits, 10}, "a", false, kNoChange},
        {"a ninth character is refused", true, "abcdefgh", {0}, "abcdefgh", true, kNoChange},
        {"Space adds a space below eight", true, "ab", {kSpace}, "ab ", false, kNoChange},
        {"a ninth space is refused", true, "abcdefgh", {kSpace}, "abcdefgh", true, kNoChange},
        {"Del removes the last character", true, "ab", {kDel}, "a", false, kNoChange},
        {"Del on an empty name is refused", true, "", {kDel}, "", true, kNoChange},
        {"Escape with a profile returns with a click", true, "ab", {-1}, "ab", false, MENU_PROFILES},
        {"Escape with no profile is refused", false, "ab", {-1}, "ab", true, kNoChange},
    };
    for (const Row& r : rows) {
        if (r.hasProfile) {
            if (m_App->m_pSaveData->Header().m_nProfilesInUse == 0) Player("keys", 1);
        } else
            while (m_App->m_pSaveData->Header().m_nProfilesInUse > 0) m_App->m_pSaveData->DeleteProfile(0);
        Enter(MENU_NAME_ENTRY);
        ASSERT_TRUE(Settle()) << r.rule;
        CPageMenu& m = Menu();
        m.m_iEntryReturn = MENU_PROFILES;
        std::snprintf(m.m_szEntryName, sizeof m.m_szEntryName, "%s", r.before);
        EXPECT_EQ(m.m_pCancelButton->m_iStatus == BUTTON_DISABLE, !r.hasProfile) << r.rule;
        for (int k : r.keys) {
            m_App->m_pSndError->Stop();
            m_App->m_pSndBtnClick->Stop();
            if (k < 0) Key(kVkEscape);
            else TapButton(m.m_apKey[k]);
        }
        EXPECT_STREQ(m.m_szEntryName, r.after) << r.rule;
        EXPECT_EQ(m_App->m_pSndError->IsPlaying(), r.error) << r.rule;
        EXPECT_EQ(m_App->m_pSndBtnClick->IsPlaying(), !r.error) << r.rule;
        EXPECT_EQ(Requested(), r.screen) << r.rule;
        Settle();
    }
}

// After a confirmed deletion the selection stays on a used slot: deleting the
// highest used slot moves it one up, and that profile becomes the live one.
TEST_F(MenuScreenRules, DeletingTheLastProfileInTheListSelectsTheOneAboveIt) {
    struct Row {
        const char* rule;
        std::vector<const char*> names;
        int selected;
        int selectionAfter;
        const char* liveAfter;  // nullptr: no profile left
    } const rows[] = {
        {"the last of three: the second is selected", {"ann", "bo", "cy"}, 2, 1, "bo"},
        {"the last of two: the first is selected", {"ann", "bo"}, 1, 0, "ann"},
        {"the middle of three: the third moves into its slot", {"ann", "bo", "cy"}, 1, 1, "cy"},
        {"the first of three: the second moves into its slot", {"ann", "bo", "cy"}, 0, 0, "bo"},
        {"the only one: selection 0 and no profile", {"ann"}, 0, 0, nullptr},
    };
    CPageMenu& m = Menu();
    CGameSaveData& save = *m_App->m_pSaveData;
    for (const Row& r : rows) {
        while (save.Header().m_nProfilesInUse > 0) ASSERT_EQ(save.DeleteProfile(0), CVxSaveData::SAVE_OK);
        for (const char* name : r.names) ASSERT_EQ(save.CreateProfile(name), CVxSaveData::SAVE_OK);
        save.Header().m_iCurrentProfile = r.selected;
        g_CurrentProfile = g_aStoredProfiles[r.selected];
        m.m_iProfileSelection = r.selected;
        m.DeleteCurrentProfile();
        EXPECT_EQ(save.Header().m_nProfilesInUse, int(r.names.size()) - 1) << r.rule;
        EXPECT_EQ(m.m_iProfileSelection, r.selectionAfter) << r.rule;
        if (r.liveAfter) {
            EXPECT_EQ(save.Header().m_iCurrentProfile, r.selectionAfter) << r.rule;
            EXPECT_STREQ(g_CurrentProfile.m_szName, r.liveAfter) << r.rule;
            EXPECT_STREQ(g_aStoredProfiles[r.selectionAfter].m_szName, r.liveAfter) << r.rule;
        }
    }
}

// The episode list's wheel steps over episode 3 until it is reached, and
// stops at either end.
TEST_F(MenuScreenRules, TheEpisodeListStepsOverTheThirdEpisodeUntilItIsReached) {
    struct Row {
        const char* rule;
        int furthest;
        std::vector<int> steps;  // +1 down the list, -1 up
        int choice;
    } const rows[] = {
        {"one step down", 60, {1}, 1},
        {"episode 3 not reached is stepped over", 60, {1, 1}, 3},
        {"and stepped over on the way back", 60, {1, 1, -1}, 1},
        {"the mini-games end the list", 60, {1, 1, 1}, 3},
        {"the top of the list stays", 60, {-1}, 0},
        {"episode 3 reached is a step of its own", 120, {1, 1}, 2},
        {"and on the way back", 120, {1, 1, 1, -1}, 2},
    };
    Player("steps", 60);
    g_CurrentProfile.m_abFeatureUnlocked[4] = 1;
    for (const Row& r : rows) {
        g_CurrentProfile.m_iFurthestStage = r.furthest;
        Menu().ResetEpisode();
        Enter(MENU_EPISODE);
        ASSERT_TRUE(Settle()) << r.rule;
        CPageMenu& m = Menu();
        ASSERT_EQ(m.m_iEpisodeChoice, 0) << r.rule;
        for (int step : r.steps) {
            m_App->m_aInput[0].m_aiKey[step > 0 ? MOUSE_WHEEL_BACKWARD : MOUSE_WHEEL_FORWARD] = KEY_PRESSED;
            Frame();
            for (int i = 0; i < 90 && m.m_iEpisodeScroll != -1; ++i) Frame();
        }
        EXPECT_EQ(m.m_iEpisodeChoice, r.choice) << r.rule;
    }
}

// A replayed episode end leaves "End of Episode" pending: the episode choice
// opens box 16 once it takes input, and only once.
TEST_F(MenuScreenRules, TheEpisodeChoiceOpensEndOfEpisodeOnceWhenItIsPending) {
    const struct {
        const char* rule;
        bool pending;
        int box;
    } rows[] = {
        {"pending: box 16 opens", true, 16},
        {"not pending: no box", false, -1},
    };
    Player("ended", 51);
    for (const auto& r : rows) {
        Enter(MENU_EPISODE);
        ASSERT_NE(m_App->m_pEffectMsgBox, nullptr);
        m_App->m_pEffectMsgBox->m_bEndOfEpisodePending = r.pending;
        for (int i = 0; i < 150 && BoxKind() == -1; ++i) Frame();
        EXPECT_EQ(BoxKind(), r.box) << r.rule;
        EXPECT_FALSE(m_App->m_pEffectMsgBox->m_bEndOfEpisodePending) << r.rule;
        if (r.box != -1) {
            AnswerBox();
            for (int i = 0; i < 60 && BoxKind() != -1; ++i) Frame();
            Frame(60);
            EXPECT_EQ(BoxKind(), -1) << r.rule << ": it does not come back";
        }
    }
}

// Frames of an unlock sequence on its screen, told as events.
std::vector<std::string> RunUnlock(CGameApplication& app, CPageMenu& m, const int& marker,
                                   const std::function<void()>& frame, const std::function<void()>& answer) {
    std::vector<std::string> events;
    CEffect_MsgBox& box = *app.m_pEffectMsgBox;
    bool burst = false;
    bool answered = false;
    for (int i = 0; i < 400 && events.size() < 8; ++i) {
        if (box.IsOpen() && !answered) {
            events.push_back("box " + std::to_string(box.m_aInstances[0].kind));
            answer();
            answered = true;
        }
        answered = answered && box.IsOpen();
        if (!burst && m.m_pItemEffect->IsBusy()) {
            burst = true;
            events.push_back("lock burst");
        }
        if (marker == -1 && m.IsInputFree()) {
            events.push_back("marker ended");
            for (int f = 0; f < 120 && !box.IsOpen(); ++f) frame();
            events.push_back(box.IsOpen() ? "box again" : "box stays shut");
            break;
        }
        frame();
    }
    return events;
}

TEST_F(MenuScreenRules, UnlockSequencesAnnounceOnceAndEnd) {
    struct Row {
        const char* rule;
        int screen, furthest, marker;
        bool equipped;
        std::vector<std::string> events;
    } const rows[] = {
        {"a new episode is announced with box 15 and the lock bursts",
         MENU_EPISODE,
         51,
         2,
         true,
         {"box 15", "lock burst", "marker ended", "box stays shut"}},
        {"the third episode likewise",
         MENU_EPISODE,
         101,
         3,
         true,
         {"box 15", "lock burst", "marker ended", "box stays shut"}},
        {"an episode not on the list is dropped", MENU_EPISODE, 51, 3, true, {"marker ended", "box stays shut"}},
        {"an equipped new area is announced with box 14 and the lock bursts",
         MENU_STAGE_MAP,
         11,
         2,
         true,
         {"box 14", "lock burst", "marker ended", "box stays shut"}},
        {"an unequipped new area shows its conditions, no burst",
         MENU_STAGE_MAP,
         11,
         2,
         false,
         {"box 13", "marker ended", "box stays shut"}},
    };
    Player("unlock", 1);
    for (const Row& r : rows) {
        SaveProfile& p = g_CurrentProfile;
        p.m_iFurthestStage = r.furthest;
        p.m_nCardSlots = r.equipped ? 9 : 4;
        p.m_iLifeBooster = p.m_iEnergyBooster = r.equipped ? 4 : 0;
        int& marker = r.screen == MENU_EPISODE ? m_App->m_iChosenEpisode : m_App->m_iNewArea;
        marker = r.marker;
        m_App->m_iMenuReturnScreen = r.screen;
        Enter(r.screen);
        const std::vector<std::string> events = RunUnlock(
            *m_App, Menu(), marker, [&] { Frame(); }, [&] { AnswerBox(); });
        EXPECT_EQ(events, r.events) << r.rule;
        marker = -1;
    }
}

TEST_F(MenuScreenRules, OnlyOpenRobopediaCardsOpenTheInformationBoard) {
    struct Row {
        const char* rule;
        int robot;
        bool unlock, opens;
    } const rows[] = {
        {"robot 0 is open from the start", 0, false, true},
        {"robot 1 is open from the start", 1, false, true},
        {"a locked robot's blank card opens nothing", 5, false, false},
        {"an unlocked robot's card opens the board", 5, true, true},
    };
    Player("pedia", 20);
    g_CurrentProfile.m_abFeatureUnlocked[1] = 1;
    for (const Row& r : rows) {
        if (r.unlock) g_CurrentProfile.m_abRobotUnlocked[r.robot] = 1;
        Enter(MENU_ROBOPEDIA);
        ASSERT_TRUE(Settle()) << r.rule;
        Frame(2);
        CPageMenu& m = Menu();
        TapButton(m.m_apRobotEntry[r.robot]);
        EXPECT_EQ(m.m_Robopedia.boardOpen != 0, r.opens) << r.rule;
        EXPECT_EQ(m.m_pRobotInfo->m_aInstances[0].life > 0, r.opens) << r.rule;
        if (r.opens) {
            EXPECT_EQ(m.m_pRobotInfo->m_aInstances[0].kind, r.robot) << r.rule;
            // The page's overlay and the Robopedia's own both step the dimming behind the board.
            const int age = m_App->m_pEffectBlackScreen->m_aInstances[0].age;
            Frame(4);
            EXPECT_EQ(m_App->m_pEffectBlackScreen->m_aInstances[0].age - age, 8) << r.rule;
        }
    }
}

// The two grids lie 620 pixels apart: the wheel slides 15 a frame from the
// robots (offset 0) to the Machines (offset 620) and back.
TEST_F(MenuScreenRules, TheRobopediaSlidesSixHundredTwentyPixelsBetweenItsGrids) {
    Player("pedia", 20);
    g_CurrentProfile.m_abFeatureUnlocked[1] = 1;
    Enter(MENU_ROBOPEDIA);
    ASSERT_TRUE(Settle());
    Frame(2);
    CPageMenu& m = Menu();
    struct Place {
        const char* what;
        const CVxButton* entry;
        float x, y;  // at offset 0; the offset is added to y
    } const places[] = {
        {"robot 0, top left", m.m_apRobotEntry[0], -230.0f, 150.0f},
        {"robot 9, second row", m.m_apRobotEntry[9], -141.0f, 55.0f},
        {"robot 39, bottom right", m.m_apRobotEntry[39], 393.0f, -230.0f},
        {"Machine 0, top left", m.m_apMachineEntry[0], -230.0f, -470.0f},
        {"Machine 31, bottom right", m.m_apMachineEntry[31], 393.0f, -755.0f},
    };
    auto expectAt = [&](int offset) {
        EXPECT_EQ(m.m_iRobopediaOffset, offset);
        for (const Place& p : places) {
            EXPECT_FLOAT_EQ(p.entry->m_vPosition.x, p.x) << p.what << " at offset " << offset;
            EXPECT_FLOAT_EQ(p.entry->m_vPosition.y, p.y + float(offset)) << p.what << " at offset " << offset;
        }
    };
    expectAt(0);
    const struct {
        const char* rule;
        int wheel, target;
    } slides[] = {
        {"towards the Machines", MOUSE_WHEEL_BACKWARD, 620},
        {"back to the robots", MOUSE_WHEEL_FORWARD, 0},
    };
    for (const auto& s : slides) {
        m_App->m_aInput[0].m_aiKey[s.wheel] = KEY_PRESSED;
        Frame();
        ASSERT_NE(m.m_iRobopediaSlide, 0) << s.rule;
        std::vector<int> offsets;
        for (int i = 0; i < 60 && m.m_iRobopediaSlide != 0; ++i) {
            Frame();
            offsets.push_back(m.m_iRobopediaOffset);
        }
        ASSERT_EQ(m.m_iRobopediaSlide, 0) << s.rule;
        // 620 is not a multiple of 15: 41 steps of 15, and the last is cut to the end.
        ASSERT_GE(offsets.size(), 2u) << s.rule;
        EXPECT_EQ(std::abs(offsets[1] - offsets[0]), 15) << s.rule;
        EXPECT_EQ(offsets.back(), s.target) << s.rule;
        EXPECT_EQ(std::abs(offsets[offsets.size() - 2] - s.target), 620 % 15) << s.rule;
        Frame();
        expectAt(s.target);
    }
}

// The credits roll rises half a unit a frame once faded in, and stands
// still while it fades in by a hundredth a frame.
TEST_F(MenuScreenRules, TheCreditsRiseHalfAUnitAFrameOnceFadedIn) {
    Player("credits", 1);
    Enter(MENU_CREDITS);
    ASSERT_TRUE(Settle());
    CPageMenu& m = Menu();
    const struct {
        const char* rule;
        bool dragged;  // the mouse held and moved at (x, y)
        float x, y;
        float fade;
        int frames;
        float rise;
        float fadeAfter;
    } rows[] = {
        {"faded in: 0.5 a frame", false, -400.0f, 300.0f, 1.0f, 10, 5.0f, 1.0f},
        {"faded in, longer", false, -400.0f, 300.0f, 1.0f, 40, 20.0f, 1.0f},
        {"fading in: still", false, -400.0f, 300.0f, 0.5f, 10, 0.0f, 0.6f},
        {"a drag over the lines: 4 a frame", true, 0.0f, 0.0f, 1.0f, 10, 40.0f, 1.0f},
        {"a drag over the lines fades in four times faster", true, 0.0f, 0.0f, 0.5f, 10, 0.0f, 0.9f},
        {"a drag at the lines' left end", true, -249.0f, 0.0f, 1.0f, 10, 40.0f, 1.0f},
        {"a drag left of the lines", true, -251.0f, 0.0f, 1.0f, 10, 5.0f, 1.0f},
        {"a drag at the lines' right end", true, 403.0f, 0.0f, 1.0f, 10, 40.0f, 1.0f},
        {"a drag right of the lines", true, 405.0f, 0.0f, 1.0f, 10, 5.0f, 1.0f},
        {"a drag below the header", true, 0.0f, 226.0f, 1.0f, 10, 40.0f, 1.0f},
        {"a drag over the header", true, 0.0f, 228.0f, 1.0f, 10, 5.0f, 1.0f},
    };
    for (const auto& r : rows) {
        CursorAt(r.x, r.y);
        uint32_t& mouse = m_App->m_aInput[0].m_aiKey[MOUSE_LEFT];
        if (r.dragged) {
            mouse = KEY_PRESSED | KEY_HELD;
            Frame();
            mouse = KEY_HELD;
            Frame();
            ASSERT_EQ(m.m_iGesture, GESTURE_DRAGGING) << r.rule;
        }
        m.m_fCreditsScroll = 300.0f;
        m.m_fCreditsFade = r.fade;
        Frame(r.frames);
        EXPECT_FLOAT_EQ(m.m_fCreditsScroll - 300.0f, r.rise) << r.rule;
        EXPECT_NEAR(m.m_fCreditsFade, r.fadeAfter, 1e-4f) << r.rule;
        mouse = r.dragged ? uint32_t(KEY_RELEASED) : 0u;
        Frame(2);
        mouse = 0;
    }
}

TEST_F(MenuScreenRules, AListSlidesForwardAndClicksBack) {
    struct Row {
        const char* rule;
        int screen;
        bool forward;
        const char* sound;  // "slide" or "click"
    } const rows[] = {
        {"a step down the stage map slides", MENU_STAGE_MAP, true, "slide"},
        {"a step back up the stage map clicks", MENU_STAGE_MAP, false, "click"},
        {"a step down the mini-game list slides", MENU_MINIGAME, true, "slide"},
        {"a step back up the mini-game list clicks", MENU_MINIGAME, false, "click"},
    };
    Player("steps", 165);
    g_CurrentProfile.m_aiAchievementProgress[7] = 1;
    for (const Row& r : rows) {
        Enter(r.screen);
        ASSERT_TRUE(Settle()) << r.rule;
        CPageMenu& m = Menu();
        const int& scroll = r.screen == MENU_STAGE_MAP ? m.m_iMapScroll : m.m_iMiniGameScroll;
        if (!r.forward) {
            m_App->m_aInput[0].m_aiKey[MOUSE_WHEEL_BACKWARD] = KEY_PRESSED;
            Frame();
            for (int i = 0; i < 60 && scroll != -1; ++i) Frame();
            ASSERT_EQ(scroll, -1) << r.rule;
        }
        m.m_pSlideSound->Stop();
        m_App->m_pSndBtnClick->Stop();
        m_App->m_aInput[0].m_aiKey[r.forward ? MOUSE_WHEEL_BACKWARD : MOUSE_WHEEL_FORWARD] = KEY_PRESSED;
        Frame();
        EXPECT_NE(scroll, -1) << r.rule << ": the list moves";
        const bool click = std::string(r.sound) == "click";
        EXPECT_EQ(m_App->m_pSndBtnClick->IsPlaying(), click) << r.rule;
        EXPECT_EQ(m.m_pSlideSound->IsPlaying(), !click) << r.rule;
    }
}

TEST_F(MenuScreenRules, TheMenuMusicFadesItsIntroInAndThenLoops) {
    Player("music", 1);
    Enter(MENU_MAIN);
    CPageMenu& m = Menu();
    CVxSound& intro = *m.m_pIntroMusic;
    CVxSound& loop = *m.m_pLoopMusic;
    auto restart = [&] {
        intro.Stop();
        loop.Stop();
        intro.SetVolumeFactor(0.0f);
        m.m_bIntroStarted = false;
    };
    struct Row {
        const char* rule;
        int calls;
        float factor;
    } const rows[] = {
        {"the first call starts the intro a fifth up", 1, 0.2f},
        {"each call raises it a fifth", 3, 0.6f},
        {"five calls bring it to full", 5, 1.0f},
        {"it stays at full", 8, 1.0f},
    };
    for (const Row& r : rows) {
        restart();
        for (int i = 0; i < r.calls; ++i) m.UpdateMenuMusic();
        EXPECT_TRUE(intro.IsPlaying()) << r.rule;
        EXPECT_NEAR(intro.m_fVolumeFactor, r.factor, 1e-5f) << r.rule;
        EXPECT_FALSE(loop.IsPlaying()) << r.rule << ": the loop waits for the intro";
    }
    intro.Stop();
    intro.m_bPaused = 1;
    m.UpdateMenuMusic();
    EXPECT_FALSE(loop.IsPlaying()) << "a paused intro holds the loop back";
    intro.m_bPaused = 0;
    m.UpdateMenuMusic();
    EXPECT_TRUE(loop.IsPlaying()) << "the loop follows the intro";
    EXPECT_EQ(m.Music(), &loop);
    EXPECT_FALSE(intro.IsPlaying()) << "the intro plays once";
}

TEST(LogoFade, EachPictureFadesInAndOutWithinItsFirstAndLastTenth) {
    struct Row {
        const char* rule;
        float fraction, alpha;
    } const rows[] = {
        {"a picture starts unseen", 0.0f, 0.0f},
        {"partly in at 0.03", 0.03f, float(3.5 * std::sin(0.03 * M_PI))},
        {"full at 0.0922", 0.0922f, 1.0f},
        {"full in the middle", 0.5f, 1.0f},
        {"fading at the end", 0.97f, float(3.5 * std::sin(0.97 * M_PI))},
        {"gone at the end", 1.0f, 0.0f},
    };
    for (const Row& r : rows) EXPECT_NEAR(LogoPictureAlpha(r.fraction), r.alpha, 2e-3f) << r.rule;
}

}  // namespace
