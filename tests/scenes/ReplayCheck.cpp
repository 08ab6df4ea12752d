// The gtest check of a cut's playback (WorldRun.h); kept apart so that the
// render benchmark can use WorldRun without linking GoogleTest.

#include <gtest/gtest.h>

#include "tests/scenes/WorldRun.h"

namespace hubtest {

void ExpectReplayed(const std::vector<TimedSound>& recorded, const std::vector<TimedSound>& replayed, uint32_t slackMs) {
    ASSERT_EQ(replayed.size(), recorded.size());
    for (size_t i = 0; i < recorded.size(); ++i) {
        EXPECT_EQ(replayed[i].file, recorded[i].file) << i;
        EXPECT_GE(replayed[i].gap, recorded[i].gap) << i;
        EXPECT_LE(replayed[i].gap, recorded[i].gap + slackMs) << i;
    }
}

}  // namespace hubtest
