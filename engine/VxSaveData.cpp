#include "engine/VxSaveData.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/SoundVolumes.h"
#include "platform/StartupChecks.h"
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

using host::FileRead;

// A save file that could not be read is kept under its name and this
// (numbered when taken).
const char* const kSetAsideSuffix = ".unreadable";
static_assert(sizeof("SaveData.dat") + sizeof(".unreadable") + sizeof("-9") - 3 <= SAVE_FOLDER_LONGEST_NAME,
              "the start-up check covers every name the folder takes");

// A file worth keeping: the right size and a checksum that matches its header.
bool IsIntactSave(const std::vector<uint8_t>& bytes) {
    if (bytes.size() != static_cast<size_t>(CVxSaveData::FILE_SIZE)) return false;
    SaveFileHeader header;
    std::memcpy(&header, bytes.data() + CVxSaveData::HEADER_OFFSET, sizeof header);
    return header.m_iChecksum == CVxSaveData::Checksum(bytes.data());
}

bool ReadIntact(const std::string& path, std::vector<uint8_t>& bytes) {
    return host::ReadRegularFile(path, bytes, CVxSaveData::FILE_SIZE + 1) == FileRead::Ok && IsIntactSave(bytes);
}

// An intact file with at least one profile in use: progress worth keeping.
bool HoldsProfile(const std::vector<uint8_t>& bytes) {
    if (!IsIntactSave(bytes)) return false;
    SaveFileHeader header;
    std::memcpy(&header, bytes.data() + CVxSaveData::HEADER_OFFSET, sizeof header);
    return header.m_iLayoutId == CVxSaveData::LAYOUT_ID && header.m_nProfilesInUse > 0 &&
           header.m_nProfilesInUse <= CVxSaveData::PROFILE_COUNT;
}

bool FileHoldsProfile(const std::string& path) {
    std::vector<uint8_t> bytes;
    return ReadIntact(path, bytes) && HoldsProfile(bytes);
}

int32_t ClampLevel(int32_t level) { return level < -10000 ? -10000 : level > 0 ? 0 : level; }

bool CreateSaveFolders(std::string* reason = nullptr) {
    const std::string root = host::UserDataRoot();
    if (root.empty()) {
        if (reason) *reason = "none of APPDATA, XDG_DATA_HOME and HOME names an absolute folder";
        return false;
    }
    return host::CreateFolders(CVxSaveData::FolderPath(), reason);
}

// A folder that cannot be entered, or too deep for its files' names, is a
// fault of the file system: nothing in it is read as damaged.
bool SaveFolderUsable(std::string* reason) {
    const int fault = host::FolderFault(CVxSaveData::FolderPath(), SAVE_FOLDER_LONGEST_NAME);
    if (fault && reason) *reason = std::strerror(fault);
    return fault == 0;
}

// What stands under a file's name, read as the load reads it: the reason is
// the system's words for a file it refused, or what stands there instead.
FileRead ReadSaveFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason) {
    reason.clear();
    const FileRead read = host::ReadRegularFile(path, bytes, CVxSaveData::FILE_SIZE + 1, &reason);
    if (read == FileRead::Damaged) reason = host::DescribeEntry(path);
    return read;
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
                      RECORD4_COUNT, RECORD4_SIZE, HEADER_SIZE,   FILE_SIZE};
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

void CVxSaveData::ClampProfile(SaveProfile&) {}

bool CVxSaveData::HeaderMatchesProfiles() {
    const int count = m_Header.m_nProfilesInUse;
    if (count < 0 || count > PROFILE_COUNT) return false;
    // Profiles in use always carry a name and free slots never do, so a
    // count that disagrees with the names was not written by a save.
    for (int i = 0; i < PROFILE_COUNT; ++i)
        if (IsBlankName(reinterpret_cast<const char*>(StoredProfile(i))) == (i < count)) return false;
    return true;
}

bool CVxSaveData::FreeSlotsHoldDefaults() {
    std::vector<uint8_t> fresh(PROFILE_SIZE, 0);
    InitProfile(*reinterpret_cast<SaveProfile*>(fresh.data()));
    for (int i = m_Header.m_nProfilesInUse; i < PROFILE_COUNT; ++i)
        if (std::memcmp(StoredProfile(i), fresh.data(), PROFILE_SIZE) != 0) return false;
    return true;
}

int CVxSaveData::LoadLocked() {
    std::string reason;
    m_aFound[MAIN_FILE] = m_aFound[BACKUP_FILE] = FileRead::Missing;
    m_asFoundReason[MAIN_FILE].clear();
    m_asFoundReason[BACKUP_FILE].clear();
    if (!CreateSaveFolders(&reason) || !SaveFolderUsable(&reason)) {
        // No folder to read from or write to: play goes on with a new file in
        // memory, and the reason is a file-system one, not damage. Nothing
        // is written over what the folder may hold.
        NewFileInMemory();
        m_sFailedFile = FolderPath();
        m_sFailReason = reason;
        return SAVE_CREATED_UNWRITTEN;
    }
    std::vector<uint8_t> bytes, backup;
    const FileRead read = m_aFound[MAIN_FILE] = ReadSaveFile(SaveFilePath(), bytes, m_asFoundReason[MAIN_FILE]);
    m_aFound[BACKUP_FILE] = ReadSaveFile(BackupFilePath(), backup, m_asFoundReason[BACKUP_FILE]);
    if (read == FileRead::Missing) {
        // A file set aside is the player's too: no new file goes in its place unasked.
        if (m_aFound[BACKUP_FILE] != FileRead::Missing || !SetAsideFiles().empty()) return SAVE_ONLY_BACKUP;
        return CreateNewFile();
    }
    // Something is there: whatever cannot be used of it is damage, never a
    // missing file, so nothing replaces it without asking.
    if (read != FileRead::Ok || bytes.size() != static_cast<size_t>(FILE_SIZE)) return SAVE_BAD_SIZE;

    std::memcpy(m_Buffer.data(), bytes.data(), FILE_SIZE);
    for (int i = 0; i < PROFILE_COUNT; ++i)
        std::memcpy(StoredProfile(i), m_Buffer.data() + m_aiOffsets[i], PROFILE_SIZE);
    std::memcpy(&m_Header, m_Buffer.data() + m_aiOffsets[HEADER_ENTRY], HEADER_SIZE);
    // The header lies outside the checksum: every value is brought into range.
    m_Header.m_iMusicLevel = ClampLevel(m_Header.m_iMusicLevel);
    m_Header.m_iGroup2Level = ClampLevel(m_Header.m_iGroup2Level);
    m_Header.m_iEffectLevel = ClampLevel(m_Header.m_iEffectLevel);
    // The levels take effect even when the checks below refuse the file.
    g_iMusicVolume = m_Header.m_iMusicLevel;
    g_iGroup2Volume = m_Header.m_iGroup2Level;
    g_iEffectVolume = m_Header.m_iEffectLevel;

    if (Checksum(m_Buffer.data()) != m_Header.m_iChecksum) return SAVE_BAD_CHECKSUM;
    if (m_Header.m_iLayoutId != m_iExpectedLayoutId) return SAVE_BAD_LAYOUT;
    if (!HeaderMatchesProfiles()) return SAVE_BAD_LAYOUT;
    if (m_Header.m_nProfilesInUse == 0) {
        // The file a save leaves when the player deleted every profile:
        // start afresh. Any other file with no profile (one of zeros after a
        // crash) never goes over a backup with progress: the restore is offered.
        if (!FreeSlotsHoldDefaults() && HoldsProfile(backup)) return SAVE_ONLY_BACKUP;
        return CreateNewFile();
    }
    if (!CurrentIndexValid()) m_Header.m_iCurrentProfile = 0;
    for (int i = 0; i < PROFILE_COUNT; ++i) ClampProfile(*reinterpret_cast<SaveProfile*>(StoredProfile(i)));
    std::memcpy(m_pCurrentProfile, StoredProfile(m_Header.m_iCurrentProfile), PROFILE_SIZE);
    return SAVE_OK;
}

bool CVxSaveData::ProfilesHoldPlay() {
    std::vector<uint8_t> fresh(PROFILE_SIZE);
    for (int i = 0; i < m_Header.m_nProfilesInUse && i < PROFILE_COUNT; ++i) {
        // A new profile under the same name: anything else is play.
        std::memcpy(fresh.data(), StoredProfile(i), PROFILE_SIZE);
        InitProfile(*reinterpret_cast<SaveProfile*>(fresh.data()));
        if (std::memcmp(fresh.data(), StoredProfile(i), PROFILE_SIZE) != 0) return true;
    }
    return false;
}

int CVxSaveData::CreateNewFile() {
    NewFileInMemory();
    return SaveLocked() == SAVE_OK ? SAVE_CREATED : SAVE_CREATED_UNWRITTEN;
}

void CVxSaveData::NewFileInMemory() {
    std::fill(m_Buffer.begin(), m_Buffer.end(), 0);
    for (int i = 0; i < PROFILE_COUNT; ++i) {
        std::memset(StoredProfile(i), 0, PROFILE_SIZE);
        InitProfile(*reinterpret_cast<SaveProfile*>(StoredProfile(i)));
    }
    std::memcpy(m_pCurrentProfile, StoredProfile(0), PROFILE_SIZE);
    m_Header = SaveFileHeader{};
    InitSettings(m_Header);
}

int CVxSaveData::Save() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    return SaveLocked();
}

bool CVxSaveData::Replace(const std::string& path, const uint8_t* data, size_t size, const char* what) {
    std::string reason;
    if (host::ReplaceFile(path, data, size, what, reason)) return true;
    m_sFailedFile = path;
    m_sFailReason = reason;
    return false;
}

int CVxSaveData::SaveLocked() {
    // With no profile in use the live one belongs to nobody: the file keeps
    // its free slots, so the next load takes it as new.
    const int index = m_Header.m_iCurrentProfile, count = m_Header.m_nProfilesInUse;
    if (count > 0 && count <= PROFILE_COUNT && index >= 0 && index < count)
        std::memcpy(StoredProfile(index), m_pCurrentProfile, PROFILE_SIZE);
    for (int i = 0; i < PROFILE_COUNT; ++i)
        std::memcpy(m_Buffer.data() + m_aiOffsets[i], StoredProfile(i), PROFILE_SIZE);

    m_Header.m_iMusicLevel = g_iMusicVolume;
    m_Header.m_iGroup2Level = g_iGroup2Volume;
    m_Header.m_iEffectLevel = g_iEffectVolume;
    m_Header.m_iChecksum = Checksum(m_Buffer.data());
    m_Header.m_iLayoutId = LAYOUT_ID;
    std::memcpy(m_Buffer.data() + m_aiOffsets[HEADER_ENTRY], &m_Header, HEADER_SIZE);

    std::string reason;
    if (!CreateSaveFolders(&reason)) {
        m_sFailedFile = FolderPath();
        m_sFailReason = reason;
        return SAVE_WRITE_FAILED;
    }
    // Another copy took this folder after it was removed under this one: its
    // saves stand, this copy's would go over them.
    if (!SaveFolderStillOurs()) {
        m_sFailedFile = FolderPath();
        m_sFailReason = "another copy of Cogsquall is running on this save folder";
        return SAVE_WRITE_FAILED;
    }

    // A backup kept after a declined restore is old progress: it gives way
    // to the first save of new progress.
    if (m_bBackupHeld && ProfilesHoldPlay()) m_bBackupHeld = false;
    // The backup takes the previous file only when that file is intact, so a
    // damaged file never replaces a good backup, nor one with no profile a
    // backup with progress. A failed copy leaves the old backup in place and
    // does not stop the save; BackupFailReason says why. A backup the system
    // would not let us read may be good: it is never written over.
    m_sBackupFailReason.clear();
    std::vector<uint8_t> previous, backup;
    std::string refused;
    if (ReadSaveFile(BackupFilePath(), backup, refused) == FileRead::Unreadable) {
        m_sBackupFailReason = "it cannot be read (" + refused + "), and is kept as it is";
    } else if (!m_bBackupHeld && ReadIntact(SaveFilePath(), previous) &&
               (HoldsProfile(previous) || !HoldsProfile(backup))) {
        std::string failed;
        if (!host::ReplaceFile(BackupFilePath(), previous.data(), previous.size(), "backup", failed))
            m_sBackupFailReason = failed;
    }
    if (!Replace(SaveFilePath(), m_Buffer.data(), m_Buffer.size(), "save")) return SAVE_WRITE_FAILED;
    return SAVE_OK;
}

int CVxSaveData::DeleteFiles() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    CreateSaveFolders();
    host::RemoveFile(SaveFilePath());
    // A good backup is the player's last good progress, and one that could
    // not be read may be: only bytes read and found damaged go.
    std::vector<uint8_t> backup;
    if (host::ReadRegularFile(BackupFilePath(), backup, FILE_SIZE + 1) == FileRead::Ok && !IsIntactSave(backup))
        host::RemoveFile(BackupFilePath());
    return SAVE_OK;
}

int CVxSaveData::Recreate() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    DeleteFiles();
    // A good backup kept here is the player's old progress: this run's saves
    // leave it alone until one of them holds new play.
    m_bBackupHeld = BackupExists();
    // Written directly: a load would find the kept backup and offer it again.
    return CreateNewFile() == SAVE_CREATED ? SAVE_OK : SAVE_RELOAD_FAILED;
}

int CVxSaveData::RestoreFromBackup() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    CreateSaveFolders();
    std::vector<uint8_t> backup;
    std::string refused;
    if (ReadSaveFile(BackupFilePath(), backup, refused) != FileRead::Ok || !IsIntactSave(backup)) {
        m_sFailedFile = BackupFilePath();
        m_sFailReason = refused.empty() ? "it is no longer an intact save" : refused;
        return SAVE_WRITE_FAILED;
    }
    if (!Replace(SaveFilePath(), backup.data(), backup.size(), "save")) return SAVE_WRITE_FAILED;
    return LoadLocked() == SAVE_OK ? SAVE_OK : SAVE_RELOAD_FAILED;
}

bool CVxSaveData::BackupExists() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    std::vector<uint8_t> backup;
    return ReadIntact(BackupFilePath(), backup);
}

bool CVxSaveData::BackupHoldsProfile() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    return FileHoldsProfile(BackupFilePath());
}

bool CVxSaveData::SaveBlocked() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    std::string reason;
    if (!host::ReplaceBlocked(SaveFilePath(), "save", reason)) return false;
    m_sFailedFile = SaveFilePath();
    m_sFailReason = reason;
    return true;
}

bool CVxSaveData::BackupBlocked() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    std::string reason;
    if (!host::ReplaceBlocked(BackupFilePath(), "backup", reason)) return false;
    m_sBackupFailReason = reason;
    return true;
}

std::string CVxSaveData::SetAsideName(SaveFile file) {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    return host::FreeName(PathOf(file) + kSetAsideSuffix);
}

bool CVxSaveData::SetAside(SaveFile file, const std::string& name) {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    std::string reason;
    if (!name.empty() && host::MoveWithoutReplacing(PathOf(file), name, reason)) return true;
    m_sFailedFile = PathOf(file);
    m_sFailReason = name.empty() ? "every name beside it is taken" : reason;
    return false;
}

void CVxSaveData::PutBack(SaveFile file, const std::string& name) {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    std::string ignored;
    host::MoveWithoutReplacing(name, PathOf(file), ignored);
}

std::vector<std::string> CVxSaveData::SetAsideFiles() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    std::vector<std::string> found;
    for (SaveFile file : {MAIN_FILE, BACKUP_FILE})
        for (int n = 1; n <= host::kNumberedNames; ++n) {
            const std::string name = host::NumberedName(PathOf(file) + kSetAsideSuffix, n);
            // A link set aside stays the player's, wherever it points.
            if (host::NameTaken(name)) found.push_back(name);
        }
    return found;
}

int CVxSaveData::StartNew() {
    std::lock_guard<std::recursive_mutex> guard(SaveLock());
    return CreateNewFile();
}

void CVxSaveData::CopyName(char (&out)[NAME_SIZE], const char* name) {
    std::memset(out, 0, NAME_SIZE);
    if (name) std::memcpy(out, name, strnlen(name, NAME_SIZE - 1));
}

bool CVxSaveData::IsBlankName(const char* name) {
    // The last byte is the terminator, which a load puts back: a name that only
    // shows there is blank once loaded, and a save would write it so.
    for (int i = 0; i < NAME_SIZE - 1; ++i)
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
        if (std::strncmp(text, reinterpret_cast<const char*>(StoredProfile(i)), NAME_SIZE) == 0) return SAVE_NAME_TAKEN;

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
    for (int j = index; j < PROFILE_COUNT - 1; ++j) std::memcpy(StoredProfile(j), StoredProfile(j + 1), PROFILE_SIZE);
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
