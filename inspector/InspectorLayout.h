// Dialog units for the inspector's controls: the scale that turns them into pixels, chosen so
// that every text the toolkit's font draws fits the rectangle its control has in dialog units.
#pragma once

#include <vector>

// Pixels per 4 horizontal and per 8 vertical dialog units.
struct DLGBASE
{
    double x;
    double y;
};

// A rectangle in pixels.
struct DLGPIXELS
{
    int x, y, cx, cy;
};

// What one control needs: its size in dialog units and the pixels its content takes.
struct DLGNEED
{
    int cx, cy;
    int nPixelsX, nPixelsY;
};

// The base of the font, widened and heightened where a need does not fit, so each need fits
// with a pixel to spare for rounding.
DLGBASE FitDialogBase(DLGBASE fontBase, const std::vector<DLGNEED>& needs);

// A rectangle in dialog units in pixels. Each edge is converted on its own, so rectangles that
// touch or stay apart in dialog units do so in pixels too.
DLGPIXELS DialogToPixels(const DLGBASE& base, int x, int y, int cx, int cy);
