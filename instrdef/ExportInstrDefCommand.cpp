// The save dialog of File > Export Instrument Definitions; the file is made by plain code.
#include "instrdef/ExportInstrDefCommand.h"

#include "bankset/BankSet.h"
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
// The save dialog: where and in which format. False when the user cancels.
bool ChooseInstrDefFile(wxWindow* parent, const std::filesystem::path& suggestedStem, wxString& path,
                        INSTRDEFFORMAT& format)
{
    // The type list is in the order of INSTRDEFFORMAT.
    const wxString types = _("MIDI Name Document (*.midnam)|*.midnam|Cakewalk instrument definitions (*.ins)|*.ins|"
                             "REAPER bank file (*.reabank)|*.reabank|Cubase patch-name script (*.txt)|*.txt|"
                             "CSV table (*.csv)|*.csv");
    const INSTRDEFFORMAT last = RememberedFormat();
    std::filesystem::path suggested = suggestedStem;
    suggested.replace_extension(InstrDefExtension(last));
    wxFileDialog dialog(parent, _("Export Instrument Definitions"),
                        wxString::FromUTF8(suggested.parent_path().string()),
                        wxString::FromUTF8(suggested.filename().string()), types, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    dialog.SetFilterIndex(static_cast<int>(last));
    if (dialog.ShowModal() != wxID_OK)
        return false;

    // GTK reports the full path only once its chooser has really run; wx keeps directory and name itself.
    path = dialog.GetPath();
    if (path.empty() && !dialog.GetFilename().empty())
        path = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    if (path.empty())
        return false;
    const int index = dialog.GetFilterIndex();
    format = index >= InstrDefMidnam && index <= InstrDefCsv ? static_cast<INSTRDEFFORMAT>(index) : last;
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
            return false;
    }
    path = name.GetFullPath();
    return true;
}
} // namespace

void RunExportInstrDefCommand(wxWindow* parent, const std::string& bankPath)
{
    if (bankPath.empty())
        return;
    wxString path;
    INSTRDEFFORMAT format = InstrDefMidnam;
    if (ChooseInstrDefFile(parent, bankPath, path, format))
        ExportBankInstrDef(bankPath, format, path.utf8_string());
}

void RunExportSetInstrDefCommand(wxWindow* parent, const CBankSet& set)
{
    if (set.GetBanks().empty())
        return;
    // Beside the set's first bank, named after the folder the banks share, or "bankset".
    const std::filesystem::path first(set.GetBanks().front().strPath);
    std::filesystem::path folder = first.parent_path();
    for (const SETBANK& bank : set.GetBanks())
        if (std::filesystem::path(bank.strPath).parent_path() != folder)
            folder.clear();
    std::string stem = folder.empty() ? std::string() : folder.filename().string();
    if (stem.empty() || stem == "." || stem == "..")
        stem = "bankset";
    wxString path;
    INSTRDEFFORMAT format = InstrDefMidnam;
    if (ChooseInstrDefFile(parent, first.parent_path() / stem, path, format))
        ExportSetInstrDef(set, format, path.utf8_string());
}
