// CPrintPreviewRequest: the print dialog of GTK has a "Print Preview" button whose own action
// renders the pages into a PDF file and starts an external viewer, which many desktops do not
// have: the dialog closed and nothing appeared. While this hook is alive, that button ends the
// toolkit's preview at once and is remembered, so that the caller shows the program's own
// preview window instead.
#pragma once

#include <wx/modalhook.h>

class CPrintPreviewRequest : public wxModalDialogHook
{
public:
    CPrintPreviewRequest() { Register(); }

    // Whether the print dialog's preview button was pressed.
    bool WasRequested() const { return m_bRequested; }
    void SetRequested() { m_bRequested = true; }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    bool m_bRequested = false;
};
