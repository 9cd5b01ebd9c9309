#pragma once
// The device settings dialog as a model: its drop-down lists, the refill
// cascade from adapter down to multisample quality, and the OK/Cancel outcome.
// The program ships no dialog template, so nothing draws it.
#include <string>
#include <vector>

#include "platform/D3DApplication.h"

enum SettingsControl : int {
    IDC_DEVICE_COMBO = 1000,
    IDC_ADAPTER_COMBO = 1002,
    IDC_ADAPTERFORMAT_COMBO = 1003,
    IDC_RESOLUTION_COMBO = 1004,
    IDC_MULTISAMPLE_COMBO = 1005,
    IDC_REFRESHRATE_COMBO = 1006,
    IDC_BACKBUFFERFORMAT_COMBO = 1007,
    IDC_DEPTHSTENCILBUFFERFORMAT_COMBO = 1008,
    IDC_VERTEXPROCESSING_COMBO = 1009,
    IDC_PRESENTINTERVAL_COMBO = 1010,
    IDC_MULTISAMPLE_QUALITY_COMBO = 1011,
    IDC_WINDOW = 1016,
    IDC_FULLSCREEN = 1018,
};

struct ComboBoxModel {
    struct Item {
        std::u16string text;
        uint64_t data;
    };
    std::vector<Item> items;
    int selected = -1;
    bool enabled = true;

    void Clear() {
        items.clear();
        selected = -1;
    }
    void Add(const std::u16string& text, uint64_t data) { items.push_back({text, data}); }
    bool SelectByData(uint64_t data);
    void SelectByPosition(int index) { selected = index >= 0 && index < int(items.size()) ? index : -1; }
    bool HasSelection() const { return selected >= 0; }
    uint64_t SelectedData() const { return selected >= 0 ? items[size_t(selected)].data : 0; }
    int FindText(const std::u16string& text) const;
};

class CD3DSettingsDialog {
public:
    CD3DSettingsDialog(CDeviceEnumeration* enumeration, const DeviceSettings& settings);

    // Fills the adapter list and everything below it.
    void OnInitDialog();
    // The user picks an entry (by position) in a list, or a radio button.
    void Select(int control, int position);
    void SetWindowed(bool windowed);
    // Ends the dialog: IDOK (1) or IDCANCEL (2), as pressed.
    int End(int button);
    // Runs the dialog on screen; without a template it ends at once as cancelled.
    int ShowDialog() { return 2; }

    ComboBoxModel& Combo(int control);
    bool WindowedEnabled() const { return m_bWindowedEnabled; }
    bool FullscreenEnabled() const { return m_bFullscreenEnabled; }
    const DeviceSettings& Settings() const { return m_d3dSettings; }

private:
    void AdapterChanged();
    void DeviceChanged();
    void WindowedFullscreenChanged();
    void AdapterFormatChanged();
    void ResolutionChanged();
    void RefreshRateChanged();
    void BackBufferFormatChanged();
    void DepthStencilBufferFormatChanged();
    void MultisampleTypeChanged();
    void MultisampleQualityChanged();
    void VertexProcessingChanged();
    void PresentIntervalChanged();
    // Keeps the previous value when still listed, else the first entry.
    void Reselect(ComboBoxModel& combo, uint64_t previous);

    CDeviceEnumeration* m_pEnumeration;
    DeviceSettings m_d3dSettings;
    ComboBoxModel m_combos[12];
    bool m_bWindowedEnabled = false, m_bFullscreenEnabled = false;
};

// List texts of the dialog.
std::u16string DeviceTypeName(uint32_t type);
std::u16string VertexProcessingTypeName(uint32_t type);
std::u16string PresentIntervalName(uint32_t interval);
