// The about box: the program's picture and its licence, closed by a click anywhere.
#include "ui/AboutDlg.h"

#include "res/StringTable.h"
#include "res/images/Images.h"

#include <wx/dcbuffer.h>
#include <wx/image.h>
#include <wx/mstream.h>

#include <algorithm>

void EnsureImageHandlers()
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG) || !wxImage::FindHandler(wxBITMAP_TYPE_JPEG))
        wxInitAllImageHandlers();
}

wxBitmap BitmapFromPng(const unsigned char* data, size_t size)
{
    EnsureImageHandlers();
    wxMemoryInputStream in(data, size);
    return wxBitmap(wxImage(in, wxBITMAP_TYPE_PNG));
}

CAboutDlg::CAboutDlg() : m_brushBack(*wxBLACK, wxBRUSHSTYLE_SOLID) {}

CAboutDlg::CAboutDlg(wxWindow* parent) : CAboutDlg()
{
    Create(parent);
}

bool CAboutDlg::Create(wxWindow* parent)
{
    if (!wxDialog::Create(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE))
        return false;
    m_bmpPicture = BitmapFromPng(about_png, sizeof about_png);
    // The picture sits 7 dialog units from the top left corner, with the same margin around it.
    m_ptPicture = ConvertDialogToPixels(wxPoint(7, 7));
    // The licence line sits under the picture.
    m_strLicence = wxString::FromUTF8(LoadStringId(IDS_ABOUT_LICENCE));
    const wxSize licence = GetTextExtent(m_strLicence);
    SetClientSize(std::max(m_bmpPicture.GetWidth(), licence.x) + 2 * m_ptPicture.x,
                  m_bmpPicture.GetHeight() + licence.y + 3 * m_ptPicture.y);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(m_brushBack.GetColour());
    Bind(wxEVT_PAINT, &CAboutDlg::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CAboutDlg::OnMouseDown, this);
    Bind(wxEVT_RIGHT_DOWN, &CAboutDlg::OnMouseDown, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CAboutDlg::OnCaptureLost, this);
    // The box itself has the keyboard, so its keys come as its own key presses.
    Bind(wxEVT_KEY_DOWN, &CAboutDlg::OnKeyDown, this);
    Bind(wxEVT_SHOW, &CAboutDlg::OnShow, this);
    SetCanFocus(true);
    return true;
}

void CAboutDlg::TakeMouse()
{
    if (IsShown() && !HasCapture())
        CaptureMouse();
}

void CAboutDlg::EndModal(int retCode)
{
    if (HasCapture())
        ReleaseMouse();
    wxDialog::EndModal(retCode);
}

void CAboutDlg::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // Another program took the mouse; the box still closes on a click inside it.
}

void CAboutDlg::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(m_brushBack);
    dc.Clear();
    if (m_bmpPicture.IsOk())
        dc.DrawBitmap(m_bmpPicture, m_ptPicture, true);
    dc.SetTextForeground(*wxWHITE);
    dc.DrawText(m_strLicence, m_ptPicture.x, m_bmpPicture.GetHeight() + 2 * m_ptPicture.y);
    // The mouse can be taken only from a window on the screen, which a painted one is.
    if (!HasCapture())
        CallAfter(&CAboutDlg::TakeMouse);
}

void CAboutDlg::OnMouseDown(wxMouseEvent& event)
{
    event.Skip();
    if (HasCapture())
        ReleaseMouse();
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
}

void CAboutDlg::OnKeyDown(wxKeyEvent& event)
{
    int code = wxID_NONE;
    switch (event.GetKeyCode())
    {
    case WXK_ESCAPE: code = wxID_CANCEL; break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
    case WXK_SPACE:
    case WXK_NUMPAD_SPACE: code = wxID_OK; break;
    default: event.Skip(); return;
    }
    if (HasCapture())
        ReleaseMouse();
    SetReturnCode(code);
    EndDialog(code);
}

void CAboutDlg::OnShow(wxShowEvent& event)
{
    event.Skip();
    if (event.IsShown())
        CallAfter([this] { SetFocus(); });
}
