// A bank name is 8 raw bytes, shown and edited as Windows-1252 text. These helpers convert
// between those bytes and UTF-8 so that every byte value survives the round trip.
#pragma once

#include <string>

// The displayed part of a name: the bytes up to the first zero byte.
std::string BankNameText(const std::string& rawName);

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined map to the
// control characters of the same value, so every byte has a character.
std::string Cp1252ToUtf8(const std::string& bytes);

// UTF-8 to Windows-1252 bytes; a character the code page lacks becomes '?'.
// Text from Cp1252ToUtf8 converts back to exactly the original bytes.
std::string Utf8ToCp1252(const std::string& text);

// Whether a name can hold text: every character is one of Windows-1252 and none is a zero byte.
bool BankNameCanHold(const std::string& text);

// The 8 bytes written for a name: its first 8 bytes, or its bytes followed by zeros.
std::string PadBankName(const std::string& bytes);
