// The desktop program's answers to --help and --version. They are given before the window system
// starts, so they work in a terminal without a display (and the manual page is made from them).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The help text of "orvane --help".
const char* DesktopHelpText();

// args: the words after the program name. When one of them, before a "--", asks for the help or
// the version, prints it to out and returns the exit status 0; -1 when the program is to start.
int AnswerInfoOption(const std::vector<std::string>& args, std::ostream& out);
