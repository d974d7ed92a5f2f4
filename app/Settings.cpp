// The settings file "qzr.opt": read whole into an archive, written through a replacement.
#include "app/Settings.h"

#include "app/Archive.h"
#include "base/FileSystem.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"

#include <vector>

namespace
{
// Settings files are tiny; anything this large is not one of ours.
constexpr uint64_t kMaxSettingsFile = 16u << 20;
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
    // Only a regular file of a sensible size is read; a FIFO or device is refused at once.
    IFileSystem& fs = GetFileSystem();
    CFsHandle file(fs, fs.OpenRead(path));
    FILESTAT stat;
    if (!file.IsOpen() || !fs.Stat(file.Get(), stat) || stat.nSize > kMaxSettingsFile)
        return 0;
    std::vector<unsigned char> bytes(static_cast<size_t>(stat.nSize));
    if (!ReadExactly(fs, file.Get(), 0, bytes.data(), bytes.size()))
        return 0;

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
    return WriteFileReplacing(GetFileSystem(), path, ar.Bytes().data(), ar.Bytes().size(), 0644);
}
