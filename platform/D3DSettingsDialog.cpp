#include "platform/D3DSettingsDialog.h"

#include <algorithm>
#include <cstdio>

#include "platform/FormatNames.h"

namespace {

std::u16string Format(const char* fmt, int a, int b = 0) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, a, b);
    return Utf8ToWide(buf);
}

uint64_t SizeKey(uint32_t w, uint32_t h) { return (uint64_t(w) << 32) | h; }

}  // namespace

std::u16string DeviceTypeName(uint32_t type) {
    switch (type) {
    case 1: return u"D3DDEVTYPE_HAL";
    case 2: return u"D3DDEVTYPE_REF";
    case 3: return u"D3DDEVTYPE_SW";
    default: return u"Unknown devType";
    }
}

std::u16string VertexProcessingTypeName(uint32_t type) {
    switch (type) {
    case SOFTWARE_VP: return u"SOFTWARE_VP";
    case MIXED_VP: return u"MIXED_VP";
    case HARDWARE_VP: return u"HARDWARE_VP";
    case PURE_HARDWARE_VP: return u"PURE_HARDWARE_VP";
    default: return u"Unknown VertexProcessingType";
    }
}

std::u16string PresentIntervalName(uint32_t interval) {
    switch (interval) {
    case PRESENT_INTERVAL_IMMEDIATE: return u"D3DPRESENT_INTERVAL_IMMEDIATE";
    case PRESENT_INTERVAL_DEFAULT: return u"D3DPRESENT_INTERVAL_DEFAULT";
    case PRESENT_INTERVAL_ONE: return u"D3DPRESENT_INTERVAL_ONE";
    case PRESENT_INTERVAL_TWO: return u"D3DPRESENT_INTERVAL_TWO";
    case PRESENT_INTERVAL_THREE: return u"D3DPRESENT_INTERVAL_THREE";
    case PRESENT_INTERVAL_FOUR: return u"D3DPRESENT_INTERVAL_FOUR";
    default: return u"Unknown PresentInterval";
    }
}

bool ComboBoxModel::SelectByData(uint64_t data) {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].data == data) {
            selected = int(i);
            return true;
        }
    return false;
}

int ComboBoxModel::FindText(const std::u16string& text) const {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].text == text) return int(i);
    return -1;
}

CD3DSettingsDialog::CD3DSettingsDialog(CDeviceEnumeration* enumeration, const DeviceSettings& settings)
    : m_pEnumeration(enumeration), m_d3dSettings(settings) {}

ComboBoxModel& CD3DSettingsDialog::Combo(int control) {
    static const int ids[12] = {IDC_DEVICE_COMBO,
                                IDC_ADAPTER_COMBO,
                                IDC_ADAPTERFORMAT_COMBO,
                                IDC_RESOLUTION_COMBO,
                                IDC_MULTISAMPLE_COMBO,
                                IDC_REFRESHRATE_COMBO,
                                IDC_BACKBUFFERFORMAT_COMBO,
                                IDC_DEPTHSTENCILBUFFERFORMAT_COMBO,
                                IDC_VERTEXPROCESSING_COMBO,
                                IDC_PRESENTINTERVAL_COMBO,
                                IDC_MULTISAMPLE_QUALITY_COMBO,
                                0};
    for (int i = 0; i < 11; ++i)
        if (ids[i] == control) return m_combos[i];
    return m_combos[11];
}

void CD3DSettingsDialog::Reselect(ComboBoxModel& combo, uint64_t previous) {
    if (!combo.SelectByData(previous)) combo.SelectByPosition(0);
}

void CD3DSettingsDialog::OnInitDialog() {
    ComboBoxModel& c = Combo(IDC_ADAPTER_COMBO);
    c.Clear();
    for (auto& a : m_pEnumeration->m_pAdapterInfoList) c.Add(Utf8ToWide(a->Description), a->AdapterOrdinal);
    const AdapterInfo* current = m_d3dSettings.PAdapterInfo();
    Reselect(c, current ? current->AdapterOrdinal : 0);
    AdapterChanged();
}

void CD3DSettingsDialog::Select(int control, int position) {
    Combo(control).SelectByPosition(position);
    switch (control) {
    case IDC_ADAPTER_COMBO: AdapterChanged(); break;
    case IDC_DEVICE_COMBO: DeviceChanged(); break;
    case IDC_ADAPTERFORMAT_COMBO: AdapterFormatChanged(); break;
    case IDC_RESOLUTION_COMBO: ResolutionChanged(); break;
    case IDC_REFRESHRATE_COMBO: RefreshRateChanged(); break;
    case IDC_BACKBUFFERFORMAT_COMBO: BackBufferFormatChanged(); break;
    case IDC_DEPTHSTENCILBUFFERFORMAT_COMBO: DepthStencilBufferFormatChanged(); break;
    case IDC_MULTISAMPLE_COMBO: MultisampleTypeChanged(); break;
    case IDC_MULTISAMPLE_QUALITY_COMBO: MultisampleQualityChanged(); break;
    case IDC_VERTEXPROCESSING_COMBO: VertexProcessingChanged(); break;
    case IDC_PRESENTINTERVAL_COMBO: PresentIntervalChanged(); break;
    default: break;
    }
}

void CD3DSettingsDialog::SetWindowed(bool windowed) {
    if ((windowed && !m_bWindowedEnabled) || (!windowed && !m_bFullscreenEnabled)) return;
    m_d3dSettings.IsWindowed = windowed;
    WindowedFullscreenChanged();
}

int CD3DSettingsDialog::End(int button) { return button == 1 ? 1 : 2; }

void CD3DSettingsDialog::AdapterChanged() {
    const ComboBoxModel& a = Combo(IDC_ADAPTER_COMBO);
    if (!a.HasSelection()) return;
    AdapterInfo* adapter = nullptr;
    for (auto& ai : m_pEnumeration->m_pAdapterInfoList)
        if (ai->AdapterOrdinal == a.SelectedData()) adapter = ai.get();
    if (!adapter) return;
    m_d3dSettings.PAdapterInfo() = adapter;
    // The windowed display mode is the adapter's desktop; keep the one we have.
    ComboBoxModel& d = Combo(IDC_DEVICE_COMBO);
    d.Clear();
    for (auto& di : adapter->DeviceInfoList) d.Add(DeviceTypeName(di->DevType), di->DevType);
    const DeviceInfo* current = m_d3dSettings.PDeviceInfo();
    Reselect(d, current ? current->DevType : 0);
    DeviceChanged();
}

void CD3DSettingsDialog::DeviceChanged() {
    const ComboBoxModel& d = Combo(IDC_DEVICE_COMBO);
    AdapterInfo* adapter = m_d3dSettings.PAdapterInfo();
    if (!d.HasSelection() || !adapter) return;
    DeviceInfo* device = nullptr;
    for (auto& di : adapter->DeviceInfoList)
        if (di->DevType == d.SelectedData()) device = di.get();
    if (!device) return;
    m_d3dSettings.PDeviceInfo() = device;
    m_bWindowedEnabled = m_bFullscreenEnabled = false;
    for (auto& c : device->DeviceComboList) (c->IsWindowed ? m_bWindowedEnabled : m_bFullscreenEnabled) = true;
    if (m_d3dSettings.IsWindowed && !m_bWindowedEnabled) m_d3dSettings.IsWindowed = false;
    if (!m_d3dSettings.IsWindowed && !m_bFullscreenEnabled) m_d3dSettings.IsWindowed = true;
    // Both halves follow the adapter and device chosen here.
    m_d3dSettings.pWindowed_AdapterInfo = m_d3dSettings.pFullscreen_AdapterInfo = adapter;
    m_d3dSettings.pWindowed_DeviceInfo = m_d3dSettings.pFullscreen_DeviceInfo = device;
    WindowedFullscreenChanged();
}

void CD3DSettingsDialog::WindowedFullscreenChanged() {
    DeviceInfo* device = m_d3dSettings.PDeviceInfo();
    if (!device) return;
    ComboBoxModel& f = Combo(IDC_ADAPTERFORMAT_COMBO);
    const D3DFORMAT previous = m_d3dSettings.Mode().format;
    f.Clear();
    if (m_d3dSettings.IsWindowed) {
        f.Add(D3DFormatName(m_d3dSettings.Windowed_DisplayMode.format, true),
              m_d3dSettings.Windowed_DisplayMode.format);
    } else {
        for (auto& c : device->DeviceComboList) {
            if (c->IsWindowed) continue;
            bool listed = std::any_of(f.items.begin(), f.items.end(),
                                      [&](const ComboBoxModel::Item& i) { return i.data == c->AdapterFormat; });
            if (!listed) f.Add(D3DFormatName(c->AdapterFormat, true), c->AdapterFormat);
        }
    }
    Reselect(f, previous);
    AdapterFormatChanged();
}

void CD3DSettingsDialog::AdapterFormatChanged() {
    const ComboBoxModel& f = Combo(IDC_ADAPTERFORMAT_COMBO);
    if (!f.HasSelection()) return;
    const D3DFORMAT format = D3DFORMAT(f.SelectedData());
    ComboBoxModel& r = Combo(IDC_RESOLUTION_COMBO);
    r.Clear();
    if (m_d3dSettings.IsWindowed) {
        const DisplayMode& m = m_d3dSettings.Windowed_DisplayMode;
        r.Add(Format("%d by %d", int(m.width), int(m.height)), SizeKey(m.width, m.height));
        r.SelectByPosition(0);
        r.enabled = false;
    } else {
        m_d3dSettings.Fullscreen_DisplayMode.format = format;
        for (const DisplayMode& m : m_d3dSettings.PAdapterInfo()->DisplayModeList) {
            if (m.format != format) continue;
            const uint64_t key = SizeKey(m.width, m.height);
            bool listed = std::any_of(r.items.begin(), r.items.end(),
                                      [&](const ComboBoxModel::Item& i) { return i.data == key; });
            if (!listed) r.Add(Format("%d by %d", int(m.width), int(m.height)), key);
        }
        const DisplayMode& cur = m_d3dSettings.Fullscreen_DisplayMode;
        Reselect(r, SizeKey(cur.width, cur.height));
        r.enabled = true;
    }
    ResolutionChanged();
}

void CD3DSettingsDialog::ResolutionChanged() {
    const ComboBoxModel& r = Combo(IDC_RESOLUTION_COMBO);
    if (!r.HasSelection()) return;
    ComboBoxModel& rr = Combo(IDC_REFRESHRATE_COMBO);
    rr.Clear();
    auto rateText = [](uint32_t hz) { return hz == 0 ? std::u16string(u"Default Rate") : Format("%d Hz", int(hz)); };
    if (m_d3dSettings.IsWindowed) {
        rr.Add(rateText(m_d3dSettings.Windowed_DisplayMode.refreshRate),
               m_d3dSettings.Windowed_DisplayMode.refreshRate);
        rr.SelectByPosition(0);
        rr.enabled = false;
    } else {
        DisplayMode& mode = m_d3dSettings.Fullscreen_DisplayMode;
        mode.width = uint32_t(r.SelectedData() >> 32);
        mode.height = uint32_t(r.SelectedData() & 0xFFFFFFFFu);
        for (const DisplayMode& m : m_d3dSettings.PAdapterInfo()->DisplayModeList)
            if (m.format == mode.format && m.width == mode.width && m.height == mode.height)
                rr.Add(rateText(m.refreshRate), m.refreshRate);
        Reselect(rr, mode.refreshRate);
        rr.enabled = true;
    }
    RefreshRateChanged();
}

void CD3DSettingsDialog::RefreshRateChanged() {
    const ComboBoxModel& rr = Combo(IDC_REFRESHRATE_COMBO);
    if (!rr.HasSelection()) return;
    if (!m_d3dSettings.IsWindowed) m_d3dSettings.Fullscreen_DisplayMode.refreshRate = uint32_t(rr.SelectedData());
    ComboBoxModel& b = Combo(IDC_BACKBUFFERFORMAT_COMBO);
    const DeviceCombo* current = m_d3dSettings.PDeviceCombo();
    b.Clear();
    for (auto& c : m_d3dSettings.PDeviceInfo()->DeviceComboList)
        if (c->IsWindowed == m_d3dSettings.IsWindowed && c->AdapterFormat == m_d3dSettings.Mode().format)
            b.Add(D3DFormatName(c->BackBufferFormat, true), c->BackBufferFormat);
    Reselect(b, current ? current->BackBufferFormat : 0);
    BackBufferFormatChanged();
}

void CD3DSettingsDialog::BackBufferFormatChanged() {
    const ComboBoxModel& b = Combo(IDC_BACKBUFFERFORMAT_COMBO);
    if (!b.HasSelection()) return;
    DeviceCombo* combo = nullptr;
    for (auto& c : m_d3dSettings.PDeviceInfo()->DeviceComboList)
        if (c->IsWindowed == m_d3dSettings.IsWindowed && c->AdapterFormat == m_d3dSettings.Mode().format &&
            c->BackBufferFormat == b.SelectedData())
            combo = c.get();
    if (!combo) return;
    m_d3dSettings.PDeviceCombo() = combo;

    ComboBoxModel& ds = Combo(IDC_DEPTHSTENCILBUFFERFORMAT_COMBO);
    ds.Clear();
    if (m_pEnumeration->AppUsesDepthBuffer) {
        for (D3DFORMAT f : combo->DepthStencilFormatList) ds.Add(D3DFormatName(f, true), f);
        Reselect(ds, m_d3dSettings.DepthStencilBufferFormat());
        ds.enabled = true;
    } else {
        ds.Add(u"(not used)", 0);
        ds.SelectByPosition(0);
        ds.enabled = false;
    }
    DepthStencilBufferFormatChanged();

    ComboBoxModel& vp = Combo(IDC_VERTEXPROCESSING_COMBO);
    vp.Clear();
    for (uint32_t t : combo->VertexProcessingTypeList) vp.Add(VertexProcessingTypeName(t), t);
    Reselect(vp, m_d3dSettings.VertexProcessingType());
    VertexProcessingChanged();

    ComboBoxModel& pi = Combo(IDC_PRESENTINTERVAL_COMBO);
    pi.Clear();
    for (uint32_t i : combo->PresentIntervalList) pi.Add(PresentIntervalName(i), i);
    Reselect(pi, m_d3dSettings.PresentInterval());
    PresentIntervalChanged();
}

void CD3DSettingsDialog::DepthStencilBufferFormatChanged() {
    const ComboBoxModel& ds = Combo(IDC_DEPTHSTENCILBUFFERFORMAT_COMBO);
    DeviceCombo* combo = m_d3dSettings.PDeviceCombo();
    if (!ds.HasSelection() || !combo) return;
    const D3DFORMAT dsFormat = D3DFORMAT(ds.SelectedData());
    if (m_pEnumeration->AppUsesDepthBuffer) m_d3dSettings.DepthStencilBufferFormat() = dsFormat;
    ComboBoxModel& ms = Combo(IDC_MULTISAMPLE_COMBO);
    ms.Clear();
    for (uint32_t type : combo->MultiSampleTypeList) {
        bool conflict = std::any_of(combo->DSMSConflictList.begin(), combo->DSMSConflictList.end(),
                                    [&](const DSMSConflict& c) { return c.dsFormat == dsFormat && c.msType == type; });
        if (!conflict) ms.Add(MultisampleTypeName(type), type);
    }
    Reselect(ms, m_d3dSettings.MultisampleType());
    MultisampleTypeChanged();
}

void CD3DSettingsDialog::MultisampleTypeChanged() {
    const ComboBoxModel& ms = Combo(IDC_MULTISAMPLE_COMBO);
    DeviceCombo* combo = m_d3dSettings.PDeviceCombo();
    if (!ms.HasSelection() || !combo) return;
    const uint32_t type = uint32_t(ms.SelectedData());
    m_d3dSettings.MultisampleType() = type;
    uint32_t levels = 0;
    for (size_t i = 0; i < combo->MultiSampleTypeList.size(); ++i)
        if (combo->MultiSampleTypeList[i] == type && i < combo->MultiSampleQualityList.size())
            levels = combo->MultiSampleQualityList[i];
    ComboBoxModel& q = Combo(IDC_MULTISAMPLE_QUALITY_COMBO);
    q.Clear();
    for (uint32_t l = 0; l < levels; ++l) q.Add(Format("%d", int(l)), l);
    Reselect(q, m_d3dSettings.MultisampleQuality());
    MultisampleQualityChanged();
}

void CD3DSettingsDialog::MultisampleQualityChanged() {
    const ComboBoxModel& q = Combo(IDC_MULTISAMPLE_QUALITY_COMBO);
    if (q.HasSelection()) m_d3dSettings.MultisampleQuality() = uint32_t(q.SelectedData());
}

void CD3DSettingsDialog::VertexProcessingChanged() {
    const ComboBoxModel& vp = Combo(IDC_VERTEXPROCESSING_COMBO);
    if (vp.HasSelection()) m_d3dSettings.VertexProcessingType() = uint32_t(vp.SelectedData());
}

void CD3DSettingsDialog::PresentIntervalChanged() {
    const ComboBoxModel& pi = Combo(IDC_PRESENTINTERVAL_COMBO);
    if (pi.HasSelection()) m_d3dSettings.PresentInterval() = uint32_t(pi.SelectedData());
}
