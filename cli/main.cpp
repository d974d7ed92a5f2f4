// orvane-cli: entry point.
#include "base/SignalGuard.h"
#include "cli/Cli.h"

#include <iostream>

int main(int argc, char** argv)
{
    // An interrupted repair or page removes its temporary file; the program then exits 130 or 143.
    RemoveTempFilesOnSignals();
    std::vector<std::string> args(argv + 1, argv + argc);
    int code = CliMain(args, std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? code : kCliUsage;
}
