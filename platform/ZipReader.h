#pragma once
// Reader over minizip's unzip core for the game's one encrypted archive.
// Every operation answers with a result word; the table of saved positions
// lets an entry be extracted later without walking the central directory.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include <unzip.h>

// Result words.
enum : uint32_t {
    ZIP_OK = 0,
    ZIP_NO_FILE = 0x200,
    ZIP_MORE = 0x600,
    ZIP_CORRUPT = 0x700,
    ZIP_READ = 0x800,
    ZIP_PASSWORD = 0x1000,
    ZIP_ARGS = 0x10000,
    ZIP_WRONG_HANDLE = 0x80000,
    ZIP_NOT_INITED = 0x1000000,
    ZIP_INFLATE = 0x5000000,
};

// Last word stored by the open/close calls and the application level.
extern std::atomic<uint32_t> g_nZipLastError;

// The game's one password, copied into each new reader.
extern const char* const g_szZipPassword;

constexpr int ZIP_MAX_NAME = 360;

// 100 ns ticks since 1601-01-01 UTC.
using FileTime = uint64_t;

struct ZipEntry {
    int32_t index = -1;
    char16_t name[ZIP_MAX_NAME] = {};
    uint32_t attributes = 0;
    FileTime accessTime = 0;
    FileTime createTime = 0;
    FileTime modifyTime = 0;
    int32_t compressedSize = 0;
    int32_t uncompressedSize = 0;
    uint32_t crc32 = 0;  // of the uncompressed bytes, as the directory gives it
};

class ZipReader {
public:
    explicit ZipReader(const char* password);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    uint32_t Open(const std::string& fileName);
    uint32_t GetEntry(int index, ZipEntry* entry);
    // Unpacks the entry, or its first length bytes; a whole entry is checked
    // against its size and CRC. packedCrc, when given, gets the CRC-32 of the
    // bytes as the archive holds them (packed, and encrypted for a locked one).
    uint32_t UnzipEntry(int index, void* buffer, uint32_t length, uint32_t* packedCrc = nullptr);
    // That CRC-32 alone, from the entry's local header and stored bytes read
    // without unpacking them.
    uint32_t PackedEntryCrc(int index, uint32_t& crc);
    void IndexEntryPositions();
    void Close();

    size_t IndexedPositions() const;

private:
    uint32_t GetEntryLocked(int index, ZipEntry* entry);
    uint32_t ReadLocalExtra(ZipEntry* entry);
    // Goes to the entry and opens its stored bytes raw, its local header checked.
    uint32_t OpenPackedLocked(int index, unz_file_info64& info);
    void CloseOpenEntry();
    int EntryCount();

    mutable std::mutex m_mutex;  // one thread at a time in the unzip core
    unzFile m_hUnzip = nullptr;
    int m_iOpenEntry = -1;
    ZipEntry m_lastEntry;
    int m_iLastEntry = -1;
    std::string m_password;
    // Position snapshot per entry in archive order; grows with the archive.
    std::vector<unz64_file_pos> m_aEntryPositions;
};

enum : int { ZIP_HANDLE_READER = 1 };

struct ZipHandle {
    int kind = ZIP_HANDLE_READER;
    ZipReader* reader = nullptr;
};

// Opens an archive by UTF-16 name; null on any failure.
ZipHandle* OpenZipArchive(const std::u16string& fileName);
void IndexZipEntryPositions(ZipHandle* handle);
uint32_t CloseZipArchive(ZipHandle* handle);

// Windows attribute bits from the entry's host byte and external attributes.
uint32_t ZipEntryAttributes(uint32_t versionMadeBy, uint32_t externalAttributes);
// Drops drive prefixes, leading separators, everything up to a "..", a
// climb left at the start and a name that ends by climbing out of itself.
std::u16string CleanZipEntryName(std::u16string name);

std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);
