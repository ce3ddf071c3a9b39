#include "core/radio/channel_record.h"

#include <gtest/gtest.h>

#include "core/radio/band_limits.h"

namespace radioprog {
namespace {

RadioImage Filled(std::uint8_t value) {
    RadioImage image;
    image.fill(value);
    return image;
}

TEST(Bcd, EncodesLeastSignificantPairFirstAndDecodesBack) {
    struct Case {
        std::uint32_t value;
        std::array<std::uint8_t, 4> bytes;
    };
    const Case cases[] = {
        {14501250, {0x50, 0x12, 0x50, 0x14}}, {13600000, {0x00, 0x00, 0x60, 0x13}},
        {17400000, {0x00, 0x00, 0x40, 0x17}}, {99999999, {0x99, 0x99, 0x99, 0x99}},
        {1, {0x01, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        std::array<std::uint8_t, 4> bytes{};
        EncodeBcdFrequency(c.value, bytes.data());
        EXPECT_EQ(bytes, c.bytes) << c.value;
        EXPECT_EQ(DecodeBcdFrequency(c.bytes.data()), c.value);
    }
}

TEST(Bcd, DecodingTakesInvalidNibblesAtTheirValue) {
    const std::uint8_t bytes[] = {0x0A, 0x00, 0x00, 0x1F};  // pairs 1F -> 25, 0A -> 10
    EXPECT_EQ(DecodeBcdFrequency(bytes), 25'000'010u);
}

TEST(ChannelRecord, ByteThreeZeroOrFFMeansNoReceiveFrequency) {
    for (const int topByte : {0x00, 0xFF}) {
        const auto top = static_cast<std::uint8_t>(topByte);
        RadioImage image = Filled(0x11);
        image[image::ChannelOffset(4) + 3] = top;
        const ChannelRecordView channel(image, 4);
        EXPECT_TRUE(channel.IsEmpty());
        EXPECT_TRUE(channel.IsIncomplete());
        EXPECT_TRUE(channel.HasTxFrequency());
    }
}

TEST(ChannelRecord, MissingTransmitFrequencyMakesTheChannelIncompleteButNotEmpty) {
    RadioImage image = Filled(0xFF);
    ChannelRecordWriter(image, 16).SetRxFrequency(14500000);
    const ChannelRecordView channel(image, 16);
    EXPECT_FALSE(channel.IsEmpty());
    EXPECT_TRUE(channel.IsIncomplete());
}

TEST(ChannelRecord, FrequenciesThatEightDigitsCannotHoldAreStoredCleared) {
    for (std::uint32_t value : {0u, 100'000'000u, 0xFFFFFFFFu}) {
        RadioImage image = Filled(0x12);
        ChannelRecordWriter(image, 1).SetTxFrequency(value);
        for (std::size_t i = 4; i < 8; ++i) {
            EXPECT_EQ(image[image::ChannelOffset(1) + i], 0xFF) << value;
        }
    }
}

TEST(ChannelRecord, BitFieldWritesKeepEveryOtherBit) {
    for (const int fill : {0x00, 0xFF, 0xA5, 0x5A}) {
        const auto background = static_cast<std::uint8_t>(fill);
        RadioImage image = Filled(background);
        const std::size_t at = image::ChannelOffset(7);
        ChannelRecordWriter channel(image, 7);
        channel.SetBusy(BusyLock::Carrier);
        channel.SetHighPower(true);
        channel.SetWide(false);
        EXPECT_EQ(image[at + 12], (background & ~0x18) | 0x08);
        EXPECT_EQ(image[at + 13], ((background | 0x20) & ~0x10));
        EXPECT_EQ(image[at + 14], background);
        EXPECT_EQ(image[at + 15], background);
        EXPECT_EQ(image[at + 11], background);
    }
}

TEST(ChannelRecord, BusyLockThreeReadsAsQtDqt) {
    RadioImage image = Filled(0xFF);
    image[image::ChannelOffset(2) + 12] = 0x18;
    EXPECT_EQ(ChannelRecordView(image, 2).Busy(), BusyLock::QtDqt);
    ChannelRecordWriter(image, 2).SetBusy(BusyLock::QtDqt);
    EXPECT_EQ(image[image::ChannelOffset(2) + 12], 0x10);
}

TEST(ScanAddFlags, ChannelsOneToEightInTheFirstByteNineToSixteenInTheSecond) {
    RadioImage image = Filled(0x00);
    SetScanAdd(image, 1, true);
    SetScanAdd(image, 8, true);
    SetScanAdd(image, 9, true);
    SetScanAdd(image, 16, true);
    EXPECT_EQ(image[image::kScanAddLow], 0x81);
    EXPECT_EQ(image[image::kScanAddHigh], 0x81);
    EXPECT_TRUE(ScanAdd(image, 16));
    EXPECT_FALSE(ScanAdd(image, 2));
    SetScanAdd(image, 8, false);
    EXPECT_EQ(image[image::kScanAddLow], 0x01);
}

TEST(BandLimitsBytes, ReadAndWriteTheThreeNibbleBytes) {
    struct Case {
        unsigned lower, upper;
        std::array<std::uint8_t, 3> bytes;
    };
    const Case cases[] = {{136, 174, {0x13, 0x17, 0x64}},
                          {400, 470, {0x40, 0x47, 0x00}},
                          {0, 999, {0x00, 0x99, 0x09}}};
    for (const Case& c : cases) {
        RadioImage image = Filled(0xFF);
        WriteBandLimits(BandLimits(c.lower, c.upper), image);
        EXPECT_EQ(image[0x1AD], c.bytes[0]);
        EXPECT_EQ(image[0x1AE], c.bytes[1]);
        EXPECT_EQ(image[0x1AF], c.bytes[2]);
        const BandLimits read = ReadBandLimits(image);
        EXPECT_EQ(read.lower(), c.lower);
        EXPECT_EQ(read.upper(), c.upper);
        EXPECT_EQ(read.lower10Hz(), c.lower * 100000);
        EXPECT_EQ(read.upper10Hz(), c.upper * 100000);
    }
}

TEST(BandLimitsBytes, ReadingDoesNotCheckTheDigits) {
    RadioImage image = Filled(0xFF);
    EXPECT_EQ(ReadBandLimits(image).lower(), 1665u);
    EXPECT_EQ(ReadBandLimits(image).upper(), 1665u);
}

}  // namespace
}  // namespace radioprog
