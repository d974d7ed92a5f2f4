// Opening a page in the desktop's default web browser, behind a slot so tests can see what would
// be opened without starting a browser.
#pragma once

#include "base/Slot.h"

#include <string>

class IBrowserLauncher
{
public:
    virtual ~IBrowserLauncher() = default;
    // Asks the desktop to show url in its default browser; false when that cannot be asked.
    virtual bool Launch(const std::string& url) = 0;
};

// The launcher in use; its built-in one asks the desktop (xdg-open and the like) through wx.
CSlot<IBrowserLauncher>& BrowserLauncherSlot();
