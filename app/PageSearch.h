// CPageSearch: finds typed text in the page a browser window shows. It gives the page's words to
// the plain search in reading order and turns the match it reports into the window's selection.
#pragma once

#include "app/PageFind.h"

#include <string>
#include <vector>

class CBrowserWindow;
class wxHtmlCell;

class CPageSearch
{
public:
    // Looks for query on the page the window shows (see CPageFind::Find); a match is selected
    // and scrolled into view, and with none the window's selection is taken away.
    FINDRESULT Find(CBrowserWindow& page, const std::string& query, bool bMatchCase, FindStep step);

private:
    // Reads the page's words again when the window shows another page than the one read last.
    void ReadPage(CBrowserWindow& page);
    // The first word shown on screen, where a search without a current match starts.
    size_t FirstWordInSight(CBrowserWindow& page) const;

    CPageFind m_find;
    std::vector<const wxHtmlCell*> m_arrWords;
    const wxHtmlCell* m_pRoot = nullptr;
    unsigned m_nPageNumber = 0;
};
