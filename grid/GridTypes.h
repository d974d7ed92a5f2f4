// Small value types shared by the grid's plain code and its windows: rectangles, points,
// sizes, section codes and the drawing and window seams that plain code talks through.
#pragma once

#include <cstdint>

typedef uint32_t GRIDCOLOR; // 0x00BBGGRR

struct GRIDRECT
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const GRIDRECT&) const = default;
};

struct GRIDPOINT
{
    int x = 0;
    int y = 0;
    bool operator==(const GRIDPOINT&) const = default;
};

struct GRIDSIZE
{
    int cx = 0;
    int cy = 0;
};

// Section codes: which part of the control a notification concerns.
enum GridSection : int
{
    GRID_SECTION_CELLS = 1,
    GRID_SECTION_COLHEADING = 2,
    GRID_SECTION_ROWHEADING = 3,
    GRID_SECTION_CORNER = 4,
    GRID_SECTION_HSCROLL = 5,
    GRID_SECTION_VSCROLL = 6,
    GRID_SECTION_TABS = 7
};

// Pens are plain descriptions; the window code turns them into real pens when it draws.
struct CGridPen
{
    int m_nStyle = 0; // 0 solid
    int m_nWidth = 1;
    GRIDCOLOR m_crColor = 0;
};

// Opaque handles owned by the window code (a bitmap, a dropped data object).
class CGridBitmap;
class CGridDropData;
