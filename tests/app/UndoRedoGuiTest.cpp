// Edit > Undo and Redo in the main window, driven by real keys: an inspector OK is undone with
// Ctrl+Z (file and page as before) and redone with Ctrl+Y; a bank changed on disk in between is
// not undone, and the user is told why.
#include "journal/ChangeJournal.h"
#include "res/StringTable.h"
#include "support/gui/InspectorTyping.h"
#include "support/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/uiaction.h>

namespace
{
class UndoRedoGuiTest : public CShellFixture
{
protected:
    void SetUp() override
    {
        CShellFixture::SetUp();
        ForgetDigests();
        StartShell(MakeBank("undo.94b"));
        m_frame->Raise();
        PumpEvents();
        m_bank = Doc()->m_report.m_strBankPath;
    }

    std::string Page() const { return ReadFileText(Doc()->m_report.m_strOutputPath); }

    // Ctrl+I, a click on the first program, "99" typed a key at a time, a click on OK.
    void ChangeFirstProgramInInspector()
    {
        ASSERT_TRUE(TypeFirstProgramInInspector("99")) << "Ctrl+I did not open the inspector";
    }

    void Press(int key)
    {
        wxUIActionSimulator sim;
        sim.Char(key, wxMOD_CONTROL);
        PumpEvents();
    }

    // The menu item as the user sees it when the Edit menu opens.
    wxMenuItem* MenuItem(int id)
    {
        m_frame->GetMenuBar()->UpdateMenus();
        return m_frame->GetMenuBar()->FindItem(id);
    }

    std::filesystem::path m_bank;
};
} // namespace

TEST_F(UndoRedoGuiTest, CtrlZUndoesAnInspectorOkAndCtrlYRedoesIt)
{
    const auto original = ReadFileBytes(m_bank);
    EXPECT_FALSE(IsEnabled(wxID_UNDO));
    EXPECT_FALSE(IsEnabled(wxID_REDO));
    ChangeFirstProgramInInspector();
    const auto changed = ReadFileBytes(m_bank);
    ASSERT_NE(original, changed);
    ASSERT_NE(std::string::npos, Page().find(">99<"));
    // The label names the change before the menu is opened: GTK sizes the menu from the labels
    // it has when it opens, and a longer one set then is cut off.
    PumpEvents();
    EXPECT_EQ("&Undo inspector change\tCtrl+Z",
              m_frame->GetMenuBar()->FindItem(wxID_UNDO)->GetItemLabel().utf8_string());

    ASSERT_TRUE(IsEnabled(wxID_UNDO));
    EXPECT_FALSE(IsEnabled(wxID_REDO));
    wxMenuItem* undo = MenuItem(wxID_UNDO);
    ASSERT_NE(nullptr, undo);
    EXPECT_EQ("&Undo inspector change\tCtrl+Z", undo->GetItemLabel().utf8_string());
    EXPECT_NE(std::string::npos, undo->GetHelp().utf8_string().find("Undo the inspector change of "));
    EXPECT_NE(std::string::npos, undo->GetHelp().utf8_string().find("1 entry"));

    Press('z');
    EXPECT_EQ(original, ReadFileBytes(m_bank));
    EXPECT_EQ(std::string::npos, Page().find(">99<"));
    EXPECT_FALSE(IsEnabled(wxID_UNDO));
    ASSERT_TRUE(IsEnabled(wxID_REDO));
    EXPECT_EQ("&Redo inspector change\tCtrl+Y", MenuItem(wxID_REDO)->GetItemLabel().utf8_string());

    Press('y');
    EXPECT_EQ(changed, ReadFileBytes(m_bank));
    EXPECT_NE(std::string::npos, Page().find(">99<"));
    EXPECT_TRUE(IsEnabled(wxID_UNDO));
    EXPECT_FALSE(IsEnabled(wxID_REDO));
}

TEST_F(UndoRedoGuiTest, ABankChangedOnDiskMeanwhileIsNotUndoneAndTheMessageSaysWhy)
{
    ChangeFirstProgramInInspector();
    ASSERT_TRUE(IsEnabled(wxID_UNDO));

    // Another program changes a byte and puts the modification time back: only the bank's
    // digest shows the change.
    const auto when = std::filesystem::last_write_time(m_bank);
    auto bytes = ReadFileBytes(m_bank);
    bytes.back() ^= 0x55;
    WriteFileBytes(m_bank, bytes);
    std::filesystem::last_write_time(m_bank, when);

    wxTEST_DIALOG(Press('z'), ExpectMessage(GetString(IDS_UNDO_CHANGED), "Orvane", wxICON_EXCLAMATION));
    EXPECT_EQ(bytes, ReadFileBytes(m_bank));
    EXPECT_NE(std::string::npos, Page().find(">99<"));
}
