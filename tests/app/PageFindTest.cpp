// The page search: case folding, matches across a block's pieces but never across blocks, the
// places reported in characters, and the match chosen by Here, Next and Previous with wrapping.
#include "app/PageFind.h"

#include <gtest/gtest.h>

namespace
{
// A page of one block per line, each line split into pieces at "|".
CPageFind Page(const std::vector<std::string>& lines)
{
    CPageFind page;
    for (const std::string& line : lines)
    {
        bool first = true;
        size_t from = 0;
        for (size_t bar = line.find('|');; bar = line.find('|', from))
        {
            page.AddPiece(line.substr(from, bar == std::string::npos ? std::string::npos : bar - from), first);
            first = false;
            if (bar == std::string::npos)
                break;
            from = bar + 1;
        }
    }
    return page;
}

// "piece:char-piece:char" of a result, or its state's name when nothing was found.
std::string Where(const FINDRESULT& r)
{
    if (r.state == FindState::Empty)
        return "empty";
    if (r.state == FindState::NotFound)
        return "not found";
    std::string text = std::to_string(r.match.from.nPiece) + ":" + std::to_string(r.match.from.nChar) + "-" +
                       std::to_string(r.match.to.nPiece) + ":" + std::to_string(r.match.to.nChar);
    text += " " + std::to_string(r.nIndex) + "/" + std::to_string(r.nCount);
    return r.state == FindState::Wrapped ? text + " wrapped" : text;
}

TEST(PageFindTest, FoldsAsciiAndLatinLettersOnly)
{
    EXPECT_EQ(U'a', FoldFindCase(U'A'));
    EXPECT_EQ(U'z', FoldFindCase(U'z'));
    EXPECT_EQ(U'[', FoldFindCase(U'['));
    EXPECT_EQ(U'é', FoldFindCase(U'É'));
    EXPECT_EQ(U'þ', FoldFindCase(U'Þ'));
    EXPECT_EQ(U'×', FoldFindCase(U'×'));
    EXPECT_EQ(U'ß', FoldFindCase(U'ß'));
    EXPECT_EQ(U'ÿ', FoldFindCase(U'Ÿ'));
    // Latin Extended-A: pairs from an even capital, from an odd one in two runs, and the odd ones.
    EXPECT_EQ(U'ā', FoldFindCase(U'Ā'));
    EXPECT_EQ(U'ā', FoldFindCase(U'ā'));
    EXPECT_EQ(U'œ', FoldFindCase(U'Œ'));
    EXPECT_EQ(U'ł', FoldFindCase(U'Ł'));
    EXPECT_EQ(U'ň', FoldFindCase(U'Ň'));
    EXPECT_EQ(U'ž', FoldFindCase(U'Ž'));
    EXPECT_EQ(U'ŋ', FoldFindCase(U'Ŋ'));
    EXPECT_EQ(U'i', FoldFindCase(U'İ'));
    EXPECT_EQ(U'ı', FoldFindCase(U'ı'));
    EXPECT_EQ(U's', FoldFindCase(U'ſ'));
    EXPECT_EQ(U'ĸ', FoldFindCase(U'ĸ'));
    // Other scripts are left as they are.
    EXPECT_EQ(U'Ω', FoldFindCase(U'Ω'));
    EXPECT_EQ(U'Ж', FoldFindCase(U'Ж'));
}

TEST(PageFindTest, AMatchSpansTheBlocksPiecesAndIsReportedInCharacters)
{
    CPageFind page = Page({"Soundbank:| Concert", "Acoustic |Grand |Piano", "Électrique |Piano"});
    EXPECT_EQ("3:0-4:3 1/1", Where(page.Find("grand pia", false, FindStep::Here)));
    // A match ends in the piece of its last character, never at the start of the next.
    EXPECT_EQ("3:0-3:6 1/1", Where(page.Find("grand ", false, FindStep::Here)));
    // Characters, not bytes: "É" is one.
    EXPECT_EQ("5:0-5:10 1/1", Where(page.Find("ÉLECTRIQUE", false, FindStep::Here)));
    EXPECT_EQ("5:3-5:6 1/1", Where(page.Find("ctr", false, FindStep::Here)));
    // Blocks are not joined, but text copied from the page has a line break between them.
    page.Forget();
    EXPECT_EQ("not found", Where(page.Find("PianoÉlectrique", false, FindStep::Here)));
    EXPECT_EQ("4:0-5:3 1/1", Where(page.Find("Piano\nÉle", false, FindStep::Here)));
    EXPECT_EQ("4:0-5:3 1/1", Where(page.Find("\r\nPiano\r\nÉle\n", false, FindStep::Here)));
}

TEST(PageFindTest, CaseSpacesAndOddTextAreMatchedAsAUserExpects)
{
    CPageFind page = Page({"Grand\u00a0|Piano", "grand piano", "aaa"});
    EXPECT_EQ("not found", Where(page.Find("GRAND", true, FindStep::Here)));
    EXPECT_EQ("0:0-1:2 1/1", Where(page.Find("Grand Pi", true, FindStep::Here)));
    EXPECT_EQ("0:0-1:5 1/2", Where(page.Find("grand piano", false, FindStep::Here)));
    // Overlapping matches each count.
    EXPECT_EQ("3:0-3:2 1/2", Where(page.Find("aa", false, FindStep::Here)));
    EXPECT_EQ("3:1-3:3 2/2", Where(page.Find("aa", false, FindStep::Next)));
    // An empty query finds nothing and says nothing.
    EXPECT_EQ("empty", Where(page.Find("", false, FindStep::Next)));
    EXPECT_EQ("empty", Where(page.Find("\n", false, FindStep::Next)));

    // Bytes that are not UTF-8 are one character each.
    CPageFind odd = Page({std::string("\xff\xfe") + "ok|", "\xc3"});
    EXPECT_EQ("0:2-0:4 1/1", Where(odd.Find("OK", false, FindStep::Here)));
    // Empty pieces take no characters.
    CPageFind gaps = Page({"|ab||c"});
    EXPECT_EQ("1:1-3:1 1/1", Where(gaps.Find("bc", false, FindStep::Here)));
}

TEST(PageFindTest, NextAndPreviousStepThroughTheMatchesAndGoRoundTheEnds)
{
    CPageFind page = Page({"Piano 1", "Organ", "Piano 2", "Piano 3"});
    EXPECT_EQ("0:0-0:5 1/3", Where(page.Find("piano", false, FindStep::Next)));
    EXPECT_EQ("2:0-2:5 2/3", Where(page.Find("piano", false, FindStep::Next)));
    EXPECT_EQ("3:0-3:5 3/3", Where(page.Find("piano", false, FindStep::Next)));
    EXPECT_EQ("0:0-0:5 1/3 wrapped", Where(page.Find("piano", false, FindStep::Next)));
    EXPECT_EQ("3:0-3:5 3/3 wrapped", Where(page.Find("piano", false, FindStep::Previous)));
    EXPECT_EQ("2:0-2:5 2/3", Where(page.Find("piano", false, FindStep::Previous)));
    // Typed afresh, the text is looked for from the current match on, round the end if need be;
    // a single match wraps onto itself.
    EXPECT_EQ("1:0-1:5 1/1 wrapped", Where(page.Find("organ", false, FindStep::Here)));
    EXPECT_EQ("1:0-1:5 1/1 wrapped", Where(page.Find("organ", false, FindStep::Next)));
}

TEST(PageFindTest, TypingLooksFromTheCurrentMatchAndATextNotFoundKeepsThePlace)
{
    CPageFind page = Page({"Pad", "Piano", "Pan", "Piano"});
    EXPECT_EQ("0:0-0:1 1/4", Where(page.Find("P", false, FindStep::Here)));
    EXPECT_EQ("1:0-1:1 2/4", Where(page.Find("P", false, FindStep::Next)));
    // The match grows where it is while it still matches there, then moves on.
    EXPECT_EQ("1:0-1:2 1/2", Where(page.Find("Pi", false, FindStep::Here)));
    EXPECT_EQ("not found", Where(page.Find("Pix", false, FindStep::Here)));
    EXPECT_EQ("1:0-1:2 1/2", Where(page.Find("Pi", false, FindStep::Here)));
    EXPECT_EQ("3:0-3:2 2/2", Where(page.Find("Pi", false, FindStep::Next)));
    EXPECT_EQ("3:0-3:3 2/2", Where(page.Find("Pia", false, FindStep::Here)));
}

TEST(PageFindTest, WithoutACurrentMatchSearchesStartAtTheOrigin)
{
    CPageFind page = Page({"Piano", "Organ", "Piano", "Organ", "Piano"});
    page.SetOrigin(3);
    EXPECT_EQ("4:0-4:5 3/3", Where(page.Find("piano", false, FindStep::Next)));
    page.Forget();
    EXPECT_EQ("2:0-2:5 2/3", Where(page.Find("piano", false, FindStep::Previous)));
    page.Forget();
    EXPECT_EQ("3:0-3:5 2/2", Where(page.Find("organ", false, FindStep::Here)));
    // Past the last match the search goes round to the top.
    page.Forget();
    page.SetOrigin(4);
    EXPECT_EQ("1:0-1:5 1/2 wrapped", Where(page.Find("organ", false, FindStep::Here)));
    // A new page starts afresh at its top.
    page.Clear();
    page.AddPiece("Organ", true);
    EXPECT_FALSE(page.HasMatch());
    EXPECT_EQ("0:0-0:5 1/1 wrapped", Where(page.Find("organ", false, FindStep::Previous)));
}
} // namespace
