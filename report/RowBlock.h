// CRowBlock: one of the template's two row blocks made ready to be repeated for many entries.
// Each line is cut once at the occurrences of the one tag its entries fill in, so a row is
// written by joining the pieces with the entry's value, without searching the line again.
#pragma once

#include "soundbank/SoundBank.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CRowBlock
{
public:
    // The value a line's entries fill in.
    enum ROWVALUE : uint8_t
    {
        ValueNone,
        ValueBankName,   // the escaped bank name (first block only)
        ValueGroup,      // "Instruments" or "Drumset" in the interface's language (first block only)
        ValueProgram,    // the MIDI program
        ValueVariation,  // the variation
        ValueCubaseProg, // the program counted from 1
        ValueCubaseBank, // the variation times 128
        ValueGmName,     // the entry's General MIDI name, escaped; "" without one
    };

    // lines are the block as the template holds it; bFirstRowBlock adds the name and group tags.
    CRowBlock(const std::vector<std::string>& lines, bool bFirstRowBlock);

    // The value that line's entries fill in: the first of the block's tags, in the engine's
    // order, that the line holds (only that one is replaced).
    static ROWVALUE ValueOf(const std::string& line, bool bFirstRowBlock);

    // Appends the block's lines for entry, each followed by "\n". bankName is already escaped.
    // pMark, when given, receives the place in out where a mark for the entry fits: where its
    // General MIDI name goes, or else its first value, or else the start of its lines.
    void Append(std::string& out, std::string_view bankName, bool bDrumset, const IMAPENTRY& entry,
                size_t* pMark = nullptr) const;

    bool IsEmpty() const { return m_lines.empty(); }

private:
    struct ROWLINE
    {
        ROWVALUE nValue = ValueNone;
        // The line's text with every occurrence of the tag taken out; the tag stood at each cut.
        std::string strText;
        std::vector<uint32_t> arrCuts;
    };
    std::vector<ROWLINE> m_lines;
    // The line and cut a mark goes at (m_nMarkLine past the end: the block's start).
    size_t m_nMarkLine = SIZE_MAX;
    // The group words, escaped, looked up once for all the rows.
    std::string m_strInstruments;
    std::string m_strDrumset;
};
