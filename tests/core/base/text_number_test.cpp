#include "core/base/text_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

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

TEST(ReadWholeNumber, TakesOnlyATextThatIsOneNumber) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"1.05", 1.05},
        {" 1.5\t", 1.5},
        {"+5", 5},
        {"-0.3", -0.3},
        {".5", 0.5},
        {"5.", 5},
        {"15e-1", 1.5},
        {"1E+2", 100},
        {"1e-999", 0.0},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"1e", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1 2", std::nullopt},
        {"1.5s", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
        {"1e999", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadWholeNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ReadWholeInt, TakesOnlyATextThatIsOneIntegerThatFits) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"300", 300},
        {" 007 ", 7},
        {"+12", 12},
        {"-5", -5},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"1.5", std::nullopt},
        {"12a", std::nullopt},
        {"1 2", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadWholeInt(c.text), c.value) << '"' << c.text << '"';
    }
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

TEST(ScanNumber, ReadsTheLeadingNumberAndReturnsTheRest) {
    struct Case {
        const char* text;
        double value;
        const char* rest;
    };
    const Case cases[] = {
        {"145.0125", 145.0125, ""},
        {" 145.5MHz", 145.5, "MHz"},
        {"1.2.3", 1.2, ".3"},
        {"-7.25 x", -7.25, " x"},
        {"1e", 1, "e"},
        {"2E+1x", 20, "x"},
        {"1e999", HUGE_VAL, ""},
        {"5.", 5, ""},
    };
    for (const Case& c : cases) {
        const auto scanned = ScanNumber(c.text);
        ASSERT_TRUE(scanned) << c.text;
        EXPECT_EQ(scanned->value, c.value) << c.text;
        EXPECT_EQ(scanned->rest, c.rest) << c.text;
    }
    for (const char* none : {"", " ", "abc", ".", "-", "inf"}) {
        EXPECT_FALSE(ScanNumber(none)) << '"' << none << '"';
    }
}

TEST(ReadPlainDecimal, TakesDigitsAndNothingElse) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"1", 1},
        {"16", 16},
        {"007", 7},
        {"2147483647", INT32_MAX},
        {"", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"+1", std::nullopt},
        {"-1", std::nullopt},
        {"0x1", std::nullopt},
        {"1e1", std::nullopt},
        {"2147483648", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadPlainDecimal(c.text), c.value) << '"' << c.text << '"';
    }
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
