// A converted TTS bank opened with File > Open: the repair question comes up in a real message
// box, Yes repairs the file (keeping a ".bak" copy when the setting says so) and No leaves it as
// it was; the page is shown either way.
#include "support/gui/ShellFixture.h"

#include "res/StringTable.h"
#include "support/BankBuilder.h"

#include <wx/filedlg.h>
#include <wx/uiaction.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
using Bytes = std::vector<unsigned char>;

// A TTMA chunk of 12 bytes at the start, the priority and mapping chunks after it.
Bytes ConvertedBank()
{
    CBankBuilder bank;
    bank.Ttma(12).Prio("Asked", 4).Imap(CBankBuilder::Entries(2), CBankBuilder::Entries(1));
    return bank.Bytes();
}

// The repair puts the priority chunk (18 bytes, at 20) before the TTMA chunk (20 bytes, at 0).
Bytes RepairedBank()
{
    const Bytes original = ConvertedBank();
    Bytes repaired(original.begin() + 20, original.begin() + 38);
    repaired.insert(repaired.end(), original.begin(), original.begin() + 20);
    repaired.insert(repaired.end(), original.begin() + 38, original.end());
    return repaired;
}

class TtsRepairGuiTest : public CShellFixture
{
protected:
    void StartWithBackupSetting(bool bKeepBackup)
    {
        CSettings settings;
        settings.m_bKeepBackup = bKeepBackup ? 1 : 0;
        ASSERT_EQ(1, settings.Save(SettingsPath()));
        StartShell();
    }
    std::string WriteConverted(const std::string& name) const
    {
        const std::string path = (m_dir / name).string();
        WriteFileBytes(path, ConvertedBank());
        return path;
    }
    // Ctrl+O, the bank's name in the open dialog, then the repair question answered with answer.
    void OpenAnswering(const std::string& path, int answer)
    {
        FocusPage();
        wxUIActionSimulator keys;
        wxTEST_DIALOG(
            {
                keys.Char('o', wxMOD_CONTROL);
                PumpEvents();
            },
            wxExpectModal<wxFileDialog>(wxString::FromUTF8(path)),
            ExpectMessage(GetString(IDS_TTSQUESTION), "Orvane", wxICON_QUESTION, answer));
    }
    bool PageShows(const std::string& text) const
    {
        return ReadFileText(Doc()->m_report.m_strOutputPath).find(text) != std::string::npos;
    }
};

TEST_F(TtsRepairGuiTest, YesRepairsWithABackupAsSetAndNoLeavesTheFile)
{
    StartWithBackupSetting(true);
    const std::string yes = WriteConverted("yes.94b");
    OpenAnswering(yes, wxID_YES);
    EXPECT_EQ(RepairedBank(), ReadFileBytes(yes));
    EXPECT_EQ(ConvertedBank(), ReadFileBytes(yes + ".bak"));
    EXPECT_EQ(yes, Doc()->m_report.m_strBankPath.string());
    EXPECT_TRUE(PageShows("Asked"));

    // Opened again, the repaired bank asks nothing.
    wxUIActionSimulator keys;
    wxTEST_DIALOG(
        {
            keys.Char('o', wxMOD_CONTROL);
            PumpEvents();
        },
        wxExpectModal<wxFileDialog>(wxString::FromUTF8(yes)));
    EXPECT_EQ(RepairedBank(), ReadFileBytes(yes));

    const std::string no = WriteConverted("no.94b");
    OpenAnswering(no, wxID_NO);
    EXPECT_EQ(ConvertedBank(), ReadFileBytes(no));
    EXPECT_FALSE(fs::exists(no + ".bak"));
    EXPECT_EQ(no, Doc()->m_report.m_strBankPath.string());
    EXPECT_TRUE(PageShows("Asked"));
    CloseShell();

    // Without the backup setting, Yes repairs and leaves no copy.
    StartWithBackupSetting(false);
    const std::string plain = WriteConverted("plain.94b");
    OpenAnswering(plain, wxID_YES);
    EXPECT_EQ(RepairedBank(), ReadFileBytes(plain));
    EXPECT_FALSE(fs::exists(plain + ".bak"));
    CloseShell();
}
} // namespace
