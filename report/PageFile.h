// CPageFile: a page written to its file while it is made. A regular file (or a name not yet
// taken) is replaced in one step once the page is complete, through a temporary file beside
// it, so a failed page never leaves a truncated one; a terminal, pipe or device is written
// straight into. Lines are gathered into large writes.
#pragma once

#include "base/FileSystem.h"
#include "base/ReplaceFile.h"
#include "report/PageSink.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class CPageFile : public IPageSink
{
public:
    explicit CPageFile(IFileSystem& fs) : m_fs(fs) {}
    ~CPageFile() override;
    CPageFile(const CPageFile&) = delete;
    CPageFile& operator=(const CPageFile&) = delete;

    // Whether Commit waits until a replaced page is on the disk (the default). A page that lives
    // only while the program runs, in its private directory, need not. Set before Open.
    void SetFlush(bool bFlush) { m_bFlush = bFlush; }
    // The most a page written to a regular file may hold; a larger one fails (kErrTooLarge) and
    // the old page stays. Pages streamed to a terminal, pipe or device have no bound.
    void SetMaxSize(uint64_t nMax) { m_nMaxSize = nMax; }
    // Prepares writing the page at path; false with Error() set.
    bool Open(const std::filesystem::path& path);
    bool WriteLine(const std::string& line) override;
    bool WriteLines(std::string_view text) override;
    bool Failed() const override { return m_nError != 0; }
    // Writes what is gathered and puts the page in place; false with Error() set.
    bool Commit();

    // errno or one of the kErr numbers of the step that failed.
    int Error() const { return m_nError; }

private:
    bool Flush();
    bool Fail(int error);

    IFileSystem& m_fs;
    std::unique_ptr<CReplacingFile> m_pReplacing;
    int m_nStream = -1;
    std::string m_buffer;
    uint64_t m_nWritten = 0;
    int m_nError = 0;
    bool m_bFlush = true;
    uint64_t m_nMaxSize = UINT64_MAX;
};

// Largest template read; a page template is a few kilobytes.
constexpr uint64_t kMaxPageTemplateSize = 64ull << 20;

// Reads a page template whole, from a regular file only (a FIFO or device named as the template
// is refused at once, never waited on). false with error "PATH: REASON" when it cannot be read,
// is empty or larger than kMaxPageTemplateSize.
bool ReadPageTemplate(const std::filesystem::path& path, std::string& text, std::string& error);
