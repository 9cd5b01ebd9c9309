#pragma once
// A drawing device for headless runs that draws nothing and remembers what
// it was asked: whether each uploaded picture has see-through pixels, which
// textures were drawn, and which see-through ones were drawn without
// blending. RecordedRun is a stage run whose drawing code draws into one.
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "game/GameApplication.h"
#include "platform/host/GraphicsDevice.h"
#include "tools/stagerun/StageRun.h"

// Keeps no pixels, only whether each texture has a pixel that is not fully opaque.
class RecordingDevice : public host::GraphicsDevice {
public:
    host::TextureHandle CreateTexture(int width, int height, const uint8_t* rgba) override {
        const host::TextureHandle h = ++m_next;
        bool clear = false;
        for (size_t i = 0, n = size_t(width) * size_t(height); rgba && i < n && !clear; ++i)
            clear = rgba[i * 4 + 3] < 255;
        m_seeThrough[h] = clear;
        m_size[h] = {width, height};
        return h;
    }
    host::TextureHandle CreateRenderTarget(int width, int height) override {
        const host::TextureHandle h = ++m_next;
        m_size[h] = {width, height};
        return h;
    }
    void ReleaseTexture(host::TextureHandle) override {}
    bool TextureSize(host::TextureHandle t, int& w, int& h) const override {
        auto it = m_size.find(t);
        if (it == m_size.end()) return false;
        w = it->second.first, h = it->second.second;
        return true;
    }
    void SetRenderTarget(host::TextureHandle target) override { m_target = target; }
    void Clear(uint32_t, uint32_t, float) override {}
    bool BeginScene() override { return true; }
    bool EndScene() override { return true; }
    void DrawPrimitiveUP(uint32_t, uint32_t, const host::Vertex*) override { NoteDraw(); }
    void DrawPrimitiveUP(uint32_t, uint32_t, const host::VertexRHW*) override { NoteDraw(); }
    void Present() override {}
    bool Reset(const host::PresentParameters&) override { return true; }
    int BackBufferWidth() const override { return 880; }
    int BackBufferHeight() const override { return 640; }
    int MaxTextureSize() const override { return 4096; }
    int64_t AvailableTextureMemory() const override { return -1; }
    bool ReadBackBuffer(std::vector<uint8_t>&, int&, int&) override { return false; }

    std::set<host::TextureHandle> unblended;  // see-through textures drawn without blending
    std::set<host::TextureHandle> drawn;
    std::vector<host::TextureHandle> sequence;  // every draw's texture, in order
    int draws = 0;

private:
    void NoteDraw() {
        ++draws;
        const host::TextureHandle t = State().texture;
        drawn.insert(t);
        sequence.push_back(t);
        auto it = m_seeThrough.find(t);
        if (it != m_seeThrough.end() && it->second && GetRenderState(host::RS_ALPHABLENDENABLE) == 0)
            unblended.insert(t);
    }
    host::TextureHandle m_next = 0;
    std::map<host::TextureHandle, bool> m_seeThrough;
    std::map<host::TextureHandle, std::pair<int, int>> m_size;
};

// A headless run whose drawing code draws into the recording device.
class RecordedRun : public StageRun {
public:
    RecordedRun(const StageRunOptions& o, RecordingDevice* d) : StageRun(o), m_device(d) {}
    ~RecordedRun() override {
        if (m_pApp) m_pApp->m_pDevice = nullptr;
    }

protected:
    bool CreateApplication() override {
        if (!StageRun::CreateApplication()) return false;
        m_pApp->m_pDevice = m_device;
        return true;
    }

private:
    RecordingDevice* m_device;
};
