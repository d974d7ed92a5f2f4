// The template engine: header tags, column headings, the two row blocks repeated for every
// entry of the bank, and the trailer, written line by line into a page sink.
#include "report/MappingReport.h"

#include "base/ByteSource.h"
#include "base/FileSystem.h"
#include "base/Utf8.h"
#include "report/PageFile.h"
#include "report/PageText.h"
#include "report/RowBlock.h"
#include "res/MessageBox.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"
#include "soundbank/BankName.h"
#include "soundbank/SoundBank.h"

#include <cerrno>
#include <ctime>
#include <memory>
#include <string_view>

namespace
{
constexpr std::string_view kStartMapping = "[ZTL_TAG_START_MAPPING]";
constexpr std::string_view kMidiMapping = "[IDS_ZTLMIDIMAPPING]";
constexpr std::string_view kStartNiceProg = "[ZTL_TAG_STARTNICEPROG]";
constexpr std::string_view kEndNiceProg = "[ZTL_TAG_ENDNICEPROG]";
constexpr std::string_view kEndProg = "[ZTL_TAG_ENDPROG]";

bool Contains(const std::string& line, std::string_view tag)
{
    return line.find(tag) != std::string::npos;
}

// A sink that counts the bytes passed on, so that rows know where they land in the page.
class CCountingSink : public IPageSink
{
public:
    explicit CCountingSink(IPageSink& sink) : m_sink(sink) {}
    bool WriteLine(const std::string& line) override
    {
        m_nBytes += line.size() + 1;
        return m_sink.WriteLine(line);
    }
    bool WriteLines(std::string_view text) override
    {
        m_nBytes += text.size();
        return m_sink.WriteLines(text);
    }
    bool Failed() const override { return m_sink.Failed(); }
    uint64_t Bytes() const { return m_nBytes; }

private:
    IPageSink& m_sink;
    uint64_t m_nBytes = 0;
};

} // namespace

uint32_t CMappingReport::ReplaceHeaderTags(std::string& line)
{
    // Each value is worked out only for a line that holds its tag: most lines hold none.
    auto replace = [&line](const char* tag, auto value)
    { return Contains(line, tag) && ReplaceAll(line, tag, value()); };
    replace("[IDS_ZTLTEXTCOLOR]", [&] { return ColorToHtml(m_crText); });
    if (replace("[IDS_ZTLBACKGROUND]", [&] { return PageBackgroundAttribute(m_crBackground, m_strImagePath); }))
        return SCAN_CONTINUE;
    if (replace("[IDS_ZTLIMGLOCATION]", [] { return PageImageLocation(); }))
        return SCAN_CONTINUE;
    // Texts of the string table are escaped like every other value ("94B & TTS").
    auto text = [](unsigned id) { return [id] { return HtmlEscape(GetString(id)); }; };
    replace("[IDS_ZTLTITLE]", text(IDS_ZTLTITLE));
    if (replace("[IDS_ZTLLEGEND]", text(IDS_ZTLLEGEND)))
        return SCAN_CONTINUE;
    replace("[IDS_ZTLAUTHOR]", text(IDS_ZTLAUTHOR));
    replace("[IDS_ZTLAUTHOREMAIL]", text(IDS_ZTLAUTHOREMAIL));
    replace("[IDS_ZTLMAPPRESETFILENAME]", [&] { return HtmlEscape(ToValidUtf8(m_strBankPath)); });
    // The page's own words, in the interface's language like the rest of the page.
    replace("[IDS_ZTLSOUNDBANK]", text(IDS_ZTLSOUNDBANK));
    replace("[IDS_ZTLPAGENOTE]", text(IDS_ZTLPAGENOTE));
    if (replace("[IDS_ZTLMAPFILEDATE]",
                []
                {
                    std::time_t now = std::time(nullptr);
                    std::tm local{};
                    localtime_r(&now, &local);
                    return HtmlEscape(GetString(IDS_ZTLMAPFILEDATE) + FormatMappingDate(local));
                }))
        return SCAN_CONTINUE;
    return Contains(line, kStartMapping) ? SCAN_START_MAPPING : SCAN_CONTINUE;
}

uint32_t CMappingReport::ReplaceColumnTags(std::string& line)
{
    static const struct
    {
        const char* tag;
        unsigned id;
    } kColumns[] = {
        {"[IDS_ZTLMIDIMAPPING]", IDS_ZTLMIDIMAPPING}, {"[IDS_ZTLMIDIPROG]", IDS_ZTLMIDIPROG},
        {"[IDS_ZTLVARIATION]", IDS_ZTLVARIATION},     {"[IDS_ZTLCUBASEPROG]", IDS_ZTLCUBASEPROG},
        {"[IDS_ZTLCUBASEBANK]", IDS_ZTLCUBASEBANK},   {"[IDS_ZTLGROUP]", IDS_ZTLGROUP},
        {"[IDS_ZTLGMNAME]", IDS_ZTLGMNAME},
    };
    for (const auto& column : kColumns)
        if (ReplaceAll(line, column.tag, HtmlEscape(GetString(column.id))))
            return SCAN_CONTINUE;
    return Contains(line, kStartNiceProg) ? SCAN_START_FIRST_ROW : SCAN_CONTINUE;
}

uint32_t CMappingReport::BuildRows(IPageSink& rows)
{
    m_bBankRead = false;
    CSoundBank bank;
    bank.m_bKeepLists = false;
    if (!bank.Load(m_strBankPath, m_repairPolicy))
        return SCAN_ROWS_BUILT;
    IFileSystem& fs = GetFileSystem();
    std::unique_ptr<CByteSource> source = fs.OpenSource(bank.m_strPathName);
    if (!source)
    {
        AppMessageBoxDetail(IDS_CANTOPENFILE, MsgStop, FileErrorDetail(bank.m_strPathName, fs.LastError()));
        return SCAN_ROWS_BUILT;
    }
    m_bBankRead = true;
    const std::string name = HtmlEscape(Cp1252ToUtf8(BankNameText(bank.GetBankName())));
    const CRowBlock firstBlock(m_firstRowBlock, true);
    const CRowBlock nextBlock(m_nextRowBlock, false);
    // The rows are gathered into large pieces of whole lines before they go to the page.
    constexpr size_t kBatch = 64 * 1024;
    std::string batch;
    batch.reserve(kBatch + 4096);
    bool written = true;
    // Marks are counted from the start of the page, which a counting sink knows.
    auto* counted = dynamic_cast<CCountingSink*>(&rows);
    std::vector<ENTRYMARK>* marks = counted ? m_pEntryMarks : nullptr;
    bank.ForEachEntryRun(*source,
                         [&](bool drumset, uint64_t first, const IMAPENTRY* entries, size_t count)
                         {
                             for (size_t i = 0; i < count; ++i)
                             {
                                 size_t mark = 0;
                                 (first + i == 0 ? firstBlock : nextBlock)
                                     .Append(batch, name, drumset, entries[i], marks ? &mark : nullptr);
                                 if (marks)
                                     marks->push_back({counted->Bytes() + mark, first + i, drumset, std::string()});
                                 if (batch.size() >= kBatch)
                                 {
                                     written = rows.WriteLines(batch) && !rows.Failed();
                                     batch.clear();
                                     if (!written)
                                         return false;
                                 }
                             }
                             return true;
                         });
    if (written && !batch.empty())
        rows.WriteLines(batch);
    return SCAN_ROWS_BUILT;
}

void CMappingReport::RenderText(const std::string& templateText, std::string& page)
{
    CStringPageSink sink(page);
    RenderText(templateText, sink);
}

void CMappingReport::RenderText(const std::string& templateText, IPageSink& sink)
{
    if (m_pEntryMarks)
        m_pEntryMarks->clear();
    CCountingSink page(sink);
    m_firstRowBlock.clear();
    m_nextRowBlock.clear();
    m_strMissingMarker.clear();
    CLineReader reader(templateText);
    std::string line;
    // The marker each step reads up to; the one the template ends before is told to the caller.
    auto endedBefore = [this](std::string_view marker) { m_strMissingMarker = marker; };

    // Header, up to the start marker.
    bool have = reader.Next(line);
    while (have && ReplaceHeaderTags(line) != SCAN_START_MAPPING)
    {
        page.WriteLine(line);
        have = reader.Next(line);
    }
    if (!have)
        return endedBefore(kStartMapping);

    // Lead-in, written as it stands.
    have = reader.Next(line);
    while (have && !Contains(line, kMidiMapping))
    {
        page.WriteLine(line);
        have = reader.Next(line);
    }
    if (!have)
        return endedBefore(kMidiMapping);

    // Column headings, up to the first-row marker.
    while (have && ReplaceColumnTags(line) != SCAN_START_FIRST_ROW)
    {
        page.WriteLine(line);
        have = reader.Next(line);
    }
    if (!have)
        return endedBefore(kStartNiceProg);

    // The two row blocks, kept for BuildRows.
    have = reader.Next(line);
    while (have && !Contains(line, kEndNiceProg))
    {
        m_firstRowBlock.push_back(line);
        have = reader.Next(line);
    }
    if (!have)
        return endedBefore(kEndNiceProg);
    have = reader.Next(line);
    while (have && !Contains(line, kEndProg))
    {
        m_nextRowBlock.push_back(line);
        have = reader.Next(line);
    }
    if (!have)
        return endedBefore(kEndProg);
    if (page.Failed())
        return;

    BuildRows(page);

    // Trailer.
    while (!page.Failed() && reader.Next(line))
        page.WriteLine(line);
}

int CMappingReport::RenderTo(IPageSink& sink)
{
    m_bBankRead = false;
    m_firstRowBlock.clear();
    m_nextRowBlock.clear();
    m_strError.clear();
    std::string templateText;
    if (!ReadPageTemplate(m_strTemplatePath, templateText, m_strError))
        return 0;
    RenderText(templateText, sink);
    return sink.Failed() ? 0 : 1;
}

int CMappingReport::Render()
{
    m_strError.clear();
    m_bBankRead = false;
    IFileSystem& fs = GetFileSystem();
    // The page is opened before the rows are built, so an unwritable page costs no bank load;
    // the template is checked first, so a missing template leaves an older page alone.
    CFsHandle probe(fs, fs.OpenRead(m_strTemplatePath));
    if (!probe.IsOpen())
    {
        m_strError = FileErrorDetail(m_strTemplatePath, fs.LastError());
        return 0;
    }
    probe.Close();
    CPageFile page(fs);
    page.SetFlush(m_bFlushPage);
    page.SetMaxSize(m_nMaxPageSize);
    if (!page.Open(m_strOutputPath))
    {
        m_strError = FileErrorDetail(m_strOutputPath, page.Error());
        return 0;
    }
    if (!RenderTo(page))
    {
        if (m_strError.empty())
            m_strError = FileErrorDetail(m_strOutputPath, page.Error());
        return 0;
    }
    if (!page.Commit())
    {
        m_strError = FileErrorDetail(m_strOutputPath, page.Error());
        return 0;
    }
    return 1;
}
