#pragma once
// Window messages as the framework and the input handler expect them: the
// message numbers, virtual-key codes and parameter packing of the system the
// game was written for. The display turns its native events into these.
#include <cstdint>

namespace host {

enum : uint32_t {
    WM_NULL = 0x0000,
    WM_DESTROY = 0x0002,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ACTIVATEAPP = 0x001C,
    WM_SETCURSOR = 0x0020,
    WM_GETMINMAXINFO = 0x0024,
    WM_NCHITTEST = 0x0084,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_COMMAND = 0x0111,
    WM_SYSCOMMAND = 0x0112,
    WM_TIMER = 0x0113,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_POWERBROADCAST = 0x0218,
    WM_ENTERMENULOOP = 0x0211,
    WM_EXITMENULOOP = 0x0212,
    WM_ENTERSIZEMOVE = 0x0231,
    WM_EXITSIZEMOVE = 0x0232,
    WM_INPUTLANGCHANGEREQUEST = 0x0050,
};

// WM_SIZE kinds, WM_ACTIVATE states, mouse key-state bits.
enum : uint32_t { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };
enum : uint32_t { WA_INACTIVE = 0, WA_ACTIVE = 1 };
enum : uint32_t { MK_LBUTTON = 0x1, MK_RBUTTON = 0x2, MK_SHIFT = 0x4, MK_CONTROL = 0x8, MK_MBUTTON = 0x10 };
enum : uint32_t { WHEEL_DELTA = 120 };

// Virtual-key codes the game reads.
enum : uint32_t {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_NUMPAD0 = 0x60,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_F10 = 0x79,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
    VK_OEM_1 = 0xBA,
    VK_OEM_PLUS = 0xBB,
    VK_OEM_COMMA = 0xBC,
    VK_OEM_MINUS = 0xBD,
    VK_OEM_PERIOD = 0xBE,
    VK_OEM_2 = 0xBF,
    VK_OEM_3 = 0xC0,
    VK_OEM_4 = 0xDB,
    VK_OEM_5 = 0xDC,
    VK_OEM_6 = 0xDD,
    VK_OEM_7 = 0xDE,
};

struct WindowMessage {
    uint32_t message = WM_NULL;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

inline intptr_t MakeLParam(int lo, int hi) { return intptr_t(uint32_t(uint16_t(lo)) | (uint32_t(uint16_t(hi)) << 16)); }
inline int LoWord(intptr_t v) { return int(int16_t(uint16_t(uintptr_t(v) & 0xFFFF))); }
inline int HiWord(intptr_t v) { return int(int16_t(uint16_t((uintptr_t(v) >> 16) & 0xFFFF))); }

// Key-message lParam: repeat count 1, scan code, and bit 30 when the key was
// already down (auto-repeat); key-up messages carry bits 30 and 31.
intptr_t KeyLParam(bool down, bool repeat, int scancode);

// Virtual-key code for a USB HID usage number (the physical key position);
// 0 for keys the game has no code for.
uint32_t VirtualKeyFromScancode(int scancode);

}  // namespace host
