// The 48 message-box kinds: everything each shows (title, body, layout,
// panel, band, places, reopening) pinned by one fingerprint, checked against
// the designers' sheet once; then the buttons each layout places, read from
// the live box, and the texts built at run time.

#include <map>

#include "game/MsgBoxKinds.h"
#include "tests/ContentFingerprint.h"
#include "tests/Harness.h"

namespace {

using MsgBoxLayouts = PopupTest;

}  // namespace

TEST(MsgBoxKinds, EveryKindKeepsItsCheckedRow) {
    harness::Fingerprint f;
    auto place = [&f](const MsgBoxPlace& p) { f.Add(p.x), f.Add(p.y); };
    for (int k = 0; k < MSGBOX_KINDS; ++k) {
        f.Text(MsgBoxTitle(k));
        f.Text(MsgBoxBody(k));
        f.Add(int(MsgBoxLayoutOf(k)));
        f.Add(IsReopenKind(k));
        f.Add(IsWarningKind(k));
        f.Add(IsRobotSetWarningKind(k));
        const MsgBoxPanelSpec panel = MsgBoxPanelOf(k);
        f.Add(panel.medium), f.Add(panel.sx), f.Add(panel.sy), place(panel.centre);
        const MsgBoxBandSpec band = MsgBoxBandOf(k);
        f.Add(band.shown);
        if (band.shown) f.Add(band.sx), f.Add(band.sy), place(band.centre);
        MsgBoxPlace title{};
        f.Add(MsgBoxTitlePlace(k, title));
        place(title);
        int align = -1;
        place(MsgBoxBodyStart(k, align));
        f.Add(align);
    }
    EXPECT_EQ(f.Value(), 0xdeb4422519c95fdfull);
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
    const std::map<CVxButton*, const char*> names = {{box->m_pBtnOK, "OK"},
                                                     {box->m_pBtnCancel, "Cancel"},
                                                     {box->m_pBtnRestart, "Restart"},
                                                     {box->m_pBtnResume, "Resume"},
                                                     {box->m_pBtnMenu, "Menu"},
                                                     {box->m_pBtnHelp, "Help"},
                                                     {box->m_pBtnOption, "Option"},
                                                     {box->m_pBtnExit, "Exit"},
                                                     {box->m_pBtnSoundOff, "SoundOff"},
                                                     {box->m_pBtnSoundOn, "SoundOn"},
                                                     {box->m_pBtnFullScreenOff, "FullScreenOff"},
                                                     {box->m_pBtnFullScreenOn, "FullScreenOn"}};
    // The screen button shows the framework's mode; headless it is windowed.
    const std::map<MsgBoxLayout, std::map<std::string, Place>> layouts = {
        {LAYOUT_NONE, {}},
        {LAYOUT_OK, {{"OK", {0, -60}}}},
        {LAYOUT_OK_CANCEL, {{"OK", {100, -60}}, {"Cancel", {-100, -60}}}},
        {LAYOUT_PAUSE_GRID,
         {{"Restart", {-150, 15}},
          {"Resume", {0, 15}},
          {"Menu", {150, 15}},
          {"Option", {-150, -135}},
          {"Help", {0, -135}},
          {"Exit", {150, -135}}}},
        {LAYOUT_OPTIONS, {{"SoundOn", {-150, -130}}, {"FullScreenOff", {0, -130}}, {"OK", {150, -130}}}},
        {LAYOUT_LOW_OK, {{"OK", {0, -187}}}},
        {LAYOUT_TIP_OK, {{"OK", {0, -140}}}},
        {LAYOUT_TALL_TIP_OK, {{"OK", {0, -160}}}},
        {LAYOUT_WARNING, {{"OK", {100, -140}}, {"Cancel", {-100, -140}}}},
    };
    for (int kind = 0; kind < MSGBOX_KINDS; ++kind) {
        OpenAtRest(kind);
        TickBox();
        const auto& expected = layouts.at(MsgBoxLayoutOf(kind));
        for (const auto& [button, name] : names) {
            const auto it = expected.find(name);
            const Place want = it == expected.end() ? Place{MSGBOX_OFF_SCREEN, MSGBOX_OFF_SCREEN} : it->second;
            EXPECT_EQ(Place(button->m_vPosition.x, button->m_vPosition.y), want) << "kind " << kind << " " << name;
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
        {2,
         0,
         2,
         {{"Finish Waste Sands Map", false},
          {"6 Card Slots", true},
          {"4 Life Points", true},
          {"20 Energy Points", false}}},
        // outside areas 1 to 4 every row reads the same -1
        {0,
         0,
         5,
         {{"Finish - Map", true}, {"-1 Card Slots", true}, {"1 Life Points", true}, {"5 Energy Points", true}}},
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

// Episode 1's equipment for each area (index from 0): card slots, Life
// Booster and Energy Booster levels; each just met, and each one short.
TEST(MsgBoxKinds, EachAreaNeedsItsSlotsLifeBoosterAndEnergyBooster) {
    const struct { int area, slots, life, energy; } needs[] = {{1, 5, 1, 1}, {2, 6, 2, 2}, {3, 7, 3, 3}, {4, 8, 4, 4}};
    for (const auto& n : needs) {
        SaveProfile p{};
        p.m_nCardSlots = n.slots;
        p.m_iLifeBooster = n.life;
        p.m_iEnergyBooster = n.energy;
        EXPECT_TRUE(MeetsAreaRecommendation(p, 0, n.area)) << "all met, area " << n.area;
        p.m_iLifeBooster = n.life - 1;
        EXPECT_FALSE(MeetsAreaRecommendation(p, 0, n.area)) << "life booster one short, area " << n.area;
        p.m_iLifeBooster = n.life + 1;
        EXPECT_TRUE(MeetsAreaRecommendation(p, 0, n.area)) << "life booster above, area " << n.area;
        p.m_iLifeBooster = n.life;
        p.m_iEnergyBooster = n.energy - 1;
        EXPECT_FALSE(MeetsAreaRecommendation(p, 0, n.area)) << "energy booster one short, area " << n.area;
        p.m_iEnergyBooster = n.energy;
        p.m_nCardSlots = n.slots - 1;
        EXPECT_FALSE(MeetsAreaRecommendation(p, 0, n.area)) << "slots one short, area " << n.area;
        EXPECT_TRUE(MeetsAreaRecommendation(p, 1, n.area)) << "episode 2 needs nothing, area " << n.area;
    }
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
