// File > Export Instrument Definitions typed as a user types it (Alt+F, I): the type list of the
// save dialog chooses the format, the choice is remembered in the user's configuration, and a
// definition is never written over the bank it comes from; a bank set's page exports the set.
#include "instrdef/ExportInstrDefCommand.h"
#include "res/StringTable.h"
#include "support/BankBuilder.h"
#include "support/InstrDefReaders.h"
#include "support/gui/ExpectDialog.h"
#include "support/gui/ShellFixture.h"

#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filedlg.h>
#include <wx/uiaction.h>

namespace
{
class ExportInstrDefGuiTest : public CShellFixture
{
protected:
    void SetUp() override
    {
        CShellFixture::SetUp();
        // The user's configuration is a file of the test's own; the fixture takes it back.
        wxConfigBase::Set(new wxFileConfig(wxString(), wxString(), wxString::FromUTF8(ConfigPath()), wxString(),
                                           wxCONFIG_USE_LOCAL_FILE));
    }
    std::string ConfigPath() const { return (m_dir / "user.conf").string(); }

    // Alt+F opens the File menu, I chooses Export Instrument Definitions.
    void TypeMenuChoice()
    {
        FocusPage();
        wxUIActionSimulator keys;
        keys.Char('f', wxMOD_ALT);
        PumpEvents();
        keys.Char('i');
        PumpEvents();
    }
};

BankEntry Entry(uint16_t program, uint8_t variation)
{
    BankEntry e;
    e.program = program;
    e.variation = variation;
    return e;
}

// The dialog's answer: the file typed and the type chosen in its list.
ExpectDialog<wxFileDialog> AnswerDialog(const std::string& path, int type, int* shownType = nullptr,
                                        std::string* shownName = nullptr)
{
    return ExpectDialog<wxFileDialog>(
        [=](wxFileDialog* dlg)
        {
            EXPECT_EQ("Export Instrument Definitions", dlg->GetMessage());
            EXPECT_TRUE(dlg->HasFlag(wxFD_OVERWRITE_PROMPT));
            if (shownType)
                *shownType = dlg->GetFilterIndex();
            if (shownName)
                *shownName = dlg->GetFilename().utf8_string();
            dlg->SetPath(wxString::FromUTF8(path));
            dlg->SetFilterIndex(type);
            return wxID_OK;
        });
}
} // namespace

TEST_F(ExportInstrDefGuiTest, TheTypeChosenMakesTheFileAndIsOfferedFirstNextTime)
{
    StartShell(MakeBank("demo.94b"));
    ASSERT_TRUE(IsEnabled(CMD_EXPORT_INSTRDEF));
    int shownType = -1;
    std::string shownName;
    wxTEST_DIALOG(TypeMenuChoice(), AnswerDialog((m_dir / "card").string(), 2, &shownType, &shownName));
    EXPECT_EQ(0, shownType);
    EXPECT_EQ("demo.midnam", shownName);

    // REAPER's type: the name typed gets its ending.
    const std::vector<READPATCH> expected = {{false, 0, 0, "Acoustic Grand Piano"},
                                             {false, 1, 0, "Bright Acoustic Piano"},
                                             {false, 5, 8, "Electric Piano 2 (Concert)"},
                                             {true, 0, 0, "Standard"}};
    EXPECT_EQ(Sorted(expected), Sorted(ReadReabank(ReadFileText(m_dir / "card.reabank"))));
    EXPECT_NE(std::string::npos, ReadFileText(ConfigPath()).find("Format=reabank"));

    wxTEST_DIALOG(TypeMenuChoice(), AnswerDialog((m_dir / "card.midnam").string(), 0, &shownType, &shownName));
    EXPECT_EQ(2, shownType);
    EXPECT_EQ("demo.reabank", shownName);
    EXPECT_EQ(Sorted(expected), Sorted(ReadMidnam(ReadFileText(m_dir / "card.midnam")).patches));
}

TEST_F(ExportInstrDefGuiTest, TheBankItselfIsNeverTheFileWritten)
{
    const std::string bank = MakeBank("demo.94b");
    StartShell(bank);
    const std::vector<unsigned char> before = ReadFileBytes(bank);
    wxTEST_DIALOG(TypeMenuChoice(), AnswerDialog(bank, 1),
                  ExpectMessage(GetString(IDS_INSTRDEF_ISBANK), "Orvane", wxICON_ERROR));
    EXPECT_EQ(before, ReadFileBytes(bank));
}

TEST_F(ExportInstrDefGuiTest, OnABankSetsPageTheSetsAnswersAreExported)
{
    StartShell();
    // Low maps programs 0 and 1; High, of a higher priority, answers program 0.
    CBankBuilder low, high;
    low.Prio("Low", 1).Imap({Entry(0, 0), Entry(1, 0)}, {});
    high.Prio("High", 9).Imap({Entry(0, 0)}, {});
    low.WriteTo(m_dir / "low.94b");
    high.WriteTo(m_dir / "high.94b");
    ASSERT_TRUE(m_frame->OpenBankSet({(m_dir / "low.94b").string(), (m_dir / "high.94b").string()}));
    ASSERT_TRUE(IsEnabled(CMD_EXPORT_INSTRDEF));
    std::string shownName;
    wxTEST_DIALOG(TypeMenuChoice(), AnswerDialog((m_dir / "set.reabank").string(), 2, nullptr, &shownName));
    EXPECT_EQ(m_dir.Path().filename().string() + ".midnam", shownName);
    const std::vector<READPATCH> expected = {{false, 0, 0, "Acoustic Grand Piano (High)"},
                                             {false, 1, 0, "Bright Acoustic Piano (Low)"}};
    EXPECT_EQ(expected, Sorted(ReadReabank(ReadFileText(m_dir / "set.reabank"))));
}
