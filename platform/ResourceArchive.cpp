#include "platform/ResourceArchive.h"

#include <algorithm>
#include <cstdlib>

#include "platform/D3DApplication.h"
#include "platform/LooseFile.h"
#include "platform/host/MessageBox.h"

std::atomic<bool> g_bLooseFiles{false};

namespace {

std::atomic<ResourceArchive*> s_pCurrentArchive{nullptr};

// No resource of the game comes near this; a larger size means a damaged directory.
constexpr uint32_t kMaxEntrySize = 256u << 20;

const char* const kUnzipCaption = " Unzip Item";

char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

size_t NameLength(const ZipEntry& entry) {
    size_t n = 0;
    while (n < ZIP_MAX_NAME && entry.name[n]) ++n;
    return n;
}

// An entry's '/' matches any query character.
bool SameAt(const ZipEntry& entry, size_t length, size_t i, char queryChar) {
    char16_t e = i < length ? entry.name[i] : u'\0';
    if (e == u'/') return true;
    return Upper(e) == Upper(static_cast<char16_t>(static_cast<unsigned char>(queryChar)));
}

}  // namespace

ResourceArchive* GetResourceArchive() { return s_pCurrentArchive.load(); }

bool ResourceArchiveDamaged() {
    const ResourceArchive* archive = GetResourceArchive();
    return archive && archive->ArchiveDamaged();
}

ResourceArchive::~ResourceArchive() {
    CloseResourceArchive();
    ResourceArchive* self = this;
    s_pCurrentArchive.compare_exchange_strong(self, nullptr);
}

void ResourceArchive::OpenResourceArchive() { OpenResourceArchive("DATA"); }

void ResourceArchive::OpenResourceArchive(const std::string& fileName) {
    CloseResourceArchive();
    s_pCurrentArchive.store(this);
    m_sFileName = fileName;
    m_hArchive = OpenZipArchive(Utf8ToUtf16(fileName));

    ZipEntry summary;
    uint32_t result = ZIP_ARGS;
    int count = 0;
    if (m_hArchive && m_hArchive->kind != ZIP_HANDLE_READER) result = ZIP_WRONG_HANDLE;
    else if (m_hArchive) result = m_hArchive->reader->GetEntry(-1, &summary);
    if (result == ZIP_OK) count = summary.index;
    g_nZipLastError = result;
    m_bArchiveRefused = result != ZIP_OK || count <= 0;

    // Room for what the directory claims, within what a directory can hold;
    // pages not filled cost nothing.
    m_lstArchiveEntries.reserve(size_t(std::min(count, 1 << 16)));
    for (int i = 0; i < count; ++i) {
        ZipEntry entry;
        g_nZipLastError = m_hArchive->reader->GetEntry(i, &entry);
        // The directory claimed more entries than it holds: stop at its end.
        if (entry.index == -1) break;
        m_lstArchiveEntries.push_back(entry);
        if (entry.attributes == 0x10u) m_lstArchiveDirectories.push_back(m_lstArchiveEntries.size() - 1);
    }
    // A directory that claimed more entries than it holds gives the room back.
    m_lstArchiveEntries.shrink_to_fit();
    IndexZipEntryPositions(m_hArchive);
}

void ResourceArchive::CloseResourceArchive() {
    m_bArchiveRefused = false;
    m_bArchiveDamaged = false;
    m_lstArchiveEntries.clear();
    m_lstArchiveDirectories.clear();
    if (m_hArchive) {
        if (m_hArchive->kind == ZIP_HANDLE_READER) CloseZipArchive(m_hArchive);
        m_hArchive = nullptr;
    }
}

int ResourceArchive::FindArchiveItem(const char* name, uint32_t* outSize) const {
    size_t first = 0;
    const size_t at = FindEntryPosition(name, first);
    if (at >= m_lstArchiveEntries.size()) return -1;
    if (outSize) *outSize = static_cast<uint32_t>(m_lstArchiveEntries[at].uncompressedSize);
    return m_lstArchiveEntries[first].index + static_cast<int>(at - first);
}

const ZipEntry* ResourceArchive::FindArchiveEntry(const char* name) const {
    size_t first = 0;
    const size_t at = FindEntryPosition(name, first);
    return at < m_lstArchiveEntries.size() ? &m_lstArchiveEntries[at] : nullptr;
}

size_t ResourceArchive::FindEntryPosition(const char* name, size_t& first) const {
    const size_t none = m_lstArchiveEntries.size();
    if (!name) return none;
    const std::string query(name);
    const size_t length = query.size();

    std::string folder = query;
    for (char& c : folder)
        if (c == '\\') c = '/';
    size_t cut = folder.rfind('/');
    folder = cut == std::string::npos ? std::string() : folder.substr(0, cut + 1);

    size_t matched = m_lstArchiveEntries.size();
    for (size_t position : m_lstArchiveDirectories) {
        const ZipEntry& dir = m_lstArchiveEntries[position];
        size_t dirLength = NameLength(dir);
        bool same = true;
        for (size_t i = 0; same && i < folder.size(); ++i) same = SameAt(dir, dirLength, i, folder[i]);
        if (same) {
            matched = position;
            break;
        }
    }
    if (matched + 1 >= m_lstArchiveEntries.size() || length < 11) return none;

    // The head ("Resource") and the last two characters are never compared.
    first = matched + 1;
    for (size_t at = first; at < m_lstArchiveEntries.size(); ++at) {
        const ZipEntry& entry = m_lstArchiveEntries[at];
        size_t entryLength = NameLength(entry);
        bool same = true;
        for (size_t p = 8; same && p <= length - 3; ++p) same = SameAt(entry, entryLength, p, query[p]);
        if (same) return at;
    }
    return none;
}

uint32_t ResourceArchive::Extract(int index, void* block, uint32_t size, uint32_t* packedCrc) {
    uint32_t result;
    if (!m_hArchive) result = ZIP_ARGS;
    else if (m_hArchive->kind != ZIP_HANDLE_READER) result = ZIP_WRONG_HANDLE;
    else result = m_hArchive->reader->UnzipEntry(index, block, size, packedCrc);
    g_nZipLastError = result;
    return result;
}

bool ResourceArchive::PackedItemCrc(const char* name, uint32_t& crc) {
    const int index = FindArchiveItem(name, nullptr);
    if (index == -1 || !m_hArchive || m_hArchive->kind != ZIP_HANDLE_READER) return false;
    return m_hArchive->reader->PackedEntryCrc(index, crc) == ZIP_OK;
}

bool ResourceArchive::UnzipItem(const char* name, uint32_t* outSize, void** outBuffer, uint32_t extra,
                                uint32_t* packedCrc) {
    uint32_t size = 0;
    int index = FindArchiveItem(name, &size);
    if (index == -1 || !outBuffer) return false;
    if (outSize) *outSize = size;
    *outBuffer = nullptr;
    if (size > kMaxEntrySize) {
        host::ShowMessageBox("Extract Data Error because user!!", kUnzipCaption, host::MB_OK);
        return false;
    }
    void* block = std::malloc(static_cast<size_t>(size) + extra);
    *outBuffer = block;
    if (!block) {
        host::ShowMessageBox("Extract Data Error because Engine!!", kUnzipCaption, host::MB_OK);
        return false;
    }

    uint32_t result = Extract(index, block, size, packedCrc);
    if (result == ZIP_OK) return true;
    // Faults of the data are final; a busy reader or a failed inflate is tried again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (result < ZIP_NOT_INITED) break;
        result = Extract(index, block, size, packedCrc);
        if (result == ZIP_OK) return true;
    }
    // Its list said the entry is there and the reader had it once: a file
    // that can no longer be read there was cut or replaced under the game,
    // and nothing more will come of it.
    if (result == ZIP_READ || result == ZIP_CORRUPT) ReportDamaged();
    if (m_bArchiveDamaged) return false;
    if (result < ZIP_NOT_INITED) host::ShowMessageBox("Extract Data Error because user!!", kUnzipCaption, host::MB_OK);
    else host::ShowMessageBox("Extract Data Error because Engine!!", kUnzipCaption, host::MB_OK);
    return false;
}

void ResourceArchive::ReportDamaged() {
    if (m_bArchiveDamaged.exchange(true)) return;
    host::ShowMessageBox("The resource file " + m_sFileName + " is damaged: its contents cannot be read.",
                         "Fatal error!", host::MB_OK);
    g_bQuitRequested = true;
}

VxFile::~VxFile() { std::free(data); }

void VxOpenFile(const char* name, const char* folder, VxFile** file) {
    VxFile* out = new VxFile;
    *file = out;
    std::string path = std::string(folder ? folder : "") + (name ? name : "");
    ResourceArchive* archive = GetResourceArchive();
    uint32_t size = 0;
    void* block = nullptr;
    bool ok = archive && archive->UnzipItem(path.c_str(), &size, &block, 1);
    out->data = static_cast<char*>(block);
    if (!ok) {
        if (!ResourceArchiveDamaged())
            host::ShowMessageBox(path + "\n NOT FOUND IN ZIP", "VxOpenFile Error !!", host::MB_OK);
        return;
    }
    out->data[size] = '\0';
    out->cursor = out->data;
    out->position = 0;
    out->size = size;
}

bool ResourceFileExists(const char* name, const char* folder) {
    std::string path = std::string(folder ? folder : "") + (name ? name : "");
    if (g_bLooseFiles) {
        std::FILE* f = OpenLooseFile(path, "rb");
        if (!f) return false;
        std::fclose(f);
        return true;
    }
    ResourceArchive* archive = GetResourceArchive();
    return archive && archive->FindArchiveItem(path.c_str(), nullptr) != -1;
}
