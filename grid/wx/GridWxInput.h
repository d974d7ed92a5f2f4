// Translation of wx input into the grid's own vocabulary: key codes with the virtual-key
// values of GridKeys.h, and mouse key flags.
#pragma once

class wxKeyEvent;
class wxMouseEvent;

// Every key wx reports has a grid code; 0 only for WXK_NONE without a character.
unsigned GridKeyFromWx(int nWxKey, int nUnicode = 0);
unsigned GridKeyFromWx(const wxKeyEvent& event);
unsigned GridFlagsFromKey(const wxKeyEvent& event);
unsigned GridFlagsFromMouse(const wxMouseEvent& event);
