#pragma once
// Feeds arbitrary bytes to the save loader as the files on disk and checks
// what the layer promises about them. Shared by the fuzzer and the tests.
// Returns nullptr when every promise held, else what broke.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "content/SaveProfile.h"
#include "game/GameSaveData.h"
#include "platform/SoundVolumes.h"
#include "tools/save_fuzz/ProfileFields.h"

namespace save_fuzz {

// A fresh save folder for a fuzzer, in memory where there is such a place
// (every save syncs to the disk, which would be all the fuzzer did), set as
// APPDATA. Aborts when none can be made.
inline const char* MakeFuzzSaveFolder(const char* name) {
    static std::string made;
    for (const char* root : {"/dev/shm/", "/tmp/"}) {
        std::string pattern = std::string(root) + name + "-XXXXXX";
        if (!mkdtemp(&pattern[0])) continue;
        made = pattern;
        setenv("APPDATA", made.c_str(), 1);
        return made.c_str();
    }
    abort();
}

inline bool WriteAll(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    // An empty file has no bytes to hand over (and perhaps no buffer).
    bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

inline std::vector<uint8_t> ReadAll(const std::string& path) {
    std::vector<uint8_t> out;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return out;
    uint8_t chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.insert(out.end(), chunk, chunk + got);
    std::fclose(f);
    return out;
}

inline bool IsIntact(const std::vector<uint8_t>& file) {
    if (file.size() != size_t(CVxSaveData::FILE_SIZE)) return false;
    int32_t stored;
    std::memcpy(&stored, file.data() + CVxSaveData::HEADER_OFFSET + 8, 4);
    return stored == CVxSaveData::Checksum(file.data());
}

// First byte: bit 0 writes the rest as SaveData.dat (else there is none),
// bit 1 writes the rest as DataBkUp.dat too (else there is none).
inline const char* CheckLoadOf(const uint8_t* data, size_t size) {
    if (size == 0) return nullptr;
    const uint8_t mode = data[0];
    const uint8_t* body = data + 1;
    const size_t bodySize = size - 1;

    g_CurrentProfile = SaveProfile{};
    for (SaveProfile& p : g_aStoredProfiles) p = SaveProfile{};
    std::remove(CVxSaveData::SaveFilePath().c_str());
    std::remove(CVxSaveData::BackupFilePath().c_str());

    CGameSaveData save;
    save.DeleteFiles();  // creates the folders
    if ((mode & 1) && !WriteAll(CVxSaveData::SaveFilePath(), body, bodySize)) return "cannot set up the file";
    if ((mode & 2) && !WriteAll(CVxSaveData::BackupFilePath(), body, bodySize)) return "cannot set up the backup";
    const std::vector<uint8_t> input(body, body + bodySize);

    const int first = save.Load();
    int result = first;
    bool takenAsItStood = false;
    switch (result) {
    case CVxSaveData::SAVE_OK: {
        const SaveFileHeader& h = save.Header();
        if (h.m_nProfilesInUse < 1 || h.m_nProfilesInUse > 3) return "accepted a count out of range";
        if (h.m_iCurrentProfile < 0 || h.m_iCurrentProfile >= h.m_nProfilesInUse) return "accepted a bad index";
        if (std::memcmp(&g_CurrentProfile, &g_aStoredProfiles[h.m_iCurrentProfile], sizeof(SaveProfile)) != 0)
            return "live profile differs from its slot";
        if (!(mode & 1) || !IsIntact(input)) return "accepted a file that is not intact";
        // Whatever the file held, play meets every value inside its range.
        for (const SaveProfile& p : g_aStoredProfiles)
            if (FieldOutOfRange(reinterpret_cast<const uint8_t*>(&p))) return "a profile value past its range";
        // Nothing needed bringing into range: the file must come back as it was.
        int32_t index;
        std::memcpy(&index, input.data() + CVxSaveData::HEADER_OFFSET + 12, 4);
        takenAsItStood = index == h.m_iCurrentProfile &&
                         std::memcmp(g_aStoredProfiles, input.data(), 3 * sizeof(SaveProfile)) == 0 &&
                         std::memcmp(&h, input.data() + CVxSaveData::HEADER_OFFSET, sizeof h) == 0;
        break;
    }
    case CVxSaveData::SAVE_CREATED:
        if (!IsIntact(ReadAll(CVxSaveData::SaveFilePath()))) return "new file is not intact";
        if ((mode & 2) && ReadAll(CVxSaveData::BackupFilePath()) != input) return "the backup was changed";
        break;
    case CVxSaveData::SAVE_ONLY_BACKUP:
        if (!(mode & 2)) return "offered a restore without a backup";
        if (ReadAll(CVxSaveData::BackupFilePath()) != input) return "the backup was changed";
        result = save.RestoreFromBackup();
        if (result != CVxSaveData::SAVE_OK && result != CVxSaveData::SAVE_RELOAD_FAILED &&
            result != CVxSaveData::SAVE_WRITE_FAILED)
            return "restore failed";
        if (result == CVxSaveData::SAVE_WRITE_FAILED && IsIntact(input)) return "an intact backup was not restored";
        // A backup that could not be brought back: the player's "create new".
        if (result != CVxSaveData::SAVE_OK && save.Recreate() != CVxSaveData::SAVE_OK) return "create new failed";
        break;
    case CVxSaveData::SAVE_BAD_SIZE:
    case CVxSaveData::SAVE_BAD_CHECKSUM:
    case CVxSaveData::SAVE_BAD_LAYOUT:
        if (ReadAll(CVxSaveData::SaveFilePath()) != input) return "a refused file was changed";
        if ((mode & 2) && ReadAll(CVxSaveData::BackupFilePath()) != input) return "the backup was changed";
        // The player's "create new": a fresh file, and a good backup kept.
        if (save.Recreate() != CVxSaveData::SAVE_OK) return "create new failed";
        if (!IsIntact(ReadAll(CVxSaveData::SaveFilePath()))) return "new file is not intact";
        if ((mode & 2) && IsIntact(input) && ReadAll(CVxSaveData::BackupFilePath()) != input)
            return "create new lost a good backup";
        break;
    default: return "unexpected load result";
    }

    // Whatever was loaded, saving it must work and give an intact file.
    if (save.Save() != CVxSaveData::SAVE_OK) return "save failed";
    const std::vector<uint8_t> written = ReadAll(CVxSaveData::SaveFilePath());
    if (!IsIntact(written)) return "saved file is not intact";
    if (takenAsItStood && written != input) return "load and save changed the file";
    const int again = save.Load();
    if (again != CVxSaveData::SAVE_OK && again != CVxSaveData::SAVE_CREATED) return "the saved file does not load";
    // Values brought into range stay there: a second round changes nothing.
    if (again == CVxSaveData::SAVE_OK) {
        if (save.Save() != CVxSaveData::SAVE_OK) return "second save failed";
        if (ReadAll(CVxSaveData::SaveFilePath()) != written) return "a second load and save changed the file";
    }
    return nullptr;
}

}  // namespace save_fuzz
