// Any bytes as the archive: open, list, look up and extract every entry.
#include <cstdlib>

#include "platform/ResourceArchive.h"
#include "platform/host/Headless.h"
#include "tools/archive_fuzz/FuzzArchiveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    host::HeadlessHost headless;
    std::string path = WriteFuzzArchive(data, size);

    ZipReader reader(g_szZipPassword);
    if (reader.Open(path) == ZIP_OK) {
        ZipEntry summary;
        reader.GetEntry(-1, &summary);
        reader.IndexEntryPositions();
        for (int i = 0; i < summary.index && i < 64; ++i) {
            ZipEntry entry;
            reader.GetEntry(i, &entry);
            uint32_t length = entry.uncompressedSize > 0 && entry.uncompressedSize < (1 << 20)
                                  ? static_cast<uint32_t>(entry.uncompressedSize)
                                  : 64;
            void* buffer = std::malloc(length);
            reader.UnzipEntry(i, buffer, length);
            reader.UnzipEntry(i, buffer, length / 2);
            std::free(buffer);
        }
    }

    ResourceArchive archive;
    archive.OpenResourceArchive(path);
    for (size_t i = 0; i < archive.m_lstArchiveEntries.size() && i < 64; ++i) {
        std::string name = Utf16ToUtf8(archive.m_lstArchiveEntries[i].name);
        uint32_t size32 = 0;
        void* block = nullptr;
        archive.UnzipItem(name.c_str(), &size32, &block, 1);
        std::free(block);
    }
    return 0;
}
