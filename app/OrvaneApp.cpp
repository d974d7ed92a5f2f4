// COrvaneApp: the desktop program. It chooses the interface language, installs the message-box
// sink, keeps the settings for the program's lifetime, keeps the recent-file list under
// "Vorn Orvane", and opens the file named on the command line (or a new document).
#include "app/BrowserCopy.h"
#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/MessageLog.h"
#include "app/OrvaneShell.h"
#include "app/Settings.h"
#include "app/ShellPaths.h"
#include "app/WxMessageSink.h"
#include "app/WxTranslator.h"
#include "res/StringTable.h"

#include <wx/app.h>
#include <wx/cmdline.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/modalhook.h>
#include <wx/stdpaths.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

class COrvaneApp : public wxApp
{
public:
    bool OnInit() override;
    int OnExit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

    CSettings m_settings;

private:
    COrvaneDocManager* m_pDocManager = nullptr;
    CWxMessageSink m_sink;
    CWxTranslator m_translator;
    wxString m_strFile;
    std::vector<std::string> m_arrFiles;
};

wxIMPLEMENT_APP_NO_MAIN(COrvaneApp);

// --help and --version are answered before the window system starts, so they need no display.
int main(int argc, char** argv)
{
    if (int code = AnswerInfoOption(std::vector<std::string>(argv + 1, argv + argc), std::cout); code >= 0)
        return code;
    return wxEntry(argc, argv);
}

namespace
{
// Counts the modal dialogs and message boxes on show.
class CModalCount : public wxModalDialogHook
{
public:
    int m_nOpen = 0;

protected:
    int Enter(wxDialog*) override
    {
        ++m_nOpen;
        return wxID_NONE;
    }
    void Exit(wxDialog*) override { --m_nOpen; }
};

CModalCount g_modalCount;

// A program ended by the session (SIGTERM, SIGHUP) or by Ctrl+C in its terminal closes its window
// as the user would: the settings are saved and the page directory is removed at exit. wx calls
// this from its event loop, not from the signal itself. A window cannot close under a modal
// dialog: then only the page directory is removed and the signal ends the program.
void CloseOnSignal(int signal)
{
    if (g_modalCount.m_nOpen > 0)
    {
        RemoveTempDirectory();
        RemoveBrowserCopies();
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    if (wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr)
        top->Close(true);
}
} // namespace

void COrvaneApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    wxApp::OnInitCmdLine(parser);
    parser.AddParam("soundbank", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL | wxCMD_LINE_PARAM_MULTIPLE);
}

bool COrvaneApp::OnCmdLineParsed(wxCmdLineParser& parser)
{
    // One file opens as a bank; several, or a folder, open as a bank set.
    for (size_t i = 0; i < parser.GetParamCount(); ++i)
    {
        wxFileName file(parser.GetParam(i));
        file.MakeAbsolute();
        m_arrFiles.push_back(file.GetFullPath().utf8_string());
    }
    std::error_code ec;
    if (m_arrFiles.size() == 1 && !std::filesystem::is_directory(m_arrFiles[0], ec))
        m_strFile = wxString::FromUTF8(m_arrFiles[0]);
    return wxApp::OnCmdLineParsed(parser);
}

bool COrvaneApp::OnInit()
{
    SetAppName(wxString::FromUTF8(GetString(IDR_MAINFRAME)).BeforeFirst('\n'));
    SetAppDisplayName(wxString::FromUTF8(GetString(AFX_IDS_APP_TITLE)));
    if (!wxApp::OnInit())
        return false;
    // French when the environment asks for it, before any window takes its texts.
    SetUpInterfaceLanguage(m_translator);
    MessageSinkSlot().Install(&m_sink);
    // The toolkit's own errors (the document manager's, the printer's) as the program's messages.
    InstallMessageLog();
    // The recent-file list lives in the user's configuration directory, under "Vorn Orvane".
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    // Its directory is made first: a missing one would only be noticed, with an error box, at exit.
    // Two programs started together may both make it; the one that finds it made says nothing.
    wxFileName configFile(wxFileConfig::GetLocalFileName(GetAppName(), wxCONFIG_USE_LOCAL_FILE));
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(configFile.GetPath().utf8_string()), ec);
    wxConfigBase::Set(new wxFileConfig(GetAppName(), wxString(), wxString(), wxString(), wxCONFIG_USE_LOCAL_FILE));

    // Before the page directory is made; the handler runs once the event loop does.
    g_modalCount.Register();
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        SetSignalHandler(signal, CloseOnSignal);
    m_pDocManager = new COrvaneDocManager;
    CMainFrame* frame = StartOrvane(*m_pDocManager, m_settings, m_strFile);
    if (!frame)
        return false;
    if (m_strFile.empty() && !m_arrFiles.empty())
        frame->OpenBankSet(m_arrFiles);
    m_sink.SetOwner(frame);
    SetTopWindow(frame);
    return true;
}

int COrvaneApp::OnExit()
{
    delete m_pDocManager;
    m_pDocManager = nullptr;
    delete wxConfigBase::Set(nullptr);
    MessageSinkSlot().Install(nullptr);
    TranslatorSlot().Install(nullptr);
    g_modalCount.Unregister();
    // The mapping page and its copies for the web browser go with the program.
    RemoveTempDirectory();
    RemoveBrowserCopies();
    return wxApp::OnExit();
}
