// Every single failing file operation during a change, an undo or a redo leaves the bank and
// the journal consistent: a change on disk has its entry, an entry of a change that did not
// happen is never undone into a wrong state.
#include "journal/JournalFixture.h"
#include "support/FaultFileSystem.h"

namespace
{
class JournalFaultTest : public JournalFixture
{
protected:
    // After the faulty step: the bank is one of the two states, and undo and redo from there
    // walk exactly between the states the journal can still reach.
    // earlier, when not empty: the bank before a change made without faults ahead of this one.
    void ExpectConsistent(const std::filesystem::path& path, const std::vector<unsigned char>& before,
                          const std::vector<unsigned char>& after, int failAt,
                          const std::vector<unsigned char>& earlier = {})
    {
        const auto now = ReadFileBytes(path);
        ASSERT_TRUE(now == before || now == after) << "fault at call " << failAt;
        JOURNALSTATUS status;
        ASSERT_TRUE(GetJournalStatus(path, status, false, false)) << failAt;
        if (now == after)
        {
            ASSERT_EQ(StepResult::Done, UndoLastChange(path)) << "fault at call " << failAt;
            EXPECT_EQ(before, ReadFileBytes(path)) << failAt;
            ASSERT_EQ(StepResult::Done, RedoLastChange(path)) << failAt;
            EXPECT_EQ(after, ReadFileBytes(path)) << failAt;
        }
        else if (!earlier.empty())
        {
            // The change that failed is gone; the one before it is undone and redone.
            ASSERT_EQ(StepResult::Done, UndoLastChange(path)) << "fault at call " << failAt;
            EXPECT_EQ(earlier, ReadFileBytes(path)) << failAt;
            ASSERT_EQ(StepResult::Done, RedoLastChange(path)) << failAt;
            EXPECT_EQ(before, ReadFileBytes(path)) << failAt;
        }
        else
        {
            // Nothing to undo into another state: the bank stays exactly as it is.
            StepResult undo = UndoLastChange(path);
            EXPECT_NE(StepResult::Done, undo) << "fault at call " << failAt;
            EXPECT_EQ(before, ReadFileBytes(path)) << failAt;
            if (RedoLastChange(path) == StepResult::Done)
            {
                EXPECT_EQ(after, ReadFileBytes(path)) << failAt;
            }
        }
    }
};

// Runs step under a file system failing call n, for n = 1, 2, ... until a run has no failure.
template <class Step> int ForEveryFault(Step step)
{
    for (int n = 1; n < 400; ++n)
    {
        bool failed = false;
        step(n, failed);
        if (!failed)
            return n;
    }
    return 0;
}
} // namespace

TEST_F(JournalFaultTest, EveryFailingOperationOfAWriteBackLeavesBankAndJournalConsistent)
{
    // A bank new to the journal (the journal file written whole) and one with a change recorded
    // already (the new change appended to it).
    for (const bool history : {false, true})
    {
        const int runs = ForEveryFault(
            [&](int n, bool& failed)
            {
                std::filesystem::remove_all(m_place.dir);
                const auto path = MakeConverted("wb.94b", "PRIO", 3);
                std::vector<unsigned char> earlier;
                CJournalScope journal("inspector");
                if (history)
                {
                    earlier = ReadFileBytes(path);
                    CSoundBank first;
                    ASSERT_EQ(1, first.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
                    first.m_wPriority = 50;
                    ASSERT_EQ(1, first.SaveInPlace());
                }
                const auto before = ReadFileBytes(path);
                CSoundBank bank;
                ASSERT_EQ(1, bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
                bank.m_wPriority = 100;
                bank.SetInstrument(4, 9, 9);
                {
                    CFaultFileSystem faults(n);
                    bank.SaveInPlace();
                    failed = faults.Failed();
                }
                std::vector<unsigned char> after = before;
                if (!failed)
                    after = ReadFileBytes(path);
                else
                {
                    // The expected result, made without faults on a copy.
                    CBankBuilder copy;
                    copy.Raw(before);
                    copy.WriteTo(m_dir / "copy.94b");
                    CSoundBank other;
                    CSlot<IBankChangeHook>::CScope none(BankChangeHookSlot(), nullptr);
                    ASSERT_EQ(1, other.Load(m_dir / "copy.94b", REPAIRPOLICY{REPAIRPOLICY::Never, false}));
                    other.m_wPriority = 100;
                    other.SetInstrument(4, 9, 9);
                    ASSERT_EQ(1, other.SaveInPlace());
                    after = ReadFileBytes(m_dir / "copy.94b");
                }
                ExpectConsistent(path, before, after, n, earlier);
            });
        EXPECT_GT(runs, 10);
    }
}

TEST_F(JournalFaultTest, EveryFailingOperationOfARepairLeavesBankAndJournalConsistent)
{
    std::vector<unsigned char> repaired;
    {
        const auto path = MakeConverted("model.94b", "TTPR", 4);
        CSlot<IBankChangeHook>::CScope none(BankChangeHookSlot(), nullptr);
        ASSERT_EQ(1, Repair(path));
        repaired = ReadFileBytes(path);
    }
    const int runs = ForEveryFault(
        [&](int n, bool& failed)
        {
            std::filesystem::remove_all(m_place.dir);
            const auto path = MakeConverted("rp.94b", "TTPR", 4);
            const auto before = ReadFileBytes(path);
            CJournalScope journal("inspector");
            {
                CFaultFileSystem faults(n);
                Repair(path);
                failed = faults.Failed();
            }
            std::filesystem::remove(m_dir / "rp.94b.new");
            ExpectConsistent(path, before, repaired, n);
        });
    EXPECT_GT(runs, 10);
}

TEST_F(JournalFaultTest, EveryFailingOperationOfAnUndoOrRedoLeavesBankAndJournalConsistent)
{
    for (bool repair : {false, true})
    {
        for (bool redo : {false, true})
        {
            const int runs = ForEveryFault(
                [&](int n, bool& failed)
                {
                    std::filesystem::remove_all(m_place.dir);
                    const auto path = MakeConverted("ud.94b", "PRIO", 7);
                    const auto before = ReadFileBytes(path);
                    {
                        CJournalScope journal("set");
                        if (repair)
                        {
                            ASSERT_EQ(1, Repair(path));
                        }
                        else
                        {
                            CSoundBank bank;
                            ASSERT_EQ(1, bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
                            bank.m_wPriority = 111;
                            ASSERT_EQ(1, bank.SaveInPlace());
                        }
                    }
                    const auto after = ReadFileBytes(path);
                    if (redo)
                    {
                        ASSERT_EQ(StepResult::Done, UndoLastChange(path));
                    }
                    {
                        CFaultFileSystem faults(n);
                        redo ? RedoLastChange(path) : UndoLastChange(path);
                        failed = faults.Failed();
                    }
                    std::filesystem::remove(m_dir / "ud.94b.new");
                    ExpectConsistent(path, before, after, n);
                });
            EXPECT_GT(runs, 5) << repair << redo;
        }
    }
}
