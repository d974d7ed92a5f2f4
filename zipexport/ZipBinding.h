// The ZIP library binding: libzip is loaded at run time for each export, checked, driven and
// unloaded again, so the program starts and works without it; only the export needs it.
#pragma once

#include <string>
#include <vector>

// Sets the directory the names handed to ZipFiles are relative to ("" means the current one).
void SetZipRootDir(const std::string& dir);
// Sets the archive to write. An existing archive receives the entries (same names are replaced),
// or with bReplace is replaced by one holding only them.
void SetZipArchiveName(const std::string& name, bool bReplace = false);

// Archives the two names, in this order, under the root directory. Returns RunZipArchive's result.
int ZipFiles(const std::string& first, const std::string& second);

// One entry of an archive: the file (relative to the root directory unless it is a full path)
// and the name it is stored under.
struct ZIPENTRY
{
    std::string strFile;
    std::string strName;
};
// Archives the entries, in this order, as RunZipArchive does.
int ZipEntries(const std::vector<ZIPENTRY>& entries);

// Loads the library, stores each name (relative to the root directory, entry named as given) in the
// archive, and unloads the library. Returns 1 when the archive was written, 0 otherwise; every
// failure has been reported by then.
int RunZipArchive(const std::vector<std::string>& names);

// The part of a path after its last '/'; the whole text when there is none.
std::string FileNameOf(const std::string& path);
// The part of a path up to and including its last '/'; "" when there is none.
std::string DirectoryOf(const std::string& path);

// Where the library is looked for, in order: the program directory's "libzip.so.5" and
// "libzip.so.4", then the same names through the system loader. An entry with a '/' is a file
// that must exist; a bare name is left to the loader's own search.
std::vector<std::string> GetZipLibrarySearchList();

// For tests only: replaces the search list until ResetZipLibrarySearchList is called.
void SetZipLibrarySearchList(const std::vector<std::string>& list);
void ResetZipLibrarySearchList();
