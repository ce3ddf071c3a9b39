#include "core/radio/image_fields.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

TEST(ImageFields, AWriteChangesOnlyTheFieldsBitsAndAReadGivesThemBack) {
    RadioImage image{};
    image.fill(0xA5);
    field::kScanFunction.Write(image, 0);
    EXPECT_EQ(image[image::kFunctionFlags], 0xA5 & ~0x02);
    field::kScanFunction.Write(image, 1);
    EXPECT_EQ(image[image::kFunctionFlags], 0xA7);
    EXPECT_EQ(field::kScanFunction.Read(image), 1);
    EXPECT_EQ(field::kVoxFunction.Read(image), 1);

    field::kVoiceAnnunciation.Write(image, 0x06);  // more than its two bits hold
    EXPECT_EQ(image[image::kVoiceAnnunciation], 0xA6);

    field::kDropoutDelay.Write(image, 0x1234);
    EXPECT_EQ(image[image::kScanInformation + 5], 0x34);
    EXPECT_EQ(image[image::kScanInformation + 6], 0x12);
    EXPECT_EQ(field::kDropoutDelay.Read(image), 0x1234);
}

TEST(ImageFields, TheReportAndTheDialogReadTheSameValueFromEveryByteTheDialogStores) {
    RadioImage image{};
    for (int code = 1; code <= 40; ++code) {
        field::kTimeOutTimer.Write(image, code);
        EXPECT_EQ(field::kTimeOutTimerReport.Read(image), field::kTimeOutTimer.Read(image));
    }
    for (int code = 0; code <= 10; ++code) {
        field::kVoxGain.Write(image, code);
        EXPECT_EQ(field::kVoxGainReport.Read(image), field::kVoxGain.Read(image));
    }
    // A radio's own byte with higher bits set reads differently, each as it is described.
    image[image::kTimeOutTimer] = 0x44;
    EXPECT_EQ(field::kTimeOutTimer.Read(image), 0x44);
    EXPECT_EQ(field::kTimeOutTimerReport.Read(image), 0x04);
}

}  // namespace
}  // namespace radioprog
