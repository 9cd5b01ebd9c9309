#pragma once
// Headless test harness: an application on the headless host (virtual clock,
// recording message boxes), fake pages that log their handlers, frame stepping
// on the virtual clock and input injection. Page switches run on a real worker
// thread, joined before the step returns, so each run is the same.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/InputRecord.h"
#include "engine/VxApplication.h"
#include "engine/VxButton.h"
#include "engine/VxPage.h"
#include "engine/VxResourceManager.h"
#include "platform/host/Headless.h"
#include "platform/host/Thread.h"

namespace harness {

// Application with the platform hooks recorded instead of reaching a device.
class TestApplication : public CVxApplication {
public:
    void OnBeginFrame() override { log.push_back("begin"); }
    void OnBeginFrameLate() override {}
    void OnEndFrame() override { log.push_back("end"); }
    void OnFrameWithoutPage() override { log.push_back("nopage"); }
    void ApplyCamera() override { ++cameraApplied; }
    void PublishFrameCount() override {}
    void BeforePageRelease() override {}
    void PublishFrameCountMode2() override {}
    void BlockSubScreenChanges() override { m_bBlockSubScreenChanges = true; }
    void SetLight(int, bool) override {}
    void SetAmbientColor(float, float, float, float) override {}
    void EnableLighting(bool) override {}
    void DrawTextAt(const char* text, int x, int y, float, float, float, float) override {
        texts.push_back({text ? text : "", {x, y}});
    }

    std::vector<std::string> log;
    int cameraApplied = 0;
    std::vector<std::pair<std::string, std::pair<int, int>>> texts;
};

// A page that logs every handler as "<page>:<handler>:<sub-screen>".
class FakePage : public CVxPage {
public:
    FakePage(std::string name, std::vector<std::string>* log) : m_name(std::move(name)), m_log(log) {}

    int Load() override { return Note("Load", -1), 0; }
    int Unload() override { return Note("Unload", -1), 0; }
    void LoadScreen(int k) override { Note("LoadScreen", k); }
    void ReleaseScreen(int k) override { Note("ReleaseScreen", k); }
    int UpdateScreen(int k) override { return Note("Update", k), 0; }
    int RenderScreen(int k) override { return Note("Render", k), 0; }
    int RenderScreenOverlay(int k) override { return Note("Overlay", k), 0; }
    int HandleScreenInput(int k) override { return Note("Input", k), 0; }

    int Count(const std::string& entry) const {
        int n = 0;
        for (const auto& e : *m_log)
            if (e == m_name + ":" + entry) ++n;
        return n;
    }

private:
    void Note(const char* what, int k) {
        std::string e = m_name + ":" + what;
        if (k >= 0) e += ":" + std::to_string(k);
        m_log->push_back(e);
    }
    std::string m_name;
    std::vector<std::string>* m_log;
};

// A button that counts how often the page drives and draws it.
class CountingButton : public CVxButton {
public:
    explicit CountingButton(int tag) : CVxButton(tag) {}
    void ProcessInput() override { ++driven; }
    void Render() override { ++drawn; }
    int driven = 0;
    int drawn = 0;
};

class Harness {
public:
    Harness() = default;
    ~Harness() {
        pages.clear();  // pages leave the table before the application goes
    }

    FakePage& AddPage(const std::string& name) {
        pages.push_back(std::make_unique<FakePage>(name, &pageLog));
        return *pages.back();
    }

    // Marks the application initialised and loads the current page, as the
    // device's resource creation does.
    void Start() {
        app.m_bInitialised = true;
        if (CVxPage* page = app.PageAt(app.m_iCurrentPage)) {
            if (page->CreateResourceManager() == 0) {
                page->Load();
                page->LoadSubScreens();
            }
        }
    }

    // One frame: virtual time moves on; a pending switch is carried out on a
    // worker (only the loading screen that frame); otherwise the frame counter
    // rises, input reaches the page after its first ten frames, the per-frame
    // input bits are cleared and the page's frame runs.
    void Step() {
        host.clock.Advance(16666667);
        if (app.m_bSwitchPending) {
            host::Thread worker;
            worker.Start([this] { app.DoSwitchPage(); }, host::ThreadPriority::Highest);
            worker.Join();
            app.DrawLoadingScreen();
            ++switchesRun;
            return;
        }
        ++app.m_nFrame;
        if (CVxPage* page = app.CurrentPage(); page && app.m_bInputEnabled && app.m_nFrame > 10)
            page->HandleInput();
        EndInputStep();
        app.Frame();
    }

    void Steps(int n) {
        for (int i = 0; i < n; ++i) Step();
    }

    // Input as the window-message handler records it (device 0).
    void MoveCursor(int x, int y) {
        app.m_aInput[0].m_iCursorX = x;
        app.m_aInput[0].m_iCursorY = y;
    }
    void KeyDown(int key) {
        InputRecord& in = app.m_aInput[0];
        in.m_aiKey[key] |= KEY_HELD;
        if (in.m_aiRepeat[key] == 0) in.m_aiKey[key] |= KEY_PRESSED;
        ++in.m_aiRepeat[key];
    }
    void KeyUp(int key) {
        app.m_aInput[0].m_aiKey[key] = KEY_RELEASED;
        app.m_aInput[0].m_aiRepeat[key] = 0;
    }
    void Click(int x, int y) {
        MoveCursor(x, y);
        KeyDown(MOUSE_LEFT);
    }

    host::HeadlessHost host;
    TestApplication app;
    std::vector<std::string> pageLog;
    std::vector<std::unique_ptr<FakePage>> pages;
    int switchesRun = 0;

private:
    void EndInputStep() {
        for (InputRecord& in : app.m_aInput)
            for (int k = 0; k < 256; ++k) {
                in.m_aiKey[k] &= ~KEY_PRESSED;
                if (in.m_aiKey[k] & KEY_RELEASED) {
                    in.m_aiKey[k] = 0;
                    in.m_aiRepeat[k] = 0;
                }
            }
    }
};

}  // namespace harness
