// The story's caption texts, then the logo and story pages run by the real
// application on the headless host with the generated pack.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "content/SaveProfile.h"
#include "engine/VxSound.h"
#include "frontend/PageLogo.h"
#include "frontend/PageMenu.h"
#include "frontend/PageStory.h"
#include "frontend/StoryCaptions.h"
#include "tests/ContentFingerprint.h"
#include "game/Effect_SwitchPage.h"
#include "tests/Harness.h"
#include "tools/assetpack/Canvas.h"
#include "tools/assetpack/Encoders.h"

namespace {

// Every caption of every intro and ending, pinned as the writers left them.
TEST(StoryCaptionTexts, EveryCaptionKeepsItsCheckedText) {
    harness::Fingerprint f;
    for (int ending = 0; ending < 2; ++ending)
        for (int e = 1; e <= 3; ++e)
            for (int c = 1; c <= 8; ++c) {
                const char* text = ending ? EndingCaption(e, c) : IntroCaption(e, c);
                ASSERT_NE(text, nullptr) << ending << " " << e << "." << c;
                EXPECT_NE(text[std::strlen(text) - 1], '\n');
                f.Text(text);
            }
    EXPECT_EQ(f.Value(), 0x18e12ca9a7155d1eull);
    for (int e : {0, 4}) EXPECT_EQ(IntroCaption(e, 1), nullptr) << "episode " << e << " draws no caption";
    EXPECT_EQ(EndingCaption(1, 9), nullptr);
}

// The ending tells the furthest episode finished: episode 3 when it is done,
// else episode 2, else episode 1; its first and last captions show it.
TEST(StoryCaptionTexts, TheEndingTellsTheFurthestFinishedEpisode) {
    const struct {
        const char* rule;
        int done1, done2, done3;
        int episode;
        const char* first;  // caption 1's opening words
        const char* last;   // caption 8
    } rows[] = {
        {"nothing finished: episode 1", 0, 0, 0, 1, "After we, the Tinkerlings, fought", "We are eternally grateful"},
        {"episode 1 finished", 1, 0, 0, 1, "After we, the Tinkerlings, fought", "We are eternally grateful"},
        {"episode 2 finished", 1, 1, 0, 2, "The Machines' forces have been", "Thank you from the bottom"},
        {"episode 2 finished alone", 0, 1, 0, 2, "The Machines' forces have been", "Thank you from the bottom"},
        {"episode 3 finished", 1, 1, 1, 3, "Ultimately, violence and sheer numbers", "Whether it is today,"},
        {"episode 3 finished alone", 0, 0, 1, 3, "Ultimately, violence and sheer numbers", "Whether it is today,"},
    };
    const SaveProfile kept = g_CurrentProfile;
    for (const auto& r : rows) {
        g_CurrentProfile.m_aiAchievementProgress[6] = r.done1;
        g_CurrentProfile.m_aiAchievementProgress[7] = r.done2;
        g_CurrentProfile.m_aiAchievementProgress[8] = r.done3;
        EXPECT_EQ(CPageStory::EndingEpisode(), r.episode) << r.rule;
        const char* first = EndingCaption(CPageStory::EndingEpisode(), 1);
        const char* last = EndingCaption(CPageStory::EndingEpisode(), 8);
        ASSERT_NE(first, nullptr) << r.rule;
        ASSERT_NE(last, nullptr) << r.rule;
        EXPECT_EQ(std::string(first).rfind(r.first, 0), 0u) << r.rule << ": " << first;
        EXPECT_EQ(std::string(last).rfind(r.last, 0), 0u) << r.rule << ": " << last;
    }
    g_CurrentProfile = kept;
}

// Frame t of the caption sequence: 15 frames of picture, then for each of the
// eight captions 60 in, 405 standing, 60 out and 60 without; the Skip label
// fades in with the first caption and out with the last.
TEST(StoryCaptionTexts, EachFrameOfTheSequenceShowsItsCaptionAndSkipLabel) {
    struct Row {
        int t, segment, frame;
        float skip;
        int caption;
        float alpha;
    } const rows[] = {
        {0, 0, 0, 0.0f, 0, 0.0f},     {14, 0, 14, 0.0f, 0, 0.0f},    {15, 1, 0, 0.0f, 1, 0.0f},
        {45, 1, 30, 0.5f, 1, 0.5f},   {75, 2, 0, 1.0f, 1, 1.0f},     {479, 2, 404, 1.0f, 1, 1.0f},
        {480, 3, 0, 1.0f, 1, 1.0f},   {510, 3, 30, 1.0f, 1, 0.5f},   {540, 4, 0, 1.0f, 0, 0.0f},
        {600, 5, 0, 1.0f, 2, 0.0f},   {4575, 31, 0, 1.0f, 8, 1.0f},  {4605, 31, 30, 0.5f, 8, 0.5f},
        {4635, 32, 0, 0.0f, 0, 0.0f}, {4694, 32, 59, 0.0f, 0, 0.0f}, {4695, STORY_NO_SEGMENT, 0, 0.0f, 0, 0.0f},
    };
    for (const Row& r : rows) {
        const StorySegment s = FindStorySegment(r.t);
        EXPECT_EQ(s.segment, r.segment) << "frame " << r.t;
        EXPECT_EQ(s.frame, r.frame) << "frame " << r.t;
        EXPECT_FLOAT_EQ(SkipLabelAlpha(s), r.skip) << "frame " << r.t;
        float alpha = -1.0f;
        EXPECT_EQ(SegmentCaption(s, alpha), r.caption) << "frame " << r.t;
        EXPECT_FLOAT_EQ(alpha, r.alpha) << "frame " << r.t;
    }
    EXPECT_EQ(STORY_SEQUENCE_FRAMES, 4695);
}

// ---- The pages in the running application ----

class PageRun : public GameAppTest {
protected:
    void SetUp() override {
        GameAppTest::SetUp();
        if (!WorkDir().empty()) {
            ASSERT_EQ(chdir(WorkDir().c_str()), 0);
        }
        {
            CGameSaveData save;
            ASSERT_EQ(save.Load(), CVxSaveData::SAVE_CREATED);
            ASSERT_EQ(save.CreateProfile("Tester"), CVxSaveData::SAVE_OK);
            ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
        }
        Start();
        m_App->LoadSharedResources();
    }

    // Where the game runs; the build folder unless a test needs files beside the pack.
    virtual std::string WorkDir() const { return ""; }

    // One frame as the render road runs it.
    void Step(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            // The frame that carries out a switch shows the loading screen only.
            const bool switching = m_App->m_bSwitchPending;
            m_App->Tick();
            if (switching || m_App->m_bSwitchPending) continue;
            m_App->ProcessInput();
            m_App->Frame();
        }
    }
    void Enter(int page, int subScreen) {
        m_App->SwitchPage(page, subScreen);
        Step();
        ASSERT_EQ(int(m_App->m_iCurrentPage), page);
    }
    // A click at a point in centre coordinates (y up): press, then release.
    void ClickAt(float x, float y) {
        InputRecord& in = m_App->m_aInput[0];
        in.m_iCursorX = int(x + float(g_iScreenWidth) / 2.0f);
        in.m_iCursorY = int(float(g_iScreenHeight) / 2.0f - y);
        in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
        Step();
        in.m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
        Step();
    }
    CPageStory& Story() { return *static_cast<CPageStory*>(m_App->m_pPageStory); }
    std::vector<uint8_t> SavedProfile() {
        std::vector<uint8_t> bytes = ReadBytes(MainPath());
        if (bytes.size() < CVxSaveData::PROFILE_SIZE) return {};
        return {bytes.begin(), bytes.begin() + CVxSaveData::PROFILE_SIZE};
    }
    static constexpr size_t kStorySeenOffset = 620;
};

TEST_F(PageRun, SkipMarksTheChosenEpisodesStorySavesAndStartsTheChosenStage) {
    struct Row {
        int chosen, furthest, flag, stage;
    };
    // The chosen stage wins over the furthest one; no stage chosen falls back to it.
    const Row rows[] = {{1, 1, 0, 1},       {51, 51, 1, 51},    {51, 120, 1, 51},
                        {160, 160, 0, 160}, {101, 101, 2, 101}, {0, 101, 2, 101}};
    for (const Row& r : rows) {
        std::memset(g_CurrentProfile.m_abStorySeen, 0, sizeof g_CurrentProfile.m_abStorySeen);
        g_CurrentProfile.m_iFurthestStage = r.furthest;
        m_App->m_iCurrentStage = r.chosen;
        Enter(2, STORY_INTRO);
        Step(30);
        ClickAt(396, 305);
        EXPECT_EQ(int(m_App->m_iCurrentPage), 2) << "the label does not answer while it fades in";
        Step(60);
        ASSERT_FLOAT_EQ(Story().m_fSkipAlpha, 1.0f);
        ClickAt(396, 305);
        Step();
        EXPECT_EQ(int(m_App->m_iCurrentPage), 3) << r.chosen;
        EXPECT_EQ(int(m_App->m_iCurrentStage), r.stage) << r.chosen;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(g_CurrentProfile.m_abStorySeen[i], i == r.flag ? 1 : 0) << r.chosen;
        const std::vector<uint8_t> saved = SavedProfile();
        ASSERT_FALSE(saved.empty());
        EXPECT_EQ(saved[kStorySeenOffset + size_t(r.flag)], 1) << "written to the disk at once";
    }
}

// A stage with no record is named and not played: the story stays.
TEST_F(PageRun, SkipToAStageWithNoRecordSaysSoAndStaysOnTheStory) {
    g_CurrentProfile.m_iFurthestStage = LAST_STAGE + 1;
    m_App->m_iCurrentStage = 0;
    Enter(2, STORY_INTRO);
    Step(90);
    ClickAt(396, 305);
    Step();
    EXPECT_EQ(int(m_App->m_iCurrentPage), 2);
    EXPECT_FALSE(m_App->m_bSwitchPending);
    const std::string said = "Stage " + std::to_string(LAST_STAGE + 1) + " has no record and cannot be played.";
    EXPECT_TRUE(m_Host.boxes.Saw("Stage error", said));
}

TEST_F(PageRun, IntroRunsItsWholeSequenceIntoTheTitleCardWhichStartsTheBattleAtItsEnd) {
    g_CurrentProfile.m_iFurthestStage = 1;
    m_App->m_iCurrentStage = 1;
    Enter(2, STORY_INTRO);
    ASSERT_NE(Story().m_pMusic, nullptr) << "coming from the logo page the story has music";
    Step(STORY_SEQUENCE_FRAMES);
    EXPECT_EQ(Story().m_iSubScreen, STORY_INTRO);
    EXPECT_NEAR(Story().m_pMusic->m_fVolumeFactor, 0.85f, 0.011f) << "risen during the first sixteen segments";
    Step();
    EXPECT_EQ(Story().m_iSubScreen, STORY_TITLE);
    // The card cannot be skipped, and the save is written at its end only.
    ClickAt(396, 305);
    Step(TITLE_CARD_FRAMES - 3);
    EXPECT_EQ(int(m_App->m_iCurrentPage), 2);
    EXPECT_EQ(g_CurrentProfile.m_abStorySeen[0], 0);
    EXPECT_EQ(SavedProfile()[kStorySeenOffset], 0);
    Step(2);
    EXPECT_EQ(g_CurrentProfile.m_abStorySeen[0], 1);
    EXPECT_EQ(SavedProfile()[kStorySeenOffset], 1);
    Step();
    EXPECT_EQ(int(m_App->m_iCurrentPage), 3);
}

// The shared pictures every page borrows: one for each of the eight item
// kinds and the ninth picture; slot 8 stays empty.
TEST_F(PageRun, EveryItemKindHasItsSharedPicture) {
    for (int n = 0; n < ITEM_PICTURES; ++n) EXPECT_EQ(m_App->m_apBbdItem[n] != nullptr, n != 8) << "item picture " << n;
}

// The title card's music: it swells from frame 330 to the end of the logo's
// stand, fades with the last 200 frames of the fade-out and then by 0.015 a
// frame; the battle starts at frame 1470.
TEST_F(PageRun, TheTitleCardsMusicSwellsAndFadesOnItsFrames) {
    struct Row {
        const char* rule;
        int frame;
        float before, after;
        bool battle;
    } const rows[] = {
        {"the studio line's fade-in keeps the music", 329, 0.5f, 0.5f, false},
        {"the studio line's stand raises it", 330, 0.5f, 0.502f, false},
        {"the logo's stand still raises it", 1209, 0.5f, 0.502f, false},
        {"full volume is not passed", 1000, 1.0f, 1.0f, false},
        {"the fade-out begins at full volume", 1210, 0.4f, 1.0f, false},
        {"halfway through the fade-out, half", 1310, 1.0f, 0.5f, false},
        {"the last phase lowers it by 0.015", 1410, 0.3f, 0.285f, false},
        {"its last frame still lowers it", 1469, 0.3f, 0.285f, false},
        {"the card ends at frame 1470", 1470, 0.0f, 0.0f, true},
    };
    g_CurrentProfile.m_iFurthestStage = 1;
    m_App->m_iCurrentStage = 1;
    Enter(2, STORY_INTRO);
    Step(STORY_SEQUENCE_FRAMES + 1);
    ASSERT_EQ(Story().m_iSubScreen, STORY_TITLE);
    ASSERT_NE(Story().m_pMusic, nullptr);
    for (const Row& r : rows) {
        Story().m_iTitleFrame = r.frame;
        Story().m_pMusic->SetVolumeFactor(r.before);
        Step();
        EXPECT_NEAR(Story().m_pMusic->m_fVolumeFactor, r.after, 1e-4f) << r.rule;
        EXPECT_EQ(g_CurrentProfile.m_abStorySeen[0], r.battle ? 1 : 0) << r.rule;
    }
    Step();
    EXPECT_EQ(int(m_App->m_iCurrentPage), 3);
}

// The intro is drawn with a camera 1.3 times the window's; its picture's
// edges meet that camera's edges, so nothing of the window stays black beside it.
TEST_F(PageRun, TheIntroPicturePansFromTheWindowsLeftEdgeToItsRightEdge) {
    g_CurrentProfile.m_iFurthestStage = 1;
    Enter(2, STORY_INTRO);
    CVxBillboard* picture = Story().m_pIntroPicture;
    ASSERT_NE(picture, nullptr);
    const float half = float(int(float(g_iScreenWidth) * STORY_CAMERA_ZOOM)) / 2.0f;
    struct Row {
        const char* rule;
        int frames;  // run before looking
        float edge;  // the picture's left edge (right edge at the end)
        bool right;
    };
    const Row rows[] = {
        {"the first frame shows the picture flush with the left side", 1, -half, false},
        {"the last frame shows it flush with the right side", STORY_SEQUENCE_FRAMES - 2, half, true},
    };
    for (const Row& r : rows) {
        Step(r.frames);
        const float x = picture->m_vPosition.x + (r.right ? 1.0f : -1.0f) * picture->m_vSize.x / 2.0f;
        EXPECT_NEAR(x, r.edge, 1.0f) << r.rule;
    }
}

TEST_F(PageRun, AnEndingWithoutItsPictureRunsToTheEpisodeChoice) {
    g_CurrentProfile.m_iFurthestStage = 60;
    g_CurrentProfile.m_aiAchievementProgress[6] = 1;
    Enter(2, STORY_ENDING);
    EXPECT_NE(Story().m_pEndingPicture, nullptr) << "entering the ending loads its picture";
    Story().m_pEndingPicture = nullptr;
    Step(STORY_SEQUENCE_FRAMES + 1);
    ASSERT_EQ(Story().m_iSubScreen, STORY_CREDITS) << "the credits follow the ending";
    // The roll fades in over 100 frames, then rises half a unit a frame until
    // its last line (3000 below the first place) passes 0.55 of the height.
    int frames = 0;
    float skipBefore = -1.0f;
    while (int(m_App->m_iCurrentPage) == 2 && frames < 8000) {
        if (Story().m_iSubScreen == STORY_CREDITS) skipBefore = Story().m_fSkipAlpha;
        Step();
        ++frames;
    }
    EXPECT_GE(frames, 100 + 2 * (3000 + 352 - 100) - 5);
    EXPECT_LE(frames, 100 + 2 * (3000 + 352 - 100) + 20);
    EXPECT_EQ(skipBefore, 0.0f) << "the Skip label has faded out before the page is left";
    EXPECT_EQ(int(m_App->m_iCurrentPage), 1);
    EXPECT_EQ(MenuPage().m_iSubScreen, MENU_EPISODE) << "the menu opens on the episode choice";
    EXPECT_EQ(m_App->m_iMenuReturnScreen, MENU_EPISODE);
    EXPECT_EQ(m_App->m_iChosenEpisode, 2);
}

// After the ending the roll stands while it fades in (a hundredth a frame),
// then rises half a unit a frame.
TEST_F(PageRun, TheCreditsAfterTheEndingRiseHalfAUnitAFrame) {
    g_CurrentProfile.m_iFurthestStage = 60;
    g_CurrentProfile.m_aiAchievementProgress[6] = 1;
    Enter(2, STORY_CREDITS);
    ASSERT_EQ(Story().m_iSubScreen, STORY_CREDITS);
    const struct {
        const char* rule;
        float fade;
        int frames;
        float rise;
    } rows[] = {
        {"faded in: 0.5 a frame", 1.0f, 10, 5.0f},
        {"faded in, longer", 1.0f, 30, 15.0f},
        {"fading in: still", 0.5f, 10, 0.0f},
    };
    for (const auto& r : rows) {
        Story().m_fCreditsScroll = 300.0f;
        Story().m_fCreditsFade = r.fade;
        Step(r.frames);
        ASSERT_EQ(Story().m_iSubScreen, STORY_CREDITS) << r.rule;
        EXPECT_FLOAT_EQ(Story().m_fCreditsScroll - 300.0f, r.rise) << r.rule;
    }
}

TEST_F(PageRun, AStoryEnteredFromTheBattlePageHasNoMusic) {
    Enter(3, 0);
    Enter(2, STORY_INTRO);
    EXPECT_EQ(Story().m_pMusic, nullptr);
    Step(100);
    EXPECT_EQ(Story().m_iIntroFrame, 100);
}

// Splash pictures come from a "branding" folder beside the pack.
class LogoBranding : public PageRun {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/csq-brand-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_Dir = pattern;
        namespace fs = std::filesystem;
        fs::create_symlink(fs::path(CSQ_BINARY_DIR) / "DATA", fs::path(m_Dir) / "DATA");
        fs::create_directory(fs::path(m_Dir) / "branding");
        // Two pictures, then a gap: a picture after the gap is never shown.
        Canvas grey(64, 48, Rgba{128, 128, 128, 255});
        for (const char* n : {"splash1.jpg", "Splash2.JPG", "splash4.jpg"})
            WriteBytes((fs::path(m_Dir) / "branding" / n).string(), EncodeJpeg(grey));
        PageRun::SetUp();
    }
    void TearDown() override {
        PageRun::TearDown();
        std::error_code ec;
        std::filesystem::remove_all(m_Dir, ec);
    }
    std::string WorkDir() const override { return m_Dir; }
    std::string m_Dir;
};

TEST_F(LogoBranding, SplashPicturesComeFirstAndAClickJumpsToTheNextOne) {
    CPageLogo& logo = *static_cast<CPageLogo*>(m_App->m_pPageLogo);
    ASSERT_EQ(logo.m_apSplash.size(), 2u) << "numbered from 1 without gaps, any letter case";
    EXPECT_EQ(logo.PictureCount(), 3);
    EXPECT_FALSE(g_bLooseFiles) << "everything after the splash pictures comes from the archive";
    ASSERT_NE(logo.m_pMakerLogo, nullptr);
    EXPECT_NE(logo.m_pMakerLogo->m_pTexture, nullptr);

    Step(30);
    ClickAt(0, 0);
    EXPECT_LT(int(m_App->m_nFrame), 40) << "a click in the first tenth of a picture is ignored";
    Step(20);
    ClickAt(0, 0);
    EXPECT_EQ(int(m_App->m_nFrame), 400) << "straight to the start of the second picture";
    Step(60);
    ClickAt(0, 0);
    EXPECT_EQ(int(m_App->m_nFrame), 800);
    Step(60);
    ClickAt(0, 0);
    Step();
    EXPECT_EQ(int(m_App->m_iCurrentPage), 1) << "a click on the logo goes to the title at once";
}

}  // namespace
