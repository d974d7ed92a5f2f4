// CGridCtrl: child creation, sizing, background, focus, popup menu and find requests.
#include "grid/wx/GridCtrl.h"

#include "grid/GridCellType.h"
#include "grid/wx/GridTextCache.h"
#include "grid/wx/GridCorner.h"
#include "grid/wx/GridDropListBox.h"
#include "grid/wx/GridEdit.h"
#include "grid/wx/GridHScrollBar.h"
#include "grid/wx/GridHint.h"
#include "grid/wx/GridSheetTabs.h"
#include "grid/wx/GridSideHeading.h"
#include "grid/wx/GridTopHeading.h"
#include "grid/wx/GridVScrollBar.h"
#include "grid/wx/GridWnd.h"
#include "grid/wx/GridWxDC.h"

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/gdicmn.h>
#include <wx/fdrepdlg.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/settings.h>
#include <wx/utils.h>

CGridCtrl::CGridCtrl() : m_pPopupMenu(std::make_unique<wxMenu>()) {}

CGridCtrl::CGridCtrl(wxWindow* pParent, wxWindowID nId, const wxPoint& pos, const wxSize& size, long nStyle)
    : CGridCtrl()
{
    // A subclass is not whole yet: its layout and setup notifications run once it is; till then
    // the control has this class's layout.
    if (CreateGridWindow(pParent, nId, pos, size, nStyle))
    {
        AdjustLayout();
        m_bSetupPending = true;
        CallAfter(
            [this]
            {
                if (!m_bSetupPending)
                    return;
                m_bSetupPending = false;
                AdjustLayout();
                OnGridSetup();
            });
    }
}

bool CGridCtrl::Create(wxWindow* pParent, wxWindowID nId, const wxPoint& pos, const wxSize& size, long nStyle)
{
    if (!CreateGridWindow(pParent, nId, pos, size, nStyle))
        return false;
    AdjustLayout();
    OnGridSetup();
    return true;
}

bool CGridCtrl::CreateGridWindow(wxWindow* pParent, wxWindowID nId, const wxPoint& pos, const wxSize& size, long nStyle)
{
    if (!wxWindow::Create(pParent, nId, pos, size, nStyle | wxCLIP_CHILDREN | wxTAB_TRAVERSAL | wxWANTS_CHARS))
        return false;
    GridInstallWxColorSource();
    ApplySystemBarSizes();
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    CreateChildren();
    Bind(wxEVT_SIZE, &CGridCtrl::OnSize, this);
    Bind(wxEVT_PAINT, &CGridCtrl::OnPaint, this);
    Bind(wxEVT_SET_FOCUS, &CGridCtrl::OnFocus, this);
    Bind(wxEVT_SYS_COLOUR_CHANGED, &CGridCtrl::OnSysColour, this);
    Bind(wxEVT_MENU, &CGridCtrl::OnMenu, this);
    Bind(wxEVT_FIND, &CGridCtrl::OnFind, this);
    Bind(wxEVT_FIND_NEXT, &CGridCtrl::OnFind, this);
    Bind(wxEVT_FIND_REPLACE, &CGridCtrl::OnFind, this);
    Bind(wxEVT_FIND_REPLACE_ALL, &CGridCtrl::OnFind, this);
    Bind(wxEVT_FIND_CLOSE, &CGridCtrl::OnFind, this);
    return true;
}

CGridCtrl::~CGridCtrl()
{
    // The child windows go with the window; the core must not reach them afterwards.
    for (int i = 0; i < GRID_CHILD_COUNT; ++i)
        AttachChild(i, nullptr);
    AttachEditBox(nullptr);
    GetDropListType()->m_pList = nullptr;
    DestroyChildren();
}

// Children in their fixed order: cell area, column heading, row heading, corner, sheet tabs,
// vertical bar, horizontal bar, tip window, edit box.
void CGridCtrl::CreateChildren()
{
    if (m_bChildrenCreated)
        return;
    m_bChildrenCreated = true;
    AttachChild(GRID_CHILD_CELLS, new CGridWnd(this));
    AttachChild(GRID_CHILD_COLHEADING, new CGridTopHeading(this));
    AttachChild(GRID_CHILD_ROWHEADING, new CGridSideHeading(this));
    AttachChild(GRID_CHILD_CORNER, new CGridCorner(this));
    AttachChild(GRID_CHILD_TABS, new CGridSheetTabs(this));
    AttachChild(GRID_CHILD_VSCROLL, new CGridVScrollBar(this));
    AttachChild(GRID_CHILD_HSCROLL, new CGridHScrollBar(this));
    AttachChild(GRID_CHILD_HINT, new CGridHint(this));
    m_pEdit = new CGridEdit(this);
    AttachEditBox(m_pEdit);
    m_pDropList = new CGridDropListBox(this, GetDropListType());
    GetDropListType()->m_pList = m_pDropList;
}

CGridCtrl* CGridCtrl::AttachToDialogItem(wxWindow* pDialog, wxWindowID nId)
{
    wxWindow* pItem = pDialog ? pDialog->FindWindow(nId) : nullptr;
    if (!pItem)
        return nullptr;
    auto* pGrid = new CGridCtrl(pItem->GetParent(), nId, pItem->GetPosition(), pItem->GetSize());
    if (wxSizer* pSizer = pItem->GetContainingSizer())
        pSizer->Replace(pItem, pGrid);
    pItem->Destroy();
    return pGrid;
}

int CGridCtrl::AttachToDialogItem(wxWindow* pDialog, unsigned nControlId)
{
    // Takes the placeholder's place and size; a control not created yet is created there.
    wxWindow* pItem = pDialog ? pDialog->FindWindow(static_cast<wxWindowID>(nControlId)) : nullptr;
    if (pItem == this)
        pItem = nullptr;
    if (!GetHandle())
    {
        if (!pDialog)
            return 1;
        CreateGridWindow(pItem ? pItem->GetParent() : pDialog, static_cast<wxWindowID>(nControlId),
                         pItem ? pItem->GetPosition() : wxDefaultPosition, pItem ? pItem->GetSize() : wxDefaultSize);
    }
    else if (pItem)
    {
        SetSize(pItem->GetRect());
        SetId(pItem->GetId());
    }
    if (pItem)
    {
        if (wxSizer* pSizer = pItem->GetContainingSizer())
            pSizer->Replace(pItem, this);
        pItem->Destroy();
    }
    m_bSetupPending = false;
    AdjustLayout();
    OnGridSetup();
    return 0;
}

void CGridCtrl::SetFindDialog(wxFindReplaceDialog* pDialog) { m_pFindDialog = pDialog; }

bool CGridCtrl::EndEditBeforeClick()
{
    if (IsEditing() && m_pEdit)
        m_pEdit->EndBeforeClick();
    return !IsEditing();
}

bool CGridCtrl::IsKeyDown(int nKey) const
{
    if (nKey == GRID_VK_SHIFT)
        return wxGetKeyState(WXK_SHIFT);
    if (nKey == GRID_VK_CONTROL)
        return wxGetKeyState(WXK_CONTROL);
    return false;
}

GRIDSIZE CGridCtrl::GetControlClientSize() const
{
    const wxSize sz = GetClientSize();
    return GRIDSIZE{sz.x, sz.y};
}

bool CGridCtrl::IsFocusOnControl() const
{
    const wxWindow* pFocus = wxWindow::FindFocus();
    return pFocus && (pFocus == this || pFocus->GetParent() == this);
}

int CGridCtrl::TrackPopupMenu(const GRIDPOINT& pt)
{
    if (!m_pPopupMenu || m_pPopupMenu->GetMenuItemCount() == 0)
        return 1;
    return PopupMenu(m_pPopupMenu.get(), ScreenToClient(wxPoint(pt.x, pt.y))) ? 1 : 0;
}

namespace
{
class CMeasureDC : public CGridWxDC
{
public:
    explicit CMeasureDC(CGridCtrl* pWin) : CGridWxDC(m_dc, pWin->GetTextCache()), m_dc(pWin) {}

private:
    wxClientDC m_dc;
};
} // namespace

CGridTextCache* CGridCtrl::GetTextCache()
{
    // Made anew when the window moves to a display of another resolution.
    const double dScale = GetDPIScaleFactor();
    if (!m_pTextCache || m_pTextCache->GetScale() != dScale)
        m_pTextCache = std::make_unique<CGridTextCache>(2048, 1024, dScale);
    return m_pTextCache.get();
}

CGridDC* CGridCtrl::AcquireMeasureDC() { return new CMeasureDC(this); }
void CGridCtrl::ReleaseMeasureDC(CGridDC* pDC) { delete pDC; }

bool CGridCtrl::FindDialogExists() const { return m_pFindDialog != nullptr; }
void CGridCtrl::OnFindStateReset() { m_pFindDialog = nullptr; }

GRIDRECT CGridCtrl::CellAreaToScreen(const GRIDRECT& rc) const
{
    const wxWindow* pCells = dynamic_cast<const wxWindow*>(GetChild(GRID_CHILD_CELLS));
    const wxPoint origin = pCells ? pCells->ClientToScreen(wxPoint(0, 0)) : ClientToScreen(wxPoint(0, 0));
    return GRIDRECT{rc.left + origin.x, rc.top + origin.y, rc.right + origin.x, rc.bottom + origin.y};
}

GRIDSIZE CGridCtrl::GetScreenSize() const
{
    const wxSize sz = wxGetDisplaySize();
    return GRIDSIZE{sz.x, sz.y};
}

void CGridCtrl::OnSize(wxSizeEvent& event)
{
    event.Skip();
    Refresh(false);
    EnableRepaint(0);
    AdjustLayout();
    EnableRepaint(1);
    RepaintAll();
}

void CGridCtrl::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
}

void CGridCtrl::OnFocus(wxFocusEvent&)
{
    if (IGridChild* pCells = GetChild(GRID_CHILD_CELLS))
        pCells->SetFocus();
}

void CGridCtrl::OnSysColour(wxSysColourChangedEvent& event)
{
    event.Skip();
    for (int i = 0; GetCellType(i) || i < 4; ++i)
        if (CGridCellType* pType = GetCellType(i))
            pType->OnSysColorChange();
}

void CGridCtrl::OnMenu(wxCommandEvent& event)
{
    if (event.GetId() >= 1000)
        OnPopupMenuCommand(event.GetId());
    else
        event.Skip();
}

void CGridCtrl::OnFind(wxFindDialogEvent& event)
{
    unsigned nFlags = 0;
    const int nWx = event.GetFlags();
    if (nWx & wxFR_DOWN)
        nFlags |= GRID_FR_DOWN;
    if (nWx & wxFR_WHOLEWORD)
        nFlags |= GRID_FR_WHOLEWORD;
    if (nWx & wxFR_MATCHCASE)
        nFlags |= GRID_FR_MATCHCASE;
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_FIND_CLOSE)
        nFlags |= GRID_FR_DIALOGTERM;
    else if (type == wxEVT_FIND_REPLACE)
        nFlags |= GRID_FR_REPLACE;
    else if (type == wxEVT_FIND_REPLACE_ALL)
        nFlags |= GRID_FR_REPLACEALL;
    else
        nFlags |= GRID_FR_FINDNEXT;
    HandleFindRequest(nFlags, GridFromWxString(event.GetFindString()), GridFromWxString(event.GetReplaceString()));
}
