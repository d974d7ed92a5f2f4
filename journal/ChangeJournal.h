// CChangeJournal: records every change this program makes to a bank before it is made, so that
// it can be undone and redone exactly, in this run or a later one. It listens at the soundbank's
// change hook (write-back and repair); undo and redo go through the same guarded writes.
#pragma once

#include "journal/BankJournal.h"
#include "journal/ChangeSummary.h"
#include "soundbank/BankChangeHook.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class CChangeJournal : public IBankChangeHook
{
public:
    // writeBackKind names this program's write-backs in the journal: "inspector" or "set".
    explicit CChangeJournal(std::string writeBackKind);
    ~CChangeJournal() override;

    int BeginWriteBack(const std::filesystem::path& path, int handle, const FILESTAT& stat,
                       const std::vector<BANKSPAN>& spans, const std::string& summary) override;
    void BeginRepairRead(const REPAIRMOVE& move) override;
    void RepairRead(const unsigned char* bytes, size_t n) override;
    int BeginRepair(const std::filesystem::path& file, const FILESTAT& stat, const std::filesystem::path& repaired,
                    const REPAIRMOVE& move) override;
    void EndChange(bool bMade, const FILESTAT* written) override;

private:
    // A new change of bank begins: its journal as read, or null after the message saying why it
    // cannot be read.
    std::unique_ptr<CBankJournal> ReadJournal(const std::filesystem::path& bank);
    // Records change in journal as pending; 0 after its message when the journal cannot hold it.
    int Record(std::unique_ptr<CBankJournal> journal, const FILESTAT& stat, JOURNALCHANGE change);

    std::string m_strWriteBackKind;
    std::unique_ptr<CBankJournal> m_pJournal; // of the change begun last
    uint64_t m_nChangeId = 0;
    // The digests of the bank being repaired and of its repair, from the bytes the repair read.
    std::unique_ptr<CRepairDigest> m_pRepairRead;
    // A write-back that changes no byte records nothing, but the file it leaves (same bytes,
    // new modification time) is still the state the journal knew.
    bool m_bUnchanged = false;
    FILESTAT m_unchangedStat;
    uint64_t m_nUnchangedDigest = 0;
    std::filesystem::path m_unchangedBank;
};

// Installs a change journal as the program's change hook for its lifetime.
class CJournalScope
{
public:
    explicit CJournalScope(std::string writeBackKind);
    CJournalScope(const CJournalScope&) = delete;
    CJournalScope& operator=(const CJournalScope&) = delete;

private:
    CChangeJournal m_journal;
    CSlot<IBankChangeHook>::CScope m_scope;
};

// What the journal of a bank holds and what can be done with it now.
struct JOURNALSTATUS
{
    std::vector<JOURNALCHANGE> changes; // oldest first
    int nUndo = -1;                     // the change an undo would undo, -1 none
    int nRedo = -1;                     // the change a redo would redo, -1 none
    bool bCanUndo = false;              // the bank is exactly as change nUndo left it
    bool bCanRedo = false;              // the bank is exactly as the undo of nRedo left it
};
// Reads the journal of bank and compares it with the file. With bCached a digest computed
// before for the file's identity is trusted (for menus). false after its message only when
// bMessages is set; a bank that cannot be read gives a status without any possible step.
bool GetJournalStatus(const std::filesystem::path& bank, JOURNALSTATUS& status, bool bCached = false,
                      bool bMessages = true);

enum class StepResult
{
    Done,
    Nothing,   // no change to undo or redo
    Changed,   // the bank is not as the change left it: nothing written
    Failed,    // could not read, write or record; the bank is as it was
    Unrecorded // made, but the journal could not record it (settled by digest at the next step)
};
// Undoes the newest change of the bank, or redoes the change undone last, after checking that
// the bank is exactly as that change (or its undo) left it. Every outcome but Done shows its
// message. summary, when given, receives the change's summary as shown (ChangeSummaryText).
StepResult UndoLastChange(const std::filesystem::path& bank, std::string* summary = nullptr);
StepResult RedoLastChange(const std::filesystem::path& bank, std::string* summary = nullptr);

// "2026-12-09 18:40:12" in local time.
std::string ChangeTimeText(int64_t time);
// The string id naming a change's kind in menus ("inspector change", "repair").
unsigned ChangeKindId(const std::string& kind);
