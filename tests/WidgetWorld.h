#pragma once
// A headless application drawing into the recording device, with a small
// resource archive of generated pictures and scripts and the sound manager on
// the headless audio device. Widget tests build on it.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "engine/VxBillboard.h"
#include "engine/VxTexture.h"
#include "platform/ResourceArchive.h"
#include "platform/SoundManager.h"
#include "platform/host/RecordingDevice.h"
#include "tests/Harness.h"
#include "tools/assetpack/ZipWriter.h"

namespace widgets {

// The platform's cull mapping, so draws carry the cull state objects ask for.
class DeviceApplication : public harness::TestApplication {
public:
    void SetCullMode(int mode) override {
        CVxObject::SetCullMode(mode);
        if (!m_pDevice) return;
        if (mode == CULL_NONE) m_pDevice->SetRenderState(host::RS_CULLMODE, host::CULL_NONE);
        if (mode == CULL_CW) m_pDevice->SetRenderState(host::RS_CULLMODE, host::CULL_CW);
        if (mode == CULL_CCW) m_pDevice->SetRenderState(host::RS_CULLMODE, host::CULL_CCW);
    }
};

// An uncompressed 32-bit TGA, rows top first; pixel(x, y) gives RGBA.
template <class F>
std::vector<uint8_t> MakeTga(int width, int height, F pixel) {
    std::vector<uint8_t> out(18, 0);
    out[2] = 2;
    out[12] = uint8_t(width & 0xFF);
    out[13] = uint8_t(width >> 8);
    out[14] = uint8_t(height & 0xFF);
    out[15] = uint8_t(height >> 8);
    out[16] = 32;
    out[17] = 0x28;  // top-left origin, 8 alpha bits
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t rgba = pixel(x, y);
            out.push_back(uint8_t(rgba >> 8));   // b
            out.push_back(uint8_t(rgba >> 16));  // g
            out.push_back(uint8_t(rgba >> 24));  // r
            out.push_back(uint8_t(rgba));        // a
        }
    return out;
}

inline std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// A mono 16-bit RIFF/WAVE image of n samples.
inline std::vector<uint8_t> MakeWave(int samples) {
    auto le32 = [](std::vector<uint8_t>& v, uint32_t x) {
        for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
    };
    auto le16 = [](std::vector<uint8_t>& v, uint16_t x) {
        v.push_back(uint8_t(x));
        v.push_back(uint8_t(x >> 8));
    };
    std::vector<uint8_t> w;
    const uint32_t data = uint32_t(samples) * 2;
    w.insert(w.end(), {'R', 'I', 'F', 'F'});
    le32(w, 36 + data);
    w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    le32(w, 16);
    le16(w, 1);
    le16(w, 1);
    le32(w, 22050);
    le32(w, 44100);
    le16(w, 2);
    le16(w, 16);
    w.insert(w.end(), {'d', 'a', 't', 'a'});
    le32(w, data);
    for (int i = 0; i < samples; ++i) le16(w, uint16_t((i % 50) * 400));
    return w;
}

class WidgetWorld {
public:
    using Files = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

    explicit WidgetWorld(const Files& files = {}) {
        app.m_pDevice = &device;
        app.m_iScreenWidth = 880;
        app.m_iScreenHeight = 640;
        g_bStageRedraw = false;
        g_bScreenDimOn = false;
        g_fScreenDim = 1.0f;
        g_bLooseFiles = false;
        dir = std::filesystem::temp_directory_path() /
              ("csq_widgets_" + std::to_string(::getpid()) + "_" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        ZipWriter zip;
        std::vector<std::string> folders;
        zip.AddDirectory("Resource/");
        folders.push_back("Resource/");
        for (const auto& f : files) {
            std::string folder = f.first.substr(0, f.first.rfind('/') + 1);
            bool known = false;
            for (const auto& k : folders) known = known || k == folder;
            if (!known) {
                zip.AddDirectory(folder);
                folders.push_back(folder);
            }
            ZipWriteOptions o;
            o.password = g_szZipPassword;
            zip.AddFile(f.first, f.second, o);
        }
        const std::string path = (dir / "DATA").string();
        zip.WriteTo(path);
        archive.OpenResourceArchive(path);
        sounds.Initialize();
        g_pSoundManager = &sounds;
    }
    ~WidgetWorld() {
        g_pSoundManager = nullptr;
        g_bScreenDimOn = false;
        g_fScreenDim = 1.0f;
        std::filesystem::remove_all(dir);
    }
    WidgetWorld(const WidgetWorld&) = delete;
    WidgetWorld& operator=(const WidgetWorld&) = delete;

    host::HeadlessHost host;
    host::RecordingDevice device{800, 600};

private:
    // Device textures let go while the application goes are freed before the device.
    struct ReleasedTextureFlush {
        ~ReleasedTextureFlush() { CVxTexture::FreeReleasedTextures(); }
    } m_flush;

public:
    DeviceApplication app;
    std::filesystem::path dir;
    ResourceArchive archive;
    SoundManager sounds;
};

}  // namespace widgets
