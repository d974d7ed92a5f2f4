// The desktop program's reporting sink: every AppMessageBox becomes a modal wxMessageDialog with
// the caption and icon of its style, owned by the active window.
#pragma once

#include "res/MessageBox.h"

class CWxMessageSink : public IMessageSink
{
public:
    int Show(const std::string& text, const std::string& caption, unsigned style) override;
};
