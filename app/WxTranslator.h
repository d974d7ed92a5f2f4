// The desktop program's translator: the string table's texts through wxTranslations and the
// gettext catalogue "orvane" beside the program.
#pragma once

#include "res/Translation.h"

#include <string>
#include <unordered_map>

class CWxTranslator : public ITranslator
{
public:
    const char* Translate(const char* english) override;

private:
    // UTF-8 copies of the translations handed out, so the pointers stay valid.
    std::unordered_map<std::string, std::string> m_cache;
};

// Chooses the interface language from the environment and, for French, loads the catalogue
// from "<program directory>locale" and the toolkit's catalogue ("wxstd-3.2", from the system)
// and installs translator. True when French was chosen.
bool SetUpInterfaceLanguage(CWxTranslator& translator);
