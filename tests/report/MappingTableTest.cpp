// The mapping's table rows: the tab-separated text the page's Copy gives, and list names.
#include "report/MappingTable.h"

#include <gtest/gtest.h>

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
