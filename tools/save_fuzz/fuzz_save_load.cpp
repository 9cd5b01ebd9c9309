// libFuzzer entry for the save loader. Usage:
//   fuzz_save_load -max_total_time=60
// Input: a mode byte for CheckLoadOf, a flags byte, then the file. With
// flag bit 1 clear the file is a good save with the rest XORed over it, so
// most inputs get past the size test; bit 0 then mends the checksum so they
// get past that too. With bit 1 set the rest is the file as it stands.
// Bit 2 (with bit 1 clear) first sets one value of a profile: the next
// bytes choose the slot and field, the element, and an offset from the
// field's upper end, so every value is met at and just past its range.
#include <stdlib.h>

#include <cstdio>

#include "tools/save_fuzz/SaveLoadCheck.h"

namespace {
std::vector<uint8_t> g_GoodFile;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    save_fuzz::MakeFuzzSaveFolder("csq-save-fuzz");
    CGameSaveData save;
    if (save.Load() != CVxSaveData::SAVE_CREATED) abort();
    for (const char* name : {"Ada", "Bo", "Cy"})
        if (save.CreateProfile(name) != CVxSaveData::SAVE_OK) abort();
    g_CurrentProfile.m_iMetalParts = 0x0E8080;  // within the parts' range, bytes past 127
    if (save.Save() != CVxSaveData::SAVE_OK) abort();
    g_GoodFile = save_fuzz::ReadAll(CVxSaveData::SaveFilePath());
    if (!save_fuzz::IsIntact(g_GoodFile)) abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint8_t mode = data[0], flags = data[1];
    std::vector<uint8_t> input{mode};
    if (flags & 2) {
        input.insert(input.end(), data + 2, data + size);
    } else {
        std::vector<uint8_t> file = g_GoodFile;
        size_t from = 2;
        if ((flags & 4) && size >= 5) {
            const auto& fields = save_fuzz::ProfileFields();
            const save_fuzz::ProfileField& f = fields[data[2] % fields.size()];
            uint8_t* record = file.data() + (data[2] / fields.size()) % 3 * CVxSaveData::PROFILE_SIZE;
            save_fuzz::WriteElement(record, f, data[3] % f.count, f.high + int8_t(data[4]));
            from = 5;
        }
        for (size_t i = from; i < size; ++i) {
            if (i - from < file.size()) file[i - from] ^= data[i];
            else file.push_back(data[i]);
        }
        if ((flags & 1) && file.size() == size_t(CVxSaveData::FILE_SIZE)) {
            int32_t sum = CVxSaveData::Checksum(file.data());
            std::memcpy(file.data() + CVxSaveData::HEADER_OFFSET + 8, &sum, 4);
        }
        input.insert(input.end(), file.begin(), file.end());
    }
    if (const char* broken = save_fuzz::CheckLoadOf(input.data(), input.size())) {
        std::fprintf(stderr, "save layer promise broken: %s\n", broken);
        abort();
    }
    return 0;
}
