#pragma once
// The stage runner in the real window: the framework's device and road, the
// same road step, virtual time and recorded message boxes as a headless run,
// so both give the same result line.
struct StageRunOptions;

// Plays the stage in a window and prints the result line. With
// CSQ_STAGERUN_SHOT set, the last frame's picture is written there as a PNG.
// Exit code as the tool's.
int RunStageInWindow(const StageRunOptions& options);
