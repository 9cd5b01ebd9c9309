
#include <cstdlib>

#include "engine/ScriptStatement.h"
#include "tests/Harness.h"
#include "tests/PictureBytes.h"

namespace {

using harness::World;

// A VxFile over the given bytes, as the archive hands them out.
struct ScriptFile {
    explicit ScriptFile(const std::string& text) {
        file.data = static_cast<char*>(std::malloc(text.size() + 1));
        std::memcpy(file.data, text.c_str(), text.size() + 1);
        file.cursor = file.data;
        file.size = uint32_t(text.size());
    }
    std::pair<std::string, std::string> Next() {
        ScriptStatement s = ReadScriptStatement(&file);
        return {s.key, s.value};
    }
    VxFile file;
};

using KV = std::pair<std::string, std::string>;

TEST(ScriptStatement, KeysValuesCommentsAndEmptyLines) {
    ScriptFile f("FONT_COL=16;\n// a comment = 5;\n\nA=1;B=2;\n FONT_ROW=4;\n=5;\nK=;\nlast\n");
    EXPECT_EQ(f.Next(), KV("FONT_COL", "16"));
    EXPECT_EQ(f.Next(), KV("COMMENT", ""));
    EXPECT_EQ(f.Next(), KV("", ""));
    EXPECT_EQ(f.Next(), KV("A=1;B", "2"));
    EXPECT_EQ(f.Next(), KV(" FONT_ROW", "4"));  // the first byte is kept, blank or not
    EXPECT_EQ(f.Next(), KV("", "5"));
    EXPECT_EQ(f.Next(), KV("K", ""));
    EXPECT_EQ(f.Next(), KV("END_FILE", ""));
    EXPECT_EQ(f.file.position, f.file.size);
}

TEST(ScriptStatement, BracesKeepBlanksAndCaretIsALineFeed) {
    ScriptFile f("TEXT = {a b\n\tc} ;\nT=x^y ^z;\nQ=^;\n.");
    EXPECT_EQ(f.Next(), KV("TEXT", "a b\n\tc"));
    EXPECT_EQ(f.Next(), KV("T", "x\ny\nz"));
    EXPECT_EQ(f.Next(), KV("Q", "\n"));
    EXPECT_EQ(f.Next().first, "END_FILE");
}

TEST(ScriptStatement, TheLastByteIsNeverPartOfAStatement) {
    ScriptFile bare("X=1;");  // the ";" is the last byte: the value is lost
    EXPECT_EQ(bare.Next(), KV("END_FILE", ""));
    ScriptFile ended("X=1;\n");  // the value survives, the statement still ends the file
    EXPECT_EQ(ended.Next(), KV("END_FILE", "1"));
    ScriptFile spare("X=1;\n.");
    EXPECT_EQ(spare.Next(), KV("X", "1"));
    EXPECT_EQ(spare.Next().first, "END_FILE");
    ScriptFile empty("");
    EXPECT_EQ(empty.Next().first, "END_FILE");
}

// Glyph widths of the test font: "M" 10, "A" 8, "B" 6, other letters 6.
int GlyphWidth(int code) { return code == 'M' ? 10 : code == 'A' ? 8 : 6; }

// A 256 × 256 sheet of 16 × 16 cells; each glyph starts 2 pixels into its cell.
std::string FontScript(int mapLines = 256, const std::string& grid = "FONT_COL=16;\nFONT_ROW=16;\n") {
    std::string s = "// test font\n" + grid + "FONT_PATH=Resource\\Font\\;\nFONT_NAME=Fnt_Test.tga;\n";
    for (int n = 0; n < mapLines; ++n) {
        const int code = n % 256;
        const int x0 = (code % 16) * 16 + 2;
        s += "FONT_MAP=" + std::to_string(x0) + "," + std::to_string(x0 + GlyphWidth(code)) + ";\n";
    }
    return s + "END\n";
}

harness::Files FontFiles(const std::string& script = FontScript()) {
    return {{"Resource/Font/Fnt_Test.tga", testpic::TgaOf(256, 256, [](int, int) { return 0xFFFFFFFFu; })},
            {"Resource/Font/Script_Fnt_Test.txt", harness::Bytes(script)}};
}

struct Glyph {
    float x, y, w, h, u0, v0;
};

std::vector<Glyph> Glyphs(const World& w) {
    std::vector<Glyph> out;
    for (const host::DrawRecord& d : w.device.draws)
        out.push_back({d.state.world[12], d.state.world[13], d.state.world[0], d.state.world[5], d.vertices[2].u,
                       d.vertices[2].v});
    return out;
}

// The test font in a fresh world; Draw answers the glyphs one text drew.
struct FontBench {
    explicit FontBench(int align) { font.m_iAlign = align; }
    std::vector<Glyph> Draw(const char* text) {
        w.device.draws.clear();
        font.DrawText(text);
        return Glyphs(w);
    }
    World w{FontFiles()};
    CVxFont font{"Script_Fnt_Test.txt", "Resource\\Font\\"};
};

TEST(Font, ZeroGridIsRefusedAndExtraMapLinesIgnored) {
    harness::World w(FontFiles(FontScript(300, "FONT_COL=16;\nFONT_ROW=16;\nFONT_COL=0;\n")));
    CVxFont font("Script_Fnt_Test.txt", "Resource\\Font\\");
    EXPECT_EQ(font.m_nCols, 16);
    EXPECT_EQ(font.m_aMap[255].x0, 15 * 16 + 2);
    EXPECT_EQ(font.m_aMap[44].x0, 12 * 16 + 2);  // not overwritten by line 300
}

TEST(Font, MissingScriptLeavesAFontWithoutPicture) {
    harness::World w;
    CVxFont font("Script_Fnt_None.txt", "Resource\\Font\\");
    EXPECT_TRUE(w.host.boxes.Saw("VxOpenFile Error !!", "Resource\\Font\\Script_Fnt_None.txt\n NOT FOUND IN ZIP"));
    EXPECT_EQ(font.m_pTextureBoard, nullptr);
    font.DrawText("AB");
    font.DrawText(nullptr);
    EXPECT_TRUE(w.device.draws.empty());
}

}  // namespace

// ---- Wrapping: the break follows the last blank before the break position,
// found by searching back from it, across earlier lines as well.

TEST(FontWrap, BreaksAfterTheLastBlankSearchingBackFromTheBreakPosition) {
    const struct {
        const char* text;
        int width;
        std::vector<int> lines;  // line of each drawn glyph
    } kCases[] = {
        {"aa aa aa", 30, {0, 0, 1, 1, 1, 1}},
        {"aaaaaaaaaa", 30, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},  // no blank anywhere: one line
        // The second line has no blank: the break goes after the first line's.
        {"a a\naaaaaaaa", 30, {0, 1, 2, 2, 2, 2, 2, 2, 2, 2}},
        // A glyph wider than the width, after a blank already broken at, ends.
        {"a a", 4, {0, 1}},
        {"a a a", 4, {0, 1, 2}},
    };
    for (const auto& c : kCases) {
        FontBench f(1);
        f.font.m_iWrapWidth = c.width;
        std::vector<int> lines;
        for (const Glyph& g : f.Draw(c.text)) lines.push_back(int(-g.y / 16.0f + 0.5f));
        EXPECT_EQ(lines, c.lines) << c.text;
    }
}

// ---- Alignment: where each glyph's centre lands (x, y) for the test font's
// widths ("A" 8, "B"/"C"/"D"/line feed 6), the font at the origin.

TEST(FontAlignment, RightArcLiftsByCosineAndCentredTotalCountsLineFeeds) {
    struct At {
        int x, y;
    };
    const struct {
        const char* rule;
        int align;
        float arc;
        const char* text;
        std::vector<At> glyphs;  // in drawing order
    } kCases[] = {
        {"left-aligned starts at the position", 1, 0.0f, "AB", {{4, 0}, {11, 0}}},
        // Right-aligned draws from the last character leftwards; the lift is
        // cos(i x 180 / length) x arc: 10, 7, 0, -7 for i = 0..3.
        {"right-aligned arc lifts by the cosine", -1, 10.0f, "ABCD", {{-3, -7}, {-9, 0}, {-15, 7}, {-22, 10}}},
        {"right-aligned without arc stays on the line", -1, 0.0f, "AB", {{-3, 0}, {-10, 0}}},
        // Centred: total = 8 + 6 + 6 (line feed) + 8 + 6 = 34, pen starts at -17;
        // after the line feed the pen is 0.
        {"centred total counts line feeds", 0, 0.0f, "AB\nAB", {{-13, 0}, {-6, 0}, {4, -16}, {11, -16}}},
        {"centred single line", 0, 0.0f, "AB", {{-3, 0}, {4, 0}}},
    };
    for (const auto& c : kCases) {
        FontBench f(c.align);
        f.font.m_fArc = c.arc;
        const std::vector<Glyph> drawn = f.Draw(c.text);
        ASSERT_EQ(drawn.size(), c.glyphs.size()) << c.rule;
        for (size_t i = 0; i < drawn.size(); ++i) {
            EXPECT_FLOAT_EQ(drawn[i].x, float(c.glyphs[i].x)) << c.rule << " glyph " << i;
            EXPECT_FLOAT_EQ(drawn[i].y, float(c.glyphs[i].y)) << c.rule << " glyph " << i;
        }
    }
}
