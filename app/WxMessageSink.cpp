#include "app/WxMessageSink.h"

#include <wx/msgdlg.h>
#include <wx/toplevel.h>
#include <wx/window.h>

int CWxMessageSink::Show(const std::string& text, const std::string& caption, unsigned style)
{
    long wxStyle = (style & MsgYesNo) ? wxYES_NO : wxOK;
    switch (style & 0xF0)
    {
    case MsgIconStop:
        wxStyle |= wxICON_ERROR;
        break;
    case MsgIconQuestion:
        wxStyle |= wxICON_QUESTION;
        break;
    case MsgIconExclamation:
        wxStyle |= wxICON_EXCLAMATION;
        break;
    default:
        break;
    }
    wxWindow* focus = wxWindow::FindFocus();
    wxWindow* owner = focus ? wxGetTopLevelParent(focus) : nullptr;
    wxMessageDialog dlg(owner, wxString::FromUTF8(text),
                        caption.empty() ? wxString(wxMessageBoxCaptionStr) : wxString::FromUTF8(caption), wxStyle);
    int answer = dlg.ShowModal();
    if (style & MsgYesNo)
        return answer == wxID_YES ? AnswerYes : AnswerNo;
    return AnswerOk;
}
