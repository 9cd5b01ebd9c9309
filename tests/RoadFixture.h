#pragma once
// The render road on the headless host: a framework object with a recording
// device, an application that logs its hooks together with the render target
// they ran on, four pages (the fourth is the battle page) and an archive
// holding the post-process effect.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "FrameworkFixture.h"
#include "engine/DrawFrame.h"
#include "platform/Random.h"
#include "engine/VxBillboard.h"
#include "engine/VxPage.h"
#include "engine/VxXApplication.h"
#include "engine/framework/MyD3DApplication.h"
#include "engine/framework/RenderTargets.h"
#include "platform/SoundManager.h"
#include "platform/ZipPassword.h"
#include "platform/host/RecordingDevice.h"
#include "tools/assetpack/ZipWriter.h"

namespace road {

constexpr const char* kEffectText =
    "// test effect\n"
    "texture RenderTargetTexture;\n"
    "sampler S = sampler_state { Texture = <RenderTargetTexture>; };\n"
    "technique PostProcessMotionBlur { pass P0 { ZEnable = false; } }\n";

struct Log {
    std::vector<std::string> events;
    host::GraphicsDevice* device = nullptr;
    // "name@target" with the render target the hook ran on.
    void Note(const std::string& what) {
        events.push_back(what + "@" + std::to_string(device ? device->RenderTarget() : 0u));
    }
    int Count(const std::string& prefix) const {
        int n = 0;
        for (const auto& e : events)
            if (e.compare(0, prefix.size(), prefix) == 0) ++n;
        return n;
    }
};

class RoadApp : public CVxXApplication {
public:
    explicit RoadApp(Log* log) : m_log(log) {
        m_bRunWorkersInline = true;
        m_iWindowWidth = 800;
        m_iWindowHeight = 600;
        m_iScreenWidth = 880;
        m_iScreenHeight = 640;
    }
    void DrawLoadingScreen() override { m_log->Note("loading"); }
    void UpdateOverlays() override { m_log->Note("overlays"); }
    int ProcessInput() override {
        m_log->Note("input");
        return CVxXApplication::ProcessInput();
    }
    void OnTimer() override { m_log->Note("timer"); }
    void OnDeactivate() override { m_log->Note("deactivate"); }
    int LoadResources() override {
        m_log->Note("load");
        return CVxXApplication::LoadResources();
    }

private:
    Log* m_log;
};

class LogPage : public CVxPage {
public:
    LogPage(std::string name, Log* log) : m_name(std::move(name)), m_log(log) {}
    int RenderScreen(int) override {
        m_log->Note(m_name);
        if (onRender) onRender();
        return 0;
    }
    std::function<void()> onRender;

private:
    std::string m_name;
    Log* m_log;
};

class RoadFixture : public FrameworkFixture {
protected:
    void SetUp() override {
        FrameworkFixture::SetUp();
        m_dir = std::filesystem::temp_directory_path() /
                ("csq_road_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
        g_GameRoadLinks = GameRoadLinks{};
        g_bApplyFullscreenAtStart = 1;
        g_bStageRedraw = false;
        g_bScreenDimOn = false;
        g_fScreenDim = 1.0f;
        VxSrand(1);
    }
    void TearDown() override {
        // Closing the window releases the device resources and deletes the application.
        if (framework && framework->Window())
            framework->HandleMessage(framework->Window(), host::WM_CLOSE, 0, 0);
        framework.reset();
        delete g_pApp;
        pages.clear();
        g_GameRoadLinks = GameRoadLinks{};
        g_bStageRedraw = false;
        g_bScreenDimOn = false;
        g_fScreenDim = 1.0f;
        std::filesystem::remove_all(m_dir);
        FrameworkFixture::TearDown();
    }

    std::string WriteArchive(const std::string& effectText, bool withEffect = true) {
        ZipWriter zip;
        ZipWriteOptions sealed;
        sealed.password = g_szZipPassword;
        zip.AddDirectory("Resource/");
        zip.AddDirectory("Resource/HLSL/");
        if (withEffect) zip.AddFile("Resource/HLSL/BasicHLSL.fx", effectText, sealed);
        std::string path = (m_dir / "DATA").string();
        EXPECT_TRUE(zip.WriteTo(path));
        return path;
    }

    // Builds the application (pages 0 to 3) and creates the window and device.
    HRESULT Start(const std::string& effectText = kEffectText, bool withEffect = true) {
        app = new RoadApp(&log);
        app->OpenResourceArchive(WriteArchive(effectText, withEffect));
        for (const char* name : {"logo", "menu", "story", "battle"})
            pages.push_back(std::make_unique<LogPage>(name, &log));
        framework = std::make_unique<CMyD3DApplication>();
        framework->m_pszWindowTitle = u"Cogsquall";
        framework->m_dwCreationWidth = 800;
        framework->m_dwCreationHeight = 600;
        HRESULT hr = framework->Create();
        device = video.device;
        log.device = device;
        return hr;
    }

    // One frame as the gate runs it (without the present).
    void Frame() {
        services.clock.Advance(16666667);
        framework->Render();
    }

    // Draws made to `target` since `from`.
    std::vector<const host::DrawRecord*> DrawsTo(host::TextureHandle target, size_t from = 0) const {
        std::vector<const host::DrawRecord*> out;
        for (size_t i = from; i < device->draws.size(); ++i)
            if (device->draws[i].target == target) out.push_back(&device->draws[i]);
        return out;
    }
    // Composition draws: the post-process program on the back buffer.
    std::vector<const host::DrawRecord*> Compositions(size_t from = 0) const {
        std::vector<const host::DrawRecord*> out;
        for (const auto* d : DrawsTo(0, from))
            if (d->state.shader == host::SHADER_POSTPROCESS) out.push_back(d);
        return out;
    }
    std::string Target(host::TextureHandle t) const { return std::to_string(t); }

    std::filesystem::path m_dir;
    Log log;
    RoadApp* app = nullptr;  // deleted by the framework with its device resources
    std::vector<std::unique_ptr<LogPage>> pages;
    std::unique_ptr<CMyD3DApplication> framework;
    host::RecordingDevice* device = nullptr;
};

}  // namespace road
