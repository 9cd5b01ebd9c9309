#pragma once
// Makes the bytes of every file the manifest lists.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetpack/Canvas.h"
#include "tools/assetpack/Manifest.h"

constexpr int kSoundRate = 22050;

class AssetGenerator {
public:
    AssetGenerator(const std::vector<ManifestItem>& items, TextRenderer& text) : m_items(items), m_text(text) {}

    // Empty on failure.
    std::vector<uint8_t> Make(const PackFile& file);
    // Pictures (and the font sheet) before encoding, for review and tests.
    bool IsPicture(const PackFile& file) const;
    Canvas Draw(const PackFile& file);

private:
    Canvas DrawFontSheet(const ManifestItem& item);
    std::string FontScript(const ManifestItem& item);
    std::vector<uint8_t> Sound(const ManifestItem& item, const PackFile& file);
    std::vector<uint8_t> Music(const ManifestItem& item, const PackFile& file);
    std::vector<uint8_t> Cursor(const ManifestItem& item);
    std::string RotorScript(const ManifestItem& item);

    const std::vector<ManifestItem>& m_items;
    TextRenderer& m_text;
};

// Picture bytes in the format the file name asks for (png, jpg, tga).
std::vector<uint8_t> EncodeForName(const Canvas& canvas, const std::string& name);
// The symbols after the digits 0-9 on a digit sheet.
extern const char kDigitSymbols[];
// Glyph columns of the font sheet: x0 and x1 of each character code.
struct FontCell {
    int x0 = 0, x1 = 0;
};
