#include <gtest/gtest.h>

#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "tests/WidgetWorld.h"

namespace {

using widgets::WidgetWorld;

WidgetWorld::Files Gauge() {
    return {{"Resource/Test/Bbd_Gauge.tga", widgets::MakeTga(16, 64, [](int, int y) {
                 return y < 32 ? 0x00FF00FFu : 0xFF0000FFu;
             })}};
}

// Edges of a drawn quad from its world transform (no rotation).
struct Box {
    float left, right, bottom, top;
};
Box Edges(const host::DrawRecord& d) {
    float cx = d.state.world[12], cy = d.state.world[13];
    float w = d.state.world[0], h = d.state.world[5];
    return {cx - w * 0.5f, cx + w * 0.5f, cy - h * 0.5f, cy + h * 0.5f};
}

// Texture v at the bottom and the top edge of a drawn quad.
std::pair<float, float> BottomTopV(const host::DrawRecord& d) {
    float bottom = 0, top = 0;
    for (const host::Vertex& v : d.vertices) (v.y < 0 ? bottom : top) = v.v;
    return {bottom, top};
}

}  // namespace

TEST(GaugeBar, QuarterFillGrowsUpFromTheBottomOfTheBox) {
    WidgetWorld w(Gauge());
    CVxBillboard bar("Bbd_Gauge.tga", "Resource\\Test\\", nullptr);
    w.app.DrawGaugeBar(&bar, 40, 100, 10, 20, 0.25f);
    ASSERT_EQ(w.device.draws.size(), 1u);
    const host::DrawRecord& d = w.device.draws[0];
    Box b = Edges(d);
    EXPECT_FLOAT_EQ(b.left, -10.0f);
    EXPECT_FLOAT_EQ(b.right, 30.0f);
    EXPECT_FLOAT_EQ(b.bottom, -30.0f);  // the box's own bottom: 20 - 100 / 2
    EXPECT_FLOAT_EQ(b.top, -5.0f);
    // The bottom quarter of the picture, not squeezed.
    EXPECT_EQ(BottomTopV(d), std::make_pair(1.0f, 0.75f));
    for (const host::Vertex& v : d.vertices) EXPECT_TRUE(v.u == 0.0f || v.u == 1.0f);
    // The billboard is left at the full box and picture.
    EXPECT_FLOAT_EQ(bar.m_vSize.x, 40.0f);
    EXPECT_FLOAT_EQ(bar.m_vSize.y, 100.0f);
    EXPECT_FLOAT_EQ(bar.m_vSize.z, 1.0f);
    EXPECT_FLOAT_EQ(bar.m_fV0, 0.0f);
    EXPECT_FLOAT_EQ(bar.m_fV1, 1.0f);
    EXPECT_FLOAT_EQ(bar.m_fU1, 1.0f);
}

TEST(GaugeBar, FullFillCoversTheBoxAndEmptyDrawsNothing) {
    WidgetWorld w(Gauge());
    CVxBillboard bar("Bbd_Gauge.tga", "Resource\\Test\\", nullptr);
    w.app.DrawGaugeBar(&bar, 30, 60, -100, 0, 1.0f);
    ASSERT_EQ(w.device.draws.size(), 1u);
    Box b = Edges(w.device.draws[0]);
    EXPECT_FLOAT_EQ(b.bottom, -30.0f);
    EXPECT_FLOAT_EQ(b.top, 30.0f);
    EXPECT_FLOAT_EQ(b.left, -115.0f);
    EXPECT_EQ(BottomTopV(w.device.draws[0]), std::make_pair(1.0f, 0.0f));

    bar.SetSize(5, 6, 7);
    w.app.DrawGaugeBar(&bar, 30, 60, -100, 0, 0.0f);
    w.app.DrawGaugeBar(nullptr, 30, 60, -100, 0, 0.5f);
    EXPECT_EQ(w.device.draws.size(), 1u);
    EXPECT_FLOAT_EQ(bar.m_vSize.x, 5.0f);  // an empty gauge leaves the billboard alone
}

TEST(GaugeBar, SmallFractionStillSitsOnTheBottomEdge) {
    WidgetWorld w(Gauge());
    CVxBillboard bar("Bbd_Gauge.tga", "Resource\\Test\\", nullptr);
    w.app.DrawGaugeBar(&bar, 10, 200, 0, 100, 0.05f);
    Box b = Edges(w.device.draws.at(0));
    EXPECT_NEAR(b.bottom, 0.0f, 1e-4f);
    EXPECT_NEAR(b.top, 10.0f, 1e-4f);
    std::pair<float, float> v = BottomTopV(w.device.draws[0]);
    EXPECT_FLOAT_EQ(v.first, 1.0f);
    EXPECT_NEAR(v.second, 0.95f, 1e-6f);
}

TEST(GaugeBar, AtFormIgnoresDepthAndZ) {
    WidgetWorld w(Gauge());
    CVxBillboard bar("Bbd_Gauge.tga", "Resource\\Test\\", nullptr);
    w.app.DrawGaugeBarAt(&bar, VxVec3{40, 100, 9}, VxVec3{10, 20, 55}, 0.25f);
    ASSERT_EQ(w.device.draws.size(), 1u);
    const host::DrawRecord& d = w.device.draws[0];
    Box b = Edges(d);
    EXPECT_FLOAT_EQ(b.bottom, -30.0f);
    EXPECT_FLOAT_EQ(b.top, -5.0f);
    EXPECT_FLOAT_EQ(d.state.world[10], 1.0f);
    EXPECT_FLOAT_EQ(d.state.world[14], 0.0f);
}

TEST(ButtonStates, NonNullPicturesFillTheBackSetAndTheLastSizesTheButton) {
    WidgetWorld w;
    CVxBillboard press(nullptr, nullptr, nullptr), disable(nullptr, nullptr, nullptr),
        kept(nullptr, nullptr, nullptr);
    press.SetSize(120, 40, 1);
    disable.SetSize(90, 30, 1);
    CVxButton button(0);
    button.m_stateBack.m_apState[BUTTON_OVER] = &kept;
    CVxButton::SetStateTextures(&button, &press, nullptr, &disable, nullptr);
    EXPECT_EQ(button.m_stateBack.m_apState[BUTTON_PRESS], &press);
    EXPECT_EQ(button.m_stateBack.m_apState[BUTTON_OVER], &kept);
    EXPECT_EQ(button.m_stateBack.m_apState[BUTTON_DISABLE], &disable);
    EXPECT_EQ(button.m_stateBack.m_apState[BUTTON_NORMAL], nullptr);
    EXPECT_EQ(button.m_stateFront.m_apState[BUTTON_PRESS], nullptr);
    EXPECT_FLOAT_EQ(button.m_vSize.x, 90.0f);
    EXPECT_FLOAT_EQ(button.m_vSize.y, 30.0f);
    EXPECT_FLOAT_EQ(button.m_vSize.z, 1.0f);

    button.SetSize(1, 2, 3);
    CVxButton::SetStateTextures(&button, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FLOAT_EQ(button.m_vSize.z, 3.0f);
    CVxButton::SetStateTextures(nullptr, &press, nullptr, nullptr, nullptr);
}
