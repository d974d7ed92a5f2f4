// The interface in French, chosen from LANG as at start: a menu, a dialog and a message box show
// the catalogue's texts. Only the program's own catalogue is needed, not a French system locale.
#include "app/WxTranslator.h"
#include "inspector/BankInspectorDlg.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "support/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/translation.h>

#include <cstdlib>

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
