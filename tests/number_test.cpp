

#include "engine/VxNumber.h"
#include "tests/Harness.h"
#include "tests/PictureBytes.h"

namespace {

using harness::World;

harness::Files Sheets() {
    return {{"Resource/Num/Num_Interface1.tga", testpic::TgaOf(64, 64, [](int, int) { return 0xFFFFFFFFu; })}};
}

struct DrawnDigit {
    float x, u0, v0, u1, v1;
};

std::vector<DrawnDigit> Drawn(const World& w) {
    std::vector<DrawnDigit> out;
    for (const host::DrawRecord& d : w.device.draws)
        out.push_back({d.state.world[12], d.vertices[2].u, d.vertices[2].v, d.vertices[0].u, d.vertices[0].v});
    return out;
}

// Which digit a draw shows, from its cell on the 4 × 4 sheet.
int DigitOf(const DrawnDigit& d) { return int(d.u0 * 4.0f + 0.5f) + 4 * int(d.v0 * 4.0f + 0.5f); }

TEST(Number, MinimumDigitsPadWithZeros) {
    harness::World w(Sheets());
    CVxNumber n;
    n.LoadDigitTexture("Num_Interface1.tga", 4, 4, "Resource\\Num\\");
    n.m_nMinDigits = 3;
    n.SetPosition(100, 50, 0);
    n.Draw(7);
    auto d = Drawn(w);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(DigitOf(d[0]), 7);
    EXPECT_EQ(DigitOf(d[1]), 0);
    EXPECT_EQ(DigitOf(d[2]), 0);
    EXPECT_FLOAT_EQ(d[0].x, 140.0f);
    EXPECT_FLOAT_EQ(w.device.draws[0].state.world[13], 50.0f);

    w.device.draws.clear();
    n.m_nMinDigits = 0;
    n.Draw(0);
    n.Draw(-5);
    EXPECT_TRUE(w.device.draws.empty());
    n.m_nMinDigits = 1;
    n.Draw(0);
    EXPECT_EQ(w.device.draws.size(), 1u);
}

TEST(Number, SecondSheetIsRefusedAndTheFirstKept) {
    harness::World w(Sheets());
    CVxNumber n;
    n.LoadDigitTexture("Num_Interface1.tga", 4, 4, "Resource\\Num\\");
    CVxTexture* first = n.m_apDigitTextures[0];
    n.LoadDigitTexture("Num_Other.tga", 5, 5, "Resource\\Num\\");
    EXPECT_TRUE(w.host.boxes.Saw("Loading Share Texture Error !!", "CGraphic_UI_Number Error !!"));
    EXPECT_EQ(n.m_apDigitTextures[0], first);
    EXPECT_EQ(n.m_aSheetGrid[0].cols, 4);
    EXPECT_EQ(w.host.boxes.Count(), 1u);  // the second picture was never looked for
}

// Where each digit's centre lands for every alignment; starts are truncated
// before the digits step leftwards from them.
TEST(Number, AlignmentPlacesDigitsFromATruncatedStart) {
    const struct {
        const char* rule;
        int align;
        float spacing;
        int value;
        std::vector<float> xs;  // last digit first, as drawn
    } kCases[] = {
        {"left: first digit at the position", -1, 20.0f, 305, {140, 120, 100}},
        {"centred: middle digit at the position", 0, 20.0f, 305, {120, 100, 80}},
        {"right: last digit at the position", 1, 20.0f, 305, {100, 80, 60}},
        // start = trunc(15 x 1 x 0.5) = 7, so the digits sit at +7 and -8.
        {"centred start is truncated", 0, 15.0f, 12, {107, 92}},
        {"centred start is truncated, three digits", 0, 15.0f, 123, {115, 100, 85}},
        {"left start with a fractional spacing", -1, 12.5f, 12, {112, 100}},
    };
    for (const auto& c : kCases) {
        harness::World w(Sheets());
        CVxNumber n;
        n.LoadDigitTexture("Num_Interface1.tga", 4, 4, "Resource\\Num\\");
        n.m_iAlign = c.align;
        n.m_fSpacing = c.spacing;
        n.SetPosition(100, 50, 0);
        n.Draw(c.value);
        const auto d = Drawn(w);
        ASSERT_EQ(d.size(), c.xs.size()) << c.rule;
        for (size_t i = 0; i < d.size(); ++i) EXPECT_FLOAT_EQ(d[i].x, c.xs[i]) << c.rule << " digit " << i;
    }
}

}  // namespace
