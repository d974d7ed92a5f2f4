// The name a sequencer shows for a row, made from a pattern with fields in braces: {gm}, {bank},
// {program}, {variation}, {cubaseprog}, {cubasebank}, {index}, {list}; "{{" and "}}" stand
// for single braces.
#pragma once

#include <string>
#include <vector>

struct INSTRDEFROW;

class CNamePattern
{
public:
    // The pattern used when none is given: "{gm} ({bank})".
    static const char* const kDefault;

    // Reads text; false with m_strError ("unknown field {x}", "unmatched {") when it is not a pattern.
    bool Parse(const std::string& text);
    // The row's name by the pattern, as UTF-8 text.
    std::string Apply(const INSTRDEFROW& row) const;

    std::string m_strError;

private:
    enum FIELD
    {
        Text,
        Gm,
        Bank,
        Program,
        Variation,
        CubaseProg,
        CubaseBank,
        Index,
        List
    };
    struct PIECE
    {
        FIELD nField;
        std::string strText; // for Text
    };
    std::vector<PIECE> m_pieces;
};
