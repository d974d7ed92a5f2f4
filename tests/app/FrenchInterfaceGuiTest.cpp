// The interface in French, chosen from LANG as at start: a menu, a dialog and a message box show
// the catalogue's texts, the toolkit's own buttons and dialog titles are French too, and the
// French help names the menus as they are shown, every menu's mnemonics are its own and Alt+E
// opens "Édition"; the page and the toolkit's messages speak French. No French system locale is
// needed.
#include "app/MenuMnemonic.h"
#include "app/MessageLog.h"
#include "app/OptionsDlg.h"
#include "app/WxTranslator.h"
#include "inspector/BankInspectorDlg.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "support/gui/ExpectDialog.h"
#include "support/gui/ShellFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <wx/file.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/translation.h>
#include <wx/uiaction.h>

#include <cstdlib>

#include <dlfcn.h>

namespace
{
class FrenchInterfaceGuiTest : public CShellFixture
{
protected:
    void SetUp() override
    {
        CShellFixture::SetUp();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
            if (const char* value = std::getenv(name))
                m_saved.emplace_back(name, value);
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_MESSAGES");
        ::setenv("LANG", "fr_FR.UTF-8", 1);
        m_bFrench = SetUpInterfaceLanguage(m_translator);
    }
    void TearDown() override
    {
        CShellFixture::TearDown();
        TranslatorSlot().Install(nullptr);
        wxTranslations::Set(nullptr);
        ::unsetenv("LANG");
        for (const auto& [name, value] : m_saved)
            ::setenv(name.c_str(), value.c_str(), 1);
    }

    CWxTranslator m_translator;
    bool m_bFrench = false;
    std::vector<std::pair<std::string, std::string>> m_saved;
};
} // namespace

TEST_F(FrenchInterfaceGuiTest, MenusDialogsAndMessagesSpeakFrench)
{
    ASSERT_TRUE(m_bFrench) << "the catalogue locale/fr/LC_MESSAGES/orvane.mo beside the tests was not loaded";
    StartShell(MakeBank("demo.94b"));
    wxMenuBar* bar = m_frame->GetMenuBar();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ("Fichier", bar->GetMenuLabelText(0).utf8_string());
    EXPECT_EQ("Aide", bar->GetMenuLabelText(3).utf8_string());
    EXPECT_EQ("Inspecteur de banque", wxMenuItem::GetLabelText(bar->GetLabel(CMD_BANKINSPECTOR)).utf8_string());

    // The inspector's labels.
    auto* dlg = new CBankInspectorDlg(m_frame);
    bool sawName = false;
    for (wxWindow* child : dlg->GetChildren())
        if (auto* label = dynamic_cast<wxStaticText*>(child))
            sawName = sawName || label->GetLabel().utf8_string() == "Nom :";
    EXPECT_TRUE(sawName);
    dlg->Destroy();

    // A message of the string table, in French, with the program's caption.
    wxTEST_DIALOG(AppMessageBox(IDS_CANTOPENFILE, MsgStop),
                  ExpectMessage("Impossible d'ouvrir le fichier !", "Orvane", wxICON_ERROR));
    CloseShell();
}

namespace
{
// A button label without its mnemonic marks ("_Oui" and "&Oui" are "Oui").
std::string Plain(const wxString& label)
{
    std::string text;
    for (char c : label.utf8_string())
        if (c != '_' && c != '&')
            text += c;
    return text;
}
} // namespace

// The toolkit's texts come from its own French catalogue: the Yes and No of a question, and the
// title of the file dialog that Ctrl+O opens.
TEST_F(FrenchInterfaceGuiTest, ToolkitButtonsAndDialogTitlesSpeakFrench)
{
    ASSERT_TRUE(m_bFrench);
    StartShell(MakeBank("demo.94b"));
    wxTEST_DIALOG(AppMessageBox(IDS_TTSQUESTION, MsgQuestion), ExpectDialog<wxMessageDialog>(
                                                                   [](wxMessageDialog* dlg)
                                                                   {
                                                                       EXPECT_EQ(Plain(dlg->GetYesLabel()), "Oui");
                                                                       EXPECT_EQ(Plain(dlg->GetNoLabel()), "Non");
                                                                       return wxID_NO;
                                                                   }));

    FocusPage();
    wxUIActionSimulator keys;
    wxTEST_DIALOG(
        {
            keys.Char('o', wxMOD_CONTROL);
            PumpEvents();
        },
        ExpectDialog<wxFileDialog>(
            [](wxFileDialog* dlg)
            {
                EXPECT_EQ(dlg->GetMessage().utf8_string(), "Ouvrir un Fichier");
                return wxID_CANCEL;
            }));
    CloseShell();
}

// The French help names every menu and command in bold as the French menus show them.
TEST_F(FrenchInterfaceGuiTest, FrenchHelpNamesTheMenusAsTheyAreShown)
{
    ASSERT_TRUE(m_bFrench);
    StartShell();
    const std::string help = ReadFileText(std::filesystem::path(ORVANE_SOURCE_DIR) / "share/help/help_fr.html");
    auto bold = [&help](const wxString& label)
    {
        wxString text = wxMenuItem::GetLabelText(label).BeforeFirst('\t');
        return help.find("<b>" + text.utf8_string() + "</b>") != std::string::npos;
    };
    wxMenuBar* bar = m_frame->GetMenuBar();
    for (size_t m = 0; m < bar->GetMenuCount(); ++m)
    {
        EXPECT_TRUE(bold(bar->GetMenuLabel(m))) << bar->GetMenuLabelText(m);
        for (wxMenuItem* item : bar->GetMenu(m)->GetMenuItems())
        {
            if (!item->IsSeparator() && !item->GetItemLabelText().empty() && item->GetId() != CMD_RECENT_FILE)
            {
                EXPECT_TRUE(bold(item->GetItemLabel())) << item->GetItemLabelText();
            }
        }
    }
    CloseShell();
}

// The mapping page on show follows the interface: its labels, headings, group words, note and
// date are French, and nothing of the English page is left.
TEST_F(FrenchInterfaceGuiTest, MappingPageSpeaksFrench)
{
    ASSERT_TRUE(m_bFrench);
    StartShell(MakeBank("demo.94b"));
    const std::string page = ReadFileText(Doc()->m_report.m_strOutputPath);
    for (const char* french : {"<b>Banque de sons :</b>", ">Groupe<", ">Nom GM<", "Correspondances MIDI",
                               "\nInstruments\n", "\nBatterie\n", "Date de la table : ", " à ", "Prog. Cubase est"})
        EXPECT_NE(page.find(french), std::string::npos) << french;
    for (const char* english : {"Soundbank", ">Group<", "GM name", "Drumset", "Mapping date", "day,", " at "})
        EXPECT_EQ(page.find(english), std::string::npos) << english;
    // The French day and month names, as a French reader writes them: "jeudi 10 décembre 2026 à".
    const size_t date = page.find("Date de la table : ");
    ASSERT_NE(date, std::string::npos);
    const std::string line = page.substr(date, page.find('\n', date) - date);
    bool day = false, month = false;
    for (const char* name : {"lundi ", "mardi ", "mercredi ", "jeudi ", "vendredi ", "samedi ", "dimanche "})
        day = day || line.find(name) != std::string::npos;
    for (const char* name : {" janvier ", " février ", " mars ", " avril ", " mai ", " juin ", " juillet ", " août ",
                             " septembre ", " octobre ", " novembre ", " décembre "})
        month = month || line.find(name) != std::string::npos;
    EXPECT_TRUE(day && month) << line;
    CloseShell();
}

// What the toolkit logs comes in French, in the program's message box with its caption.
TEST_F(FrenchInterfaceGuiTest, ToolkitMessagesSpeakFrenchUnderTheProgramsCaption)
{
    ASSERT_TRUE(m_bFrench);
    StartShell();
    CMessageLog log;
    wxLog* old = wxLog::SetActiveTarget(&log);
    const std::string missing = (m_dir / "absent.txt").string();
    wxTEST_DIALOG(
        {
            wxFile file;
            EXPECT_FALSE(file.Open(wxString::FromUTF8(missing)));
            PumpEvents();
        },
        ExpectDialog<wxMessageDialog>(
            [&missing](wxMessageDialog* dlg)
            {
                // The catalogue sets the path in French quotation marks with narrow spaces.
                const std::string text = dlg->GetMessage().utf8_string();
                EXPECT_EQ(text.find("impossible d'ouvrir le fichier «"), 0u) << text;
                EXPECT_NE(text.find(missing), std::string::npos) << text;
                EXPECT_EQ(dlg->GetTitle().utf8_string(), "Orvane");
                return wxID_OK;
            }));
    wxLog::SetActiveTarget(old);
    CloseShell();
}

// Every menu's mnemonics are typed with keys of their own, and Alt+E, typed as a user types it,
// opens "Édition" although its mnemonic is the accented letter.
TEST_F(FrenchInterfaceGuiTest, MenuMnemonicsDoNotCollideAndAltEOpensEdition)
{
    ASSERT_TRUE(m_bFrench);
    StartShell(MakeBank("demo.94b"));
    wxMenuBar* bar = m_frame->GetMenuBar();
    std::vector<std::string> titles;
    for (size_t m = 0; m < bar->GetMenuCount(); ++m)
    {
        titles.push_back(bar->GetMenuLabel(m).utf8_string());
        std::vector<std::string> items;
        for (wxMenuItem* item : bar->GetMenu(m)->GetMenuItems())
            if (!item->IsSeparator())
                items.push_back(item->GetItemLabel().utf8_string());
        EXPECT_TRUE(CollidingMnemonics(items).empty()) << titles.back();
    }
    EXPECT_TRUE(CollidingMnemonics(titles).empty());
    EXPECT_EQ("&Édition", bar->GetMenuLabel(1).utf8_string());

    wxMenu* opened = nullptr;
    m_frame->Bind(wxEVT_MENU_OPEN,
                  [&opened](wxMenuEvent& event)
                  {
                      opened = event.GetMenu();
                      event.Skip();
                  });
    FocusPage();
    wxUIActionSimulator keys;
    keys.Char('e', wxMOD_ALT);
    for (int i = 0; i < 20 && !opened; ++i)
    {
        PumpEvents();
        wxMilliSleep(20);
    }
    EXPECT_EQ(bar->GetMenu(1), opened);
    keys.Char(WXK_ESCAPE);
    PumpEvents();
    CloseShell();
}

// The options dialog's buttons take the catalogue's texts, whatever the system's locale.
TEST_F(FrenchInterfaceGuiTest, OptionsButtonsSpeakFrench)
{
    ASSERT_TRUE(m_bFrench);
    StartShell();
    FocusPage();
    wxUIActionSimulator keys;
    wxTEST_DIALOG(
        {
            keys.Char('b', wxMOD_CONTROL);
            PumpEvents();
        },
        ExpectDialog<COptionsDlg>(
            [](COptionsDlg* dlg)
            {
                // The text the toolkit shows, not only the one wx keeps.
                using LabelFn = const char* (*)(void*);
                static const auto pfnLabel = reinterpret_cast<LabelFn>(dlsym(RTLD_DEFAULT, "gtk_button_get_label"));
                wxWindow* cancel = dlg->FindWindow(COptionsDlg::IDC_CANCEL);
                EXPECT_NE(nullptr, cancel);
                if (cancel && pfnLabel)
                {
                    EXPECT_EQ("Annuler", Plain(wxString::FromUTF8(pfnLabel(cancel->GetHandle()))));
                }
                EXPECT_EQ("OK", Plain(dlg->FindWindow(wxID_OK)->GetLabel()));
                return wxID_CANCEL;
            }));
    CloseShell();
}
