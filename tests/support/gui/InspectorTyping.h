// Drives the bank inspector from the main window as a user does, for the window tests.
#pragma once

#include <string>

// Ctrl+I, a click on the first program of the table, text typed a key at a time, a click on OK.
// false when Ctrl+I showed no inspector.
bool TypeFirstProgramInInspector(const std::string& text);
