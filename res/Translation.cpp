// The built-in translator (English as it is) and the choice of the interface language.
#include "res/Translation.h"

namespace
{
class CEnglish : public ITranslator
{
public:
    const char* Translate(const char* english) override { return english; }
};
} // namespace

CSlot<ITranslator>& TranslatorSlot()
{
    static CEnglish english;
    static CSlot<ITranslator> slot(english);
    return slot;
}

std::string InterfaceLanguage(const char* lcAll, const char* lcMessages, const char* lang)
{
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value)
            return std::string(value).rfind("fr", 0) == 0 ? "fr" : "en";
    return "en";
}
