#pragma once
// Builds a save folder from a few bytes (what stands under the main, backup
// and temporary names: good files, zeros, damage, folders, FIFOs, links,
// locked files), starts the game application over it with the given answers
// to its questions, saves as the shutdown does, and checks the promise: a
// good main or a good backup is never lost or changed without the player's
// choice, and an unanswered question leaves every file as it was.
// Shared by the fuzzer and the tests. Returns nullptr when the promise held.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "platform/D3DApplication.h"
#include "platform/host/MessageBox.h"
#include "tools/save_fuzz/SaveLoadCheck.h"

namespace save_fuzz {

enum class Entry : uint8_t {
    Missing,
    GoodA,      // profiles Ada, Bo
    GoodB,      // profile Cy, further on
    Zeros,      // 5212 NULs
    NoProfile,  // what a save leaves with every profile deleted
    BadChecksum,
    Short,
    Empty,
    Folder,
    FullFolder,
    Fifo,
    Dangling,
    LinkToGood,  // a link to a good file outside the folder
    Unreadable,  // GoodA with no permissions
    Count
};

struct FolderCase {
    Entry main = Entry::Missing, backup = Entry::Missing, temp = Entry::Missing;
    int answers[6] = {};  // host::IDYES, IDNO, IDOK or 0 (not shown)
    bool save = true;     // the run ends with the shutdown save
};

// The files the entries are made of; made once by MakeSamples.
struct Samples {
    std::vector<uint8_t> goodA, goodB, noProfile;
    std::string outside;  // a good file outside the save folder, the links' target
};

inline void MakeSamples(Samples& s, const std::string& scratch) {
    auto profiles = [](std::initializer_list<const char*> names, int stage) {
        std::filesystem::remove_all(CVxSaveData::FolderPath());
        g_CurrentProfile = SaveProfile{};
        for (SaveProfile& p : g_aStoredProfiles) p = SaveProfile{};
        CGameSaveData save;
        save.Load();
        for (const char* name : names) save.CreateProfile(name);
        g_CurrentProfile.m_iFurthestStage = stage;
        save.Save();
        return ReadAll(CVxSaveData::SaveFilePath());
    };
    s.goodA = profiles({"Ada", "Bo"}, 9);
    s.goodB = profiles({"Cy"}, 40);
    s.noProfile = profiles({}, 1);
    std::filesystem::remove_all(CVxSaveData::FolderPath());
    s.outside = scratch + "/outside.dat";
    WriteAll(s.outside, s.goodA.data(), s.goodA.size());
}

inline FolderCase CaseFromBytes(const uint8_t* data, size_t size) {
    FolderCase c;
    auto at = [&](size_t i) { return i < size ? data[i] : uint8_t(0); };
    const int kinds = int(Entry::Count);
    c.main = Entry(at(0) % kinds);
    c.backup = Entry(at(1) % kinds);
    c.temp = Entry(at(2) % kinds);
    const int kAnswers[] = {host::IDYES, host::IDNO, host::IDOK, 0};
    for (int i = 0; i < 6; ++i) c.answers[i] = kAnswers[at(3 + size_t(i)) % 4];
    c.save = (at(9) & 1) == 0;
    return c;
}

namespace detail {

inline void Place(const std::string& path, Entry e, const Samples& s) {
    auto write = [&](const std::vector<uint8_t>& b) { WriteAll(path, b.data(), b.size()); };
    std::vector<uint8_t> bytes;
    switch (e) {
    case Entry::Missing: return;
    case Entry::GoodA: return write(s.goodA);
    case Entry::GoodB: return write(s.goodB);
    case Entry::Zeros: return write(std::vector<uint8_t>(size_t(CVxSaveData::FILE_SIZE), 0));
    case Entry::NoProfile: return write(s.noProfile);
    case Entry::BadChecksum: bytes = s.goodA, bytes[100] ^= 0x5A; return write(bytes);
    case Entry::Short: return write(std::vector<uint8_t>(s.goodA.begin(), s.goodA.begin() + 4000));
    case Entry::Empty: return write({});
    case Entry::Folder: std::filesystem::create_directory(path); return;
    case Entry::FullFolder: std::filesystem::create_directories(path + "/inside"); return;
    case Entry::Fifo: ::mkfifo(path.c_str(), 0644); return;
    case Entry::Dangling: std::filesystem::create_symlink(path + ".nowhere", path); return;
    case Entry::LinkToGood: std::filesystem::create_symlink(s.outside, path); return;
    case Entry::Unreadable: write(s.goodA), ::chmod(path.c_str(), 0); return;
    case Entry::Count: return;
    }
}

// What stands under a name: a word for what is not a regular file, else its bytes.
inline std::string State(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return "missing";
    // A link to a file is read as that file, as the game reads it.
    if (S_ISLNK(st.st_mode) && (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))) return "link";
    if (S_ISFIFO(st.st_mode)) return "fifo";
    if (S_ISDIR(st.st_mode)) return "folder";
    const std::vector<uint8_t> b = ReadAll(path);
    return "file:" + std::string(b.begin(), b.end());
}

// A regular file that passes the size and checksum tests and holds a profile.
inline bool Good(const std::string& state) {
    if (state.rfind("file:", 0) != 0) return false;
    const std::vector<uint8_t> b(state.begin() + 5, state.end());
    if (!IsIntact(b)) return false;
    int32_t count;
    std::memcpy(&count, b.data() + CVxSaveData::HEADER_OFFSET + 16, 4);
    return count > 0 && count <= CVxSaveData::PROFILE_COUNT;
}

inline void Clear(const std::string& folder) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) ::chmod(entry.path().c_str(), 0700);
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder, ignored);
}

}  // namespace detail

inline const char* CheckFolder(const FolderCase& c, const Samples& s, host::RecordingMessageBoxes& boxes) {
    using namespace detail;
    const std::string main = CVxSaveData::SaveFilePath(), backup = CVxSaveData::BackupFilePath();
    const std::string temp = main + ".tmp";
    Clear(CVxSaveData::FolderPath());
    Place(main, c.main, s);
    Place(backup, c.backup, s);
    Place(temp, c.temp, s);
    const std::string mainBefore = State(main), backupBefore = State(backup), tempBefore = State(temp);
    const std::string outsideBefore = State(s.outside);

    g_CurrentProfile = SaveProfile{};
    for (SaveProfile& p : g_aStoredProfiles) p = SaveProfile{};
    boxes.Clear();
    for (int answer : c.answers) boxes.QueueAnswer(answer);
    g_bQuitRequested = false;
    {
        CGameApplication app(nullptr);
        if (c.save && !app.m_bSaveDeclined) app.SaveProgress();
    }
    g_bQuitRequested = false;
    // Answers before an unanswered question were the player's own choices:
    // only a first question left unanswered promises an untouched folder.
    const std::vector<host::RecordedBox> asked = boxes.Boxes();
    const bool unanswered = !asked.empty() && asked[0].answer == 0 && asked[0].caption != "Fatal error!";

    const std::string mainAfter = State(main), backupAfter = State(backup);
    if (State(s.outside) != outsideBefore) return "a file outside the save folder changed through a link";
    if (unanswered && (mainAfter != mainBefore || backupAfter != backupBefore || State(temp) != tempBefore))
        return "an unanswered question changed the save folder";
    if (Good(backupBefore) && backupAfter != backupBefore && !(Good(mainBefore) && backupAfter == mainBefore))
        return "a good backup was lost or changed";
    if (Good(mainBefore) && mainAfter != mainBefore && backupAfter != mainBefore) return "a good main file was lost";
    return nullptr;
}

}  // namespace save_fuzz
