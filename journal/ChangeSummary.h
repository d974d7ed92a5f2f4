// The summary of a change as shown in menus and listings, in the interface's language: built
// when shown from what the change did (its kind, the name and priority it changed, how many
// entries), while the journal keeps the English text it was recorded with.
#pragma once

#include "journal/BankJournal.h"

#include <string>

// What a write-back changed, as the journal's summary of it tells.
struct CHANGEFIELDS
{
    bool bName = false;
    std::string strOldName, strNewName; // as shown, quotes included
    bool bPriority = false;
    std::string strOldPriority, strNewPriority;
    size_t nEntries = 0;
};
// Reads the fields from a write-back's summary without its kind ("priority 64 → 50, 2 entries");
// false for a text of another form.
bool ParseChangeFields(const std::string& text, CHANGEFIELDS& fields);

// The change's summary through the string table: "set: priority 64 → 50, 2 entries" in English,
// "set : priorité 64 → 50, 2 entrées" in French. A summary of a form this program does not write
// is shown as recorded.
std::string ChangeSummaryText(const JOURNALCHANGE& change);
