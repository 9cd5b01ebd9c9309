#pragma once
// The clickable widget of pages and pop-ups: four state pictures, hover and
// press sounds, and a click reported once to the page that polls it.
#include <cstdint>

#include "engine/VxObject.h"
#include "engine/VxResource.h"

class CVxBillboard;
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

    // The back pictures, then the front ones, for the current status.
    void Render() override;
    void RenderResource(CustomType* type);
    // Colours the pictures of both sets; the button's own colour stays.
    void SetDiffuse(float r, float g, float b, float a) override;
    static void SetLayerColor(CustomType* type, float r, float g, float b, float a);
    // Puts the non-null pictures, in status order, into the back set and sizes
    // the button to each in turn (so to the last one given).
    static void SetStateTextures(CVxButton* button, CVxBillboard* press, CVxBillboard* over, CVxBillboard* disable,
                                 CVxBillboard* normal);

    // Whether device 0's cursor lies in the hit box (edges included); false
    // for a button of another sub-screen.
    bool HitTest();
    // True once per completed click, while the cooldown runs.
    bool TakeClick();
    // A press of device 0 over an enabled button; the press is used up.
    bool TakePress();

    // Buttons own no files of their own.
    void ResetResource() override {}
    void Release() override {}
    bool IsEmpty() override { return true; }
    bool Load(const char*, const char*) override { return true; }

    // Once a frame while the button's sub-screen is shown: hover, press and
    // click from every input device.
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

private:
    bool OnCurrentSubScreen() const;
    void ComputeHitRect();
    bool Inside(int x, int y) const;
};
