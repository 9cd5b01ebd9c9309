#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <fstream>
#include <unistd.h>
#include <zlib.h>

#include "platform/LooseFile.h"
#include "platform/ResourceArchive.h"
#include "platform/host/Headless.h"
#include "tools/assetpack/ZipWriter.h"

namespace fs = std::filesystem;

namespace {

class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("csq_archive_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        g_bLooseFiles = false;
    }
    void TearDown() override {
        g_bLooseFiles = false;
        fs::remove_all(m_dir);
    }

    static ZipWriteOptions Sealed() {
        ZipWriteOptions o;
        o.password = g_szZipPassword;
        return o;
    }

    std::string Write(const ZipWriter& zip, const char* name = "DATA") {
        std::string path = (m_dir / name).string();
        EXPECT_TRUE(zip.WriteTo(path));
        return path;
    }

    // The usual layout: each folder as its own entry, before its files.
    ZipWriter Standard() {
        ZipWriter zip;
        zip.AddDirectory("Resource/");
        zip.AddDirectory("Resource/Menu/");
        zip.AddFile("Resource/Menu/Bbd_Main1.png", std::string("main picture bytes"), Sealed());
        zip.AddFile("Resource/Menu/LongerName.png", std::string("longer"), Sealed());
        zip.AddDirectory("Resource/Font/");
        zip.AddFile("Resource/Font/Script_Fnt_GameStandard.txt", std::string("FONT_COL=16;\nEND_FILE=;\n"), Sealed());
        return zip;
    }

    static std::string Extract(ResourceArchive& archive, const char* name) {
        uint32_t size = 0;
        void* block = nullptr;
        bool ok = archive.UnzipItem(name, &size, &block, 0);
        std::string text = ok ? std::string(static_cast<char*>(block), size) : std::string("<failed>");
        std::free(block);
        return text;
    }

    fs::path m_dir;
};

}  // namespace

TEST_F(ArchiveTest, RoundTripListsEntriesAndExtractsThem) {
    host::HeadlessHost h;
    ResourceArchive archive;
    archive.OpenResourceArchive(Write(Standard()));
    ASSERT_NE(archive.m_hArchive, nullptr);
    ASSERT_EQ(archive.m_lstArchiveEntries.size(), 6u);
    EXPECT_EQ(archive.m_lstArchiveDirectories, (std::vector<size_t>{0, 1, 4}));
    EXPECT_EQ(std::u16string(archive.m_lstArchiveEntries[2].name), u"Resource/Menu/Bbd_Main1.png");
    EXPECT_EQ(archive.m_lstArchiveEntries[2].uncompressedSize, 18);

    uint32_t size = 0;
    EXPECT_EQ(archive.FindArchiveItem("Resource\\Menu\\Bbd_Main1.png", &size), 2);
    EXPECT_EQ(size, 18u);
    EXPECT_EQ(Extract(archive, "Resource\\Menu\\Bbd_Main1.png"), "main picture bytes");
    // Extracting again, and after another entry, gives the same bytes.
    EXPECT_EQ(Extract(archive, "Resource\\Font\\Script_Fnt_GameStandard.txt"), "FONT_COL=16;\nEND_FILE=;\n");
    EXPECT_EQ(Extract(archive, "Resource\\Menu\\Bbd_Main1.png"), "main picture bytes");
    EXPECT_EQ(Extract(archive, "Resource\\Menu\\Bbd_Main1.png"), "main picture bytes");

    VxFile* file = nullptr;
    VxOpenFile("Script_Fnt_GameStandard.txt", "Resource\\Font\\", &file);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size, 24u);
    EXPECT_EQ(file->position, 0u);
    EXPECT_EQ(file->cursor, file->data);
    EXPECT_EQ(file->data[24], '\0');
    EXPECT_STREQ(file->data, "FONT_COL=16;\nEND_FILE=;\n");
    delete file;
    EXPECT_EQ(h.boxes.Count(), 0u);

    archive.CloseResourceArchive();
    EXPECT_EQ(archive.m_hArchive, nullptr);
    EXPECT_TRUE(archive.m_lstArchiveEntries.empty());
    EXPECT_EQ(archive.FindArchiveItem("Resource\\Menu\\Bbd_Main1.png", &size), -1);
}

// Lookups: case and separators do not matter, nor the first eight and last two
// characters; queries of ten characters or fewer never match; a file listed
// before its folder's entry, or under a folder entry with more than the
// directory bit, is never found.
TEST_F(ArchiveTest, LookupTable) {
    ZipWriter odd;
    odd.AddDirectory("Res/");
    odd.AddFile("Res/ab.png", std::string("x"), Sealed());   // 10 characters
    odd.AddFile("Res/a.png", std::string("y"), Sealed());    // 9
    odd.AddFile("Res/abc.png", std::string("z"), Sealed());  // 11
    odd.AddFile("Resource/Menu/Early.png", std::string("early"), Sealed());
    odd.AddDirectory("Resource/");
    odd.AddDirectory("Resource/Menu/");
    odd.AddFile("Resource/Menu/Later.png", std::string("later"), Sealed());
    ZipWriter flagged;
    flagged.AddDirectory("Resource/", 0x30);
    flagged.AddDirectory("Resource/Menu/", 0x30);
    flagged.AddFile("Resource/Menu/Bbd_Main1.png", std::string("main"), Sealed());
    flagged.AddDirectory("Resource/Font/", 0x41ED0010u, 3);  // a Unix host adds the archive bit
    flagged.AddFile("Resource/Font/Script_Fnt_GameStandard.txt", std::string("font"), Sealed());
    const struct {
        const char* archive;
        const char* query;
        int index;
    } cases[] = {
        {"standard", "Resource\\Menu\\Bbd_Main1.png", 2},
        {"standard", "resource\\MENU\\bbd_main1.png", 2},
        {"standard", "Resource/Menu/Bbd_Main1.png", 2},
        {"standard", "Resource/Menu\\Bbd_Main1.png", 2},
        {"standard", "Resource\\Menu\\Bbd_Main1.pXY", 2},  // the last two are never compared
        {"standard", "QQQQQQQQxMenuxBbd_Main1.png", 2},    // nor the first eight
        {"standard", "Resource\\Menu\\Longer..", 3},       // a longer entry whose compared part agrees
        {"standard", "Resource\\Menu\\Bbd_Main2.png", -1},
        {"standard", "Resource\\Card\\Bbd_Main1.png", -1},  // a folder not in the archive
        {"standard", "", -1},
        {"odd", "Res/ab.png", -1},
        {"odd", "Res/a.png", -1},
        {"odd", "Res/", -1},
        {"odd", "Res/abc.png", 3},  // eleven characters compare position 8 only
        {"odd", "Resource\\Menu\\Early.png", -1},
        {"odd", "Resource\\Menu\\Later.png", 7},
        {"flagged", "Resource\\Menu\\Bbd_Main1.png", -1},
        {"flagged", "Resource\\Font\\Script_Fnt_GameStandard.txt", -1},
    };
    std::map<std::string, std::unique_ptr<ResourceArchive>> archives;
    for (const auto& [name, zip] :
         {std::make_pair("standard", Standard()), std::make_pair("odd", odd), std::make_pair("flagged", flagged)}) {
        archives[name] = std::make_unique<ResourceArchive>();
        archives[name]->OpenResourceArchive(Write(zip, name));
    }
    for (const auto& c : cases) {
        uint32_t size = 7;
        EXPECT_EQ(archives[c.archive]->FindArchiveItem(c.query, &size), c.index) << c.archive << " " << c.query;
        EXPECT_EQ(size, c.index < 0 ? 7u : archives[c.archive]->m_lstArchiveEntries[size_t(c.index)].uncompressedSize)
            << "a miss leaves the size alone";
    }
    EXPECT_EQ(archives["standard"]->FindArchiveItem(nullptr, nullptr), -1);
    EXPECT_EQ(archives["flagged"]->m_lstArchiveEntries[0].attributes, 0x30u);
    EXPECT_TRUE(archives["flagged"]->m_lstArchiveDirectories.empty());
}

TEST_F(ArchiveTest, WrongPasswordShowsOneUserBoxAndKeepsTheBlock) {
    host::HeadlessHost h;
    ZipWriter zip = Standard();
    ZipWriteOptions other = Sealed();
    other.password = "not the password";
    zip.AddFile("Resource/Font/Locked.txt", std::string("secret text here"), other);
    ResourceArchive archive;
    archive.OpenResourceArchive(Write(zip));

    uint32_t size = 0;
    void* block = reinterpret_cast<void*>(1);
    EXPECT_FALSE(archive.UnzipItem("Resource\\Font\\Locked.txt", &size, &block, 1));
    EXPECT_NE(block, nullptr);
    EXPECT_NE(block, reinterpret_cast<void*>(1));
    EXPECT_EQ(size, 16u);
    std::free(block);
    ASSERT_EQ(h.boxes.Count(), 1u);
    EXPECT_TRUE(h.boxes.Saw(" Unzip Item", "Extract Data Error because user!!"));
    EXPECT_EQ(g_nZipLastError.load(), ZIP_PASSWORD);

    // Through VxOpenFile the extraction's box comes first, then its own.
    h.boxes.Clear();
    VxFile* file = nullptr;
    VxOpenFile("Locked.txt", "Resource\\Font\\", &file);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size, 0u);
    auto boxes = h.boxes.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, " Unzip Item");
    EXPECT_EQ(boxes[1].text, "Resource\\Font\\Locked.txt\n NOT FOUND IN ZIP");
    delete file;
}

TEST_F(ArchiveTest, MissingOrDamagedArchiveFailsQuietlyUntilALoad) {
    host::HeadlessHost h;
    {
        ResourceArchive archive;
        archive.OpenResourceArchive((m_dir / "absent").string());
        EXPECT_EQ(archive.m_hArchive, nullptr);
        EXPECT_TRUE(archive.m_lstArchiveEntries.empty());
        EXPECT_EQ(h.boxes.Count(), 0u);
        EXPECT_FALSE(ResourceFileExists("Bbd_Main1.png", "Resource\\Menu\\"));
        VxFile* file = nullptr;
        VxOpenFile("Bbd_Main1.png", "Resource\\Menu\\", &file);
        EXPECT_EQ(file->size, 0u);
        delete file;
        EXPECT_EQ(h.boxes.Count(), 1u);
    }
    // Every cut of a good archive: no crash, and whatever opens reads back
    // either the right bytes or a failure with a box.
    std::vector<uint8_t> bytes = Standard().Finish();
    for (size_t cut = 0; cut < bytes.size(); cut += 7) {
        std::string path = (m_dir / "cut").string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(cut));
        h.boxes.Clear();
        ResourceArchive archive;
        archive.OpenResourceArchive(path);
        std::string text = Extract(archive, "Resource\\Menu\\Bbd_Main1.png");
        if (text != "main picture bytes") {
            EXPECT_EQ(text, "<failed>") << "cut at " << cut;
        }
    }
}

TEST_F(ArchiveTest, DamagedEntryDataIsReportedNotReturned) {
    host::HeadlessHost h;
    ZipWriter zip;
    zip.AddDirectory("Resource/");
    std::string payload(4000, 'a');
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<char>('a' + (i * 7919) % 26);
    zip.AddFile("Resource/Payload.bin", payload, Sealed());
    std::vector<uint8_t> bytes = zip.Finish();
    // Local header of the second entry: 30 + 9 bytes after the folder's; data after its name.
    size_t dataStart = 30 + 9 + 30 + std::strlen("Resource/Payload.bin") + 12;
    for (size_t i = dataStart + 10; i < dataStart + 40; ++i) bytes[i] ^= 0x5A;
    std::string path = (m_dir / "DATA").string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ResourceArchive archive;
    archive.OpenResourceArchive(path);
    ASSERT_EQ(archive.FindArchiveItem("Resource\\Payload.bin", nullptr), 1);
    EXPECT_EQ(Extract(archive, "Resource\\Payload.bin"), "<failed>");
    ASSERT_EQ(h.boxes.Count(), 1u);
    EXPECT_EQ(h.boxes.Boxes()[0].caption, " Unzip Item");
}

TEST_F(ArchiveTest, LocalHeaderThatDisagreesIsCorrupt) {
    ZipWriter zip;
    zip.AddDirectory("Resource/");
    zip.AddFile("Resource/Payload.bin", std::string("payload"), Sealed());
    std::vector<uint8_t> bytes = zip.Finish();
    // The local header says "stored" where the central directory says "deflated".
    bytes[30 + 9 + 8] = 0;
    std::string path = (m_dir / "DATA").string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ZipReader reader(g_szZipPassword);
    ASSERT_EQ(reader.Open(path), ZIP_OK);
    ZipEntry entry;
    EXPECT_EQ(reader.GetEntry(0, &entry), ZIP_OK);
    EXPECT_EQ(reader.GetEntry(1, &entry), ZIP_CORRUPT);
    // The entry is still described from the central directory.
    EXPECT_EQ(std::u16string(entry.name), u"Resource/Payload.bin");
}

TEST_F(ArchiveTest, PositionTableGrowsPastSixHundredFifteen) {
    ZipWriter zip;
    zip.AddDirectory("Resource/");
    ZipWriteOptions o = Sealed();
    o.level = 1;
    for (int i = 0; i < 700; ++i)
        zip.AddFile("Resource/File" + std::to_string(1000 + i) + ".txt", "entry " + std::to_string(i), o);
    ResourceArchive archive;
    archive.OpenResourceArchive(Write(zip));
    EXPECT_EQ(archive.m_hArchive->reader->IndexedPositions(), 701u);
    EXPECT_EQ(Extract(archive, "Resource\\File1699.txt"), "entry 699");
    EXPECT_EQ(Extract(archive, "Resource\\File1614.txt"), "entry 614");
    EXPECT_EQ(Extract(archive, "Resource\\File1000.txt"), "entry 0");
}

// Drives, roots and climbs go; no "../" survives.
TEST(ZipEntryNames, NoClimbSurvivesCleaning) {
    const std::pair<std::u16string, std::u16string> kCases[] = {
        {u"Resource/Menu/a.png", u"Resource/Menu/a.png"},
        {u"C:\\Resource/a.png", u"Resource/a.png"},
        {u"//x/../Resource/a.png", u"Resource/a.png"},
        {u"a\\..\\b/../c.png", u"c.png"},
        {u"Resource/Menu/../../../../etc/passwd", u"etc/passwd"},
        {u"..\\..\\a.png", u"a.png"},
        {u"Resource/..", u""},
        {u"Resource/..a.png", u"Resource/..a.png"},  // a name, not a climb
    };
    for (const auto& c : kCases) {
        const std::u16string cleaned = CleanZipEntryName(c.first);
        EXPECT_EQ(cleaned, c.second);
        EXPECT_EQ(cleaned.find(u"../"), std::u16string::npos);
    }
}

TEST_F(ArchiveTest, AnEntryWhoseDataGoesPastItsStatedSizeIsRefused) {
    for (bool deflate : {true, false}) {
        host::HeadlessHost h;
        ZipWriteOptions plain;
        plain.deflate = deflate;
        ZipWriter zip;
        zip.AddDirectory("Resource/");
        zip.AddFile("Resource/Long.bin", std::string("stated part and what follows it"), plain);
        std::vector<uint8_t> bytes = zip.Finish();
        // Both headers now say the entry is its first 11 bytes, with their CRC.
        const uint32_t size = 11, crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>("stated part"), size));
        const size_t local = 30 + 9;
        std::memcpy(&bytes[local + 14], &crc, 4);
        std::memcpy(&bytes[local + 22], &size, 4);
        size_t central = 0;
        for (size_t i = bytes.size() - 4; i > 0 && !central; --i)
            if (bytes[i] == 'P' && bytes[i + 1] == 'K' && bytes[i + 2] == 1 && bytes[i + 3] == 2) central = i;
        ASSERT_NE(central, 0u);  // the last central entry is the file's
        std::memcpy(&bytes[central + 16], &crc, 4);
        std::memcpy(&bytes[central + 24], &size, 4);
        const std::string path = (m_dir / "DATA").string();
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        ResourceArchive archive;
        archive.OpenResourceArchive(path);
        EXPECT_EQ(Extract(archive, "Resource\\Long.bin"), "<failed>") << (deflate ? "deflated" : "stored");
    }
}

// One data byte changed, sizes untouched: only the entry's CRC can tell, and
// the entry is refused rather than handed out with the wrong byte.
TEST_F(ArchiveTest, AnEntryWithOneDataByteChangedFailsItsCrc) {
    const std::string payload = "twenty-four bytes stored";
    for (bool sealed : {false, true}) {
        for (size_t at : {size_t(0), size_t(11), payload.size() - 1}) {
            host::HeadlessHost h;
            ZipWriteOptions o = sealed ? Sealed() : ZipWriteOptions();
            o.deflate = false;
            ZipWriter zip;
            zip.AddDirectory("Resource/");
            zip.AddFile("Resource/Stored.bin", payload, o);
            std::vector<uint8_t> bytes = zip.Finish();
            // After the folder's local header, the file's header, its name and
            // (when sealed) the 12-byte encryption header.
            const size_t data = 30 + 9 + 30 + std::strlen("Resource/Stored.bin") + (sealed ? 12 : 0);
            if (!sealed) {
                ASSERT_EQ(std::string(bytes.begin() + long(data), bytes.begin() + long(data + payload.size())),
                          payload);
            }
            const std::string path = (m_dir / "DATA").string();
            std::ofstream(path, std::ios::binary | std::ios::trunc)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            {
                ResourceArchive good;
                good.OpenResourceArchive(path);
                ASSERT_EQ(Extract(good, "Resource\\Stored.bin"), payload);
            }
            bytes[data + at] ^= 0x01;
            std::ofstream(path, std::ios::binary | std::ios::trunc)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            ResourceArchive archive;
            archive.OpenResourceArchive(path);
            EXPECT_EQ(Extract(archive, "Resource\\Stored.bin"), "<failed>")
                << (sealed ? "sealed" : "plain") << " byte " << at;
        }
    }
}
