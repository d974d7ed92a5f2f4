// Runs orvane-cli's commands in-process and keeps what they printed.
#pragma once

#include "cli/Cli.h"

#include <sstream>
#include <string>
#include <vector>

struct CliRun
{
    int code;
    std::string out;
    std::string err;
};

inline CliRun RunCli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    int code = CliMain(args, out, err);
    return {code, out.str(), err.str()};
}
