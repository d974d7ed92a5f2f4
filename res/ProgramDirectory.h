// Where the program's companion files live: the directory of the running executable.
#pragma once

#include <string>

// Directory of the running executable, ending in '/'; "" when it cannot be found.
// "Qzr.mas", "NoBank.html", "qzr.opt" and help/ are looked up there.
std::string GetProgramDirectory();
