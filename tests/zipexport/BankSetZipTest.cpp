// The names a bank set's archive stores its banks under: unique without regard to case, never
// the page's, each bank's own name where it is free.
#include "zipexport/BankSetZip.h"

#include <gtest/gtest.h>

TEST(BankSetZipTest, BankNamesAreMadeUniqueWithoutRegardToCaseAndKeepThePagesNameFree)
{
    EXPECT_EQ((std::vector<std::string>{"a.94b", "b.94b"}), ZipBankNames({"/x/a.94b", "/y/b.94b"}, {"bankset.html"}));
    EXPECT_EQ((std::vector<std::string>{"piano.94b", "PIANO-2.94b", "piano-3.94b", "piano-2-2.94b"}),
              ZipBankNames({"/one/piano.94b", "/two/PIANO.94b", "/three/piano.94b", "/four/piano-2.94b"}, {}));
    // A bank named as the page, and names without extension or without a name at all.
    EXPECT_EQ((std::vector<std::string>{"bankset-2.html", "bank", "bank-2", "bank.94b"}),
              ZipBankNames({"/z/bankset.html", "/z/bank", "/w/bank", "/"}, {"bankset.html"}));
}
