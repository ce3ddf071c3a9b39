#include "core/radio/decimal_multiply.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/base/text_number.h"

namespace radioprog {
namespace {

TEST(DecimalMultiply, TypedDecimalsScaleToTheirExactCodes) {
    struct Case {
        double a, b;
        std::uint32_t truncated;
    };
    const Case cases[] = {
        {145.0125, 100000, 14501250},  // plain doubles give 14501249
        {145.00625, 100000, 14500625},
        {136.0, 100000, 13600000},
        {174.005, 100000, 17400500},
        {0.85 - 0.45, 20, 8},  // 0.39999999999999997 is 0.4 to 15 digits
        {67.0, 10, 670},
        {250.3, 10, 2503},
        {146.2, 10, 1462},
        {0.29, 100, 29},  // plain doubles give 28.999999999999996
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TruncateToUint32(DecimalMultiply(c.a, c.b)), c.truncated) << c.a << " x " << c.b;
    }
    EXPECT_LT(static_cast<std::uint32_t>(145.0125 * 100000), 14501250u);
}

TEST(DecimalMultiply, EveryFiveAndSixPointTwoFiveKilohertzStepOfTheBandScalesExactly) {
    for (std::uint32_t code = 13600000; code <= 17400000; code += 125) {
        if (code % 500 != 0 && code % 625 != 0) {
            continue;
        }
        const double typed = LeadingNumber(FormatFixed(code / 100000.0, 5));
        ASSERT_EQ(TruncateToUint32(DecimalMultiply(typed, 100000)), code);
    }
}

TEST(DecimalMultiply, KeepsSignsZeroAndExtremes) {
    EXPECT_EQ(DecimalMultiply(-145.0125, 100000), -14501250.0);
    EXPECT_EQ(DecimalMultiply(0.0, 1e300), 0.0);
    EXPECT_TRUE(std::isinf(DecimalMultiply(1e300, 1e300)));
    EXPECT_EQ(DecimalMultiply(1e-300, 1e-300), 0.0);
    EXPECT_TRUE(std::isnan(DecimalMultiply(std::nan(""), 2)));
}

TEST(Truncate, SaturatesInsteadOfWrapping) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(TruncateToUint32(-1.0), 0u);
    EXPECT_EQ(TruncateToUint32(std::nan("")), 0u);
    EXPECT_EQ(TruncateToUint32(4294967296.0 + 14000000.0), UINT32_MAX);
    EXPECT_EQ(TruncateToUint32(inf), UINT32_MAX);
    EXPECT_EQ(TruncateToUint32(4294967295.9), UINT32_MAX);
    EXPECT_EQ(TruncateToInt32(-inf), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(-670.9), -670);
    EXPECT_EQ(TruncateToInt32(1e10), INT32_MAX);
}

}  // namespace
}  // namespace radioprog
