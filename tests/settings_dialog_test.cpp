#include "tests/Harness.h"
#include "platform/D3DSettingsDialog.h"

namespace settings_dialog_test {

using host::DEVTYPE_REF, host::DeviceCapsInfo, host::FMT_R5G6B5, host::FMT_X8R8G8B8;

namespace {

class SettingsDialogTest : public FrameworkFixture {
protected:
    void SetUp() override {
        FrameworkFixture::SetUp();
        auto& a = video.adapters[0];
        a.desktop = {1024, 768, 60, FMT_X8R8G8B8};
        a.modes = {{1024, 768, 75, FMT_X8R8G8B8},
                   {800, 600, 60, FMT_X8R8G8B8},
                   {1024, 768, 60, FMT_X8R8G8B8},
                   {800, 600, 60, FMT_R5G6B5}};
        DeviceCapsInfo ref;
        ref.deviceType = DEVTYPE_REF;
        ref.devCaps = 0;
        a.devices.push_back(ref);
        ASSERT_EQ(app.Create(), S_OK);
    }
    static std::vector<std::u16string> Texts(const ComboBoxModel& c) {
        std::vector<std::u16string> out;
        for (auto& i : c.items) out.push_back(i.text);
        return out;
    }
    static std::u16string Chosen(const ComboBoxModel& c) {
        return c.HasSelection() ? c.items[size_t(c.selected)].text : u"(none)";
    }

    CountingApp app;
};

}  // namespace

TEST_F(SettingsDialogTest, OpensOnTheCurrentWindowedSettings) {
    CD3DSettingsDialog dlg(&app.m_enumeration, app.m_settings);
    dlg.OnInitDialog();
    EXPECT_EQ(Texts(dlg.Combo(IDC_ADAPTER_COMBO)), std::vector<std::u16string>{u"Headless adapter"});
    EXPECT_EQ(Texts(dlg.Combo(IDC_DEVICE_COMBO)), (std::vector<std::u16string>{u"D3DDEVTYPE_HAL", u"D3DDEVTYPE_REF"}));
    EXPECT_EQ(Chosen(dlg.Combo(IDC_DEVICE_COMBO)), u"D3DDEVTYPE_HAL");
    EXPECT_TRUE(dlg.WindowedEnabled());
    EXPECT_TRUE(dlg.FullscreenEnabled());
    EXPECT_EQ(Texts(dlg.Combo(IDC_ADAPTERFORMAT_COMBO)), std::vector<std::u16string>{u"D3DFMT_X8R8G8B8"});
    EXPECT_EQ(Texts(dlg.Combo(IDC_RESOLUTION_COMBO)), std::vector<std::u16string>{u"1024 by 768"});
    EXPECT_FALSE(dlg.Combo(IDC_RESOLUTION_COMBO).enabled);
    EXPECT_EQ(Texts(dlg.Combo(IDC_REFRESHRATE_COMBO)), std::vector<std::u16string>{u"60 Hz"});
    EXPECT_EQ(Texts(dlg.Combo(IDC_BACKBUFFERFORMAT_COMBO)),
              (std::vector<std::u16string>{u"D3DFMT_A8R8G8B8", u"D3DFMT_X8R8G8B8"}));
    EXPECT_EQ(Chosen(dlg.Combo(IDC_BACKBUFFERFORMAT_COMBO)), u"D3DFMT_X8R8G8B8");
    EXPECT_EQ(Texts(dlg.Combo(IDC_DEPTHSTENCILBUFFERFORMAT_COMBO)), std::vector<std::u16string>{u"(not used)"});
    EXPECT_EQ(Texts(dlg.Combo(IDC_MULTISAMPLE_COMBO)), std::vector<std::u16string>{u"D3DMULTISAMPLE_NONE"});
    EXPECT_EQ(Texts(dlg.Combo(IDC_MULTISAMPLE_QUALITY_COMBO)), std::vector<std::u16string>{u"0"});
    EXPECT_EQ(Texts(dlg.Combo(IDC_VERTEXPROCESSING_COMBO)),
              (std::vector<std::u16string>{u"HARDWARE_VP", u"SOFTWARE_VP"}));
    EXPECT_EQ(Chosen(dlg.Combo(IDC_PRESENTINTERVAL_COMBO)), u"D3DPRESENT_INTERVAL_IMMEDIATE");
}

TEST_F(SettingsDialogTest, ChangesCascadeDownTheLists) {
    CD3DSettingsDialog dlg(&app.m_enumeration, app.m_settings);
    dlg.OnInitDialog();
    dlg.SetWindowed(false);
    EXPECT_EQ(Texts(dlg.Combo(IDC_ADAPTERFORMAT_COMBO)),
              (std::vector<std::u16string>{u"D3DFMT_X8R8G8B8", u"D3DFMT_R5G6B5"}));
    EXPECT_EQ(Texts(dlg.Combo(IDC_RESOLUTION_COMBO)), (std::vector<std::u16string>{u"800 by 600", u"1024 by 768"}));
    EXPECT_EQ(Chosen(dlg.Combo(IDC_RESOLUTION_COMBO)), u"1024 by 768");
    EXPECT_EQ(Texts(dlg.Combo(IDC_REFRESHRATE_COMBO)), (std::vector<std::u16string>{u"60 Hz", u"75 Hz"}));
    EXPECT_EQ(Chosen(dlg.Combo(IDC_PRESENTINTERVAL_COMBO)), u"D3DPRESENT_INTERVAL_DEFAULT");

    // 75 Hz exists only at 1024 × 768: a smaller resolution falls back to the first rate.
    dlg.Select(IDC_REFRESHRATE_COMBO, 1);
    EXPECT_EQ(dlg.Settings().Fullscreen_DisplayMode.refreshRate, 75u);
    dlg.Select(IDC_RESOLUTION_COMBO, 0);
    EXPECT_EQ(Texts(dlg.Combo(IDC_REFRESHRATE_COMBO)), std::vector<std::u16string>{u"60 Hz"});
    EXPECT_EQ(dlg.Settings().Fullscreen_DisplayMode, (DisplayMode{800, 600, 60, FMT_X8R8G8B8}));

    // The 16-bit adapter format has only 800 × 600; the previous size is kept.
    dlg.Select(IDC_ADAPTERFORMAT_COMBO, 1);
    EXPECT_EQ(Texts(dlg.Combo(IDC_RESOLUTION_COMBO)), std::vector<std::u16string>{u"800 by 600"});
    EXPECT_EQ(dlg.Settings().pFullscreen_DeviceCombo->AdapterFormat, uint32_t(FMT_R5G6B5));

    // The reference device has no hardware vertex processing.
    dlg.Select(IDC_DEVICE_COMBO, 1);
    EXPECT_EQ(Texts(dlg.Combo(IDC_VERTEXPROCESSING_COMBO)), std::vector<std::u16string>{u"SOFTWARE_VP"});
    EXPECT_EQ(dlg.Settings().Fullscreen_VertexProcessingType, uint32_t(SOFTWARE_VP));
    EXPECT_EQ(dlg.Settings().pFullscreen_DeviceInfo->DevType, uint32_t(DEVTYPE_REF));
    EXPECT_EQ(Chosen(dlg.Combo(IDC_RESOLUTION_COMBO)), u"800 by 600");
}

TEST_F(SettingsDialogTest, OkAppliesAndCancelKeepsTheSettings) {
    const DeviceSettings before = app.m_settings;
    {
        CD3DSettingsDialog dlg(&app.m_enumeration, app.m_settings);
        dlg.OnInitDialog();
        dlg.SetWindowed(false);
        EXPECT_EQ(dlg.End(2), 2);
        EXPECT_EQ(dlg.ShowDialog(), 2);
    }
    EXPECT_TRUE(app.m_settings.IsWindowed);
    EXPECT_EQ(app.m_settings.pFullscreen_DeviceCombo, before.pFullscreen_DeviceCombo);

    CD3DSettingsDialog dlg(&app.m_enumeration, app.m_settings);
    dlg.OnInitDialog();
    dlg.SetWindowed(false);
    dlg.Select(IDC_RESOLUTION_COMBO, 0);
    ASSERT_EQ(dlg.End(1), 1);
    ASSERT_EQ(app.ApplyDialogSettings(dlg.Settings()), S_OK);
    EXPECT_FALSE(app.m_bWindowed);
    EXPECT_TRUE(video.window->IsFullscreen());
    EXPECT_EQ(app.m_backBufferDesc.Width, 800u);
    EXPECT_EQ(app.created, 2);  // resources were made again for the new device
    EXPECT_EQ(app.destroyed, 1);
}

}  // namespace settings_dialog_test
