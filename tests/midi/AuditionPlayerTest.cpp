// The play key: a second press stops, another entry cuts the first off, All Notes Off on the
// channel used whenever something stops, nothing sent for what cannot be selected.
#include "midi/AuditionPlayer.h"

#include "support/RecordingMidiOutput.h"

#include <gtest/gtest.h>

namespace
{
using namespace std::chrono_literals;

class AuditionPlayerTest : public ::testing::Test
{
protected:
    CRecordingMidiOutput m_output;
    std::string m_error;
    CAuditionPlayer::Clock::time_point m_t0 = CAuditionPlayer::Clock::now();
};
} // namespace

TEST_F(AuditionPlayerTest, ASecondPressStopsAndAnotherEntryCutsTheFirstOff)
{
    CAuditionPlayer player(m_output);
    const AUDITION piano{false, 0, 3};
    const AUDITION kit{true, 25, 0};
    EXPECT_EQ(CAuditionPlayer::Started, player.Toggle(piano, 2, "128:0", m_error, m_t0));
    EXPECT_EQ("128:0", m_output.m_strOpen);
    EXPECT_TRUE(player.IsPlaying(m_t0 + 999ms));
    EXPECT_EQ(CAuditionPlayer::Stopped, player.Toggle(piano, 2, "128:0", m_error, m_t0 + 500ms));
    EXPECT_EQ((std::vector<std::vector<int>>{{2}}), m_output.m_stops);
    EXPECT_FALSE(player.IsPlaying(m_t0 + 500ms));

    // Pressed again it plays again; a drum set then cuts it off on its own channel first.
    EXPECT_EQ(CAuditionPlayer::Started, player.Toggle(piano, 2, "128:0", m_error, m_t0 + 600ms));
    EXPECT_EQ(CAuditionPlayer::Started, player.Toggle(kit, 2, "128:0", m_error, m_t0 + 700ms));
    EXPECT_EQ((std::vector<std::vector<int>>{{2}, {2}}), m_output.m_stops);
    ASSERT_EQ(3u, m_output.m_played.size());
    EXPECT_EQ(10, EventChannel(m_output.m_played[2][0]));
    // Once it has ended, the same key plays it again instead of stopping it.
    EXPECT_EQ(CAuditionPlayer::Started, player.Toggle(kit, 2, "128:0", m_error, m_t0 + 1800ms));
}

TEST_F(AuditionPlayerTest, ClosingThePlayerSilencesTheChannelUsed)
{
    {
        CAuditionPlayer player(m_output);
        player.Toggle({true, 0, 0}, 1, "128:0", m_error, m_t0);
    }
    EXPECT_EQ((std::vector<std::vector<int>>{{10}}), m_output.m_stops);
}

TEST_F(AuditionPlayerTest, WhatCannotBePlayedSendsNothingAndSaysWhy)
{
    CAuditionPlayer player(m_output);
    EXPECT_EQ(CAuditionPlayer::Refused, player.Toggle({false, 128, 0}, 1, "128:0", m_error, m_t0));
    EXPECT_EQ(CAuditionPlayer::Failed, player.Toggle({false, 1, 0}, 1, "99:0", m_error, m_t0));
    EXPECT_EQ("no such port: 99:0", m_error);
    m_output.m_strUnavailable = "No such file or directory";
    EXPECT_EQ(CAuditionPlayer::Failed, player.Toggle({false, 1, 0}, 1, "128:0", m_error, m_t0));
    EXPECT_EQ("No such file or directory", m_error);
    EXPECT_TRUE(m_output.m_played.empty());
    EXPECT_TRUE(m_output.m_stops.empty());
}
