#include "core/radio/scan_info.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/doc/program_doc.h"
#include "core/radio/channel_record.h"
#include "core/radio/text_grid.h"

namespace radioprog {
namespace {

using Items = std::vector<std::string>;
using ScanBytes = std::array<std::uint8_t, 9>;

constexpr std::size_t kScan = 0x160;
constexpr auto kEnglish = Language::English;

// An image with no channel programmed except those named, and the scan bytes given.
RadioImage ImageWith(const ScanBytes& scan, std::initializer_list<int> programmed = {}) {
    RadioImage image;
    image.fill(0xFF);
    std::copy(scan.begin(), scan.end(), image.begin() + kScan);
    for (int channel : programmed) {
        ChannelRecordWriter(image, channel).SetRxFrequency(14500000);
    }
    return image;
}

ScanBytes ScanOf(const RadioImage& image) {
    ScanBytes bytes;
    std::copy(image.begin() + kScan, image.begin() + kScan + 9, bytes.begin());
    return bytes;
}

std::string& Text(ScanInfo& info, ScanField field) {
    switch (field) {
        case ScanField::PriorityChannel:
            return info.priorityChannel;
        case ScanField::LookBackTimeA:
            return info.lookBackTimeA;
        case ScanField::LookBackTimeB:
            return info.lookBackTimeB;
        case ScanField::DropoutDelayTime:
            return info.dropoutDelayTime;
        case ScanField::TxDwellTime:
            break;
    }
    return info.txDwellTime;
}

// Controls that read without complaint; each test changes what it is about.
ScanInfo Fixed(const std::string& channel) {
    ScanInfo info;
    info.SelectPriority(kPriorityFixed);
    info.priorityChannel = channel;
    info.lookBackTimeA = "1";
    info.lookBackTimeB = "0.5";
    info.dropoutDelayTime = "300";
    info.txDwellTime = "10";
    return info;
}

TEST(ScanInfo, OpensWithFixedPriority) {
    const RadioImage image = ImageWith({0x01, 0x05, 0x0B, 0x01, 0x02, 0x2C, 0x01, 0x0A, 0x00}, {5});
    const ScanInfo info = ScanInfo::Load(image);
    EXPECT_EQ(info.priority, kPriorityFixed);
    EXPECT_EQ(info.priorityChannel, " 5");
    EXPECT_EQ(info.lookBackTimeA, "1");
    EXPECT_EQ(info.lookBackTimeB, "0.5");
    EXPECT_EQ(SelectedItem(RevertItems(info.priority, kEnglish), info.revertChannel), "Priority");
    EXPECT_EQ(RevertItems(info.priority, kEnglish).size(), 4u);
    EXPECT_EQ(info.dropoutDelayTime, "300");
    EXPECT_EQ(info.txDwellTime, "10");
    EXPECT_TRUE(PriorityFieldsEnabled(info.priority));
}

TEST(ScanInfo, OpensWithSelectedPriorityAndStoresTheRevertCodeBack) {
    RadioImage image = ImageWith({0x02, 0x05, 0x0B, 0x01, 0x02, 0x2C, 0x01, 0x0A, 0x00});
    ScanInfo info = ScanInfo::Load(image);
    EXPECT_EQ(info.priorityChannel, "");
    EXPECT_FALSE(PriorityFieldsEnabled(info.priority));
    EXPECT_EQ(RevertItems(info.priority, kEnglish), (Items{"Priority", "Priority+Talk back"}));
    EXPECT_EQ(info.revertChannel, 0);
    const RadioImage before = image;
    EXPECT_EQ(info.Ok(image, kEnglish), std::nullopt);
    EXPECT_EQ(image, before);
    EXPECT_EQ(image[0x164], 0x02);
}

TEST(ScanInfo, OpensEveryPriorityByte) {
    struct Case {
        std::uint8_t priority;
        std::uint8_t revert;
        int expectedPriority;
        std::string channel;
        int expectedRevert;
    };
    const Case cases[] = {
        {0x00, 0x01, kPriorityNone, "", 1},
        {0x00, 0x02, kPriorityNone, "", kNoSelection},
        {0x01, 0x03, kPriorityFixed, "17", 3},
        {0x02, 0x03, kPrioritySelected, "", 1},
        {0x02, 0x01, kPrioritySelected, "", kNoSelection},
        // Nothing selected: the channel is shown, the list is Selected's, the code unshifted.
        {0x03, 0x01, kNoSelection, "17", 1},
        {0xFF, 0x02, kNoSelection, "17", kNoSelection},
    };
    for (const Case& c : cases) {
        const ScanInfo info =
            ScanInfo::Load(ImageWith({c.priority, 0x11, 0x09, 0x15, c.revert, 0, 0, 0, 0}));
        EXPECT_EQ(info.priority, c.expectedPriority) << int{c.priority};
        EXPECT_EQ(info.priorityChannel, c.channel) << int{c.priority};
        EXPECT_EQ(info.revertChannel, c.expectedRevert) << int{c.priority} << " " << int{c.revert};
    }
}

TEST(ScanInfo, ANewDocumentOpensAndOkKeepsEveryByte) {
    RadioImage image = NewRadioImage({0x00, 0x00, 0x00});
    ScanInfo info = ScanInfo::Load(image);
    EXPECT_EQ(info.priority, kPriorityNone);
    EXPECT_EQ(info.lookBackTimeA, "0.9");
    EXPECT_EQ(info.lookBackTimeB, "1.5");
    EXPECT_EQ(info.revertChannel, kNoSelection);
    EXPECT_EQ(info.dropoutDelayTime, "48");
    EXPECT_EQ(info.txDwellTime, "48");
    const RadioImage before = image;
    EXPECT_EQ(info.Ok(image, kEnglish), std::nullopt);
    EXPECT_EQ(image, before);
}

// Look-back codes 0..255 all show a time that stores the same code again, and so do the
// 16-bit times and every priority and revert combination.
TEST(ScanInfo, EveryStoredValueSurvivesOpenAndOk) {
    for (int code = 0; code <= 0xFF; ++code) {
        const auto c = static_cast<std::uint8_t>(code);
        RadioImage image = ImageWith({0x00, 0x00, c, static_cast<std::uint8_t>(0xFF - code), 0x01,
                                      c, static_cast<std::uint8_t>(code ^ 0x5A), 0xFF, c});
        const RadioImage before = image;
        ASSERT_EQ(ScanInfo::Load(image).Ok(image, kEnglish), std::nullopt);
        EXPECT_EQ(ScanOf(image), ScanOf(before)) << code;
    }
    for (std::uint8_t priority = 0; priority < 3; ++priority) {
        for (std::uint8_t revert = 0; revert < 4; ++revert) {
            RadioImage image = ImageWith({priority, 0x07, 1, 1, revert, 0, 0, 0, 0}, {7});
            ScanInfo info = ScanInfo::Load(image);
            if (info.revertChannel == kNoSelection) {
                continue;  // a code the priority's list does not offer
            }
            const RadioImage before = image;
            ASSERT_EQ(info.Ok(image, kEnglish), std::nullopt);
            EXPECT_EQ(image, before) << int{priority} << " " << int{revert};
        }
    }
}

TEST(ScanInfo, ChoosingAPriorityRefillsTheRevertList) {
    struct Case {
        int priority;
        Items english;
        Items chinese;
        bool enabled;
        std::string channel;
    };
    const Case cases[] = {
        {kPriorityNone, {"Selected", "Selected+Talk back"}, {"选定", "选定+当前通话"}, false, ""},
        {kPriorityFixed,
         {"Selected", "Selected+Talk back", "Priority", "Priority+Talk back"},
         {"选定", "选定+当前通话", "优先", "优先+当前通话"},
         true,
         " 5"},
        {kPrioritySelected,
         {"Priority", "Priority+Talk back"},
         {"优先", "优先+当前通话"},
         false,
         ""},
        {kNoSelection, {"Priority", "Priority+Talk back"}, {"优先", "优先+当前通话"}, false, ""},
    };
    for (const Case& c : cases) {
        ScanInfo info = Fixed(" 5");
        info.revertChannel = 3;
        info.SelectPriority(c.priority);
        EXPECT_EQ(info.priority, c.priority);
        EXPECT_EQ(RevertItems(info.priority, kEnglish), c.english);
        EXPECT_EQ(RevertItems(info.priority, Language::Chinese), c.chinese);
        EXPECT_EQ(info.revertChannel, 0);
        EXPECT_EQ(PriorityFieldsEnabled(info.priority), c.enabled);
        EXPECT_EQ(info.priorityChannel, c.channel);
        EXPECT_EQ(info.lookBackTimeA, "1");  // disabled, not emptied
    }
    ScanInfo info;
    info.SelectPriority(3);
    EXPECT_EQ(info.priority, kNoSelection);
    EXPECT_EQ(PriorityItems(kEnglish), (Items{"None", "Fixed", "Selected"}));
    EXPECT_EQ(PriorityItems(Language::Chinese).size(), 3u);
}

TEST(ScanInfo, SpinArrows) {
    struct Case {
        ScanField field;
        const char* before;
        SpinArrow arrow;
        const char* after;
    };
    const Case cases[] = {
        {ScanField::LookBackTimeA, "5", SpinArrow::Down, "0.5"},
        {ScanField::LookBackTimeA, "0.5", SpinArrow::Up, "5"},
        {ScanField::LookBackTimeA, "1", SpinArrow::Up, "0.95"},
        {ScanField::LookBackTimeA, "1", SpinArrow::Down, "1.05"},
        {ScanField::LookBackTimeB, "4.97", SpinArrow::Down, "0.5"},
        {ScanField::LookBackTimeB, "0.3", SpinArrow::Down, "0.5"},
        {ScanField::LookBackTimeB, "7", SpinArrow::Up, "5"},
        {ScanField::LookBackTimeB, "1.03", SpinArrow::Down, "1.05"},
        {ScanField::LookBackTimeB, "1.03", SpinArrow::Up, "1"},
        {ScanField::LookBackTimeA, "0.55", SpinArrow::Up, "0.5"},
        {ScanField::LookBackTimeA, "4.95", SpinArrow::Down, "5"},
        {ScanField::DropoutDelayTime, "0", SpinArrow::Up, "300"},
        {ScanField::DropoutDelayTime, "300", SpinArrow::Down, "0"},
        {ScanField::DropoutDelayTime, "5", SpinArrow::Up, "4"},
        {ScanField::TxDwellTime, "299", SpinArrow::Down, "300"},
        {ScanField::TxDwellTime, "1000", SpinArrow::Down, "0"},
        {ScanField::TxDwellTime, "1000", SpinArrow::Up, "999"},
        {ScanField::TxDwellTime, "2147483647", SpinArrow::Down, "0"},
        {ScanField::TxDwellTime, "-2147483648", SpinArrow::Up, "300"},
    };
    for (const Case& c : cases) {
        ScanInfo info = Fixed("3");
        Text(info, c.field) = c.before;
        ScanInfo expected = info;
        Text(expected, c.field) = c.after;
        EXPECT_EQ(info.Spin(c.field, c.arrow, kEnglish), std::nullopt) << c.before;
        EXPECT_EQ(info, expected) << c.before << (c.arrow == SpinArrow::Up ? " up" : " down");
    }
}

TEST(ScanInfo, LeavingAField) {
    struct Case {
        ScanField field;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {ScanField::LookBackTimeA, "1.03", "1"},     {ScanField::LookBackTimeA, "7", "5"},
        {ScanField::LookBackTimeB, "0.2", "0.5"},    {ScanField::LookBackTimeB, "1.05", "1.05"},
        {ScanField::LookBackTimeA, "0.45", "0.5"},   {ScanField::LookBackTimeA, "4.999", "4.95"},
        {ScanField::DropoutDelayTime, "301", "300"}, {ScanField::DropoutDelayTime, "-1", "0"},
        {ScanField::TxDwellTime, "150", "150"},      {ScanField::PriorityChannel, "x", "x"},
    };
    for (const Case& c : cases) {
        ScanInfo info = Fixed("3");
        Text(info, c.field) = c.before;
        ScanInfo expected = info;
        Text(expected, c.field) = c.after;
        EXPECT_EQ(info.LeaveField(c.field, kEnglish), std::nullopt) << c.before;
        EXPECT_EQ(info, expected) << c.before;
    }
}

TEST(ScanInfo, ASpinShowsEveryFieldInItsOwnForm) {
    ScanInfo info = Fixed("3");
    info.lookBackTimeB = " 1.50 ";
    info.txDwellTime = "007";
    info.dropoutDelayTime = "+12";
    ASSERT_EQ(info.Spin(ScanField::LookBackTimeA, SpinArrow::Down, kEnglish), std::nullopt);
    EXPECT_EQ(info.lookBackTimeA, "1.05");
    EXPECT_EQ(info.lookBackTimeB, "1.5");
    EXPECT_EQ(info.txDwellTime, "7");
    EXPECT_EQ(info.dropoutDelayTime, "12");
    EXPECT_EQ(info.priorityChannel, "3");
}

// A field that does not read stops spins, focus changes and OK alike: the first such field in
// reading order is reported and every text stays as typed.
TEST(ScanInfo, AFieldThatDoesNotReadIsReportedAndNothingChanges) {
    struct Case {
        std::vector<std::pair<ScanField, std::string>> typed;
        ScanField reported;
        const char* english;
        const char* chinese;
    };
    const Case cases[] = {
        {{{ScanField::LookBackTimeA, "abc"}},
         ScanField::LookBackTimeA,
         "Please enter a number.",
         "请输入一个数字。"},
        {{{ScanField::LookBackTimeA, ""}},
         ScanField::LookBackTimeA,
         "Please enter a number.",
         "请输入一个数字。"},
        {{{ScanField::LookBackTimeB, "1.2.3"}},
         ScanField::LookBackTimeB,
         "Please enter a number.",
         "请输入一个数字。"},
        {{{ScanField::LookBackTimeB, "inf"}},
         ScanField::LookBackTimeB,
         "Please enter a number.",
         "请输入一个数字。"},
        {{{ScanField::LookBackTimeB, "1e999"}},
         ScanField::LookBackTimeB,
         "Please enter a number.",
         "请输入一个数字。"},
        {{{ScanField::LookBackTimeA, "1e"}},
         ScanField::LookBackTimeA,
         "Please enter a number.",
         "请输入一个数字。"},
        {{{ScanField::TxDwellTime, "12a"}},
         ScanField::TxDwellTime,
         "Please enter an integer.",
         "请输入一个整数。"},
        {{{ScanField::DropoutDelayTime, ""}},
         ScanField::DropoutDelayTime,
         "Please enter an integer.",
         "请输入一个整数。"},
        {{{ScanField::DropoutDelayTime, "2147483648"}},
         ScanField::DropoutDelayTime,
         "Please enter an integer.",
         "请输入一个整数。"},
        {{{ScanField::DropoutDelayTime, "1.5"}},
         ScanField::DropoutDelayTime,
         "Please enter an integer.",
         "请输入一个整数。"},
        {{{ScanField::PriorityChannel, "123"}},
         ScanField::PriorityChannel,
         "Please enter no more than 2 characters.",
         "请输入不超过2个字符。"},
        {{{ScanField::PriorityChannel, "信道1"}},
         ScanField::PriorityChannel,
         "Please enter no more than 2 characters.",
         "请输入不超过2个字符。"},
        {{{ScanField::PriorityChannel, "123"}, {ScanField::DropoutDelayTime, "x"}},
         ScanField::DropoutDelayTime,
         "Please enter an integer.",
         "请输入一个整数。"},
        {{{ScanField::DropoutDelayTime, "x"}, {ScanField::TxDwellTime, "y"}},
         ScanField::TxDwellTime,
         "Please enter an integer.",
         "请输入一个整数。"},
        {{{ScanField::TxDwellTime, "y"}, {ScanField::LookBackTimeB, "z"}},
         ScanField::LookBackTimeB,
         "Please enter a number.",
         "请输入一个数字。"},
    };
    const RadioImage image = ImageWith({0x01, 0x03, 1, 1, 0, 0, 0, 0, 0}, {3});
    for (const Case& c : cases) {
        ScanInfo info = Fixed("3");
        for (const auto& [field, text] : c.typed) {
            Text(info, field) = text;
        }
        const ScanInfo typed = info;
        for (Language language : {kEnglish, Language::Chinese}) {
            const ScanFieldError expected{c.reported, language == kEnglish ? c.english : c.chinese};
            EXPECT_EQ(info.Spin(ScanField::LookBackTimeA, SpinArrow::Up, language), expected);
            EXPECT_EQ(info.LeaveField(ScanField::TxDwellTime, language), expected);
            RadioImage stored = image;
            EXPECT_EQ(info.Ok(stored, language), expected);
            EXPECT_EQ(stored, image);
            EXPECT_EQ(info, typed);
        }
    }
}

TEST(ScanInfo, NumbersReadWithBlanksSignsAndExponents) {
    const char* numbers[] = {" 1.5", "1.5 ", "+1.5", "15e-1", ".15E1", "1.50"};
    for (const char* text : numbers) {
        ScanInfo info = Fixed("3");
        info.lookBackTimeA = text;
        EXPECT_EQ(info.LeaveField(ScanField::LookBackTimeA, kEnglish), std::nullopt) << text;
        EXPECT_EQ(info.lookBackTimeA, "1.5") << text;
    }
}

TEST(ScanInfo, FixedPriorityNeedsAProgrammedChannel) {
    struct Case {
        const char* channel;
        bool stored;
    };
    const Case cases[] = {
        {"17", false}, {"0", false}, {"", false},  {"4", false}, {"-3", false}, {"+3", false},
        {"3", true},   {" 3", true}, {"3x", true}, {"16", true}, {"03", true},
    };
    const RadioImage image = ImageWith({0x00, 0x01, 1, 1, 0, 0, 0, 0, 0}, {3, 16});
    for (const Case& c : cases) {
        for (Language language : {kEnglish, Language::Chinese}) {
            ScanInfo info = Fixed(c.channel);
            RadioImage stored = image;
            const auto error = info.Ok(stored, language);
            if (c.stored) {
                EXPECT_EQ(error, std::nullopt) << c.channel;
                EXPECT_EQ(stored[0x161], std::string(c.channel) == "16" ? 16 : 3) << c.channel;
                EXPECT_EQ(stored[0x160], 0x01);
            } else {
                const ScanFieldError expected{
                    ScanField::PriorityChannel,
                    language == kEnglish ? "Please select channel inputed" : "请选择已输入的信道"};
                EXPECT_EQ(error, expected) << c.channel;
                EXPECT_EQ(stored, image) << c.channel;
            }
        }
    }
}

TEST(ScanInfo, OnlyFixedPriorityChecksAndStoresTheChannel) {
    for (int priority : {kPriorityNone, kPrioritySelected, kNoSelection}) {
        RadioImage image = ImageWith({0x01, 0x09, 1, 1, 0, 0, 0, 0, 0});
        ScanInfo info = Fixed("");
        info.SelectPriority(priority);
        ASSERT_EQ(info.Ok(image, kEnglish), std::nullopt) << priority;
        EXPECT_EQ(image[0x160], static_cast<std::uint8_t>(priority));
        EXPECT_EQ(image[0x161], 0x09);
    }
}

TEST(ScanInfo, ARefusedChannelLosesItsSelectedPart) {
    struct Case {
        const char* channel;
        TextSelection selection;
        const char* after;
    };
    const Case cases[] = {
        {"17", {0, 2}, ""},  {"17", {1, 1}, "1"},  {"17", {0, 0}, "17"},
        {"17", {1, 5}, "1"}, {"99", {4, 1}, "99"}, {"零1", {0, 1}, "1"},
    };
    for (const Case& c : cases) {
        RadioImage image = ImageWith({0x01, 0x01, 1, 1, 0, 0, 0, 0, 0});
        ScanInfo info = Fixed(c.channel);
        ASSERT_TRUE(info.Ok(image, kEnglish, c.selection).has_value()) << c.channel;
        EXPECT_EQ(info.priorityChannel, c.after) << c.channel;
    }
}

TEST(ScanInfo, OkStoresEachTimeThroughTheDecimalProduct) {
    struct Case {
        const char* typed;
        std::uint8_t code;
    };
    const Case cases[] = {
        {"1.05", 12}, {"5", 91},     {"0.5", 1},  {"0.85", 8},  {"0.45", 0},  {"1.03", 11},
        {"0.41", 0},  {"13.2", 255}, {"2.2", 35}, {"4.95", 90}, {"5.5", 101},  // typed and
                                                                               // confirmed without
                                                                               // leaving the field:
                                                                               // not limited
    };
    for (const Case& c : cases) {
        RadioImage image = ImageWith({0x00, 0x00, 0, 0, 0, 0, 0, 0, 0});
        ScanInfo info = Fixed("");
        info.SelectPriority(kPriorityNone);
        info.lookBackTimeA = c.typed;
        info.lookBackTimeB = c.typed;
        ASSERT_EQ(info.Ok(image, kEnglish), std::nullopt);
        EXPECT_EQ(image[0x162], c.code) << c.typed;
        EXPECT_EQ(image[0x163], c.code) << c.typed;
    }
}

TEST(ScanInfo, OkStoresTheTimesLittleEndian) {
    struct Case {
        const char* typed;
        std::uint8_t low, high;
    };
    const Case cases[] = {
        {"300", 0x2C, 0x01}, {"0", 0x00, 0x00},     {"48", 0x30, 0x00},
        {"301", 0x2D, 0x01}, {"65535", 0xFF, 0xFF},  // unlimited while the bytes hold it
    };
    for (const Case& c : cases) {
        RadioImage image = ImageWith({0x00, 0x00, 1, 1, 0, 0, 0, 0, 0});
        ScanInfo info = Fixed("");
        info.SelectPriority(kPriorityNone);
        info.txDwellTime = c.typed;
        info.dropoutDelayTime = c.typed;
        ASSERT_EQ(info.Ok(image, kEnglish), std::nullopt);
        EXPECT_EQ(ScanOf(image), (ScanBytes{0, 0, 11, 1, 0, c.low, c.high, c.low, c.high}))
            << c.typed;
    }
}

// A value beyond what its bytes hold would wrap around into some unrelated time (70000 into
// 4464, a look-back of 0.3 into 13.1); it is limited as leaving the field would limit it.
TEST(ScanInfo, AValueItsBytesCannotHoldIsLimitedInsteadOfWrapping) {
    struct Case {
        const char* lookBack;
        const char* time;
        ScanBytes after;
        const char* shownLookBack;
        const char* shownTime;
    };
    const Case cases[] = {
        {"0.3", "70000", {0, 0, 1, 1, 0, 0x2C, 0x01, 0x2C, 0x01}, "0.5", "300"},
        {"20", "-5", {0, 0, 91, 91, 0, 0, 0, 0, 0}, "5", "0"},
        {"13.25", "65536", {0, 0, 91, 91, 0, 0x2C, 0x01, 0x2C, 0x01}, "5", "300"},
        {"-1", "2147483647", {0, 0, 1, 1, 0, 0x2C, 0x01, 0x2C, 0x01}, "0.5", "300"},
    };
    for (const Case& c : cases) {
        RadioImage image = ImageWith({0x00, 0x00, 9, 9, 0, 9, 9, 9, 9});
        ScanInfo info = Fixed("");
        info.SelectPriority(kPriorityNone);
        info.lookBackTimeA = c.lookBack;
        info.lookBackTimeB = c.lookBack;
        info.dropoutDelayTime = c.time;
        info.txDwellTime = c.time;
        ASSERT_EQ(info.Ok(image, kEnglish), std::nullopt);
        EXPECT_EQ(ScanOf(image), c.after) << c.lookBack << " " << c.time;
        EXPECT_EQ(info.lookBackTimeA, c.shownLookBack);
        EXPECT_EQ(info.txDwellTime, c.shownTime);
    }
}

TEST(ScanInfo, RevertChannelCodes) {
    struct Case {
        int priority;
        int revert;
        std::uint8_t stored;
    };
    const Case cases[] = {
        {kPriorityNone, 1, 0x01},
        {kPriorityFixed, 3, 0x03},
        {kPrioritySelected, 0, 0x02},
        {kPrioritySelected, 1, 0x03},
        {kPriorityNone, kNoSelection, 0xFF},
        // No selection is 0xFF with Selected priority too, not the code of "Selected+Talk back".
        {kPrioritySelected, kNoSelection, 0xFF},
        {kPriorityNone, 2, 0xFF},  // an index the list does not have
    };
    for (const Case& c : cases) {
        RadioImage image = ImageWith({0x00, 0x00, 1, 1, 0x00, 0, 0, 0, 0}, {1});
        ScanInfo info = Fixed("1");
        info.SelectPriority(c.priority);
        info.revertChannel = c.revert;
        ASSERT_EQ(info.Ok(image, kEnglish), std::nullopt);
        EXPECT_EQ(image[0x164], c.stored) << c.priority << " " << c.revert;
    }
}

TEST(ScanInfo, OkWritesNoByteOutsideTheScanInformation) {
    std::mt19937 random(3);
    RadioImage image;
    for (std::uint8_t& byte : image) {
        byte = static_cast<std::uint8_t>(random());
    }
    ChannelRecordWriter(image, 2).SetRxFrequency(14500000);
    const RadioImage before = image;
    ScanInfo info = Fixed("2");
    ASSERT_EQ(info.Ok(image, kEnglish), std::nullopt);
    for (std::size_t at = 0; at < image.size(); ++at) {
        if (at < kScan || at >= kScan + 9) {
            ASSERT_EQ(image[at], before[at]) << std::hex << at;
        }
    }
    EXPECT_EQ(ScanOf(image), (ScanBytes{1, 2, 11, 1, 0, 0x2C, 0x01, 10, 0}));
}

// The view stores its grid before the dialog opens: the channels the check sees are the
// grid's, not what the image held before.
TEST(ScanInfo, OpeningFromAViewStoresTheGridFirst) {
    RadioImage image = ImageWith({0x01, 0x04, 1, 1, 0, 0, 0, 0, 0}, {4});
    TextGrid grid;
    grid.SetTextMatrix(6, 1, "145.00000");
    grid.SetTextMatrix(6, 2, "145.00000");
    ScanInfo info = ScanInfo::Open(grid, BandLimits(136, 174), image);
    EXPECT_EQ(info.priorityChannel, " 4");
    EXPECT_FALSE(ChannelRecordView(image, 4).HasRxFrequency());
    EXPECT_TRUE(ChannelRecordView(image, 6).HasRxFrequency());
    EXPECT_EQ(info.Ok(image, kEnglish)->field, ScanField::PriorityChannel);
    info.priorityChannel = "6";
    EXPECT_EQ(info.Ok(image, kEnglish), std::nullopt);
    EXPECT_EQ(image[0x161], 6);
}

TEST(ScanInfo, TimeEditsTakeDigitsOnly) {
    EXPECT_TRUE(AcceptsTimeText(""));
    EXPECT_TRUE(AcceptsTimeText("0123456789"));
    for (const char* text : {"-1", "1.5", " 1", "1a", "١"}) {
        EXPECT_FALSE(AcceptsTimeText(text)) << text;
    }
}

TEST(ScanInfo, LookBackTimesShowInTheirShortestForm) {
    struct Case {
        double seconds;
        const char* shown;
    };
    const Case cases[] = {
        {0.5, "0.5"},
        {1.0, "1"},
        {0.45 + 0.05 * 12, "1.05"},
        {21 * 0.05, "1.05"},
        {0.45, "0.45"},
        {1e-7, "1e-07"},
        {123456789012345678.0, "1.23456789012346e+17"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatLookBackTime(c.seconds), c.shown);
    }
}

}  // namespace
}  // namespace radioprog
