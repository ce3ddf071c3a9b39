#include "core/radio/frequency_rule.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

TEST(FrequencyRule, ChecksBandEdgesAndSteps) {
    struct Case {
        const char* typed;
        FrequencyVerdict verdict;
        const char* shown;
        std::uint32_t value;
    };
    using V = FrequencyVerdict;
    const Case cases[] = {
        {"145.0125", V::Accepted, "145.01250", 14501250},
        {"145.00625", V::Accepted, "145.00625", 14500625},
        {"145.0130", V::OffStep, "145.01300", 14501300},
        {"145.012499", V::OffStep, "145.01250", 14501249},  // the typed value counts, not the text
        {"145.512", V::OffStep, "145.51200", 14551200},
        {"136", V::Accepted, "136.00000", 13600000},
        {"174", V::Accepted, "174.00000", 17400000},
        {"174.005", V::OutOfRange, "174.00500", 17400500},
        {"135.995", V::OutOfRange, "135.99500", 13599500},
        {"abc", V::OutOfRange, "0.00000", 0},
        {"-145", V::OutOfRange, "-145.00000", 0},
        {"42949.81296", V::OutOfRange, "42949.81296", UINT32_MAX},  // would wrap to 140 MHz
        {"150 MHz", V::Accepted, "150.00000", 15000000},
    };
    const BandLimits band(136, 174);
    for (const Case& c : cases) {
        const FrequencyEntry entry = CheckFrequency(c.typed, band);
        EXPECT_EQ(entry.verdict, c.verdict) << c.typed;
        EXPECT_EQ(entry.shownText, c.shown) << c.typed;
        EXPECT_EQ(entry.value10Hz, c.value) << c.typed;
    }
}

TEST(FrequencyRule, FollowsTheBandInUse) {
    const BandLimits uhf(400, 470);
    EXPECT_EQ(CheckFrequency("145.000", uhf).verdict, FrequencyVerdict::OutOfRange);
    EXPECT_EQ(CheckFrequency("433.025", uhf).verdict, FrequencyVerdict::Accepted);
    const BandLimits single(150, 150);
    EXPECT_EQ(CheckFrequency("150", single).verdict, FrequencyVerdict::Accepted);
    EXPECT_EQ(CheckFrequency("150.005", single).verdict, FrequencyVerdict::OutOfRange);
}

}  // namespace
}  // namespace radioprog
