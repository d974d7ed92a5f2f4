// A grid core that records its notifications, fake child windows and a fake edit box, so the
// grid's behaviour can be driven without a display.
#pragma once

#include "grid/GridCore.h"
#include "grid/GridDataSource.h"

#include <string>
#include <vector>

class CRecordingGrid : public CGridCore
{
public:
    std::vector<std::string> m_log;
    int m_bAllowMove = 1;
    int m_bAllowScroll = 1;
    int m_bAllowEditEnd = 1;
    int m_bAllowEditBegin = 1;
    bool m_bShift = false;
    bool m_bCtrl = false;
    std::vector<GRIDRECT> m_layoutRects;

    void OnCurrentColChanged(int nOld, int nNew) override { Log("col " + S(nOld) + ">" + S(nNew)); }
    void OnCurrentRowChanged(long nOld, long nNew) override { Log("row " + S(nOld) + ">" + S(nNew)); }
    void OnCurrentCellChanged(int, int, long, long) override { Log("cell"); }
    void OnLeftColChanged(int nOld, int nNew) override { Log("left " + S(nOld) + ">" + S(nNew)); }
    void OnTopRowChanged(long nOld, long nNew) override { Log("top " + S(nOld) + ">" + S(nNew)); }
    int OnCanMoveCurrent(int, long, int, long) override { Log("canmove"); return m_bAllowMove; }
    int OnCanScroll(int, long, int, long) override { Log("canscroll"); return m_bAllowScroll; }
    void OnRowsPastEnd(long nCount, long nPast, long nAdded) override
    {
        Log("pastend " + S(nCount) + "," + S(nPast) + "," + S(nAdded));
    }
    void OnCellFetched(int, long, CGridCell* pCell) override
    {
        if (m_bMarkFetched)
            pCell->SetTextColor(0xABCDEF);
    }
    void OnCellStoring(int nCol, long nRow, CGridCell*) override { Log("storing " + S(nCol) + "," + S(nRow)); }
    int OnEditBegin(int, long, IGridEditWindow**) override { Log("editbegin"); return m_bAllowEditBegin; }
    int OnEditEnd(int, long, IGridEditWindow*, const char* psz, int bCancelled) override
    {
        Log(std::string("editend ") + (psz ? psz : "") + (bCancelled ? " cancelled" : ""));
        return m_bAllowEditEnd;
    }
    int OnEditNext(int nOldCol, long nOldRow, int* pnCol, long* pnRow) override
    {
        Log("editnext " + S(nOldCol) + "," + S(nOldRow) + ">" + S(*pnCol) + "," + S(*pnRow));
        return 1;
    }
    void OnLayoutAdjust(GRIDRECT* a, GRIDRECT* b, GRIDRECT* c, GRIDRECT* d, GRIDRECT* e, GRIDRECT* f,
                        GRIDRECT* g) override
    {
        m_layoutRects = {*a, *b, *c, *d, *e, *f, *g};
    }
    void OnSheetCreated(int n) override { Log("sheet " + S(n)); }
    void OnPopupCommand(int nCol, long nRow, int nSection, int nId) override
    {
        Log("popup " + S(nCol) + "," + S(nRow) + "," + S(nSection) + "," + S(nId));
    }

    int OnPopupStart(int nCol, long nRow, int nSection) override
    {
        Log("popupstart " + S(nCol) + "," + S(nRow) + "," + S(nSection));
        return m_bAllowPopup;
    }

    bool m_bMarkFetched = false;
    int m_bAllowPopup = 1;
    int m_nTrackResult = 1;
    std::vector<GRIDPOINT> m_arrPopupPoints; // where menus were tracked, in screen coordinates
    void Clear() { m_log.clear(); }
    void SetFindDialog(bool b) { m_bFindDialog = b; }

protected:
    int TrackPopupMenu(const GRIDPOINT& pt) override
    {
        m_arrPopupPoints.push_back(pt);
        return m_nTrackResult;
    }
    bool IsKeyDown(int nKey) const override
    {
        return (nKey == GRID_VK_SHIFT && m_bShift) || (nKey == GRID_VK_CONTROL && m_bCtrl);
    }

    template <class T> static std::string S(T n) { return std::to_string(n); }
    void Log(const std::string& s) { m_log.push_back(s); }
};

// A data source that records its calls and can refuse.
class CRecordingSource : public CGridMemStore
{
public:
    std::vector<std::string>* m_pLog = nullptr;
    int m_nCanMove = 1;
    int m_nEditEnd = 1;
    long m_nAddRows = 0;

    void OnSourceRowChanged(long nOld, long nNew) override { Log("srcrow " + std::to_string(nOld) + ">" + std::to_string(nNew)); }
    void OnSourceColChanged(int nOld, int nNew) override { Log("srccol " + std::to_string(nOld) + ">" + std::to_string(nNew)); }
    int OnSourceCanMove(int, long, int, long) override { Log("srccanmove"); return m_nCanMove; }
    int OnSourceEditEnd(int, long, IGridEditWindow*, const char*, int) override { Log("srceditend"); return m_nEditEnd; }
    int OnSourcePastEnd(long nCount, long nPast, long* pnAdded) override
    {
        Log("srcpastend " + std::to_string(nCount) + "," + std::to_string(nPast));
        *pnAdded = m_nAddRows;
        if (m_nAddRows > 0 && m_pGrid)
            m_pGrid->SetRowCount(nCount + m_nAddRows, 0);
        return 0;
    }

private:
    void Log(const std::string& s)
    {
        if (m_pLog)
            m_pLog->push_back(s);
    }
};

class CFakeChild : public IGridChild
{
public:
    CGridInfo* m_pInfo = nullptr;
    GRIDRECT m_rc;
    int m_nUpdates = 0;
    int m_nRepaints = 0;
    int m_nHintedPaints = 0;
    bool m_bFocus = false;
    void SetSheet(CGridInfo* p) override { m_pInfo = p; }
    void Place(const GRIDRECT& rc, bool) override { m_rc = rc; }
    void UpdatePosition() override { ++m_nUpdates; }
    void Repaint() override { ++m_nRepaints; }
    void PaintHinted() override { ++m_nHintedPaints; }
    void SetFocus() override { m_bFocus = true; }
    bool HasFocus() const override { return m_bFocus; }
};

class CFakeEdit : public IGridEditWindow
{
public:
    std::string m_strText;
    bool m_bShown = false;
    bool m_bFocus = false;
    int m_nHost = 0;
    GRIDRECT m_rc;
    std::vector<unsigned> m_arrChars;
    void SetText(const std::string& s) override { m_strText = s; }
    std::string GetText() const override { return m_strText; }
    void SetEditFont(CGridFont*) override {}
    void SetHost(int n) override { m_nHost = n; }
    void PlaceOnTop(const GRIDRECT& rc) override { m_rc = rc; }
    void ShowEdit(bool b) override { m_bShown = b; if (!b) m_bFocus = false; }
    void ActivateAndFocus() override { m_bFocus = true; }
    bool HasEditFocus() const override { return m_bFocus; }
    void SendChar(unsigned n) override { m_arrChars.push_back(n); }
};
