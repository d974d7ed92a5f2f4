// The command-line tool. It takes the words after the program name and writes to the given
// streams, so tests run it in-process. Exit codes: 0 success, 1 a bank failed to load
// (or a change failed), 2 usage, template or output errors.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

enum CliExit : int
{
    kCliOk = 0,
    kCliBankFailed = 1,
    kCliUsage = 2
};

// The whole tool: args are the words after the program name.
int CliMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
