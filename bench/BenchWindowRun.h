#pragma once
// The stage runner on a framework window of the benchmark's own, as
// stagerun --window runs: the window keeps the focus as far as the game knows.
#include "engine/framework/MyD3DApplication.h"
#include "game/GameApplication.h"
#include "main/GamePages.h"
#include "platform/host/WindowMessage.h"
#include "tools/stagerun/StageRun.h"

class BenchWindowRun : public StageRun {
public:
    BenchWindowRun(const StageRunOptions& options, CMyD3DApplication& window, const char16_t* title)
        : StageRun(options), m_window(window), m_title(title) {}

protected:
    bool CreateApplication() override {
        m_pApp = new CGameApplication(MakeGamePages);  // the framework deletes it with the device
        m_pApp->m_bRunWorkersInline = true;
        g_bStartFullscreen = false;
        m_window.m_pszWindowTitle = m_title;
        m_window.m_dwCreationWidth = uint32_t(m_pApp->m_iWindowWidth);
        m_window.m_dwCreationHeight = uint32_t(m_pApp->m_iWindowHeight);
        if (FAILED(m_window.Create()) || !g_pApp || !g_pApp->m_bInitialised) {
            m_pApp = nullptr;
            return false;
        }
        return true;
    }
    void RunOneFrame() override {
        Pump(m_window);
        m_window.RunFrame();
    }
    void DestroyApplication() override { m_pApp = nullptr; }

public:
    // Hands the window's messages to the game, all but those of focus.
    static void Pump(CMyD3DApplication& window) {
        host::WindowMessage msg;
        while (window.Window() && window.Window()->PeekMessage(msg)) {
            if (msg.message == host::WM_NULL || msg.message == host::WM_QUIT || msg.message == host::WM_ACTIVATE ||
                msg.message == host::WM_ACTIVATEAPP || msg.message == host::WM_KILLFOCUS ||
                msg.message == host::WM_SETFOCUS)
                continue;
            window.HandleMessage(window.Window(), msg.message, msg.wParam, msg.lParam);
        }
    }

private:
    CMyD3DApplication& m_window;
    const char16_t* m_title;
};
