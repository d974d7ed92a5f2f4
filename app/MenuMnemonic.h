// The mnemonic of a menu label ("&File", "É&dition", "&Édition"): the character after its single
// "&", and the key a user types for it. An accented letter is typed as its plain letter on
// keyboards without it, so "&Édition" answers Alt+E as well.
#pragma once

#include <string>
#include <vector>

// The mnemonic character as UTF-8, lower case for letters of Latin-1; "" when the label has none.
std::string MenuMnemonic(const std::string& label);
// The plain ASCII letter of an accented Latin-1 mnemonic ('e' for "É"), or 0 when the mnemonic
// is no accented letter.
char PlainMnemonicLetter(const std::string& label);
// The labels whose mnemonics are typed with the same key as an earlier label's (an accented
// mnemonic counts as its plain letter), by index.
std::vector<size_t> CollidingMnemonics(const std::vector<std::string>& labels);
