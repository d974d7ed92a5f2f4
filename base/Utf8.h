// Text that leaves the program declared as UTF-8 (pages, JSON) must be valid UTF-8 even when
// it comes from raw bytes such as a path.
#pragma once

#include <string>

// text with every byte sequence that is not well-formed UTF-8 replaced by U+FFFD.
std::string ToValidUtf8(const std::string& text);
