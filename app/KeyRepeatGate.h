// CKeyRepeatGate: tells a key's first press from the presses its auto-repeat sends while it is
// held, from the key's own down and up sequence (the toolkit's repeat flag cannot be trusted).
#pragma once

class CKeyRepeatGate
{
public:
    explicit CKeyRepeatGate(int key) : m_nKey(key) {}

    // A press of key: true when it is the first one since the key went up.
    bool IsFirstPress(int key);
    // The key went up: its next press is a first one again.
    void OnRelease(int key);
    // The window lost the keyboard, so a release may go unseen: the next press counts as first.
    void Reset() { m_bDown = false; }

private:
    int m_nKey;
    bool m_bDown = false;
};
