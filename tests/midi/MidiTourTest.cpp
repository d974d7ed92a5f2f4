// The tour of a bank as a Standard MIDI File: byte for byte for a small bank, and as an
// independent MIDI library reads it.
#include "midi/MidiTour.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>

namespace
{
const std::string kPiano = "instrument 0: Acoustic Grand Piano \u2014 program 0, variation 3, bank Two";
const std::string kKit = "drum set 1: TR-808 \u2014 program 25, variation 127, bank Two";

std::vector<TOURSTOP> TwoStops()
{
    return {{{false, 0, 3}, TourMarker(false, 0, 0, 3, "Two")}, {{true, 25, 127}, TourMarker(true, 1, 25, 127, "Two")}};
}

std::string Bytes(std::initializer_list<int> bytes)
{
    std::string out;
    for (int b : bytes)
        out.push_back(static_cast<char>(b));
    return out;
}

std::string Marker(const std::string& text)
{
    return Bytes({0xFF, 0x06, static_cast<int>(text.size())}) + text;
}
} // namespace

TEST(MidiTourTest, MarkersNameEachEntryWithItsNumbersAndBank)
{
    EXPECT_EQ(kPiano, TourMarker(false, 0, 0, 3, "Two"));
    EXPECT_EQ(kKit, TourMarker(true, 1, 25, 127, "Two"));
    EXPECT_EQ("drum set 2: Program 3 \u2014 program 3, variation 0, bank B", TourMarker(true, 2, 3, 0, "B"));
}

TEST(MidiTourTest, ATwoEntryBankIsWrittenByteForByte)
{
    size_t skipped = 9;
    const std::string file = BuildTour(TwoStops(), TOUROPTIONS{1.0, 1}, skipped);
    EXPECT_EQ(0u, skipped);
    // One second per entry is 960 ticks; each sounds for half of it.
    std::string track =
        Bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}) + Bytes({0x00}) + Marker(kPiano) +
        Bytes({0x00, 0xB0, 0x00, 0x03, 0x00, 0xB0, 0x20, 0x00, 0x00, 0xC0,
               0x00, 0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x00}) +
        Bytes({0x83, 0x60}) + Marker(kKit) +
        Bytes({0x00, 0xB9, 0x00, 0x7F, 0x00, 0xB9, 0x20, 0x00, 0x00, 0xC9, 0x19,
               // kick and crash, hi-hats, snare: an eighth of the half second each
               0x00, 0x99, 0x24, 0x64, 0x00, 0x99, 0x31, 0x64, 0x3C, 0x89, 0x24, 0x00, 0x00, 0x89, 0x31, 0x00, 0x3C,
               0x99, 0x2A, 0x64, 0x3C, 0x89, 0x2A, 0x00, 0x3C, 0x99, 0x26, 0x64, 0x00, 0x99, 0x2A, 0x64, 0x3C, 0x89,
               0x26, 0x00, 0x00, 0x89, 0x2A, 0x00, 0x3C, 0x99, 0x2A, 0x64, 0x3C, 0x89, 0x2A, 0x00}) +
        Bytes({0x84, 0x1C, 0xFF, 0x2F, 0x00});
    const std::string expected = Bytes({'M', 'T',  'h',  'd', 0,   0,   0,   6, 0, 0, 0,
                                        1,   0x01, 0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, static_cast<int>(track.size())}) +
                                 track;
    EXPECT_EQ(expected, file);
}

TEST(MidiTourTest, ProgramsNoMessageSelectsAreLeftOutAndCounted)
{
    std::vector<TOURSTOP> stops = TwoStops();
    stops.insert(stops.begin() + 1, {{false, 300, 0}, TourMarker(false, 1, 300, 0, "Two")});
    size_t skipped = 0;
    const std::string file = BuildTour(stops, TOUROPTIONS{1.0, 1}, skipped);
    EXPECT_EQ(1u, skipped);
    EXPECT_EQ(BuildTour(TwoStops(), TOUROPTIONS{1.0, 1}, skipped), file);
    EXPECT_EQ("", BuildTour(stops, TOUROPTIONS{0.1, 1}, skipped));
    EXPECT_EQ("", BuildTour(stops, TOUROPTIONS{1.0, 10}, skipped));
}

// The file as mido, Debian's MIDI library for Python, reads it.
TEST(MidiTourTest, AnIndependentReaderFindsMarkersSelectionsAndNotesInTime)
{
    const char* python = "/usr/bin/python3";
    if (std::system((std::string(python) + " -c 'import mido' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "python3-mido is not installed";
    CTempDir dir;
    const auto path = dir.Path() / "tour.mid";
    size_t skipped = 0;
    {
        std::ofstream out(path, std::ios::binary);
        out << BuildTour(TwoStops(), TOUROPTIONS{2.5, 4}, skipped);
    }
    const std::string command =
        std::string(python) + " " + ORVANE_SOURCE_DIR + "/tests/midi/read_tour.py '" + path.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(nullptr, pipe);
    std::string text;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, n);
    ASSERT_EQ(0, pclose(pipe)) << text;
    const nlohmann::json doc = nlohmann::json::parse(text);
    EXPECT_EQ(0, doc["type"]);
    EXPECT_EQ(480, doc["ticks_per_beat"]);
    EXPECT_EQ(500000, doc["tempo"]);
    ASSERT_EQ(2u, doc["stops"].size());
    EXPECT_EQ(kPiano, doc["stops"][0]["text"]);
    EXPECT_EQ(kKit, doc["stops"][1]["text"]);
    const nlohmann::json piano = doc["stops"][0]["events"];
    EXPECT_EQ(nlohmann::json::parse("[[179,0,3],[179,32,0],[195,0],[147,60,100],[131,60,0]]"), piano);
    const nlohmann::json kit = doc["stops"][1]["events"];
    EXPECT_EQ(nlohmann::json::parse("[185,0,127]"), kit[0]);
    EXPECT_EQ(nlohmann::json::parse("[201,25]"), kit[2]);
    for (const auto& stop : doc["stops"])
        EXPECT_DOUBLE_EQ(2.5, stop["seconds"].get<double>());
}
