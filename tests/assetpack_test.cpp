#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "battle/effects/Effect_HowToMiniGame.h"
#include "content/DescriptiveTexts.h"
#include "content/MiniGameTable.h"
#include "engine/PictureDecoder.h"
#include "platform/CursorFile.h"
#include "platform/ResourceArchive.h"
#include "tests/PackPicture.h"
#include "platform/host/Headless.h"
#include "tools/assetpack/Manifest.h"

namespace {

std::string ManifestPath() { return std::string(CSQ_SOURCE_DIR) + "/tools/assetpack/manifest.txt"; }

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Extracted {
    bool ok = false;
    std::vector<uint8_t> bytes;
};

Extracted Extract(ResourceArchive& archive, const std::string& query) {
    Extracted e;
    uint32_t size = 0;
    void* block = nullptr;
    e.ok = archive.UnzipItem(query.c_str(), &size, &block, 0);
    if (e.ok) e.bytes.assign(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + size);
    std::free(block);
    return e;
}

bool StartsWith(const std::vector<uint8_t>& bytes, const char* magic, size_t n) {
    return bytes.size() >= n && std::memcmp(bytes.data(), magic, n) == 0;
}

// Sample rate from a Vorbis identification header.
int OggRate(const std::vector<uint8_t>& bytes) {
    static const char kId[] = "\x01vorbis";
    for (size_t i = 0; i + 16 < bytes.size() && i < 200; ++i)
        if (std::memcmp(&bytes[i], kId, 7) == 0)
            return bytes[i + 12] | (bytes[i + 13] << 8) | (bytes[i + 14] << 16) | (bytes[i + 15] << 24);
    return 0;
}

DecodedPicture Png(const std::vector<uint8_t>& bytes) {
    DecodedPicture out;
    DecodePng(bytes.data(), bytes.size(), out);
    return out;
}

class PackedData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::vector<std::string> errors;
        s_items = new std::vector<ManifestItem>;
        ASSERT_TRUE(ReadManifestFile(ManifestPath(), s_items, &errors)) << (errors.empty() ? "" : errors[0]);
        s_archive = new ResourceArchive;
        s_archive->OpenResourceArchive(std::string(CSQ_BINARY_DIR) + "/DATA");
    }
    static void TearDownTestSuite() {
        delete s_archive;
        delete s_items;
        s_archive = nullptr;
        s_items = nullptr;
    }
    static std::vector<ManifestItem>* s_items;
    static ResourceArchive* s_archive;
};

std::vector<ManifestItem>* PackedData::s_items = nullptr;
ResourceArchive* PackedData::s_archive = nullptr;

}  // namespace

TEST_F(PackedData, EveryManifestEntryIsFoundByItsOwnNameAndReadsBack) {
    host::HeadlessHost h;
    ASSERT_NE(s_archive->m_hArchive, nullptr) << "the build did not write DATA";
    std::vector<PackFile> files = ExpandManifest(*s_items);
    size_t archived = 0;
    for (const PackFile& f : files) {
        if (!f.inArchive) continue;
        ++archived;
        uint32_t size = 0;
        int index = s_archive->FindArchiveItem(PackQuery(f.path).c_str(), &size);
        ASSERT_GE(index, 0) << f.path;
        ASSERT_LT(static_cast<size_t>(index), s_archive->m_lstArchiveEntries.size());
        // The lookup must land on this very entry, not on a look-alike.
        EXPECT_EQ(Utf16ToUtf8(s_archive->m_lstArchiveEntries[static_cast<size_t>(index)].name), f.path);
        Extracted e = Extract(*s_archive, PackQuery(f.path));
        ASSERT_TRUE(e.ok) << f.path;
        EXPECT_EQ(e.bytes.size(), size);

        const std::string& kind = (*s_items)[f.item].kind;
        std::string ext = f.path.substr(f.path.rfind('.') + 1);
        if (ext == "png") EXPECT_TRUE(StartsWith(e.bytes, "\x89PNG", 4)) << f.path;
        else if (ext == "jpg") EXPECT_TRUE(StartsWith(e.bytes, "\xFF\xD8\xFF", 3)) << f.path;
        else if (ext == "tga") EXPECT_TRUE(e.bytes.size() > 18 && e.bytes[2] == 2 && e.bytes[16] == 32) << f.path;
        else if (ext == "ogg") {
            EXPECT_TRUE(StartsWith(e.bytes, "OggS", 4)) << f.path;
            EXPECT_EQ(OggRate(e.bytes), 22050) << f.path;
        }
        if (kind == "picture" || kind == "button" || kind == "unit") {
            if (ext == "png") {
                DecodedPicture image = Png(e.bytes);
                const ManifestItem& item = (*s_items)[f.item];
                EXPECT_EQ(image.width, item.width) << f.path;
                EXPECT_EQ(image.height, item.height) << f.path;
            }
        }
    }
    EXPECT_GT(archived, 1000u);
    EXPECT_EQ(h.boxes.Count(), 0u);
}

TEST(PackedCursor, IsAThirtyTwoPixelWindowsCursorWithItsHotSpot) {
    std::vector<uint8_t> bin = ReadAll(std::string(CSQ_BINARY_DIR) + "/BIN");
    ASSERT_GE(bin.size(), 22u + 40u + 32u * 32u * 4u + 32u * 4u);
    EXPECT_EQ(bin[0] | (bin[1] << 8), 0);  // reserved
    EXPECT_EQ(bin[2] | (bin[3] << 8), 2);  // cursor
    EXPECT_EQ(bin[4] | (bin[5] << 8), 1);  // one image
    EXPECT_EQ(bin[6], 32);
    EXPECT_EQ(bin[7], 32);
    EXPECT_EQ(bin[10] | (bin[11] << 8), 1);  // hot spot x
    EXPECT_EQ(bin[12] | (bin[13] << 8), 1);  // hot spot y
    uint32_t size = bin[14] | (bin[15] << 8) | (bin[16] << 16) | (static_cast<uint32_t>(bin[17]) << 24);
    uint32_t offset = bin[18] | (bin[19] << 8) | (bin[20] << 16) | (static_cast<uint32_t>(bin[21]) << 24);
    EXPECT_EQ(offset + size, bin.size());
    EXPECT_EQ(bin[offset], 40);      // BITMAPINFOHEADER
    EXPECT_EQ(bin[offset + 8], 64);  // colour and mask rows

    // The window's cursor reader takes it, with a visible tip at the hot spot.
    host::CursorImage cursor;
    ASSERT_TRUE(ParseCursorFile(bin, cursor));
    EXPECT_EQ(cursor.width, 32);
    EXPECT_EQ(cursor.height, 32);
    EXPECT_EQ(cursor.hotX, 1);
    EXPECT_EQ(cursor.hotY, 1);
    EXPECT_GT(cursor.rgba[(1 * 32 + 1) * 4 + 3], 128);
    EXPECT_EQ(cursor.rgba[(1 * 32 + 30) * 4 + 3], 0);
}

TEST(Manifest, ReportsLinesItCannotRead) {
    std::vector<std::string> errors;
    auto items = ParseManifest(
        "# comment\n"
        "\n"
        "picture Resource/A/B.png 64x32 - - #102030 A picture\n"
        "picture Resource/A/C.png 64 - - - broken size\n"
        "gizmo Resource/A/D.png 64x64 - - - unknown kind\n"
        "unit Resource/Robot/0001/ 128x128 - - - no frames\n"
        "sound Resource/S/x.ogg 250ms - - - ok\n"
        "picture Resource/A/E.png 64x64 2x0 - - bad grid\n"
        "picture Resource/A/F.png 64x64 - - #12345 bad colour\n",
        &errors);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].width, 64);
    EXPECT_EQ(items[0].height, 32);
    EXPECT_EQ(items[0].colour, 0x102030u);
    EXPECT_EQ(items[0].label, "A picture");
    EXPECT_EQ(items[1].width, 250);
    ASSERT_EQ(errors.size(), 5u);
    EXPECT_EQ(errors[0].rfind("manifest line 4:", 0), 0u) << errors[0];
    EXPECT_EQ(errors[4].rfind("manifest line 9:", 0), 0u) << errors[4];
}

// The mini-game list's cards and the help board's pictures are keyed by place
// like the content's tables: a card (a frame and a name) and a help picture for
// each place, 151 first, under the place's title.
TEST(Manifest, HoldsACardAndAHelpPictureForEachMiniGamePlaceUnderItsTitle) {
    std::vector<ManifestItem> items;
    std::vector<std::string> errors;
    ASSERT_TRUE(ReadManifestFile(ManifestPath(), &items, &errors)) << (errors.empty() ? "" : errors[0]);
    auto find = [&items](const std::string& path) -> const ManifestItem* {
        for (const ManifestItem& item : items)
            if (item.path == path) return &item;
        return nullptr;
    };
    const ManifestItem* cards = find("Resource/Menu/Bbd_MiniGame%02d.png");
    ASSERT_NE(cards, nullptr);
    EXPECT_EQ(cards->frames, std::vector<int>{MINI_GAME_PLACES});
    std::vector<std::string> names;
    std::stringstream list(cards->label);
    for (std::string name; std::getline(list, name, '|');) names.push_back(name);
    ASSERT_EQ(names.size(), size_t(MINI_GAME_PLACES));
    for (int i = 0; i < MINI_GAME_PLACES; ++i) {
        const int stage = FIRST_MINI_GAME_STAGE + i;
        EXPECT_EQ(names[size_t(i)], GetMiniGameName(stage)) << "card " << i + 1;
        const ManifestItem* help = find("Resource/InfoStory/" + CEffect_HowToMiniGame::PictureFor(stage));
        ASSERT_NE(help, nullptr) << "no help picture for " << stage;
        EXPECT_EQ(help->label, GetMiniGameName(stage)) << stage;
    }
}

TEST(Manifest, LayoutPutsEachFolderBeforeItsFilesAndSubfolders) {
    std::vector<std::string> layout =
        ArchiveLayout({"Resource/Effect/MineCopter/act1_01.png", "Resource/Effect/Efx_Touch.png",
                       "Resource/Menu/Bbd_New.png", "Resource/Effect/Mark.tga"});
    EXPECT_EQ(layout, (std::vector<std::string>{"Resource/", "Resource/Effect/", "Resource/Effect/Efx_Touch.png",
                                                "Resource/Effect/Mark.tga", "Resource/Effect/MineCopter/",
                                                "Resource/Effect/MineCopter/act1_01.png", "Resource/Menu/",
                                                "Resource/Menu/Bbd_New.png"}));
}
