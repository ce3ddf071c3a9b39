#include "base/text_number.h"

#include <gtest/gtest.h>

#include <cmath>

namespace radioprog {
namespace {

TEST(LeadingNumber, ReadsWhatAtofReads) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"145.0125", 145.0125},
        {"  145.5MHz", 145.5},
        {"+5", 5},
        {"-7.25", -7.25},
        {".5", 0.5},
        {"5.", 5},
        {"1e2", 100},
        {"1e", 1},
        {"2E+1x", 20},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {".", 0},
        {"inf", 0},
        {"nan", 0},
        {"0x10", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
    }
    EXPECT_EQ(LeadingNumber("1e999"), HUGE_VAL);
    EXPECT_EQ(LeadingNumber("1e-999"), 0.0);
}

TEST(LeadingInt, ReadsDigitsAndSaturates) {
    EXPECT_EQ(LeadingInt("023N"), 23);
    EXPECT_EQ(LeadingInt(" -5x"), -5);
    EXPECT_EQ(LeadingInt("N"), 0);
    EXPECT_EQ(LeadingInt("99999999999999999999"), INT32_MAX);
    EXPECT_EQ(LeadingInt("-99999999999999999999"), INT32_MIN);
}

TEST(FormatFixed, RoundsLikePrintf) {
    EXPECT_EQ(FormatFixed(145.0125, 5), "145.01250");
    EXPECT_EQ(FormatFixed(0.0, 5), "0.00000");
    EXPECT_EQ(FormatFixed(67.0, 1), "67.0");
    EXPECT_EQ(FormatFixed(250.3, 1), "250.3");
    EXPECT_EQ(FormatFixed(145.012499, 5), "145.01250");
}

TEST(ScanInt, ReturnsTheRestAfterTheNumber) {
    const auto scanned = ScanInt("136-174MHz");
    ASSERT_TRUE(scanned);
    EXPECT_EQ(scanned->value, 136);
    EXPECT_EQ(scanned->rest, "-174MHz");
    EXPECT_FALSE(ScanInt("MHz"));
}

}  // namespace
}  // namespace radioprog
