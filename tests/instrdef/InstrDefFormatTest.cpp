// Every format written from one hand-made bank and read back the way a sequencer reads it:
// bank selects for variations 0, 1 and 127, drum sets on channel 10 or marked as drums, names
// with markup, quotes, commas, non-ASCII and control bytes; programs above 127 left out.
#include "instrdef/InstrDefFormat.h"
#include "instrdef/NamePattern.h"
#include "soundbank/SoundBank.h"
#include "support/InstrDefReaders.h"
#include "support/MidnamDtd.h"

#include <gtest/gtest.h>

namespace
{
IMAPENTRY Entry(uint16_t program, uint8_t variation)
{
    IMAPENTRY e;
    e.wProgram = program;
    e.byVariation = variation;
    return e;
}

// A bank name of eight Windows-1252 bytes: & " < , e-acute, a control byte, Z.
const std::string kRawName = std::string("A&\"<,\xE9\x01Z", 8);
const std::string kShownName = "A&\"<,\xC3\xA9\xEF\xBF\xBDZ";

class InstrDefFormatTest : public ::testing::TestWithParam<INSTRDEFFORMAT>
{
protected:
    InstrDefFormatTest()
    {
        m_bank.m_strBankName = kRawName;
        m_bank.m_arrInstruments = {Entry(0, 0), Entry(5, 1), Entry(127, 127), Entry(200, 0), Entry(5, 1)};
        m_bank.m_arrDrumsets = {Entry(0, 0), Entry(25, 1), Entry(1, 0)};
    }

    std::string Write(const std::string& device, const CNamePattern* pattern = nullptr)
    {
        uint64_t hidden = 0;
        INSTRDEFROWS rows = RowsFromSlots(SlotsOfBank(m_bank, hidden), {BankDisplayName(m_bank.m_strBankName)}, false);
        NameRows(rows.rows, pattern, true);
        std::string out;
        EXPECT_TRUE(WriteInstrDef(GetParam(), device, rows.rows, out));
        return out;
    }

    // The patches as the format's reader finds them; midnam is also checked against the DTD.
    std::vector<READPATCH> ReadBack(const std::string& text)
    {
        switch (GetParam())
        {
        case InstrDefMidnam:
        {
            MIDNAMREAD read = ReadMidnam(text, kMidnamDtd);
            EXPECT_TRUE(read.bWellFormed);
            EXPECT_TRUE(read.bValid) << text;
            return read.patches;
        }
        case InstrDefIns: return ReadIns(text);
        case InstrDefReabank: return ReadReabank(text);
        case InstrDefCubase:
        {
            bool framed = false;
            std::vector<READPATCH> patches = ReadCubase(text, &framed);
            EXPECT_TRUE(framed) << text;
            return patches;
        }
        case InstrDefCsv: return ReadInstrDefCsv(text);
        }
        return {};
    }

    CSoundBank m_bank;
};
} // namespace

TEST_P(InstrDefFormatTest, ReadsBackAsTheBankWithBankSelectsDrumsAndEscapedNames)
{
    const std::string text = Write("Card & \"Co\"");
    const std::vector<READPATCH> expected = {
        {false, 0, 0, "Acoustic Grand Piano"},
        {false, 5, 1, "Electric Piano 2 (" + kShownName + ")"},
        {false, 127, 127, "Gunshot (" + kShownName + ")"},
        {true, 0, 0, "Standard"},
        {true, 1, 0, "Program 1"},
        {true, 25, 1, "TR-808 (" + kShownName + ")"},
    };
    EXPECT_EQ(Sorted(expected), Sorted(ReadBack(text)));
    EXPECT_EQ(std::string::npos, text.find('\x01'));
}

TEST_P(InstrDefFormatTest, AnEmptyBankGivesADocumentWithoutPatches)
{
    m_bank.m_arrInstruments.clear();
    m_bank.m_arrDrumsets.clear();
    const std::string text = Write("Empty");
    EXPECT_FALSE(text.empty());
    EXPECT_TRUE(ReadBack(text).empty());
}

TEST_P(InstrDefFormatTest, NamesFollowThePatternAndStayOnTheirLine)
{
    CNamePattern pattern;
    ASSERT_TRUE(pattern.Parse("{list} {program}/{variation}, \"{cubaseprog}\"\n{cubasebank} #{index}"));
    m_bank.m_arrInstruments = {Entry(5, 1)};
    m_bank.m_arrDrumsets.clear();
    const std::vector<READPATCH> expected = {{false, 5, 1,
                                              "instrument 5/1, \"6\"\xEF\xBF\xBD"
                                              "128 #0"}};
    EXPECT_EQ(expected, ReadBack(Write("X", &pattern)));
}

INSTANTIATE_TEST_SUITE_P(Formats, InstrDefFormatTest,
                         ::testing::Values(InstrDefMidnam, InstrDefIns, InstrDefReabank, InstrDefCubase, InstrDefCsv),
                         [](const auto& info) { return std::string(InstrDefFormatName(info.param)); });

TEST(MidnamTest, NamesTheDeviceAndGivesChannelTenTheDrumSets)
{
    INSTRDEFROW drum;
    drum.bDrumset = true;
    drum.strName = "Kit";
    std::string text;
    ASSERT_TRUE(WriteMidnam(CleanText("Caf\xC3\xA9 <1> \xFF"), {drum}, text));
    MIDNAMREAD read = ReadMidnam(text, kMidnamDtd);
    EXPECT_TRUE(read.bValid);
    EXPECT_EQ("Caf\xC3\xA9 <1> \xEF\xBF\xBD", read.strModel);
    ASSERT_EQ(1u, read.patches.size());
    EXPECT_TRUE(read.patches[0].bDrum);
}

TEST(InsTest, KeepsInstrumentsAndDrumSetsInTwoDefinitionsWithBracketSafeNames)
{
    INSTRDEFROW piano, kit;
    kit.bDrumset = true;
    piano.strName = kit.strName = "x";
    std::string text;
    WriteIns("Card [2]", {piano, kit}, text);
    std::vector<std::string> instruments;
    ReadIns(text, &instruments);
    EXPECT_EQ((std::vector<std::string>{"Card (2)", "Card (2) Drums"}), instruments);
    EXPECT_NE(std::string::npos, text.find("BankSelMethod=0\r\n"));
}
