// The banks a command works on: every operand that is a file, and every "*.94b" file (any
// case) below an operand that is a directory, in a stable order.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Operands in order; a directory is replaced by its banks sorted by path. A directory that
// cannot be read is reported on err and sets failed; the others go on.
std::vector<std::string> ExpandBankOperands(const std::vector<std::string>& operands, std::ostream& err, bool& failed);
