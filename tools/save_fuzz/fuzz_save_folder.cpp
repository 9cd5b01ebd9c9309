// libFuzzer entry for whole save folders through the game's start-up. Usage:
//   fuzz_save_folder -max_total_time=60
// Input: three bytes choose what stands under the main, backup and temporary
// names, six the answers to the questions, one whether the run saves.
#include <stdlib.h>

#include <cstdio>

#include "tools/save_fuzz/SaveFolderCheck.h"

namespace {
save_fuzz::Samples g_Samples;
host::RecordingMessageBoxes g_Boxes;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* made = save_fuzz::MakeFuzzSaveFolder("csq-folder-fuzz");
    // Run where there is no archive (the source tree): the application's one
    // message about it is answered and comes after the save data's questions.
    host::SetMessageBoxes(&g_Boxes);
    save_fuzz::MakeSamples(g_Samples, made);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const save_fuzz::FolderCase c = save_fuzz::CaseFromBytes(data, size);
    if (const char* broken = save_fuzz::CheckFolder(c, g_Samples, g_Boxes)) {
        std::fprintf(stderr, "save folder promise broken: %s (main %d, backup %d, temporary %d)\n", broken, int(c.main),
                     int(c.backup), int(c.temp));
        abort();
    }
    return 0;
}
