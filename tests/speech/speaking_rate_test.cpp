#include "speech/speaking_rate.h"

#include <gtest/gtest.h>

#include "speech/voice.h"

using namespace lorvane::speech;

TEST(SpeakingRate, EveryStepIsItsOwnSpeedWithinEspeaksRange) {
    EXPECT_EQ(wordsPerMinute(Voice::kMinRate), 80);
    EXPECT_EQ(wordsPerMinute(0), 175);
    EXPECT_EQ(wordsPerMinute(Voice::kMaxRate), 450);
    for (int rate = Voice::kMinRate; rate < Voice::kMaxRate; ++rate) {
        const int slower = wordsPerMinute(rate);
        const int faster = wordsPerMinute(rate + 1);
        EXPECT_GT(faster, slower) << "rate " << rate;
        // Neighbouring steps differ by a noticeable, similar part.
        EXPECT_GT(faster * 100, slower * 105) << "rate " << rate;
        EXPECT_LT(faster * 100, slower * 112) << "rate " << rate;
    }
}

TEST(SpeakingRate, ARateBeyondTheEndsCountsAsTheEnd) {
    EXPECT_EQ(wordsPerMinute(-11), 80);
    EXPECT_EQ(wordsPerMinute(1000), 450);
}
