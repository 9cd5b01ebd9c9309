// Finishing an episode through the real pages: a profile at an episode's last
// stage beats its boss (the scripted boss player), takes a button on the
// summary board, watches the ending and the credits run out, and lands on the
// episode choice, which announces the episode just opened (box 15, the lock's
// burst) or, after the last episode, nothing. The saved profile is golden.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "battle/effects/Effect_Summary.h"
#include "battle/effects/SummaryRules.h"
#include "content/SaveProfile.h"
#include "engine/PageIndices.h"
#include "frontend/PageMenu.h"
#include "frontend/PageStory.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_ScaleAndDiffuseOut.h"
#include "game/GameApplication.h"
#include "game/MsgBoxKinds.h"
#include "tests/MiniGamePlayers.h"

namespace {

struct Finale {
    const char* rule;
    int stage;
    SummaryButton button;
    int opened;  // the episode the choice unlocks, 0 none
    std::vector<std::string> road;
    std::vector<std::string> laterRoad;  // the same button after a later win
};

const Finale kFinales[] = {
    {"episode 1 finished opens episode 2",
     160,
     SUMMARY_NEXT,
     2,
     {"summary", "ending", "credits", "episode choice", "box 15", "lock burst", "episode open"},
     {"summary", "battle 51"}},
    {"episode 2 finished opens episode 3",
     170,
     SUMMARY_MENU,
     3,
     {"summary", "ending", "credits", "episode choice", "box 15", "lock burst", "episode open"},
     {"summary", "menu"}},
    {"the last episode finished opens nothing",
     180,
     SUMMARY_NEXT,
     0,
     {"summary", "ending", "credits", "episode choice", "nothing announced"},
     {"summary", "episode choice", "box 16"}},
};

void PrintTo(const Finale& f, std::ostream* os) { *os << f.rule; }

// The saved profile against tests/golden/ending_<stage>.profile; rewritten with CSQ_UPDATE_GOLDEN=1.
void ExpectProfileGolden(int stage, const std::vector<uint8_t>& profile) {
    const std::string path = std::string(CSQ_SOURCE_DIR) + "/tests/golden/ending_" + std::to_string(stage) + ".profile";
    const char* update = std::getenv("CSQ_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(profile.data()), std::streamsize(profile.size()));
        return;
    }
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> golden((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(golden.size(), profile.size()) << path;
    for (size_t i = 0; i < golden.size(); ++i)
        ASSERT_EQ(int(profile[i]), int(golden[i])) << "first differing byte of the profile at offset " << i;
}

class EpisodeEndRoad : public MiniGamePlay, public ::testing::WithParamInterface<Finale> {
protected:
    CGameApplication& App() { return run->App(); }
    int Page() const { return run->App().m_bSwitchPending ? -1 : int(run->App().m_iCurrentPage); }
    int SubScreen() {
        const CVxPage* page = App().PageAt(App().m_iCurrentPage);
        return page ? page->m_iSubScreen : -1;
    }
    bool At(int page, int subScreen) { return Page() == page && SubScreen() == subScreen; }
    bool StepUntil(const std::function<bool()>& condition, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (condition()) return true;
            run->Step();
        }
        return condition();
    }
    CPageMenu& Menu() { return *dynamic_cast<CPageMenu*>(App().m_pPageMenu); }
    // A press and a release on the summary's button.
    void Choose(SummaryButton button) {
        CEffect_Summary& board = *run->Battle().m_pEffectSummary;
        CVxButton* b = button == SUMMARY_MENU ? board.m_pBtnMenu : board.m_pBtnNext;
        Press(b->m_vPosition.x, b->m_vPosition.y);
        Release(b->m_vPosition.x, b->m_vPosition.y);
    }
    std::vector<std::string> RunFirstWin(const Finale& f, StageRunResult& r);
    int m_iChosenWhenCreditsEnd = -2;

    std::vector<uint8_t> SavedProfile() {
        const char* folder = std::getenv("APPDATA");
        std::ifstream in(std::string(folder ? folder : "") + "/Orvendale/Cogsquall/SaveData.dat", std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        bytes.resize(std::min(bytes.size(), sizeof(SaveProfile)));
        return bytes;
    }
};

// The whole road of a first win: the board, the ending, the credits and the
// episode choice's announcement, told as events.
std::vector<std::string> EpisodeEndRoad::RunFirstWin(const Finale& f, StageRunResult& r) {
    std::vector<std::string> road;
    Begin(f.stage, 1, 2026);
    // A player who reached this boss has finished the episodes before it.
    const int episode = FinaleEpisode(f.stage);
    for (int e = 1; e < episode; ++e) {
        g_CurrentProfile.m_aiAchievementProgress[5 + e] = 1;
        g_CurrentProfile.m_abStorySeen[e - 1] = 1;
    }
    g_CurrentProfile.m_abStorySeen[episode - 1] = 1;
    r = PlayOn(BOSS);
    if (std::string(r.outcome) != "won") return {"lost"};
    if (g_CurrentProfile.m_aiAchievementProgress[5 + episode] != 1) return {"won, episode not finished"};

    CEffect_Summary& board = *run->Battle().m_pEffectSummary;
    if (!StepUntil([&] { return board.m_vPos.y == 0.0f && board.m_bCounting; }, 300)) return {"no board at rest"};
    road.push_back("summary");
    Choose(f.button);
    if (!StepUntil([&] { return At(STORY_PAGE_INDEX, STORY_ENDING); }, 600)) return road;
    road.push_back("ending");
    if (!StepUntil([&] { return At(STORY_PAGE_INDEX, STORY_CREDITS); }, STORY_SEQUENCE_FRAMES + 60)) return road;
    road.push_back("credits");
    if (!StepUntil([&] { return At(MENU_PAGE_INDEX, MENU_EPISODE); }, 8000)) return road;
    road.push_back("episode choice");
    m_iChosenWhenCreditsEnd = App().m_iChosenEpisode;

    CEffect_MsgBox& box = *App().m_pEffectMsgBox;
    CEffect_ScaleAndDiffuseOut& burst = *Menu().m_pItemEffect;
    bool boxShown = false, burstShown = false;
    for (int i = 0; i < 600; ++i) {
        if (!boxShown && box.IsOpen() && box.m_aInstances[0].kind == MSGBOX_NEW_EPISODE_UNLOCK) {
            boxShown = true;
            road.push_back("box 15");
        }
        if (boxShown && !burstShown && burst.IsBusy()) {
            burstShown = true;
            road.push_back("lock burst");
        }
        if (burstShown && App().m_iChosenEpisode == -1 && !Menu().IsEpisodeLocked(f.opened - 1) &&
            Menu().IsInputFree()) {
            road.push_back("episode open");
            break;
        }
        run->Step();
    }
    if (f.opened == 0 && !boxShown) road.push_back("nothing announced");
    return road;
}

// The first win of an episode's last stage runs the ending once, then the
// credits, and opens the next episode; the finished episode and the furthest
// stage are saved.
TEST_P(EpisodeEndRoad, TheFirstWinOfTheLastStageRunsTheEndingTheCreditsAndTheEpisodeUnlock) {
    const Finale f = GetParam();
    StageRunResult r;
    const std::vector<std::string> road = RunFirstWin(f, r);
    EXPECT_EQ(road, f.road) << f.rule;
    EXPECT_EQ(m_iChosenWhenCreditsEnd, f.opened == 0 ? -1 : f.opened) << "the pending unlock when the credits end";
    if (f.opened && road == f.road) {
        EXPECT_EQ(Menu().m_iEpisodeChoice, f.opened - 1) << "the new episode stands on top";
        // The sequence ends: the box does not come back, nor does the ending.
        CEffect_MsgBox& box = *App().m_pEffectMsgBox;
        for (int i = 0; i < 120; ++i) {
            run->Step();
            EXPECT_FALSE(box.IsOpen()) << "box 15 opened again at frame " << i;
            EXPECT_NE(Page(), STORY_PAGE_INDEX) << "the ending ran again at frame " << i;
            if (box.IsOpen() || Page() == STORY_PAGE_INDEX) break;
        }
    }
    EXPECT_EQ(r.notFound, 0);

    const std::vector<uint8_t> profile = SavedProfile();
    ASSERT_EQ(profile.size(), sizeof(SaveProfile));
    SaveProfile saved;
    std::memcpy(&saved, profile.data(), sizeof saved);
    const int episode = FinaleEpisode(f.stage);
    EXPECT_EQ(saved.m_aiAchievementProgress[5 + episode], 1) << "the finished episode is saved";
    for (int e = episode + 1; e <= 3; ++e)
        EXPECT_EQ(saved.m_aiAchievementProgress[5 + e], 0) << "episode " << e << " is not finished by this win";
    EXPECT_EQ(saved.m_iFurthestStage, f.opened ? 50 * (f.opened - 1) + 1 : 180) << "the furthest stage saved";
}

// The same road's saved profile, byte for byte. The battle before it is a
// seeded run, so any change to the battle moves this golden too; the road's
// own rules are the test above.
TEST_P(EpisodeEndRoad, TheSavedProfileAfterTheEndingMatchesItsGolden) {
    const Finale f = GetParam();
    StageRunResult r;
    const std::vector<std::string> road = RunFirstWin(f, r);
    ASSERT_EQ(road, f.road) << f.rule;
    ExpectProfileGolden(f.stage, SavedProfile());
}

// Only the first win of an episode's last stage runs the ending: a later win
// goes where its button leads (the next stage, the menu, or after the last
// stage of all the episode choice with "End of Episode").
TEST_P(EpisodeEndRoad, ALaterWinOfTheLastStageRunsNoEnding) {
    const Finale f = GetParam();
    Begin(f.stage, 1, 2026);
    const int episode = FinaleEpisode(f.stage);
    for (int e = 1; e <= episode; ++e) {
        g_CurrentProfile.m_aiAchievementProgress[5 + e] = 1;
        g_CurrentProfile.m_abStorySeen[e - 1] = 1;
    }
    // The episode was finished before this battle began.
    const StageRunResult r = PlayOn(BOSS);
    ASSERT_EQ(r.outcome, "won") << f.rule;
    ASSERT_NE(run->Battle().m_pEffectSummary, nullptr);
    CEffect_Summary& board = *run->Battle().m_pEffectSummary;
    ASSERT_TRUE(board.m_abEpisodeDoneAtStart[episode - 1]) << "the board saw the episode finished";

    std::vector<std::string> road;
    ASSERT_TRUE(StepUntil([&] { return board.m_vPos.y == 0.0f && board.m_bCounting; }, 300)) << "the board at rest";
    road.push_back("summary");
    Choose(f.button);
    CEffect_MsgBox& box = *App().m_pEffectMsgBox;
    for (int i = 0; i < 1500; ++i) {
        run->Step();
        if (Page() == STORY_PAGE_INDEX) {
            road.push_back(SubScreen() == STORY_ENDING ? "ending" : "story");
            break;
        }
        if (Page() == BATTLE_PAGE_INDEX && App().m_iCurrentStage != f.stage) {
            road.push_back("battle " + std::to_string(App().m_iCurrentStage));
            break;
        }
        if (Page() == MENU_PAGE_INDEX && SubScreen() == MENU_EPISODE && f.button == SUMMARY_NEXT) {
            road.push_back("episode choice");
            for (int k = 0; k < 300 && !box.IsOpen(); ++k) run->Step();
            if (box.IsOpen()) road.push_back("box " + std::to_string(box.m_aInstances[0].kind));
            break;
        }
        if (Page() == MENU_PAGE_INDEX && f.button == SUMMARY_MENU) {
            road.push_back("menu");
            break;
        }
    }
    EXPECT_EQ(road, f.laterRoad) << f.rule;
}

INSTANTIATE_TEST_SUITE_P(Finales, EpisodeEndRoad, ::testing::ValuesIn(kFinales),
                         [](const ::testing::TestParamInfo<Finale>& info) {
                             return "Stage" + std::to_string(info.param.stage);
                         });

}  // namespace
