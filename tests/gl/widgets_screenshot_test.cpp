// Draws a panel with text in the game font, a number, a four-state button in
// each state and an additive effect through the widgets on the GL device, with
// the generated DATA, and compares the picture with the kept reference.
// CSQ_UPDATE_GOLDEN=1 writes a new reference instead.

#include <cstdio>
#include <cstdlib>

#include "engine/PictureDecoder.h"
#include "engine/VxNumber.h"
#include "tests/Harness.h"
#include "tests/gl/GoldenPicture.h"

namespace {

const char* const kData = CSQ_BINARY_DIR "/DATA";

void DrawScene(CVxResourceManager& rm) {
    CVxBillboard* panel = rm.CreateBillboard("Msgbox_StdMedium.png", "Resource\\MsgBox\\", nullptr);
    panel->SetAlphaBlend(true);
    panel->SetPosition(0, 70, 0);
    panel->RenderRST();

    CVxFont* font = rm.CreateFont("Script_Fnt_GameStandard.txt", "Resource\\Font\\");
    ASSERT_NE(font, nullptr);
    font->m_bCellMode = false;
    font->m_iAlign = 0;
    font->m_iRowOffset = 7;  // the title lettering
    font->SetPosition(0, 200, 0);
    font->DrawText("COGSQUALL");
    font->m_iRowOffset = 0;
    font->m_iAlign = 1;
    font->SetDiffuse(0.2f, 0.2f, 0.3f, 1.0f);
    font->SetPosition(-230, 150, 0);
    font->m_iWrapWidth = 480;
    font->DrawText("Tinkerlings defend the planet: build robots, collect parts and hold every lane.");
    font->m_iWrapWidth = -1;
    font->m_iAlign = -1;
    font->SetPosition(220, -40, 0);
    font->SetDiffuse(0.8f, 0.1f, 0.1f, 1.0f);
    font->DrawText("Energy");

    CVxNumber number;
    number.LoadDigitTexture("Num_Interface1.png", 4, 4, "Resource\\Interface\\");
    number.SetSize(32, 32, 1);
    number.m_fSpacing = 24;
    number.m_iAlign = 0;
    number.m_nMinDigits = 6;
    number.SetPosition(-100, -40, 0);
    number.Draw(9075);

    CustomType states;
    rm.CreateButtonStates(states, "Btn_OK_", "Resource\\Button\\", 15);
    const int status[4] = {BUTTON_NORMAL, BUTTON_OVER, BUTTON_PRESS, BUTTON_DISABLE};
    for (int i = 0; i < 4; ++i) {
        CVxButton b(-1);
        b.m_stateBack = states;
        b.SetSize(128, 64, 1);
        b.SetPosition(-300.0f + 200.0f * float(i), -200, 0);
        b.m_iStatus = status[i];
        b.Render();
    }

    CVxBillboard* glow = rm.CreateBillboard("Efx_StarCircle.png", "Resource\\Effect\\", nullptr);
    glow->SetAlphaBlend(true);
    glow->SetBlendMode(BLEND_ADD, 1);
    glow->SetDiffuse(1.0f, 0.8f, 0.4f, 0.8f);
    glow->SetPosition(300, 150, 0);
    glow->ScaleSize2D(0.75f, 0.75f);
    glow->RenderRST();
}

TEST(WidgetsScreenshot, PanelTextNumberButtonsAndGlow) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    if (!std::filesystem::exists(kData)) GTEST_SKIP() << "no DATA in the build folder";
    host::HeadlessHost headless;
    harness::TestApplication app;
    app.m_iScreenWidth = 880;
    app.m_iScreenHeight = 640;
    ResourceArchive archive;
    archive.OpenResourceArchive(kData);

    golden::GlWindow gl;
    ASSERT_TRUE(gl.Open("widgets", 800, 600));
    host::GraphicsDevice* device = gl.device.get();
    app.m_pDevice = device;

    host::Matrix projection = host::IdentityMatrix();  // the 2-D camera of the logical screen
    projection[0] = 2.0f / 880;
    projection[5] = 2.0f / 640;
    device->SetTransform(host::TS_PROJECTION, projection);
    device->SetTransform(host::TS_VIEW, host::IdentityMatrix());
    device->SetRenderState(host::RS_LIGHTING, 0);
    device->Clear(host::CLEAR_TARGET | host::CLEAR_ZBUFFER, 0xFF203040u, 1.0f);
    ASSERT_TRUE(device->BeginScene());
    {
        CVxResourceManager rm;
        DrawScene(rm);
        device->EndScene();
        EXPECT_EQ(headless.boxes.Count(), 0u) << headless.boxes.Boxes().front().text;
    }
    CVxTexture::FreeReleasedTextures();

    golden::ExpectMatches(*device, "widgets_panel");
}

}  // namespace
