
#include "tests/Harness.h"
#include "tests/PictureBytes.h"

namespace {

using harness::World;

harness::Files Gauge() {
    return {{"Resource/Test/Bbd_Gauge.tga", testpic::TgaOf(16, 64, [](int, int) { return 0xFF0000FFu; })}};
}

}  // namespace

TEST(GaugeBar, GrowsUpFromTheBottomOfTheBoxAndRestoresTheBillboard) {
    harness::World w(Gauge());
    CVxBillboard bar("Bbd_Gauge.tga", "Resource\\Test\\", nullptr);
    const struct {
        float fraction, bottom, top, topV;
    } cases[] = {{0.25f, -30, -5, 0.75f}, {1.0f, -30, 70, 0.0f}, {0.05f, -30, -25, 0.95f}};
    for (const auto& c : cases) {
        w.device.draws.clear();
        // A 40 × 100 box centred at (10, 20); the depth and z of the At form are not used.
        w.app.DrawGaugeBarAt(&bar, VxVec3{40, 100, 9}, VxVec3{10, 20, 55}, c.fraction);
        ASSERT_EQ(w.device.draws.size(), 1u);
        const host::DrawRecord& d = w.device.draws[0];
        const float cy = d.state.world[13], h = d.state.world[5];
        EXPECT_NEAR(cy - h * 0.5f, c.bottom, 1e-4f) << c.fraction;
        EXPECT_NEAR(cy + h * 0.5f, c.top, 1e-4f) << c.fraction;
        EXPECT_FLOAT_EQ(d.state.world[0], 40.0f);
        EXPECT_FLOAT_EQ(d.state.world[14], 0.0f);
        // The bottom part of the picture, not squeezed: v 1 at the bottom edge.
        for (const host::Vertex& v : d.vertices) EXPECT_NEAR(v.v, v.y < 0 ? 1.0f : c.topV, 1e-6f);
        EXPECT_FLOAT_EQ(bar.m_vSize.y, 100.0f);
        EXPECT_FLOAT_EQ(bar.m_fV0, 0.0f);
        EXPECT_FLOAT_EQ(bar.m_fV1, 1.0f);
    }
    // An empty gauge draws nothing and leaves the billboard alone.
    w.device.draws.clear();
    bar.SetSize(5, 6, 7);
    w.app.DrawGaugeBar(&bar, 30, 60, -100, 0, 0.0f);
    EXPECT_TRUE(w.device.draws.empty());
    EXPECT_FLOAT_EQ(bar.m_vSize.x, 5.0f);
}
