// orvane-cli: entry point.
#include "cli/Cli.h"
#include "cli/CliSupport.h"

#include <iostream>

int main(int argc, char** argv)
{
    // An interrupted repair or page removes its temporary file before the program ends.
    InstallCliSignalHandlers();
    std::vector<std::string> args(argv + 1, argv + argc);
    int code = CliMain(args, std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? code : kCliUsage;
}
