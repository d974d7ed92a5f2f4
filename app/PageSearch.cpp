// The page search on a browser window: the page's word cells as the search's pieces, and the
// match found as the window's selection.
#include "app/PageSearch.h"

#include "app/BrowserWindow.h"

#include <wx/html/htmlcell.h>

void CPageSearch::ReadPage(CBrowserWindow& page)
{
    const wxHtmlCell* root = page.GetInternalRepresentation();
    if (root == m_pRoot && page.GetPageNumber() == m_nPageNumber)
        return;
    m_pRoot = root;
    m_nPageNumber = page.GetPageNumber();
    m_find.Clear();
    m_arrWords.clear();
    const wxHtmlCell* first = root ? root->GetFirstTerminal() : nullptr;
    if (!first)
        return;
    // A word in another container than the word before it starts a new block (a paragraph, a
    // table cell, a line after a break), as the window's own copy of a selection has it.
    const wxHtmlCell* parent = nullptr;
    for (wxHtmlTerminalCellsInterator it(first, root->GetLastTerminal()); it; ++it)
    {
        if (!dynamic_cast<const wxHtmlWordCell*>(*it))
            continue;
        m_find.AddPiece(it->ConvertToText(nullptr).utf8_string(), it->GetParent() != parent);
        parent = it->GetParent();
        m_arrWords.push_back(*it);
    }
}

size_t CPageSearch::FirstWordInSight(CBrowserWindow& page) const
{
    int unitX = 0, unitY = 0;
    page.GetScrollPixelsPerUnit(&unitX, &unitY);
    int startX = 0, startY = 0;
    page.GetViewStart(&startX, &startY);
    const int top = startY * unitY;
    for (size_t i = 0; i < m_arrWords.size(); ++i)
        if (m_arrWords[i]->GetAbsPos().y + m_arrWords[i]->GetHeight() > top)
            return i;
    return m_arrWords.size();
}

FINDRESULT CPageSearch::Find(CBrowserWindow& page, const std::string& query, bool bMatchCase, FindStep step)
{
    ReadPage(page);
    if (!m_find.HasMatch())
        m_find.SetOrigin(FirstWordInSight(page));
    const FINDRESULT result = m_find.Find(query, bMatchCase, step);
    if (result.state == FindState::Found || result.state == FindState::Wrapped)
        page.SelectText(m_arrWords[result.match.from.nPiece], static_cast<int>(result.match.from.nChar),
                        m_arrWords[result.match.to.nPiece], static_cast<int>(result.match.to.nChar));
    else
        page.ClearSelection();
    return result;
}
