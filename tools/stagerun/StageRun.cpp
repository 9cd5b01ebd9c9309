#include "tools/stagerun/StageRun.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/stagerun/BattleChecksum.h"
#include "battle/effects/Effect_Reward.h"
#include "battle/effects/Effect_Summary.h"
#include "battle/effects/Effect_Unlocked.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/StageDefinition.h"
#include "content/UnlockTables.h"
#include "engine/InputRecord.h"
#include "platform/Random.h"
#include "engine/VxXApplication.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "battle/effects/Effect_MapStory.h"
#include "battle/effects/Effect_NewEnemy.h"
#include "battle/effects/Effect_NewRobot.h"
#include "battle/model/BattleRules.h"
#include "game/GameApplication.h"
#include "main/GamePages.h"
#include "game/GameSaveData.h"
#include "game/PopupDrawing.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "platform/D3DApplication.h"
#include "engine/framework/RoadStep.h"
#include "platform/SoundManager.h"
#include "platform/host/Headless.h"

namespace fs = std::filesystem;

namespace {

// A box waiting for the player is answered with Enter this often.
constexpr int kAnswerEvery = 15;
// A little over a 60th of a second, so the window's frame gate lets every
// step draw exactly one frame.
constexpr int64_t kFrameNanos = 17000000;

}  // namespace

// Virtual time, recorded boxes and a sound device that plays against the
// virtual clock always: whether a sound still plays decides which buffer a new
// one takes, by a draw from the game's generator, so a real device would let
// wall time steer the fight. The window run keeps the real display and drawing.
struct StageRun::Host {
    explicit Host(bool headless) {
        host::SetClock(&clock);
        host::SetMessageBoxes(&boxes);
        host::SetAudioDevice(&audio);
        // Nobody listens to a stage run: mix (voices end when they would) but keep no record.
        audio.SetHeardSeconds(0);
        if (headless) host::SetSystemInfo(&system);
    }
    ~Host() {
        host::SetClock(nullptr);
        host::SetMessageBoxes(nullptr);
        host::SetSystemInfo(nullptr);
        host::SetAudioDevice(nullptr);
    }
    host::VirtualClock clock;
    host::RecordingMessageBoxes boxes;
    host::FakeSystemInfo system;
    host::HeadlessAudioDevice audio;
    SoundManager sounds;
    std::unique_ptr<CGameApplication> app;
};

bool ReadScript(const std::string& path, std::vector<ScriptEvent>& out, std::string& error) {
    std::error_code ignored;
    // A folder opens as a stream that reads nothing: refuse it by name.
    if (std::filesystem::exists(path, ignored) && !std::filesystem::is_regular_file(path, ignored)) {
        error = "cannot read script " + path + ": not a regular file";
        return false;
    }
    std::ifstream in(path);
    if (!in) {
        error = "cannot read script " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        std::istringstream words(line);
        ScriptEvent e;
        std::string what;
        if (!(words >> e.frame)) {
            if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
            error = path + ":" + std::to_string(number) + ": no frame number";
            return false;
        }
        bool ok = bool(words >> what);
        if (ok && what == "key") {
            e.kind = ScriptEvent::KEY;
            ok = bool(words >> e.key) && e.key >= 0 && e.key < 256;
        } else if (ok && (what == "press" || what == "release" || what == "move")) {
            e.kind = what == "press"     ? ScriptEvent::PRESS
                     : what == "release" ? ScriptEvent::RELEASE
                                         : ScriptEvent::MOVE;
            ok = bool(words >> e.x >> e.y);
        } else {
            ok = false;
        }
        if (!ok || e.frame < 0) {
            error = path + ":" + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
        out.push_back(e);
    }
    return true;
}

bool ParseHand(const std::string& text, std::vector<int>& out) {
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        char* end = nullptr;
        const long id = std::strtol(item.c_str(), &end, 10);
        if (item.empty() || *end != '\0' || id < 0 || id >= ROBOT_TYPES) return false;
        out.push_back(int(id));
    }
    return !out.empty();
}

std::string StageRunResult::Line() const {
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "outcome=%s frame=%d life=%d energy=%d kills=%d stars=%d boxes=%d notfound=%d checksum=%016" PRIx64,
                  outcome.c_str(), frame, life, energy, kills, stars, boxes, notFound, checksum);
    return buf;
}

bool ReadGoldenValue(const std::string& path, const std::string& name, std::string& value) {
    std::ifstream in(path);
    std::string key, v;
    while (in >> key >> v)
        if (key == name) {
            value = v;
            return true;
        }
    return false;
}

StageRun::StageRun(const StageRunOptions& options) : m_options(options), m_bTrace(getenv("CSQ_STAGERUN_TRACE")) {
    // In frame order (a file's order within a frame), so each frame reads
    // only its own events.
    std::stable_sort(m_options.script.begin(), m_options.script.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
}

StageRun::~StageRun() {
    // The derived run has taken its application down already.
    if (m_pHost) StageRun::DestroyApplication();
    m_pHost.reset();
    if (!m_saveFolder.empty()) {
        std::error_code ec;
        fs::remove_all(m_saveFolder, ec);
    }
    if (m_bHadAppData) setenv("APPDATA", m_oldAppData.c_str(), 1);
    else unsetenv("APPDATA");
}

// A new profile that has reached the stage: the robots the earlier stages
// unlock, the Machines they showed met.
void StageRun::MakeProfile() {
    // A profile in use, so the run's saves keep its progress as the game's would.
    if (m_pApp->m_pSaveData->Header().m_nProfilesInUse == 0) m_pApp->m_pSaveData->CreateProfile("Runner");
    CGameSaveData defaults;
    defaults.InitProfile(g_CurrentProfile);
    std::snprintf(g_CurrentProfile.m_szName, sizeof g_CurrentProfile.m_szName, "%s", "Runner");
    const int stage = m_options.stage;
    const int order = GetStagePlayOrder(stage);
    for (int s = 1; s <= LAST_STAGE; ++s) {
        if (GetStagePlayOrder(s) >= order) continue;
        const int robot = GetRobotUnlockedByStage(NextStageId(s));
        if (robot >= 0 && robot < ROBOT_TYPES) g_CurrentProfile.m_abRobotUnlocked[robot] = 1;
        AnnounceNewEnemiesForStage(s);
    }
    g_CurrentProfile.m_iFurthestStage = stage;
}

bool StageRun::Start() {
    if (!Prepare()) return false;
    m_pApp->SwitchPage(BATTLE_PAGE_INDEX, 0);
    return true;
}

bool StageRun::Prepare() {
    const StageRunOptions& o = m_options;
    if (o.stage < 1 || o.stage > LAST_STAGE) {
        m_error = "stage " + std::to_string(o.stage) + " is outside 1-" + std::to_string(LAST_STAGE);
        return false;
    }
    if (!HasStageRecord(o.stage)) {
        m_error = "stage " + std::to_string(o.stage) + " has no record: no mini-game row names it";
        return false;
    }
    if (o.difficulty < 0 || o.difficulty > 2) {
        m_error = "difficulty " + std::to_string(o.difficulty) + " is outside 0-2";
        return false;
    }
    if (access("DATA", R_OK) != 0) {
        m_error = "DATA is missing from the working directory";
        return false;
    }
    char pattern[] = "/tmp/csq-stagerun-XXXXXX";
    if (!mkdtemp(pattern)) {
        m_error = "cannot make a save folder";
        return false;
    }
    m_saveFolder = pattern;
    if (const char* old = getenv("APPDATA")) {
        m_bHadAppData = true;
        m_oldAppData = old;
    }
    setenv("APPDATA", m_saveFolder.c_str(), 1);
    if (!o.profileFile.empty()) {
        const std::string folder = m_saveFolder + "/Orvendale/Cogsquall/";
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (!fs::copy_file(o.profileFile, folder + "SaveData.dat", ec)) {
            m_error = "cannot read profile " + o.profileFile;
            return false;
        }
    }

    m_pHost = std::make_unique<Host>(!o.window);
    g_bQuitRequested = false;
    g_bAllowClose = true;
    if (!CreateApplication()) return false;
    CGameApplication& app = *m_pApp;
    app.LoadSharedResources();

    if (o.profileFile.empty()) MakeProfile();
    g_CurrentProfile.m_iDifficulty = o.difficulty;
    // A dealt hand gets a slot for each of its cards.
    if (!o.hand.empty())
        g_CurrentProfile.m_nCardSlots = std::max(g_CurrentProfile.m_nCardSlots, std::min(int(o.hand.size()), 10));
    app.m_iCurrentStage = o.stage;
    VxSrand(o.seed);
    std::vector<int> hand = o.hand;
    if (hand.empty() && o.script.empty()) {
        // Nobody would answer the card choice: the profile's first cards play.
        for (int id = 0; id < ROBOT_REMOVER && int(hand.size()) < g_CurrentProfile.m_nCardSlots; ++id)
            if (g_CurrentProfile.m_abRobotUnlocked[id] == 1) hand.push_back(id);
    }
    if (CPageGame* page = GameBattlePage(&app)) page->m_vecFixedHand = hand;
    return true;
}

bool StageRun::CreateApplication() {
    m_pHost->sounds.Initialize();
    g_pSoundManager = &m_pHost->sounds;
    m_pHost->app = std::make_unique<CGameApplication>(MakeGamePages);
    m_pApp = m_pHost->app.get();
    m_pApp->m_bRunWorkersInline = true;
    m_pApp->LoadResources();
    return true;
}

void StageRun::DestroyApplication() {
    m_pHost->app.reset();
    m_pApp = nullptr;
    if (g_pSoundManager == &m_pHost->sounds) g_pSoundManager = nullptr;
}

void StageRun::RunOneFrame() {
    RunRoadFrameHeadless(*m_pApp);
    // The game timer fires once a frame in a headless run.
    m_pApp->OnTimer();
}

void StageRun::ApplyScript() {
    InputRecord& in = App().m_aInput[0];
    const std::vector<ScriptEvent>& script = m_options.script;
    while (m_iScriptNext < script.size() && script[m_iScriptNext].frame < m_nFrames) ++m_iScriptNext;
    for (; m_iScriptNext < script.size() && script[m_iScriptNext].frame == m_nFrames; ++m_iScriptNext) {
        const ScriptEvent& e = script[m_iScriptNext];
        if (e.kind != ScriptEvent::KEY) {
            in.m_iCursorX = e.x;
            in.m_iCursorY = e.y;
        }
        switch (e.kind) {
        case ScriptEvent::PRESS: in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD; break;
        case ScriptEvent::RELEASE: in.m_aiKey[MOUSE_LEFT] = KEY_RELEASED; break;
        case ScriptEvent::KEY: in.m_aiKey[e.key] = KEY_PRESSED | KEY_RELEASED; break;
        case ScriptEvent::MOVE: break;
        }
    }
}

namespace {

// The area's story or the mini-game's help stands still and waits for OK.
bool ReadingBoardAtRest(CPageGame* page) {
    const CEffect_HelpBoard* boards[2] = {page->m_pEffectMapStory,
                                          dynamic_cast<CEffect_HelpBoard*>(page->m_pEffectHowToMiniGame)};
    for (const CEffect_HelpBoard* b : boards)
        if (CPageGame::Shows(b) && b->m_iBoardState == 0 && b->m_vPos.y == 0.0f) return true;
    return false;
}

}  // namespace

void StageRun::AnswerWaitingBoxes() {
    if (m_options.answerBoxes && m_nFrames % kAnswerEvery == 0) AnswerNow();
}

void StageRun::AnswerNow() {
    CGameApplication& app = App();
    // The how-to-play annotation over the still goes with the next left press.
    CPageGame* battle = GameBattlePage(&app);
    if (battle && app.m_bShowStill && CPageGame::Shows(battle->m_pEffectHowToPlay))
        app.m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
    const bool box = app.m_pEffectMsgBox && app.m_pEffectMsgBox->IsOpen() && app.m_pEffectMsgBox->SlideY() == 0.0f;
    CPageGame* page = GameBattlePage(&app);
    const bool board = page && (CPageGame::Shows(page->m_pEffectNewEnemy) ||
                                CPageGame::Shows(page->m_pEffectNewRobot) || ReadingBoardAtRest(page) ||
                                (page->m_Battle.State().m_iBattleState == BATTLE_ACHIEVEMENT &&
                                 CPageGame::Shows(app.m_pEffectNewAchievement)));
    if (box || board) app.m_aInput[0].m_aiKey[VK_ENTER] = KEY_RELEASED;
    if (!page) return;
    // The capsule of a won stage and the unlock board wait for a click.
    InputRecord& in = app.m_aInput[0];
    CEffect_Reward* reward = page->m_pEffectReward;
    if (page->m_Battle.State().m_iBattleState == BATTLE_REWARD && reward && CPageGame::Shows(reward) &&
        reward->m_iRewardState == 1) {
        const VxVec3 at = reward->CapsulePoint();
        in.m_iCursorX = int(at.x + float(g_iScreenWidth) * 0.5f);
        in.m_iCursorY = int(float(g_iScreenHeight) * 0.5f - at.y);
        in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_RELEASED;
    }
    // Unless a script plays the tutorial itself, a step that waits for a click
    // gets one in the middle of the field once it has been up a second.
    if (m_options.script.empty() && page->m_Battle.State().m_Tutorial.TakesClick()) {
        in.m_iCursorX = g_iScreenWidth / 2;
        in.m_iCursorY = g_iScreenHeight / 2;
        in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_RELEASED;
    }
    CEffect_Unlocked* unlocked = page->m_pEffectUnlocked;
    if (page->m_Battle.State().m_iBattleState == BATTLE_UNLOCKS && unlocked && CPageGame::Shows(unlocked) &&
        unlocked->m_vBoardPos.y == UNLOCKED_REST_Y)
        in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_RELEASED;
}

int StageRun::PlaceDefence() {
    CPageGame& page = Battle();
    // A jump game is played by its one jumper; more Mariner Bots only stand in the way.
    const int stage = int(App().m_iCurrentStage);
    if (stage == 157 || stage == 167) return 0;
    auto card = [&page](int terrain, int column) {
        int found = -1;
        for (int slot = 0; slot < page.m_Battle.State().m_nHandSlots && slot < DECK_SLOTS; ++slot) {
            const int id = page.m_Battle.State().m_aHand[slot].m_iCard;
            if (id < 0 || page.m_Battle.State().m_aHandDefs[slot].m_iTerrain != terrain) continue;
            const bool guard = page.m_Battle.State().m_aHandDefs[slot].m_iRole == ROLE_GUARD;
            if (guard == (column == 2 && terrain == TERRAIN_GROUND)) return slot;
            if (found < 0) found = slot;
        }
        return found;
    };
    int placed = 0;
    for (int column = 2; column < FIELD_COLUMNS; ++column)
        for (int row = 0; row < FIELD_ROWS; ++row) {
            bool taken = false;
            for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots)
                taken =
                    taken || (!r.IsMachine() && r.m_iHp > 0 && int(r.m_vCell.x) == column && int(r.m_vCell.y) == row);
            const FieldCell& cell = page.m_Battle.State().m_aFieldCells[column * FIELD_ROWS + row];
            const int slot = card(cell.m_iKind, column);
            if (taken || slot < 0) continue;
            CCom_GameRobot temp(page.m_Battle);
            temp.m_Unit = page.m_Battle.State().m_aHandDefs[slot];
            temp.m_iUnitSlot = slot;
            temp.Place(page.m_Battle, cell.m_fX, cell.m_fY, cell.m_fZ);
            RuleState(page.m_Battle).m_lstRobots.push_back(temp);
            ++placed;
        }
    return placed;
}

void StageRun::Step() {
    if (m_options.defend && App().m_iCurrentPage == BATTLE_PAGE_INDEX && State() == BATTLE_PLAYING) {
        // A withdrawing player takes its robots off once the clock has run
        // out, so that Machines the deck cannot hurt or reach walk through and
        // the battle ends.
        if (!m_options.withdraw || Model().State().m_iTimeLeft > 0) {
            if (m_iDefendFrames % 180 == 0) PlaceDefence();
            m_mouse.Play(Model(), App().m_aInput[0]);
        } else if (!m_bWithdrawn) {
            m_bWithdrawn = true;
            for (CCom_GameRobot& r : RuleState(Model()).m_lstRobots)
                if (!r.IsMachine() && r.m_iHp > 0) r.m_bExpired = 1;
        }
        ++m_iDefendFrames;
    }
    ApplyScript();
    AnswerWaitingBoxes();
    PassFrameTime();
    const int before = App().m_iCurrentPage == BATTLE_PAGE_INDEX ? State() : -1;
    const auto begin = std::chrono::steady_clock::now();
    RunOneFrame();
    if (m_bTrace && before == -1 && App().m_iCurrentPage == BATTLE_PAGE_INDEX)
        std::fprintf(stderr, "battle page up after %.1f ms of this frame, runner frame %d, engine frame %d\n",
                     std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count(),
                     m_nFrames, int(App().m_nFrame));
    if (m_bTrace && App().m_iCurrentPage == BATTLE_PAGE_INDEX && State() != before)
        std::fprintf(stderr, "frame %d battle frame %d: state %d\n", m_nFrames, BattleFrame(), State());
    ++m_nFrames;
}

void StageRun::PassFrameTime() { m_pHost->clock.Advance(kFrameNanos); }

bool StageRun::RunUntilState(int state, int maxFrames) {
    const int end = m_nFrames + maxFrames;
    while (m_nFrames < end) {
        if (App().m_iCurrentPage == BATTLE_PAGE_INDEX && State() == state) return true;
        Step();
    }
    return false;
}

StageRunResult StageRun::RunToEnd() {
    const int cap = m_options.frameLimit + 2000;  // the switch's frames come on top
    while (m_nFrames < cap) {
        if (BoardHeldOut()) break;
        const bool onBattle = App().m_iCurrentPage == BATTLE_PAGE_INDEX;
        if (onBattle && m_iBoardFrames == 0 && BattleFrame() >= m_options.frameLimit) break;
        Step();
    }
    return Result();
}

bool StageRun::BoardHeldOut() {
    const bool board =
        App().m_iCurrentPage == BATTLE_PAGE_INDEX && State() == BATTLE_SUMMARY && Model().State().m_iStateFrames >= 0;
    if (!board) return false;
    const int64_t held = int64_t(m_iBoardFrames++) * kFrameNanos;
    return held >= int64_t(m_options.holdSeconds) * 1000000000;
}

CGameApplication& StageRun::App() { return *m_pApp; }
CPageGame& StageRun::Battle() { return *GameBattlePage(m_pApp); }
CBattleModel& StageRun::Model() { return GameBattlePage(m_pApp)->m_Battle; }
int StageRun::State() const { return GameBattlePage(m_pApp)->m_Battle.State().m_iBattleState; }
int StageRun::BattleFrame() const { return GameBattlePage(m_pApp)->m_Battle.State().m_iBattleFrame; }

int StageRun::MessageBoxes() const { return int(m_pHost->boxes.Count()); }

int StageRun::NotFoundBoxes() const {
    int n = 0;
    for (const auto& b : m_pHost->boxes.Boxes())
        if (b.text.find("NOT FOUND") != std::string::npos) ++n;
    return n;
}

std::vector<std::string> StageRun::BoxTexts() const {
    std::vector<std::string> out;
    for (const auto& b : m_pHost->boxes.Boxes()) out.push_back(b.caption + ": " + b.text);
    return out;
}

uint64_t StageRun::Checksum() const { return BattleChecksum(GameBattlePage(m_pApp)->m_Battle); }

void StageRun::TraceUnits() const {
    const CPageGame& b = *GameBattlePage(m_pApp);
    std::fprintf(stderr, "state %d time left %d overtime %d live machines %d bullets %d random %u\n",
                 b.m_Battle.State().m_iBattleState, b.m_Battle.State().m_iTimeLeft,
                 b.m_Battle.State().m_iOvertimeFrames, b.m_Battle.State().m_nLiveMachines,
                 int(b.m_Battle.State().m_lstBullets.size()), unsigned(VxRandState()));
    for (const CCom_GameRobot& r : b.m_Battle.State().m_lstRobots)
        std::fprintf(stderr,
                     "unit %d type %d side %d state %d hp %d at %.1f,%.1f role %d expired %d tick %d timer %d\n",
                     r.m_iSerial, r.m_Unit.m_iType, r.m_Unit.m_iSide, r.m_iState, r.m_iHp, r.m_vPosition.x,
                     r.m_vPosition.y, r.m_Unit.m_iRole, int(r.m_bExpired), r.m_iAnimTick, r.m_iActionTimer);
    for (const CCom_GameBullet& bullet : b.m_Battle.State().m_lstBullets)
        std::fprintf(stderr, "bullet %d kind %d at %.1f,%.1f age %d\n", bullet.m_iSerial, int(bullet.m_iBulletKind),
                     bullet.m_vPosition.x, bullet.m_vPosition.y, bullet.m_iAge);
    for (const CCom_GameItem& item : b.m_Battle.State().m_lstItems)
        std::fprintf(stderr, "item %d kind %d age %d\n", item.m_iSerial, item.m_iItemKind, item.m_iAge);
    for (const FieldEffect& fx : b.m_Battle.State().m_lstFieldEffects)
        std::fprintf(stderr, "effect %d life %d\n", fx.kind, fx.life);
}

StageRunResult StageRun::Result() const {
    StageRunResult r;
    const CPageGame& b = *GameBattlePage(m_pApp);
    if (b.m_Battle.State().m_iBattleState >= BATTLE_RESULT) r.outcome = b.m_Battle.State().m_iLife > 0 ? "won" : "lost";
    r.frame = b.m_Battle.State().m_iBattleFrame;
    r.life = b.m_Battle.State().m_iLife;
    r.energy = b.m_Battle.State().m_iEnergy;
    r.kills = b.m_Battle.State().m_nMachinesKilled;
    r.stars = b.m_pEffectSummary ? b.m_pEffectSummary->m_iStars : 0;
    r.boxes = MessageBoxes();
    r.notFound = NotFoundBoxes();
    r.checksum = Checksum();
    return r;
}
