// CGridDrawHints: block list with a bounding box.
#include "grid/GridDrawHints.h"

#include <algorithm>

void CGridDrawHints::Widen(const BLOCK& b)
{
    if (m_arrBlocks.empty())
    {
        m_bounds = b;
        return;
    }
    m_bounds.nCol1 = std::min(m_bounds.nCol1, b.nCol1);
    m_bounds.nRow1 = std::min(m_bounds.nRow1, b.nRow1);
    m_bounds.nCol2 = std::max(m_bounds.nCol2, b.nCol2);
    m_bounds.nRow2 = std::max(m_bounds.nRow2, b.nRow2);
}

void CGridDrawHints::AddRange(int nCol1, long nRow1, int nCol2, long nRow2)
{
    BLOCK b{std::min(nCol1, nCol2), std::min(nRow1, nRow2), std::max(nCol1, nCol2), std::max(nRow1, nRow2)};
    Widen(b);
    if (m_arrBlocks.size() >= MAX_BLOCKS)
    {
        m_arrBlocks.assign(1, m_bounds);
        return;
    }
    m_arrBlocks.push_back(b);
}

int CGridDrawHints::GetBounds(int* pnCol1, long* pnRow1, int* pnCol2, long* pnRow2) const
{
    if (m_arrBlocks.empty())
        return 1;
    *pnCol1 = m_bounds.nCol1;
    *pnRow1 = m_bounds.nRow1;
    *pnCol2 = m_bounds.nCol2;
    *pnRow2 = m_bounds.nRow2;
    return 0;
}

void CGridDrawHints::ExtendFirst(int nCol1, long nRow1, int nCol2, long nRow2)
{
    if (m_arrBlocks.empty())
    {
        AddRange(nCol1, nRow1, nCol2, nRow2);
        return;
    }
    BLOCK& f = m_arrBlocks.front();
    f.nCol1 = std::min({f.nCol1, nCol1, nCol2});
    f.nRow1 = std::min({f.nRow1, nRow1, nRow2});
    f.nCol2 = std::max({f.nCol2, nCol1, nCol2});
    f.nRow2 = std::max({f.nRow2, nRow1, nRow2});
    Widen(f);
}

int CGridDrawHints::IsHinted(int nCol, long nRow) const
{
    if (m_arrBlocks.empty() || nCol < m_bounds.nCol1 || nCol > m_bounds.nCol2 || nRow < m_bounds.nRow1 ||
        nRow > m_bounds.nRow2)
        return 0;
    for (const BLOCK& b : m_arrBlocks)
        if (nCol >= b.nCol1 && nCol <= b.nCol2 && nRow >= b.nRow1 && nRow <= b.nRow2)
            return 1;
    return 0;
}

int CGridDrawHints::IsJoinDrawn(int nCol, long nRow) const
{
    return std::find(m_arrJoinsDrawn.begin(), m_arrJoinsDrawn.end(), std::make_pair(nCol, nRow)) !=
                   m_arrJoinsDrawn.end()
               ? 1
               : 0;
}

void CGridDrawHints::AddJoinDrawn(int nCol, long nRow) { m_arrJoinsDrawn.emplace_back(nCol, nRow); }

void CGridDrawHints::Reset()
{
    m_arrBlocks.clear();
    m_arrJoinsDrawn.clear();
}
