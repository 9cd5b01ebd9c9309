#pragma once
// The save file SaveData.dat and its backup DataBkUp.dat: three profile
// records, two reserved blocks and a header with a checksum.
//
// The engine moves profiles as opaque 1692-byte records; the game defines
// SaveProfile and supplies its defaults through InitProfile.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/Files.h"

struct SaveProfile;

// The last 84 bytes of the file. Only the bytes before it are checksummed,
// so every value read here is checked before it is used.
struct SaveFileHeader {
    int32_t m_iLayoutId;
    int32_t m_iUnused;
    int32_t m_iChecksum;
    int32_t m_iCurrentProfile;
    int32_t m_nProfilesInUse;
    int32_t m_iMusicLevel;   // sound group 1
    int32_t m_iGroup2Level;  // sound group 2
    int32_t m_iEffectLevel;  // sound group 0
    uint8_t m_bMuted;
    uint8_t m_bWindowed;  // 0: start in full screen
    uint8_t m_abUnused[50];
};

static_assert(sizeof(SaveFileHeader) == 84, "header is 84 bytes on disk");
static_assert(offsetof(SaveFileHeader, m_iChecksum) == 8, "layout");
static_assert(offsetof(SaveFileHeader, m_iCurrentProfile) == 12, "layout");
static_assert(offsetof(SaveFileHeader, m_nProfilesInUse) == 16, "layout");
static_assert(offsetof(SaveFileHeader, m_iMusicLevel) == 20, "layout");
static_assert(offsetof(SaveFileHeader, m_iGroup2Level) == 24, "layout");
static_assert(offsetof(SaveFileHeader, m_iEffectLevel) == 28, "layout");
static_assert(offsetof(SaveFileHeader, m_bMuted) == 32, "layout");
static_assert(offsetof(SaveFileHeader, m_bWindowed) == 33, "layout");
static_assert(offsetof(SaveFileHeader, m_abUnused) == 34, "layout");

class CVxSaveData {
public:
    enum SaveFile { MAIN_FILE, BACKUP_FILE };
    static constexpr int PROFILE_COUNT = 3;
    static constexpr int PROFILE_SIZE = 1692;
    static constexpr int NAME_SIZE = 9;
    static constexpr int RECORD9_COUNT = 4;
    static constexpr int RECORD9_SIZE = 9;
    static constexpr int RECORD4_COUNT = 4;
    static constexpr int RECORD4_SIZE = 4;
    static constexpr int HEADER_SIZE = 84;
    static constexpr int FILE_SIZE = 5212;
    static constexpr int OFFSET_COUNT = 12;
    static constexpr int HEADER_ENTRY = 11;
    static constexpr int HEADER_OFFSET = FILE_SIZE - HEADER_SIZE;  // 5128
    static constexpr int LAYOUT_ID = 0;

    // Result codes.
    enum {
        SAVE_OK = 0,
        SAVE_CREATED = 4,            // no usable file: a new one was written
        SAVE_CREATED_UNWRITTEN = 5,  // as 4, but writing it failed
        SAVE_PROFILES_FULL = 6,
        SAVE_NAME_BLANK = 7,
        SAVE_NAME_TAKEN = 8,
        SAVE_BAD_INDEX = 9,  // a profile index or count out of range
        SAVE_BAD_SIZE = 10,
        SAVE_BAD_CHECKSUM = 11,
        SAVE_BAD_LAYOUT = 12,
        SAVE_ONLY_BACKUP = 13,  // the main file is gone, a backup or a file set aside is there
        SAVE_WRITE_FAILED = 14,
        SAVE_RELOAD_FAILED = 16,
    };

    // storedProfiles: PROFILE_COUNT records; both must outlive this object.
    CVxSaveData(SaveProfile* storedProfiles, SaveProfile* currentProfile);
    virtual ~CVxSaveData();
    CVxSaveData(const CVxSaveData&) = delete;
    CVxSaveData& operator=(const CVxSaveData&) = delete;

    // Defaults of a new profile (the name is kept) and of the settings.
    virtual void InitProfile(SaveProfile& profile);
    virtual void InitSettings(SaveFileHeader& header);
    // Brings every value of a profile read from the file into its range.
    virtual void ClampProfile(SaveProfile& profile);

    // A damaged main file (present but unreadable, not a regular file, wrong
    // size, checksum or layout, or a header that contradicts the profiles)
    // answers 10 to 12 and is left as it is. A missing one answers 13 when a
    // backup or a file set aside by an earlier start is there, as does one
    // with no profile that a save did not write (all zeros) when the backup
    // holds a profile. Found then says what stood under each name. A save
    // folder that cannot be made or entered answers 5 with FailedFile and
    // FailReason set.
    int Load();
    // What the last load found under the main file's or the backup's name;
    // FoundReason gives the system's words for a regular file it would not
    // let us read (Unreadable: its data may be good), or what stands there
    // instead of a file (Damaged, not read at all). Empty otherwise.
    host::FileRead Found(SaveFile file) const { return m_aFound[file]; }
    const std::string& FoundReason(SaveFile file) const { return m_asFoundReason[file]; }
    // The first free name beside a file the system would not let us read,
    // under which it is kept; "" when none is free.
    std::string SetAsideName(SaveFile file);
    // Moves that file to the name, never over anything, so that no restore,
    // new file or save takes its place; false with FailedFile and FailReason.
    bool SetAside(SaveFile file, const std::string& name);
    // Brings a file set aside back to its own name (an unanswered question
    // leaves the folder as it was).
    void PutBack(SaveFile file, const std::string& name);
    // The files earlier starts set aside, as they stand now.
    std::vector<std::string> SetAsideFiles();
    // 14 on failure: FailedFile and FailReason then say what and why.
    int Save();
    // Deletes the main file, and the backup only when it was read and found
    // damaged: one that is intact, or that could not be read, stays.
    int DeleteFiles();
    // Deletes as DeleteFiles and writes a new file with default data; a good
    // backup it kept stays until a later save holds play in a profile.
    int Recreate();
    int RestoreFromBackup();
    // An intact backup (right size and checksum) is there.
    bool BackupExists();
    // An intact backup with at least one profile in use: one worth restoring.
    bool BackupHoldsProfile();
    // Something no save can write past stands at the main file's place or
    // at its temporary name; FailedFile and FailReason then say what, in the
    // words a failed Save would use. Nothing is changed.
    bool SaveBlocked();
    // As SaveBlocked, for the backup's place and its temporary name: saves
    // go on, but the backup stays as it is; BackupFailReason says why.
    bool BackupBlocked();
    // The defaults of a new file in memory, whatever is on the disk; the
    // write that follows may fail (SAVE_CREATED_UNWRITTEN).
    int StartNew();
    const std::string& FailedFile() const { return m_sFailedFile; }
    const std::string& FailReason() const { return m_sFailReason; }
    // Why the last save could not copy the previous file to the backup
    // (the save itself went on); empty when it did or had nothing to copy.
    const std::string& BackupFailReason() const { return m_sBackupFailReason; }
    int CreateProfile(const char* name);
    int DeleteProfile(int index);
    int RenameProfile(int index, const char* name);

    // Sum of the first HEADER_OFFSET bytes, each as a signed byte.
    static int32_t Checksum(const uint8_t* file);

    // The header as held in memory; the game sets the current profile and flags here.
    SaveFileHeader& Header() { return m_Header; }
    const SaveFileHeader& Header() const { return m_Header; }
    const std::array<int, OFFSET_COUNT>& Offsets() const { return m_aiOffsets; }

    static std::string FolderPath();  // ends with '/'
    static std::string SaveFilePath();
    static std::string BackupFilePath();
    static std::string PathOf(SaveFile file) { return file == MAIN_FILE ? SaveFilePath() : BackupFilePath(); }

private:
    void InitLayout();
    int LoadLocked();
    int SaveLocked();
    int CreateNewFile();
    void NewFileInMemory();
    uint8_t* StoredProfile(int slot);
    bool CurrentIndexValid() const;
    bool HeaderMatchesProfiles();
    // The slots past those in use hold what a new or deleted profile leaves.
    bool FreeSlotsHoldDefaults();
    // A profile in use holds something a new profile of its name does not.
    bool ProfilesHoldPlay();
    bool Replace(const std::string& path, const uint8_t* data, size_t size, const char* what);
    static bool IsBlankName(const char* name);
    static void CopyName(char (&out)[NAME_SIZE], const char* name);

    struct Layout {
        int nProfiles, profileSize;
        int nRecords9, record9Size;
        int nRecords4, record4Size;
        int headerSize, fileSize;
    };

    SaveFileHeader m_Header{};
    Layout m_Layout{};
    std::vector<uint8_t> m_Buffer;
    std::array<int, OFFSET_COUNT> m_aiOffsets{};
    SaveProfile* m_pStoredProfiles;
    SaveProfile* m_pCurrentProfile;
    int m_iExpectedLayoutId = LAYOUT_ID;
    std::string m_sFailedFile, m_sFailReason, m_sBackupFailReason;
    host::FileRead m_aFound[2] = {host::FileRead::Missing, host::FileRead::Missing};
    std::string m_asFoundReason[2];
    bool m_bBackupHeld = false;  // a good backup kept by Recreate, until a save of play
};
