// The command-line tool's commands. Each takes the words after its name and writes to the
// given streams, so tests run them in-process. Exit codes: 0 success, 1 a bank failed to load
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

int RunInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunMapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunZipCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunRepairCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunSetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunOverlapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunHistoryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunUndoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunRedoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
