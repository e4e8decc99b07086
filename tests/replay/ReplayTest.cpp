// A level replayed twice from the same script gives the same state, frame for frame at
// the end; a shorter one gives another. (scripts/test also compares the hash of the
// release build with the sanitizer build's, through tools/replay_hash.cpp.)
#include <gtest/gtest.h>

#include "Replay.h"

TEST(Replay, TheSameScriptGivesTheSameStateHash) {
    const uint64_t first = replay::Play(replay::kLevel, replay::kFrames);
    const uint64_t second = replay::Play(replay::kLevel, replay::kFrames);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, replay::Play(replay::kLevel, replay::kFrames - 1)) << "the hash does not see play";
}
