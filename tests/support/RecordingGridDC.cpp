// The recording grid surface.
#include "support/RecordingGridDC.h"

void CRecordingGridDC::SaveState()
{
    m_arrSaved.push_back(m_pFont);
    ++m_nDepth;
}

void CRecordingGridDC::RestoreState()
{
    if (m_arrSaved.empty())
        return;
    m_pFont = m_arrSaved.back();
    m_arrSaved.pop_back();
    --m_nDepth;
}

void CRecordingGridDC::FillRect(const GRIDRECT& rc, GRIDCOLOR cr)
{
    OP op(FILL, rc);
    op.crBack = cr;
    m_ops.push_back(op);
}

void CRecordingGridDC::DrawLine(int x1, int y1, int x2, int y2, const CGridPen& pen)
{
    OP op(LINE, GRIDRECT{});
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.crText = pen.m_crColor;
    m_ops.push_back(op);
}

void CRecordingGridDC::DrawTextOpaque(const std::string& strText, int x, int y, const GRIDRECT& rc,
                                      GRIDCOLOR crText, GRIDCOLOR crBack)
{
    OP op(TEXT_OPAQUE, rc);
    op.x1 = x;
    op.y1 = y;
    op.strText = strText;
    op.crText = crText;
    op.crBack = crBack;
    op.pFont = m_pFont;
    m_ops.push_back(op);
}

void CRecordingGridDC::DrawTextClipped(const std::string& strText, int x, int y, const GRIDRECT& rc,
                                       GRIDCOLOR crText)
{
    OP op(TEXT_CLIPPED, rc);
    op.x1 = x;
    op.y1 = y;
    op.strText = strText;
    op.crText = crText;
    op.pFont = m_pFont;
    m_ops.push_back(op);
}

void CRecordingGridDC::DrawTextWrapped(const std::string& strText, const GRIDRECT& rc, GRIDCOLOR crText)
{
    OP op(TEXT_WRAPPED, rc);
    op.strText = strText;
    op.crText = crText;
    op.pFont = m_pFont;
    m_ops.push_back(op);
}

GRIDSIZE CRecordingGridDC::GetTextExtent(const std::string& strText)
{
    ++m_nMeasures;
    return GRIDSIZE{7 * static_cast<int>(strText.size()), 14};
}

void CRecordingGridDC::DrawBitmap(CGridBitmap* pBitmap, const GRIDRECT& rc)
{
    OP op(BITMAP, rc);
    op.pBitmap = pBitmap;
    m_ops.push_back(op);
}

void CRecordingGridDC::DrawFocusRect(const GRIDRECT& rc)
{
    m_ops.push_back(OP(FOCUS, rc));
}

int CRecordingGridDC::Count(Kind nKind) const
{
    int n = 0;
    for (const OP& op : m_ops)
        n += op.nKind == nKind;
    return n;
}

std::vector<std::string> CRecordingGridDC::Texts() const
{
    std::vector<std::string> arr;
    for (const OP& op : m_ops)
        if (op.nKind == TEXT_OPAQUE || op.nKind == TEXT_CLIPPED || op.nKind == TEXT_WRAPPED)
            arr.push_back(op.strText);
    return arr;
}

const CRecordingGridDC::OP* CRecordingGridDC::FindText(const std::string& strText) const
{
    for (const OP& op : m_ops)
        if ((op.nKind == TEXT_OPAQUE || op.nKind == TEXT_CLIPPED || op.nKind == TEXT_WRAPPED) &&
            op.strText == strText)
            return &op;
    return nullptr;
}

int CRecordingGridDC::CountLines(GRIDCOLOR cr) const
{
    int n = 0;
    for (const OP& op : m_ops)
        n += op.nKind == LINE && op.crText == cr;
    return n;
}
