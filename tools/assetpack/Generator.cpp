#include "tools/assetpack/Generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/assetpack/ArtStyle.h"
#include "tools/assetpack/Encoders.h"
#include "tools/assetpack/MusicScore.h"
#include "tools/assetpack/SoundDesign.h"
#include "tools/assetpack/UnitArt.h"

const char kDigitSymbols[] = "+-:x/%.,!?#*=<>";

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool EndsWith(const std::string& s, const char* tail) {
    size_t n = std::char_traits<char>::length(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

const Rgba kWhite{255, 255, 255, 255};

}  // namespace

std::vector<uint8_t> EncodeForName(const Canvas& canvas, const std::string& name) {
    std::string lower = Lower(name);
    if (EndsWith(lower, ".jpg") || EndsWith(lower, ".jpeg")) return EncodeJpeg(canvas);
    if (EndsWith(lower, ".tga")) return EncodeTga(canvas);
    return EncodePng(canvas);
}

std::vector<uint8_t> AssetGenerator::Make(const PackFile& file) {
    const ManifestItem& item = m_items[file.item];
    if (item.kind == "font" && file.variant == 0) {
        std::string script = FontScript(item);
        return std::vector<uint8_t>(script.begin(), script.end());
    }
    if (IsPicture(file)) {
        if (item.kind != "font" && ArtStyleFor(item, file.path).empty()) return {};
        return EncodeForName(Draw(file), file.path);
    }
    if (item.kind == "sound") return Sound(item, file);
    if (item.kind == "music") return Music(item, file);
    if (item.kind == "cursor") return Cursor(item);
    if (item.kind == "rotor") {
        std::string script = RotorScript(item);
        return std::vector<uint8_t>(script.begin(), script.end());
    }
    if (item.kind == "effect") {
        std::string text =
            "// Cogsquall post-process composition: the frame's picture drawn through\n"
            "// a screen quad, tinted by the quad's colour (the screen-dim grey).\n"
            "// The graphics layer builds the pixel program itself; this file names\n"
            "// the technique, its pass and the texture parameter.\n"
            "texture RenderTargetTexture;\n"
            "sampler RenderTargetSampler = sampler_state\n"
            "{\n"
            "    Texture = <RenderTargetTexture>;\n"
            "    MinFilter = Linear; MagFilter = Linear;\n"
            "    AddressU = Clamp; AddressV = Clamp;\n"
            "};\n"
            "float4 ComposePS(float4 colour : COLOR0, float2 uv : TEXCOORD0) : COLOR0\n"
            "{\n"
            "    float4 picture = tex2D(RenderTargetSampler, uv);\n"
            "    return float4(picture.rgb * colour.rgb, picture.a);\n"
            "}\n"
            "technique " +
            item.label +
            "\n"
            "{\n"
            "    pass P0\n"
            "    {\n"
            "        AlphaBlendEnable = false; ZEnable = false; CullMode = None;\n"
            "        PixelShader = compile ps_2_0 ComposePS();\n"
            "    }\n"
            "}\n";
        return std::vector<uint8_t>(text.begin(), text.end());
    }
    return {};
}

bool AssetGenerator::IsPicture(const PackFile& file) const {
    const std::string& kind = m_items[file.item].kind;
    return kind == "picture" || kind == "button" || kind == "digits" || kind == "unit" ||
           (kind == "font" && file.variant == 1);
}

Canvas AssetGenerator::Draw(const PackFile& file) {
    const ManifestItem& item = m_items[file.item];
    if (item.kind == "font") return DrawFontSheet(item);
    return DrawArt(item, file, m_text);
}

// Glyph layout shared by the sheet and its script: printable ASCII in rows
// 2-7, the title lettering seven rows lower with the same columns. Each
// glyph's ink is centred in its cell and the script's span is exactly that
// ink: the font quad is centred on the span, so cell-mode and cut-out glyphs
// land in the same place, and the gap between letters is the text's own
// letter spacing (none: letters meet; the boards' 5: a light gap).
namespace {

struct FontLayout {
    int cell = 32, cols = 16, rows = 16, pixels = 22;
    FontCell map[256];
    int pen[256] = {};  // where FreeType's pen starts for the glyph
};

constexpr int kTitleRows = 7;

FontLayout LayoutFont(const ManifestItem& item, TextRenderer& text) {
    FontLayout layout;
    layout.cols = item.cols;
    layout.rows = item.rows;
    layout.cell = item.width / item.cols;
    layout.pixels = item.height / item.rows * 7 / 10;
    for (int code = 32; code < 127; ++code) {
        int left = (code % layout.cols) * layout.cell;
        int inkLeft = 0, inkWidth = 0;
        if (!text.InkBox(static_cast<char32_t>(code), layout.pixels, &inkLeft, &inkWidth) || inkWidth == 0)
            inkWidth = text.Advance(static_cast<char32_t>(code), layout.pixels) / 2;
        inkWidth = std::min(inkWidth, layout.cell - 2);
        int start = left + (layout.cell - inkWidth) / 2;  // first inked column
        layout.pen[code] = start - inkLeft;
        layout.map[code] = FontCell{start, start + inkWidth};
        int title = code + kTitleRows * layout.cols;
        if (title < 256) {
            layout.map[title] = layout.map[code];
            layout.pen[title] = layout.pen[code];
        }
    }
    return layout;
}

}  // namespace

Canvas AssetGenerator::DrawFontSheet(const ManifestItem& item) {
    FontLayout layout = LayoutFont(item, m_text);
    Canvas canvas(item.width, item.height, Rgba{0, 0, 0, 0});
    int cellHeight = item.height / item.rows;
    int ascent = m_text.Ascent(layout.pixels);
    for (int code = 33; code < 127; ++code) {
        int row = code / layout.cols;
        int x = layout.pen[code];
        std::string glyph(1, static_cast<char>(code));
        int baseline = row * cellHeight + (cellHeight - layout.pixels) / 2 + ascent * 9 / 10;
        m_text.Draw(canvas, glyph, x, baseline, layout.pixels, kWhite);
        // Title lettering: warm colour with a shadow, kept inside the same columns.
        int titleBaseline = baseline + kTitleRows * cellHeight;
        m_text.Draw(canvas, glyph, x, titleBaseline + 1, layout.pixels, Rgba{90, 40, 0, 255});
        m_text.Draw(canvas, glyph, x, titleBaseline, layout.pixels, Rgba{255, 214, 64, 255});
    }
    return canvas;
}

std::string AssetGenerator::FontScript(const ManifestItem& item) {
    FontLayout layout = LayoutFont(item, m_text);
    std::string folder = item.path.substr(0, item.path.rfind('/') + 1);
    for (char& c : folder)
        if (c == '/') c = '\\';
    std::string s = "//" + item.label + ": printable ASCII in rows 2-7, title lettering 7 rows lower\n";
    s += "FONT_COL=" + std::to_string(layout.cols) + ";\n";
    s += "FONT_ROW=" + std::to_string(layout.rows) + ";\n";
    s += "FONT_PATH=" + folder + ";\n";
    s += "FONT_NAME=" + item.label + ";\n";
    for (int code = 0; code < 256; ++code)
        s += "FONT_MAP=" + std::to_string(layout.map[code].x0) + "," + std::to_string(layout.map[code].x1) + ";\n";
    s += "END_FILE=;\n";
    // The reader never uses the last byte, so the script ends with a line it may drop.
    s += "//\n";
    return s;
}

namespace {

// The top of what a shaft a few pixels wide standing at this column would
// meet: the lowest of the columns' first solid rows, so a horn or an antenna
// thinner than the shaft does not count; the height when there is nothing.
int TopUnderShaft(const Canvas& c, int column) {
    int top = 0;
    for (int x = column - 3; x <= column + 3; ++x) {
        int y = 0;
        while (y < c.Height() && c.At(x, y).a < 128) ++y;
        top = std::max(top, y);
    }
    return top;
}

}  // namespace

// A flying Machine's rotor stands straight above the unit's point, its
// shaft's foot on the top of the body in every frame of an act, however the
// body bobs, and its hub clear above it. The flier moves and attacks under
// one place, so the rotor keeps still between those acts; another act the
// body is lower or higher in (a burrower dug in) has its own. The script
// holds, for every act but the dying one, the rotor picture's middle from the
// unit picture's middle in pixels, right and up: "ROTOR=act,x,y;". Empty when
// the folder has no unit line or the pack no rotor.
std::string AssetGenerator::RotorScript(const ManifestItem& item) {
    const std::string folder = item.path.substr(0, item.path.rfind('/') + 1);
    const ManifestItem* unit = nullptr;
    double column = 0, rise = 0;  // rise: the rotor's middle over its shaft's foot
    struct Tops {
        int lowest = -1, highest = 1 << 20;
        void Add(int top) { lowest = std::max(lowest, top), highest = std::min(highest, top); }
    } acts[7];  // by act, 1-6
    for (const PackFile& f : ExpandManifest(m_items)) {
        const ManifestItem& it = m_items[f.item];
        if (it.kind == "picture" && f.frame == 1 && ArtStyleFor(it, f.path) == "propeller") {
            const Canvas rotor = Draw(f);
            int foot = rotor.Height() / 2;
            for (int y = 0; y < rotor.Height(); ++y)
                if (rotor.At(rotor.Width() / 2, y).a >= 128) foot = y;
            rise = foot + 0.5 - rotor.Height() / 2.0;
        }
        if (it.kind != "unit" || it.path != folder || f.act == 3 || f.act < 1 || f.act > 6) continue;
        if (!unit) {
            unit = &it;
            const UnitLook look = LookForUnit(it.label, UnitIdFromPath(it.path), it.colour);
            column = PointPlaceFor(look, f.act, it.width, it.height).column;
        }
        acts[f.act].Add(TopUnderShaft(Draw(f), int(column)));
    }
    if (!unit || rise < 2) return {};
    // The shaft's foot a pixel into the body where it stands lowest, unless
    // the hub would then sink into it where it stands highest.
    const int shaft = int(rise);
    const auto footFor = [shaft](const Tops& t) { return std::min(t.lowest + 1, t.highest + shaft - 1); };
    const auto holds = [shaft](const Tops& t, int foot) { return foot >= t.lowest && foot <= t.highest + shaft - 1; };
    Tops walk = acts[1];
    if (acts[2].lowest >= 0) walk.Add(acts[2].lowest), walk.Add(acts[2].highest);
    const int shared = footFor(walk);
    std::string script =
        "// " + unit->label + ": where its rotor turns in each act, its shaft's foot on its body's top\n";
    for (int act = 1; act <= 6; ++act) {
        if (acts[act].lowest < 0 || acts[act].lowest >= unit->height) continue;
        const int foot = holds(acts[act], shared) ? shared : footFor(acts[act]);
        char line[64];
        std::snprintf(line, sizeof line, "ROTOR=%d,%g,%g;\n", act, column - unit->width / 2.0,
                      unit->height / 2.0 - (foot + 0.5) + rise);
        script += line;
    }
    // The reader never uses the last byte, so the script ends with a line it may drop.
    return script + "//\n";
}

std::vector<uint8_t> AssetGenerator::Sound(const ManifestItem& item, const PackFile& file) {
    std::string piece = MusicPieceForPath(file.path);
    if (!piece.empty()) return MusicFile(piece, 1);
    std::vector<double> samples = DesignEffect(item.style, file.path, item.width);
    if (samples.empty()) return {};
    if (EndsWith(Lower(file.path), ".wav")) return EncodeWav(ToPcm(samples), kSoundRate);
    return EncodeOggVorbis(ToPcm(samples), kSoundRate);
}

std::vector<uint8_t> AssetGenerator::Music(const ManifestItem& item, const PackFile& file) {
    return MusicFile(MusicPieceForPath(item.path), file.variant);
}

std::vector<uint8_t> AssetGenerator::Cursor(const ManifestItem& item) {
    int w = item.width ? item.width : 32, h = item.height ? item.height : 32;
    int hx = item.frames.size() == 2 ? item.frames[0] : 0;
    int hy = item.frames.size() == 2 ? item.frames[1] : 0;
    Canvas canvas(w, h, Rgba{0, 0, 0, 0});
    Rgba fill = FromHex(item.colour);
    // An arrow whose tip is the hot spot.
    for (int y = 0; y < h * 3 / 4; ++y) {
        int span = y * 2 / 3;
        for (int x = 0; x <= span; ++x) {
            bool edge = x == 0 || x == span || y == h * 3 / 4 - 1;
            canvas.Blend(hx + x, hy + y, edge ? Rgba{0, 0, 0, 255} : fill);
        }
    }
    for (int y = h / 2; y < h - 1; ++y)
        for (int x = w / 4; x < w / 4 + 5; ++x)
            canvas.Blend(hx + x + (y - h / 2) / 2, hy + y - 4,
                         (x == w / 4 || x == w / 4 + 4) ? Rgba{0, 0, 0, 255} : fill);
    return EncodeCursor(canvas, hx, hy);
}
