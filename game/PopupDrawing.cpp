#include "game/PopupDrawing.h"

#include "engine/VxApplication.h"
#include "engine/VxBillboard.h"
#include "engine/VxFont.h"
#include "engine/VxNumber.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/framework/RenderTargets.h"
#include "game/GameApplication.h"

FontStyle TitleStyle(float size, float charSpacing, float spaceFactor) {
    FontStyle s;
    s.size = size;
    s.align = 0;
    s.charSpacing = charSpacing;
    s.spaceFactor = spaceFactor;
    s.rowOffset = 7;
    return s;
}

FontStyle BodyStyle(int wrapWidth) {
    FontStyle s;
    s.wrapWidth = wrapWidth;
    return s;
}

FontStyle PanelStyle(float size, float charSpacing, float lineSpacing, float spaceFactor, int rowOffset) {
    FontStyle s;
    s.size = size;
    s.align = 0;
    s.charSpacing = charSpacing;
    s.lineSpacing = lineSpacing;
    s.spaceFactor = spaceFactor;
    s.rowOffset = rowOffset;
    return s;
}

FontStyle PanelLabelStyle() { return PanelStyle(0.5f, 9.0f, 0.75f, 0.6f, 7); }

void DrawStyledText(CVxFont* font, const FontStyle& style, float x, float y, const char* text) {
    if (!font || !text) return;
    const float charSpacing = font->m_fCharSpacing;
    const float spaceFactor = font->m_fSpaceFactor;
    const float lineSpacing = font->m_fLineSpacing;
    const int wrap = font->m_iWrapWidth;
    const int align = font->m_iAlign;
    const int rowOffset = font->m_iRowOffset;
    font->SaveState();
    font->SetSizeUniform(style.size);
    font->m_iAlign = style.align;
    font->m_fCharSpacing = style.charSpacing;
    font->m_fSpaceFactor = style.spaceFactor;
    font->m_fLineSpacing = style.lineSpacing;
    font->m_iWrapWidth = style.wrapWidth;
    font->m_iRowOffset = style.rowOffset;
    font->SetDiffuse(style.colour.r, style.colour.g, style.colour.b, style.colour.a);
    font->SetPosition(x, y, 0.0f);
    font->DrawText(text);
    font->RestoreState();
    font->m_fCharSpacing = charSpacing;
    font->m_fSpaceFactor = spaceFactor;
    font->m_fLineSpacing = lineSpacing;
    font->m_iWrapWidth = wrap;
    font->m_iAlign = align;
    font->m_iRowOffset = rowOffset;
}

void DrawSharedPicture(CVxBillboard* picture, float x, float y, float sx, float sy) {
    if (!picture) return;
    picture->SaveState();
    if (sx != 1.0f || sy != 1.0f) picture->ScaleSize2D(sx, sy);
    picture->SetPosition(x, y, 0.0f);
    picture->RenderSRT();
    picture->RestoreState();
}

void DrawTurningGlows(CVxBillboard* glow, float x, float y, float scale, float degrees) {
    if (!glow) return;
    for (const float turn : {-degrees, degrees}) {
        glow->SaveState();
        glow->ScaleSize2D(scale, scale);
        glow->SetRotation(0.0f, 0.0f, turn * VX_DEG_TO_RAD);
        glow->SetBlendMode(BLEND_ADD, glow->m_iAlphaRef);
        glow->SetPosition(x, y, 0.0f);
        glow->RenderSRT();
        glow->SetBlendMode(BLEND_ALPHA, glow->m_iAlphaRef);
        glow->RestoreState();
    }
}

CVxBillboard* MakeStageSheetWord(CVxResourceManager& owner, float v) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !app->m_pNumStageBig || !app->m_pNumStageBig->m_apDigitTextures[0]) return nullptr;
    CVxBillboard* b = owner.CreateBillboard(nullptr, nullptr, app->m_pNumStageBig->m_apDigitTextures[0]);
    b->SetAlphaBlend(true);
    b->SetTextureRect(0.0f, v, 1.0f, 0.2f);
    b->SetSize(512.0f, 102.4f, 1.0f);
    return b;
}

namespace {
constexpr float kPi = 3.14159265f;
}  // namespace

bool MakeLightArrows(CVxResourceManager& owner, CVxBillboard* (&arrows)[4]) {
    CVxTexture* texture = owner.CreateTexture("Btn_LightArrow.tga", "Resource\\Button\\");
    if (!texture) return false;
    static const float kTurns[4] = {kPi, 0.0f, kPi / 2.0f, -kPi / 2.0f};
    for (int i = 0; i < 4; ++i) {
        CVxBillboard* a = owner.CreateBillboard(nullptr, nullptr, texture);
        a->SetAlphaBlend(true);
        a->SetBlendMode(BLEND_ADD, a->m_iAlphaRef);
        a->ScaleSizeUniform(0.9f);
        a->SetRotationZ(kTurns[i]);
        a->SaveState();
        arrows[i] = a;
    }
    return true;
}

bool KeyReleased(int key) { return g_pApp && (g_pApp->m_aInput[0].m_aiKey[key] & KEY_RELEASED) != 0; }

bool TakeKeyRelease(int key) {
    if (!KeyReleased(key)) return false;
    g_pApp->m_aInput[0].m_aiKey[key] = 0;
    g_pApp->m_aInput[0].m_aiRepeat[key] = 0;
    return true;
}

bool ShowKeptContent(CGameApplication& app, int slot, const VxVec3& at) {
    CVxBillboard* shown = app.m_pRenderTargetBillboard;
    if (!shown || !AttachRenderTargetTexture(shown, slot)) return false;
    app.SetCamera2D(int(shown->m_vSize.x), int(shown->m_vSize.y));
    shown->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    shown->SetPositionV(at);
    shown->RenderSRT();
    app.SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    return true;
}
