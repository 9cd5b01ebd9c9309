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

class CVxButton : public CVxObject, public CVxResource {
public:
    explicit CVxButton(int subScreenTag);
    ~CVxButton() override = default;

    // Buttons own no files of their own.
    void ResetResource() override {}
    void Release() override {}
    bool IsEmpty() override { return true; }
    bool Load(const char*, const char*) override { return true; }

    // Once a frame while the button's sub-screen is shown.
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
};
