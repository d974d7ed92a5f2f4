// First presses of a key told from its auto-repeat by the down and up sequence alone.
#include "app/KeyRepeatGate.h"

#include <gtest/gtest.h>

namespace
{
const int kBack = 8;

TEST(KeyRepeatGateTest, OnlyThePressAfterAReleaseIsFirst)
{
    CKeyRepeatGate gate(kBack);
    EXPECT_TRUE(gate.IsFirstPress(kBack));
    // Held: the repeated presses are not first ones, nor is a press of another key.
    EXPECT_FALSE(gate.IsFirstPress(kBack));
    EXPECT_FALSE(gate.IsFirstPress(kBack));
    EXPECT_FALSE(gate.IsFirstPress('A'));
    // Another key's release changes nothing; the key's own does.
    gate.OnRelease('A');
    EXPECT_FALSE(gate.IsFirstPress(kBack));
    gate.OnRelease(kBack);
    EXPECT_TRUE(gate.IsFirstPress(kBack));

    // A release that went unseen (the window lost the keyboard) is made up for by Reset.
    gate.Reset();
    EXPECT_TRUE(gate.IsFirstPress(kBack));
}
} // namespace
