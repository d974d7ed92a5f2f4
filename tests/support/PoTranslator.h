// A translator reading the program's catalogue res/po/fr.po, so that plain tests see the French
// texts the desktop program shows, without wx.
#pragma once

#include "res/Translation.h"

#include <fstream>
#include <map>
#include <string>

class CPoTranslator : public ITranslator
{
public:
    // Reads msgid/msgstr pairs, with continued lines and the escapes \n, \" and \\.
    explicit CPoTranslator(const std::string& poPath)
    {
        std::ifstream in(poPath);
        std::string line, id, str, *current = nullptr;
        auto flush = [&]
        {
            if (!id.empty() && !str.empty())
                m_texts[id] = str;
            id.clear();
            str.clear();
            current = nullptr;
        };
        while (std::getline(in, line))
        {
            if (line.rfind("msgid ", 0) == 0)
            {
                flush();
                current = &id;
                *current += Unquote(line.substr(6));
            }
            else if (line.rfind("msgstr ", 0) == 0)
            {
                current = &str;
                *current += Unquote(line.substr(7));
            }
            else if (!line.empty() && line[0] == '"' && current)
                *current += Unquote(line);
        }
        flush();
    }

    const char* Translate(const char* english) override
    {
        auto it = m_texts.find(english);
        return it == m_texts.end() ? english : it->second.c_str();
    }
    bool Empty() const { return m_texts.empty(); }

private:
    static std::string Unquote(const std::string& quoted)
    {
        std::string out;
        for (size_t i = 1; i + 1 < quoted.size(); ++i)
        {
            if (quoted[i] == '\\' && i + 2 < quoted.size())
            {
                const char c = quoted[++i];
                out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
            }
            else
                out += quoted[i];
        }
        return out;
    }

    std::map<std::string, std::string> m_texts;
};

// The French catalogue of the source tree.
inline std::string FrenchCatalogPath()
{
    return std::string(ORVANE_SOURCE_DIR) + "/res/po/fr.po";
}
