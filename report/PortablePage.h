// CPortablePage: a copy of a mapping page that still shows its pictures elsewhere. The page on
// show refers to the logo beside the program and to the background image by their full paths on
// this machine; the copy refers to them by plain names, and the files are listed so that they can
// be put beside the copy (a saved page) or into the archive with it (Export to Zip).
#pragma once

#include "base/FileSystem.h"
#include "report/PageSink.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct PAGEPICTURE
{
    std::filesystem::path source; // the file on this machine
    std::string strName;          // the name the copy refers to it by
};

class CPortablePage
{
public:
    // Whether the copy may refer to source by name: false when the name is taken by something
    // else where the copy goes. Names are tried in turn ("logo.png", "logo-2.png", ...).
    using NameCheck = std::function<bool(const std::string& name, const std::filesystem::path& source)>;

    CPortablePage(IFileSystem& fs, NameCheck isFree);

    // Rewrites the src and background attributes of one line of the page that name a regular
    // file by its full path (or as a file: URL) to the file's name in the copy.
    void RewriteLine(std::string& line);
    // Reads the page line by line into sink, rewritten. 1 done; 0 when the page could not be read
    // (Error() says why) or the sink failed.
    int Copy(const std::filesystem::path& page, IPageSink& sink);

    const std::vector<PAGEPICTURE>& Pictures() const { return m_pictures; }
    int Error() const { return m_nError; }

private:
    // The name of source in the copy; "" when no free name was found (the reference then stays).
    std::string NameFor(const std::filesystem::path& source);

    IFileSystem& m_fs;
    NameCheck m_isFree;
    std::vector<PAGEPICTURE> m_pictures;
    int m_nError = 0;
};

// What SavePortablePage could not do.
enum PORTABLESAVE
{
    SaveDone,
    SavePageFailed,    // the page could not be read or the copy written
    SavePictureFailed, // a picture could not be copied beside it; the page was not saved
};

// Saves the page at target, its pictures beside it: a picture goes under its own name unless a
// different file already has that name (then "name-2.png", ...); a file of that name with the
// same bytes is used as it is. Nothing the user has is overwritten but target itself, which is
// replaced once the copy is complete. detail says "PATH: REASON" of a failure.
PORTABLESAVE SavePortablePage(IFileSystem& fs, const std::filesystem::path& page, const std::filesystem::path& target,
                              std::string& detail);
