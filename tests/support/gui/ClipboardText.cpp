#include "support/gui/ClipboardText.h"

#include <wx/clipbrd.h>

void PutOnClipboard(const std::string& text)
{
    wxClipboardLocker clipboard;
    if (!clipboard)
        return;
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
}

std::string FromClipboard()
{
    wxClipboardLocker clipboard;
    wxTextDataObject data;
    if (!clipboard || !wxTheClipboard->GetData(data))
        return "?";
    return data.GetText().utf8_string();
}
