// CAboutDlg: the about box, a borderless black window showing the program's picture. As the
// picture says, a click anywhere closes it with OK: once it is on the screen it takes the mouse,
// so clicks outside it come to it too. Escape, Enter and Space close it from the keyboard.
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

    // Gives the mouse back before the box goes, however it is closed.
    void EndModal(int retCode) override;

    wxBrush m_brushBack;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouseDown(wxMouseEvent& event);
    // Escape closes the box with Cancel, Enter and Space with OK, as a dialog's buttons would.
    void OnKeyDown(wxKeyEvent& event);
    // The box has no controls: it takes the keyboard itself when it is shown.
    void OnShow(wxShowEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void TakeMouse();

    wxBitmap m_bmpPicture;
    wxPoint m_ptPicture;
    wxString m_strLicence;
};

// Registers the image formats the program shows (PNG for its own pictures; GIF, JPEG and BMP
// for page backgrounds) once.
void EnsureImageHandlers();
// One of the program's own PNG pictures as a bitmap.
wxBitmap BitmapFromPng(const unsigned char* data, size_t size);
