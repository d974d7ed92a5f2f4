// The page copies handed to the web browser: made exclusively, written whole or not at all,
// removed when the program ends.
#include "app/BrowserCopy.h"

#include "base/FileSystem.h"

#include <unistd.h>

#include <cerrno>

#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// The copies made by this process (a child made by fork removes none of its parent's).
struct CBrowserCopies
{
    pid_t pid = 0;
    std::vector<fs::path> paths;
};

CBrowserCopies& Copies()
{
    static CBrowserCopies copies;
    return copies;
}

// Creates a new file of a name nobody holds; -1 with the file system's error otherwise.
int CreateUniqueCopy(IFileSystem& files, const fs::path& dir, fs::path& path)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        std::string name = "orvane-page-";
        for (int i = 0; i < 6; ++i)
            name += kLetters[pick(random)];
        path = dir / (name + ".html");
        int handle = files.Create(path, 0600);
        if (handle >= 0 || files.LastError() != EEXIST)
            return handle;
    }
    return -1;
}
} // namespace

fs::path CopyPageForBrowser(const fs::path& page, std::string& detail)
{
    IFileSystem& files = GetFileSystem();
    CFsHandle source(files, files.OpenRead(page));
    FILESTAT stat;
    if (!source.IsOpen() || !files.Stat(source.Get(), stat))
    {
        detail = FileErrorDetail(page, files.LastError());
        return {};
    }
    std::error_code ec;
    fs::path dir = fs::temp_directory_path(ec);
    if (ec)
    {
        detail = FileErrorDetail(page, ec.value());
        return {};
    }
    fs::path copy;
    CFsHandle target(files, CreateUniqueCopy(files, dir, copy));
    if (!target.IsOpen())
    {
        detail = FileErrorDetail(copy, files.LastError());
        return {};
    }

    // Copied in pieces; the copy is only handed out once every byte is written and it is closed.
    std::vector<unsigned char> buffer(64 * 1024);
    uint64_t offset = 0;
    int error = 0;
    fs::path failed = copy;
    for (;;)
    {
        size_t got = 0;
        if (!files.ReadAt(source.Get(), offset, buffer.data(), buffer.size(), got))
        {
            error = files.LastError();
            failed = page;
            break;
        }
        if (got == 0)
            break;
        if (!files.WriteAt(target.Get(), offset, buffer.data(), got))
        {
            error = files.LastError();
            break;
        }
        offset += got;
    }
    if (!target.Close() && error == 0)
        error = files.LastError() != 0 ? files.LastError() : EIO;
    if (error != 0)
    {
        detail = FileErrorDetail(failed, error);
        files.Remove(copy);
        return {};
    }
    CBrowserCopies& copies = Copies();
    if (copies.pid != ::getpid())
        copies = CBrowserCopies{::getpid(), {}};
    copies.paths.push_back(copy);
    return copy;
}

void RemoveBrowserCopies()
{
    CBrowserCopies& copies = Copies();
    if (copies.pid == ::getpid())
        for (const fs::path& path : copies.paths)
            GetFileSystem().Remove(path);
    copies = CBrowserCopies();
}
