// The save dialog of File > Export Instrument Definitions; the file is made by plain code.
#include "instrdef/ExportInstrDefCommand.h"

#include "instrdef/InstrDefExport.h"
#include "res/MessageBox.h"

#include <wx/config.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/intl.h>

#include <filesystem>

const char* const kInstrDefFormatKey = "/InstrumentDefinitions/Format";

namespace
{
// The format chosen last, or midnam.
INSTRDEFFORMAT RememberedFormat()
{
    INSTRDEFFORMAT format = InstrDefMidnam;
    if (wxConfigBase* config = wxConfigBase::Get(false))
        ParseInstrDefFormat(config->Read(kInstrDefFormatKey, "midnam").utf8_string(), format);
    return format;
}

void RememberFormat(INSTRDEFFORMAT format)
{
    if (wxConfigBase* config = wxConfigBase::Get(false))
    {
        config->Write(kInstrDefFormatKey, wxString(InstrDefFormatName(format)));
        config->Flush();
    }
}
} // namespace

void RunExportInstrDefCommand(wxWindow* parent, const std::string& bankPath)
{
    if (bankPath.empty())
        return;
    // The type list is in the order of INSTRDEFFORMAT.
    const wxString types = _("MIDI Name Document (*.midnam)|*.midnam|Cakewalk instrument definitions (*.ins)|*.ins|"
                             "REAPER bank file (*.reabank)|*.reabank|Cubase patch-name script (*.txt)|*.txt|"
                             "CSV table (*.csv)|*.csv");
    const INSTRDEFFORMAT last = RememberedFormat();
    std::filesystem::path suggested = std::filesystem::path(bankPath).replace_extension(InstrDefExtension(last));
    wxFileDialog dialog(parent, _("Export Instrument Definitions"),
                        wxString::FromUTF8(suggested.parent_path().string()),
                        wxString::FromUTF8(suggested.filename().string()), types, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    dialog.SetFilterIndex(static_cast<int>(last));
    if (dialog.ShowModal() != wxID_OK)
        return;

    // GTK reports the full path only once its chooser has really run; wx keeps directory and name itself.
    wxString path = dialog.GetPath();
    if (path.empty() && !dialog.GetFilename().empty())
        path = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    if (path.empty())
        return;
    const int index = dialog.GetFilterIndex();
    const INSTRDEFFORMAT format =
        index >= InstrDefMidnam && index <= InstrDefCsv ? static_cast<INSTRDEFFORMAT>(index) : last;
    RememberFormat(format);

    // A name typed without an ending gets the format's; the dialog asked only about the name as typed.
    wxFileName name(path);
    if (!name.HasExt())
    {
        name.SetExt(wxString(InstrDefExtension(format)).Mid(1));
        if (name.FileExists() &&
            AppMessageBoxText(
                wxString::Format(_("%s already exists.\nDo you want to replace it?"), name.GetFullPath()).utf8_string(),
                MsgQuestion) != AnswerYes)
            return;
    }
    ExportBankInstrDef(bankPath, format, name.GetFullPath().utf8_string());
}
