// wx key codes and modifier states to grid key codes and flags.
#include "grid/wx/GridWxInput.h"

#include "grid/GridKeys.h"

#include <wx/event.h>

#include <iterator>

namespace
{
struct KEYMAP
{
    int nWx;
    unsigned nGrid;
};

// Keys without a character of their own. Keypad navigation keys (Num Lock off) act as the keys
// they stand for; keypad digits, operators and Enter keep codes of their own.
const KEYMAP kSpecialKeys[] = {
    {WXK_BACK, GRID_VK_BACK},
    {WXK_TAB, GRID_VK_TAB},
    {WXK_NUMPAD_TAB, GRID_VK_TAB},
    {WXK_RETURN, GRID_VK_RETURN},
    {WXK_NUMPAD_ENTER, GRID_VK_NUMPAD_ENTER},
    {WXK_ESCAPE, GRID_VK_ESCAPE},
    {WXK_SPACE, GRID_VK_SPACE},
    {WXK_NUMPAD_SPACE, GRID_VK_SPACE},
    {WXK_DELETE, GRID_VK_DELETE},
    {WXK_NUMPAD_DELETE, GRID_VK_DELETE},
    {WXK_CANCEL, GRID_VK_CANCEL},
    {WXK_CLEAR, GRID_VK_CLEAR},
    {WXK_NUMPAD_BEGIN, GRID_VK_CLEAR},
    {WXK_SHIFT, GRID_VK_SHIFT},
    {WXK_CONTROL, GRID_VK_CONTROL},
    {WXK_ALT, GRID_VK_MENU},
    {WXK_MENU, GRID_VK_MENU},
    {WXK_PAUSE, GRID_VK_PAUSE},
    {WXK_CAPITAL, GRID_VK_CAPITAL},
    {WXK_PAGEUP, GRID_VK_PRIOR},
    {WXK_NUMPAD_PAGEUP, GRID_VK_PRIOR},
    {WXK_PAGEDOWN, GRID_VK_NEXT},
    {WXK_NUMPAD_PAGEDOWN, GRID_VK_NEXT},
    {WXK_END, GRID_VK_END},
    {WXK_NUMPAD_END, GRID_VK_END},
    {WXK_HOME, GRID_VK_HOME},
    {WXK_NUMPAD_HOME, GRID_VK_HOME},
    {WXK_LEFT, GRID_VK_LEFT},
    {WXK_NUMPAD_LEFT, GRID_VK_LEFT},
    {WXK_UP, GRID_VK_UP},
    {WXK_NUMPAD_UP, GRID_VK_UP},
    {WXK_RIGHT, GRID_VK_RIGHT},
    {WXK_NUMPAD_RIGHT, GRID_VK_RIGHT},
    {WXK_DOWN, GRID_VK_DOWN},
    {WXK_NUMPAD_DOWN, GRID_VK_DOWN},
    {WXK_SELECT, GRID_VK_SELECT},
    {WXK_PRINT, GRID_VK_PRINT},
    {WXK_EXECUTE, GRID_VK_EXECUTE},
    {WXK_SNAPSHOT, GRID_VK_SNAPSHOT},
    {WXK_INSERT, GRID_VK_INSERT},
    {WXK_NUMPAD_INSERT, GRID_VK_INSERT},
    {WXK_HELP, GRID_VK_HELP},
    {WXK_WINDOWS_LEFT, GRID_VK_LWIN},
    {WXK_WINDOWS_RIGHT, GRID_VK_RWIN},
    {WXK_WINDOWS_MENU, GRID_VK_APPS},
    {WXK_MULTIPLY, GRID_VK_MULTIPLY},
    {WXK_NUMPAD_MULTIPLY, GRID_VK_MULTIPLY},
    {WXK_ADD, GRID_VK_ADD},
    {WXK_NUMPAD_ADD, GRID_VK_ADD},
    {WXK_SEPARATOR, GRID_VK_SEPARATOR},
    {WXK_NUMPAD_SEPARATOR, GRID_VK_SEPARATOR},
    {WXK_SUBTRACT, GRID_VK_SUBTRACT},
    {WXK_NUMPAD_SUBTRACT, GRID_VK_SUBTRACT},
    {WXK_DECIMAL, GRID_VK_DECIMAL},
    {WXK_NUMPAD_DECIMAL, GRID_VK_DECIMAL},
    {WXK_DIVIDE, GRID_VK_DIVIDE},
    {WXK_NUMPAD_DIVIDE, GRID_VK_DIVIDE},
    {WXK_NUMPAD_EQUAL, GRID_VK_OEM_NEC_EQUAL},
    {WXK_NUMLOCK, GRID_VK_NUMLOCK},
    {WXK_SCROLL, GRID_VK_SCROLL},
    {WXK_LAUNCH_MAIL, GRID_VK_BROWSER_BACK + 14},
    {WXK_LAUNCH_APP1, GRID_VK_BROWSER_BACK + 16},
    {WXK_LAUNCH_APP2, GRID_VK_BROWSER_BACK + 17},
};

// Punctuation by the character of its unshifted key on a US layout.
const KEYMAP kPunctuation[] = {
    {';', GRID_VK_OEM_1},      {'=', GRID_VK_OEM_PLUS}, {',', GRID_VK_OEM_COMMA},  {'-', GRID_VK_OEM_MINUS},
    {'.', GRID_VK_OEM_PERIOD}, {'/', GRID_VK_OEM_2},    {'`', GRID_VK_OEM_3},      {'[', GRID_VK_OEM_4},
    {'\\', GRID_VK_OEM_5},     {']', GRID_VK_OEM_6},    {'\'', GRID_VK_OEM_7},     {'<', GRID_VK_OEM_102},
    {':', GRID_VK_OEM_1},      {'+', GRID_VK_OEM_PLUS}, {'>', GRID_VK_OEM_PERIOD}, {'_', GRID_VK_OEM_MINUS},
    {'?', GRID_VK_OEM_2},      {'~', GRID_VK_OEM_3},    {'{', GRID_VK_OEM_4},      {'|', GRID_VK_OEM_5},
    {'}', GRID_VK_OEM_6},      {'"', GRID_VK_OEM_7},
};

unsigned Find(const KEYMAP* pBegin, const KEYMAP* pEnd, int nWx)
{
    for (const KEYMAP* p = pBegin; p != pEnd; ++p)
        if (p->nWx == nWx)
            return p->nGrid;
    return 0;
}
} // namespace

unsigned GridKeyFromWx(int nWxKey, int nUnicode)
{
    if (unsigned n = Find(std::begin(kSpecialKeys), std::end(kSpecialKeys), nWxKey))
        return n;
    if (nWxKey >= WXK_F1 && nWxKey <= WXK_F24)
        return GRID_VK_F1 + static_cast<unsigned>(nWxKey - WXK_F1);
    if (nWxKey >= WXK_NUMPAD_F1 && nWxKey <= WXK_NUMPAD_F4)
        return GRID_VK_F1 + static_cast<unsigned>(nWxKey - WXK_NUMPAD_F1);
    if (nWxKey >= WXK_NUMPAD0 && nWxKey <= WXK_NUMPAD9)
        return GRID_VK_NUMPAD0 + static_cast<unsigned>(nWxKey - WXK_NUMPAD0);
    if (nWxKey >= WXK_BROWSER_BACK && nWxKey <= WXK_MEDIA_PLAY_PAUSE)
        return GRID_VK_BROWSER_BACK + static_cast<unsigned>(nWxKey - WXK_BROWSER_BACK);
    if ((nWxKey >= '0' && nWxKey <= '9') || (nWxKey >= 'A' && nWxKey <= 'Z'))
        return static_cast<unsigned>(nWxKey);
    if (nWxKey >= 'a' && nWxKey <= 'z')
        return static_cast<unsigned>(nWxKey - 'a' + 'A');
    if (unsigned n = Find(std::begin(kPunctuation), std::end(kPunctuation), nWxKey))
        return n;
    // Keys of other layouts (accented letters, dead keys) and anything wx names no further.
    return (nWxKey > 0 && nWxKey < WXK_START) || nUnicode > 0 ? static_cast<unsigned>(GRID_VK_OEM_8) : 0u;
}

unsigned GridKeyFromWx(const wxKeyEvent& event)
{
    return GridKeyFromWx(event.GetKeyCode(), static_cast<int>(event.GetUnicodeKey()));
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
