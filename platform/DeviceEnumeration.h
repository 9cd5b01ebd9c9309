#pragma once
// Lists, once at start-up, the displays, their modes, the device and the
// usable combinations of formats that meet the application's requirements.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/HResult.h"
#include "platform/host/Display.h"

using D3DFORMAT = uint32_t;
using host::DisplayMode;

// Vertex-processing types.
enum VertexProcessingType : uint32_t {
    SOFTWARE_VP = 0,
    MIXED_VP = 1,
    HARDWARE_VP = 2,
    PURE_HARDWARE_VP = 3,
};

constexpr uint32_t PRESENT_INTERVAL_IMMEDIATE = 0x80000000u;
constexpr uint32_t PRESENT_INTERVAL_DEFAULT = 0;
constexpr uint32_t PRESENT_INTERVAL_ONE = 1;
constexpr uint32_t PRESENT_INTERVAL_TWO = 2;
constexpr uint32_t PRESENT_INTERVAL_THREE = 4;
constexpr uint32_t PRESENT_INTERVAL_FOUR = 8;

constexpr uint32_t DEVCAPS_HWTRANSFORMANDLIGHT = 0x10000;
constexpr uint32_t DEVCAPS_PUREDEVICE = 0x100000;

struct DSMSConflict {
    D3DFORMAT dsFormat;
    uint32_t msType;
};

struct DeviceCombo {
    uint32_t AdapterOrdinal = 0;
    uint32_t DevType = 0;
    D3DFORMAT AdapterFormat = 0;
    D3DFORMAT BackBufferFormat = 0;
    bool IsWindowed = false;
    std::vector<D3DFORMAT> DepthStencilFormatList;
    std::vector<uint32_t> MultiSampleTypeList;
    std::vector<uint32_t> MultiSampleQualityList;
    std::vector<DSMSConflict> DSMSConflictList;
    std::vector<uint32_t> VertexProcessingTypeList;
    std::vector<uint32_t> PresentIntervalList;
};

struct DeviceInfo {
    uint32_t AdapterOrdinal = 0;
    uint32_t DevType = 0;
    host::DeviceCapsInfo Caps;
    std::vector<std::unique_ptr<DeviceCombo>> DeviceComboList;
};

struct AdapterInfo {
    uint32_t AdapterOrdinal = 0;
    std::string Description;
    std::vector<DisplayMode> DisplayModeList;
    std::vector<std::unique_ptr<DeviceInfo>> DeviceInfoList;
};

// (caps, vertex-processing type, adapter format, back-buffer format) → accept
using ConfirmDeviceFn = std::function<bool(const host::DeviceCapsInfo&, uint32_t, D3DFORMAT, D3DFORMAT)>;

uint32_t ColorChannelBits(D3DFORMAT fmt);
uint32_t AlphaChannelBits(D3DFORMAT fmt);
uint32_t DepthBits(D3DFORMAT fmt);
uint32_t StencilBits(D3DFORMAT fmt);
// Sort order of display modes: width, height, format, refresh rate.
int SortModesCallback(const DisplayMode& a, const DisplayMode& b);

class CDeviceEnumeration {
public:
    HRESULT Enumerate();
    // Why Enumerate found nothing, in words for whoever reads the log.
    std::string WhyNothingFound() const;

    host::VideoSystem* m_pD3D = nullptr;
    std::vector<std::unique_ptr<AdapterInfo>> m_pAdapterInfoList;
    ConfirmDeviceFn m_pConfirmDeviceCallback;
    uint32_t AppMinFullscreenWidth = 640;
    uint32_t AppMinFullscreenHeight = 480;
    uint32_t AppMinColorChannelBits = 5;
    uint32_t AppMinAlphaChannelBits = 0;
    uint32_t AppMinDepthBits = 15;
    uint32_t AppMinStencilBits = 0;
    bool AppUsesDepthBuffer = false;
    bool AppUsesMixedVP = false;
    bool AppRequiresWindowed = false;
    bool AppRequiresFullscreen = false;
    std::vector<D3DFORMAT> m_pAllowedAdapterFormatList;

private:
    HRESULT EnumerateDevices(AdapterInfo& adapter, const std::vector<D3DFORMAT>& adapterFormats);
    HRESULT EnumerateDeviceCombos(DeviceInfo& device, const std::vector<D3DFORMAT>& adapterFormats);
    void BuildDepthStencilFormatList(DeviceCombo& combo);
    void BuildMultiSampleTypeList(DeviceCombo& combo);
    void BuildDSMSConflictList(DeviceCombo& combo);
    void BuildVertexProcessingTypeList(const DeviceInfo& device, DeviceCombo& combo);
    void BuildPresentIntervalList(const DeviceInfo& device, DeviceCombo& combo);
};
