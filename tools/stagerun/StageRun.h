#pragma once
// Plays one stage with the real game application from a seed: the generated
// pack in the working directory, inline workers, the virtual clock, silent
// sound, recorded message boxes and, headless, no drawing device (the drawing
// code runs all the same). Frames go through the same road step as the
// window's. Tests use it through its query API; the stagerun tool prints its
// last line.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/stagerun/DefenceMouse.h"

class CGameApplication;
class CBattleModel;
class CPageGame;

// One timed input of a script, at logical coordinates (880 x 640, y down).
struct ScriptEvent {
    enum Kind { PRESS, RELEASE, MOVE, KEY } kind = MOVE;
    int frame = 0;  // runner frame (counted from the start of the run)
    int x = 0, y = 0;
    int key = 0;
};

struct StageRunOptions {
    int stage = 1;
    int difficulty = 1;
    uint32_t seed = 1;
    std::string profileFile;  // a save file whose current profile plays; empty: a fresh one
    std::vector<int> hand;    // robot ids dealt to the hand; empty: the profile's cards
    std::vector<ScriptEvent> script;
    int frameLimit = 200000;  // battle frames
    bool window = false;
    // With window: the battle frames before this one step the game without
    // drawing it, as a long run's shot needs only its last frames drawn.
    int drawFrom = 0;
    // The hand's cards are placed on the free cells of the eight right
    // columns as play starts and every 180 frames after (a test player);
    // capsules are clicked and their cards set down by mouse.
    bool defend = false;
    // With defend: once the clock has run out no more robots are placed and
    // those on the field are taken off, once.
    bool withdraw = false;
    // Boxes and boards waiting for the player are answered every few frames;
    // off, they wait for AnswerNow.
    bool answerBoxes = true;
    // Seconds of virtual time the page stays on its result board once it is
    // up, so what plays there (the end music) can be heard out.
    int holdSeconds = 0;
};

// Reads a script file: one event a line, "FRAME press X Y", "FRAME release X Y",
// "FRAME move X Y" or "FRAME key CODE"; '#' starts a comment. False with a
// message on a line it cannot read.
bool ReadScript(const std::string& path, std::vector<ScriptEvent>& out, std::string& error);
// Parses "1,2,39" into robot ids.
bool ParseHand(const std::string& text, std::vector<int>& out);

struct StageRunResult {
    std::string outcome = "limit";  // won, lost or limit
    int frame = 0;                  // battle frame at which it ended
    int life = 0;
    int energy = 0;
    int kills = 0;
    int stars = 0;
    int boxes = 0;
    int notFound = 0;
    uint64_t checksum = 0;
    std::string Line() const;
};

class StageRun {
public:
    explicit StageRun(const StageRunOptions& options);
    virtual ~StageRun();
    StageRun(const StageRun&) = delete;
    StageRun& operator=(const StageRun&) = delete;

    // Builds the application and switches to the battle page. False (with
    // Error()) when the pack is missing or the options are out of range.
    bool Start();
    // Start without the switch: the application, the profile, the stage and
    // the seed, for a battle run without its page.
    bool Prepare();
    // One frame of the road (the loading frames of the switch included).
    void Step();
    // A frame's time passes on the virtual clock: sounds end as they would.
    void PassFrameTime();
    // Steps until the battle reaches its result board (and has held it the
    // options' seconds), or the frame limit.
    StageRunResult RunToEnd();
    // Whether the result board is up and has been held long enough; counts
    // the frames it has been up, so call it once a frame.
    bool BoardHeldOut();
    // Steps until the battle is in that state (or the limit); false on the limit.
    bool RunUntilState(int state, int maxFrames = 200000);

    // Places the hand's card robots on the free cells of columns 2 to 9, each
    // cell with the first card of its terrain (Blocker Bot, when dealt, in
    // column 2 on ground); answers how many it placed.
    int PlaceDefence();
    // Answers whatever box or board waits for the player now.
    void AnswerNow();

    // Queries.
    CGameApplication& App();
    CPageGame& Battle();
    // The battle's model the page holds.
    CBattleModel& Model();
    int State() const;
    int BattleFrame() const;
    int RunnerFrame() const { return m_nFrames; }
    int MessageBoxes() const;
    int NotFoundBoxes() const;
    std::vector<std::string> BoxTexts() const;
    // 64-bit hash of a canonical dump of the battle: robots, bullets, items,
    // counters, the generator's state and the serial counters.
    uint64_t Checksum() const;
    StageRunResult Result() const;
    // The units still on the field, one a line on stderr (for a run that
    // does not end).
    void TraceUnits() const;
    const std::string& Error() const { return m_error; }

protected:
    // Builds the application and loads it as the device's creation does
    // (headless: no device; the window run makes its framework here).
    virtual bool CreateApplication();
    // One frame of the road.
    virtual void RunOneFrame();
    // Takes the application down before the host services go.
    virtual void DestroyApplication();
    CGameApplication* m_pApp = nullptr;
    const StageRunOptions& Options() const { return m_options; }
    void SetError(const std::string& error) { m_error = error; }

private:
    struct Host;
    void ApplyScript();
    void AnswerWaitingBoxes();
    void MakeProfile();

    StageRunOptions m_options;
    std::unique_ptr<Host> m_pHost;
    int m_nFrames = 0;
    size_t m_iScriptNext = 0;   // the first script event not yet played
    int m_iDefendFrames = 0;    // playing frames of a defended run
    bool m_bWithdrawn = false;  // the defended run's robots have been taken off
    DefenceMouse m_mouse;       // the defence's hand on the mouse
    int m_iBoardFrames = 0;     // frames the result board has been up
    std::string m_error;
    bool m_bTrace = false;  // CSQ_STAGERUN_TRACE set: state changes on stderr
    std::string m_saveFolder;
    std::string m_oldAppData;
    bool m_bHadAppData = false;
};

// The field of a golden file line "name value".
bool ReadGoldenValue(const std::string& path, const std::string& name, std::string& value);
