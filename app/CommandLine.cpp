// "orvane --help" and "orvane --version", answered without opening a window.
#include "app/CommandLine.h"

#include <ostream>

#ifndef ORVANE_VERSION
#define ORVANE_VERSION "unknown"
#endif

const char* DesktopHelpText()
{
    return "Usage: orvane [OPTION]... [BANK|DIR]...\n\n"
           "Shows the MIDI mapping of the .94b soundbank BANK as a page in its window (the start page\n"
           "without one): for every instrument and drum set its MIDI program, variation, Cubase Prog.\n"
           "and Cubase Bank. The bank inspector (Ctrl+I) edits the bank's name, priority and entries;\n"
           "the page can be saved, printed, packed with the bank into a ZIP archive or opened in the\n"
           "web browser. Several banks, or a folder, open as a bank set: a page that tells which bank\n"
           "answers each program and variation when they are loaded together.\n\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "      --verbose  log more messages\n";
}

int AnswerInfoOption(const std::vector<std::string>& args, std::ostream& out)
{
    for (const std::string& arg : args)
    {
        if (arg == "--")
            break;
        if (arg == "-h" || arg == "--help")
        {
            out << DesktopHelpText();
            return 0;
        }
        if (arg == "--version")
        {
            out << "orvane " ORVANE_VERSION "\n";
            return 0;
        }
    }
    return -1;
}
