#include <gtest/gtest.h>

#include <algorithm>

#include "platform/DeviceEnumeration.h"
#include "platform/FormatNames.h"

namespace enumeration_test {

using host::FMT_A8R8G8B8, host::FMT_R5G6B5, host::FMT_X4R4G4B4, host::FMT_X8R8G8B8, host::HeadlessVideoSystem;

namespace {

class EnumerationTest : public ::testing::Test {
protected:
    void SetUp() override {
        enumeration.m_pD3D = &video;
        video.adapters[0].modes.clear();
    }
    const AdapterInfo& Adapter() { return *enumeration.m_pAdapterInfoList.at(0); }
    const DeviceCombo* Combo(bool windowed, uint32_t bb) {
        for (auto& c : Adapter().DeviceInfoList.at(0)->DeviceComboList)
            if (c->IsWindowed == windowed && c->BackBufferFormat == bb) return c.get();
        return nullptr;
    }

    HeadlessVideoSystem video;
    CDeviceEnumeration enumeration;
};

}  // namespace

TEST_F(EnumerationTest, SmallAndShallowModesAreLeftOut) {
    video.adapters[0].modes = {{639, 480, 60, FMT_X8R8G8B8},
                               {640, 479, 60, FMT_X8R8G8B8},
                               {640, 480, 60, FMT_X8R8G8B8},
                               {800, 600, 60, FMT_X4R4G4B4},
                               {800, 600, 60, FMT_R5G6B5}};
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    const auto& modes = Adapter().DisplayModeList;
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[0], (DisplayMode{640, 480, 60, FMT_X8R8G8B8}));
    EXPECT_EQ(modes[1], (DisplayMode{800, 600, 60, FMT_R5G6B5}));

    enumeration.AppMinColorChannelBits = 8;  // now the 5-bit mode goes too
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    EXPECT_EQ(Adapter().DisplayModeList.size(), 1u);
}

TEST_F(EnumerationTest, CombosComeFullScreenFirstInBackBufferOrder) {
    video.adapters[0].modes = {{800, 600, 60, FMT_X8R8G8B8}};
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    const auto& combos = Adapter().DeviceInfoList.at(0)->DeviceComboList;
    ASSERT_EQ(combos.size(), 4u);
    EXPECT_FALSE(combos[0]->IsWindowed);
    EXPECT_EQ(combos[0]->BackBufferFormat, uint32_t(FMT_A8R8G8B8));
    EXPECT_TRUE(combos[1]->IsWindowed);
    EXPECT_EQ(combos[2]->BackBufferFormat, uint32_t(FMT_X8R8G8B8));
    EXPECT_EQ(combos[0]->MultiSampleTypeList, std::vector<uint32_t>{0});
    EXPECT_TRUE(combos[0]->DepthStencilFormatList.empty());  // no depth buffer asked for

    enumeration.AppMinAlphaChannelBits = 1;
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    EXPECT_EQ(Adapter().DeviceInfoList.at(0)->DeviceComboList.size(), 2u);
}

TEST_F(EnumerationTest, WindowedCombosNeverWaitForSeveralRetraces) {
    video.adapters[0].modes = {{800, 600, 60, FMT_X8R8G8B8}};
    video.adapters[0].devices[0].presentationIntervals = 0x80000000u | 1 | 2 | 4 | 8;
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    EXPECT_EQ(Combo(true, FMT_X8R8G8B8)->PresentIntervalList,
              (std::vector<uint32_t>{PRESENT_INTERVAL_IMMEDIATE, PRESENT_INTERVAL_DEFAULT, PRESENT_INTERVAL_ONE}));
    EXPECT_EQ(Combo(false, FMT_X8R8G8B8)->PresentIntervalList,
              (std::vector<uint32_t>{PRESENT_INTERVAL_IMMEDIATE, PRESENT_INTERVAL_DEFAULT, PRESENT_INTERVAL_ONE,
                                     PRESENT_INTERVAL_TWO, PRESENT_INTERVAL_THREE, PRESENT_INTERVAL_FOUR}));
    video.adapters[0].devices[0].presentationIntervals = 0;
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    EXPECT_EQ(Combo(true, FMT_X8R8G8B8)->PresentIntervalList, (std::vector<uint32_t>{PRESENT_INTERVAL_DEFAULT}));
}

}  // namespace enumeration_test
