// wx key codes and modifier states to grid key codes and flags.
#include "grid/wx/GridWxInput.h"

#include "grid/GridKeys.h"

#include <wx/event.h>

unsigned GridKeyFromWx(int nWxKey)
{
    switch (nWxKey)
    {
    case WXK_BACK:
        return GRID_VK_BACK;
    case WXK_TAB:
        return GRID_VK_TAB;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        return GRID_VK_RETURN;
    case WXK_SHIFT:
        return GRID_VK_SHIFT;
    case WXK_CONTROL:
        return GRID_VK_CONTROL;
    case WXK_ESCAPE:
        return GRID_VK_ESCAPE;
    case WXK_SPACE:
        return GRID_VK_SPACE;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
        return GRID_VK_PRIOR;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
        return GRID_VK_NEXT;
    case WXK_END:
    case WXK_NUMPAD_END:
        return GRID_VK_END;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
        return GRID_VK_HOME;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
        return GRID_VK_LEFT;
    case WXK_UP:
    case WXK_NUMPAD_UP:
        return GRID_VK_UP;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
        return GRID_VK_RIGHT;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        return GRID_VK_DOWN;
    case WXK_INSERT:
        return GRID_VK_INSERT;
    case WXK_DELETE:
        return GRID_VK_DELETE;
    case WXK_F2:
        return GRID_VK_F2;
    default:
        // Letters and digits already carry their virtual-key values.
        if ((nWxKey >= '0' && nWxKey <= '9') || (nWxKey >= 'A' && nWxKey <= 'Z'))
            return static_cast<unsigned>(nWxKey);
        return 0;
    }
}

unsigned GridFlagsFromKey(const wxKeyEvent& event)
{
    return (event.ShiftDown() ? GRID_MK_SHIFT : 0u) | (event.ControlDown() ? GRID_MK_CONTROL : 0u);
}

unsigned GridFlagsFromMouse(const wxMouseEvent& event)
{
    return (event.LeftIsDown() ? GRID_MK_LBUTTON : 0u) | (event.RightIsDown() ? GRID_MK_RBUTTON : 0u) |
           (event.ShiftDown() ? GRID_MK_SHIFT : 0u) | (event.ControlDown() ? GRID_MK_CONTROL : 0u);
}
