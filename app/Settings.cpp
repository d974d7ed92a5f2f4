#include "app/Settings.h"

#include "app/Archive.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace
{
// Settings files are tiny; anything this large is not one of ours.
constexpr std::uintmax_t kMaxSettingsFile = 16u << 20;

bool WriteAll(int fd, const unsigned char* data, size_t n)
{
    while (n > 0)
    {
        ssize_t done = ::write(fd, data, n);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        n -= static_cast<size_t>(done);
    }
    return true;
}
} // namespace

void CSettings::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_crTextColor << m_crBackColor << m_strBackImage << m_bKeepBackup << m_bAutoRemoveTtma;
    else
        ar >> m_crTextColor >> m_crBackColor >> m_strBackImage >> m_bKeepBackup >> m_bAutoRemoveTtma;
}

int CSettings::Load()
{
    return Load(GetProgramDirectory() + GetString(IDS_OPTIONSFILE));
}

int CSettings::Load(const std::filesystem::path& path)
{
    m_strFileName = path.string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) || std::filesystem::file_size(path, ec) > kMaxSettingsFile)
        return 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return 0;
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    // Read into a copy so that a truncated or corrupt file leaves every field as it was.
    CSettings loaded;
    CArchive ar(std::move(bytes));
    loaded.Serialize(ar);
    if (!ar.IsValid())
        return 0;
    m_crTextColor = loaded.m_crTextColor;
    m_crBackColor = loaded.m_crBackColor;
    m_strBackImage = loaded.m_strBackImage;
    m_bKeepBackup = loaded.m_bKeepBackup;
    m_bAutoRemoveTtma = loaded.m_bAutoRemoveTtma;
    return 1;
}

int CSettings::Save()
{
    return Save(m_strFileName);
}

int CSettings::Save(const std::filesystem::path& path)
{
    if (path.empty())
        return 0;
    CArchive ar;
    Serialize(ar);

    // Written beside the old file and renamed over it, so a failed save never leaves a
    // half-written settings file.
    std::string temp = path.string() + ".new";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return 0;
    bool ok = WriteAll(fd, ar.Bytes().data(), ar.Bytes().size());
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0)
    {
        std::remove(temp.c_str());
        return 0;
    }
    return 1;
}
