#include "core/radio/optional_features.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/doc/program_doc.h"

namespace radioprog {
namespace {

using Items = std::vector<std::string>;

RadioImage Filled(std::uint8_t value) {
    RadioImage image;
    image.fill(value);
    return image;
}

RadioImage RandomImage(unsigned seed) {
    std::mt19937 random(seed);
    RadioImage image;
    for (std::uint8_t& byte : image) {
        byte = static_cast<std::uint8_t>(random());
    }
    return image;
}

std::vector<std::uint8_t> Bytes(const RadioImage& image, std::size_t at, std::size_t count) {
    return {image.begin() + static_cast<std::ptrdiff_t>(at),
            image.begin() + static_cast<std::ptrdiff_t>(at + count)};
}

TEST(OptionItems, EveryListInBothLanguages) {
    const Items off1to10{"Off", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    const Items guan1to10{"关", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    const Items delays{"0.3", "0.5", "1.0", "1.5", "2.0", "3.0"};
    const Items levels{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    struct Case {
        OptionList list;
        Items english;
        Items chinese;
    };
    const Case cases[] = {
        {OptionList::TotPreAlert, off1to10, guan1to10},
        {OptionList::SquelchLevel, levels, levels},
        {OptionList::VoiceAnnunciation, {"Off", "Chinese", "English"}, {"关", "中文", "英文"}},
        {OptionList::Vox, {"On", "Off"}, {"开", "关"}},
        {OptionList::VoxGainLevel, off1to10, guan1to10},
        {OptionList::VoxDelayTime, delays, delays},
        {OptionList::PttId, {"On", "Off"}, {"开", "关"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OptionItems(c.list, Language::English), c.english) << static_cast<int>(c.list);
        EXPECT_EQ(OptionItems(c.list, Language::Chinese), c.chinese) << static_cast<int>(c.list);
    }
    for (Language language : {Language::English, Language::Chinese}) {
        const Items timer = OptionItems(OptionList::TimeOutTimer, language);
        ASSERT_EQ(timer.size(), 40u);
        for (std::size_t i = 0; i < timer.size(); ++i) {
            EXPECT_EQ(timer[i], std::to_string(15 * (i + 1)));
        }
    }
}

TEST(OptionItems, TheTextOfASelection) {
    EXPECT_EQ(OptionItemText(OptionList::TimeOutTimer, 11, Language::English), "180");
    EXPECT_EQ(OptionItemText(OptionList::VoiceAnnunciation, 2, Language::Chinese), "英文");
    EXPECT_EQ(OptionItemText(OptionList::TimeOutTimer, kNoSelection, Language::English), "");
    EXPECT_EQ(OptionItemText(OptionList::Vox, 2, Language::English), "");
}

// The image a radio fresh from the dialog would hold when every option byte is 0xFF.
TEST(OptionalFeatures, AnAllFFImageOpensAndStoresAsTheDialogDoes) {
    RadioImage image = Filled(0xFF);
    const OptionalFeatures f = OptionalFeatures::Load(image);
    EXPECT_EQ(f.timeOutTimer, kNoSelection);
    EXPECT_EQ(f.totPreAlert, kNoSelection);
    EXPECT_EQ(f.squelchLevel, kNoSelection);
    EXPECT_EQ(f.voiceAnnunciation, kNoSelection);
    EXPECT_EQ(f.vox, kOffIndex);
    EXPECT_EQ(f.voxGainLevel, 0);
    EXPECT_EQ(f.voxDelayTime, 0);
    EXPECT_EQ(f.pttId, kOnIndex);
    EXPECT_TRUE(f.beep);
    EXPECT_TRUE(f.batterySaver);
    EXPECT_EQ(f.idCode, "");
    EXPECT_EQ(f.stunCode, "");
    EXPECT_TRUE(f.removeStunCode);

    f.Store(image);
    RadioImage expected = Filled(0xFF);
    expected[0x130] = 0x80;
    expected[0x131] = 0xF0;
    expected[0x139] = 0x00;
    expected[0x13A] = 0x00;
    expected[0x13B] = 0x00;
    for (std::size_t i = 0; i < 6; ++i) {
        expected[0x3B0 + i] = 0x00;
        expected[0x3C0 + i] = 0x00;
    }
    EXPECT_EQ(image, expected);
}

TEST(OptionalFeatures, LoadReadsEachByteByItsOwnBits) {
    struct Case {
        std::size_t at;
        std::uint8_t byte;
        int OptionalFeatures::*field;
        int expected;
    };
    const Case cases[] = {
        {0x130, 0x00, &OptionalFeatures::timeOutTimer, kNoSelection},
        {0x130, 0x01, &OptionalFeatures::timeOutTimer, 0},
        {0x130, 0x28, &OptionalFeatures::timeOutTimer, 39},  // code 40: "600"
        {0x130, 0xA8, &OptionalFeatures::timeOutTimer, 39},  // bit 7 is not the timer's
        {0x130, 0x29, &OptionalFeatures::timeOutTimer, kNoSelection},
        {0x131, 0x00, &OptionalFeatures::totPreAlert, kNoSelection},
        {0x131, 0x01, &OptionalFeatures::totPreAlert, 0},  // "Off"
        {0x131, 0xEB, &OptionalFeatures::totPreAlert, 10},
        {0x131, 0x0C, &OptionalFeatures::totPreAlert, kNoSelection},
        {0x134, 0x70, &OptionalFeatures::squelchLevel, 0},
        {0x134, 0x09, &OptionalFeatures::squelchLevel, 9},
        {0x134, 0x0A, &OptionalFeatures::squelchLevel, kNoSelection},
        {0x12F, 0xFC, &OptionalFeatures::voiceAnnunciation, 0},
        {0x12F, 0x06, &OptionalFeatures::voiceAnnunciation, 2},
        {0x12F, 0x03, &OptionalFeatures::voiceAnnunciation, kNoSelection},
        {0x139, 0x01, &OptionalFeatures::vox, kOnIndex},
        {0x139, 0x00, &OptionalFeatures::vox, kOffIndex},
        {0x139, 0x81, &OptionalFeatures::vox, kOffIndex},  // the whole byte must be 1
        {0x13A, 0x0A, &OptionalFeatures::voxGainLevel, 10},
        {0x13A, 0x0B, &OptionalFeatures::voxGainLevel, 0},  // falls back to "Off"
        {0x13B, 0x05, &OptionalFeatures::voxDelayTime, 5},
        {0x13B, 0x06, &OptionalFeatures::voxDelayTime, 0},  // falls back to "0.3"
        {0x3B8, 0xFE, &OptionalFeatures::pttId, kOffIndex},
        {0x3B8, 0x01, &OptionalFeatures::pttId, kOnIndex},
    };
    for (const Case& c : cases) {
        for (int background : {0x00, 0xFF}) {
            RadioImage image = Filled(static_cast<std::uint8_t>(background));
            image[c.at] = c.byte;
            EXPECT_EQ(OptionalFeatures::Load(image).*c.field, c.expected)
                << std::hex << c.at << " " << int{c.byte};
        }
    }
}

TEST(OptionalFeatures, CheckBoxesAndTheStunMarkerLoad) {
    struct Case {
        std::size_t at;
        std::uint8_t byte;
        bool OptionalFeatures::*box;
        bool ticked;
    };
    const Case cases[] = {
        {0x136, 0xFE, &OptionalFeatures::beep, false},
        {0x136, 0x01, &OptionalFeatures::beep, true},
        {0x135, 0xFE, &OptionalFeatures::batterySaver, false},
        {0x135, 0x01, &OptionalFeatures::batterySaver, true},
        {0x3B9, 0xA5, &OptionalFeatures::removeStunCode, false},
        {0x3B9, 0x00, &OptionalFeatures::removeStunCode, true},
        {0x3B9, 0xA4, &OptionalFeatures::removeStunCode, true},
    };
    for (const Case& c : cases) {
        RadioImage image = Filled(0x5A);
        image[c.at] = c.byte;
        EXPECT_EQ(OptionalFeatures::Load(image).*c.box, c.ticked)
            << std::hex << c.at << " " << int{c.byte};
    }
}

// Each list index, and no selection, goes into the image and comes back; bits other fields own
// and bits no field names keep what they held.
TEST(OptionalFeatures, EveryListValueSurvivesStoreAndLoad) {
    struct Field {
        OptionList list;
        int OptionalFeatures::*member;
        std::size_t at;
        std::uint8_t mask;
        int noSelectionLoadsAs;
    };
    const Field fields[] = {
        {OptionList::TimeOutTimer, &OptionalFeatures::timeOutTimer, 0x130, 0x7F, kNoSelection},
        {OptionList::TotPreAlert, &OptionalFeatures::totPreAlert, 0x131, 0x0F, kNoSelection},
        {OptionList::SquelchLevel, &OptionalFeatures::squelchLevel, 0x134, 0x0F, kNoSelection},
        {OptionList::VoiceAnnunciation, &OptionalFeatures::voiceAnnunciation, 0x12F, 0x03,
         kNoSelection},
        {OptionList::Vox, &OptionalFeatures::vox, 0x139, 0xFF, kOffIndex},
        {OptionList::VoxGainLevel, &OptionalFeatures::voxGainLevel, 0x13A, 0xFF, 0},
        {OptionList::VoxDelayTime, &OptionalFeatures::voxDelayTime, 0x13B, 0xFF, 0},
        {OptionList::PttId, &OptionalFeatures::pttId, 0x3B8, 0x01, kOffIndex},
    };
    for (const Field& field : fields) {
        const int count = static_cast<int>(OptionItems(field.list, Language::English).size());
        for (unsigned seed : {1u, 2u}) {
            const RadioImage before = RandomImage(seed);
            for (int index = kNoSelection; index < count; ++index) {
                RadioImage image = before;
                OptionalFeatures f = OptionalFeatures::Load(image);
                f.*field.member = index;
                f.Store(image);
                const int expected = index == kNoSelection ? field.noSelectionLoadsAs : index;
                EXPECT_EQ(OptionalFeatures::Load(image).*field.member, expected)
                    << std::hex << field.at << " " << std::dec << index;
                EXPECT_EQ(image[field.at] & ~field.mask, before[field.at] & ~field.mask)
                    << std::hex << field.at;
            }
        }
    }
}

// Whatever a byte holds, storing what was loaded keeps the bits the dialog does not own.
TEST(OptionalFeatures, BitsNoFieldNamesAreLeftAsFoundForEveryByteValue) {
    struct Owned {
        std::size_t at;
        std::uint8_t mask;
    };
    const Owned owned[] = {{0x12F, 0x03}, {0x130, 0x7F}, {0x131, 0x0F}, {0x134, 0x0F},
                           {0x135, 0x01}, {0x136, 0x01}, {0x3B8, 0x01}};
    for (int value = 0; value <= 0xFF; ++value) {
        RadioImage image = Filled(static_cast<std::uint8_t>(value));
        const RadioImage before = image;
        OptionalFeatures::Load(image).Store(image);
        for (const Owned& o : owned) {
            EXPECT_EQ(image[o.at] & ~o.mask, before[o.at] & ~o.mask)
                << std::hex << o.at << " " << value;
        }
    }
}

// With every option holding a value its control can show, opening and pressing OK changes no
// byte of the image.
TEST(OptionalFeatures, OkRightAfterOpeningAValidImageChangesNothing) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        RadioImage image = RandomImage(seed);
        const auto pick = [&random](int below) { return static_cast<int>(random() % below); };
        const auto keepHigh = [&image](std::size_t at, std::uint8_t mask, int low) {
            image[at] = static_cast<std::uint8_t>((image[at] & ~mask) | low);
        };
        keepHigh(0x130, 0x7F, 1 + pick(40));
        keepHigh(0x131, 0x0F, 1 + pick(11));
        keepHigh(0x134, 0x0F, pick(10));
        keepHigh(0x12F, 0x03, pick(3));
        image[0x139] = static_cast<std::uint8_t>(pick(2));
        image[0x13A] = static_cast<std::uint8_t>(pick(11));
        image[0x13B] = static_cast<std::uint8_t>(pick(6));
        image[0x3B9] = pick(2) == 0 ? 0xA5 : 0x00;
        for (std::size_t at : {std::size_t{0x3B0}, std::size_t{0x3C0}}) {
            const int length = pick(7);
            for (int i = 0; i < 6; ++i) {
                image[at + static_cast<std::size_t>(i)] =
                    i < length ? static_cast<std::uint8_t>(1 + pick(0xFE)) : 0x00;
            }
        }
        const RadioImage before = image;
        OptionalFeatures::Load(image).Store(image);
        EXPECT_EQ(image, before) << "seed " << seed;
    }
}

TEST(OptionalFeatures, ChoosingFifteenSecondsStoresCodeOneAndKeepsBitSeven) {
    RadioImage image = Filled(0x00);
    image[0x130] = 0xA8;
    OptionalFeatures f = OptionalFeatures::Load(image);
    EXPECT_EQ(OptionItemText(OptionList::TimeOutTimer, f.timeOutTimer, Language::English), "600");
    f.timeOutTimer = 0;
    f.Store(image);
    EXPECT_EQ(image[0x130], 0x81);
}

TEST(OptionalFeatures, AnIndexOutsideItsListStoresAsNoSelection) {
    RadioImage image = Filled(0x00);
    OptionalFeatures f = OptionalFeatures::Load(image);
    f.timeOutTimer = 40;
    f.totPreAlert = 200;
    f.squelchLevel = 10;
    f.voiceAnnunciation = -7;
    f.voxGainLevel = 11;
    f.voxDelayTime = 6;
    f.vox = 5;
    f.pttId = 2;
    f.Store(image);
    EXPECT_EQ(image[0x130], 0x00);
    EXPECT_EQ(image[0x131], 0x00);
    EXPECT_EQ(image[0x134], 0x0F);
    EXPECT_EQ(image[0x12F], 0x03);
    EXPECT_EQ(image[0x13A], 0x00);
    EXPECT_EQ(image[0x13B], 0x00);
    EXPECT_EQ(image[0x139], 0x00);
    EXPECT_EQ(image[0x3B8], 0x00);
}

TEST(OptionalFeatures, CodesLoadUpToTheirEnd) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::string text;
    };
    const Case cases[] = {
        {{0x31, 0x32, 0x00, 0x00, 0x00, 0x00}, "12"},
        {{0x31, 0x32, 0x33, 0x34, 0x35, 0x36}, "123456"},
        {{0x41, 0x20, 0x62, 0xFF, 0x39, 0x39}, "A b"},
        {{0x31, 0x00, 0x39, 0x39, 0x39, 0x39}, "1"},
        {{0xFF, 0x31, 0x32, 0x33, 0x34, 0x35}, ""},
        {{0xE9, 0x80, 0xFE, 0x00, 0x00, 0x00}, "\u00e9\u0080\u00fe"},
    };
    for (const Case& c : cases) {
        RadioImage image = Filled(0x37);  // the byte after each code must not be read
        std::copy(c.bytes.begin(), c.bytes.end(), image.begin() + 0x3B0);
        std::copy(c.bytes.begin(), c.bytes.end(), image.begin() + 0x3C0);
        const OptionalFeatures f = OptionalFeatures::Load(image);
        EXPECT_EQ(f.idCode, c.text);
        EXPECT_EQ(f.stunCode, c.text);
    }
}

TEST(OptionalFeatures, CodesStoreOneByteACharacterPaddedWithZeros) {
    struct Case {
        std::string text;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"12", {0x31, 0x32, 0x00, 0x00, 0x00, 0x00}},
        {"", {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {"a b C", {0x61, 0x20, 0x62, 0x20, 0x43, 0x00}},
        {"1234567", {0x31, 0x32, 0x33, 0x34, 0x35, 0x36}},
        {"\u00e9t\u00e9", {0xE9, 0x74, 0xE9, 0x00, 0x00, 0x00}},
        {"中1文2", {0x31, 0x32, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        RadioImage image = Filled(0xFF);
        OptionalFeatures f = OptionalFeatures::Load(image);
        f.idCode = c.text;
        f.stunCode = c.text;
        f.Store(image);
        EXPECT_EQ(Bytes(image, 0x3B0, 6), c.bytes) << c.text;
        EXPECT_EQ(Bytes(image, 0x3C0, 6), c.bytes) << c.text;
        EXPECT_EQ(image[0x3B6], 0xFF);
        EXPECT_EQ(image[0x3C6], 0xFF);
    }
}

TEST(OptionalFeatures, EveryByteACodeCanHoldSurvivesLoadAndStore) {
    for (int first = 0x01; first <= 0xFE; first += 6) {
        RadioImage image = Filled(0xFF);
        for (std::size_t i = 0; i < 6; ++i) {
            image[0x3B0 + i] =
                static_cast<std::uint8_t>(std::min(0xFE, first + static_cast<int>(i)));
        }
        const RadioImage before = image;
        OptionalFeatures f = OptionalFeatures::Load(image);
        EXPECT_EQ(AcceptCodeText(f.idCode), f.idCode);
        f.Store(image);
        EXPECT_EQ(Bytes(image, 0x3B0, 6), Bytes(before, 0x3B0, 6)) << first;
    }
}

TEST(AcceptCodeText, KeepsSixOneByteCharacters) {
    struct Case {
        std::string typed;
        std::string kept;
    };
    const Case cases[] = {
        {"123456", "123456"},
        {"1234567", "123456"},
        {"Ab 1-#", "Ab 1-#"},
        {"中文", ""},
        {"1中2文3", "123"},
        {"\u00ff1\u00fe", "1\u00fe"},  // U+00FF would read back as the end of the code
        {std::string("1\0002", 3), "12"},
        {"\xff\xfe\x80"
         "7",
         "7"},  // bytes that are no UTF-8
        {"\xc3", ""},
        {"ab\U0001F600cd", "abcd"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AcceptCodeText(c.typed), c.kept) << c.typed;
    }
}

TEST(OptionalFeatures, RemoveStunCodeRewritesTheMarkerOnlyWhenItMeansSomething) {
    struct Case {
        std::uint8_t before;
        bool ticked;
        std::uint8_t after;
    };
    const Case cases[] = {
        {0xA5, false, 0xA5}, {0xA5, true, 0x00}, {0x00, true, 0x00},
        {0x00, false, 0xA5}, {0xFF, true, 0xFF}, {0x3C, true, 0x3C},
    };
    for (const Case& c : cases) {
        RadioImage image = Filled(0x00);
        image[0x3B9] = c.before;
        OptionalFeatures f = OptionalFeatures::Load(image);
        f.removeStunCode = c.ticked;
        f.Store(image);
        EXPECT_EQ(image[0x3B9], c.after) << int{c.before} << " " << c.ticked;
    }
}

TEST(OptionalFeatures, CheckBoxesChangeOnlyBitZero) {
    RadioImage image = Filled(0x00);
    image[0x135] = 0xAA;
    image[0x136] = 0x55;
    OptionalFeatures f = OptionalFeatures::Load(image);
    EXPECT_FALSE(f.batterySaver);
    EXPECT_TRUE(f.beep);
    f.batterySaver = true;
    f.beep = false;
    f.Store(image);
    EXPECT_EQ(image[0x135], 0xAB);
    EXPECT_EQ(image[0x136], 0x54);
}

TEST(OptionalFeatures, StoreWritesNoByteOutsideTheOptions) {
    const std::size_t owned[] = {0x12F, 0x130, 0x131, 0x134, 0x135, 0x136, 0x139, 0x13A,
                                 0x13B, 0x3B0, 0x3B1, 0x3B2, 0x3B3, 0x3B4, 0x3B5, 0x3B8,
                                 0x3B9, 0x3C0, 0x3C1, 0x3C2, 0x3C3, 0x3C4, 0x3C5};
    RadioImage image = RandomImage(7);
    const RadioImage before = image;
    OptionalFeatures f;
    f.timeOutTimer = 3;
    f.idCode = "999999";
    f.beep = true;
    f.Store(image);
    for (std::size_t at = 0; at < image.size(); ++at) {
        if (std::find(std::begin(owned), std::end(owned), at) == std::end(owned)) {
            ASSERT_EQ(image[at], before[at]) << std::hex << at;
        }
    }
}

TEST(OptionalFeatures, ANewDocumentOpensWithItsDefaults) {
    const OptionalFeatures f = OptionalFeatures::Load(NewRadioImage({0x12, 0x34, 0x56}));
    EXPECT_EQ(OptionItemText(OptionList::TimeOutTimer, f.timeOutTimer, Language::English), "60");
    EXPECT_EQ(OptionItemText(OptionList::TotPreAlert, f.totPreAlert, Language::English), "8");
    EXPECT_EQ(f.squelchLevel, 4);
    EXPECT_EQ(OptionItemText(OptionList::VoiceAnnunciation, f.voiceAnnunciation, Language::Chinese),
              "中文");
    EXPECT_EQ(f.vox, kOffIndex);
    EXPECT_EQ(f.voxGainLevel, 5);
    EXPECT_EQ(OptionItemText(OptionList::VoxDelayTime, f.voxDelayTime, Language::English), "1.0");
    EXPECT_EQ(f.pttId, kOffIndex);
    EXPECT_TRUE(f.beep);
    EXPECT_TRUE(f.batterySaver);
    EXPECT_TRUE(f.removeStunCode);
}

}  // namespace
}  // namespace radioprog
