// CAboutDlg: the about box, a borderless black window showing the program's picture; any click
// closes it with OK.
#pragma once

#include <wx/bitmap.h>
#include <wx/brush.h>
#include <wx/dialog.h>

class CAboutDlg : public wxDialog
{
public:
    CAboutDlg();
    explicit CAboutDlg(wxWindow* parent);
    bool Create(wxWindow* parent);

    wxBrush m_brushBack;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouseDown(wxMouseEvent& event);

    wxBitmap m_bmpPicture;
    wxPoint m_ptPicture;
};

// Registers the image formats the program shows (PNG for its own pictures; GIF, JPEG and BMP
// for page backgrounds) once.
void EnsureImageHandlers();
// One of the program's own PNG pictures as a bitmap.
wxBitmap BitmapFromPng(const unsigned char* data, size_t size);
