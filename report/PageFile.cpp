// Writing a page to a file in large blocks, replacing a regular file only when it is complete.
#include "report/PageFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

namespace
{
// Lines are gathered up to this size before they are written.
constexpr size_t kWriteBlock = 256 * 1024;

// Permission bits of a new file: 0666 less the process's umask, as a shell redirection gives.
unsigned NewFileMode()
{
    mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666u & ~static_cast<unsigned>(mask);
}
} // namespace

CPageFile::~CPageFile()
{
    if (m_nStream >= 0)
        m_fs.Close(m_nStream);
}

bool CPageFile::Fail(int error)
{
    if (!m_nError)
        m_nError = error ? error : EIO;
    return false;
}

bool CPageFile::Open(const std::filesystem::path& path)
{
    // A link to a page stays a link: the file it leads to is replaced beside itself.
    const std::filesystem::path file = m_fs.ResolveLinks(path);
    FILESTAT existing;
    const bool exists = m_fs.StatPath(file, existing);
    if (!exists && m_fs.LastError() != ENOENT)
        return Fail(m_fs.LastError());
    if (exists && !existing.bRegular)
    {
        m_nStream = m_fs.OpenStream(file);
        return m_nStream >= 0 || Fail(m_fs.LastError());
    }
    m_pReplacing = std::make_unique<CReplacingFile>(m_fs, file);
    m_pReplacing->SetFlush(m_bFlush);
    if (!m_pReplacing->Create(exists ? existing.nMode : NewFileMode(), exists ? &existing : nullptr))
        return Fail(m_pReplacing->Error());
    m_buffer.reserve(kWriteBlock + 4096);
    return true;
}

bool CPageFile::Flush()
{
    if (m_nError)
        return false;
    if (m_buffer.empty())
        return true;
    if (m_pReplacing && m_buffer.size() > m_nMaxSize - std::min(m_nWritten, m_nMaxSize))
        return Fail(kErrTooLarge);
    bool ok = m_pReplacing ? m_pReplacing->Write(m_nWritten, m_buffer.data(), m_buffer.size())
                           : m_fs.WriteAt(m_nStream, m_nWritten, m_buffer.data(), m_buffer.size());
    if (!ok)
        return Fail(m_pReplacing ? m_pReplacing->Error() : m_fs.LastError());
    m_nWritten += m_buffer.size();
    m_buffer.clear();
    return true;
}

bool CPageFile::WriteLine(const std::string& line)
{
    if (m_nError || (!m_pReplacing && m_nStream < 0))
        return Fail(EBADF);
    m_buffer += line;
    m_buffer += '\n';
    return m_buffer.size() < kWriteBlock || Flush();
}

bool CPageFile::WriteLines(std::string_view text)
{
    if (m_nError || (!m_pReplacing && m_nStream < 0))
        return Fail(EBADF);
    m_buffer += text;
    return m_buffer.size() < kWriteBlock || Flush();
}

bool CPageFile::Commit()
{
    if (!m_pReplacing && m_nStream < 0)
        return Fail(EBADF);
    if (!Flush())
        return false;
    if (m_pReplacing)
        return m_pReplacing->Commit() || Fail(m_pReplacing->Error());
    int stream = m_nStream;
    m_nStream = -1;
    return m_fs.Close(stream) || Fail(m_fs.LastError());
}

bool ReadPageTemplate(const std::filesystem::path& path, std::string& text, std::string& error)
{
    IFileSystem& fs = GetFileSystem();
    CFsHandle in(fs, fs.OpenRead(path));
    FILESTAT stat;
    bool ok = in.IsOpen() && fs.Stat(in.Get(), stat);
    if (ok && (stat.nSize > kMaxPageTemplateSize || stat.nSize == 0))
    {
        fs.SetLastError(stat.nSize ? EFBIG : kErrEmpty);
        ok = false;
    }
    if (ok)
    {
        text.resize(static_cast<size_t>(stat.nSize));
        ok = ReadExactly(fs, in.Get(), 0, text.data(), text.size());
    }
    if (!ok)
    {
        text.clear();
        error = FileErrorDetail(path, fs.LastError());
    }
    return ok;
}
