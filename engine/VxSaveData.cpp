#include "engine/VxSaveData.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/SoundVolumes.h"
#include "platform/host/Files.h"
#include "platform/host/UserFolders.h"

// The file is copied to and from memory as it stands on disk.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "save file is little-endian");

namespace {

// One lock for the whole layer: the files and the profile copies are shared
// by the main thread and the loader threads. Public operations call one
// another (Load saves, Recreate loads), hence recursive.
std::recursive_mutex& SaveLock() {
    static std::recursive_mutex lock;
    return lock;
}

enum class ReadResult { Missing, Unreadable, Ok };

// Reads at most limit bytes; a longer file comes back with limit bytes.
ReadResult ReadFileBytes(const std::string& path, std::vector<uint8_t>& out, size_t limit) {
    out.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return ReadResult::Missing;
    out.resize(limit);
    size_t got = std::fread(out.data(), 1, limit, f);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    out.resize(got);
    return failed ? ReadResult::Unreadable : ReadResult::Ok;
}

bool CanOpenForReading(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

// A file worth keeping: the right size and a checksum that matches its header.
bool IsIntactSave(const std::vector<uint8_t>& bytes) {
    if (bytes.size() != static_cast<size_t>(CVxSaveData::FILE_SIZE)) return false;
    SaveFileHeader header;
    std::memcpy(&header, bytes.data() + CVxSaveData::HEADER_OFFSET, sizeof header);
    return header.m_iChecksum == CVxSaveData::Checksum(bytes.data());
}

void SyncFolderOf(const std::string& path) {
    std::string folder = path.substr(0, path.find_last_of('/') + 1);
    host::SyncFolder(folder);
}

// Writes a sibling temporary file, flushes it to the disk and renames it over
// path, so path holds either its old or its new content after any crash.
bool WriteFileReplacing(const std::string& path, const uint8_t* data, size_t size) {
    const std::string temp = path + ".tmp";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    ok = std::fflush(f) == 0 && ok;
    ok = host::SyncFile(f) && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(temp.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

bool CreateSaveFolders() {
    const std::string root = host::UserDataRoot();
    host::CreateFolders(root + "Orvendale/");
    return host::CreateFolders(CVxSaveData::FolderPath());
}

}  // namespace

CVxSaveData::CVxSaveData(SaveProfile* storedProfiles, SaveProfile* currentProfile)
    : m_pStoredProfiles(storedProfiles), m_pCurrentProfile(currentProfile) {
    InitLayout();
}

CVxSaveData::~CVxSaveData() = default;

void CVxSaveData::InitProfile(SaveProfile&) {}

void CVxSaveData::InitSettings(SaveFileHeader&) {}

void CVxSaveData::InitLayout() {
    m_Header = SaveFileHeader{};
    m_Layout = Layout{PROFILE_COUNT, PROFILE_SIZE, RECORD9_COUNT, RECORD9_SIZE,
                      RECORD4_COUNT, RECORD4_SIZE, HEADER_SIZE, FILE_SIZE};
    m_Buffer.assign(m_Layout.fileSize, 0);
    int offset = 0, entry = 0;
    for (int i = 0; i < m_Layout.nProfiles; ++i, offset += m_Layout.profileSize) m_aiOffsets[entry++] = offset;
    for (int i = 0; i < m_Layout.nRecords9; ++i, offset += m_Layout.record9Size) m_aiOffsets[entry++] = offset;
    for (int i = 0; i < m_Layout.nRecords4; ++i, offset += m_Layout.record4Size) m_aiOffsets[entry++] = offset;
    m_aiOffsets[entry] = offset;
}

std::string CVxSaveData::FolderPath() { return host::UserDataRoot() + "Orvendale/Cogsquall/"; }
std::string CVxSaveData::SaveFilePath() { return FolderPath() + "SaveData.dat"; }
std::string CVxSaveData::BackupFilePath() { return FolderPath() + "DataBkUp.dat"; }

int32_t CVxSaveData::Checksum(const uint8_t* file) {
    int32_t sum = 0;
    for (int i = 0; i < HEADER_OFFSET; ++i) sum += static_cast<int8_t>(file[i]);
    return sum;
}

uint8_t* CVxSaveData::StoredProfile(int slot) {
    return reinterpret_cast<uint8_t*>(m_pStoredProfiles) + static_cast<size_t>(slot) * PROFILE_SIZE;
}

bool CVxSaveData::CurrentIndexValid() const {
    const int count = m_Header.m_nProfilesInUse;
    const int index = m_Header.m_iCurrentProfile;
    return count >= 0 && count <= PROFILE_COUNT && index >= 0 && index < count;
}

int CVxSaveData::Load() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    return LoadLocked();
}

int CVxSaveData::LoadLocked() {
    CreateSaveFolders();
    const std::string mainPath = SaveFilePath();
    std::vector<uint8_t> bytes;
    ReadResult read = ReadFileBytes(mainPath, bytes, FILE_SIZE + 1);

    bool damaged = read == ReadResult::Unreadable || (read == ReadResult::Ok && bytes.empty());
    if (read == ReadResult::Ok && !bytes.empty()) {
        if (bytes.size() != static_cast<size_t>(FILE_SIZE)) return SAVE_BAD_SIZE;
        std::memcpy(m_Buffer.data(), bytes.data(), FILE_SIZE);
        for (int i = 0; i < PROFILE_COUNT; ++i)
            std::memcpy(StoredProfile(i), m_Buffer.data() + m_aiOffsets[i], PROFILE_SIZE);
        std::memcpy(&m_Header, m_Buffer.data() + m_aiOffsets[HEADER_ENTRY], HEADER_SIZE);

        if (m_Header.m_nProfilesInUse != 0) {
            // The levels take effect even when the checks below refuse the file.
            g_iMusicVolume = m_Header.m_iMusicLevel;
            g_iGroup2Volume = m_Header.m_iGroup2Level;
            g_iEffectVolume = m_Header.m_iEffectLevel;

            if (Checksum(m_Buffer.data()) != m_Header.m_iChecksum) return SAVE_BAD_CHECKSUM;
            if (m_Header.m_iLayoutId != m_iExpectedLayoutId) return SAVE_BAD_LAYOUT;
            if (!CurrentIndexValid()) return SAVE_BAD_INDEX;
            std::memcpy(m_pCurrentProfile, StoredProfile(m_Header.m_iCurrentProfile), PROFILE_SIZE);
            return SAVE_OK;
        }
        // No profile in use: the player deleted them all; start afresh.
        return CreateNewFile();
    }

    if (damaged || CanOpenForReading(mainPath)) {
        // An empty or unreadable file must not push a good backup out.
        std::vector<uint8_t> backup;
        if (ReadFileBytes(BackupFilePath(), backup, FILE_SIZE + 1) == ReadResult::Ok && IsIntactSave(backup))
            return SAVE_ONLY_BACKUP;
        return CreateNewFile();
    }
    if (CanOpenForReading(BackupFilePath())) return SAVE_ONLY_BACKUP;
    return CreateNewFile();
}

int CVxSaveData::CreateNewFile() {
    std::fill(m_Buffer.begin(), m_Buffer.end(), 0);
    for (int i = 0; i < PROFILE_COUNT; ++i) {
        std::memset(StoredProfile(i), 0, PROFILE_SIZE);
        InitProfile(*reinterpret_cast<SaveProfile*>(StoredProfile(i)));
    }
    std::memcpy(m_pCurrentProfile, StoredProfile(0), PROFILE_SIZE);
    m_Header = SaveFileHeader{};
    InitSettings(m_Header);
    return SaveLocked() == SAVE_OK ? SAVE_CREATED : SAVE_CREATED_UNWRITTEN;
}

int CVxSaveData::Save() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    return SaveLocked();
}

int CVxSaveData::SaveLocked() {
    if (CurrentIndexValid())
        std::memcpy(StoredProfile(m_Header.m_iCurrentProfile), m_pCurrentProfile, PROFILE_SIZE);
    for (int i = 0; i < PROFILE_COUNT; ++i)
        std::memcpy(m_Buffer.data() + m_aiOffsets[i], StoredProfile(i), PROFILE_SIZE);

    m_Header.m_iMusicLevel = g_iMusicVolume;
    m_Header.m_iGroup2Level = g_iGroup2Volume;
    m_Header.m_iEffectLevel = g_iEffectVolume;
    m_Header.m_iChecksum = Checksum(m_Buffer.data());
    m_Header.m_iLayoutId = LAYOUT_ID;
    std::memcpy(m_Buffer.data() + m_aiOffsets[HEADER_ENTRY], &m_Header, HEADER_SIZE);

    if (!CreateSaveFolders()) return SAVE_WRITE_FAILED;

    // The backup takes the previous file only when that file is intact, so a
    // damaged file never replaces a good backup. A failed copy leaves the old
    // backup in place and does not stop the save.
    const std::string mainPath = SaveFilePath();
    std::vector<uint8_t> previous;
    if (ReadFileBytes(mainPath, previous, FILE_SIZE + 1) == ReadResult::Ok && IsIntactSave(previous))
        WriteFileReplacing(BackupFilePath(), previous.data(), previous.size());

    if (!WriteFileReplacing(mainPath, m_Buffer.data(), m_Buffer.size())) return SAVE_WRITE_FAILED;
    return SAVE_OK;
}

int CVxSaveData::DeleteFiles() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    CreateSaveFolders();
    std::remove(SaveFilePath().c_str());
    std::remove(BackupFilePath().c_str());
    return SAVE_OK;
}

int CVxSaveData::Recreate() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    DeleteFiles();
    // With both files gone the load writes a new file: that is the success here.
    int result = LoadLocked();
    return result == SAVE_OK || result == SAVE_CREATED ? SAVE_OK : SAVE_RELOAD_FAILED;
}

int CVxSaveData::RestoreFromBackup() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    CreateSaveFolders();
    std::vector<uint8_t> backup;
    if (ReadFileBytes(BackupFilePath(), backup, FILE_SIZE + 1) != ReadResult::Ok) return SAVE_WRITE_FAILED;
    if (!WriteFileReplacing(SaveFilePath(), backup.data(), backup.size())) return SAVE_WRITE_FAILED;
    return LoadLocked() == SAVE_OK ? SAVE_OK : SAVE_RELOAD_FAILED;
}

bool CVxSaveData::BackupExists() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    return CanOpenForReading(BackupFilePath());
}

void CVxSaveData::CopyName(char (&out)[NAME_SIZE], const char* name) {
    std::memset(out, 0, NAME_SIZE);
    if (name) std::memcpy(out, name, strnlen(name, NAME_SIZE - 1));
}

bool CVxSaveData::IsBlankName(const char* name) {
    for (int i = 0; i < NAME_SIZE; ++i)
        if (name[i] != '\0' && name[i] != ' ') return false;
    return true;
}

int CVxSaveData::CreateProfile(const char* name) {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    const int count = m_Header.m_nProfilesInUse;
    if (count >= PROFILE_COUNT) return SAVE_PROFILES_FULL;
    if (count < 0) return SAVE_BAD_INDEX;
    char text[NAME_SIZE];
    CopyName(text, name);
    if (IsBlankName(text)) return SAVE_NAME_BLANK;
    for (int i = 0; i < count; ++i)
        if (std::strncmp(text, reinterpret_cast<const char*>(StoredProfile(i)), NAME_SIZE) == 0)
            return SAVE_NAME_TAKEN;

    std::memcpy(StoredProfile(count), text, NAME_SIZE);
    m_Header.m_nProfilesInUse = count + 1;
    m_Header.m_iCurrentProfile = count;
    std::memcpy(m_pCurrentProfile, StoredProfile(count), PROFILE_SIZE);
    return SAVE_OK;
}

int CVxSaveData::DeleteProfile(int index) {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    const int count = m_Header.m_nProfilesInUse;
    if (count < 0 || count > PROFILE_COUNT || index < 0 || index >= count) return SAVE_BAD_INDEX;
    for (int j = index; j < PROFILE_COUNT - 1; ++j)
        std::memcpy(StoredProfile(j), StoredProfile(j + 1), PROFILE_SIZE);
    uint8_t* last = StoredProfile(PROFILE_COUNT - 1);
    std::memset(last, 0, PROFILE_SIZE);
    InitProfile(*reinterpret_cast<SaveProfile*>(last));
    m_Header.m_nProfilesInUse = count - 1;
    return SAVE_OK;
}

int CVxSaveData::RenameProfile(int index, const char* name) {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    const int count = m_Header.m_nProfilesInUse;
    if (count < 0 || count > PROFILE_COUNT || index < 0 || index >= count) return SAVE_BAD_INDEX;
    char text[NAME_SIZE];
    CopyName(text, name);
    if (IsBlankName(text)) return SAVE_NAME_BLANK;
    for (int i = 0; i < count; ++i)
        if (i != index && std::strncmp(text, reinterpret_cast<const char*>(StoredProfile(i)), NAME_SIZE) == 0)
            return SAVE_NAME_TAKEN;

    std::memcpy(StoredProfile(index), text, NAME_SIZE);
    if (index == m_Header.m_iCurrentProfile) std::memcpy(m_pCurrentProfile, text, NAME_SIZE);
    return SAVE_OK;
}
