#pragma once
// The game's resource archive as the application sees it: the entry and
// directory lists, lookup by resource path, and whole-entry extraction.
// The platform application carries these members.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ZipReader.h"

// Resources come from plain files instead of the archive while this is set
// (existence tests and the texture loader).
extern std::atomic<bool> g_bLooseFiles;

class ResourceArchive {
public:
    ResourceArchive() = default;
    virtual ~ResourceArchive();
    ResourceArchive(const ResourceArchive&) = delete;
    ResourceArchive& operator=(const ResourceArchive&) = delete;

    // Opens "DATA" in the working directory (or the named file), lists its
    // entries and saves every entry's position. Makes this the archive that
    // VxOpenFile and ResourceFileExists read.
    void OpenResourceArchive();
    void OpenResourceArchive(const std::string& fileName);
    void CloseResourceArchive();
    // The last open found no readable list of entries (a missing or cut
    // archive): nothing can be loaded from it.
    bool ArchiveRefused() const { return m_bArchiveRefused; }
    // An entry of its list could not be read after a good open: the file
    // was cut or replaced under the game. Said once, and the run ends.
    bool ArchiveDamaged() const { return m_bArchiveDamaged; }
    const std::string& FileName() const { return m_sFileName; }

    // Entry index for a path like "Resource\Menu\Bbd_Main1.png", or -1.
    int FindArchiveItem(const char* name, uint32_t* outSize) const;
    // The same entry as the open archive's directory lists it, or null.
    const ZipEntry* FindArchiveEntry(const char* name) const;
    // Extracts the whole entry into a new malloc block of size + extra bytes;
    // packedCrc, when given, gets the CRC-32 of the stored bytes it was read from.
    bool UnzipItem(const char* name, uint32_t* outSize, void** outBuffer, uint32_t extra,
                   uint32_t* packedCrc = nullptr);
    // The CRC-32 of the entry's stored bytes, read without unpacking them;
    // false, and nothing told, when they cannot be read.
    bool PackedItemCrc(const char* name, uint32_t& crc);

    ZipHandle* m_hArchive = nullptr;
    std::vector<ZipEntry> m_lstArchiveEntries;
    std::vector<size_t> m_lstArchiveDirectories;  // positions in m_lstArchiveEntries

private:
    // The entry's position in m_lstArchiveEntries (their count when there is
    // none); first gets the position of its folder's first entry.
    size_t FindEntryPosition(const char* name, size_t& first) const;
    uint32_t Extract(int index, void* block, uint32_t size, uint32_t* packedCrc);
    void ReportDamaged();
    bool m_bArchiveRefused = false;
    std::atomic<bool> m_bArchiveDamaged{false};
    std::string m_sFileName;
};

// The archive opened last, or null.
ResourceArchive* GetResourceArchive();

// A whole resource in memory. Deleting it frees its data too.
struct VxFile {
    char* cursor = nullptr;
    char* data = nullptr;  // size + 1 bytes, the last one NUL
    uint32_t position = 0;
    uint32_t size = 0;

    VxFile() = default;
    ~VxFile();
    VxFile(const VxFile&) = delete;
    VxFile& operator=(const VxFile&) = delete;
};

// The archive opened last was found damaged under the game: what could not
// be read from it is not told again, one by one.
bool ResourceArchiveDamaged();

// Always creates *file; on failure it is empty (size 0) after a message box.
void VxOpenFile(const char* name, const char* folder, VxFile** file);

bool ResourceFileExists(const char* name, const char* folder);
