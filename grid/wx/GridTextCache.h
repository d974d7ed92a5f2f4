// Cell texts kept ready to copy. The toolkit shapes and rasterises a string on every DrawText and
// every GetTextExtent, which costs about ten times copying its pixels, and a grid draws the same
// strings again on every scroll, selection change and exposure. So each string is drawn once, in
// its font and colour, into an atlas bitmap with alpha and copied from there later; extents are
// measured once. When the atlas is full it starts afresh.
#pragma once

#include "grid/GridTypes.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/font.h>

#include <string>
#include <unordered_map>
#include <vector>

class CGridTextCache
{
public:
    // Where a string lies in the atlas, and its extent there.
    struct Entry
    {
        int x = 0, y = 0;
        GRIDSIZE sz;
    };

    explicit CGridTextCache(int nWidth = 2048, int nHeight = 1024, double dScale = 1.0);
    ~CGridTextCache();
    CGridTextCache(const CGridTextCache&) = delete;
    CGridTextCache& operator=(const CGridTextCache&) = delete;

    // The font's number in this cache; fonts that describe the same face share one. Numbers
    // stay valid while GetGeneration() stays the same.
    int FontId(const wxFont& font);
    int GetGeneration() const { return m_nGeneration; }
    double GetScale() const { return m_dScale; }
    // The text's extent in the font, measured on first use.
    GRIDSIZE Extent(const std::string& strText, int nFont);
    // The text drawn in the font and colour, drawn into the atlas on first use; null for a text
    // too large to keep, which the caller draws itself.
    const Entry* Find(const std::string& strText, int nFont, GRIDCOLOR crText);
    wxDC& GetAtlasDC() { return m_dc; }

    // How often the atlas has been started afresh (for tests and benchmarks).
    int GetResetCount() const { return m_nResets; }
    // Forgets every text drawn and measured (the fonts and their letters' advances stay).
    void Clear();

private:
    // Room for the text in the atlas: at least its extent, found without shaping it for plain
    // ASCII text, which is drawn with the same advances as its letters alone.
    GRIDSIZE Room(const std::string& strText, int nFont);
    void ClearAtlas();
    void UseAtlasFont(int nFont);

    const int m_nWidth, m_nHeight;
    const double m_dScale;
    wxBitmap m_bmp;
    wxMemoryDC m_dc;
    std::vector<wxFont> m_arrFonts;
    // Per font: the line height and the advances of the printable ASCII letters (0 until measured).
    struct FontMetrics
    {
        int cyLine = 0;
        int arrAdvance[95] = {};
    };
    std::vector<FontMetrics> m_arrMetrics;
    std::unordered_map<std::string, Entry> m_mapEntries;
    std::unordered_map<std::string, GRIDSIZE> m_mapExtents;
    std::string m_strKey;
    int m_nAtlasFont = -1;
    GRIDCOLOR m_crAtlasText = 0;
    bool m_bAtlasColour = false;
    // The shelf being filled: strings go left to right, a new shelf starts below the tallest.
    int m_xShelf = 0, m_yShelf = 0, m_cyShelf = 0;
    int m_nResets = 0;
    int m_nGeneration = 0;
};
