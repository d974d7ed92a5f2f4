// A fixture for change-journal tests: banks in a temporary directory, the journal in another,
// messages recorded, and helpers that change a bank the way the program's writers do.
#pragma once

#include "journal/ChangeJournal.h"
#include "res/StringTable.h"
#include "soundbank/SoundBank.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

class JournalFixture : public ::testing::Test
{
public:
    JournalFixture() : m_placeScope(JournalPlaceSlot(), &m_place) { m_place.dir = m_state.Path() / "orvane"; }
    void SetUp() override { ForgetDigests(); }

    // A converted bank: TTMA chunk in front of the priority chunk (PRIO or TTPR), with a name that
    // holds bytes after a zero.
    std::filesystem::path MakeConverted(const std::string& file, const std::string& prioId, uint32_t seed)
    {
        CBankBuilder b;
        b.Filler(40, seed).Ttma(200 + seed % 50, seed).Filler(30, seed + 1);
        b.Prio(std::string("Ab\0xyz\x90Q", 8), static_cast<uint16_t>(seed % 128), prioId);
        b.Filler(20, seed + 2)
            .Imap(CBankBuilder::Entries(12), CBankBuilder::Entries(5, 40), prioId == "TTPR" ? "TTIM" : "IMAP");
        b.Filler(100, seed + 3);
        std::filesystem::path path = m_dir / file;
        b.WriteTo(path);
        return path;
    }

    // A write-back of random values, the way the inspector's OK or 'set' writes them.
    int RandomWriteBack(const std::filesystem::path& path, std::mt19937& random)
    {
        CSoundBank bank;
        if (!bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
            return 0;
        if (random() % 2)
            bank.m_strBankName = std::string("N") + static_cast<char>('a' + random() % 26) + std::string("\0\x81", 2);
        // The priority always changes, so every write-back is a change of its own.
        bank.m_wPriority = static_cast<uint16_t>((bank.m_wPriority + 1 + random() % 126) % 128);
        for (int n = static_cast<int>(random() % 4); n > 0; --n)
            bank.SetInstrument(static_cast<int>(random() % bank.m_arrInstruments.size()),
                               static_cast<uint16_t>(random() % 128), static_cast<uint8_t>(random() % 128));
        if (random() % 2)
            bank.SetDrumset(static_cast<int>(random() % bank.m_arrDrumsets.size()),
                            static_cast<uint16_t>(random() % 128), 0);
        return bank.SaveInPlace();
    }

    static int Repair(const std::filesystem::path& path)
    {
        CSoundBank bank;
        return bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Automatic, false}) &&
               bank.GetRepairOutcome() == CSoundBank::RepairDone;
    }

    std::vector<std::string> JournalFiles() const
    {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(m_place.dir, ec))
            if (entry.path().extension() == ".json")
                names.push_back(entry.path().filename().string());
        return names;
    }

    CTempDir m_dir;
    CTempDir m_state;
    JOURNALPLACE m_place;
    CSlot<JOURNALPLACE>::CScope m_placeScope;
    CMessageRecorder m_messages{AnswerNo};
};
