// Answers the next modal single-choice dialog (as the set's bank chooser) with keys typed into it
// as a user types them, keeping its title; for the window tests.
#pragma once

#include <wx/string.h>
#include <wx/timer.h>

#include <vector>

class CChoiceAnswer
{
public:
    // keys: wx key codes, typed one at a time once the dialog is on show.
    explicit CChoiceAnswer(std::vector<int> keys);
    ~CChoiceAnswer() { m_timer.Stop(); }

    // The title of the dialog answered; empty while none was.
    wxString m_strTitle;

private:
    wxTimer m_timer;
};
