// Lets a grid window under test take its events: a few rounds of yield and idle work with short
// pauses, so the X server's replies (focus, exposure, auto-repeat) arrive in between.
#pragma once

#include <wx/app.h>
#include <wx/utils.h>

inline void Pump(int nRounds = 5)
{
    for (int i = 0; i < nRounds; ++i)
    {
        wxYield();
        wxTheApp->ProcessIdle();
        wxMilliSleep(10);
    }
}
