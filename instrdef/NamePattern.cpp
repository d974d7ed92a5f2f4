// Parsing a name pattern once into text and fields, and filling it in for each row.
#include "instrdef/NamePattern.h"

#include "instrdef/InstrumentRows.h"

#include <array>
#include <utility>

const char* const CNamePattern::kDefault = "{gm} ({bank})";

bool CNamePattern::Parse(const std::string& text)
{
    static const std::array<std::pair<const char*, FIELD>, 8> kFields = {{{"gm", Gm},
                                                                          {"bank", Bank},
                                                                          {"program", Program},
                                                                          {"variation", Variation},
                                                                          {"cubaseprog", CubaseProg},
                                                                          {"cubasebank", CubaseBank},
                                                                          {"index", Index},
                                                                          {"list", List}}};
    m_pieces.clear();
    m_strError.clear();
    std::string literal;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if ((c == '{' || c == '}') && i + 1 < text.size() && text[i + 1] == c)
        {
            literal += c;
            ++i;
            continue;
        }
        if (c == '}')
        {
            m_strError = "unmatched } in the name pattern";
            return false;
        }
        if (c != '{')
        {
            literal += c;
            continue;
        }
        const size_t end = text.find('}', i + 1);
        if (end == std::string::npos)
        {
            m_strError = "unmatched { in the name pattern";
            return false;
        }
        const std::string name = text.substr(i + 1, end - i - 1);
        FIELD field = Text;
        for (const auto& [known, value] : kFields)
            if (name == known)
                field = value;
        if (field == Text)
        {
            m_strError = "unknown field {" + name + "} in the name pattern";
            return false;
        }
        if (!literal.empty())
            m_pieces.push_back({Text, std::move(literal)});
        literal.clear();
        m_pieces.push_back({field, std::string()});
        i = end;
    }
    if (!literal.empty())
        m_pieces.push_back({Text, std::move(literal)});
    return true;
}

std::string CNamePattern::Apply(const INSTRDEFROW& row) const
{
    std::string name;
    for (const PIECE& piece : m_pieces)
    {
        switch (piece.nField)
        {
        case Text: name += piece.strText; break;
        case Gm: name += row.strGmName; break;
        case Bank: name += row.strBankName; break;
        case Program: name += std::to_string(row.wProgram); break;
        case Variation: name += std::to_string(row.byVariation); break;
        case CubaseProg: name += std::to_string(row.wProgram + 1); break;
        case CubaseBank: name += std::to_string(row.byVariation << 7); break;
        case Index: name += std::to_string(row.nIndex); break;
        case List: name += row.bDrumset ? "drumset" : "instrument"; break;
        }
    }
    return name;
}
