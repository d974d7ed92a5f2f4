// The inspector's plain half: the key filter and number reading, the priority's arrows, the name
// field, the dialog-unit scale, the table filled from a bank, edited rows written back, and OK on
// bytes on disk.
#include "inspector/InspectorLayout.h"
#include "inspector/InspectorRules.h"
#include "inspector/InspectorTable.h"
#include "res/StringTable.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
using Bytes = std::vector<unsigned char>;

// The table as a map of texts, with the grid's row count.
class CFakeTable : public IInspectorTable
{
public:
    long GetRowCount() const override { return m_nRows; }
    void SetRowCount(long nRows) override { m_nRows = nRows; }
    std::string GetCellText(int nCol, long nRow) const override
    {
        auto it = m_cells.find({nCol, nRow});
        return it == m_cells.end() ? std::string() : it->second;
    }
    void SetCellText(int nCol, long nRow, const std::string& text) override { m_cells[{nCol, nRow}] = text; }
    std::vector<std::string> Column(int nCol) const
    {
        std::vector<std::string> texts;
        for (long row = 0; row < m_nRows; ++row)
            texts.push_back(GetCellText(nCol, row));
        return texts;
    }

    long m_nRows = kInspectorSetupRows;
    std::map<std::pair<int, long>, std::string> m_cells;
};

std::vector<BankEntry> Numbered(size_t n)
{
    std::vector<BankEntry> entries(n);
    for (size_t i = 0; i < n; ++i)
    {
        entries[i].program = static_cast<uint16_t>(i * 2);
        entries[i].variation = static_cast<uint8_t>(i);
    }
    return entries;
}
} // namespace

TEST(InspectorRulesTest, KeysAndNumbersAreReadAsTheDialogReadsThem)
{
    for (unsigned key : {8u, 9u, unsigned('0'), unsigned('7'), unsigned('9'), 0x100u + '5'})
        EXPECT_TRUE(InspectorKeyAllowed(key)) << key;
    for (unsigned key : {unsigned('-'), unsigned(' '), unsigned('a'), 13u, 27u, 22u /* Ctrl+V */})
        EXPECT_FALSE(InspectorKeyAllowed(key)) << key;

    EXPECT_TRUE(InspectorKeyStartsEdit(0x71));
    EXPECT_FALSE(InspectorKeyStartsEdit(0x0D)); // Enter in the table is the dialog's OK
    EXPECT_FALSE(InspectorKeyStartsEdit(0x20));
    EXPECT_TRUE(InspectorCharStartsEdit('5'));
    EXPECT_FALSE(InspectorCharStartsEdit('-'));

    EXPECT_EQ(0, ReadEditValue(""));
    EXPECT_EQ(0, ReadEditValue("abc"));
    EXPECT_EQ(12, ReadEditValue("  12xy"));
    EXPECT_EQ(-5, ReadEditValue("-5"));
    EXPECT_FALSE(InspectorValueInRange(ReadEditValue("99999999999999999999"))); // no overflow
    EXPECT_TRUE(InspectorValueInRange(ReadEditValue("127")));
    EXPECT_FALSE(InspectorValueInRange(ReadEditValue("128")));
    EXPECT_EQ(300, ReadCellNumber("300"));
    EXPECT_FALSE(InspectorCanEdit(""));

    int col = 0;
    long row = 4;
    InspectorNextCell(0, 3, 10, col, row);
    EXPECT_EQ(0, col); // the program column keeps the grid's proposal
    EXPECT_EQ(4, row);
    InspectorNextCell(1, 3, 10, col, row);
    EXPECT_EQ(1, col);
    EXPECT_EQ(4, row);
    InspectorNextCell(1, 9, 10, col, row);
    EXPECT_EQ(0, row); // from the last row back to the first
}

TEST(InspectorRulesTest, PriorityArrowsReadTheFieldOnlyWhenUsedAndStopAtTheRangeEnds)
{
    // Only a whole number from 0 to 127 is a priority; other text leaves the arrows' position.
    for (const char* text : {"", "128", "999", "-5", "+5", "ab", "12ab", "1 2", "99999999999999999999"})
        EXPECT_EQ(-1, ReadPriorityText(text)) << text;
    EXPECT_EQ(0, ReadPriorityText("0"));
    EXPECT_EQ(127, ReadPriorityText(" 127 "));

    CPriorityUpDown above(300);
    EXPECT_EQ(127, above.GetPosition()); // a bank priority above 127 as the arrows hold it
    EXPECT_EQ("127", above.Step("127", +1));
    EXPECT_EQ(127, above.AtOk("300"));

    CPriorityUpDown priority(64);
    EXPECT_EQ(50, priority.AtOk("50"));
    EXPECT_EQ(64, priority.AtOk("ab"));
    EXPECT_EQ("51", priority.Step("50", +1));
    EXPECT_EQ(51, priority.AtOk("300"));
    EXPECT_EQ("50", priority.Step("junk", -1)); // unreadable text: the position steps
    EXPECT_EQ("0", priority.Step("0", -1));
}

TEST(InspectorRulesTest, NameFieldKeepsEightCharactersABankNameCanHold)
{
    EXPECT_EQ("LongerTh", InspectorNameField("LongerThanEight"));
    EXPECT_EQ("caf\xc3\xa9\xe2\x82\xac", InspectorNameField("\xce\xa9"
                                                            "caf\xc3\xa9\xe2\x82\xac")); // Omega dropped, euro kept
    EXPECT_EQ("\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9",
              InspectorNameField(
                  "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9")); // characters, not bytes
    EXPECT_EQ("AB", InspectorNameField(std::string("A\0B", 3)));
    const std::string shown = InspectorShownName("\x81\x9d\xff\x01");
    EXPECT_EQ(shown, InspectorNameField(shown)); // every byte a name can hold stays
}

TEST(InspectorLayoutTest, DialogUnitsGrowUntilEveryTextFitsAndKeepNeighboursApart)
{
    const DLGBASE font{6, 13};
    // "Static" 35 pixels wide in a 17-unit count: the base grows to fit it with a pixel spare.
    const DLGBASE base = FitDialogBase(font, {{17, 10, 35, 13}, {42, 10, 50, 13}, {71, 11, 90, 20}});
    EXPECT_GE(DialogToPixels(base, 97, 119, 17, 10).cx, 35);
    EXPECT_GE(DialogToPixels(base, 135, 48, 71, 11).cy, 20);
    EXPECT_EQ(6, FitDialogBase(font, {{50, 14, 20, 10}}).x); // nothing to grow for

    // Neighbours in dialog units stay neighbours in pixels, whatever the rounding.
    for (double x : {6.0, 7.3, 8.47, 10.29})
    {
        const DLGBASE b{x, 15.27};
        const DLGPIXELS label = DialogToPixels(b, 21, 100, 76, 10);
        const DLGPIXELS count = DialogToPixels(b, 97, 100, 18, 10);
        EXPECT_EQ(label.x + label.cx, count.x) << x;
    }
}

TEST(InspectorTableTest, ShortListsShowSixRowsLongOnesAllAndEditsGoBackIntoTheBank)
{
    CSoundBank bank;
    for (const BankEntry& e : Numbered(3))
        bank.m_arrInstruments.push_back(IMAPENTRY{e.program, e.variation, {1, 2, 3}});
    CFakeTable table;
    table.SetCellText(0, 100, "stale");
    FillInspectorTable(table, bank.m_arrInstruments);
    EXPECT_THAT(table.Column(0), ElementsAre("0", "2", "4", "", "", ""));
    EXPECT_THAT(table.Column(1), ElementsAre("0", "1", "2", "", "", ""));
    EXPECT_EQ("", table.GetCellText(0, 100));

    FillInspectorTable(table, {});
    EXPECT_THAT(table.Column(0), ElementsAre("", "", "", "", "", ""));
    std::vector<IMAPENTRY> many(200, IMAPENTRY{300, 200, {}});
    FillInspectorTable(table, many);
    EXPECT_EQ(200, table.GetRowCount());
    EXPECT_EQ("300", table.GetCellText(0, 199)); // values outside 0 to 127 are shown as they are

    // Both cells of the row are read; the entry's other bytes stay.
    FillInspectorTable(table, bank.m_arrInstruments);
    table.SetCellText(0, 1, "70000"); // low 16 bits kept
    WriteBackInspectorRow(table, 1, true, bank);
    EXPECT_EQ(70000 & 0xFFFF, bank.m_arrInstruments[1].wProgram);
    EXPECT_EQ(1, bank.m_arrInstruments[1].byVariation);
    EXPECT_EQ(3, bank.m_arrInstruments[1].abRest[2]);
    table.SetCellText(1, 2, "");
    WriteBackInspectorRow(table, 2, true, bank);
    EXPECT_EQ(0, bank.m_arrInstruments[2].byVariation); // an emptied cell stores 0
    WriteBackInspectorRow(table, 4, true, bank);        // a blank row beyond the list: nothing
    WriteBackInspectorRow(table, 0, false, bank);       // no drum sets: nothing
    EXPECT_EQ(3u, bank.m_arrInstruments.size());
}

TEST(InspectorTableTest, OkWritesNamePriorityAndEditsAfterTheBackup)
{
    CTempDir dir;
    CBankBuilder b;
    b.Prio("Old", 300).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2));
    const auto path = dir / "X.94B";
    b.WriteTo(path);
    CMessageRecorder messages;
    CSoundBank bank;
    ASSERT_EQ(1, bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
    const CPriorityUpDown priority(bank.m_wPriority);

    CFakeTable table;
    FillInspectorTable(table, bank.m_arrInstruments);
    table.SetCellText(0, 0, "42");
    WriteBackInspectorRow(table, 0, true, bank);
    FillInspectorTable(table, bank.m_arrDrumsets);
    table.SetCellText(1, 1, "9");
    WriteBackInspectorRow(table, 1, false, bank);
    ASSERT_EQ(1, InspectorSave(bank, "LongerThanEight", priority.AtOk("127"), true));
    EXPECT_THAT(messages.Texts(), IsEmpty());
    EXPECT_EQ(b.Bytes(), ReadFileBytes(dir / "X.94B.bak"));

    CSoundBank after;
    ASSERT_EQ(1, after.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
    EXPECT_EQ("LongerTh", after.m_strBankName); // its first 8 bytes
    EXPECT_EQ(127, after.m_wPriority);          // the priority above 127 as the spinner showed it
    EXPECT_EQ(42, after.m_arrInstruments[0].wProgram);
    EXPECT_EQ(9, after.m_arrDrumsets[1].byVariation);
}

TEST(InspectorTableTest, AnUnchangedNameKeepsItsBytesAndAnUnreadableBankWritesNothing)
{
    CTempDir dir;
    CBankBuilder b;
    b.Prio(std::string("AB\0junk\xe9", 8), 5).Imap(CBankBuilder::Entries(1), {});
    const auto path = dir / "bank.94b";
    b.WriteTo(path);
    CMessageRecorder messages;
    CSoundBank bank;
    ASSERT_EQ(1, bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
    EXPECT_EQ("AB", InspectorShownName(bank.m_strBankName));
    ASSERT_EQ(1, InspectorSave(bank, "AB", 5, false));
    EXPECT_EQ(b.Bytes(), ReadFileBytes(path)); // nothing was edited, nothing changed

    CSoundBank missing;
    EXPECT_EQ(0, missing.Load(dir / "missing.94b", REPAIRPOLICY{REPAIRPOLICY::Never, false}));
    messages.m_messages.clear();
    EXPECT_EQ(0, InspectorSave(missing, "", 0, true));
    EXPECT_THAT(messages.Texts(), ElementsAre(GetString(IDS_CANTBACKUP), GetString(IDS_CANTOPENFILE)));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.94b"));
}
