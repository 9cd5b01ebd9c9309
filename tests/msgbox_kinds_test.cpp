// The 48 message-box kinds against one table of what each shows: title,
// fixed body, button layout, panel and text band, title and body places, and
// whether a switch reopens it in place; then the buttons each layout places,
// read from the live box.

#include <map>

#include "game/MsgBoxKinds.h"
#include "tests/Harness.h"

namespace {

// Panel, text band and title height, shared by groups of kinds.
struct Frame {
    MsgBoxPanelSpec panel;
    MsgBoxBandSpec band;
    float titleY;
};
constexpr Frame kSmallBox{{false, 1.0f, 1.0f, {0, 0}}, {}, 140};
constexpr Frame kPauseBox{{true, 0.8f, 0.75f, {0, 20}}, {}, 175};
constexpr Frame kOptionsBox{{true, 0.8f, 0.75f, {0, 20}}, {true, 0.91f, 0.39f, {0, 40}}, 175};
constexpr Frame kMapBox{{true, 1.24f, 0.95f, {0, 40}}, {true, 1.39f, 0.59f, {-5, 36}}, 235};
constexpr Frame kTipBox{{true, 1.0f, 0.75f, {0, 20}}, {true, 1.1f, 0.39f, {-3, 35}}, 175};
constexpr Frame kTallTipBox{{true, 1.0f, 0.75f, {0, 20}}, {true, 1.1f, 0.44f, {-3, 23}}, 175};

struct BodyStart {
    float x, y;
    int align;  // 1 left, 0 centred
};

struct Kind {
    MsgBoxKind kind;
    const char* title;
    MsgBoxLayout layout;
    Frame frame;
    BodyStart body;
    bool reopens;
    const char* text;  // null: none, drawn in pieces or built
};

const Kind kKinds[MSGBOX_KINDS] = {
    {MSGBOX_DUPLICATE_NAME, "Duplicate Profile Name", LAYOUT_OK, kSmallBox, {-241, 75, 1}, false,
     "\t\t  Please use other name."},
    {MSGBOX_BLANK_NAME, "Blank Profile Name", LAYOUT_OK, kSmallBox, {-241, 75, 1}, false,
     "\t You must create a name first."},
    {MSGBOX_DELETE_PROFILE, "Delete This Profile", LAYOUT_OK_CANCEL, kSmallBox, {-241, 90, 1}, false,
     "   All data in this profile will be lost.\n\t\t\t\tAre you sure?"},
    {MSGBOX_RESTART_LEVEL, "Restart Level", LAYOUT_OK_CANCEL, kSmallBox, {-241, 90, 1}, true,
     "   Progress in this level will be lost.\n\t\t\t\tAre you sure?"},
    {MSGBOX_EXIT_TO_MENU, "Exit to Main Menu", LAYOUT_OK_CANCEL, kSmallBox, {-241, 90, 1}, true,
     "   Progress in this level will be lost.\n\t\t\t\tAre you sure?"},
    {MSGBOX_BUY_UPGRADE, "Buy Upgrade", LAYOUT_OK_CANCEL, kSmallBox, {-241, 75, 1}, false,
     "  Do you want to buy this upgrade?"},
    {MSGBOX_NOT_ENOUGH_PARTS, "Not Enough Parts", LAYOUT_OK, kSmallBox, {-241, 90, 1}, false,
     "  You have not enough metal parts\n\t\t\tto buy this upgrade."},
    {MSGBOX_NO_PREREQUISITE, "No Prerequisite Robot", LAYOUT_OK, kSmallBox, {-241, 90, 1}, false,
     "You must buy this robot from the lab\n\t\tbefore buying its upgrade."},
    {MSGBOX_CARD_SLOT_LIMIT, "Card Slot Limit", LAYOUT_OK, kSmallBox, {-241, 90, 1}, false,
     "You cannot buy card slots more than\n    the number of unlocked robots."},
    {MSGBOX_PAUSE, "Pause", LAYOUT_PAUSE_GRID, kPauseBox, {-253, 120, 1}, true,
     "   Select Resume to continue playing."},
    {MSGBOX_HELP, nullptr, LAYOUT_NONE, kSmallBox, {-241, 75, 1}, false,
     nullptr},
    {MSGBOX_CONTINUE_GAME, "Continue Game", LAYOUT_OK_CANCEL, kSmallBox, {-241, 75, 1}, false,
     " Continue from your latest progress?"},
    {MSGBOX_OPTIONS, "Options", LAYOUT_OPTIONS, kOptionsBox, {-241, 75, 1}, true,
     nullptr},
    {MSGBOX_MAP_UNLOCK_CONDITIONS, " Map Unlock Conditions", LAYOUT_LOW_OK, kMapBox, {-333, 157, 1}, false,
     nullptr},
    {MSGBOX_NEW_MAP_UNLOCK, "New Map Unlock", LAYOUT_OK, kSmallBox, {0, 75, 0}, true,
     nullptr},
    {MSGBOX_NEW_EPISODE_UNLOCK, "New Episode Unlock", LAYOUT_OK, kSmallBox, {0, 75, 0}, true,
     nullptr},
    {MSGBOX_END_OF_EPISODE, "End of Episode", LAYOUT_OK, kSmallBox, {-241, 90, 1}, true,
     " You've just finish the last stage of\n\t\t\t\t  the episode."},
    {MSGBOX_TIP_STAGE_RESULTS, "Tips: Stage Results", LAYOUT_TIP_OK, kTipBox, {-254, 35, 1}, false,
     "  The number of star shows how well\n  you protect your Life Point. Keep all\n"
     "   of your hearts safe to get 3 stars."},
    {MSGBOX_ROBOT_SELECTION, "Robot Selection", LAYOUT_TIP_OK, kTipBox, {-254, 100, 1}, false,
     "You currently have more Tinkerlings\nthan your available card slots.\n\n"
     "From now on, you need to choose the\nrobots to use in each battle."},
    {MSGBOX_TIP_CLEAR_RECALL, "Tips: Clear / Recall", LAYOUT_TIP_OK, kTipBox, {-254, 35, 1}, false,
     "Click CLEAR button to remove all robots\nfrom selection. Click RECALL button to\n"
     "use the robot set as your last selection."},
    {MSGBOX_PARTIAL_ROBOT_SET, "Partially Usable Robot Set", LAYOUT_TIP_OK, kTipBox, {-254, 100, 1}, false,
     "\tYour last robot set contains some\nrobots that are not allow to use in this\n"
     "stage.  Clicking RECALL button will\nretrieve only the valid robots from your\nlast selection."},
    {MSGBOX_TIP_FIELD_PREVIEW, "Tips: Battle Field Preview", LAYOUT_TIP_OK, kTipBox, {-254, 35, 1}, false,
     "\n   Click FIELD button to preview the\n\t stage will help you plan better."},
    {MSGBOX_TIP_CARD_SET, "Tips: Card Set Management", LAYOUT_TALL_TIP_OK, kTallTipBox, {-254, 105, 1}, false,
     nullptr},
    {MSGBOX_TIP_CARD_PAGES, "Tips: Card Page Navigation", LAYOUT_TIP_OK, kTipBox, {-262, 35, 1}, false,
     "You can scroll through your collection of\nrobot cards by using the mouse scroll\n"
     "wheel or clicking at the SCROLL button."},
    {MSGBOX_TIP_ROBOPEDIA, "Tips: Robopedia", LAYOUT_TIP_OK, kTipBox, {-254, 35, 1}, false,
     "Click this button to access Robopedia.\nDon't forget to check out data of any\nrobots you've met."},
    {MSGBOX_GO_TO_LABORATORY, "Go to Laboratory", LAYOUT_OK_CANCEL, kSmallBox, {-241, 75, 1}, false,
     "  Visit the lab to see new upgrades?"},
    {MSGBOX_GO_TO_UPGRADE_LAB, "Go to Upgrade Lab", LAYOUT_OK_CANCEL, kSmallBox, {-241, 75, 1}, false,
     "\t  Visit the Upgrade Laboratory?"},
    {MSGBOX_TIP_SCROLL_WHEEL, "Tips: Scroll Wheel", LAYOUT_TIP_OK, kTipBox, {-254, 35, 1}, false,
     "Did you know? You can scroll the page\nup and down more easily by using the\n"
     "scroll wheel on your mouse."},
    {MSGBOX_TOO_EASY, "Too Easy?", LAYOUT_OK_CANCEL, kSmallBox, {-241, 90, 1}, false,
     " Seems like current level is too easy\n for you.  Try harder difficulty?"},
    {MSGBOX_TOO_HARD, "Too Hard?", LAYOUT_OK_CANCEL, kSmallBox, {-241, 90, 1}, false,
     "Current level may be too challenging.\n   Want to play at easier difficulty?"},
    {MSGBOX_DIFFICULTY_CHANGED, "Difficulty Changed", LAYOUT_OK, kSmallBox, {-241, 75, 1}, true,
     nullptr},
    {MSGBOX_TIP_LIFE_DAMAGE, "Tips: Damage to Life Point", LAYOUT_TALL_TIP_OK, kTallTipBox, {-254, 35, 1}, false,
     "Each enemy deals different damage to your Life Point. Be aware of the higher level enemies "
     "that tend to be more harmful."},
    {MSGBOX_TIP_MINI_CAPSULE, "Tips: Mini Capsule", LAYOUT_TIP_OK, kTipBox, {-254, 35, 1}, false,
     "\nDelivers a reinforcement for Tinkerlings.\n  Better grab it fast before it leaves!"},
    {MSGBOX_TIP_UNDERWATER, "Tips : Underwater Stage", LAYOUT_TIP_OK, kTipBox, {-254, 100, 1}, false,
     "Due to aquatic environment, some\ntypes of robots are not available to use\n"
     "in underwater stage.\nThis includes but not limited to air units\n"
     "and element associated units ."},
    {MSGBOX_TIP_METAL_SPIKES, "Tips : Metal Spikes", LAYOUT_TIP_OK, kTipBox, {-254, 100, 1}, false,
     "\nBeware of spikes! Tinkerlings who stand\non them will continuously be damaged.\n"
     "But spikes can be destroyed by some\nspecial units. (ex. Mini-Bomber)"},
    {MSGBOX_TIP_ENERGY_LIMIT, "Tips : Energy Cost Limit", LAYOUT_TIP_OK, kTipBox, {-258, 100, 1}, false,
     "Power outage causes robots with higher\nenergy cost than the limit to shut down.\n\n"
     "Therefore, only the robots with lower\nenergy cost are usable for the moment."},
    {MSGBOX_HAZARD_ACID_RAIN, "Hazard : Acid Rain", LAYOUT_TIP_OK, kTipBox, {-254, 100, 1}, false,
     "Acid Rain will damage every unit of\nTinkerlings that it first reaches.\n\n"
     "High ground areas or upper units can\nprotect the ones underneath them."},
    {MSGBOX_HAZARD_EARTHQUAKE, "Hazard : Earthquake", LAYOUT_TIP_OK, kTipBox, {-254, 100, 1}, false,
     "Earthquake inflicts damage to every\nunit of Tinkerlings standing on the\nground.\n"
     "Only flying or floating robots are safe\nfrom the earthquake."},
    {MSGBOX_HAZARD_WHIRLPOOL, "Hazard : Whirlpool", LAYOUT_TIP_OK, kTipBox, {-254, 100, 1}, false,
     "Whirlpool is a spinning water rising up\nfrom any deep underwater areas.\n\n"
     "It will damage all Tinkerlings within its\nvertical range."},
    {MSGBOX_HAZARD_JET_STREAM, "Hazard : Jet Stream", LAYOUT_TIP_OK, kTipBox, {-254, 100, 1}, false,
     "Jet Stream can push back air units that\nhappen to be in its path.\n"
     "If the robots pushed by the stream\ncollides with the ground or falls off the\n"
     "scene, they are instantly destroyed."},
    {MSGBOX_HAZARD_METEOR_FALL, "Hazard : Meteor Fall", LAYOUT_TIP_OK, kTipBox, {-254, 100, 1}, false,
     "Meteor Fall actually is The Machines\nunit that was sent from space.\n"
     "Due to its high speed, any Tinkerlings\nstanding at the impact point will be\n"
     "destroyed immediately."},
    {MSGBOX_WARNING_ENERGY, "Warning: Energy Robot", LAYOUT_WARNING, kTipBox, {-254, 100, 1}, true,
     "Your selection has no robot that can\nproduce energy. (ex. Fusor Bot)"},
    {MSGBOX_WARNING_ANTI_MOLE, "Warning: Anti-Mole Robot", LAYOUT_WARNING, kTipBox, {-254, 100, 1}, true,
     "Your selection has no robot that can\nbe used against Mole. (ex. Sonar Bot)"},
    {MSGBOX_WARNING_ANTI_GHOST, "Warning: Anti-Ghost Robot", LAYOUT_WARNING, kTipBox, {-254, 100, 1}, true,
     "Your selection has no robot that can\nbe used against Ghost. (ex. Sonar Bot)"},
    {MSGBOX_WARNING_MACHINE_GUN_BASE, "Warning: Machine Gun Base", LAYOUT_WARNING, kTipBox, {-254, 100, 1}, true,
     "You need to have Gunner Bot in your\nselection in order to use Machine Gunner."},
    {MSGBOX_WARNING_MORTAR_BASE, "Warning: Mortar Base", LAYOUT_WARNING, kTipBox, {-254, 100, 1}, true,
     "You need to have Cannon Bot in your\nselection in order to use Mortar Bot."},
    {MSGBOX_WARNING_SUBMARINE_PLATFORM, "Warning: Submarine Platform", LAYOUT_WARNING, kTipBox, {-254, 100, 1}, true,
     "This stage contains only a few ground\nareas. Please consider bringing a\n"
     "submarine platform robot with you."},
    {MSGBOX_WARNING_AIR_PLATFORM, "Warning: Air Platform", LAYOUT_WARNING, kTipBox, {-254, 100, 1}, true,
     "This stage contains only a few ground\nareas. Please consider bringing an air\n"
     "platform robot with you."},
};

using MsgBoxLayouts = PopupTest;

void ExpectPlace(const MsgBoxPlace& got, float x, float y, const std::string& what) {
    EXPECT_FLOAT_EQ(got.x, x) << what;
    EXPECT_FLOAT_EQ(got.y, y) << what;
}

}  // namespace

TEST(MsgBoxKinds, EveryKindMatchesItsRow) {
    for (int k = 0; k < MSGBOX_KINDS; ++k) {
        const Kind& e = kKinds[k];
        const std::string at = "kind " + std::to_string(k);
        ASSERT_EQ(e.kind, k) << "the table is in kind order";
        EXPECT_STREQ(MsgBoxTitle(k), e.title) << at;  // both null passes too
        EXPECT_STREQ(MsgBoxBody(k), e.text) << at;
        EXPECT_EQ(MsgBoxLayoutOf(k), e.layout) << at;
        EXPECT_EQ(IsReopenKind(k), e.reopens) << at;
        EXPECT_EQ(IsWarningKind(k), e.layout == LAYOUT_WARNING) << at;
        EXPECT_EQ(IsRobotSetWarningKind(k), e.layout == LAYOUT_WARNING && k != MSGBOX_WARNING_ENERGY) << at;

        const MsgBoxPanelSpec panel = MsgBoxPanelOf(k);
        EXPECT_EQ(panel.medium, e.frame.panel.medium) << at;
        EXPECT_FLOAT_EQ(panel.sx, e.frame.panel.sx) << at;
        EXPECT_FLOAT_EQ(panel.sy, e.frame.panel.sy) << at;
        ExpectPlace(panel.centre, e.frame.panel.centre.x, e.frame.panel.centre.y, at + " panel");
        const MsgBoxBandSpec band = MsgBoxBandOf(k);
        EXPECT_EQ(band.shown, e.frame.band.shown) << at;
        if (band.shown && e.frame.band.shown) {
            EXPECT_FLOAT_EQ(band.sx, e.frame.band.sx) << at;
            EXPECT_FLOAT_EQ(band.sy, e.frame.band.sy) << at;
            ExpectPlace(band.centre, e.frame.band.centre.x, e.frame.band.centre.y, at + " band");
        }
        MsgBoxPlace title;
        ASSERT_EQ(MsgBoxTitlePlace(k, title), e.title != nullptr) << at;
        if (e.title) {
            ExpectPlace(title, 0, e.frame.titleY, at + " title");
        }
        int align = -1;
        ExpectPlace(MsgBoxBodyStart(k, align), e.body.x, e.body.y, at + " body");
        EXPECT_EQ(align, e.body.align) << at;
    }
    for (int outside : {-1, MSGBOX_KINDS}) {
        EXPECT_EQ(MsgBoxTitle(outside), nullptr);
        EXPECT_EQ(MsgBoxBody(outside), nullptr);
        EXPECT_EQ(MsgBoxLayoutOf(outside), LAYOUT_NONE);
        EXPECT_FALSE(IsReopenKind(outside));
    }
}

// Every kind opened on the live box: the buttons of its layout stand at their
// places once it is at rest, and every other picture button stays off screen.
TEST_F(MsgBoxLayouts, EveryKindPlacesTheButtonsOfItsLayout) {
    using Place = std::pair<float, float>;
    const std::map<CVxButton*, const char*> names = {
        {box->m_pBtnOK, "OK"}, {box->m_pBtnCancel, "Cancel"}, {box->m_pBtnRestart, "Restart"},
        {box->m_pBtnResume, "Resume"}, {box->m_pBtnMenu, "Menu"}, {box->m_pBtnHelp, "Help"},
        {box->m_pBtnOption, "Option"}, {box->m_pBtnExit, "Exit"}, {box->m_pBtnSoundOff, "SoundOff"},
        {box->m_pBtnSoundOn, "SoundOn"}, {box->m_pBtnFullScreenOff, "FullScreenOff"},
        {box->m_pBtnFullScreenOn, "FullScreenOn"}};
    // The screen button shows the framework's mode; headless it is windowed.
    const std::map<MsgBoxLayout, std::map<std::string, Place>> layouts = {
        {LAYOUT_NONE, {}},
        {LAYOUT_OK, {{"OK", {0, -60}}}},
        {LAYOUT_OK_CANCEL, {{"OK", {100, -60}}, {"Cancel", {-100, -60}}}},
        {LAYOUT_PAUSE_GRID,
         {{"Restart", {-150, 15}}, {"Resume", {0, 15}}, {"Menu", {150, 15}}, {"Option", {-150, -135}},
          {"Help", {0, -135}}, {"Exit", {150, -135}}}},
        {LAYOUT_OPTIONS, {{"SoundOn", {-150, -130}}, {"FullScreenOff", {0, -130}}, {"OK", {150, -130}}}},
        {LAYOUT_LOW_OK, {{"OK", {0, -187}}}},
        {LAYOUT_TIP_OK, {{"OK", {0, -140}}}},
        {LAYOUT_TALL_TIP_OK, {{"OK", {0, -160}}}},
        {LAYOUT_WARNING, {{"OK", {100, -140}}, {"Cancel", {-100, -140}}}},
    };
    for (const Kind& e : kKinds) {
        OpenAtRest(e.kind);
        TickBox();
        const auto& expected = layouts.at(e.layout);
        for (const auto& [button, name] : names) {
            const auto it = expected.find(name);
            const Place want = it == expected.end() ? Place{MSGBOX_OFF_SCREEN, MSGBOX_OFF_SCREEN} : it->second;
            EXPECT_EQ(Place(button->m_vPosition.x, button->m_vPosition.y), want) << "kind " << e.kind << " " << name;
        }
        box->Clear(0);
    }
}

TEST(MsgBoxKinds, BuiltUnlockAndDifficultyTexts) {
    EXPECT_EQ(NewMapUnlockText(11), "Waste Sands is now unlocked.");
    EXPECT_EQ(NewMapUnlockText(1), "Green Fields is now unlocked.");
    EXPECT_EQ(NewEpisodeUnlockText(51), "''The Revenge'' is now unlocked.");
    EXPECT_EQ(NewEpisodeUnlockText(101), "''The Last Stand'' is now unlocked.");
    EXPECT_EQ(NewEpisodeUnlockText(20), "");
    EXPECT_STREQ(DifficultyChangedText(0), "\t  Difficulty is now set to EASY.");
    EXPECT_STREQ(DifficultyChangedText(1), "\tDifficulty is now set to MEDIUM.");
    EXPECT_STREQ(DifficultyChangedText(2), "\t  Difficulty is now set to HARD.");
    EXPECT_EQ(DifficultyChangedText(3), nullptr);
    EXPECT_EQ(DifficultyChangedText(-1), nullptr);
}

TEST(MsgBoxKinds, MapUnlockRowsShareOneRequirementValue) {
    SaveProfile p{};
    p.m_nCardSlots = 6;
    p.m_iLifeBooster = 2;
    p.m_iEnergyBooster = 1;
    struct Row {
        const char* text;
        bool met;
    };
    const struct {
        int area, page, openAreas;
        std::vector<Row> rows;
    } cases[] = {
        // area 2 is not below two open areas; 6 slots, 2 life and 1 energy booster held
        {2, 0, 2, {{"Finish Waste Sands Map", false}, {"6 Card Slots", true}, {"4 Life Points", true},
                   {"20 Energy Points", false}}},
        // outside areas 1 to 4 every row reads the same -1
        {0, 0, 5, {{"Finish - Map", true}, {"-1 Card Slots", true}, {"1 Life Points", true},
                   {"5 Energy Points", true}}},
        {3, 1, 0, {{"Finish South Ocean Map", false}, {"in ''The Revenge'' episode", false}}},
        {3, 2, 0, {{"Finish South Ocean Map", false}, {"in ''The Last Stand'' episode", false}}},
    };
    for (const auto& c : cases) {
        MapUnlockRow rows[MAP_UNLOCK_MAX_ROWS];
        ASSERT_EQ(MapUnlockRows(c.area, c.page, c.openAreas, p, rows), int(c.rows.size()));
        for (size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(rows[i].text, c.rows[i].text) << c.area << "/" << i;
            EXPECT_EQ(rows[i].met, c.rows[i].met) << c.area << "/" << i;
        }
    }
    MapUnlockRow rows[MAP_UNLOCK_MAX_ROWS];
    MapUnlockRows(2, 0, 2, p, rows);
    EXPECT_FLOAT_EQ(rows[3].markAt.y, -67.0f);
    MapUnlockRows(3, 1, 0, p, rows);
    EXPECT_FALSE(rows[1].hasMark);
}

TEST(MsgBoxKinds, AreaRecommendation) {
    SaveProfile p{};
    EXPECT_TRUE(MeetsAreaRecommendation(p, 0, 0));
    EXPECT_TRUE(MeetsAreaRecommendation(p, 1, 3));
    EXPECT_FALSE(MeetsAreaRecommendation(p, 0, 1));
    p.m_nCardSlots = 5;
    p.m_iLifeBooster = 1;
    EXPECT_FALSE(MeetsAreaRecommendation(p, 0, 1));
    p.m_iEnergyBooster = 1;
    EXPECT_TRUE(MeetsAreaRecommendation(p, 0, 1));
    EXPECT_FALSE(MeetsAreaRecommendation(p, 0, 2));
}
