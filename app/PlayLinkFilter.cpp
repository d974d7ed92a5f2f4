// The browser's reading of marked pages (see the header).
#include "app/PlayLinkFilter.h"

#include "report/PlayLinks.h"

#include <wx/filesys.h>
#include <wx/html/htmlwin.h>
#include <wx/stream.h>

namespace
{
CPlayLinkFilter::MarksOf& Marks()
{
    static CPlayLinkFilter::MarksOf marks;
    return marks;
}
const void* g_pOwner = nullptr;
} // namespace

void CPlayLinkFilter::ClearMarks(const void* owner)
{
    if (owner != g_pOwner)
        return;
    Marks() = nullptr;
    g_pOwner = nullptr;
}

void CPlayLinkFilter::SetMarks(const void* owner, MarksOf marks)
{
    g_pOwner = owner;
    static bool added = false;
    if (!added)
    {
        // The browsers own their filters from here on.
        wxHtmlWindow::AddFilter(new CPlayLinkFilter);
        added = true;
    }
    Marks() = std::move(marks);
}

const std::vector<ENTRYMARK>* CPlayLinkFilter::MarksFor(const wxFSFile& file)
{
    if (!Marks())
        return nullptr;
    const std::string path = wxFileSystem::URLToFileName(file.GetLocation()).GetFullPath().utf8_string();
    const std::vector<ENTRYMARK>* marks = Marks()(path);
    return marks && !marks->empty() ? marks : nullptr;
}

bool CPlayLinkFilter::CanRead(const wxFSFile& file) const
{
    return MarksFor(file) != nullptr;
}

wxString CPlayLinkFilter::ReadFile(const wxFSFile& file) const
{
    const std::vector<ENTRYMARK>* marks = MarksFor(file);
    wxInputStream* in = file.GetStream();
    if (!marks || !in)
        return wxString();
    std::string page;
    char buffer[64 * 1024];
    while (in->CanRead())
    {
        in->Read(buffer, sizeof buffer);
        const size_t got = in->LastRead();
        if (got == 0)
            break;
        page.append(buffer, got);
    }
    // The page is written in UTF-8; one that is not is shown byte for byte.
    const std::string linked = InsertPlayLinks(page, *marks);
    wxString text = wxString::FromUTF8(linked);
    if (text.empty() && !linked.empty())
        text = wxString(linked.data(), wxConvISO8859_1, linked.size());
    return text;
}
