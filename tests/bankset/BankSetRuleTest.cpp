// The bank-set rule over hand-made sets: order of entries, states, hidden entries, free slots,
// and the reading of banks from files (converted, unreadable, the same file twice, re-reading).
#include "bankset/BankSet.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace
{
IMAPENTRY Map(uint16_t program, uint8_t variation)
{
    IMAPENTRY e;
    e.wProgram = program;
    e.byVariation = variation;
    return e;
}

SETBANK Bank(const std::string& name, uint16_t priority, std::vector<IMAPENTRY> instruments,
             std::vector<IMAPENTRY> drumsets = {}, BANKSTATUS status = BankOk)
{
    SETBANK bank;
    bank.strPath = name + ".94b";
    bank.strName = name;
    bank.wPriority = priority;
    bank.nStatus = status;
    bank.arrInstruments = std::move(instruments);
    bank.arrDrumsets = std::move(drumsets);
    return bank;
}

// "bank#index" of each entry of the slot, a "-" after the hidden ones.
std::string Entries(const BANKSETRULE& rule, const SETSLOT& slot)
{
    std::string text;
    for (uint32_t k = slot.nFirst; k < slot.nFirst + slot.nCount; ++k)
    {
        const SLOTENTRY& e = rule.arrEntries[k];
        text += (text.empty() ? "" : " ") + std::to_string(e.nBank) + "#" + std::to_string(e.nIndex) +
                (e.bHidden ? "-" : "");
    }
    return text;
}

const SETSLOT& Only(const BANKSETRULE& rule)
{
    EXPECT_EQ(1u, rule.arrSlots.size());
    return rule.arrSlots.at(0);
}
} // namespace

TEST(BankSetRuleTest, HighestPriorityAnswersWhateverItsPlaceAndHidesTheRest)
{
    // The later bank has the higher priority; the first bank maps the slot twice.
    const BANKSETRULE rule =
        ApplyBankSetRule({Bank("A", 10, {Map(5, 1), Map(5, 1)}), Bank("B", 50, {Map(7, 0), Map(5, 1)})});
    ASSERT_EQ(2u, rule.arrSlots.size());
    const SETSLOT& slot = rule.arrSlots[0];
    EXPECT_EQ(5, slot.wProgram);
    EXPECT_EQ(SlotWins, slot.nState);
    EXPECT_EQ("1#1 0#0- 0#1-", Entries(rule, slot));
    EXPECT_EQ(SlotSole, rule.arrSlots[1].nState);
    EXPECT_EQ(1u, rule.summary.nSlotsWon);
    EXPECT_EQ(2u, rule.summary.nEntriesHidden);
    EXPECT_EQ(0u, rule.summary.nSlotsUndecided);
}

TEST(BankSetRuleTest, EqualTopPrioritiesLeaveTheSlotUndecidedAndStillHideWhatCannotBeHeard)
{
    // A and C share the top priority; A's second entry and the lower B are hidden whatever the card picks.
    const BANKSETRULE rule = ApplyBankSetRule(
        {Bank("A", 30, {Map(5, 0), Map(5, 0)}), Bank("B", 20, {Map(5, 0)}), Bank("C", 30, {Map(1, 0), Map(5, 0)})});
    const SETSLOT& slot = rule.arrSlots.at(1);
    EXPECT_EQ(SlotUndecided, slot.nState);
    EXPECT_EQ("0#0 0#1- 2#1 1#0-", Entries(rule, slot));
    EXPECT_EQ(1u, rule.summary.nSlotsUndecided);
    EXPECT_EQ(2u, rule.summary.nEntriesHidden);

    // One bank mapping a slot twice at the top is no tie: it answers alone.
    const BANKSETRULE twice = ApplyBankSetRule({Bank("A", 30, {Map(9, 9), Map(9, 9)})});
    EXPECT_EQ(SlotSole, Only(twice).nState);
    EXPECT_EQ("0#0 0#1-", Entries(twice, Only(twice)));
}

TEST(BankSetRuleTest, UnreadableAndEmptyBanksTakeNoPartButConvertedOnesDo)
{
    const BANKSETRULE rule =
        ApplyBankSetRule({Bank("Broken", 99, {Map(3, 0)}, {}, BankUnreadable), Bank("Empty", 5, {}),
                          Bank("Conv", 7, {Map(3, 0)}, {}, BankNeedsRepair)});
    const SETSLOT& slot = Only(rule);
    EXPECT_EQ(SlotSole, slot.nState);
    EXPECT_EQ("2#0", Entries(rule, slot));
    EXPECT_EQ(2u, rule.summary.nBanksRead);
    EXPECT_EQ(1u, rule.summary.nBanksUnreadable);
}

TEST(BankSetRuleTest, ListsAndProgramsBeyondTheMidiRangeAreSlotsOfTheirOwn)
{
    // The drum list's program 0 sorts after the instrument list's highest programs; programs above
    // 127 and variations above 127 are mapped slots but change no free slot.
    const BANKSETRULE rule = ApplyBankSetRule({Bank("A", 1, {Map(0xFFFE, 255), Map(128, 0), Map(0, 200)}, {Map(0, 0)}),
                                               Bank("B", 1, {Map(0xFFFE, 255)}, {Map(0xFFFE, 0)})});
    ASSERT_EQ(5u, rule.arrSlots.size());
    EXPECT_EQ(0, rule.arrSlots[0].wProgram);
    EXPECT_EQ(200, rule.arrSlots[0].byVariation);
    EXPECT_EQ(128, rule.arrSlots[1].wProgram);
    EXPECT_EQ(0xFFFE, rule.arrSlots[2].wProgram);
    EXPECT_EQ(SlotUndecided, rule.arrSlots[2].nState);
    EXPECT_TRUE(rule.arrSlots[3].bDrumset);
    EXPECT_EQ(0, rule.arrSlots[3].wProgram);
    EXPECT_EQ(0xFFFE, rule.arrSlots[4].wProgram);
    // Instrument 0 is mapped (at variation 200 only): 0/0 stays free and is its next free variation.
    EXPECT_EQ(128u + 9u, rule.arrFree.size());
    ASSERT_EQ(1u, rule.arrNextFree.size());
    EXPECT_EQ(0, rule.arrNextFree[0].wProgram);
    EXPECT_EQ(0, rule.arrNextFree[0].byVariation);
}

TEST(BankSetRuleTest, FreeSlotsAtTheEdgesOfTheRanges)
{
    const BANKSETRULE empty = ApplyBankSetRule({});
    EXPECT_EQ(128u + 10u, empty.arrFree.size());
    EXPECT_TRUE(empty.arrNextFree.empty());
    EXPECT_EQ(127, empty.arrFree[127].wProgram);
    EXPECT_TRUE(empty.arrFree[128].bDrumset);

    // Program 127 takes every variation 0-127 (spread over two banks), program 0 variations 0 and 1.
    std::vector<IMAPENTRY> full;
    for (unsigned v = 0; v < 128; v += 2)
        full.push_back(Map(127, static_cast<uint8_t>(v)));
    std::vector<IMAPENTRY> odd;
    for (unsigned v = 1; v < 128; v += 2)
        odd.push_back(Map(127, static_cast<uint8_t>(v)));
    odd.push_back(Map(0, 0));
    odd.push_back(Map(0, 1));
    const BANKSETRULE rule =
        ApplyBankSetRule({Bank("A", 1, full, {Map(0, 0), Map(127, 0), Map(8, 1)}), Bank("B", 2, odd)});
    std::vector<std::pair<bool, int>> free;
    for (const FREESLOT& f : rule.arrFree)
    {
        EXPECT_EQ(0, f.byVariation);
        free.emplace_back(f.bDrumset, f.wProgram);
    }
    EXPECT_EQ(126u + 8u, free.size());
    EXPECT_EQ(std::make_pair(false, 1), free.front());
    EXPECT_EQ(std::make_pair(false, 126), free[125]);
    EXPECT_EQ(std::make_pair(true, 8), free[126]); // mapped at variation 1 only
    EXPECT_EQ(std::make_pair(true, 56), free.back());
    ASSERT_EQ(1u, rule.arrNextFree.size()); // program 127 is full
    EXPECT_EQ(0, rule.arrNextFree[0].wProgram);
    EXPECT_EQ(2, rule.arrNextFree[0].byVariation);
    EXPECT_EQ(rule.arrFree.size(), rule.summary.nFreeSlots);
}

namespace
{
class BankSetLoadTest : public ::testing::Test
{
protected:
    std::string Write(const std::string& name, const CBankBuilder& bank)
    {
        bank.WriteTo(m_dir / name);
        return (m_dir / name).string();
    }
    CTempDir m_dir;
};

std::vector<BankEntry> Programs(std::initializer_list<uint16_t> programs)
{
    std::vector<BankEntry> list;
    for (uint16_t p : programs)
    {
        BankEntry e;
        e.program = p;
        list.push_back(e);
    }
    return list;
}
} // namespace

TEST_F(BankSetLoadTest, ReadsBanksAsTheyAreOnceEachAndSaysWhyOneCannotBeRead)
{
    const std::string plain = Write("a.94b", CBankBuilder().Prio("Alpha", 20).Imap(Programs({4}), Programs({16})));
    CBankBuilder converted;
    converted.Ttma(64).Prio("Conv", 30, "TTPR").Imap(Programs({4}), {}, "TTIM");
    const std::string conv = Write("conv.94b", converted);
    const std::vector<unsigned char> convBytes = ReadFileBytes(conv);
    const std::string text = Write("notes.94b", CBankBuilder().Raw(std::string("just text")));
    std::filesystem::create_directory(m_dir / "sub");

    CBankSet set;
    set.Load({plain, conv, (m_dir / "missing.94b").string(), text, (m_dir / "sub" / ".." / "a.94b").string()});
    ASSERT_EQ(4u, set.GetBanks().size()); // a.94b named twice is read once
    EXPECT_EQ(BankOk, set.GetBanks()[0].nStatus);
    EXPECT_EQ("Alpha", set.GetBanks()[0].strName);
    EXPECT_EQ(BankNeedsRepair, set.GetBanks()[1].nStatus);
    EXPECT_EQ(convBytes, ReadFileBytes(conv)); // never repaired
    EXPECT_EQ(BankUnreadable, set.GetBanks()[2].nStatus);
    EXPECT_THAT(set.GetBanks()[2].strReason, HasSubstr("No such file"));
    EXPECT_EQ(BankUnreadable, set.GetBanks()[3].nStatus);
    EXPECT_FALSE(set.GetBanks()[3].strReason.empty());
    EXPECT_TRUE(set.HasUnreadable());

    const SETSLOT* slot = set.FindSlot(false, 4, 0);
    ASSERT_NE(nullptr, slot);
    EXPECT_EQ(1u, set.GetAnswer(*slot)->nBank);
    EXPECT_EQ(nullptr, set.FindSlot(false, 5, 0));
    EXPECT_NE(nullptr, set.FindSlot(true, 16, 0));
    EXPECT_EQ(0, set.FindBank(m_dir / "sub" / ".." / "a.94b"));
    EXPECT_EQ(-1, set.FindBank(m_dir / "other.94b"));
}

TEST_F(BankSetLoadTest, ReloadingOneChangedBankAppliesTheRuleAnew)
{
    const std::string a = Write("a.94b", CBankBuilder().Prio("Alpha", 20).Imap(Programs({4}), {}));
    const std::string b = Write("b.94b", CBankBuilder().Prio("Beta", 10).Imap(Programs({4}), {}));
    CBankSet set;
    set.Load({a, b});
    EXPECT_EQ(SlotWins, set.FindSlot(false, 4, 0)->nState);

    Write("b.94b", CBankBuilder().Prio("Beta", 20).Imap(Programs({4}), {}));
    ASSERT_TRUE(set.Reload(1));
    EXPECT_EQ(SlotUndecided, set.FindSlot(false, 4, 0)->nState);
    EXPECT_EQ(nullptr, set.GetAnswer(*set.FindSlot(false, 4, 0)));
    EXPECT_TRUE(set.HasUndecided());

    std::filesystem::remove(b);
    ASSERT_TRUE(set.Reload(1));
    EXPECT_EQ(BankUnreadable, set.GetBanks()[1].nStatus);
    EXPECT_EQ(SlotSole, set.FindSlot(false, 4, 0)->nState);
    EXPECT_FALSE(set.Reload(2));
}
