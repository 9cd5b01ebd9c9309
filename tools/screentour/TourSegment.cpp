#include "tools/screentour/TourSegment.h"

#include "tools/screentour/TourLateGame.h"
#include "tools/screentour/TourSheet.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <set>

#include "battle/effects/Effect_MapStory.h"
#include "battle/effects/Effect_NewEnemy.h"
#include "battle/effects/Effect_NewRobot.h"
#include "battle/effects/Effect_Reward.h"
#include "battle/effects/Effect_Unlocked.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameStage.h"
#include "content/FieldGrid.h"
#include "engine/InputRecord.h"
#include "engine/PageIndices.h"
#include "frontend/PageMenu.h"
#include "frontend/PageStory.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "game/GameApplication.h"
#include "game/MsgBoxKinds.h"
#include "content/SaveProfile.h"
#include "tools/stagerun/InputPlayer.h"
#include "tools/stagerun/WindowRun.h"

namespace {

constexpr int VK_ESCAPE_KEY = 27;
// A defended stage takes twelve to fifteen thousand frames to its result; one
// that never ends is cut here.
constexpr int kSegmentFrames = 30000;
constexpr int kAnswerEvery = 15;

// A stage of the tour: the runner defends it (or not), or the input player
// plays it to a win; it stops a while into play (or plays it out), and may be
// dealt the card choice.
struct StageSegment {
    const char* name;
    int stage;
    bool defend;
    bool cardChoice;
    int playFrames;   // frames of play before the segment ends; 0: to the result
    bool pause;       // Escape once during play
    bool won;         // the input player plays it, by mouse, to a win
    TourExtra extra;  // late-game sights steered to during play (which then ends it)
};

const StageSegment kStages[] = {
    {"stage01", 1, true, false, 1500, false, false, TOUR_PLAIN},  // the tutorial's boxes
    {"stage02", 2, false, false, 0, false, true, TOUR_PLAIN},     // won: the capsule, the unlock board, the won summary
    {"stage07", 7, false, false, 0, false, true, TOUR_PLAIN},     // won: the new robot board
    {"stage10", 10, true, false, 400, false, false, TOUR_PLAIN},  // a defended stage in play
    {"stage33", 33, false, true, 1, false, false, TOUR_PLAIN},    // the card choice
    {"stage47", 47, false, false, 0, false, false, TOUR_PLAIN},   // undefended: the lost summary
    {"stage95", 95, true, false, 400, true, false, TOUR_PLAIN},   // third world, and the pause box
    {"stage125", 125, true, false, 400, false, false, TOUR_PLAIN},        // fourth world
    {"stage145", 145, true, false, 400, false, false, TOUR_PLAIN},        // fifth world
    {"waves12", 12, true, false, 0, false, false, TOUR_WAVES},            // the wave and final-wave notices
    {"effects14", 14, true, false, 0, false, false, TOUR_FIELD_EFFECTS},  // every field-effect kind
    {"ground101", 101, false, false, 200, false, false, TOUR_GROUND},     // ledges of each world, close up
    {"ground11", 11, false, false, 200, false, false, TOUR_GROUND},
    {"ground124", 124, false, false, 200, false, false, TOUR_GROUND},
    {"ground85", 85, false, false, 200, false, false, TOUR_GROUND},
    {"ground41", 41, false, false, 200, false, false, TOUR_GROUND},
    {"weather105", 105, true, false, 0, false, false, TOUR_WEATHER},  // acid rain
    {"weather115", 115, true, false, 0, false, false, TOUR_WEATHER},  // earthquake
    {"weather125", 125, true, false, 0, false, false, TOUR_WEATHER},  // whirlpools
    {"weather135", 135, true, false, 0, false, false, TOUR_WEATHER},  // jet streams
    {"mini151", 151, true, false, 300, false, false, TOUR_PLAIN},     // conveyor
    {"mini152", 152, true, false, 300, false, false, TOUR_PLAIN},
    {"mini153", 153, true, false, 300, false, false, TOUR_PLAIN},  // relocation
    {"mini154", 154, true, false, 300, false, false, TOUR_PLAIN},
    {"mini155", 155, true, false, 300, false, false, TOUR_PLAIN},
    {"mini156", 156, true, false, 300, false, false, TOUR_PLAIN},
    {"mini157", 157, true, false, 300, false, false, TOUR_PLAIN},  // jumping
    {"mini158", 158, true, false, 300, false, false, TOUR_PLAIN},  // rescue
    {"mini159", 159, true, false, 300, false, false, TOUR_PLAIN},  // slot machine
    {"mini160", 160, true, false, 0, false, false, TOUR_BOSS},     // the first Destroyer
    {"mini161", 161, true, false, 300, false, false, TOUR_PLAIN},
    {"mini162", 162, true, false, 300, false, false, TOUR_PLAIN},
    {"mini163", 163, true, false, 300, false, false, TOUR_PLAIN},
    {"mini164", 164, true, false, 300, false, false, TOUR_PLAIN},  // charge shots
    {"mini165", 165, true, false, 300, false, false, TOUR_PLAIN},
    {"mini166", 166, true, false, 300, false, false, TOUR_PLAIN},
    {"mini167", 167, true, false, 300, false, false, TOUR_PLAIN},
    {"mini168", 168, true, false, 300, false, false, TOUR_PLAIN},  // steering
    {"mini169", 169, true, false, 300, false, false, TOUR_PLAIN},
    {"mini170", 170, true, false, 0, false, false, TOUR_BOSS},     // the Destroyer again
    {"mini171", 171, true, false, 300, false, false, TOUR_PLAIN},  // paratroopers
    {"mini172", 172, true, false, 300, false, false, TOUR_PLAIN},  // energy, time bombs
    {"mini173", 173, true, false, 300, false, false, TOUR_PLAIN},  // rounds
    {"mini174", 174, true, false, 300, false, false, TOUR_PLAIN},
    {"mini175", 175, true, false, 300, false, false, TOUR_PLAIN},
    {"mini176", 176, true, false, 300, false, false, TOUR_PLAIN},
    {"mini177", 177, true, false, 300, false, false, TOUR_PLAIN},  // start robots
    {"mini178", 178, true, false, 300, false, false, TOUR_PLAIN},
    {"mini179", 179, true, false, 300, false, false, TOUR_PLAIN},
    {"mini180", 180, true, false, 0, false, false, TOUR_BOSS},  // the final Destroyer
};
constexpr int kStageCount = int(sizeof kStages / sizeof kStages[0]);

const char* const kStateNames[] = {"opening", "intro",  "new_enemies", "deck_check", "card_select", "loading", "begin",
                                   "playing", "reward", "result",      "unlocks",    "achievement", "summary"};

bool Wanted(const TourOptions& options, const std::string& shot) {
    if (options.only.empty()) return true;
    for (const std::string& o : options.only)
        if (shot.compare(0, o.size(), o) == 0) return true;
    return false;
}

// The shots a run has taken, and whether every wanted one of its segment is in.
class Shots {
public:
    Shots(WindowStageRun& run, const TourOptions& options, std::string segment)
        : m_run(run), m_options(options), m_segment(std::move(segment)) {}

    void Take(const std::string& moment) {
        const std::string name = m_segment + "_" + moment;
        if (m_taken.count(name) || !Wanted(m_options, name)) return;
        m_taken.insert(name);
        const std::string path = m_options.out + "/" + name + ".png";
        if (!m_run.SaveShot(path.c_str())) {
            std::fprintf(stderr, "screentour: cannot write %s\n", path.c_str());
            return;
        }
        std::ofstream(TourListPath(m_options.out, m_segment), std::ios::app) << name << "\n";
    }
    // A close look at a part of the screen (logical pixels, origin at the
    // centre, y up), three times as large.
    void TakeCloseUp(const std::string& moment, float cx, float cy, float w, float h) {
        const std::string name = m_segment + "_" + moment;
        if (m_taken.count(name) || !Wanted(m_options, name)) return;
        std::vector<uint8_t> rgba;
        int width = 0, height = 0;
        if (!m_run.ReadShot(rgba, width, height)) return;
        const float sx = float(width) / float(g_iScreenWidth), sy = float(height) / float(g_iScreenHeight);
        const int x = int((cx - w / 2 + float(g_iScreenWidth) / 2) * sx);
        const int y = int((float(g_iScreenHeight) / 2 - cy - h / 2) * sy);
        const std::string path = m_options.out + "/" + name + ".png";
        if (!WriteCloseUp(rgba, width, height, x, y, int(w * sx), int(h * sy), 3, path)) {
            std::fprintf(stderr, "screentour: cannot write %s\n", path.c_str());
            return;
        }
        m_taken.insert(name);
        std::ofstream(TourListPath(m_options.out, m_segment), std::ios::app) << name << "\n";
    }
    bool Taken(const std::string& moment) const { return m_taken.count(m_segment + "_" + moment) != 0; }
    // With a list of wanted shots: every one of this segment named in full is
    // in (a beginning of names keeps the segment going to its end).
    bool AllWantedTaken() const {
        if (m_options.only.empty()) return false;
        for (const std::string& o : m_options.only) {
            if (o.compare(0, m_segment.size() + 1, m_segment + "_") != 0) continue;
            bool found = false;
            for (const std::string& t : m_taken) found = found || t == o;
            if (!found) return false;
        }
        return true;
    }

private:
    WindowStageRun& m_run;
    const TourOptions& m_options;
    std::string m_segment;
    std::set<std::string> m_taken;
};

std::string TwoDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

// What the battle shows now, as a shot name: the box or board on top, else
// the state. Empty while the page is not the battle's.
std::string BattleMoment(WindowStageRun& run) {
    CGameApplication& app = run.App();
    if (app.m_bSwitchPending || app.m_iCurrentPage != BATTLE_PAGE_INDEX) return "";
    CPageGame& page = run.Battle();
    if (app.m_pEffectMsgBox && app.m_pEffectMsgBox->IsOpen())
        return "box" + TwoDigits(app.m_pEffectMsgBox->m_aInstances[0].kind);
    if (CPageGame::Shows(page.m_pEffectNewEnemy)) return "new_machine";
    if (CPageGame::Shows(page.m_pEffectNewRobot)) return "new_robot";
    if (CPageGame::Shows(page.m_pEffectUnlocked)) return "unlock_board";
    if (CPageGame::Shows(page.m_pEffectMapStory)) return "map_story";
    if (CPageGame::Shows(page.m_pEffectHowToMiniGame)) return "how_to_minigame";
    if (CPageGame::Shows(page.m_pEffectHowToPlay)) return "how_to_play";
    const TutorialSteps& tutorial = page.m_Battle.State().m_Tutorial;
    if (tutorial.Started() && tutorial.Step() >= 0 && !tutorial.IsStepDismissed())
        return "tutorial" + TwoDigits(tutorial.Step());
    const int state = run.State();
    if (state == BATTLE_REWARD && CPageGame::Shows(page.m_pEffectReward)) {
        static const char* const kCapsule[] = {"capsule_falling", "capsule_closed", "capsule_opening", "capsule_prize"};
        const int phase = page.m_pEffectReward->m_iRewardState;
        if (phase >= 0 && phase <= 3) return kCapsule[phase];
    }
    return state >= 0 && state <= BATTLE_SUMMARY ? kStateNames[state] : "state" + std::to_string(state);
}

// Close looks at the ground: the end of a ledge on the top, and a column
// where tiles stack (ground on ground, or ground on the rock under it).
void TakeGroundCloseUps(WindowStageRun& run, Shots& shots) {
    const BattleData& state = run.Model().State();
    const float scroll = state.m_pStage ? state.m_pStage->m_fScrollX : 0.0f;
    auto cell = [&](int c, int r) -> const FieldCell& { return state.m_aFieldCells[c * FIELD_ROWS + r]; };
    auto tileY = [&](const FieldCell& f) { return f.m_fY - 78.73125f; };
    int ledge = -1, column = -1;
    for (int c = 1; c < FIELD_COLUMNS - 1; ++c)
        for (int r = 1; r < FIELD_ROWS; ++r) {
            const FieldCell& f = cell(c, r);
            if (f.m_iStageKind != CELL_GROUND) continue;
            if (ledge < 0 && f.m_fEdgeShape != 1.0f && f.m_fEdgeShape >= 0.0f) ledge = c * FIELD_ROWS + r;
            if (column < 0 && r + 1 < FIELD_ROWS && cell(c, r + 1).m_fEdgeShape >= 0.0f) column = c * FIELD_ROWS + r;
        }
    if (ledge >= 0) {
        const FieldCell& f = state.m_aFieldCells[ledge];
        shots.TakeCloseUp("ledge", f.m_fX + scroll, tileY(f) + 10.0f, 220.0f, 150.0f);
    }
    if (column >= 0) {
        const FieldCell& f = state.m_aFieldCells[column];
        shots.TakeCloseUp("stacked_column", f.m_fX + scroll, tileY(f) - 40.0f, 200.0f, 200.0f);
    }
}

// Frames a moment stands before its picture is taken: boxes and boards slide
// in; the summary counts up.
int SettleFrames(const std::string& moment) {
    if (moment.compare(0, 5, "boss_") == 0 || moment.compare(0, 3, "fx_") == 0 || moment == "weather" ||
        moment.find("wave_notice") != std::string::npos)
        return LateGameDirector::Settle(moment);
    if (moment == "summary") return 200;
    if (moment == "playing") return 120;
    // Nearly open; the prize halfway to the centre.
    if (moment == "capsule_opening") return 40;
    if (moment == "capsule_prize") return 30;
    return 32;
}

int RunStage(const StageSegment& s, const TourOptions& options) {
    StageRunOptions o = s.won ? InputPlayerOptions(s.stage) : StageRunOptions();
    o.stage = s.stage;
    o.window = true;
    o.defend = s.defend;
    o.answerBoxes = false;
    o.frameLimit = kSegmentFrames;
    WindowStageRun run(o);
    if (!run.Start()) {
        std::fprintf(stderr, "screentour: %s: %s\n", s.name, run.Error().c_str());
        return 2;
    }
    // Nothing dealt: the player chooses the cards.
    if (s.cardChoice) run.Battle().m_vecFixedHand.clear();
    std::unique_ptr<InputPlayer> player;
    if (s.won) {
        g_CurrentProfile.m_nCardSlots = 4;  // a profile that bought two more slots
        player = std::make_unique<InputPlayer>(run, o.script);
    }
    Shots shots(run, options, s.name);
    LateGameDirector director(s.extra);
    auto playPictured = [&] { return shots.Taken("playing") || !Wanted(options, std::string(s.name) + "_playing"); };
    std::string moment;
    int steady = 0, playing = 0;
    bool paused = false;
    for (int frame = 0; frame < o.frameLimit && !shots.AllWantedTaken(); ++frame) {
        std::string now = BattleMoment(run);
        if (s.extra != TOUR_PLAIN && playPictured()) {
            // Plain play is pictured first; the late game's sights after it.
            // A dying boss is pictured under the won stage's caption too.
            const std::string own = now.empty() ? "" : director.Moment(run);
            if (!own.empty() && (now == "playing" || ((now == "reward" || now == "result") && own == "boss_dying")))
                now = own;
        }
        steady = now == moment ? steady + 1 : 0;
        moment = now;
        if (!now.empty() && steady == SettleFrames(now)) shots.Take(now);
        if (s.cardChoice && now == "card_select" && shots.Taken(now)) break;
        if (run.App().m_iCurrentPage == BATTLE_PAGE_INDEX && run.State() == BATTLE_PLAYING) {
            ++playing;
            if (s.extra == TOUR_GROUND && playing == s.playFrames) TakeGroundCloseUps(run, shots);
            if (s.playFrames > 0 && playing > s.playFrames + SettleFrames("playing")) break;
            if (s.extra != TOUR_PLAIN && s.extra != TOUR_GROUND && playPictured() &&
                director.Steer(run, playing, [&](const std::string& m) { return shots.Taken(m); }))
                break;
            // The pause box is the last shot of its segment: its answer may leave the battle.
            if (s.pause && !paused && playing == 250) {
                run.App().m_aInput[0].m_aiKey[VK_ESCAPE_KEY] = KEY_RELEASED;
                paused = true;
            }
        }
        if (now == "summary" && shots.Taken(now)) break;
        const bool pictured = !now.empty() && (shots.Taken(now) || !Wanted(options, std::string(s.name) + "_" + now));
        // A fight played out to its result is not drawn while what it shows
        // has its picture: the boards after it are what is looked at.
        run.SetDrawing(!(s.playFrames == 0 && s.extra == TOUR_PLAIN && pictured && run.State() == BATTLE_PLAYING));
        // What waits for the player is answered once its picture is in, at
        // the stage runner's pace: a board that has just closed is not
        // pressed again while the next one comes.
        if (pictured && steady >= SettleFrames(now) && steady % kAnswerEvery == 0) run.AnswerNow();
        if (!(player && player->Act())) run.Step();
    }
    return 0;
}

// ---- the front end ---------------------------------------------------------

struct MenuShot {
    int screen;
    const char* name;
};

const MenuShot kMenuShots[] = {
    {MENU_MAIN, "main"},           {MENU_NAME_ENTRY, "name_entry"},
    {MENU_PROFILES, "profiles"},   {MENU_STAGE_MAP, "stage_map"},
    {MENU_MISSION, "mission"},     {MENU_EPISODE, "episode"},
    {MENU_MINIGAME, "minigames"},  {MENU_LABORATORY, "laboratory"},
    {MENU_UPGRADE, "upgrades"},    {MENU_ACHIEVEMENTS, "achievements"},
    {MENU_ROBOPEDIA, "robopedia"}, {MENU_CREDITS, "credits"},
};

// A player well into the game, so that the shops and lists have something to show.
void FarIntoTheGame() {
    SaveProfile& p = g_CurrentProfile;
    p.m_iFurthestStage = 75;
    p.m_iMetalParts = 12345;
    for (int s = 0; s < 70; ++s) p.m_aiStageStars[s] = 1 + s % 3;
    for (int i : {1, 2, 3, 6}) p.m_aLabItem[i] = LabItemRecord{1, 2};
    p.m_aLabItem[0] = LabItemRecord{0, 1};
    for (int r : {1, 2, 3, 0, 4}) p.m_aRobotUpgrade[r].m_iAvailable = 1;
    p.m_aRobotUpgrade[3].m_iLevel = 1;
    for (int r = 0; r < 12; ++r) p.m_abRobotUnlocked[r] = 1;
    for (int k = 0; k < 6; ++k) p.m_aEnemySeen[k].met = 1;
    for (int i = 0; i < 9; ++i) p.m_aiAchievementProgress[i] = i < 6 ? 100000 : 0;
    for (int f = 0; f < 6; ++f) p.m_abFeatureUnlocked[f] = 1;
}

int RunFrontEnd(const TourOptions& options) {
    StageRunOptions o;
    o.stage = 75;
    o.window = true;
    o.answerBoxes = false;
    WindowStageRun run(o);
    if (!run.Start()) {
        std::fprintf(stderr, "screentour: front end: %s\n", run.Error().c_str());
        return 2;
    }
    CGameApplication& app = run.App();
    Shots shots(run, options, "front");
    auto frames = [&](int n) {
        for (int i = 0; i < n; ++i) run.Step();
    };
    auto waitFor = [&](auto condition, int limit) {
        for (int i = 0; i < limit && !condition(); ++i) run.Step();
        return condition();
    };
    auto at = [&](int page) { return !app.m_bSwitchPending && int(app.m_iCurrentPage) == page; };

    app.SwitchPage(LOGO_PAGE_INDEX, 0);
    if (waitFor([&] { return at(LOGO_PAGE_INDEX); }, 120)) {
        frames(60);
        shots.Take("logo");
    }
    app.SwitchPage(MENU_PAGE_INDEX, MENU_TITLE);
    if (!waitFor([&] { return at(MENU_PAGE_INDEX); }, 120)) {
        std::fprintf(stderr, "screentour: the menu page did not come up\n");
        return 1;
    }
    auto* menu = dynamic_cast<CPageMenu*>(app.m_pPageMenu);
    if (!menu) return 1;
    frames(80);
    shots.Take("title");
    FarIntoTheGame();
    menu->ResetEpisode();
    auto menuAt = [&](int screen) {
        return waitFor([&] { return at(MENU_PAGE_INDEX) && menu->m_iSubScreen == screen && menu->IsInputFree(); }, 240);
    };
    for (const MenuShot& m : kMenuShots) {
        if (shots.AllWantedTaken()) return 0;
        if (!Wanted(options, std::string("front_") + m.name)) continue;
        menu->RequestSubScreen(m.screen, -1);
        if (!menuAt(m.screen)) std::fprintf(stderr, "screentour: menu screen %s did not settle\n", m.name);
        frames(m.screen == MENU_CREDITS ? 150 : 20);
        shots.Take(m.name);
    }

    // Every box kind over the main menu.
    menu->RequestSubScreen(MENU_MAIN, -1);
    menuAt(MENU_MAIN);
    CEffect_MsgBox* box = app.m_pEffectMsgBox;
    for (int kind = 0; kind < MSGBOX_KINDS && box; ++kind) {
        const std::string name = "box" + TwoDigits(kind);
        if (shots.AllWantedTaken()) return 0;
        if (!Wanted(options, "front_" + name)) continue;
        // Help is never shown as a box: the pause box slides out for the help pop-up.
        if (kind == MSGBOX_HELP) continue;
        if (box->Add(kind) != 0) continue;
        frames(32);
        shots.Take(name);
        // Taken away unanswered, so that no answer leads elsewhere.
        box->Clear(0);
        frames(10);
    }

    // The exit box over the menu.
    if (Wanted(options, "front_exit") && app.m_pEffectExit && app.m_pEffectExit->Add(0) == 0) {
        frames(3);
        shots.Take("exit");
        app.m_pEffectExit->Clear(0);
        frames(5);
    }

    // The story page: the opening story, the episode's title card, the
    // ending and the credits.
    // Each episode has its own ending, told by the stage that finished it.
    struct StoryShot {
        int screen;
        const char* name;
        int stage;
    };
    const StoryShot story[] = {{STORY_INTRO, "story_intro", 1},        {STORY_TITLE, "story_title", 1},
                               {STORY_ENDING, "story_ending160", 160}, {STORY_ENDING, "story_ending170", 170},
                               {STORY_ENDING, "story_ending180", 180}, {STORY_CREDITS, "story_credits", 1}};
    for (const StoryShot& s : story) {
        if (shots.AllWantedTaken()) return 0;
        if (!Wanted(options, std::string("front_") + s.name)) continue;
        app.m_iCurrentStage = s.stage;
        // The ending tells the furthest episode the profile has finished.
        const int finished = s.screen == STORY_ENDING ? (s.stage - 150) / 10 : 0;
        for (int e = 1; e <= 3; ++e) g_CurrentProfile.m_aiAchievementProgress[5 + e] = e <= finished ? 1 : 0;
        app.SwitchPage(STORY_PAGE_INDEX, s.screen);
        if (!waitFor([&] { return at(STORY_PAGE_INDEX); }, 240)) continue;
        frames(300);
        shots.Take(s.name);
    }
    return 0;
}

}  // namespace

int TourSegmentCount() { return kStageCount + 1; }

std::string TourListPath(const std::string& out, const std::string& segment) {
    return out + "/tour-" + segment + ".txt";
}

const char* TourSegmentName(int segment) { return segment == 0 ? "front" : kStages[segment - 1].name; }

bool TourSegmentWanted(int segment, const TourOptions& options) {
    if (options.only.empty()) return true;
    const std::string name = TourSegmentName(segment);
    for (const std::string& o : options.only)
        if (o.compare(0, name.size() + 1, name + "_") == 0 || name.compare(0, o.size(), o) == 0) return true;
    return false;
}

int RunTourSegment(int segment, const TourOptions& options) {
    if (segment < 0 || segment >= TourSegmentCount()) return 1;
    return segment == 0 ? RunFrontEnd(options) : RunStage(kStages[segment - 1], options);
}
