#pragma once
// The menu page drawn on a recording device, for tests that read where each
// picture and glyph of a screen was drawn.
#include <gtest/gtest.h>

#include "content/SaveProfile.h"
#include "engine/framework/RenderTargets.h"
#include "frontend/PageMenu.h"
#include "tests/Harness.h"
#include "tests/TextContainment.h"

class MenuTextContainment : public MenuPageTest {
protected:
    void SetUp() override {
        MenuPageTest::SetUp();
        ASSERT_EQ(RestoreRenderTargets(device, true, 800, 600), S_OK);
        m_App->m_pDevice = &device;
        device.BeginScene();
    }
    void TearDown() override {
        device.EndScene();
        Shutdown();
        ReleaseRenderTargets();
        MenuPageTest::TearDown();
    }
    // A player far into the game, with a long laboratory line on the first page.
    void FarIntoTheGame() {
        Player("EVE", 75);
        SaveProfile& p = g_CurrentProfile;
        p.m_iMetalParts = 1234567;
        for (int s = 0; s < 70; ++s) p.m_aiStageStars[s] = 1 + s % 3;
        for (int i : {0, 1, 2, 3, 6}) p.m_aLabItem[i] = LabItemRecord{i == 6 ? 1 : 2, 3};
        p.m_iLuckBooster = 2;
        for (int r : {0, 1, 2, 3, 4}) p.m_aRobotUpgrade[r].m_iAvailable = 1;
        for (int r = 0; r < 12; ++r) p.m_abRobotUnlocked[r] = 1;
        for (int k = 0; k < 6; ++k) p.m_aEnemySeen[k].met = 1;
        for (int f = 0; f < 6; ++f) p.m_abFeatureUnlocked[f] = 1;
        for (int i = 0; i < 9; ++i) p.m_aiAchievementProgress[i] = 100000;
        p.m_aiAchievementProgress[1] = 3;  // its counter shows on the first page
        p.m_aiAchievementProgress[6] = 1;
        p.m_aiAchievementProgress[37] = 3725;
    }
    // One frame of the screen at rest, its kept list drawn again into its slot.
    containment::Scene Capture() {
        Menu().m_bAchievementPopup = false;
        device.draws.clear();
        Frame();
        names = containment::TextureNames();
        names.Add(m_App->m_pResourceManager);
        names.Add(Menu().m_pResourceManager);
        names.AddFont(m_App->m_pFontStandard);
        return containment::Scene(device, names, float(g_iScreenWidth), float(g_iScreenHeight));
    }

    host::RecordingDevice device{800, 600};
    containment::TextureNames names;
};
