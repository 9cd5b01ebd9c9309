// Any bytes as DATA: VxOpenFile every listed name and some that are not there.
#include "platform/ResourceArchive.h"
#include "platform/host/Headless.h"
#include "tools/archive_fuzz/FuzzArchiveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    host::HeadlessHost headless;
    ResourceArchive archive;
    archive.OpenResourceArchive(WriteFuzzArchive(data, size));

    std::vector<std::string> names = {"Resource\\Font\\Script_Fnt_GameStandard.txt", "Resource\\Menu\\Bbd_Main1.png",
                                      "Resource\\", "x"};
    for (size_t i = 0; i < archive.m_lstArchiveEntries.size() && i < 64; ++i) {
        std::string name = Utf16ToUtf8(archive.m_lstArchiveEntries[i].name);
        for (char& c : name)
            if (c == '/') c = '\\';
        names.push_back(name);
    }
    for (const std::string& name : names) {
        size_t cut = name.rfind('\\');
        std::string folder = cut == std::string::npos ? std::string() : name.substr(0, cut + 1);
        std::string file = cut == std::string::npos ? name : name.substr(cut + 1);
        VxFile* vx = nullptr;
        VxOpenFile(file.c_str(), folder.c_str(), &vx);
        // The script reader walks the data up to its size; the byte after it is NUL.
        if (vx->data && vx->size) {
            volatile char sum = 0;
            for (uint32_t k = 0; k <= vx->size; ++k) sum = static_cast<char>(sum + vx->data[k]);
            if (vx->data[vx->size] != '\0') __builtin_trap();
        }
        delete vx;
        ResourceFileExists(file.c_str(), folder.c_str());
    }
    return 0;
}
