// The main window's bank-set commands: choosing the banks or the folder of a set.
#include "app/MainFrame.h"

#include "app/OrvaneDoc.h"
#include "app/OrvaneView.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>

void CMainFrame::OnOpenBankSet(wxCommandEvent&)
{
    wxFileDialog dialog(this, _("Choose the soundbanks of the set"), wxString(), wxString(),
                        _("94b SoundBank (*.94b)") + "|*.94b;*.94B|" + _("All files") + "|*",
                        wxFD_OPEN | wxFD_MULTIPLE | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return;
    wxArrayString files;
    dialog.GetPaths(files);
    std::vector<std::string> operands;
    for (const wxString& file : files)
        operands.push_back(file.utf8_string());
    OpenBankSet(operands);
}

void CMainFrame::OnOpenBankSetFolder(wxCommandEvent&)
{
    wxDirDialog dialog(this, _("Choose the folder of the set"), wxString(), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK)
        OpenBankSet({dialog.GetPath().utf8_string()});
}

bool CMainFrame::OpenBankSet(const std::vector<std::string>& operands)
{
    COrvaneDoc* doc = FindDocument();
    COrvaneView* view = doc ? doc->GetOrvaneView() : nullptr;
    return view && view->OpenBankSet(operands);
}
