// The drawing seam on a wxDC, and the conversions between the grid's plain values and wx.
#pragma once

#include "grid/GridBitmap.h"
#include "grid/GridDC.h"

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/font.h>
#include <wx/gdicmn.h>

#include <memory>
#include <string>
#include <vector>

class wxWindow;

wxColour GridToWxColour(GRIDCOLOR cr);
GRIDCOLOR GridFromWxColour(const wxColour& c);
wxRect GridToWxRect(const GRIDRECT& rc);
// Cell texts are UTF-8; bytes that are not valid UTF-8 are shown one byte per character.
wxString GridToWxString(const std::string& str);
std::string GridFromWxString(const wxString& str);
// Shows text as window's tool tip (a tip already showing it is left alone), or none for nullptr.
void GridShowToolTip(wxWindow& window, const std::string* pText);
GRIDRECT GridFromWxRect(const wxRect& rc);
// The wx font of a table font, created on first use and kept with the record.
const wxFont& GridWxFont(CGridFont* pFont);
// A grid bitmap record holding a wx bitmap; the record owns a copy of it.
std::unique_ptr<CGridBitmap> GridMakeBitmap(const wxBitmap& bmp);
// Installs the desktop's colours and metrics as the grid's colour source (once).
void GridInstallWxColorSource();

class CGridTextCache;

// With a text cache, texts are copied from its atlas instead of being drawn anew.
class CGridWxDC : public CGridDC
{
public:
    explicit CGridWxDC(wxDC& dc, CGridTextCache* pTextCache = nullptr) : m_dc(dc), m_pTextCache(pTextCache) {}

    void SaveState() override;
    void RestoreState() override;
    void SelectFont(CGridFont* pFont) override;
    void FillRect(const GRIDRECT& rc, GRIDCOLOR cr) override;
    void DrawLine(int x1, int y1, int x2, int y2, const CGridPen& pen) override;
    void DrawTextOpaque(const std::string& strText, int x, int y, const GRIDRECT& rc, GRIDCOLOR crText,
                        GRIDCOLOR crBack) override;
    void DrawTextClipped(const std::string& strText, int x, int y, const GRIDRECT& rc, GRIDCOLOR crText) override;
    void DrawTextWrapped(const std::string& strText, const GRIDRECT& rc, GRIDCOLOR crText) override;
    GRIDSIZE GetTextExtent(const std::string& strText) override;
    void DrawBitmap(CGridBitmap* pBitmap, const GRIDRECT& rc) override;
    void DrawFocusRect(const GRIDRECT& rc) override;

    wxDC& GetWxDC() { return m_dc; }
    // The window whose focus look the focus rectangle takes, for a DC that has none itself
    // (a memory DC the window paints through).
    void SetFocusWindow(wxWindow* pWin) { m_pFocusWindow = pWin; }

private:
    void SetFontIfChanged(const wxFont& font);
    void UsePen(GRIDCOLOR cr, int nWidth);
    void UseTextColour(GRIDCOLOR cr);
    void UseBrush(GRIDCOLOR cr);
    int CurrentFontId();

    wxDC& m_dc;
    CGridTextCache* m_pTextCache;
    wxWindow* m_pFocusWindow = nullptr;
    int m_nFontId = -1; // the DC font's number in the text cache; -1 until asked
    int m_nFontGeneration = 0;
    std::vector<wxFont> m_arrSavedFonts;
    bool m_bPen = false, m_bNoPen = false, m_bBrush = false, m_bText = false;
    GRIDCOLOR m_crPen = 0, m_crBrush = 0, m_crText = 0;
    int m_nPenWidth = 1;
};
