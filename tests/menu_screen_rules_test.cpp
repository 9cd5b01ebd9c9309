// The menu's screens in a started game, one rule a row: the title's click
// guard, the slide, Play's branches, the side buttons, the locked entries,
// the laboratory's pages, markers, texts and board, the profiles screen and
// the name entry.
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
#include "tests/MenuScreenRules.h"

namespace {

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
        {"refused, create sounds the error for a press on it and for none beside it",
         [&] {
             ASSERT_TRUE(Settle());
             Frame(BUTTON_CLICK_COOLDOWN);  // past the click that made the third profile
             const CVxButton& create = *m.m_pCreateButton;
             for (const float below : {0.0f, float(create.m_iHitHalfHeight + 2)}) {
                 m_App->m_pSndError->Stop();
                 TapAt(create.m_vPosition.x, create.m_vPosition.y - below);
                 EXPECT_EQ(m_App->m_pSndError->IsPlaying(), below == 0.0f) << below << " below its centre";
             }
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

}  // namespace
