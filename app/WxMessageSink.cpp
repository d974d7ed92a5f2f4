// Message boxes of the desktop program, owned by the main window or the modal dialog on show.
#include "app/WxMessageSink.h"

#include <wx/dialog.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>

wxWindow* CWxMessageSink::Owner() const
{
    // A message raised from a modal dialog goes over that dialog, which would otherwise hide it.
    wxWindow* focus = wxWindow::FindFocus();
    wxWindow* top = focus ? wxGetTopLevelParent(focus) : nullptr;
    if (auto* dialog = dynamic_cast<wxDialog*>(top); dialog && dialog->IsModal())
        return dialog;
    if (m_owner)
        return m_owner.get();
    return top;
}

int CWxMessageSink::Show(const std::string& text, const std::string& caption, unsigned style)
{
    return ShowDetail(text, caption, style, "");
}

int CWxMessageSink::ShowDetail(const std::string& text, const std::string& caption, unsigned style,
                               const std::string& detail)
{
    long wxStyle = ((style & MsgYesNo) ? wxYES_NO : wxOK) | wxCENTRE;
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
    wxMessageDialog dlg(Owner(), wxString::FromUTF8(text),
                        caption.empty() ? wxString(wxMessageBoxCaptionStr) : wxString::FromUTF8(caption), wxStyle);
    if (!detail.empty())
        dlg.SetExtendedMessage(wxString::FromUTF8(detail));
    // The buttons' texts from the toolkit's catalogue: left to the system, they would follow the
    // system's locale rather than the interface's language.
    if (style & MsgYesNo)
        dlg.SetYesNoLabels(_("&Yes"), _("&No"));
    int answer = dlg.ShowModal();
    if (style & MsgYesNo)
        return answer == wxID_YES ? AnswerYes : AnswerNo;
    return AnswerOk;
}
