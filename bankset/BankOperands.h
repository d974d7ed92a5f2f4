// The banks a command or a window works on: every operand that is a file, and every "*.94b"
// file (any case) below an operand that is a directory, in a stable order.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// A directory that could not be walked to its end, and why.
struct OPERANDERROR
{
    std::string strOperand;
    std::string strReason;
};

// Operands in order; a directory is replaced by its banks sorted by path. A directory that
// cannot be read is added to errors; the others go on.
std::vector<std::string> ExpandBankOperands(const std::vector<std::string>& operands,
                                            std::vector<OPERANDERROR>& errors);
// The same, each error printed on err as "orvane-cli: DIR: REASON" and setting failed.
std::vector<std::string> ExpandBankOperands(const std::vector<std::string>& operands, std::ostream& err, bool& failed);
