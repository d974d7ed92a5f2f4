// Every write path run once for each file operation it makes, with exactly that operation
// failing: the bank must end as it was (or, once the repaired file was renamed over it, as the
// repaired file), the failure must be reported, and the result must say so.
#include "res/StringTable.h"
#include "soundbank/SoundBank.h"
#include "support/BankBuilder.h"
#include "support/FaultFileSystem.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::IsSupersetOf;

namespace
{
using Bytes = std::vector<unsigned char>;

const Bytes kOldBackup = {'o', 'l', 'd'};

class FaultInjectionTest : public ::testing::Test
{
  protected:
    // Puts the bank and an older backup in place and removes what an earlier run left.
    void Reset(const Bytes& bank)
    {
        WriteFileBytes(m_path, bank);
        WriteFileBytes(Sibling(".bak"), kOldBackup);
        std::filesystem::remove(Sibling(".new"));
        std::filesystem::remove(Sibling(".bak.new"));
    }
    std::filesystem::path Sibling(const char* suffix) const
    {
        return std::filesystem::path(m_path.string() + suffix);
    }

    // Loads the bank without faults and changes a value in each part that is written.
    void LoadAndEdit(CSoundBank& bank)
    {
        CMessageRecorder quiet;
        ASSERT_EQ(1, bank.Load(m_path, m_policy));
        bank.m_strBankName = "Edited";
        bank.m_wPriority = 99;
        bank.SetInstrument(1, 42, 7);
        bank.SetDrumset(0, 5, 3);
    }

    CTempDir m_dir;
    std::filesystem::path m_path = m_dir / "bank.94b";
    REPAIRPOLICY m_policy;
};

std::string Trace(int k, const CFaultFileSystem& fs)
{
    return "operation " + std::to_string(k) + " (" + fs.FailedOperation() + ") fails";
}
} // namespace

TEST_F(FaultInjectionTest, WriteBackWithBackup)
{
    CBankBuilder joined;
    joined.Filler(12).Prio("Fault", 3).Filler(20).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2));
    CBankBuilder apart; // priority and mapping data written through two buffers
    apart.Prio("Apart", 3)
        .Filler(70000)
        .Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2))
        .Filler(90000);

    for (const CBankBuilder* layout : {&joined, &apart})
    {
        const Bytes original = layout->Bytes();
        Reset(original);
        CSoundBank reference;
        LoadAndEdit(reference);
        ASSERT_EQ(1, reference.SaveInPlace());
        const Bytes edited = ReadFileBytes(m_path);
        ASSERT_NE(original, edited);

        std::set<std::string> failed;
        int backupFaults = 0, saveFaults = 0;
        for (int k = 1;; ++k)
        {
            Reset(original);
            CSoundBank bank;
            LoadAndEdit(bank);
            CMessageRecorder messages;
            CFaultFileSystem fs(k);
            int result = bank.SaveWithBackup(true);
            if (!fs.Failed())
            {
                EXPECT_EQ(1, result);
                EXPECT_THAT(messages.Texts(), IsEmpty());
                EXPECT_EQ(edited, ReadFileBytes(m_path));
                EXPECT_EQ(original, ReadFileBytes(Sibling(".bak")));
                break;
            }
            SCOPED_TRACE(Trace(k, fs));
            failed.insert(fs.FailedOperation());
            const std::string& op = fs.FailedOperation();
            if ((op == "Stat" || op == "StatPath" || op == "Close") && result == 1 && messages.Texts().empty())
            {
                // Only a look that is retried or not needed failed (the new identity of the
                // written file, where its name leads now, the writer's lock taken anew), or the
                // close of the lock's read-only handle: the save stands.
                EXPECT_EQ(edited, ReadFileBytes(m_path));
                continue;
            }
            if (messages.Texts() == std::vector<std::string>{GetString(IDS_CANTBACKUP)})
            {
                // The backup failed: the older backup is kept whole and the save went on.
                ++backupFaults;
                EXPECT_EQ(1, result);
                EXPECT_EQ(edited, ReadFileBytes(m_path));
                EXPECT_EQ(kOldBackup, ReadFileBytes(Sibling(".bak")));
                EXPECT_FALSE(std::filesystem::exists(Sibling(".bak.new")));
            }
            else
            {
                ++saveFaults;
                EXPECT_THAT(messages.Texts(), ElementsAre(GetString(IDS_CANTOPENFILE)));
                EXPECT_EQ(0, result);
                EXPECT_EQ(original, ReadFileBytes(m_path));
                EXPECT_EQ(original, ReadFileBytes(Sibling(".bak")));
            }
        }
        EXPECT_GE(backupFaults, 8);
        EXPECT_GE(saveFaults, 5);
        EXPECT_THAT(failed, IsSupersetOf({"OpenRead", "Stat", "Create", "ReadAt", "WriteAt", "Sync", "Close",
                                          "Rename", "OpenReadWrite"}));
    }
}

TEST_F(FaultInjectionTest, RepairWithBackup)
{
    m_policy.nMode = REPAIRPOLICY::Automatic;
    m_policy.bKeepBackup = true;
    CBankBuilder b;
    b.Filler(30).Ttma(64).Filler(10).Prio("Convert", 8, "TTPR").Imap(CBankBuilder::Entries(4), {}, "TTIM");
    b.Filler(110000);
    const Bytes original = b.Bytes();
    Reset(original);
    {
        CMessageRecorder quiet;
        CSoundBank reference;
        ASSERT_EQ(1, reference.Load(m_path, m_policy));
        ASSERT_EQ(CSoundBank::RepairDone, reference.GetRepairOutcome());
    }
    const Bytes repaired = ReadFileBytes(m_path);
    ASSERT_NE(original, repaired);

    std::set<std::string> failed;
    int keptFaults = 0, afterRenameFaults = 0;
    for (int k = 1;; ++k)
    {
        Reset(original);
        CMessageRecorder messages;
        CFaultFileSystem fs(k);
        CSoundBank bank;
        int result = bank.Load(m_path, m_policy);
        if (!fs.Failed())
        {
            EXPECT_EQ(1, result);
            EXPECT_THAT(messages.Texts(), IsEmpty());
            EXPECT_EQ(repaired, ReadFileBytes(m_path));
            EXPECT_EQ(original, ReadFileBytes(Sibling(".bak")));
            break;
        }
        SCOPED_TRACE(Trace(k, fs));
        failed.insert(fs.FailedOperation());
        const Bytes now = ReadFileBytes(m_path);
        const std::vector<std::string> texts = messages.Texts();
        const Bytes backup = ReadFileBytes(Sibling(".bak"));
        const std::string& op = fs.FailedOperation();
        if (op == "Chown" || op == "ResolveLinks" ||
            ((op == "Stat" || op == "StatPath" || op == "Close") && result == 1 && texts.empty()))
        {
            // Best-effort steps, looks the writer's lock retries, and the close of its read-only
            // handle: the repair is complete without them.
            EXPECT_EQ(1, result);
            EXPECT_THAT(texts, IsEmpty());
            EXPECT_EQ(repaired, now);
            continue;
        }
        EXPECT_TRUE(backup == kOldBackup || backup == original);
        EXPECT_FALSE(std::filesystem::exists(Sibling(".bak.new")));
        if (texts == std::vector<std::string>{GetString(IDS_CANTBACKUP)})
        {
            // Only the backup failed; the repair went on.
            EXPECT_EQ(kOldBackup, backup);
            EXPECT_EQ(repaired, now);
            EXPECT_EQ(CSoundBank::RepairDone, bank.GetRepairOutcome());
            EXPECT_EQ(1, result);
        }
        else if (now == repaired)
        {
            // Reading the repaired file failed after the rename: reported, and the load fails.
            ++afterRenameFaults;
            EXPECT_THAT(texts, ElementsAre(GetString(IDS_CANTOPENFILE)));
            EXPECT_EQ(CSoundBank::RepairDone, bank.GetRepairOutcome());
            EXPECT_EQ(0, result);
        }
        else
        {
            ++keptFaults;
            EXPECT_EQ(original, now);
            EXPECT_THAT(texts, ElementsAre(GetString(IDS_CANTOPENFILE)));
            if (bank.GetRepairOutcome() == CSoundBank::RepairNone)
                EXPECT_EQ(0, result); // the first reading could not open the bank
            else
            {
                EXPECT_EQ(CSoundBank::RepairFailed, bank.GetRepairOutcome());
                EXPECT_EQ(1, result);
                EXPECT_EQ(m_path.string(), bank.m_strPathName);
                EXPECT_EQ(4u, bank.m_arrInstruments.size()); // what the first reading produced
            }
        }
    }
    EXPECT_GE(keptFaults, 10);
    EXPECT_EQ(1, afterRenameFaults);
    EXPECT_THAT(failed, IsSupersetOf({"OpenSource", "OpenRead", "Stat", "Create", "ReadAt", "WriteAt", "Sync",
                                      "Close", "Rename"}));
}
