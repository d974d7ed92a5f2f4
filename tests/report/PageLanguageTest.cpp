// The mapping page in the interface's language: the words the program puts into the template
// (labels, headings, group words, note) and the date line come from the string table, so a French
// interface gets a French page and the command-line tool's English one stays as it was.
#include "report/MappingReport.h"
#include "report/PageText.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/PoTranslator.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
std::tm Thursday()
{
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 3;
    when.tm_wday = 4;
    when.tm_hour = 9;
    when.tm_min = 5;
    when.tm_sec = 7;
    return when;
}

class PageLanguageTest : public ::testing::Test
{
protected:
    // The page of a bank with one instrument and one drum set, from the template beside the program.
    std::string RenderShippedTemplate()
    {
        CBankBuilder bank;
        bank.Raw("FORM").Prio("Piano", 1).Imap({BankEntry{}}, {BankEntry{}});
        m_report.m_strBankPath = m_dir / "bank.94b";
        bank.WriteTo(m_report.m_strBankPath);
        m_report.m_strTemplatePath = std::string(ORVANE_SOURCE_DIR) + "/share/Qzr.mas";
        m_report.m_strOutputPath = m_dir / "midimap.html";
        EXPECT_EQ(1, m_report.Render()) << m_report.m_strError;
        return ReadFileText(m_report.m_strOutputPath);
    }

    CTempDir m_dir;
    CMappingReport m_report;
    CMessageRecorder m_messages;
};

TEST_F(PageLanguageTest, DateFollowsTheFormAndNamesItIsGiven)
{
    EXPECT_EQ("Thursday, December 03, 2026 at 09:05:07", FormatMappingDate(Thursday()));
    EXPECT_EQ("jeudi 3 décembre 2026 à 09:05:07",
              FormatDate(Thursday(), "%A %e %B %Y à %H:%M:%S", "dimanche|lundi|mardi|mercredi|jeudi|vendredi|samedi",
                         "janvier|février|mars|avril|mai|juin|juillet|août|septembre|octobre|novembre|décembre"));
    // Names missing from a short list, a lone or unknown directive, and a percent sign.
    EXPECT_EQ("? ? 100% %q %", FormatDate(Thursday(), "%A %B 100%% %q %", "Sun", "Jan"));
    std::tm bad = Thursday();
    bad.tm_wday = -1;
    bad.tm_mon = 12;
    EXPECT_EQ("?/?", FormatDate(bad, "%A/%B", "a|b|c|d|e|f|g", "a|b"));
}

TEST_F(PageLanguageTest, EnglishPageHasNoFrenchAndKeepsItsWords)
{
    const std::string page = RenderShippedTemplate();
    EXPECT_THAT(page, HasSubstr("<b>Soundbank:</b>"));
    EXPECT_THAT(page, HasSubstr(">Group<"));
    EXPECT_THAT(page, HasSubstr(">GM name<"));
    EXPECT_THAT(page, HasSubstr("\nInstruments\n"));
    EXPECT_THAT(page, HasSubstr("\nDrumset\n"));
    EXPECT_THAT(page, HasSubstr("Cubase Bank is the bank-select value"));
    EXPECT_THAT(page, testing::ContainsRegex("Mapping date: [A-Z][a-z]+day, [A-Z][a-z]+ [0-9][0-9], 20[0-9][0-9] at"));
    EXPECT_THAT(page, Not(HasSubstr("[IDS_")));
    EXPECT_THAT(page, Not(HasSubstr("[ZTL_")));
}

TEST_F(PageLanguageTest, FrenchInterfaceGivesAWhollyFrenchPage)
{
    CPoTranslator french(FrenchCatalogPath());
    ASSERT_FALSE(french.Empty());
    CSlot<ITranslator>::CScope use(TranslatorSlot(), &french);

    const std::string page = RenderShippedTemplate();
    EXPECT_THAT(page, HasSubstr("<b>Banque de sons :</b>"));
    EXPECT_THAT(page, HasSubstr(">Groupe<"));
    EXPECT_THAT(page, HasSubstr(">Nom GM<"));
    EXPECT_THAT(page, HasSubstr(">Prog. MIDI<"));
    EXPECT_THAT(page, HasSubstr("\nBatterie\n"));
    EXPECT_THAT(page, HasSubstr("Banque Cubase est la valeur de sélection de banque"));
    EXPECT_THAT(page, HasSubstr("Les développeurs d'Orvane"));
    // "Date de la table : jeudi 3 décembre 2026 à 09:05:07": a French day, then the day's number,
    // a French month and the time.
    EXPECT_THAT(page, testing::ContainsRegex("Date de la table : (lun|mar|mercre|jeu|vendre|same|diman)(di|che) "
                                             "[0-9]+ [^ ]+ 20[0-9][0-9] à [0-9][0-9]:[0-9][0-9]:[0-9][0-9]"));
    for (const char* english :
         {"Soundbank", ">Group<", "GM name", "Drumset", "Mapping", "stored in", " at ", "day,", "January", "December"})
        EXPECT_THAT(page, Not(HasSubstr(english))) << english;
    EXPECT_TRUE(m_messages.m_messages.empty());
}
} // namespace
