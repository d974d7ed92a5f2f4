// The ZIP library binding on libzip, found and loaded with dlopen around each export.
#include "zipexport/ZipBinding.h"

#include "res/MessageBox.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"

#include <zip.h> // types and flags only: the library itself is loaded at run time

#include <dlfcn.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

namespace
{
// Binding state: one export at a time, on the user-interface thread.
std::string g_strRootDir;
std::string g_strArchiveName;
bool g_bReplaceArchive = false;
std::optional<std::vector<std::string>> g_searchListOverride;

// The name "%s" stands for in the not-found message, when no file was found to name.
const char* const kLibraryName = "libzip";

// Entry points the export uses; all of them exist in every libzip 1.x.
struct ZipApi
{
    decltype(&zip_open) open = nullptr;
    decltype(&zip_source_file) sourceFile = nullptr;
    decltype(&zip_source_free) sourceFree = nullptr;
    decltype(&zip_file_add) fileAdd = nullptr;
    decltype(&zip_close) close = nullptr;
    decltype(&zip_discard) discard = nullptr;
    decltype(&zip_strerror) strError = nullptr;
    decltype(&zip_error_init_with_code) errorInitWithCode = nullptr;
    decltype(&zip_error_strerror) errorStrError = nullptr;
    decltype(&zip_error_fini) errorFini = nullptr;
};

// Shows one of the library messages: its "%s" becomes the library's file name.
void ReportLibraryMessage(unsigned id, const std::string& libraryName)
{
    AppMessageBoxText(FormatStringId(id, {libraryName}), MsgStop, LoadStringId(IDS_ZIP_CAPTION));
}

void ReportWriteFailure(const std::string& archive, const std::string& reason)
{
    AppMessageBoxText(FormatStringId(IDS_ZIP_WRITEFAILED, {archive, reason}), MsgStop);
}

// Owns a dlopen handle and closes it when the export ends, whichever way.
class CLibraryHandle
{
public:
    explicit CLibraryHandle(void* handle = nullptr) : m_hLibrary(handle) {}
    ~CLibraryHandle()
    {
        if (m_hLibrary)
            dlclose(m_hLibrary);
    }
    CLibraryHandle(const CLibraryHandle&) = delete;
    CLibraryHandle& operator=(const CLibraryHandle&) = delete;

    void* Get() const { return m_hLibrary; }
    void Reset(void* handle)
    {
        if (m_hLibrary)
            dlclose(m_hLibrary);
        m_hLibrary = handle;
    }

private:
    void* m_hLibrary;
};

// Finds and loads the library along the search list. Reports "not found" or "could not load"
// and returns false on failure; otherwise the handle and the loaded file's name are set.
bool LoadZipLibrary(CLibraryHandle& library, std::string& strName)
{
    for (const std::string& entry : GetZipLibrarySearchList())
    {
        dlerror();
        if (entry.find('/') != std::string::npos)
        {
            std::error_code ec;
            if (!std::filesystem::exists(entry, ec))
                continue;
            strName = FileNameOf(entry);
            library.Reset(dlopen(entry.c_str(), RTLD_NOW | RTLD_LOCAL));
            if (!library.Get())
            {
                ReportLibraryMessage(IDS_ZIP_CANTLOAD, strName);
                return false;
            }
            return true;
        }

        // A bare name: the system loader searches. Only its "no such file" means not found here;
        // any other refusal means a file was found that does not load.
        library.Reset(dlopen(entry.c_str(), RTLD_NOW | RTLD_LOCAL));
        if (library.Get())
        {
            strName = entry;
            return true;
        }
        const char* error = dlerror();
        if (error && !std::strstr(error, "No such file"))
        {
            ReportLibraryMessage(IDS_ZIP_CANTLOAD, entry);
            return false;
        }
    }
    ReportLibraryMessage(IDS_ZIP_NOTFOUND, kLibraryName);
    return false;
}

// Accepts the library when it reports a 1.x version, the interface the export is written for.
bool CheckZipVersion(void* library)
{
    using VersionFn = const char* (*)();
    auto version = reinterpret_cast<VersionFn>(dlsym(library, "zip_libzip_version"));
    if (!version)
        return false;
    const char* text = version();
    return text && text[0] == '1' && text[1] == '.';
}

template <typename Fn> bool LookUp(void* library, const char* name, Fn& fn)
{
    fn = reinterpret_cast<Fn>(dlsym(library, name));
    return fn != nullptr;
}

bool LookUpEntryPoints(void* library, ZipApi& api)
{
    bool bAll = LookUp(library, "zip_open", api.open);
    bAll = LookUp(library, "zip_source_file", api.sourceFile) && bAll;
    bAll = LookUp(library, "zip_source_free", api.sourceFree) && bAll;
    bAll = LookUp(library, "zip_file_add", api.fileAdd) && bAll;
    bAll = LookUp(library, "zip_close", api.close) && bAll;
    bAll = LookUp(library, "zip_discard", api.discard) && bAll;
    bAll = LookUp(library, "zip_strerror", api.strError) && bAll;
    bAll = LookUp(library, "zip_error_init_with_code", api.errorInitWithCode) && bAll;
    bAll = LookUp(library, "zip_error_strerror", api.errorStrError) && bAll;
    bAll = LookUp(library, "zip_error_fini", api.errorFini) && bAll;
    return bAll;
}

// Writes the archive with the loaded library. libzip builds the new archive in a temporary file
// and renames it over the old one on close, so a failure leaves an existing archive as it was.
bool WriteArchive(const ZipApi& api, const std::vector<ZIPENTRY>& entries)
{
    // libzip reads the files only when it closes the archive and then cannot say which one
    // failed, so each is checked first: a missing file is named and nothing is written.
    for (const ZIPENTRY& entry : entries)
    {
        std::string path = (std::filesystem::path(g_strRootDir) / entry.strFile).string();
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file)
        {
            ReportWriteFailure(g_strArchiveName, path + ": " + std::strerror(errno));
            return false;
        }
        std::fclose(file);
    }

    int nError = 0;
    // A replaced archive starts empty; its old content is read neither now nor on close.
    zip_t* archive = api.open(g_strArchiveName.c_str(), ZIP_CREATE | (g_bReplaceArchive ? ZIP_TRUNCATE : 0), &nError);
    if (!archive)
    {
        zip_error_t error;
        api.errorInitWithCode(&error, nError);
        std::string reason = api.errorStrError(&error);
        api.errorFini(&error);
        ReportWriteFailure(g_strArchiveName, reason);
        return false;
    }

    for (const ZIPENTRY& entry : entries)
    {
        std::string path = (std::filesystem::path(g_strRootDir) / entry.strFile).string();
        zip_source_t* source = api.sourceFile(archive, path.c_str(), 0, -1);
        bool bAdded = source && api.fileAdd(archive, entry.strName.c_str(), source, ZIP_FL_OVERWRITE) >= 0;
        if (!bAdded)
        {
            std::string reason = entry.strName + ": " + api.strError(archive);
            if (source)
                api.sourceFree(source);
            api.discard(archive);
            ReportWriteFailure(g_strArchiveName, reason);
            return false;
        }
    }

    if (api.close(archive) != 0)
    {
        std::string reason = api.strError(archive);
        api.discard(archive);
        ReportWriteFailure(g_strArchiveName, reason);
        return false;
    }
    return true;
}
} // namespace

void SetZipRootDir(const std::string& dir)
{
    g_strRootDir = dir;
}

void SetZipArchiveName(const std::string& name, bool bReplace)
{
    g_strArchiveName = name;
    g_bReplaceArchive = bReplace;
}

int ZipFiles(const std::string& first, const std::string& second)
{
    return RunZipArchive({first, second});
}

int RunZipArchive(const std::vector<std::string>& names)
{
    std::vector<ZIPENTRY> entries;
    for (const std::string& name : names)
        entries.push_back({name, name});
    return ZipEntries(entries);
}

int ZipEntries(const std::vector<ZIPENTRY>& entries)
{
    CLibraryHandle library;
    std::string strName;
    if (!LoadZipLibrary(library, strName))
        return 0;

    if (!CheckZipVersion(library.Get()))
    {
        ReportLibraryMessage(IDS_ZIP_BADVERSION, strName);
        return 0;
    }

    ZipApi api;
    if (!LookUpEntryPoints(library.Get(), api))
    {
        ReportLibraryMessage(IDS_ZIP_NOENTRY, strName);
        return 0;
    }

    return WriteArchive(api, entries) ? 1 : 0;
}

std::string FileNameOf(const std::string& path)
{
    std::string::size_type pos = path.rfind('/');
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string DirectoryOf(const std::string& path)
{
    std::string::size_type pos = path.rfind('/');
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::vector<std::string> GetZipLibrarySearchList()
{
    if (g_searchListOverride)
        return *g_searchListOverride;

    static const char* const names[] = {"libzip.so.5", "libzip.so.4"};
    std::vector<std::string> list;
    std::string strProgramDir = GetProgramDirectory();
    if (!strProgramDir.empty())
        for (const char* name : names)
            list.push_back(strProgramDir + name);
    for (const char* name : names)
        list.push_back(name);
    return list;
}

void SetZipLibrarySearchList(const std::vector<std::string>& list)
{
    g_searchListOverride = list;
}

void ResetZipLibrarySearchList()
{
    g_searchListOverride.reset();
}
