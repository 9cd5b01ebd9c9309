#pragma once
// Writes PKZIP archives the way the game's reader expects them: deflated,
// encrypted file entries and stored directory entries with exact attributes.
// The packer uses it for DATA; tests use it to build odd archives.
#include <cstdint>
#include <string>
#include <vector>

struct ZipWriteOptions {
    std::string password;  // empty: not encrypted
    bool deflate = true;   // false: stored
    int level = 6;         // deflate level
    uint8_t hostByte = 0;  // high byte of version-made-by (0 = DOS)
    uint32_t externalAttributes = 0x20;
    uint16_t dosTime = 0x6000;  // 12:00:00
    uint16_t dosDate = 0x5A21;  // 2025-01-01
    std::vector<uint8_t> localExtra;
};

class ZipWriter {
public:
    // A stored, unencrypted directory entry; name should end with '/'.
    void AddDirectory(const std::string& name, uint32_t externalAttributes = 0x10, uint8_t hostByte = 0);
    void AddFile(const std::string& name, const std::vector<uint8_t>& data, const ZipWriteOptions& options);
    void AddFile(const std::string& name, const std::string& text, const ZipWriteOptions& options);

    std::vector<uint8_t> Finish() const;
    bool WriteTo(const std::string& path) const;
    size_t EntryCount() const { return m_entries.size(); }

private:
    struct Entry {
        std::string name;
        uint16_t flags, method, dosTime, dosDate;
        uint32_t crc, compressedSize, size, external, localOffset;
        uint8_t hostByte;
    };
    std::vector<Entry> m_entries;
    std::vector<uint8_t> m_body;
};

// Raw deflate (no zlib header) at the given level.
std::vector<uint8_t> DeflateRaw(const uint8_t* data, size_t size, int level);
