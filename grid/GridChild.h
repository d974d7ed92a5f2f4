// The narrow interface between the control's plain core and its child windows. The core
// creates nothing itself: the window code (or a test) attaches objects implementing these.
#pragma once

#include "grid/GridTypes.h"

#include <string>

class CGridFont;
struct CGridInfo;

// Child slots, in creation order.
enum GridChildSlot : int
{
    GRID_CHILD_CELLS = 0,
    GRID_CHILD_COLHEADING,
    GRID_CHILD_ROWHEADING,
    GRID_CHILD_CORNER,
    GRID_CHILD_TABS,
    GRID_CHILD_VSCROLL,
    GRID_CHILD_HSCROLL,
    GRID_CHILD_HINT,
    GRID_CHILD_COUNT
};

class IGridChild
{
public:
    virtual ~IGridChild() = default;
    // The sheet whose values the window shows (rewritten on sheet switches).
    virtual void SetSheet(CGridInfo* pInfo) = 0;
    // Moves the window to a rectangle of the control's client area.
    virtual void Place(const GRIDRECT& rc, bool bRepaint) = 0;
    // Follows a new current cell, top row or left column (end of the change dispatch).
    virtual void UpdatePosition() = 0;
    // Repaints the whole window.
    virtual void Repaint() = 0;
    // Paints what the cell area's hint list names (cell area only).
    virtual void PaintHinted() {}
    virtual void SetFocus() {}
    virtual bool HasFocus() const { return false; }
};

// The in-place edit window as the core drives it; the window code supplies the real box.
class IGridEditWindow
{
public:
    virtual ~IGridEditWindow() = default;
    virtual void SetText(const std::string& strText) = 0;
    virtual std::string GetText() const = 0;
    virtual void SetEditFont(CGridFont* pFont) = 0;
    // Reparents the box into the window showing the cell (a section code: 1, 2 or 3).
    virtual void SetHost(int nSection) = 0;
    virtual void PlaceOnTop(const GRIDRECT& rc) = 0;
    virtual void ShowEdit(bool bShow) = 0;
    virtual void ActivateAndFocus() = 0;
    virtual bool HasEditFocus() const = 0;
    virtual void SendChar(unsigned nKey) = 0;
};

// A window the owner keeps clear of the current cell (a floating palette, for instance).
class IGridTrackWindow
{
public:
    virtual ~IGridTrackWindow() = default;
    virtual GRIDRECT GetScreenRect() const = 0;
    virtual void MoveTo(const GRIDRECT& rcScreen) = 0;
};
