#pragma once
// The clickable widget of pages and pop-ups: four state pictures, hover and
// press sounds, and a click reported once to the page that polls it.
//
// A button takes the mouse only on a frame in which its screen drew its face
// (or showed its area, for a faceless button: the screen marks it with
// MarkDrawn) and only while no box or board is open over it, unless it is
// that box's or board's own. Hover, press, click and hit test all ask this
// one rule (TakesMouse).
#include <cstdint>

#include "engine/VxObject.h"
#include "engine/VxResource.h"

class CVxBillboard;
class CVxEffect;
class CVxSound;

// m_iStatus of a button; also the index into its state set.
enum ButtonStatus : int32_t {
    BUTTON_PRESS = 0,
    BUTTON_OVER = 1,
    BUTTON_DISABLE = 2,
    BUTTON_NORMAL = 3,
};

// A button's state pictures, indexed by ButtonStatus. The billboards belong to
// the resource manager that made them.
struct CustomType {
    CVxBillboard* m_apState[4] = {};
};

struct VxHitRect {
    float left = 0.0f, right = 0.0f, top = 0.0f, bottom = 0.0f;
};

// Frames after a completed click in which the page may take it; the button
// ignores input meanwhile.
constexpr int32_t BUTTON_CLICK_COOLDOWN = 10;

class CVxButton : public CVxObject, public CVxResource {
public:
    explicit CVxButton(int subScreenTag);
    ~CVxButton() override = default;
    CVxButton(const CVxButton&) = delete;
    CVxButton& operator=(const CVxButton&) = delete;

    // The back pictures, then the front ones, for the current status; it
    // counts as drawn this frame only when one of them is drawn.
    void Render() override;
    // For a button its screen draws as other pictures (a glow, a list row,
    // a hit area over a picture): it counts as drawn this frame.
    void MarkDrawn();
    // Drawn this frame or the last, and no box or board is open over it but
    // its own.
    bool TakesMouse() const;
    void RenderResource(CustomType* type);
    // Colours the pictures of both sets; the button's own colour stays.
    void SetDiffuse(float r, float g, float b, float a) override;
    static void SetLayerColor(CustomType* type, float r, float g, float b, float a);
    // Puts the non-null pictures, in status order, into the back set and sizes
    // the button to each in turn (so to the last one given).
    static void SetStateTextures(CVxButton* button, CVxBillboard* press, CVxBillboard* over, CVxBillboard* disable,
                                 CVxBillboard* normal);

    // Whether device 0's cursor lies in the hit box (edges included); false
    // for a button of another sub-screen or one that takes no mouse now.
    bool HitTest();
    // True once per completed click, while the cooldown runs and the button
    // takes the mouse; a click left while it takes none is dropped.
    bool TakeClick();
    // A press of device 0 over an enabled button; the press is used up.
    bool TakePress();

    // Buttons own no files of their own.
    void ResetResource() override {}
    void Release() override {}
    bool IsEmpty() override { return true; }
    bool Load(const char*, const char*) override { return true; }

    // Once a frame while the button's sub-screen is shown: hover, press and
    // click from every input device. A button that takes no mouse now lets
    // go of any press or click it was making.
    virtual void ProcessInput();

    CustomType m_stateBack;
    CustomType m_stateFront;
    CVxSound* m_pPressSound = nullptr;
    CVxSound* m_pOverSound = nullptr;
    CVxSound* m_pDisabledSound = nullptr;
    int32_t m_iSubScreenTag;  // -1: every sub-screen
    VxHitRect m_rcHit;
    int32_t m_iClickCooldown = 0;
    bool m_bClickTaken = true;
    int32_t m_iOwnerDevice = -1;
    bool m_bVisible = true;
    int32_t m_iPressFrames = 0;
    const CVxEffect* m_pBoard = nullptr;  // the box or board it belongs to; null: its page's
    int64_t m_iDrawnFrame = -1;           // the application's frame serial it was last drawn on

private:
    // A picture of the current status in either set: what Render draws.
    bool HasFace() const;
    bool OnCurrentSubScreen() const;
    // Back to rest: no press, hover or click pending.
    void LetGo();
    void ComputeHitRect();
    bool Inside(int x, int y) const;
};
