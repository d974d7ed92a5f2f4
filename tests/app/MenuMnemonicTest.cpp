// Menu mnemonics: the character after the single "&", the plain letter that also types an
// accented one, and mnemonics of one menu typed with the same key.
#include "app/MenuMnemonic.h"

#include <gtest/gtest.h>

namespace
{
TEST(MenuMnemonicTest, TheCharacterAfterTheSingleAmpersandInLowerCase)
{
    EXPECT_EQ("f", MenuMnemonic("&File"));
    EXPECT_EQ("d", MenuMnemonic("É&dition"));
    EXPECT_EQ("é", MenuMnemonic("&Édition"));
    EXPECT_EQ("à", MenuMnemonic("&À propos"));
    EXPECT_EQ("p", MenuMnemonic("À &propos d'Orvane..."));
    // "&&" is an ampersand shown, not a mnemonic.
    EXPECT_EQ("s", MenuMnemonic("Save && &Send"));
    EXPECT_EQ("", MenuMnemonic("Save && Send"));
    EXPECT_EQ("", MenuMnemonic("Options"));
    EXPECT_EQ("", MenuMnemonic("Trailing&"));
}

TEST(MenuMnemonicTest, AnAccentedMnemonicIsAlsoTypedAsItsPlainLetter)
{
    EXPECT_EQ('e', PlainMnemonicLetter("&Édition"));
    EXPECT_EQ('e', PlainMnemonicLetter("&édition"));
    EXPECT_EQ('a', PlainMnemonicLetter("&À propos"));
    EXPECT_EQ('c', PlainMnemonicLetter("&Ça"));
    EXPECT_EQ(0, PlainMnemonicLetter("&Edition"));
    EXPECT_EQ(0, PlainMnemonicLetter("É&dition"));
    EXPECT_EQ(0, PlainMnemonicLetter("&×"));
    EXPECT_EQ(0, PlainMnemonicLetter("&€uro"));
}

TEST(MenuMnemonicTest, MnemonicsTypedWithTheSameKeyCollide)
{
    EXPECT_TRUE(CollidingMnemonics({"&Fichier", "&Édition", "&Affichage", "A&ide"}).empty());
    EXPECT_EQ((std::vector<size_t>{3}), CollidingMnemonics({"&Fichier", "É&dition", "&Affichage", "&Aide"}));
    // "É" is typed as "e" too, so it collides with a plain "E" before or after it.
    EXPECT_EQ((std::vector<size_t>{1}), CollidingMnemonics({"&Enregistrer", "&Édition"}));
    EXPECT_EQ((std::vector<size_t>{1}), CollidingMnemonics({"&Édition", "&Enregistrer"}));
    EXPECT_EQ((std::vector<size_t>{1}), CollidingMnemonics({"&File", "&find", "Options"}));
}
} // namespace
