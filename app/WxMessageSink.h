// The desktop program's reporting sink: every AppMessageBox becomes a modal wxMessageDialog with
// the caption and icon of its style, centred over the main window (or over the modal dialog in
// front of it), with a message's detail shown below its text.
#pragma once

#include "res/MessageBox.h"

#include <wx/weakref.h>
#include <wx/window.h>

class CWxMessageSink : public IMessageSink
{
public:
    // The main window, which owns the message boxes.
    void SetOwner(wxWindow* owner) { m_owner = owner; }

    int Show(const std::string& text, const std::string& caption, unsigned style) override;
    int ShowDetail(const std::string& text, const std::string& caption, unsigned style,
                   const std::string& detail) override;

private:
    wxWindow* Owner() const;

    wxWeakRef<wxWindow> m_owner;
};
