#include "platform/DeviceEnumeration.h"

#include <algorithm>

using namespace host;

uint32_t ColorChannelBits(D3DFORMAT fmt) {
    switch (fmt) {
    case 20:
    case 21:
    case 22: return 8;
    case 23:
    case 24:
    case 25: return 5;
    case 26:
    case 30: return 4;
    case 27:
    case 29: return 2;
    case 31:
    case 35: return 10;
    default: return 0;
    }
}

uint32_t AlphaChannelBits(D3DFORMAT fmt) {
    switch (fmt) {
    case 21:
    case 29: return 8;
    case 25: return 1;
    case 26: return 4;
    case 31:
    case 35: return 2;
    default: return 0;
    }
}

uint32_t DepthBits(D3DFORMAT fmt) {
    switch (fmt) {
    case FMT_D16: return 16;
    case FMT_D15S1: return 15;
    case FMT_D24X8:
    case FMT_D24S8:
    case FMT_D24X4S4: return 24;
    case FMT_D32: return 32;
    default: return 0;
    }
}

uint32_t StencilBits(D3DFORMAT fmt) {
    switch (fmt) {
    case FMT_D15S1: return 1;
    case FMT_D24S8: return 8;
    case FMT_D24X4S4: return 4;
    default: return 0;
    }
}

int SortModesCallback(const DisplayMode& a, const DisplayMode& b) {
    if (a.width != b.width) return a.width > b.width ? 1 : -1;
    if (a.height != b.height) return a.height > b.height ? 1 : -1;
    if (a.format != b.format) return a.format > b.format ? 1 : -1;
    if (a.refreshRate != b.refreshRate) return a.refreshRate > b.refreshRate ? 1 : -1;
    return 0;
}

HRESULT CDeviceEnumeration::Enumerate() {
    if (!m_pD3D) return E_FAIL;
    m_pAdapterInfoList.clear();
    m_pAllowedAdapterFormatList = {FMT_X8R8G8B8, FMT_X1R5G5B5, FMT_R5G6B5, FMT_A2R10G10B10};

    int count = m_pD3D->AdapterCount();
    for (int ordinal = 0; ordinal < count; ++ordinal) {
        auto adapter = std::make_unique<AdapterInfo>();
        adapter->AdapterOrdinal = uint32_t(ordinal);
        adapter->Description = m_pD3D->AdapterDescription(ordinal);

        std::vector<D3DFORMAT> adapterFormats;
        for (D3DFORMAT allowed : m_pAllowedAdapterFormatList) {
            for (const DisplayMode& m : m_pD3D->AdapterModes(ordinal, allowed)) {
                if (m.width < AppMinFullscreenWidth || m.height < AppMinFullscreenHeight ||
                    ColorChannelBits(m.format) < AppMinColorChannelBits)
                    continue;
                adapter->DisplayModeList.push_back(m);
                if (std::find(adapterFormats.begin(), adapterFormats.end(), m.format) == adapterFormats.end())
                    adapterFormats.push_back(m.format);
            }
        }
        std::stable_sort(adapter->DisplayModeList.begin(), adapter->DisplayModeList.end(),
                         [](const DisplayMode& a, const DisplayMode& b) { return SortModesCallback(a, b) < 0; });

        HRESULT hr = EnumerateDevices(*adapter, adapterFormats);
        if (FAILED(hr)) return hr;
        if (!adapter->DeviceInfoList.empty()) m_pAdapterInfoList.push_back(std::move(adapter));
    }
    return S_OK;
}

std::string CDeviceEnumeration::WhyNothingFound() const {
    if (!m_pD3D) return "no display system";
    const int count = m_pD3D->AdapterCount();
    if (count <= 0) return "the display system lists no display";
    std::string why;
    for (int ordinal = 0; ordinal < count; ++ordinal) {
        std::string listed;
        int shown = 0;
        for (const DisplayMode& m : m_pD3D->AllModes(ordinal)) {
            if (shown++ == 4) {
                listed += ", ...";
                break;
            }
            listed += (listed.empty() ? "" : ", ") + std::to_string(m.width) + "x" + std::to_string(m.height);
        }
        if (ordinal > 0) why += "; ";
        why += "the display " + m_pD3D->AdapterDescription(ordinal) + " offers no mode the game can draw on (" +
               std::to_string(AppMinFullscreenWidth) + "x" + std::to_string(AppMinFullscreenHeight) + " or more, " +
               std::to_string(AppMinColorChannelBits) + " bits a colour); it lists " +
               (listed.empty() ? "none" : listed);
    }
    return why;
}

HRESULT CDeviceEnumeration::EnumerateDevices(AdapterInfo& adapter, const std::vector<D3DFORMAT>& adapterFormats) {
    const uint32_t types[] = {DEVTYPE_HAL, DEVTYPE_SW, DEVTYPE_REF};
    for (uint32_t type : types) {
        auto device = std::make_unique<DeviceInfo>();
        device->AdapterOrdinal = adapter.AdapterOrdinal;
        device->DevType = type;
        if (!m_pD3D->DeviceCaps(int(adapter.AdapterOrdinal), type, device->Caps)) continue;
        HRESULT hr = EnumerateDeviceCombos(*device, adapterFormats);
        if (FAILED(hr)) return hr;
        if (!device->DeviceComboList.empty()) adapter.DeviceInfoList.push_back(std::move(device));
    }
    return S_OK;
}

HRESULT CDeviceEnumeration::EnumerateDeviceCombos(DeviceInfo& device, const std::vector<D3DFORMAT>& adapterFormats) {
    const D3DFORMAT backBufferFormats[] = {FMT_A8R8G8B8, FMT_X8R8G8B8, FMT_A2R10G10B10,
                                           FMT_R5G6B5,   FMT_A1R5G5B5, FMT_X1R5G5B5};
    for (D3DFORMAT adapterFormat : adapterFormats) {
        for (D3DFORMAT bb : backBufferFormats) {
            if (AlphaChannelBits(bb) < AppMinAlphaChannelBits) continue;
            for (int pass = 0; pass < 2; ++pass) {
                bool windowed = pass == 1;  // full screen first
                if (!windowed && AppRequiresWindowed) continue;
                if (windowed && AppRequiresFullscreen) continue;
                if (!m_pD3D->CheckDeviceType(int(device.AdapterOrdinal), device.DevType, adapterFormat, bb, windowed))
                    continue;
                auto combo = std::make_unique<DeviceCombo>();
                combo->AdapterOrdinal = device.AdapterOrdinal;
                combo->DevType = device.DevType;
                combo->AdapterFormat = adapterFormat;
                combo->BackBufferFormat = bb;
                combo->IsWindowed = windowed;
                if (AppUsesDepthBuffer) {
                    BuildDepthStencilFormatList(*combo);
                    if (combo->DepthStencilFormatList.empty()) continue;
                }
                BuildMultiSampleTypeList(*combo);
                if (combo->MultiSampleTypeList.empty()) continue;
                BuildDSMSConflictList(*combo);
                BuildVertexProcessingTypeList(device, *combo);
                if (combo->VertexProcessingTypeList.empty()) continue;
                BuildPresentIntervalList(device, *combo);
                device.DeviceComboList.push_back(std::move(combo));
            }
        }
    }
    return S_OK;
}

void CDeviceEnumeration::BuildDepthStencilFormatList(DeviceCombo& combo) {
    const D3DFORMAT formats[] = {FMT_D16, FMT_D15S1, FMT_D24X8, FMT_D24S8, FMT_D24X4S4, FMT_D32};
    for (D3DFORMAT f : formats) {
        if (DepthBits(f) < AppMinDepthBits || StencilBits(f) < AppMinStencilBits) continue;
        if (m_pD3D->CheckDepthStencil(int(combo.AdapterOrdinal), combo.DevType, combo.AdapterFormat,
                                      combo.BackBufferFormat, f))
            combo.DepthStencilFormatList.push_back(f);
    }
}

void CDeviceEnumeration::BuildMultiSampleTypeList(DeviceCombo& combo) {
    for (uint32_t type = 0; type <= 16; ++type) {
        uint32_t quality = 0;
        if (m_pD3D->CheckMultiSample(int(combo.AdapterOrdinal), combo.DevType, combo.BackBufferFormat, combo.IsWindowed,
                                     type, &quality)) {
            combo.MultiSampleTypeList.push_back(type);
            combo.MultiSampleQualityList.push_back(quality);
        }
    }
}

void CDeviceEnumeration::BuildDSMSConflictList(DeviceCombo& combo) {
    for (D3DFORMAT ds : combo.DepthStencilFormatList)
        for (uint32_t ms : combo.MultiSampleTypeList)
            if (!m_pD3D->CheckMultiSample(int(combo.AdapterOrdinal), combo.DevType, ds, combo.IsWindowed, ms, nullptr))
                combo.DSMSConflictList.push_back({ds, ms});
}

void CDeviceEnumeration::BuildVertexProcessingTypeList(const DeviceInfo& device, DeviceCombo& combo) {
    auto accept = [&](uint32_t type) {
        return !m_pConfirmDeviceCallback ||
               m_pConfirmDeviceCallback(device.Caps, type, combo.AdapterFormat, combo.BackBufferFormat);
    };
    std::vector<uint32_t> candidates;
    if (device.Caps.devCaps & DEVCAPS_HWTRANSFORMANDLIGHT) {
        if (device.Caps.devCaps & DEVCAPS_PUREDEVICE) candidates.push_back(PURE_HARDWARE_VP);
        candidates.push_back(HARDWARE_VP);
        if (AppUsesMixedVP) candidates.push_back(MIXED_VP);
    }
    candidates.push_back(SOFTWARE_VP);
    for (uint32_t t : candidates)
        if (accept(t)) combo.VertexProcessingTypeList.push_back(t);
}

void CDeviceEnumeration::BuildPresentIntervalList(const DeviceInfo& device, DeviceCombo& combo) {
    const uint32_t intervals[] = {PRESENT_INTERVAL_IMMEDIATE, PRESENT_INTERVAL_DEFAULT, PRESENT_INTERVAL_ONE,
                                  PRESENT_INTERVAL_TWO,       PRESENT_INTERVAL_THREE,   PRESENT_INTERVAL_FOUR};
    for (uint32_t pi : intervals) {
        if (combo.IsWindowed &&
            (pi == PRESENT_INTERVAL_TWO || pi == PRESENT_INTERVAL_THREE || pi == PRESENT_INTERVAL_FOUR))
            continue;
        if (pi == PRESENT_INTERVAL_DEFAULT || (device.Caps.presentationIntervals & pi))
            combo.PresentIntervalList.push_back(pi);
    }
}
