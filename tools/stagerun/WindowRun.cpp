#include "tools/stagerun/WindowRun.h"

#include <cstdio>

#include "tools/stagerun/StageRun.h"

int RunStageInWindow(const StageRunOptions&) {
    std::fprintf(stderr, "stagerun: the window mode is not built yet\n");
    return 2;
}
