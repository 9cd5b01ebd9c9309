#include "platform/ZipReader.h"

#include <cstring>
#include <ctime>

#include <zlib.h>

#include "platform/ZipBlockFile.h"
#include "platform/ZipCrypto.h"
#include "platform/ZipPassword.h"

std::atomic<uint32_t> g_nZipLastError{ZIP_OK};
const char* const g_szZipPassword = kZipPassword;

namespace {

// Far beyond any resource of the game; a larger size means a damaged directory.
constexpr uint64_t kMaxCompressedSize = 256ull << 20;
constexpr uint64_t kUnixToFileTimeSeconds = 11644473600ull;

FileTime UnixToFileTime(int64_t t) {
    return static_cast<FileTime>((t + static_cast<int64_t>(kUnixToFileTimeSeconds)) * 10000000ll);
}

// The DOS stamp is local time.
FileTime DosToFileTime(uint32_t dosDate) {
    // The entries of an archive mostly share one stamp, and every mktime
    // looks at the system's time zone file again.
    thread_local uint32_t t_lastDate = 0;
    thread_local FileTime t_lastTime = 0;
    thread_local bool t_known = false;
    if (t_known && dosDate == t_lastDate) return t_lastTime;
    uint32_t date = dosDate >> 16, time = dosDate & 0xFFFFu;
    std::tm tm{};
    tm.tm_year = static_cast<int>((date >> 9) + 1980) - 1900;
    tm.tm_mon = static_cast<int>((date >> 5) & 15) - 1;
    tm.tm_mday = static_cast<int>(date & 31);
    tm.tm_hour = static_cast<int>(time >> 11);
    tm.tm_min = static_cast<int>((time >> 5) & 63);
    tm.tm_sec = static_cast<int>((time & 31) * 2);
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    t_lastDate = dosDate;
    t_lastTime = t == static_cast<std::time_t>(-1) ? 0 : UnixToFileTime(static_cast<int64_t>(t));
    t_known = true;
    return t_lastTime;
}

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

std::u16string Utf8ToUtf16(const std::string& text) {
    std::u16string out;
    size_t i = 0, n = text.size();
    auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    while (i < n) {
        uint8_t c = byte(i);
        uint32_t cp = c;
        size_t len = 1;
        if (c >= 0xF0 && c < 0xF8) {
            cp = c & 0x07u;
            len = 4;
        } else if (c >= 0xE0) {
            cp = c & 0x0Fu;
            len = 3;
        } else if (c >= 0xC0) {
            cp = c & 0x1Fu;
            len = 2;
        }
        bool ok = c < 0x80 || (len > 1 && i + len <= n && c < 0xF8);
        for (size_t k = 1; ok && k < len; ++k) {
            if ((byte(i + k) & 0xC0u) != 0x80u) ok = false;
            else cp = (cp << 6) | (byte(i + k) & 0x3Fu);
        }
        if (!ok) {  // not UTF-8: keep the byte as Latin-1
            out.push_back(static_cast<char16_t>(c));
            ++i;
            continue;
        }
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp > 0xFFFF ? 0xFFFD : cp));
        }
        i += len;
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

uint32_t ZipEntryAttributes(uint32_t versionMadeBy, uint32_t external) {
    uint32_t host = (versionMadeBy >> 8) & 0xFFu;
    if (host == 0 || host == 7 || host == 11 || host == 14) return external & (0x01u | 0x02u | 0x04u | 0x10u | 0x20u);
    uint32_t attributes = 0x20u;
    if (external & (1u << 30)) attributes |= 0x10u;
    if (!(external & (1u << 23))) attributes |= 0x01u;
    return attributes;
}

std::u16string CleanZipEntryName(std::u16string name) {
    static const char16_t* const kUp[] = {u"\\..\\", u"\\../", u"/../", u"/..\\"};
    for (bool changed = true; changed;) {
        changed = false;
        if (name.size() >= 2 && name[1] == u':') {
            name.erase(0, 2);
            changed = true;
        }
        if (!name.empty() && (name[0] == u'\\' || name[0] == u'/')) {
            name.erase(0, 1);
            changed = true;
        }
        // A climb left at the start, or a name that is nothing but one.
        if (name.compare(0, 3, u"../") == 0 || name.compare(0, 3, u"..\\") == 0) {
            name.erase(0, 3);
            changed = true;
        }
        if (name == u"..") {
            name.clear();
            changed = true;
        }
        const size_t n = name.size();
        if (n >= 3 && name.compare(n - 2, 2, u"..") == 0 && (name[n - 3] == u'/' || name[n - 3] == u'\\')) {
            name.clear();  // climbs out of everything before it
            changed = true;
        }
        size_t first = std::u16string::npos;
        for (const char16_t* up : kUp) {
            size_t at = name.find(up);
            if (at < first) first = at;
        }
        if (first != std::u16string::npos) {
            name.erase(0, first + 4);
            changed = true;
        }
    }
    return name;
}

ZipReader::ZipReader(const char* password) : m_password(password ? password : "") {}

ZipReader::~ZipReader() { Close(); }

uint32_t ZipReader::Open(const std::string& fileName) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_hUnzip || m_iOpenEntry != -1) return ZIP_NOT_INITED;
    zlib_filefunc64_def blocks = ZipBlockFileFunctions();
    m_hUnzip = unzOpen2_64(fileName.c_str(), &blocks);
    if (!m_hUnzip) return ZIP_NO_FILE;
    return ZIP_OK;
}

void ZipReader::Close() {
    std::lock_guard<std::mutex> lock(m_mutex);
    CloseOpenEntry();
    if (m_hUnzip) {
        unzClose(m_hUnzip);
        m_hUnzip = nullptr;
    }
    m_iLastEntry = -1;
    m_aEntryPositions.clear();
}

void ZipReader::CloseOpenEntry() {
    if (m_iOpenEntry != -1 && m_hUnzip) unzCloseCurrentFile(m_hUnzip);
    m_iOpenEntry = -1;
}

int ZipReader::EntryCount() {
    if (!m_hUnzip) return 0;
    unz_global_info64 info{};
    if (unzGetGlobalInfo64(m_hUnzip, &info) != UNZ_OK) return 0;
    return info.number_entry > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(info.number_entry);
}

uint32_t ZipReader::GetEntry(int index, ZipEntry* entry) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return GetEntryLocked(index, entry);
}

uint32_t ZipReader::GetEntryLocked(int index, ZipEntry* entry) {
    int count = EntryCount();
    if (!entry || index < -1 || index >= count) return ZIP_ARGS;
    CloseOpenEntry();
    if (index == -1) {
        *entry = ZipEntry{};
        entry->index = count;
        return ZIP_OK;
    }
    if (index == m_iLastEntry) {
        *entry = m_lastEntry;
        return ZIP_OK;
    }

    unz64_file_pos pos{};
    if (unzGetFilePos64(m_hUnzip, &pos) != UNZ_OK || pos.num_of_file > static_cast<ZPOS64_T>(index)) {
        if (unzGoToFirstFile(m_hUnzip) != UNZ_OK) return ZIP_READ;
        pos.num_of_file = 0;
    }
    for (ZPOS64_T n = pos.num_of_file; n < static_cast<ZPOS64_T>(index); ++n) {
        if (unzGoToNextFile(m_hUnzip) != UNZ_OK) return ZIP_READ;
    }

    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(m_hUnzip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return ZIP_READ;
    std::string rawName(info.size_filename + 1, '\0');
    if (unzGetCurrentFileInfo64(m_hUnzip, &info, &rawName[0], static_cast<uLong>(rawName.size()), nullptr, 0, nullptr,
                                0) != UNZ_OK)
        return ZIP_READ;
    rawName.resize(info.size_filename);

    *entry = ZipEntry{};
    entry->index = index;
    std::u16string name = CleanZipEntryName(Utf8ToUtf16(rawName));
    size_t units = name.size() < ZIP_MAX_NAME - 1 ? name.size() : ZIP_MAX_NAME - 1;
    std::memcpy(entry->name, name.data(), units * sizeof(char16_t));
    entry->name[units] = 0;
    entry->attributes =
        ZipEntryAttributes(static_cast<uint32_t>(info.version), static_cast<uint32_t>(info.external_fa));
    FileTime stamp = DosToFileTime(static_cast<uint32_t>(info.dosDate));
    entry->accessTime = entry->createTime = entry->modifyTime = stamp;
    entry->compressedSize = static_cast<int32_t>(info.compressed_size);
    entry->uncompressedSize = static_cast<int32_t>(info.uncompressed_size);
    entry->crc32 = static_cast<uint32_t>(info.crc);

    uint32_t result = ReadLocalExtra(entry);
    if (result == ZIP_OK) {
        m_lastEntry = *entry;
        m_iLastEntry = index;
    }
    return result;
}

// Opens the current entry raw to check its local header and pick up an
// extended-timestamp block from its local extra field.
uint32_t ZipReader::ReadLocalExtra(ZipEntry* entry) {
    int err = unzOpenCurrentFile2(m_hUnzip, nullptr, nullptr, 1);
    if (err == UNZ_BADZIPFILE) return ZIP_CORRUPT;
    if (err != UNZ_OK) return ZIP_READ;
    int size = unzGetLocalExtrafield(m_hUnzip, nullptr, 0);
    std::vector<uint8_t> extra(size > 0 ? static_cast<size_t>(size) : 0);
    if (size < 0 || (size > 0 && unzGetLocalExtrafield(m_hUnzip, extra.data(), static_cast<unsigned>(size)) != size)) {
        unzCloseCurrentFile(m_hUnzip);
        return ZIP_READ;
    }
    unzCloseCurrentFile(m_hUnzip);

    for (size_t at = 0; at + 4 <= extra.size();) {
        uint16_t tag = Le16(&extra[at]);
        size_t len = Le16(&extra[at + 2]);
        size_t body = at + 4;
        if (body + len > extra.size()) break;
        if (tag == 0x5455 && len >= 1) {
            uint8_t flags = extra[body];
            size_t p = body + 1, end = body + len;
            FileTime* slots[3] = {&entry->modifyTime, &entry->accessTime, &entry->createTime};
            for (int bit = 0; bit < 3; ++bit) {
                if (!(flags & (1u << bit))) continue;
                if (p + 4 > end) break;
                *slots[bit] = UnixToFileTime(static_cast<int32_t>(Le32(&extra[p])));
                p += 4;
            }
            break;  // only the first block counts
        }
        at = body + len;
    }
    return ZIP_OK;
}

uint32_t ZipReader::OpenPackedLocked(int index, unz_file_info64& info) {
    if (!m_hUnzip) return ZIP_ARGS;
    if (index != m_iOpenEntry || index < 0) {
        CloseOpenEntry();
        if (index < 0 || index >= EntryCount() || static_cast<size_t>(index) >= m_aEntryPositions.size())
            return ZIP_ARGS;
        if (unzGoToFilePos64(m_hUnzip, &m_aEntryPositions[static_cast<size_t>(index)]) != UNZ_OK) return ZIP_READ;
        m_iOpenEntry = index;
    }
    if (unzGetCurrentFileInfo64(m_hUnzip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        m_iOpenEntry = -1;
        return ZIP_READ;
    }
    if (info.compressed_size > kMaxCompressedSize) {
        m_iOpenEntry = -1;
        return ZIP_CORRUPT;
    }
    int err = unzOpenCurrentFile2(m_hUnzip, nullptr, nullptr, 1);
    if (err != UNZ_OK) {
        m_iOpenEntry = -1;
        return err == UNZ_BADZIPFILE ? ZIP_CORRUPT : ZIP_READ;
    }
    return ZIP_OK;
}

uint32_t ZipReader::PackedEntryCrc(int index, uint32_t& crc) {
    std::lock_guard<std::mutex> lock(m_mutex);
    unz_file_info64 info{};
    if (const uint32_t opened = OpenPackedLocked(index, info); opened != ZIP_OK) return opened;
    // Read through a small buffer: no block the size of the entry to clear and fill.
    uint8_t chunk[1 << 16];
    uLong sum = crc32(0, nullptr, 0);
    uint64_t total = 0;
    int got = 0;
    while ((got = unzReadCurrentFile(m_hUnzip, chunk, sizeof chunk)) > 0) {
        sum = crc32(sum, chunk, static_cast<uInt>(got));
        total += static_cast<uint64_t>(got);
    }
    unzCloseCurrentFile(m_hUnzip);
    if (got < 0 || total != info.compressed_size) {
        m_iOpenEntry = -1;
        return ZIP_READ;
    }
    crc = static_cast<uint32_t>(sum);
    return ZIP_OK;
}

// Debian's minizip is built without decryption, so the entry is read raw and
// decrypted here; the 12-byte header's last byte must repeat the high byte of
// the CRC (or of the DOS time when a data descriptor follows).
uint32_t ZipReader::UnzipEntry(int index, void* buffer, uint32_t length, uint32_t* packedCrc) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_hUnzip) return ZIP_ARGS;
    if (!buffer && length) return ZIP_ARGS;
    unz_file_info64 info{};
    if (const uint32_t opened = OpenPackedLocked(index, info); opened != ZIP_OK) return opened;
    std::vector<uint8_t> packed(static_cast<size_t>(info.compressed_size));
    int got = packed.empty() ? 0 : unzReadCurrentFile(m_hUnzip, packed.data(), static_cast<unsigned>(packed.size()));
    unzCloseCurrentFile(m_hUnzip);
    if (got != static_cast<int>(packed.size())) {
        m_iOpenEntry = -1;
        return ZIP_READ;
    }
    if (packedCrc) *packedCrc = static_cast<uint32_t>(crc32(0, packed.data(), static_cast<uInt>(packed.size())));

    size_t start = 0;
    if (info.flag & 1u) {
        if (packed.size() < 12) {
            m_iOpenEntry = -1;
            return ZIP_CORRUPT;
        }
        ZipCrypto crypto(m_password.c_str());
        crypto.DecryptBuffer(packed.data(), packed.size());
        uint8_t expected =
            (info.flag & 8u) ? static_cast<uint8_t>((info.dosDate >> 8) & 0xFFu) : static_cast<uint8_t>(info.crc >> 24);
        if (packed[11] != expected) {
            m_iOpenEntry = -1;
            return ZIP_PASSWORD;
        }
        start = 12;
    }

    uint64_t count = 0;
    bool atEnd = false;
    bool failed = false;
    bool overLong = false;
    const uint8_t* in = packed.data() + start;
    size_t inSize = packed.size() - start;
    if (info.compression_method == 0) {
        count = inSize < length ? inSize : length;
        if (count) std::memcpy(buffer, in, static_cast<size_t>(count));
        atEnd = count == inSize;
        // Stored data that goes on past the stated size is not this entry.
        overLong = count == info.uncompressed_size && inSize > count;
    } else if (info.compression_method == Z_DEFLATED) {
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return ZIP_INFLATE;
        z.next_in = const_cast<Bytef*>(in);
        z.avail_in = static_cast<uInt>(inSize);
        z.next_out = static_cast<Bytef*>(buffer);
        z.avail_out = length;
        int r = Z_OK;
        while (r == Z_OK && z.avail_out > 0) r = inflate(&z, Z_NO_FLUSH);
        count = z.total_out;
        atEnd = r == Z_STREAM_END;
        failed = r != Z_OK && r != Z_STREAM_END && !(r == Z_BUF_ERROR && z.avail_out == 0);
        if (!atEnd && !failed && count == info.uncompressed_size) {
            // The stated size is reached: the stream must end here, with no byte more.
            uint8_t probe;
            z.next_out = &probe;
            z.avail_out = 1;
            r = inflate(&z, Z_NO_FLUSH);
            overLong = z.total_out > count;
            atEnd = r == Z_STREAM_END && !overLong;
        }
        inflateEnd(&z);
    } else {
        m_iOpenEntry = -1;
        return ZIP_CORRUPT;
    }

    if (failed) {
        m_iOpenEntry = -1;
        return ZIP_INFLATE;
    }
    if (overLong) {
        m_iOpenEntry = -1;
        return ZIP_CORRUPT;
    }
    if (atEnd || count == length) {
        // A whole entry must have its stated size and CRC.
        if (atEnd || count == info.uncompressed_size) {
            if (count != info.uncompressed_size ||
                crc32(0, static_cast<const Bytef*>(buffer), static_cast<uInt>(count)) != info.crc)
                return ZIP_CORRUPT;
        }
        return ZIP_OK;
    }
    if (count > 0) return ZIP_MORE;
    m_iOpenEntry = -1;
    return ZIP_INFLATE;
}

void ZipReader::IndexEntryPositions() {
    std::lock_guard<std::mutex> lock(m_mutex);
    CloseOpenEntry();
    m_aEntryPositions.clear();
    if (!m_hUnzip) return;
    int count = EntryCount();
    if (unzGoToFirstFile(m_hUnzip) != UNZ_OK) return;
    for (;;) {
        unz64_file_pos pos{};
        if (unzGetFilePos64(m_hUnzip, &pos) != UNZ_OK) break;
        m_aEntryPositions.push_back(pos);
        if (pos.num_of_file + 1 >= static_cast<ZPOS64_T>(count)) break;
        if (unzGoToNextFile(m_hUnzip) != UNZ_OK) break;
    }
}

size_t ZipReader::IndexedPositions() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_aEntryPositions.size();
}

ZipHandle* OpenZipArchive(const std::u16string& fileName) {
    ZipReader* reader = new ZipReader(g_szZipPassword);
    g_nZipLastError = reader->Open(Utf16ToUtf8(fileName));
    if (g_nZipLastError != ZIP_OK) {
        delete reader;
        return nullptr;
    }
    ZipHandle* handle = new ZipHandle;
    handle->kind = ZIP_HANDLE_READER;
    handle->reader = reader;
    return handle;
}

void IndexZipEntryPositions(ZipHandle* handle) {
    if (handle && handle->kind == ZIP_HANDLE_READER && handle->reader) handle->reader->IndexEntryPositions();
}

uint32_t CloseZipArchive(ZipHandle* handle) {
    if (!handle) return g_nZipLastError = ZIP_ARGS;
    if (handle->kind != ZIP_HANDLE_READER) return g_nZipLastError = ZIP_WRONG_HANDLE;
    delete handle->reader;  // closes the open entry and the file
    delete handle;
    return g_nZipLastError = ZIP_OK;
}
