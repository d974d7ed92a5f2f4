// The first-press decision of a held key, from its down and up events.
#include "app/KeyRepeatGate.h"

bool CKeyRepeatGate::IsFirstPress(int key)
{
    if (key != m_nKey)
        return false;
    bool first = !m_bDown;
    m_bDown = true;
    return first;
}

void CKeyRepeatGate::OnRelease(int key)
{
    if (key == m_nKey)
        m_bDown = false;
}
