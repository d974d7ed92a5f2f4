// The mapping's table rows: the tab-separated text the page's Copy gives, and list names.
#include "report/MappingTable.h"

#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(MappingTableTest, TabTextHasTheHeaderAndOneLinePerEntryInstrumentsFirst)
{
    CSoundBank bank;
    bank.m_arrInstruments = {IMAPENTRY{0, 0, {}}, IMAPENTRY{300, 2, {}}};
    bank.m_arrDrumsets = {IMAPENTRY{8, 1, {}}};
    EXPECT_EQ("list\tindex\tprogram\tvariation\tCubase Prog.\tCubase Bank\tGM name\n"
              "instrument\t0\t0\t0\t1\t0\tAcoustic Grand Piano\n"
              "instrument\t1\t300\t2\t301\t256\t\n"
              "drumset\t0\t8\t1\t9\t128\tRoom\n",
              MappingTabText(bank));
    EXPECT_EQ("list\tindex\tprogram\tvariation\tCubase Prog.\tCubase Bank\tGM name\n", MappingTabText(CSoundBank()));
}

TEST(MappingTableTest, ListNamesAsTablesAndThePageSpellThem)
{
    bool drumset = true;
    for (const char* name : {"instrument", "Instruments", " INSTRUMENT\t"})
        EXPECT_TRUE(ParseMappingListName(name, drumset) && !drumset) << name;
    for (const char* name : {"drumset", "Drumset", "drum set", "Drum Sets"})
        EXPECT_TRUE(ParseMappingListName(name, drumset) && drumset) << name;
    for (const char* name : {"", "instrumentx", "drum  set", "drums"})
        EXPECT_FALSE(ParseMappingListName(name, drumset)) << name;
}

TEST(MappingTableTest, CopyTextReadsTheBankOnDiskAndRefusesOneTooLargeForTheClipboard)
{
    CTempDir dir;
    CMessageRecorder messages(AnswerOk);
    const std::string path = (dir / "bank.94b").string();
    CBankBuilder().Prio("Copy", 1).Imap(CBankBuilder::Entries(2), {}).WriteTo(path);
    std::string text;
    ASSERT_EQ(1, MappingCopyText(path, text));
    EXPECT_EQ(3, std::count(text.begin(), text.end(), '\n'));
    EXPECT_NE(std::string::npos, text.find("instrument\t1\t1\t1\t2\t128\tBright Acoustic Piano\n"));

    CBankBuilder()
        .Prio("Huge", 1)
        .Imap(CBankBuilder::Entries(kMappingCopyMaxEntries), CBankBuilder::Entries(1))
        .WriteTo(path);
    text.clear();
    EXPECT_EQ(0, MappingCopyText(path, text));
    EXPECT_EQ("", text);
    EXPECT_EQ((std::vector<std::string>{"Nothing was copied: the mapping of this soundbank has 1000001 entries, "
                                        "too many for the clipboard."}),
              messages.Texts());

    EXPECT_EQ(0, MappingCopyText(dir / "missing.94b", text));
    EXPECT_EQ(2u, messages.m_messages.size());
}
