// The built-in change hook: changes are made without being recorded.
#include "soundbank/BankChangeHook.h"

CSlot<IBankChangeHook>& BankChangeHookSlot()
{
    static IBankChangeHook builtIn;
    static CSlot<IBankChangeHook> slot(builtIn);
    return slot;
}
