#pragma once
// Small drawing and input steps the application's pop-ups share: shared
// pictures drawn without keeping the changes, text with a full set of font
// settings, sounds restarted from the top, keys taken once, and pictures kept
// in a render-target slot shown in place.
#include "engine/VxObject.h"
#include "engine/VxSound.h"

class CGameApplication;
class CVxBillboard;
class CVxFont;
class CVxResourceManager;

// Virtual-key codes the pop-ups answer to.
constexpr int VK_ENTER = 13;
constexpr int VK_ESC = 27;

// Everything about the font a pop-up sets before it writes.
struct FontStyle {
    float size = 0.6f;
    int align = 1;  // 1 left, 0 centred, -1 right
    float charSpacing = 5.0f;
    float spaceFactor = 0.65f;
    float lineSpacing = 0.85f;
    int wrapWidth = -1;
    int rowOffset = 0;
    VxColor colour{1.0f, 1.0f, 1.0f, 1.0f};
};

// Title lines: centred, no wrapping, glyph row offset 7.
FontStyle TitleStyle(float size, float charSpacing, float spaceFactor);
// Body text: size 0.6, left, spacing 5, space factor 0.65.
FontStyle BodyStyle(int wrapWidth);
// The menu's information panel and the encyclopedias' count: centred, no
// wrapping.
FontStyle PanelStyle(float size, float charSpacing, float lineSpacing, float spaceFactor, int rowOffset);
// The panel's label over its number box: size 0.5, spacing 9, glyph row offset 7.
FontStyle PanelLabelStyle();

// Writes text at (x, y) with the style; the font is left as it was.
void DrawStyledText(CVxFont* font, const FontStyle& style, float x, float y, const char* text);

// Draws a shared picture at (x, y) with its size scaled by (sx, sy); the
// picture keeps none of it.
void DrawSharedPicture(CVxBillboard* picture, float x, float y, float sx = 1.0f, float sy = 1.0f);

// The two star glows that turn against each other behind a badge or a prize,
// drawn added at (x, y) with their size scaled by scale.
void DrawTurningGlows(CVxBillboard* glow, float x, float y, float scale, float degrees);

// One word row of the big stage-number sheet (a fifth of its height, from v)
// as a 512-wide billboard made in owner; null while the sheet is not loaded.
CVxBillboard* MakeStageSheetWord(CVxResourceManager& owner, float v);

// The four glowing arrows of "Btn_LightArrow.tga" made in owner, added at 0.9
// of their size, pointing left, right, up and down; false while the picture
// is missing.
bool MakeLightArrows(CVxResourceManager& owner, CVxBillboard* (&arrows)[4]);

// The key's released bit on device 0; when set the key's word and repeat
// count are cleared so no later handler sees it.
bool TakeKeyRelease(int key);
// Same test without using the key up.
bool KeyReleased(int key);

// Shows the content kept in the slot at the board's place; false when there
// is no slot, so the caller draws the content itself.
bool ShowKeptContent(CGameApplication& app, int slot, const VxVec3& at);
