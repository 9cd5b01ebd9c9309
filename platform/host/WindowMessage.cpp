#include "platform/host/WindowMessage.h"

namespace host {

intptr_t KeyLParam(bool down, bool repeat, int scancode) {
    uint32_t v = 1u | (uint32_t(scancode & 0xFF) << 16);
    if (!down) v |= (1u << 30) | (1u << 31);
    else if (repeat) v |= (1u << 30);
    return intptr_t(v);
}

uint32_t VirtualKeyFromScancode(int sc) {
    // USB HID usage numbers: letters 4..29, digits 30..39 (1..9, 0).
    if (sc >= 4 && sc <= 29) return uint32_t('A' + (sc - 4));
    if (sc >= 30 && sc <= 38) return uint32_t('1' + (sc - 30));
    if (sc == 39) return '0';
    if (sc >= 58 && sc <= 69) return VK_F1 + uint32_t(sc - 58);           // F1..F12
    if (sc >= 89 && sc <= 97) return VK_NUMPAD0 + 1 + uint32_t(sc - 89);  // keypad 1..9
    switch (sc) {
    case 40: return VK_RETURN;
    case 41: return VK_ESCAPE;
    case 42: return VK_BACK;
    case 43: return VK_TAB;
    case 44: return VK_SPACE;
    case 45: return VK_OEM_MINUS;
    case 46: return VK_OEM_PLUS;
    case 47: return VK_OEM_4;
    case 48: return VK_OEM_6;
    case 49: return VK_OEM_5;
    case 51: return VK_OEM_1;
    case 52: return VK_OEM_7;
    case 53: return VK_OEM_3;
    case 54: return VK_OEM_COMMA;
    case 55: return VK_OEM_PERIOD;
    case 56: return VK_OEM_2;
    case 57: return VK_CAPITAL;
    case 71: return VK_SCROLL;
    case 72: return VK_PAUSE;
    case 73: return VK_INSERT;
    case 74: return VK_HOME;
    case 75: return VK_PRIOR;
    case 76: return VK_DELETE;
    case 77: return VK_END;
    case 78: return VK_NEXT;
    case 79: return VK_RIGHT;
    case 80: return VK_LEFT;
    case 81: return VK_DOWN;
    case 82: return VK_UP;
    case 83: return VK_NUMLOCK;
    case 84: return VK_DIVIDE;
    case 85: return VK_MULTIPLY;
    case 86: return VK_SUBTRACT;
    case 87: return VK_ADD;
    case 88: return VK_RETURN;  // keypad Enter
    case 98: return VK_NUMPAD0;
    case 99: return VK_DECIMAL;
    case 224:
    case 228: return VK_CONTROL;
    case 225:
    case 229: return VK_SHIFT;
    case 226:
    case 230: return VK_MENU;
    default: return 0;
    }
}

}  // namespace host
