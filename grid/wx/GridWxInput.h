// Translation of wx input into the grid's own vocabulary: key codes with the virtual-key
// values of GridKeys.h, and mouse key flags.
#pragma once

class wxKeyEvent;
class wxMouseEvent;

unsigned GridKeyFromWx(int nWxKey);
unsigned GridFlagsFromKey(const wxKeyEvent& event);
unsigned GridFlagsFromMouse(const wxMouseEvent& event);
