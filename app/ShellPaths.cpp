// The desktop shell's paths: its private directory, the settings file, dropped shortcuts, save names.
#include "app/ShellPaths.h"

#include "app/Settings.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace
{
std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r");
    size_t e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The private directory of the running program, and which process made it: a child made by fork
// is another running program and makes its own.
struct CPrivateDirectory
{
    pid_t pid = 0;
    fs::path path;
};

CPrivateDirectory& PrivateDirectory()
{
    static CPrivateDirectory directory;
    return directory;
}

// "file:///a%20b" -> "/a b"; "" for any other scheme or a remote host.
std::string PathFromFileUrl(const std::string& url)
{
    if (url.rfind("file:", 0) != 0)
        return "";
    std::string rest = url.substr(5);
    if (rest.rfind("//", 0) == 0)
    {
        size_t slash = rest.find('/', 2);
        std::string host = rest.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
        if (!host.empty() && host != "localhost")
            return "";
        rest = slash == std::string::npos ? std::string() : rest.substr(slash);
    }
    std::string path;
    for (size_t i = 0; i < rest.size(); ++i)
    {
        if (rest[i] == '%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 && HexValue(rest[i + 2]) >= 0)
        {
            path += static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2]));
            i += 2;
        }
        else
            path += rest[i];
    }
    return path;
}

// The link target of a ".desktop" file of Type=Link, from its [Desktop Entry] group.
std::string DesktopLinkTarget(const fs::path& path)
{
    std::ifstream in(path);
    if (!in)
        return "";
    std::string line, type, url;
    bool inEntry = false;
    int lines = 0;
    while (std::getline(in, line) && ++lines < 1000)
    {
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[')
        {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        size_t eq = line.find('=');
        if (!inEntry || eq == std::string::npos)
            continue;
        std::string key = Trim(line.substr(0, eq));
        std::string value = Trim(line.substr(eq + 1));
        if (key == "Type")
            type = value;
        else if (key == "URL")
            url = value;
    }
    if (type != "Link")
        return "";
    return PathFromFileUrl(url);
}
} // namespace

fs::path GetTempDirectory()
{
    CPrivateDirectory& directory = PrivateDirectory();
    // Kept while it is still our own directory; one that a cleaner of the temporary directory
    // removed is made anew under a new name, never taken over from whoever made that name since.
    struct stat st;
    if (!directory.path.empty() && directory.pid == ::getpid() && ::lstat(directory.path.c_str(), &st) == 0 &&
        S_ISDIR(st.st_mode) && st.st_uid == ::geteuid())
        return directory.path;
    directory = CPrivateDirectory();
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec || base.empty())
        return ".";
    // mkdtemp makes a new directory that only we can enter (mode 0700), never an existing one.
    std::string name = (base / "orvane-XXXXXX").string();
    if (!::mkdtemp(name.data()))
        return ".";
    directory.pid = ::getpid();
    directory.path = name;
    return directory.path;
}

void RemoveTempDirectory()
{
    CPrivateDirectory& directory = PrivateDirectory();
    if (!directory.path.empty() && directory.pid == ::getpid())
    {
        std::error_code ec;
        fs::remove_all(directory.path, ec);
    }
    directory = CPrivateDirectory();
}

fs::path GetUserSettingsPath()
{
    fs::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        config = fs::path(home) / ".config";
    else
        return {};
    return config / "orvane" / "qzr.opt";
}

int LoadSettingsFile(CSettings& settings, const fs::path& programPath, const fs::path& userPath)
{
    // The user's file exists only because the program directory's could not be written: it
    // holds the newer values.
    if (!userPath.empty() && settings.Load(userPath))
        return 1;
    if (settings.Load(programPath))
        return 1;
    settings.m_strFileName = programPath.string();
    return 0;
}

int SaveSettingsFile(CSettings& settings, const fs::path& userPath)
{
    if (settings.Save())
        return 1;
    if (userPath.empty() || fs::path(settings.m_strFileName) == userPath)
        return 0;
    std::error_code ec;
    fs::create_directories(userPath.parent_path(), ec);
    return settings.Save(userPath);
}

fs::path ResolveShortcut(const fs::path& path)
{
    std::error_code ec;
    if (path.empty())
        return {};
    if (fs::is_symlink(fs::symlink_status(path, ec)))
    {
        fs::path target = fs::read_symlink(path, ec);
        if (ec)
            return {};
        if (target.is_relative())
            target = path.parent_path() / target;
        return target.lexically_normal();
    }
    if (path.extension() == ".desktop" && fs::is_regular_file(path, ec))
        return DesktopLinkTarget(path);
    return {};
}

fs::path SuggestedSaveName(const fs::path& bankPath)
{
    const std::string& text = bankPath.native();
    size_t dot = text.find('.');
    if (dot == std::string::npos || dot == 0)
        return {};
    return text.substr(0, dot);
}

fs::path WithHtmExtension(const fs::path& path)
{
    if (path.empty() || path.has_extension())
        return path;
    return path.native() + ".htm";
}

std::string DialogFilter(const std::string& tableFilter)
{
    std::string filter = tableFilter;
    while (!filter.empty() && filter.back() == '|')
        filter.pop_back();
    // Patterns (every second field) lose the blanks around their ';' separators.
    std::string result;
    size_t field = 0;
    for (size_t i = 0; i < filter.size(); ++i)
    {
        char c = filter[i];
        if (c == '|')
            ++field;
        else if (c == ' ' && field % 2 == 1 &&
                 ((i > 0 && filter[i - 1] == ';') || (i + 1 < filter.size() && filter[i + 1] == ';')))
            continue;
        result += c;
    }
    return result;
}
