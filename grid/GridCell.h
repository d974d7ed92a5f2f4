// CGridCell: one cell's value and look as optional properties under a 32-bit set-mask.
// A property counts only while its bit is set; getters of unset properties give fixed defaults.
// Rarely used properties live in a block allocated on first use, so a plain text cell stays small.
#pragma once

#include "grid/GridTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CGridCell;
class CGridFont;

// Mask bits of the properties.
enum GridCellProp : uint32_t
{
    GCP_TEXT = 0x1,
    GCP_TEXT2 = 0x2,
    GCP_LABEL = 0x4,
    GCP_DATATYPE = 0x8,
    GCP_INT = 0x10,
    GCP_CELLTYPE = 0x20,
    GCP_CELLTYPEPARAM = 0x40,
    GCP_TEXTCOLOR = 0x80,
    GCP_BACKCOLOR = 0x100,
    GCP_HTEXTCOLOR = 0x200,
    GCP_HBACKCOLOR = 0x400,
    GCP_BORDER = 0x800,
    GCP_BORDERPEN = 0x1000,
    GCP_FONT = 0x2000,
    GCP_BITMAP = 0x4000,
    GCP_ALIGNMENT = 0x8000,
    GCP_EXTRADATA = 0x10000,
    GCP_JOIN = 0x20000,
    GCP_FORMATTER = 0x200000,
    GCP_STYLE = 0x800000,
    GCP_READONLY = 0x1000000,
    GCP_DECIMALS = 0x2000000
};

enum GridDataType : short
{
    GRID_TYPE_TEXT = 1,
    GRID_TYPE_NUMBER = 2
};

// Rewrites a fetched cell (number formats and the like).
class CGridFormatter
{
public:
    virtual ~CGridFormatter() = default;
    virtual void Format(CGridCell* pCell) = 0;
};

class CGridCell
{
public:
    CGridCell();
    virtual ~CGridCell();
    CGridCell(const CGridCell& other);
    CGridCell& operator=(const CGridCell& other);

    void ClearAll();
    void CopyTo(CGridCell* pTarget) const;
    void CopyFrom(const CGridCell* pSource);
    void MergeTo(CGridCell* pTarget) const;
    void MergeFrom(const CGridCell* pSource);

    int HasProperty(uint32_t dwBits) const { return (m_dwMask & dwBits) ? 1 : 0; }
    uint32_t GetMask() const { return m_dwMask; }
    void SetMask(uint32_t dwMask) { m_dwMask = dwMask; }

    // Text and numbers.
    void SetText(const char* pszText);
    void SetText(const std::string& strText) { SetText(strText.c_str()); }
    const char* GetText() const { return (m_dwMask & GCP_TEXT) ? m_strText.c_str() : nullptr; }
    int GetTextLength() const { return (m_dwMask & GCP_TEXT) ? static_cast<int>(m_strText.size()) : 0; }
    void SetNumber(double dValue);
    double GetNumber() const;
    int GetBool() const;
    void SetDataType(short nType);
    short GetDataType() const { return (m_dwMask & GCP_DATATYPE) ? m_nDataType : static_cast<short>(GRID_TYPE_TEXT); }
    void SetDecimals(short nDecimals);
    short GetDecimals() const;
    void SetText2(const char* pszText);
    const char* GetText2() const;
    void SetLabel(const char* pszLabel);
    int GetLabel(std::string* pstrLabel) const;
    const char* GetLabel() const;
    void SetIntValue(int nValue);
    int GetIntValue() const;

    // Look.
    void SetTextColor(GRIDCOLOR cr);
    GRIDCOLOR GetTextColor() const;
    void SetBackColor(GRIDCOLOR cr);
    GRIDCOLOR GetBackColor() const;
    void SetHTextColor(GRIDCOLOR cr);
    GRIDCOLOR GetHTextColor() const;
    void SetHBackColor(GRIDCOLOR cr);
    GRIDCOLOR GetHBackColor() const;
    void SetAlignment(short nAlign);
    short GetAlignment() const { return (m_dwMask & GCP_ALIGNMENT) ? m_nAlignment : 0; }
    void SetBorder(short nStyle);
    short GetBorder() const;
    void SetBorderPen(const CGridPen* pPen);
    const CGridPen* GetBorderPen() const;
    void SetFont(CGridFont* pFont);
    CGridFont* GetFont() const;
    void SetBitmap(CGridBitmap* pBitmap);
    CGridBitmap* GetBitmap() const;

    // Behaviour.
    void SetReadOnly(int nReadOnly);
    int GetReadOnly() const;
    void SetCellType(int nIndex);
    int GetCellType() const;
    void SetCellTypeParam(int nParam);
    int GetCellTypeParam() const;
    void SetFormatter(CGridFormatter* pFormatter);
    CGridFormatter* GetFormatter() const;
    void SetStyle(CGridCell* pStyle);
    CGridCell* GetStyle() const;

    // Owned byte block, copied deeply.
    void SetExtraData(const void* pData, int nLength);
    const unsigned char* GetExtraData() const;
    int GetExtraDataLength() const;

    // Joined blocks: the origin has a non-zero flag and offsets to the block's last cell;
    // members have flag 0 and offsets (<= 0) to the origin.
    void SetJoin(int nOrigin, int nColOffset, long nRowOffset);
    int GetJoin(int* pnOrigin, int* pnColOffset, long* pnRowOffset) const;

private:
    struct EXTRA;
    EXTRA& Ext();
    void CopyProperties(CGridCell* pTarget) const;

    uint32_t m_dwMask = 0;
    short m_nDataType = GRID_TYPE_TEXT;
    short m_nAlignment = 0;
    std::string m_strText;
    std::unique_ptr<EXTRA> m_pExt;
};
