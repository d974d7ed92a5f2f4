// Translation of the interface's texts, keyed by the English text. A program with a translated
// interface installs a translator; without one (the command-line tool, the tests) every text
// stays English.
#pragma once

#include "base/Slot.h"

#include <string>

class ITranslator
{
public:
    virtual ~ITranslator() = default;
    // The text in the interface's language; english itself when there is no translation. The
    // result stays valid as long as the translator is installed.
    virtual const char* Translate(const char* english) = 0;
};

CSlot<ITranslator>& TranslatorSlot();
inline const char* Translate(const char* english)
{
    return TranslatorSlot().Get().Translate(english);
}

// The interface language the environment asks for, as the C library decides which variable
// counts: LC_ALL, else LC_MESSAGES, else LANG, the first that is set and not empty. "fr" when it
// begins with "fr", "en" otherwise.
std::string InterfaceLanguage(const char* lcAll, const char* lcMessages, const char* lang);
