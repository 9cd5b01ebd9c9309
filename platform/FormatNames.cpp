#include "platform/FormatNames.h"

namespace {

struct FormatName {
    uint32_t format;
    const char* name;
};

// Four-character-code formats carry their code as the number.
constexpr uint32_t FourCC(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | (uint32_t(uint8_t(b)) << 8) | (uint32_t(uint8_t(c)) << 16) |
           (uint32_t(uint8_t(d)) << 24);
}

const FormatName kFormats[] = {
    {0, "D3DFMT_UNKNOWN"},
    {20, "D3DFMT_R8G8B8"},
    {21, "D3DFMT_A8R8G8B8"},
    {22, "D3DFMT_X8R8G8B8"},
    {23, "D3DFMT_R5G6B5"},
    {24, "D3DFMT_X1R5G5B5"},
    {25, "D3DFMT_A1R5G5B5"},
    {26, "D3DFMT_A4R4G4B4"},
    {27, "D3DFMT_R3G3B2"},
    {28, "D3DFMT_A8"},
    {29, "D3DFMT_A8R3G3B2"},
    {30, "D3DFMT_X4R4G4B4"},
    {31, "D3DFMT_A2B10G10R10"},
    {32, "D3DFMT_A8B8G8R8"},
    {33, "D3DFMT_X8B8G8R8"},
    {34, "D3DFMT_G16R16"},
    {35, "D3DFMT_A2R10G10B10"},
    {36, "D3DFMT_A16B16G16R16"},
    {40, "D3DFMT_A8P8"},
    {41, "D3DFMT_P8"},
    {50, "D3DFMT_L8"},
    {51, "D3DFMT_A8L8"},
    {52, "D3DFMT_A4L4"},
    {60, "D3DFMT_V8U8"},
    {61, "D3DFMT_L6V5U5"},
    {62, "D3DFMT_X8L8V8U8"},
    {63, "D3DFMT_Q8W8V8U8"},
    {64, "D3DFMT_V16U16"},
    {67, "D3DFMT_A2W10V10U10"},
    {FourCC('U', 'Y', 'V', 'Y'), "D3DFMT_UYVY"},
    {FourCC('Y', 'U', 'Y', '2'), "D3DFMT_YUY2"},
    {FourCC('D', 'X', 'T', '1'), "D3DFMT_DXT1"},
    {FourCC('D', 'X', 'T', '2'), "D3DFMT_DXT2"},
    {FourCC('D', 'X', 'T', '3'), "D3DFMT_DXT3"},
    {FourCC('D', 'X', 'T', '4'), "D3DFMT_DXT4"},
    {FourCC('D', 'X', 'T', '5'), "D3DFMT_DXT5"},
    {70, "D3DFMT_D16_LOCKABLE"},
    {71, "D3DFMT_D32"},
    {73, "D3DFMT_D15S1"},
    {75, "D3DFMT_D24S8"},
    {77, "D3DFMT_D24X8"},
    {79, "D3DFMT_D24X4S4"},
    {80, "D3DFMT_D16"},
    {81, "D3DFMT_L16"},
    {100, "D3DFMT_VERTEXDATA"},
    {101, "D3DFMT_INDEX16"},
    {102, "D3DFMT_INDEX32"},
    {110, "D3DFMT_Q16W16V16U16"},
    {FourCC('M', 'E', 'T', '1'), "D3DFMT_MULTI2_ARGB8"},
    {111, "D3DFMT_R16F"},
    {112, "D3DFMT_G16R16F"},
    {113, "D3DFMT_A16B16G16R16F"},
    {114, "D3DFMT_R32F"},
    {115, "D3DFMT_G32R32F"},
    {116, "D3DFMT_A32B32G32R32F"},
    {117, "D3DFMT_CxV8U8"},
};

}  // namespace

std::u16string Utf8ToWide(const std::string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        uint32_t c = uint8_t(text[i]);
        size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (n > 1) c &= (0xFF >> (n + 1));
        for (size_t k = 1; k < n && i + k < text.size(); ++k) c = (c << 6) | (uint8_t(text[i + k]) & 0x3F);
        i += n;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(char16_t(0xD800 + (c >> 10)));
            out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(char16_t(c));
        }
    }
    return out;
}

std::string WideToUtf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (uint32_t(text[i + 1]) - 0xDC00);
            ++i;
        }
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(char(0xE0 | (c >> 12)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (c >> 18)));
            out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::u16string D3DFormatName(uint32_t format, bool withPrefix) {
    std::string name = "Unknown format";
    for (const FormatName& f : kFormats)
        if (f.format == format) {
            name = f.name;
            break;
        }
    if (!withPrefix && name.rfind("D3DFMT_", 0) == 0) name = name.substr(7);
    return Utf8ToWide(name);
}

std::u16string MultisampleTypeName(uint32_t type) {
    if (type == 0) return u"D3DMULTISAMPLE_NONE";
    if (type == 1) return u"D3DMULTISAMPLE_NONMASKABLE";
    if (type <= 16) return Utf8ToWide("D3DMULTISAMPLE_" + std::to_string(type) + "_SAMPLES");
    return u"Unknown Multisample Type";
}
