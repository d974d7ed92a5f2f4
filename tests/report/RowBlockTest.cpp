// Row blocks cut once at their tags write exactly the lines that replacing the tags in every
// line for every entry writes: random lines of tags, tag pieces and nested tags, both blocks,
// both lists, numbers at their limits and names that need escaping.
#include "report/PageText.h"
#include "report/RowBlock.h"
#include "soundbank/GmNames.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
// The row tags replaced in one line at a time: the first tag found, in order, wherever it is.
std::string ReplaceRowTags(std::string line, bool firstRowBlock, const std::string& bankName, bool drumset,
                           const IMAPENTRY& entry)
{
    if (firstRowBlock)
    {
        if (ReplaceAll(line, "[IDS_ZTLBANKREALNAME]", bankName))
            return line;
        if (ReplaceAll(line, "[IDS_ZTLINSTRUMENT]", drumset ? "Drumset" : "Instruments"))
            return line;
    }
    if (ReplaceAll(line, "[IDS_ZTLBANKMIDIPROG]", std::to_string(entry.wProgram)) ||
        ReplaceAll(line, "[IDS_ZTLBANKKVARIATION]", std::to_string(entry.byVariation)) ||
        ReplaceAll(line, "[IDS_ZTLBANKCUBASEPROG]", std::to_string(entry.wProgram + 1)) ||
        ReplaceAll(line, "[IDS_ZTLBANKCUBASEBANK]", std::to_string(entry.byVariation << 7)))
        return line;
    const char* name = GmEntryName(drumset, entry.wProgram);
    ReplaceAll(line, "[IDS_ZTLBANKGMNAME]", name ? HtmlEscape(name) : std::string());
    return line;
}

std::string RandomLine(std::mt19937& rng)
{
    static const char* const kPieces[] = {
        "[IDS_ZTLBANKREALNAME]",
        "[IDS_ZTLINSTRUMENT]",
        "[IDS_ZTLBANKMIDIPROG]",
        "[IDS_ZTLBANKKVARIATION]",
        "[IDS_ZTLBANKCUBASEPROG]",
        "[IDS_ZTLBANKCUBASEBANK]",
        "[IDS_ZTLBANKGMNAME]",
        "[IDS_ZTL",
        "BANKMIDIPROG]",
        "<td>",
        "&",
        "[[IDS_ZTLBANKMIDIPROG]]",
        "[IDS_ZTLBANK[IDS_ZTLBANKGMNAME]MIDIPROG]",
    };
    std::string line;
    for (unsigned n = rng() % 6; n > 0; --n)
        line += kPieces[rng() % std::size(kPieces)];
    return line;
}
} // namespace

TEST(RowBlockTest, WritesWhatReplacingEveryLineForEveryEntryWrites)
{
    std::mt19937 rng(14);
    const std::string bankName = HtmlEscape("A&<b>\"x");
    const uint16_t programs[] = {0, 1, 24, 25, 127, 128, 999, 65534, 65535};
    for (int round = 0; round < 200; ++round)
    {
        std::vector<std::string> lines(rng() % 8);
        for (auto& line : lines)
            line = RandomLine(rng);
        for (bool first : {true, false})
        {
            const CRowBlock block(lines, first);
            for (int e = 0; e < 20; ++e)
            {
                IMAPENTRY entry;
                entry.wProgram = e < 9 ? programs[e] : static_cast<uint16_t>(rng());
                entry.byVariation = e % 3 ? static_cast<uint8_t>(rng()) : uint8_t(255 * (e % 2));
                const bool drumset = rng() % 2;
                std::string expected;
                for (const auto& line : lines)
                    expected += ReplaceRowTags(line, first, bankName, drumset, entry) + "\n";
                std::string written = "kept|";
                block.Append(written, bankName, drumset, entry);
                ASSERT_EQ("kept|" + expected, written) << "round " << round << ", entry " << e;
            }
        }
    }
}

TEST(RowBlockTest, EachLineFillsInOnlyTheFirstTagInOrder)
{
    EXPECT_EQ(CRowBlock::ValueBankName, CRowBlock::ValueOf("[IDS_ZTLBANKGMNAME][IDS_ZTLBANKREALNAME]", true));
    EXPECT_EQ(CRowBlock::ValueGmName, CRowBlock::ValueOf("[IDS_ZTLBANKGMNAME][IDS_ZTLBANKREALNAME]", false));
    EXPECT_EQ(CRowBlock::ValueCubaseBank, CRowBlock::ValueOf("[IDS_ZTLINSTRUMENT][IDS_ZTLBANKCUBASEBANK]", false));
    EXPECT_EQ(CRowBlock::ValueNone, CRowBlock::ValueOf("[IDS_ZTLBANKMIDIPROG", true));

    IMAPENTRY entry;
    entry.wProgram = 65535;
    entry.byVariation = 255;
    std::string out;
    CRowBlock({"[IDS_ZTLBANKCUBASEPROG]|[IDS_ZTLBANKCUBASEPROG]", "[IDS_ZTLBANKCUBASEBANK]", "", "plain"}, false)
        .Append(out, "", false, entry);
    EXPECT_EQ("65536|65536\n32640\n\nplain\n", out);
}

TEST(PageTextTest, EscapingAppendsAndLeavesOtherBytesAlone)
{
    std::string out = "x";
    AppendHtmlEscaped(out, "a&b<c>d\"e\xc3\xa9&&");
    EXPECT_EQ("xa&amp;b&lt;c&gt;d&quot;e\xc3\xa9&amp;&amp;", out);
    EXPECT_EQ("", HtmlEscape(""));
    EXPECT_EQ("&quot;", HtmlEscape("\""));
}
