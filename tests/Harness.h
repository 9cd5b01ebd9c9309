#pragma once
// Headless test harness: an application on the headless host (virtual clock,
// recording message boxes), fake pages that log their handlers, frame stepping
// on the virtual clock and input injection through the window-message handler.
// Page switches run inline unless a test turns the workers back on.
#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/InputRecord.h"
#include "engine/VxApplication.h"
#include "engine/VxButton.h"
#include "engine/VxPage.h"
#include "engine/VxResourceManager.h"
#include "engine/VxXApplication.h"
#include "platform/host/Headless.h"
#include "platform/host/Thread.h"
#include "platform/host/WindowMessage.h"

namespace harness {

// Application with the platform hooks recorded instead of reaching a device.
class TestApplication : public CVxXApplication {
public:
    void DrawLoadingScreen() override { ++loadingScreens; }
    void OnBeginFrame() override { log.push_back("begin"); }
    void OnBeginFrameLate() override {}
    void OnEndFrame() override { log.push_back("end"); }
    void OnFrameWithoutPage() override { log.push_back("nopage"); }
    void ApplyCamera() override { ++cameraApplied; }
    void SetLight(int, bool) override {}
    void SetAmbientColor(float, float, float, float) override {}
    void EnableLighting(bool) override {}
    void DrawTextAt(const char* text, int x, int y, float, float, float, float) override {
        texts.push_back({text ? text : "", {x, y}});
    }

    std::vector<std::string> log;
    int cameraApplied = 0;
    std::atomic<int> loadingScreens{0};
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
    Harness() { app.m_bRunWorkersInline = true; }
    ~Harness() {
        app.JoinWorkerThreads();
        pages.clear();  // pages leave the table before the application goes
    }

    FakePage& AddPage(const std::string& name) {
        pages.push_back(std::make_unique<FakePage>(name, &pageLog));
        return *pages.back();
    }

    // Marks the application initialised and loads the current page, as the
    // device's resource creation does.
    void Start() { app.LoadResources(); }

    // One frame as the render road runs it: virtual time moves on, Tick; while a
    // switch is pending only the loading screen; otherwise the input step and
    // the page's frame. The frame that starts a switch draws only the loading
    // screen even when the switch ran inline, as it does with the worker.
    void Step() {
        host.clock.Advance(16666667);
        bool wasPending = app.m_bSwitchPending;
        app.Tick();
        if (wasPending || app.m_bSwitchPending) {
            app.DrawLoadingScreen();
            if (wasPending && !app.m_bSwitchPending) ++switchesRun;
            return;
        }
        app.ProcessInput();
        app.Frame();
    }

    void Steps(int n) {
        for (int i = 0; i < n; ++i) Step();
    }

    // Sets device 0's cursor in logical pixels.
    void MoveCursor(int x, int y) {
        app.m_aInput[0].m_iCursorX = x;
        app.m_aInput[0].m_iCursorY = y;
    }
    // Key and button messages as the window delivers them.
    void Send(uint32_t message, uintptr_t wParam = 0) { app.HandleWindowInput(message, wParam, nullptr); }
    void KeyDown(int key) { Send(host::WM_KEYDOWN, uintptr_t(key)); }
    void KeyUp(int key) { Send(host::WM_KEYUP, uintptr_t(key)); }
    void Click(int x, int y) {
        MoveCursor(x, y);
        Send(host::WM_LBUTTONDOWN);
    }

    host::HeadlessHost host;
    TestApplication app;
    std::vector<std::string> pageLog;
    std::vector<std::unique_ptr<FakePage>> pages;
    int switchesRun = 0;
};

}  // namespace harness
