// Replacing malformed UTF-8: well-formed text passes unchanged, every bad byte becomes U+FFFD.
#include "base/Utf8.h"

#include <gtest/gtest.h>

TEST(Utf8Test, MalformedSequencesAreReplacedAndGoodOnesKept)
{
    const std::string good = "plain \xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb9";
    EXPECT_EQ(good, ToValidUtf8(good));
    const std::string r = "\xef\xbf\xbd";
    EXPECT_EQ(r + "a", ToValidUtf8("\xff"
                                   "a"));
    EXPECT_EQ(r + r, ToValidUtf8("\xc0\xaf"));                 // overlong
    EXPECT_EQ(r + r + r, ToValidUtf8("\xed\xa0\x80"));         // surrogate
    EXPECT_EQ(r + r + r + r, ToValidUtf8("\xf4\x90\x80\x80")); // above U+10FFFF
    EXPECT_EQ("x" + r + r, ToValidUtf8("x\xe2\x82"));          // cut off at the end
    EXPECT_EQ(std::string("\0a", 2), ToValidUtf8(std::string("\0a", 2)));
}
