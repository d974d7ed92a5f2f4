// CMessageLog: the toolkit's own error and warning messages (a file the document manager cannot
// open, a failed print job, a page setup without printer) shown through the program's message
// layer, with its caption and in the interface's language, instead of the toolkit's log window.
// Messages are gathered as they are logged and shown when the program is next idle, as the
// toolkit does, so that no message box opens in the middle of the work that logged it.
#pragma once

#include <wx/log.h>

#include <utility>
#include <vector>

class CMessageLog : public wxLog
{
public:
    // Shows the messages gathered so far, each once, in the order they came.
    void Flush() override;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

private:
    std::vector<std::pair<wxLogLevel, wxString>> m_pending;
    bool m_bShowing = false;
};

// Makes a CMessageLog the toolkit's log target, deleting the one it replaces.
void InstallMessageLog();
