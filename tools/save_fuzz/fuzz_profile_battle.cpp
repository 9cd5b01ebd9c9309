// libFuzzer entry for damaged profile values through battles. Usage:
//   fuzz_profile_battle -max_total_time=60
// Input: a byte choosing the field, one the element, one the stage, one how
// the value is made, then four for the value: bit 0 of the fourth byte takes
// the four as the value itself, else they are added to the field's upper
// end, so that most inputs stand at or just past it.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

#include "tools/save_fuzz/ProfileBattleCheck.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The battles load the pack generated in the build folder.
    if (chdir(CSQ_BINARY_DIR) != 0) abort();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) return 0;
    const auto& fields = save_fuzz::ProfileFields();
    const save_fuzz::ProfileField& field = fields[data[0] % fields.size()];
    const int element = data[1] % field.count;
    const auto& stages = save_fuzz::BattleStages();
    const save_fuzz::BattleStage& stage = stages[data[2] % stages.size()];
    int32_t raw;
    std::memcpy(&raw, data + 4, 4);
    const int32_t value = (data[3] & 1) ? raw : int32_t(int64_t(field.high) + int8_t(raw & 0xFF));
    const std::vector<uint8_t> file = save_fuzz::SaveWithValue(field, element, value);
    if (const char* broken = save_fuzz::CheckBattleWith(file, field, element, value, stage, 600)) {
        std::fprintf(stderr, "profile promise broken: %s (%s [%d] = %d, stage %d)\n", broken, field.name, element,
                     value, stage.stage);
        abort();
    }
    return 0;
}
