// The words the pack letters onto its pictures read as those words: each
// lettered part of a picture is cut out, its light lettering turned into dark
// ink on white paper, enlarged, and read back by the tesseract OCR program.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/PictureDecoder.h"
#include "platform/ResourceArchive.h"
#include "tests/CommandOutput.h"
#include "tests/PackPicture.h"
#include "tools/assetpack/Canvas.h"
#include "tools/assetpack/Encoders.h"

namespace {

constexpr int kEnlarge = 3;

// Letters and spaces only, upper case, runs of spaces made one.
std::string Letters(const std::string& s) {
    std::string out;
    for (char c : s) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalpha(u)) out += static_cast<char>(std::toupper(u));
        else if (!out.empty() && out.back() != ' ') out += ' ';
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// Digits and plus signs only.
std::string Figures(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c == '+' || std::isdigit(static_cast<unsigned char>(c))) out += c;
    return out;
}

class PackWords : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_archive = new ResourceArchive;
        s_archive->OpenResourceArchive(std::string(CSQ_BINARY_DIR) + "/DATA");
    }
    static void TearDownTestSuite() {
        delete s_archive;
        s_archive = nullptr;
    }
    static DecodedPicture Picture(const std::string& path) { return PackPicture(*s_archive, path); }
    // What the OCR program reads in the rectangle [x0, x1) x [y0, y1): its
    // letters, or with `figures` its digits and signs.
    static std::string Read(const DecodedPicture& pic, int x0, int y0, int x1, int y1, bool figures = false) {
        const int w = (x1 - x0) * kEnlarge, h = (y1 - y0) * kEnlarge;
        const int border = 12;
        Canvas page(w + 2 * border, h + 2 * border, Rgba{255, 255, 255, 255});
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint8_t* px =
                    &pic.rgba[(size_t(y0 + y / kEnlarge) * size_t(pic.width) + size_t(x0 + x / kEnlarge)) * 4];
                const int light = (px[0] * 30 + px[1] * 59 + px[2] * 11) / 100 * px[3] / 255;
                if (light > 170) page.Blend(border + x, border + y, Rgba{0, 0, 0, 255});
            }
        char name[] = "/tmp/csq_ocr_XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0) return std::string();
        close(fd);
        const std::string png = std::string(name) + ".png";
        const std::vector<uint8_t> bytes = EncodePng(page);
        std::ofstream(png, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        const std::string text = shell::ReadPictureText(
            png, std::string("--psm 7 -l eng") + (figures ? " -c tessedit_char_whitelist=+0123456789" : ""));
        std::remove(png.c_str());
        std::remove(name);
        return figures ? Figures(text) : Letters(text);
    }
    static ResourceArchive* s_archive;
};

ResourceArchive* PackWords::s_archive = nullptr;

}  // namespace

TEST_F(PackWords, TheLetteredPicturesReadAsTheirWords) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    ASSERT_FALSE(shell::CommandOutput("command -v tesseract").empty())
        << "the tesseract-ocr package is missing (script/install-deps.sh)";
    struct Row {
        const char* rule;
        const char* path;
        int x0, y0, x1, y1;
        const char* words;
        bool figures = false;
    };
    const Row rows[] = {
        {"the wave notice reads WAVE", "Resource/Interface/Bbd_Interface.png", 0, 384, 512, 448, "WAVE"},
        {"the final-wave notice reads FINAL WAVE", "Resource/Interface/Bbd_Interface.png", 0, 448, 512, 512,
         "FINAL WAVE"},
        {"the recall button reads RECALL", "Resource/Button/Btn_LightRePick.tga", 52, 0, 128, 64, "RECALL"},
        {"the clear button reads CLEAR", "Resource/Button/Btn_LightClear.tga", 52, 0, 128, 64, "CLEAR"},
        {"the scroll button reads SCROLL", "Resource/Button/Btn_LightSwap.tga", 38, 0, 124, 64, "SCROLL"},
        {"the achievement notice reads NEW! above its window", "Resource/Interface/Bbd_NewAchievement.png", 0, 0, 112,
         32, "NEW"},
        {"the achievement notice reads ACHIEVEMENT below its window", "Resource/Interface/Bbd_NewAchievement.png", 0,
         118, 112, 160, "ACHIEVEMENT"},
        {"the Robopedia button reads INFO", "Resource/Button/Btn_LightRobopedia.tga", 52, 0, 128, 64, "INFO"},
        // The menu header sheet's last row is the information board's two title strips.
        {"the robots' title strip reads TINKERLINGS", "Resource/Menu/Bbd_Lg_MenuHeader.png", 0, 704, 512, 768,
         "TINKERLINGS"},
        {"the Machines' title strip reads MACHINES", "Resource/Menu/Bbd_Lg_MenuHeader.png", 512, 704, 1024, 768,
         "MACHINES"},
        {"the upgrade screen's header reads UPGRADES", "Resource/Menu/Bbd_Lg_UpgradeMenuHeader.png", 0, 0, 1024, 64,
         "UPGRADES"},
        {"the field preview tip's button reads FIELD", "Resource/Button/Btn_Map_PRESS.png", 0, 0, 128, 64, "FIELD"},
        // Kind k's value label: column k div 4, row k mod 4, each cell 128 by 64.
        {"a size-0 energy item shows +5", "Resource/Interface/Bbd_ItemNumber.png", 0, 0, 128, 64, "+5", true},
        {"a size-1 energy item shows +10", "Resource/Interface/Bbd_ItemNumber.png", 0, 64, 128, 128, "+10", true},
        {"a size-2 energy item shows +20", "Resource/Interface/Bbd_ItemNumber.png", 0, 128, 128, 192, "+20", true},
        {"a size-3 energy item shows +40", "Resource/Interface/Bbd_ItemNumber.png", 0, 192, 128, 256, "+40", true},
        {"a size-0 parts item shows +10", "Resource/Interface/Bbd_ItemNumber.png", 128, 0, 256, 64, "+10", true},
        {"a size-1 parts item shows +50", "Resource/Interface/Bbd_ItemNumber.png", 128, 64, 256, 128, "+50", true},
        {"a size-2 parts item shows +250", "Resource/Interface/Bbd_ItemNumber.png", 128, 128, 256, 192, "+250", true},
        {"a size-3 parts item shows +1000", "Resource/Interface/Bbd_ItemNumber.png", 128, 192, 256, 256, "+1000", true},
    };
    for (const Row& r : rows) {
        const DecodedPicture pic = Picture(r.path);
        ASSERT_FALSE(pic.rgba.empty()) << r.path;
        ASSERT_LE(r.x1, pic.width) << r.path;
        ASSERT_LE(r.y1, pic.height) << r.path;
        const std::string read = Read(pic, r.x0, r.y0, r.x1, r.y1, r.figures);
        EXPECT_EQ(read, r.words) << r.rule;
    }
}
