#pragma once
// The stage runner in the real window: the framework's device and road, the
// same road step, virtual time and recorded message boxes as a headless run,
// so both give the same result line.
#include <cstdint>
#include <vector>

#include "tools/stagerun/StageRun.h"

// One a process: the window and its framework are the program's own.
class WindowStageRun : public StageRun {
public:
    using StageRun::StageRun;
    ~WindowStageRun() override;

    // The back buffer as it stands, as a PNG file or as RGBA rows.
    bool SaveShot(const char* path);
    bool ReadShot(std::vector<uint8_t>& rgba, int& width, int& height);
    // Off, the frames step the game as before but draw nothing of it: a long
    // fight nobody looks at runs nearly as fast as a headless one. The frame
    // that turns it back on draws the whole screen again.
    void SetDrawing(bool on);

protected:
    bool CreateApplication() override;
    void RunOneFrame() override;
    void DestroyApplication() override;

private:
    bool m_bDrawing = true;
    bool m_bDrew = true;  // the last frame was drawn
};

// Plays the stage in a window and prints the result line. With
// CSQ_STAGERUN_SHOT set, the last frame's picture is written there as a PNG.
// Exit code as the tool's.
int RunStageInWindow(const StageRunOptions& options);
