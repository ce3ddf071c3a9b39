#include "core/radio/tones.h"

#include <gtest/gtest.h>

#include <set>

namespace radioprog {
namespace {

TEST(DcsCodes, HundredAndSevenKnownOfWhichEightyThreeAreOffered) {
    EXPECT_EQ(KnownDcsCodes().size(), 107u);
    EXPECT_EQ(OfferedDcsCodes().size(), 83u);
    const std::set<int> known(KnownDcsCodes().begin(), KnownDcsCodes().end());
    EXPECT_EQ(known.size(), 107u);
}

TEST(DcsCodes, ValueIsTheCodeReadInOctalBothWays) {
    struct Case {
        int code;
        unsigned value;
    };
    const Case cases[] = {{23, 0x13},  {754, 492},   {17, 0x0F},
                          {371, 0xF9}, {411, 0x109}, {645, 0x1A5}};
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeDcs(c.value), c.code);
        EXPECT_EQ(EncodeDcsLowByte(c.code), c.value & 0xFF);
    }
    for (int code : KnownDcsCodes()) {
        const unsigned value = (code / 100) * 64 + (code / 10 % 10) * 8 + code % 10;
        ASSERT_EQ(DecodeDcs(value), code);
    }
}

TEST(DcsCodes, CodesOutsideTheSetConvertToZero) {
    EXPECT_EQ(DecodeDcs(0), 0);
    EXPECT_EQ(DecodeDcs(0x100), 0);  // octal 400 is not a code
    EXPECT_EQ(EncodeDcsLowByte(24), 0);
    EXPECT_EQ(EncodeDcsLowByte(999), 0);
    EXPECT_EQ(EncodeDcsLowByte(-1), 0);
    EXPECT_EQ(DecodeDcs(600), 0);
}

TEST(ToneList, HoldsNoneThirtyEightTonesAndEachOfferedCodeInBothPolarities) {
    for (Language language : {Language::English, Language::Chinese}) {
        const auto list = ToneList(language);
        ASSERT_EQ(list.size(), 205u);
        EXPECT_EQ(list[0], language == Language::English ? "None" : "无");
        EXPECT_EQ(list[1], "67.0");
        EXPECT_EQ(list[12], "100.0");
        EXPECT_EQ(list[38], "250.3");
        EXPECT_EQ(list[39], "D023N");
        EXPECT_EQ(list[121], "D754N");
        EXPECT_EQ(list[122], "D023I");
        EXPECT_EQ(list[204], "D754I");
    }
}

}  // namespace
}  // namespace radioprog
