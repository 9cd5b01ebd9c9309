#pragma once
// Per-device input state kept by the window-message handler and handed to the
// current page once a frame.
#include <cstdint>

class CVxObject;

// Bits of a key word.
enum : uint32_t {
    KEY_HELD = 1,
    KEY_RELEASED = 2,  // released during this frame
    KEY_PRESSED = 4,   // pressed during this frame
};

// Entries of the key table that the mouse uses; the keyboard uses virtual-key codes.
enum : int {
    MOUSE_LEFT = 0,
    MOUSE_MIDDLE = 1,
    MOUSE_RIGHT = 2,
    MOUSE_WHEEL_FORWARD = 3,
    MOUSE_WHEEL_BACKWARD = 4,
};

// A cursor at this position is off the screen.
constexpr int CURSOR_OFF_SCREEN = 10000;

struct InputRecord {
    uint32_t m_aiKey[256] = {};
    int m_aiRepeat[256] = {};  // down messages since the entry was last released
    int m_iCursorX = 0;        // logical pixels from the top left, y down
    int m_iCursorY = 0;
};

// m_iState of a pointer record.
enum : int {
    POINTER_OVER_BUTTON = 1,
    POINTER_CLICK_TAKEN = 2,
    POINTER_FREE = 3,
};

struct PointerRecord {
    float m_fOffsetX = 10000.0f;  // added to the cursor where its picture is drawn
    float m_fOffsetY = 10000.0f;
    int m_iState = POINTER_FREE;
    // Cursor picture per state (billboards, not owned).
    CVxObject* m_apCursor[4] = {};
};

constexpr int MAX_INPUT_DEVICES = 2;
