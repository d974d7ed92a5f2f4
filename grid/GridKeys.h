// The grid's own key codes and mouse key flags. They carry the desktop's virtual-key values, so
// the grid's plain code, its cell types and their owners share one vocabulary; the windows
// translate their toolkit's codes into these.
#pragma once

enum GridKey : unsigned
{
    GRID_VK_BACK = 0x08,
    GRID_VK_TAB = 0x09,
    GRID_VK_RETURN = 0x0D,
    GRID_VK_SHIFT = 0x10,
    GRID_VK_CONTROL = 0x11,
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
    GRID_VK_INSERT = 0x2D,
    GRID_VK_DELETE = 0x2E,
    GRID_VK_F2 = 0x71
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
