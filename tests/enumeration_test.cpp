#include <gtest/gtest.h>

#include <algorithm>

#include "platform/DeviceEnumeration.h"
#include "platform/FormatNames.h"

using namespace host;

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
    video.adapters[0].modes = {{639, 480, 60, FMT_X8R8G8B8}, {640, 479, 60, FMT_X8R8G8B8},
                               {640, 480, 60, FMT_X8R8G8B8}, {800, 600, 60, FMT_X4R4G4B4},
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

TEST_F(EnumerationTest, ModesSortByWidthHeightFormatRefresh) {
    video.adapters[0].modes = {{1024, 768, 75, 22}, {800, 600, 85, 22}, {1024, 768, 60, 22},
                               {800, 600, 60, 23},  {800, 600, 60, 22}, {1024, 600, 60, 22}};
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    std::vector<DisplayMode> expect = {{800, 600, 60, 22},  {800, 600, 85, 22},  {800, 600, 60, 23},
                                       {1024, 600, 60, 22}, {1024, 768, 60, 22}, {1024, 768, 75, 22}};
    EXPECT_EQ(Adapter().DisplayModeList, expect);
    EXPECT_LT(SortModesCallback(expect[0], expect[1]), 0);
    EXPECT_GT(SortModesCallback(expect[2], expect[1]), 0);
    EXPECT_EQ(SortModesCallback(expect[3], expect[3]), 0);
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

TEST_F(EnumerationTest, DepthFormatsFollowTheRequirements) {
    video.adapters[0].modes = {{800, 600, 60, FMT_X8R8G8B8}};
    enumeration.AppUsesDepthBuffer = true;
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    EXPECT_EQ(Combo(true, FMT_X8R8G8B8)->DepthStencilFormatList,
              (std::vector<uint32_t>{FMT_D16, FMT_D24X8, FMT_D24S8}));
    enumeration.AppMinStencilBits = 1;
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    EXPECT_EQ(Combo(true, FMT_X8R8G8B8)->DepthStencilFormatList, (std::vector<uint32_t>{FMT_D24S8}));
    // A combination with no usable depth format is dropped altogether.
    video.adapters[0].depthFormats = {FMT_D16};
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    EXPECT_TRUE(enumeration.m_pAdapterInfoList.empty());
}

TEST_F(EnumerationTest, VertexProcessingPrefersHardware) {
    video.adapters[0].modes = {{800, 600, 60, FMT_X8R8G8B8}};
    video.adapters[0].devices[0].devCaps = DEVCAPS_HWTRANSFORMANDLIGHT | DEVCAPS_PUREDEVICE;
    enumeration.AppUsesMixedVP = true;
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    EXPECT_EQ(Combo(true, FMT_X8R8G8B8)->VertexProcessingTypeList,
              (std::vector<uint32_t>{PURE_HARDWARE_VP, HARDWARE_VP, MIXED_VP, SOFTWARE_VP}));

    // A callback refusing pure devices: the list starts with hardware.
    enumeration.m_pConfirmDeviceCallback = [](const DeviceCapsInfo&, uint32_t type, D3DFORMAT, D3DFORMAT) {
        return type != PURE_HARDWARE_VP;
    };
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    EXPECT_EQ(Combo(true, FMT_X8R8G8B8)->VertexProcessingTypeList.front(), uint32_t(HARDWARE_VP));

    video.adapters[0].devices[0].devCaps = 0;
    enumeration.m_pConfirmDeviceCallback = nullptr;
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    EXPECT_EQ(Combo(true, FMT_X8R8G8B8)->VertexProcessingTypeList, (std::vector<uint32_t>{SOFTWARE_VP}));
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

TEST_F(EnumerationTest, AdaptersWithoutDevicesAreDropped) {
    video.adapters[0].modes = {{800, 600, 60, FMT_X8R8G8B8}};
    HeadlessVideoSystem::Adapter second = video.adapters[0];
    second.devices.clear();
    video.adapters.push_back(second);
    ASSERT_EQ(enumeration.Enumerate(), S_OK);
    ASSERT_EQ(enumeration.m_pAdapterInfoList.size(), 1u);
    EXPECT_EQ(Adapter().AdapterOrdinal, 0u);

    CDeviceEnumeration none;
    EXPECT_EQ(none.Enumerate(), E_FAIL);
}

