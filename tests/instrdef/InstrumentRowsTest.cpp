// Rows from a bank or a set's answers: what is left out and counted, the order, the default
// names, the name pattern's fields and the cleaning of text for every format.
#include "instrdef/InstrumentRows.h"
#include "instrdef/NamePattern.h"
#include "soundbank/SoundBank.h"

#include <gtest/gtest.h>

namespace
{
INSTRDEFSLOT Slot(bool drumset, uint16_t program, uint8_t variation, std::vector<INSTRDEFANSWER> entries)
{
    INSTRDEFSLOT slot;
    slot.bDrumset = drumset;
    slot.wProgram = program;
    slot.byVariation = variation;
    slot.bUndecided = entries.size() > 1;
    slot.entries = std::move(entries);
    return slot;
}

std::vector<std::string> Names(const std::vector<INSTRDEFROW>& rows)
{
    std::vector<std::string> names;
    for (const INSTRDEFROW& row : rows)
        names.push_back(row.strName);
    return names;
}
} // namespace

TEST(InstrumentRowsTest, LeavesOutWhatASequencerCannotSelectAndCountsIt)
{
    CSoundBank bank;
    bank.m_strBankName = std::string("Bank\0\0\0\0", 8);
    IMAPENTRY e;
    for (auto [program, variation] : {std::pair{128, 0}, {0xFFFF, 0}, {3, 128}, {3, 0}, {3, 0}, {127, 127}})
    {
        e.wProgram = static_cast<uint16_t>(program);
        e.byVariation = static_cast<uint8_t>(variation);
        bank.m_arrInstruments.push_back(e);
    }
    uint64_t hidden = 0;
    INSTRDEFROWS rows = RowsFromSlots(SlotsOfBank(bank, hidden), {"Bank"}, false);
    EXPECT_EQ(2u, rows.nProgramsAbove127);
    EXPECT_EQ(1u, rows.nVariationsAbove127);
    EXPECT_EQ(1u, hidden);
    ASSERT_EQ(2u, rows.rows.size());
    EXPECT_EQ(3, rows.rows[0].wProgram);
    EXPECT_EQ(3u, rows.rows[0].nIndex);
    EXPECT_EQ(127, rows.rows[1].byVariation);
}

TEST(InstrumentRowsTest, UndecidedSlotsGiveAMarkedRowPerContenderOrNoneWhenAnsweredOnly)
{
    const std::vector<INSTRDEFSLOT> slots = {Slot(true, 0, 0, {{0, 0}}), Slot(false, 9, 2, {{1, 4}}),
                                             Slot(false, 9, 0, {{0, 1}, {1, 0}})};
    const std::vector<std::string> banks = {BankDisplayName(std::string("Alpha  \0\0", 8)), "Beta"};
    INSTRDEFROWS all = RowsFromSlots(slots, banks, false);
    NameRows(all.rows, nullptr, false);
    EXPECT_EQ((std::vector<std::string>{"Glockenspiel (Alpha) ?", "Glockenspiel (Beta) ?", "Glockenspiel (Beta)",
                                        "Standard (Alpha)"}),
              Names(all.rows));
    INSTRDEFROWS answered = RowsFromSlots(slots, banks, true);
    EXPECT_EQ(2u, answered.rows.size());
    EXPECT_EQ(1u, answered.nUndecidedLeftOut);
}

TEST(InstrumentRowsTest, ASingleBankNamesVariationZeroByItsGeneralMidiNameAlone)
{
    INSTRDEFROWS rows = RowsFromSlots({Slot(false, 0, 0, {{0, 0}}), Slot(false, 0, 1, {{0, 1}})}, {"Piano"}, false);
    NameRows(rows.rows, nullptr, true);
    EXPECT_EQ((std::vector<std::string>{"Acoustic Grand Piano", "Acoustic Grand Piano (Piano)"}), Names(rows.rows));
}

TEST(NamePatternTest, FillsEveryFieldAndTakesDoubledBracesAsText)
{
    CNamePattern pattern;
    ASSERT_TRUE(pattern.Parse("{{{list}}} {gm}|{bank}|{program}|{variation}|{cubaseprog}|{cubasebank}|{index}"));
    INSTRDEFROW row;
    row.bDrumset = true;
    row.wProgram = 127;
    row.byVariation = 127;
    row.nIndex = 70000;
    row.strGmName = "Kit";
    row.strBankName = "B";
    EXPECT_EQ("{drumset} Kit|B|127|127|128|16256|70000", pattern.Apply(row));
}

TEST(NamePatternTest, RejectsUnknownFieldsAndLoneBraces)
{
    CNamePattern pattern;
    EXPECT_FALSE(pattern.Parse("{gm} {name}"));
    EXPECT_EQ("unknown field {name} in the name pattern", pattern.m_strError);
    EXPECT_FALSE(pattern.Parse("{gm"));
    EXPECT_FALSE(pattern.Parse("gm}"));
    EXPECT_FALSE(pattern.Parse("{}"));
    EXPECT_TRUE(pattern.Parse(""));
}

TEST(CleanTextTest, ReplacesMalformedBytesControlsAndNoncharacters)
{
    EXPECT_EQ("a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD"
              "c\xEF\xBF\xBD"
              "d\xEF\xBF\xBD"
              "e\xEF\xBF\xBD",
              CleanText("a\tb\xC2\x85"
                        "c\x7F"
                        "d\xFF"
                        "e\xEF\xBF\xBE"));
    EXPECT_EQ("Caf\xC3\xA9 \xE2\x82\xAC & <x>", CleanText("Caf\xC3\xA9 \xE2\x82\xAC & <x>"));
}
