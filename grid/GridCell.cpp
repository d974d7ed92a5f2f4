// CGridCell: property storage, the replace and merge copies, and number/bool conversions.
#include "grid/GridCell.h"

#include "grid/GridColors.h"

#include <cstdio>
#include <cstdlib>

// Everything but the mask, text, data type and alignment: allocated when first set.
struct CGridCell::EXTRA
{
    CGridFormatter* pFormatter = nullptr;
    CGridCell* pStyle = nullptr;
    std::string strText2;
    std::string strLabel;
    int nReadOnly = 0;
    int nInt = 0;
    short nDecimals = 0;
    int nCellType = 0;
    int nCellTypeParam = 0;
    GRIDCOLOR crText = 0;
    GRIDCOLOR crBack = 0;
    GRIDCOLOR crHText = 0;
    GRIDCOLOR crHBack = 0;
    short nBorder = 0;
    const CGridPen* pBorderPen = nullptr;
    CGridFont* pFont = nullptr;
    CGridBitmap* pBitmap = nullptr;
    std::vector<unsigned char> arrExtra;
    short nJoinOrigin = 0;
    long nJoinRowOffset = 0;
    int nJoinColOffset = 0;
};

// The mask bits whose values live in the extra block.
static const uint32_t EXTRA_BITS = ~(GCP_TEXT | GCP_DATATYPE | GCP_ALIGNMENT);

CGridCell::CGridCell() { ClearAll(); }
CGridCell::~CGridCell() = default;

CGridCell::CGridCell(const CGridCell& other) { other.CopyTo(this); }

CGridCell& CGridCell::operator=(const CGridCell& other)
{
    if (this != &other)
        other.CopyTo(this);
    return *this;
}

CGridCell::EXTRA& CGridCell::Ext()
{
    if (!m_pExt)
        m_pExt = std::make_unique<EXTRA>();
    return *m_pExt;
}

void CGridCell::ClearAll()
{
    m_dwMask = 0;
    m_strText.clear();
    if (m_pExt)
        m_pExt->arrExtra.clear();
}

void CGridCell::CopyProperties(CGridCell* pTarget) const
{
    const uint32_t dwMask = m_dwMask;
    if (dwMask & GCP_TEXT)
        pTarget->m_strText = m_strText;
    if (dwMask & GCP_DATATYPE)
        pTarget->m_nDataType = m_nDataType;
    if (dwMask & GCP_ALIGNMENT)
        pTarget->m_nAlignment = m_nAlignment;
    if (!(dwMask & EXTRA_BITS))
        return;

    // A bit set without a stored value stands for the property's default.
    static const EXTRA kDefaults;
    const EXTRA& s = m_pExt ? *m_pExt : kDefaults;
    EXTRA& t = pTarget->Ext();
    if (dwMask & GCP_FORMATTER) t.pFormatter = s.pFormatter;
    if (dwMask & GCP_STYLE) t.pStyle = s.pStyle;
    if (dwMask & GCP_TEXT2) t.strText2 = s.strText2;
    if (dwMask & GCP_LABEL) t.strLabel = s.strLabel;
    if (dwMask & GCP_READONLY) t.nReadOnly = s.nReadOnly;
    if (dwMask & GCP_INT) t.nInt = s.nInt;
    if (dwMask & GCP_DECIMALS) t.nDecimals = s.nDecimals;
    if (dwMask & GCP_CELLTYPE) t.nCellType = s.nCellType;
    if (dwMask & GCP_CELLTYPEPARAM) t.nCellTypeParam = s.nCellTypeParam;
    if (dwMask & GCP_TEXTCOLOR) t.crText = s.crText;
    if (dwMask & GCP_BACKCOLOR) t.crBack = s.crBack;
    if (dwMask & GCP_HTEXTCOLOR) t.crHText = s.crHText;
    if (dwMask & GCP_HBACKCOLOR) t.crHBack = s.crHBack;
    if (dwMask & GCP_BORDER) t.nBorder = s.nBorder;
    if (dwMask & GCP_BORDERPEN) t.pBorderPen = s.pBorderPen;
    if (dwMask & GCP_FONT) t.pFont = s.pFont;
    if (dwMask & GCP_BITMAP) t.pBitmap = s.pBitmap;
    if (dwMask & GCP_EXTRADATA)
        t.arrExtra = s.arrExtra; // a deep copy; an empty source leaves no block
    if (dwMask & GCP_JOIN)
    {
        t.nJoinOrigin = s.nJoinOrigin;
        t.nJoinRowOffset = s.nJoinRowOffset;
        t.nJoinColOffset = s.nJoinColOffset;
    }
}

void CGridCell::CopyTo(CGridCell* pTarget) const
{
    if (!pTarget || pTarget == this)
        return;
    pTarget->m_dwMask = m_dwMask;
    CopyProperties(pTarget);
}

void CGridCell::CopyFrom(const CGridCell* pSource)
{
    if (pSource)
        pSource->CopyTo(this);
}

void CGridCell::MergeTo(CGridCell* pTarget) const
{
    if (!pTarget || pTarget == this)
        return;
    pTarget->m_dwMask |= m_dwMask;
    CopyProperties(pTarget);
}

void CGridCell::MergeFrom(const CGridCell* pSource)
{
    if (pSource)
        pSource->MergeTo(this);
}

void CGridCell::SetText(const char* pszText)
{
    m_strText = pszText ? pszText : "";
    m_nDataType = GRID_TYPE_TEXT;
    m_dwMask |= GCP_TEXT | GCP_DATATYPE;
}

void CGridCell::SetNumber(double dValue)
{
    char szFormat[32] = "%lf";
    if (m_dwMask & GCP_DECIMALS)
        std::snprintf(szFormat, sizeof szFormat, "%%1.%dlf", static_cast<int>(GetDecimals()));
    char szText[400];
    std::snprintf(szText, sizeof szText, szFormat, dValue);
    m_strText = szText;
    m_nDataType = GRID_TYPE_NUMBER;
    m_dwMask |= GCP_TEXT | GCP_DATATYPE;
}

double CGridCell::GetNumber() const
{
    return (m_dwMask & GCP_TEXT) ? std::strtod(m_strText.c_str(), nullptr) : 0.0;
}

int CGridCell::GetBool() const
{
    const char* psz = GetText();
    if (!psz || !*psz)
        return 0;
    if (*psz == 'T' || *psz == 't')
        return 1;
    return std::atol(psz) != 0 ? 1 : 0;
}

void CGridCell::SetDataType(short nType)
{
    m_nDataType = nType;
    m_dwMask |= GCP_DATATYPE;
}

// The remaining accessors follow one pattern: a setter stores the value and sets the bit,
// a getter answers the value while the bit is set and the unset default otherwise.
#define GRID_EXT_GET(bit, field, unset) return ((m_dwMask & (bit)) && m_pExt) ? m_pExt->field : (unset)
#define GRID_EXT_SET(bit, field, value) \
    do { Ext().field = (value); m_dwMask |= (bit); } while (0)

void CGridCell::SetDecimals(short n) { GRID_EXT_SET(GCP_DECIMALS, nDecimals, n); }
short CGridCell::GetDecimals() const { GRID_EXT_GET(GCP_DECIMALS, nDecimals, 0); }
void CGridCell::SetText2(const char* psz) { GRID_EXT_SET(GCP_TEXT2, strText2, psz ? psz : ""); }
const char* CGridCell::GetText2() const { GRID_EXT_GET(GCP_TEXT2, strText2.c_str(), nullptr); }
void CGridCell::SetLabel(const char* psz) { GRID_EXT_SET(GCP_LABEL, strLabel, psz ? psz : ""); }
const char* CGridCell::GetLabel() const { GRID_EXT_GET(GCP_LABEL, strLabel.c_str(), nullptr); }

int CGridCell::GetLabel(std::string* pstrLabel) const
{
    if (!(m_dwMask & GCP_LABEL) || !m_pExt)
        return 1;
    if (pstrLabel)
        *pstrLabel = m_pExt->strLabel;
    return 0;
}

void CGridCell::SetIntValue(int n) { GRID_EXT_SET(GCP_INT, nInt, n); }
int CGridCell::GetIntValue() const { GRID_EXT_GET(GCP_INT, nInt, 0); }
void CGridCell::SetTextColor(GRIDCOLOR cr) { GRID_EXT_SET(GCP_TEXTCOLOR, crText, cr); }
GRIDCOLOR CGridCell::GetTextColor() const { GRID_EXT_GET(GCP_TEXTCOLOR, crText, GridGetSysColor(GRID_COLOR_WINDOWTEXT)); }
void CGridCell::SetBackColor(GRIDCOLOR cr) { GRID_EXT_SET(GCP_BACKCOLOR, crBack, cr); }
GRIDCOLOR CGridCell::GetBackColor() const { GRID_EXT_GET(GCP_BACKCOLOR, crBack, GridGetSysColor(GRID_COLOR_WINDOW)); }
void CGridCell::SetHTextColor(GRIDCOLOR cr) { GRID_EXT_SET(GCP_HTEXTCOLOR, crHText, cr); }
GRIDCOLOR CGridCell::GetHTextColor() const { GRID_EXT_GET(GCP_HTEXTCOLOR, crHText, GridGetSysColor(GRID_COLOR_HIGHLIGHTTEXT)); }
void CGridCell::SetHBackColor(GRIDCOLOR cr) { GRID_EXT_SET(GCP_HBACKCOLOR, crHBack, cr); }
GRIDCOLOR CGridCell::GetHBackColor() const { GRID_EXT_GET(GCP_HBACKCOLOR, crHBack, GridGetSysColor(GRID_COLOR_HIGHLIGHT)); }

void CGridCell::SetAlignment(short nAlign)
{
    m_nAlignment = nAlign;
    m_dwMask |= GCP_ALIGNMENT;
}

void CGridCell::SetBorder(short n) { GRID_EXT_SET(GCP_BORDER, nBorder, n); }
short CGridCell::GetBorder() const { GRID_EXT_GET(GCP_BORDER, nBorder, 0); }
void CGridCell::SetBorderPen(const CGridPen* p) { GRID_EXT_SET(GCP_BORDERPEN, pBorderPen, p); }
const CGridPen* CGridCell::GetBorderPen() const { GRID_EXT_GET(GCP_BORDERPEN, pBorderPen, nullptr); }
void CGridCell::SetFont(CGridFont* p) { GRID_EXT_SET(GCP_FONT, pFont, p); }
CGridFont* CGridCell::GetFont() const { GRID_EXT_GET(GCP_FONT, pFont, nullptr); }
void CGridCell::SetBitmap(CGridBitmap* p) { GRID_EXT_SET(GCP_BITMAP, pBitmap, p); }
CGridBitmap* CGridCell::GetBitmap() const { GRID_EXT_GET(GCP_BITMAP, pBitmap, nullptr); }
void CGridCell::SetReadOnly(int n) { GRID_EXT_SET(GCP_READONLY, nReadOnly, n); }
int CGridCell::GetReadOnly() const { GRID_EXT_GET(GCP_READONLY, nReadOnly, 0); }
void CGridCell::SetCellType(int n) { GRID_EXT_SET(GCP_CELLTYPE, nCellType, n); }
int CGridCell::GetCellType() const { GRID_EXT_GET(GCP_CELLTYPE, nCellType, 0); }
void CGridCell::SetCellTypeParam(int n) { GRID_EXT_SET(GCP_CELLTYPEPARAM, nCellTypeParam, n); }
int CGridCell::GetCellTypeParam() const { GRID_EXT_GET(GCP_CELLTYPEPARAM, nCellTypeParam, 0); }
void CGridCell::SetFormatter(CGridFormatter* p) { GRID_EXT_SET(GCP_FORMATTER, pFormatter, p); }
CGridFormatter* CGridCell::GetFormatter() const { GRID_EXT_GET(GCP_FORMATTER, pFormatter, nullptr); }
void CGridCell::SetStyle(CGridCell* p) { GRID_EXT_SET(GCP_STYLE, pStyle, p); }
CGridCell* CGridCell::GetStyle() const { GRID_EXT_GET(GCP_STYLE, pStyle, nullptr); }

void CGridCell::SetExtraData(const void* pData, int nLength)
{
    EXTRA& e = Ext();
    e.arrExtra.clear();
    if (pData && nLength > 0)
    {
        const auto* p = static_cast<const unsigned char*>(pData);
        e.arrExtra.assign(p, p + nLength);
    }
    m_dwMask |= GCP_EXTRADATA;
}

const unsigned char* CGridCell::GetExtraData() const
{
    return ((m_dwMask & GCP_EXTRADATA) && m_pExt && !m_pExt->arrExtra.empty()) ? m_pExt->arrExtra.data() : nullptr;
}

int CGridCell::GetExtraDataLength() const
{
    GRID_EXT_GET(GCP_EXTRADATA, arrExtra.size(), 0);
}

void CGridCell::SetJoin(int nOrigin, int nColOffset, long nRowOffset)
{
    EXTRA& e = Ext();
    e.nJoinOrigin = static_cast<short>(nOrigin);
    e.nJoinColOffset = nColOffset;
    e.nJoinRowOffset = nRowOffset;
    m_dwMask |= GCP_JOIN;
}

int CGridCell::GetJoin(int* pnOrigin, int* pnColOffset, long* pnRowOffset) const
{
    if (!(m_dwMask & GCP_JOIN) || !m_pExt)
        return 1;
    if (pnOrigin) *pnOrigin = m_pExt->nJoinOrigin;
    if (pnColOffset) *pnColOffset = m_pExt->nJoinColOffset;
    if (pnRowOffset) *pnRowOffset = m_pExt->nJoinRowOffset;
    return 0;
}
