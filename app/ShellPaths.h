// Plain helpers of the desktop shell: the private temporary directory, where the settings file
// lives, shortcut resolution for dropped files and the name suggested when a page is saved.
#pragma once

#include <filesystem>
#include <string>

class CSettings;

// The running program's private directory for the mapping page: made on first use under the
// system temporary directory with a name of its own ("orvane-XXXXXX", mode 0700), so two running
// programs never share a page. "." when no such directory can be made.
// A directory removed while the program runs is made anew (under another name) at the next call.
std::filesystem::path GetTempDirectory();
// Removes the directory GetTempDirectory made for this program, with the files in it; the program
// calls it when it ends.
void RemoveTempDirectory();

// Settings file in the user's configuration directory ($XDG_CONFIG_HOME or ~/.config,
// then "orvane/qzr.opt"); used when the program directory cannot hold it. "" without a home.
std::filesystem::path GetUserSettingsPath();

// Loads the settings from the user's file, else from the program directory's file: the user's
// file is made only when the program directory's could not be written, so it is the newer one.
// 1 when one was read. m_strFileName names where the next save goes: the file that was read,
// or the program directory's file when none was.
int LoadSettingsFile(CSettings& settings, const std::filesystem::path& programPath,
                     const std::filesystem::path& userPath);
// Saves to m_strFileName; when that fails (a read-only program directory), to the user's file,
// creating its directory. 1 when the settings were written somewhere.
int SaveSettingsFile(CSettings& settings, const std::filesystem::path& userPath);

// Target of a dropped shortcut: a symbolic link gives the file it points to, a freedesktop
// ".desktop" file with Type=Link and a "file:" URL gives that file; anything else "".
std::filesystem::path ResolveShortcut(const std::filesystem::path& path);

// The name offered by Save As: the bank path up to its first dot; "" when it has no dot or
// begins with one.
std::filesystem::path SuggestedSaveName(const std::filesystem::path& bankPath);

// A save-dialog answer: ".htm" is added to a file name without extension.
std::filesystem::path WithHtmExtension(const std::filesystem::path& path);

// A file filter of the string table ("text|pattern|...||") as the file dialogs take it.
std::string DialogFilter(const std::string& tableFilter);
