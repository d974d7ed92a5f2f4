// orvane-cli: entry point.
#include "cli/Cli.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    int code = CliMain(args, std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? code : kCliUsage;
}
