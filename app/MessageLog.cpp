// The toolkit's log messages as the program's message boxes.
#include "app/MessageLog.h"

#include "res/MessageBox.h"

#include <algorithm>

void CMessageLog::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info)
{
    // Errors, warnings and plain messages are for the user; status, progress and debugging
    // texts are not shown in a box.
    if (level > wxLOG_Message)
    {
        wxLog::DoLogRecord(level, msg, info);
        return;
    }
    const std::pair<wxLogLevel, wxString> message(level, msg);
    if (std::find(m_pending.begin(), m_pending.end(), message) == m_pending.end())
        m_pending.push_back(message);
}

void CMessageLog::Flush()
{
    // A message box runs the event loop, whose idle time flushes the log again: the messages
    // logged meanwhile wait for this round to end.
    if (m_bShowing)
        return;
    m_bShowing = true;
    while (!m_pending.empty())
    {
        const auto [level, text] = m_pending.front();
        m_pending.erase(m_pending.begin());
        const unsigned style = level <= wxLOG_Error ? MsgStop : level == wxLOG_Warning ? MsgExclamation : MsgOk;
        AppMessageBoxText(text.utf8_string(), style);
    }
    m_bShowing = false;
    wxLog::Flush();
}

void InstallMessageLog()
{
    delete wxLog::SetActiveTarget(new CMessageLog);
}
