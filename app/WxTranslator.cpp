// Loading the French catalogue with wxTranslations, independent of the system's locales.
#include "app/WxTranslator.h"

#include "res/ProgramDirectory.h"

#include <wx/intl.h>
#include <wx/translation.h>

#include <cstdlib>

const char* CWxTranslator::Translate(const char* english)
{
    auto it = m_cache.find(english);
    if (it == m_cache.end())
    {
        const wxString& text = wxGetTranslation(wxString::FromUTF8(english), "orvane");
        it = m_cache.emplace(english, text.utf8_string()).first;
    }
    return it->second.c_str();
}

bool SetUpInterfaceLanguage(CWxTranslator& translator)
{
    if (InterfaceLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")) != "fr")
        return false;
    // wxTranslations works without the system's French locale: only the catalogue is needed.
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8(GetProgramDirectory() + "locale"));
    translations->SetLanguage("fr");
    // The toolkit's own texts (Yes and No, Cancel, its dialogs' titles) from its catalogue, when
    // the system has it. Catalogues added later are searched first, so the program's own texts
    // keep their translations where both have one.
    translations->AddStdCatalog();
    if (!translations->AddCatalog("orvane"))
        return false;
    TranslatorSlot().Install(&translator);
    return true;
}
