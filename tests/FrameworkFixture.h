#pragma once
// A framework on the headless host: virtual clock, recorded message boxes,
// fake system figures and the headless video system with a recording device.
#include <gtest/gtest.h>

#include <vector>

#include "platform/D3DApplication.h"
#include "platform/FrameworkTimer.h"
#include "platform/StartupChecks.h"
#include "platform/host/Display.h"
#include "platform/host/Headless.h"
#include "platform/host/RecordingDevice.h"

class CountingApp : public CD3DApplication {
public:
    CountingApp() {
        m_pszWindowTitle = u"Cogsquall";
        m_dwCreationWidth = 800;
        m_dwCreationHeight = 600;
    }
    HRESULT CreateDeviceResources() override {
        ++created;
        return createResult;
    }
    HRESULT RestoreDeviceResources() override {
        ++restored;
        return S_OK;
    }
    HRESULT ReleaseDeviceResources() override {
        ++released;
        return S_OK;
    }
    HRESULT DestroyDeviceResources() override {
        ++destroyed;
        return S_OK;
    }
    HRESULT Shutdown() override {
        ++shutdowns;
        return S_OK;
    }
    HRESULT Render() override {
        gateCountInRender.push_back(g_nFrameGateCount);
        return S_OK;
    }
    int Renders() const { return int(gateCountInRender.size()); }

    std::vector<uint32_t> gateCountInRender;
    HRESULT createResult = S_OK;
    int created = 0, restored = 0, released = 0, destroyed = 0, shutdowns = 0;
};

class FrameworkFixture : public ::testing::Test {
protected:
    void SetUp() override {
        host::SetVideoSystem(&video);
        // Twice: a reset of a stopped clock still reads the old stop time.
        FrameworkTimer(TIMER_RESET);
        FrameworkTimer(TIMER_RESET);
        g_fFrameGateTime = 0.0f;
        g_nFrameGateCount = 0;
        g_bAllowClose = true;
        g_bQuitRequested = false;
        ResetMemoryProbes();
        m_savedProbe = g_pfnProbeSoundCard;
    }
    void TearDown() override {
        host::SetVideoSystem(nullptr);
        g_bAllowClose = true;
        g_bQuitRequested = false;
        g_pfnProbeSoundCard = m_savedProbe;
        ResetMemoryProbes();
    }

    host::HeadlessHost services;
    host::HeadlessVideoSystem video;
    int (*m_savedProbe)() = nullptr;
};
