// CGridTextCache: the atlas, its shelves and the two lookups.
#include "grid/wx/GridTextCache.h"

#include "grid/wx/GridWxDC.h"

#include <wx/graphics.h>
#include <wx/image.h>

#include <cstring>

namespace
{
// Bounds that keep the cache small whatever a grid shows.
constexpr size_t MAX_EXTENTS = 32768;
constexpr size_t MAX_FONTS = 32;
constexpr size_t MAX_TEXT_BYTES = 512;
constexpr int GAP = 1; // between strings, so that a copy never picks up a neighbour's edge

// The text, a separator it cannot contain, and the font's number.
void MakeKey(const std::string& strText, int nFont, std::string* pKey)
{
    pKey->reserve(strText.size() + 6);
    pKey->assign(strText);
    pKey->push_back('\0');
    pKey->push_back(static_cast<char>(nFont));
}
} // namespace

// The atlas has the resolution of the windows it serves (scale 2 on a doubled display), so that
// copied texts are as sharp as drawn ones.
CGridTextCache::CGridTextCache(int nWidth, int nHeight, double dScale)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_dScale(dScale > 0 ? dScale : 1.0)
{
    m_bmp.CreateWithDIPSize(wxSize(m_nWidth, m_nHeight), m_dScale, 32);
    m_bmp.UseAlpha();
    m_dc.SelectObject(m_bmp);
    m_dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    ClearAtlas();
}

CGridTextCache::~CGridTextCache()
{
    m_dc.SelectObject(wxNullBitmap);
}

int CGridTextCache::FontId(const wxFont& font)
{
    for (size_t i = 0; i < m_arrFonts.size(); ++i)
        if (m_arrFonts[i].IsSameAs(font))
            return static_cast<int>(i);
    if (m_arrFonts.size() >= MAX_FONTS)
    {
        // Every font number given out so far becomes invalid.
        Clear();
        m_arrFonts.clear();
        m_arrMetrics.clear();
        m_nAtlasFont = -1;
        ++m_nGeneration;
    }
    m_arrFonts.push_back(font);
    m_arrMetrics.emplace_back();
    return static_cast<int>(m_arrFonts.size() - 1);
}

void CGridTextCache::UseAtlasFont(int nFont)
{
    if (nFont != m_nAtlasFont)
    {
        m_dc.SetFont(m_arrFonts[static_cast<size_t>(nFont)]);
        m_nAtlasFont = nFont;
    }
}

GRIDSIZE CGridTextCache::Extent(const std::string& strText, int nFont)
{
    if (nFont < 0 || static_cast<size_t>(nFont) >= m_arrFonts.size())
        return GRIDSIZE{0, 0};
    MakeKey(strText, nFont, &m_strKey);
    if (auto it = m_mapExtents.find(m_strKey); it != m_mapExtents.end())
        return it->second;
    if (m_mapExtents.size() >= MAX_EXTENTS)
        m_mapExtents.clear();
    UseAtlasFont(nFont);
    const wxSize sz = m_dc.GetTextExtent(GridToWxString(strText));
    const GRIDSIZE ext{sz.x, sz.y};
    m_mapExtents.emplace(m_strKey, ext);
    return ext;
}

const CGridTextCache::Entry* CGridTextCache::Find(const std::string& strText, int nFont, GRIDCOLOR crText)
{
    if (strText.size() > MAX_TEXT_BYTES || nFont < 0 || static_cast<size_t>(nFont) >= m_arrFonts.size())
        return nullptr;
    std::string strKey;
    MakeKey(strText, nFont, &strKey);
    strKey.append(reinterpret_cast<const char*>(&crText), sizeof crText);
    if (auto it = m_mapEntries.find(strKey); it != m_mapEntries.end())
        return &it->second;

    const GRIDSIZE sz = Room(strText, nFont);
    if (sz.cx <= 0 || sz.cy <= 0 || sz.cx + GAP > m_nWidth || sz.cy + GAP > m_nHeight / 4)
        return nullptr;
    if (m_xShelf + sz.cx + GAP > m_nWidth)
    {
        m_yShelf += m_cyShelf;
        m_xShelf = m_cyShelf = 0;
    }
    if (m_yShelf + sz.cy + GAP > m_nHeight)
    {
        ClearAtlas();
        ++m_nResets;
    }
    Entry entry{m_xShelf, m_yShelf, sz};
    m_xShelf += sz.cx + GAP;
    m_cyShelf = std::max(m_cyShelf, sz.cy + GAP);

    UseAtlasFont(nFont);
    if (!m_bAtlasColour || crText != m_crAtlasText)
    {
        m_dc.SetTextForeground(GridToWxColour(crText));
        m_crAtlasText = crText;
        m_bAtlasColour = true;
    }
    m_dc.DrawText(GridToWxString(strText), entry.x, entry.y);
    return &m_mapEntries.emplace(std::move(strKey), entry).first->second;
}

// Pango lays plain ASCII out with each letter's own advance, rounding the sum once; rounding
// each letter instead is off by at most half a pixel a letter, and a little slack covers
// italic overhang. A room wider than the text only copies transparent pixels.
GRIDSIZE CGridTextCache::Room(const std::string& strText, int nFont)
{
    FontMetrics& m = m_arrMetrics[static_cast<size_t>(nFont)];
    int cx = 0;
    for (const char ch : strText)
    {
        if (ch < 0x20 || ch > 0x7E)
            return Extent(strText, nFont);
        int& nAdvance = m.arrAdvance[ch - 0x20];
        if (nAdvance == 0)
            nAdvance = std::max(1, Extent(std::string(1, ch), nFont).cx);
        cx += nAdvance;
    }
    if (m.cyLine == 0)
        m.cyLine = Extent("X", nFont).cy;
    return GRIDSIZE{cx + static_cast<int>(strText.size()) / 2 + 2, m.cyLine};
}

// Makes every pixel transparent again and forgets what was drawn.
void CGridTextCache::ClearAtlas()
{
    m_mapEntries.clear();
    m_xShelf = m_yShelf = m_cyShelf = 0;
    if (wxGraphicsContext* gc = m_dc.GetGraphicsContext())
    {
        gc->SetCompositionMode(wxCOMPOSITION_CLEAR);
        gc->SetPen(*wxTRANSPARENT_PEN);
        gc->SetBrush(*wxBLACK_BRUSH);
        gc->DrawRectangle(0, 0, m_nWidth, m_nHeight);
        gc->SetCompositionMode(wxCOMPOSITION_OVER);
        return;
    }
    // Without a graphics context behind the DC, a bitmap made from an image whose alpha is all
    // zero does the same.
    m_dc.SelectObject(wxNullBitmap);
    wxImage img(m_nWidth, m_nHeight, true);
    img.InitAlpha();
    std::memset(img.GetAlpha(), 0, static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight));
    m_bmp = wxBitmap(img, 32);
    m_dc.SelectObject(m_bmp);
    m_dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    m_nAtlasFont = -1;
    m_bAtlasColour = false;
}

void CGridTextCache::Clear()
{
    ClearAtlas();
    m_mapExtents.clear();
}
