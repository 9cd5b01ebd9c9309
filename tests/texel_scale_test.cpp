// Which batches may skip the filter between a picture's levels: only those
// whose every triangle is drawn no smaller than its picture, so that the
// full-size level alone is ever read.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/host/TexelScale.h"

using host::ScreenCorner;

namespace {

// Two triangles of a w × h quad at (x, y), turned by `turn` radians about its
// corner, sampling the whole picture; corner w as given.
std::vector<ScreenCorner> Quad(double x, double y, double w, double h, double turn = 0, double farW = 1) {
    const double c = std::cos(turn), s = std::sin(turn);
    auto at = [&](double dx, double dy, double u, double v, double cw) {
        return ScreenCorner{x + dx * c - dy * s, y + dx * s + dy * c, cw, u, v};
    };
    const ScreenCorner a = at(0, 0, 0, 0, 1), b = at(w, 0, 1, 0, 1), d = at(w, h, 1, 1, farW), e = at(0, h, 0, 1, farW);
    return {a, b, d, a, d, e};
}

}  // namespace

TEST(TexelScale, OnlyBatchesNeverShrinkingTheirPictureSkipTheLevels) {
    const double kPi = std::acos(-1.0);
    std::vector<ScreenCorner> mixed = Quad(0, 0, 128, 128);
    for (const ScreenCorner& c : Quad(300, 0, 116, 120)) mixed.push_back(c);
    std::vector<ScreenCorner> withFlat = Quad(0, 0, 128, 128);
    for (const ScreenCorner& c :
         {ScreenCorner{5, 5, 1, 0, 0}, ScreenCorner{6, 6, 1, 1, 1}, ScreenCorner{7, 7, 1, 0, 1}})
        withFlat.push_back(c);  // a triangle along a line covers no pixel
    const struct {
        const char* rule;
        std::vector<ScreenCorner> corners;
        int texW, texH;
        bool neverShrunk;
    } kCases[] = {
        {"texel for pixel", Quad(10.5, 20.5, 128, 64), 128, 64, true},
        {"texel for pixel within rounding", Quad(10, 20, 127.999, 64), 128, 64, true},
        {"drawn larger", Quad(0, 0, 256, 200), 128, 64, true},
        {"the logical screen shrunk into the window", Quad(0, 0, 800, 600), 880, 640, false},
        {"shrunk along one axis only", Quad(0, 0, 128, 60), 128, 64, false},
        {"mirrored, texel for pixel", Quad(128, 0, -128, 64), 128, 64, true},
        {"a quarter turn", Quad(100, 0, 128, 64, kPi / 2), 128, 64, true},
        {"turned an eighth: a renderer may measure it shrunk", Quad(100, 0, 128, 64, kPi / 4), 128, 64, false},
        {"turned an eighth and drawn large enough", Quad(100, 0, 256, 128, kPi / 4), 128, 64, true},
        {"seen in perspective", Quad(0, 0, 256, 128, 0, 2), 128, 64, false},
        {"one shrunk quad among upright ones", mixed, 128, 128, false},
        {"a triangle covering no pixel is left out", withFlat, 128, 128, true},
        {"no triangles", {}, 128, 128, true},
        {"no picture size", Quad(0, 0, 128, 64), 0, 64, false},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(host::NeverShrunk(c.corners.data(), c.corners.size(), c.texW, c.texH), c.neverShrunk) << c.rule;
}
