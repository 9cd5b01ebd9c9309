#pragma once
// The stage runner in the real window: the same road step, the framework's
// device and the wall clock.
struct StageRunOptions;

// Plays the stage in a window; prints the result line like a headless run.
// With CSQ_STAGERUN_SHOT set, the picture of the last frame is written there
// as a PNG. Exit code as the tool's.
int RunStageInWindow(const StageRunOptions& options);
