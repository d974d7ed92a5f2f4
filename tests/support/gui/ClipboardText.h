// The real clipboard's text, for window tests that copy and paste as a user does.
#pragma once

#include <string>

// Replaces the clipboard's content with text.
void PutOnClipboard(const std::string& text);
// The clipboard's text, or "?" when it holds none or cannot be opened.
std::string FromClipboard();
