// CPageFind: the search of a typed text in a page shown by the view. The page is given as the
// pieces it is drawn in (its words, in reading order); a match is reported as the pieces and
// characters it spans, so the window can select exactly those.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A place in the page: a piece and a character (a code point) in it.
struct FINDPLACE
{
    size_t nPiece = 0;
    size_t nChar = 0;
};

// A match runs from its first character to just after its last; the end lies in the piece that
// holds the last character, so a match never ends at character 0 of a piece.
struct FINDMATCH
{
    FINDPLACE from;
    FINDPLACE to;
};

// How a search moves. Here: the first match from the current one's start on (the text was
// typed or changed). Next and Previous: the match after or before the current one.
enum class FindStep
{
    Here,
    Next,
    Previous,
};

enum class FindState
{
    Empty,    // nothing to look for
    Found,    // a match at or after the place looked from (before it for Previous)
    Wrapped,  // found only by going on from the other end of the page
    NotFound, // the text is nowhere on the page
};

struct FINDRESULT
{
    FindState state = FindState::Empty;
    FINDMATCH match;
    size_t nIndex = 0; // the match's number among the page's matches, from 1
    size_t nCount = 0; // how many matches the page holds
};

class CPageFind
{
public:
    // Starts a new page: no pieces, no current match, searches start at the top.
    void Clear();
    // Appends a piece in reading order (UTF-8, as drawn). bNewBlock: the piece starts a new
    // block of the page (paragraph, table cell, line after a break); no match runs across it.
    void AddPiece(const std::string& text, bool bNewBlock);
    size_t GetPieceCount() const { return m_arrPieceStart.size(); }

    // Where searches start while there is no current match: at this piece (the first one on
    // screen), so Next finds the first match from there down and Previous the last one above.
    void SetOrigin(size_t nPiece);
    // The current match is forgotten; the next search starts at the origin.
    void Forget() { m_bHasMatch = false; }
    bool HasMatch() const { return m_bHasMatch; }

    // Looks for query (UTF-8; letters of either case match unless bMatchCase, a no-break space
    // matches a space). A match found becomes the current one; with none found or an empty
    // query the current match stays as the place the next search starts from.
    FINDRESULT Find(const std::string& query, bool bMatchCase, FindStep step);

private:
    const std::u32string& FoldedText();
    FINDMATCH MatchAt(size_t nAt, size_t nLength) const;
    FINDPLACE PlaceOf(size_t nAt) const;

    // Every piece's characters; blocks are parted by a character no query holds.
    std::u32string m_text;
    // m_text with its letters folded to one case, made when first needed.
    std::u32string m_folded;
    bool m_bFolded = false;
    // The offset in m_text of each piece's first character.
    std::vector<size_t> m_arrPieceStart;
    size_t m_nOrigin = 0;
    size_t m_nMatchAt = 0;
    bool m_bHasMatch = false;
};

// The case folding used by the search: ASCII and Latin letters (Latin-1 and Latin Extended-A)
// to lower case; every other character as it is.
char32_t FoldFindCase(char32_t c);
