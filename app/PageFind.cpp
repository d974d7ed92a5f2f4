// The page search: pieces joined into one text, case folding, and the choice of the match to
// show from the current one, going round the page's ends.
#include "app/PageFind.h"

#include <algorithm>

namespace
{
// Parts blocks in the joined text: a noncharacter, which no typed text holds.
constexpr char32_t kBlockBreak = 0xFFFF;
constexpr char32_t kReplacement = 0xFFFD;

// The code points of UTF-8 text; each byte of an ill-formed sequence gives U+FFFD.
std::u32string DecodeUtf8(const std::string& text)
{
    std::u32string out;
    out.reserve(text.size());
    const size_t size = text.size();
    for (size_t i = 0; i < size;)
    {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (lead < 0x80)
            length = 1, c = lead;
        else if (lead >= 0xC2 && lead < 0xE0)
            length = 2, c = lead & 0x1F, least = 0x80;
        else if (lead >= 0xE0 && lead < 0xF0)
            length = 3, c = lead & 0x0F, least = 0x800;
        else if (lead >= 0xF0 && lead < 0xF5)
            length = 4, c = lead & 0x07, least = 0x10000;
        bool ok = length > 0 && i + length <= size;
        for (size_t k = 1; ok && k < length; ++k)
        {
            const auto next = static_cast<unsigned char>(text[i + k]);
            ok = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        ok = ok && c >= least && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        out.push_back(ok ? c : kReplacement);
        i += ok ? length : 1;
    }
    return out;
}

// A no-break space is searched as the space a user types.
char32_t AsTyped(char32_t c)
{
    return c == 0xA0 ? U' ' : c;
}
} // namespace

char32_t FoldFindCase(char32_t c)
{
    if (c < 0x80)
        return c >= U'A' && c <= U'Z' ? c + 0x20 : c;
    // Latin-1: À to Þ but the multiplication sign.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    if (c < 0x100 || c > 0x17F)
        return c;
    // Latin Extended-A: mostly pairs of a capital and its small letter, with a few odd ones.
    switch (c)
    {
    case 0x130: // capital I with a dot above
        return U'i';
    case 0x131: // dotless i
    case 0x138: // kra
    case 0x149: // n preceded by an apostrophe
        return c;
    case 0x178: // Y with diaeresis, whose small letter is in Latin-1
        return 0xFF;
    case 0x17F: // long s
        return U's';
    default: break;
    }
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    const bool capital = oddCapitals ? (c & 1) != 0 : (c & 1) == 0;
    return capital ? c + 1 : c;
}

void CPageFind::Clear()
{
    m_text.clear();
    m_folded.clear();
    m_bFolded = false;
    m_arrPieceStart.clear();
    m_nOrigin = 0;
    m_nMatchAt = 0;
    m_bHasMatch = false;
}

void CPageFind::AddPiece(const std::string& text, bool bNewBlock)
{
    if (bNewBlock && !m_text.empty() && m_text.back() != kBlockBreak)
        m_text.push_back(kBlockBreak);
    m_arrPieceStart.push_back(m_text.size());
    for (char32_t c : DecodeUtf8(text))
        m_text.push_back(AsTyped(c));
    m_bFolded = false;
}

void CPageFind::SetOrigin(size_t nPiece)
{
    m_nOrigin = nPiece < m_arrPieceStart.size() ? m_arrPieceStart[nPiece] : m_text.size();
}

const std::u32string& CPageFind::FoldedText()
{
    if (!m_bFolded)
    {
        m_folded = m_text;
        std::transform(m_folded.begin(), m_folded.end(), m_folded.begin(), FoldFindCase);
        m_bFolded = true;
    }
    return m_folded;
}

FINDRESULT CPageFind::Find(const std::string& query, bool bMatchCase, FindStep step)
{
    FINDRESULT result;
    std::u32string wanted = DecodeUtf8(query);
    // Text copied from the page has a line break between blocks: pasted back, it finds them. A
    // match starts and ends on characters shown, so breaks at the ends are dropped.
    wanted.erase(std::remove(wanted.begin(), wanted.end(), U'\r'), wanted.end());
    while (!wanted.empty() && wanted.back() == U'\n')
        wanted.pop_back();
    wanted.erase(wanted.begin(), std::find_if(wanted.begin(), wanted.end(), [](char32_t c) { return c != U'\n'; }));
    std::replace(wanted.begin(), wanted.end(), U'\n', kBlockBreak);
    std::transform(wanted.begin(), wanted.end(), wanted.begin(), AsTyped);
    if (!bMatchCase)
        std::transform(wanted.begin(), wanted.end(), wanted.begin(), FoldFindCase);
    if (wanted.empty())
        return result;

    const std::u32string& text = bMatchCase ? m_text : FoldedText();
    std::vector<size_t> starts;
    for (size_t at = text.find(wanted); at != std::u32string::npos; at = text.find(wanted, at + 1))
        starts.push_back(at);
    result.nCount = starts.size();
    if (starts.empty())
    {
        result.state = FindState::NotFound;
        return result;
    }

    const size_t from = m_bHasMatch ? m_nMatchAt : m_nOrigin;
    size_t index = 0;
    bool wrapped = false;
    if (step == FindStep::Previous)
    {
        // The last match that starts before the place; with none, the page's last.
        auto it = std::lower_bound(starts.begin(), starts.end(), from);
        wrapped = it == starts.begin();
        index = wrapped ? starts.size() - 1 : static_cast<size_t>(it - starts.begin()) - 1;
    }
    else
    {
        // Here: the first match from the place on; Next: the first after the current match's
        // start (from the origin on while there is none). With none, the page's first.
        const bool after = step == FindStep::Next && m_bHasMatch;
        auto it = after ? std::upper_bound(starts.begin(), starts.end(), from)
                        : std::lower_bound(starts.begin(), starts.end(), from);
        wrapped = it == starts.end();
        index = wrapped ? 0 : static_cast<size_t>(it - starts.begin());
    }
    m_nMatchAt = starts[index];
    m_bHasMatch = true;
    result.state = wrapped ? FindState::Wrapped : FindState::Found;
    result.match = MatchAt(m_nMatchAt, wanted.size());
    result.nIndex = index + 1;
    return result;
}

FINDPLACE CPageFind::PlaceOf(size_t nAt) const
{
    // The last piece that starts at or before the character (an empty piece before it shares its
    // start and is passed over).
    auto it = std::upper_bound(m_arrPieceStart.begin(), m_arrPieceStart.end(), nAt);
    const size_t piece = static_cast<size_t>(it - m_arrPieceStart.begin()) - 1;
    return FINDPLACE{piece, nAt - m_arrPieceStart[piece]};
}

FINDMATCH CPageFind::MatchAt(size_t nAt, size_t nLength) const
{
    FINDMATCH match;
    match.from = PlaceOf(nAt);
    match.to = PlaceOf(nAt + nLength - 1);
    ++match.to.nChar;
    return match;
}
