// A grid drawing surface that records every primitive (what, where, in which colours, with
// which clip and font), so paint passes and cell types are checked without a display. Text is
// measured as 7 pixels per character and 14 pixels high.
#pragma once

#include "grid/GridDC.h"

#include <string>
#include <vector>

class CRecordingGridDC : public CGridDC
{
  public:
    enum Kind
    {
        FILL,
        LINE,
        TEXT_OPAQUE,
        TEXT_CLIPPED,
        TEXT_WRAPPED,
        BITMAP,
        FOCUS
    };
    struct OP
    {
        OP(Kind k, const GRIDRECT& r) : nKind(k), rc(r) {}
        Kind nKind;
        GRIDRECT rc; // filled, clipping or target rectangle
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::string strText;
        GRIDCOLOR crText = 0; // text colour, or the pen's colour of a line
        GRIDCOLOR crBack = 0; // background of opaque text, or the fill colour
        CGridFont* pFont = nullptr;
        CGridBitmap* pBitmap = nullptr;
    };

    void SaveState() override;
    void RestoreState() override;
    void SelectFont(CGridFont* pFont) override { m_pFont = pFont; }
    void FillRect(const GRIDRECT& rc, GRIDCOLOR cr) override;
    void DrawLine(int x1, int y1, int x2, int y2, const CGridPen& pen) override;
    void DrawTextOpaque(const std::string& strText, int x, int y, const GRIDRECT& rc, GRIDCOLOR crText,
                        GRIDCOLOR crBack) override;
    void DrawTextClipped(const std::string& strText, int x, int y, const GRIDRECT& rc,
                         GRIDCOLOR crText) override;
    void DrawTextWrapped(const std::string& strText, const GRIDRECT& rc, GRIDCOLOR crText) override;
    GRIDSIZE GetTextExtent(const std::string& strText) override;
    void DrawBitmap(CGridBitmap* pBitmap, const GRIDRECT& rc) override;
    void DrawFocusRect(const GRIDRECT& rc) override;

    std::vector<OP> m_ops;
    int m_nMeasures = 0;
    int m_nDepth = 0; // save levels open; a balanced pass ends at 0

    void Clear() { m_ops.clear(); }
    int Count(Kind nKind) const;
    // The texts drawn, in order (opaque, clipped and wrapped).
    std::vector<std::string> Texts() const;
    const OP* FindText(const std::string& strText) const;
    // Lines with the given pen colour.
    int CountLines(GRIDCOLOR cr) const;

  private:
    CGridFont* m_pFont = nullptr;
    std::vector<CGridFont*> m_arrSaved;
};
