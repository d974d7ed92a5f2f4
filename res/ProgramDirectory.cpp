// Finds the running executable through /proc/self/exe.
#include "res/ProgramDirectory.h"

#include <unistd.h>

#include <vector>

std::string GetProgramDirectory()
{
    std::vector<char> buffer(4096);
    for (;;)
    {
        ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return "";
        if (static_cast<size_t>(n) < buffer.size())
        {
            std::string path(buffer.data(), static_cast<size_t>(n));
            auto slash = path.rfind('/');
            return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}
