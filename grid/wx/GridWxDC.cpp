// CGridWxDC and the colour source backed by wxSystemSettings.
#include "grid/wx/GridWxDC.h"

#include "grid/GridBitmap.h"
#include "grid/GridColors.h"
#include "grid/GridFont.h"
#include "grid/wx/GridTextCache.h"

#include <wx/brush.h>
#include <wx/dcmemory.h>
#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/pen.h>
#include <wx/window.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/window.h>

wxColour GridToWxColour(GRIDCOLOR cr)
{
    return wxColour(static_cast<unsigned char>(cr & 0xFF), static_cast<unsigned char>((cr >> 8) & 0xFF),
                    static_cast<unsigned char>((cr >> 16) & 0xFF));
}

GRIDCOLOR GridFromWxColour(const wxColour& c)
{
    return static_cast<GRIDCOLOR>(c.Red()) | (static_cast<GRIDCOLOR>(c.Green()) << 8) |
           (static_cast<GRIDCOLOR>(c.Blue()) << 16);
}

wxString GridToWxString(const std::string& str)
{
    wxString s = wxString::FromUTF8(str.c_str(), str.size());
    return (s.empty() && !str.empty()) ? wxString::From8BitData(str.c_str(), str.size()) : s;
}

void GridShowToolTip(wxWindow& window, const std::string* pText)
{
    if (!pText)
    {
        if (window.GetToolTip())
            window.UnsetToolTip();
        return;
    }
    const wxString strTip = GridToWxString(*pText);
    if (window.GetToolTipText() != strTip)
        window.SetToolTip(strTip);
}

std::string GridFromWxString(const wxString& str)
{
    const wxScopedCharBuffer buf = str.utf8_str();
    return std::string(buf.data(), buf.length());
}

wxRect GridToWxRect(const GRIDRECT& rc) { return wxRect(rc.left, rc.top, rc.Width(), rc.Height()); }
GRIDRECT GridFromWxRect(const wxRect& rc) { return GRIDRECT{rc.x, rc.y, rc.x + rc.width, rc.y + rc.height}; }

const wxFont& GridWxFont(CGridFont* pFont)
{
    if (!pFont->m_pNative)
    {
        const GRIDLOGFONT& lf = pFont->GetLogFont();
        // Heights are pixels, converted at the display's own resolution: a negative height is the
        // characters' em (points, fractions kept), a positive one the height of a line of text,
        // which the toolkit matches by measuring the font on the display.
        const int nPpi = wxGetDisplayPPI().y > 0 ? wxGetDisplayPPI().y : 96;
        wxFontInfo info = lf.lfHeight < 0   ? wxFontInfo(-lf.lfHeight * 72.0 / nPpi)
                          : lf.lfHeight > 0 ? wxFontInfo(wxSize(0, lf.lfHeight))
                                            : wxFontInfo(9);
        if (!pFont->GetFaceName().empty())
            info.FaceName(pFont->GetFaceName());
        info.Bold(lf.lfWeight >= 600).Italic(lf.lfItalic != 0).Underlined(lf.lfUnderline != 0);
        pFont->m_pNative = std::make_shared<wxFont>(info);
    }
    return *static_cast<wxFont*>(pFont->m_pNative.get());
}

namespace
{
class CWxColorSource : public IGridColorSource
{
public:
    GRIDCOLOR GetSysColor(int nIndex) const override
    {
        wxSystemColour id = wxSYS_COLOUR_WINDOW;
        switch (nIndex)
        {
        case GRID_COLOR_WINDOW: id = wxSYS_COLOUR_WINDOW; break;
        case GRID_COLOR_WINDOWTEXT: id = wxSYS_COLOUR_WINDOWTEXT; break;
        case GRID_COLOR_HIGHLIGHT: id = wxSYS_COLOUR_HIGHLIGHT; break;
        case GRID_COLOR_HIGHLIGHTTEXT: id = wxSYS_COLOUR_HIGHLIGHTTEXT; break;
        case GRID_COLOR_BTNFACE: id = wxSYS_COLOUR_BTNFACE; break;
        case GRID_COLOR_BTNSHADOW: id = wxSYS_COLOUR_BTNSHADOW; break;
        default: return 0;
        }
        return GridFromWxColour(wxSystemSettings::GetColour(id));
    }
    int GetSystemMetric(int nIndex) const override
    {
        const int n = wxSystemSettings::GetMetric(nIndex == GRID_SM_CYHSCROLL ? wxSYS_HSCROLL_Y : wxSYS_VSCROLL_X);
        return n > 0 ? n : 16;
    }
};
} // namespace

void GridInstallWxColorSource()
{
    static CWxColorSource source;
    GridColorSlot().Install(&source);
}

// Fonts, pens and brushes are set only when they change: each change costs the device context
// a native object.
void CGridWxDC::SaveState() { m_arrSavedFonts.push_back(m_dc.GetFont()); }

void CGridWxDC::RestoreState()
{
    if (m_arrSavedFonts.empty())
        return;
    SetFontIfChanged(m_arrSavedFonts.back());
    m_arrSavedFonts.pop_back();
}

void CGridWxDC::SetFontIfChanged(const wxFont& font)
{
    if (!m_dc.GetFont().IsSameAs(font))
    {
        m_dc.SetFont(font);
        m_nFontId = -1;
    }
}

int CGridWxDC::CurrentFontId()
{
    if (m_nFontId < 0 || m_nFontGeneration != m_pTextCache->GetGeneration())
    {
        m_nFontId = m_pTextCache->FontId(m_dc.GetFont());
        m_nFontGeneration = m_pTextCache->GetGeneration();
    }
    return m_nFontId;
}

void CGridWxDC::SelectFont(CGridFont* pFont)
{
    if (pFont)
        SetFontIfChanged(GridWxFont(pFont));
}

void CGridWxDC::UsePen(GRIDCOLOR cr, int nWidth)
{
    if (!m_bPen || cr != m_crPen || nWidth != m_nPenWidth)
    {
        m_dc.SetPen(wxPen(GridToWxColour(cr), nWidth));
        m_bPen = true;
        m_bNoPen = false;
        m_crPen = cr;
        m_nPenWidth = nWidth;
    }
}

void CGridWxDC::UseBrush(GRIDCOLOR cr)
{
    if (!m_bNoPen)
    {
        m_dc.SetPen(*wxTRANSPARENT_PEN);
        m_bNoPen = true;
        m_bPen = false;
    }
    if (!m_bBrush || cr != m_crBrush)
    {
        m_dc.SetBrush(wxBrush(GridToWxColour(cr)));
        m_bBrush = true;
        m_crBrush = cr;
    }
}

void CGridWxDC::FillRect(const GRIDRECT& rc, GRIDCOLOR cr)
{
    if (rc.IsEmpty())
        return;
    UseBrush(cr);
    m_dc.DrawRectangle(GridToWxRect(rc));
}

// One-pixel horizontal and vertical lines, the grid lines and bevels, are filled as rectangles:
// they cover exactly the pixels from the start up to the end point, without the half-lit
// pixels a stroked line's caps leave at both ends, and filling costs a third of stroking.
void CGridWxDC::DrawLine(int x1, int y1, int x2, int y2, const CGridPen& pen)
{
    if (pen.m_nWidth <= 1 && (x1 == x2 || y1 == y2))
    {
        if (x1 == x2 && y1 == y2)
            return;
        FillRect(x1 == x2 ? (y1 < y2 ? GRIDRECT{x1, y1, x1 + 1, y2} : GRIDRECT{x1, y2 + 1, x1 + 1, y1 + 1})
                          : (x1 < x2 ? GRIDRECT{x1, y1, x2, y1 + 1} : GRIDRECT{x2 + 1, y1, x1 + 1, y1 + 1}),
                 pen.m_crColor);
        return;
    }
    UsePen(pen.m_crColor, std::max(1, pen.m_nWidth));
    m_dc.DrawLine(x1, y1, x2, y2);
}

void CGridWxDC::UseTextColour(GRIDCOLOR cr)
{
    if (!m_bText || cr != m_crText)
    {
        m_dc.SetTextForeground(GridToWxColour(cr));
        m_dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        m_bText = true;
        m_crText = cr;
    }
}

void CGridWxDC::DrawTextOpaque(const std::string& strText, int x, int y, const GRIDRECT& rc, GRIDCOLOR crText,
                               GRIDCOLOR crBack)
{
    FillRect(rc, crBack);
    DrawTextClipped(strText, x, y, rc, crText);
}

// Copies the text from the cache's atlas, only the part inside rc, or draws it clipped to rc
// when there is no cache or the text is too large for it.
void CGridWxDC::DrawTextClipped(const std::string& strText, int x, int y, const GRIDRECT& rc, GRIDCOLOR crText)
{
    if (strText.empty() || rc.IsEmpty())
        return;
    if (m_pTextCache)
        if (const CGridTextCache::Entry* p = m_pTextCache->Find(strText, CurrentFontId(), crText))
        {
            const int l = std::max(x, rc.left), t = std::max(y, rc.top);
            const int r = std::min(x + p->sz.cx, rc.right), b = std::min(y + p->sz.cy, rc.bottom);
            if (l < r && t < b)
                m_dc.Blit(l, t, r - l, b - t, &m_pTextCache->GetAtlasDC(), p->x + l - x, p->y + t - y, wxCOPY, true);
            return;
        }
    wxDCClipper clip(m_dc, GridToWxRect(rc));
    UseTextColour(crText);
    m_dc.DrawText(GridToWxString(strText), x, y);
}

GRIDSIZE CGridWxDC::GetTextExtent(const std::string& strText)
{
    if (m_pTextCache && !strText.empty())
        return m_pTextCache->Extent(strText, CurrentFontId());
    const wxSize sz = m_dc.GetTextExtent(strText.empty() ? wxString("X") : GridToWxString(strText));
    return GRIDSIZE{strText.empty() ? 0 : sz.x, sz.y};
}

void CGridWxDC::DrawFocusRect(const GRIDRECT& rc)
{
    if (wxWindow* pWin = m_pFocusWindow ? m_pFocusWindow : m_dc.GetWindow())
        wxRendererNative::Get().DrawFocusRect(pWin, m_dc, GridToWxRect(rc));
}

// Breaks the text at spaces into lines that fit the width, one line height apart.
void CGridWxDC::DrawTextWrapped(const std::string& strText, const GRIDRECT& rc, GRIDCOLOR crText)
{
    if (strText.empty() || rc.IsEmpty())
        return;
    wxDCClipper clip(m_dc, GridToWxRect(rc));
    UseTextColour(crText);
    const wxString str = GridToWxString(strText);
    const int nLine = m_dc.GetCharHeight();
    int y = rc.top;
    wxString strLine;
    auto flush = [&] {
        m_dc.DrawText(strLine, rc.left, y);
        y += nLine;
        strLine.clear();
    };
    for (const wxString& word : wxSplit(str, ' ', 0))
    {
        const wxString strTry = strLine.empty() ? word : strLine + " " + word;
        if (!strLine.empty() && m_dc.GetTextExtent(strTry).x > rc.Width())
        {
            flush();
            strLine = word;
        }
        else
            strLine = strTry;
        if (y >= rc.bottom)
            return;
    }
    if (!strLine.empty())
        flush();
}

void CGridWxDC::DrawBitmap(CGridBitmap* pBitmap, const GRIDRECT& rc)
{
    if (!pBitmap || !pBitmap->m_pNative || rc.IsEmpty())
        return;
    const wxBitmap& bmp = *static_cast<wxBitmap*>(pBitmap->m_pNative.get());
    if (bmp.GetWidth() == rc.Width() && bmp.GetHeight() == rc.Height())
    {
        m_dc.DrawBitmap(bmp, rc.left, rc.top, true);
        return;
    }
    const wxImage img = bmp.ConvertToImage().Scale(rc.Width(), rc.Height(), wxIMAGE_QUALITY_NORMAL);
    m_dc.DrawBitmap(wxBitmap(img), rc.left, rc.top, true);
}

std::unique_ptr<CGridBitmap> GridMakeBitmap(const wxBitmap& bmp)
{
    auto p = std::make_unique<CGridBitmap>(bmp.GetWidth(), bmp.GetHeight());
    p->m_pNative = std::make_shared<wxBitmap>(bmp);
    return p;
}
