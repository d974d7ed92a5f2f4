// One axis of a sheet (its columns or its rows) seen the same way, so pixel arithmetic along
// an axis is written once: sizes, distances between positions and the position under an
// offset. Rows of uniform height are computed without walking them.
#pragma once

#include "grid/GridInfo.h"

#include <algorithm>

class CGridAxis
{
  public:
    long Count() const { return m_bRows ? m_s.m_nRowCount : m_s.m_nColCount; }
    int Size(long n) const { return m_bRows ? m_s.RowHeight(n) : m_s.ColWidth(static_cast<int>(n)); }
    bool IsUniform() const { return m_bRows && m_s.m_bUniformHeight; }
    int DefaultSize() const { return m_bRows ? m_s.m_nDefRowHeight : m_s.m_nDefColWidth; }

    // Pixels from the start of nFrom to the start of nTo, negative when nTo lies before
    // nFrom; once the magnitude passes nLimit the walk stops and returns just past it.
    long Distance(long nFrom, long nTo, long nLimit) const
    {
        const long nSign = nTo >= nFrom ? 1 : -1;
        const long nLow = std::min(nFrom, nTo), nHigh = std::max(nFrom, nTo);
        if (IsUniform())
        {
            const long long n = static_cast<long long>(nHigh - nLow) * m_s.m_nDefRowHeight;
            return nSign * static_cast<long>(std::min<long long>(n, nLimit + 1LL));
        }
        long nSum = 0;
        for (long i = nLow; i < nHigh && nSum <= nLimit; ++i)
            nSum += Size(i);
        return nSign * std::min(nSum, nLimit + 1);
    }

    // Offset of the start of n from the start of nFirst (bounded as Distance).
    long Offset(long nFirst, long n, long nLimit) const { return Distance(nFirst, n, nLimit); }

    // The position whose extent holds the offset from the start of nFirst; past the end the
    // last position.
    long IndexAt(long nFirst, long nOffset) const
    {
        const long nCount = Count();
        if (nCount <= 0)
            return 0;
        if (IsUniform())
            return std::min(nCount - 1, nFirst + nOffset / std::max(1, m_s.m_nDefRowHeight));
        long nSum = 0;
        for (long i = nFirst; i < nCount; ++i)
        {
            nSum += Size(i);
            if (nSum > nOffset)
                return i;
        }
        return nCount - 1;
    }

    // The position under an offset from the start of nFirst, with its extent relative to that
    // start; false past the last position.
    bool HitAt(long nFirst, long nOffset, long* pn, long* pnStart, long* pnEnd) const
    {
        const long nCount = Count();
        if (IsUniform())
        {
            const long h = std::max(1, m_s.m_nDefRowHeight);
            const long n = nFirst + nOffset / h;
            if (nOffset < 0 || n >= nCount)
                return false;
            *pn = n;
            *pnStart = (n - nFirst) * h;
            *pnEnd = *pnStart + h;
            return true;
        }
        long nStart = 0;
        for (long i = nFirst; i < nCount && nStart <= nOffset; ++i)
        {
            const long nEnd = nStart + Size(i);
            if (nEnd > nOffset)
            {
                *pn = i;
                *pnStart = nStart;
                *pnEnd = nEnd;
                return true;
            }
            nStart = nEnd;
        }
        return false;
    }

    // A page from nFrom in direction nDir (+1 or -1): sizes are taken off nLimit while it stays
    // non-negative, positions outside the axis or from nDefaultFrom on counting with the default
    // size; the result is the position after the last one taken.
    long PageTarget(long nFrom, int nDir, long nLimit, long nDefaultFrom) const
    {
        long nRemain = nLimit;
        long i = nFrom;
        do
        {
            const bool bDefault = i < 0 || i >= Count() || i >= nDefaultFrom;
            nRemain -= bDefault ? DefaultSize() : Size(i);
            i += nDir;
        } while (nRemain >= 0);
        return i;
    }

    // The first position to show so that nCur is shown whole, keeping nFirst where it already
    // does: never past nCur, and at least nCur itself counts as fitting.
    long KeepVisible(long nFirst, long nCur, long nLimit) const
    {
        if (nCur < nFirst)
            return std::max(0L, nCur);
        long nLeast;
        if (IsUniform())
            nLeast = nCur - std::max(1L, nLimit / std::max(1, m_s.m_nDefRowHeight)) + 1;
        else
        {
            long nSum = 0;
            long i = nCur;
            while (i >= 0 && nSum + Size(i) <= nLimit)
                nSum += Size(i--);
            nLeast = i + 1;
        }
        return std::max(0L, std::min(std::max(nFirst, nLeast), nCur));
    }

  protected:
    CGridAxis(const CGridInfo& s, bool bRows) : m_s(s), m_bRows(bRows) {}

  private:
    const CGridInfo& m_s;
    bool m_bRows;
};

class CGridColAxis : public CGridAxis
{
  public:
    explicit CGridColAxis(const CGridInfo& s) : CGridAxis(s, false) {}
};

class CGridRowAxis : public CGridAxis
{
  public:
    explicit CGridRowAxis(const CGridInfo& s) : CGridAxis(s, true) {}
};
