// The grid's own key codes and mouse key flags. They carry the desktop's virtual-key values, so
// the grid's plain code, its cell types and their owners share one vocabulary; the windows
// translate their toolkit's codes into these.
#pragma once

enum GridKey : unsigned
{
    GRID_VK_CANCEL = 0x03,
    GRID_VK_BACK = 0x08,
    GRID_VK_TAB = 0x09,
    GRID_VK_CLEAR = 0x0C, // keypad 5 without Num Lock
    GRID_VK_RETURN = 0x0D,
    // Enter of the numeric keypad; the desktop's table has no code of its own for it, so the
    // grid takes one it leaves unassigned.
    GRID_VK_NUMPAD_ENTER = 0x0E,
    GRID_VK_SHIFT = 0x10,
    GRID_VK_CONTROL = 0x11,
    GRID_VK_MENU = 0x12, // Alt
    GRID_VK_PAUSE = 0x13,
    GRID_VK_CAPITAL = 0x14,
    GRID_VK_ESCAPE = 0x1B,
    GRID_VK_SPACE = 0x20,
    GRID_VK_PRIOR = 0x21,
    GRID_VK_NEXT = 0x22,
    GRID_VK_END = 0x23,
    GRID_VK_HOME = 0x24,
    GRID_VK_LEFT = 0x25,
    GRID_VK_UP = 0x26,
    GRID_VK_RIGHT = 0x27,
    GRID_VK_DOWN = 0x28,
    GRID_VK_SELECT = 0x29,
    GRID_VK_PRINT = 0x2A,
    GRID_VK_EXECUTE = 0x2B,
    GRID_VK_SNAPSHOT = 0x2C,
    GRID_VK_INSERT = 0x2D,
    GRID_VK_DELETE = 0x2E,
    GRID_VK_HELP = 0x2F,
    GRID_VK_0 = 0x30, // digits and letters carry their upper-case characters, '0'..'9', 'A'..'Z'
    GRID_VK_A = 0x41,
    GRID_VK_LWIN = 0x5B,
    GRID_VK_RWIN = 0x5C,
    GRID_VK_APPS = 0x5D,
    GRID_VK_NUMPAD0 = 0x60, // keypad digits 0x60..0x69
    GRID_VK_MULTIPLY = 0x6A,
    GRID_VK_ADD = 0x6B,
    GRID_VK_SEPARATOR = 0x6C,
    GRID_VK_SUBTRACT = 0x6D,
    GRID_VK_DECIMAL = 0x6E,
    GRID_VK_DIVIDE = 0x6F,
    GRID_VK_F1 = 0x70, // F1..F24 are 0x70..0x87
    GRID_VK_F2 = 0x71,
    GRID_VK_NUMLOCK = 0x90,
    GRID_VK_SCROLL = 0x91,
    GRID_VK_OEM_NEC_EQUAL = 0x92, // '=' of the keypad
    GRID_VK_BROWSER_BACK = 0xA6,  // browser, volume, media and launch keys 0xA6..0xB7
    GRID_VK_OEM_1 = 0xBA,         // ';'
    GRID_VK_OEM_PLUS = 0xBB,      // '='
    GRID_VK_OEM_COMMA = 0xBC,     // ','
    GRID_VK_OEM_MINUS = 0xBD,     // '-'
    GRID_VK_OEM_PERIOD = 0xBE,    // '.'
    GRID_VK_OEM_2 = 0xBF,         // '/'
    GRID_VK_OEM_3 = 0xC0,         // '`'
    GRID_VK_OEM_4 = 0xDB,         // '['
    GRID_VK_OEM_5 = 0xDC,         // backslash
    GRID_VK_OEM_6 = 0xDD,         // ']'
    GRID_VK_OEM_7 = 0xDE,         // apostrophe
    GRID_VK_OEM_8 = 0xDF,         // any other key that makes a character
    GRID_VK_OEM_102 = 0xE2        // '<' beside the left Shift of European keyboards
};

// Mouse key flags passed with clicks and moves.
enum GridMouseFlag : unsigned
{
    GRID_MK_LBUTTON = 0x1,
    GRID_MK_RBUTTON = 0x2,
    GRID_MK_SHIFT = 0x4,
    GRID_MK_CONTROL = 0x8
};

// How a move of the current cell was made; the change dispatch feeds the multi-selection by it.
enum GridSelInput : int
{
    GRID_SEL_KEYS = 0,
    GRID_SEL_LEFT = 1,
    GRID_SEL_RIGHT = 2,
    GRID_SEL_DRAG = 3
};
