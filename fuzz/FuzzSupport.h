// What every fuzz target shares: a sink that answers every question No without printing, and
// a check that stops the run at the first broken promise.
#pragma once

#include "res/MessageBox.h"

#include <string>

class CSilentSink : public IMessageSink
{
public:
    int Show(const std::string&, const std::string&, unsigned) override { return AnswerNo; }
};

inline void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// Installs the silent sink once per process.
inline void InstallSilentSink()
{
    static CSilentSink sink;
    static bool installed = (MessageSinkSlot().Install(&sink), true);
    (void)installed;
}
