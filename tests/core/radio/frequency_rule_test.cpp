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
        {" 150\t", V::Accepted, "150.00000", 15000000},
    };
    const BandLimits band(136, 174);
    for (const Case& c : cases) {
        const FrequencyEntry entry = CheckFrequency(c.typed, band);
        EXPECT_EQ(entry.verdict, c.verdict) << c.typed;
        EXPECT_EQ(entry.shownText, c.shown) << c.typed;
        EXPECT_EQ(entry.value10Hz, c.value) << c.typed;
    }
}

// A typed frequency is one number: a comma stands for the decimal point, and anything after
// the number is a mistyped value, refused with the step message whatever the band says.
TEST(FrequencyRule, TakesACommaForThePointAndRefusesTrailingCharacters) {
    struct Case {
        const char* typed;
        FrequencyVerdict verdict;
        std::uint32_t value;
    };
    using V = FrequencyVerdict;
    const Case cases[] = {
        {"145,0125", V::Accepted, 14501250},
        {"145,00625", V::Accepted, 14500625},
        {"145,0130", V::OffStep, 14501300},
        {"174,005", V::OutOfRange, 17400500},
        {"145.0125abc", V::OffStep, 14501250},
        {"145.0125.5", V::OffStep, 14501250},
        {"145,0125,5", V::OffStep, 14501250},
        {"145.0125 junk", V::OffStep, 14501250},
        {"150 MHz", V::OffStep, 15000000},
        {"1e", V::OffStep, 100000},
        {"0x91", V::OffStep, 0},
        {"999abc", V::OffStep, 99900000},
        {"1.45e2", V::Accepted, 14500000},
        {"", V::OutOfRange, 0},
        {",", V::OutOfRange, 0},
    };
    const BandLimits band(136, 174);
    for (const Case& c : cases) {
        const FrequencyEntry entry = CheckFrequency(c.typed, band);
        EXPECT_EQ(entry.verdict, c.verdict) << c.typed;
        EXPECT_EQ(entry.value10Hz, c.value) << c.typed;
    }
    EXPECT_EQ(CheckFrequency("145,0125", band).shownText, "145.01250");
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
