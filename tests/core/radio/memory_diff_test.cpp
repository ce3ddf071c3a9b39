#include "core/radio/memory_diff.h"

#include <gtest/gtest.h>

#include "core/radio/band_limits.h"
#include "core/radio/channel_codec.h"
#include "core/radio/text_grid.h"
#include "core/sim/demo_memory.h"

namespace radioprog {
namespace {

// The demo memory with channel 4 on another frequency typed into the grid, squelch level 5,
// and another User password in the identity record.
RadioImage Edited(const RadioImage& memory) {
    RadioImage edited = memory;
    TextGrid grid;
    BandLimits band;
    ImageToGrid(edited, grid, band, Language::English);
    grid.SetTextMatrix(4, 1, "150.00000");
    GridToImage(grid, band, edited);
    edited[image::kSquelchLevel] =
        static_cast<std::uint8_t>((edited[image::kSquelchLevel] & 0xF0) | 5);
    edited[image::kIdentityUserPassword] = 0x42;
    edited[image::kIdentityUserPassword + 1] = 0x1F;
    return edited;
}

TEST(CompareMemories, ChannelsAsTheGridShowsThemSettingsByTheirControlsAndTheRestAsBytes) {
    const RadioImage demo = DemoMemory();
    const RadioImage edited = Edited(demo);
    const MemoryDiff diff = CompareMemories(demo, edited, Language::English);
    ASSERT_FALSE(diff.Identical());
    ASSERT_FALSE(diff.channels.empty());
    EXPECT_EQ(diff.channels[0].channel, 4);
    EXPECT_EQ(diff.channels[0].column, 1);
    EXPECT_EQ(diff.channels[0].newText, "150.00000");
    ASSERT_EQ(diff.settings.size(), 1u);
    EXPECT_STREQ(diff.settings[0].dialogKey, "options");
    EXPECT_EQ(diff.settings[0].control.english, "Squelch Level");
    EXPECT_EQ(diff.settings[0].newText, "5");
    // The channel's record and the squelch byte are explained above; the password is not shown.
    ASSERT_EQ(diff.bytes.size(), 1u);
    EXPECT_EQ(diff.bytes[0].from, image::kIdentityUserPassword);
    EXPECT_EQ(diff.bytes[0].to, image::kIdentityUserPassword + 1);

    const std::vector<std::string> lines = DiffLines(diff, Language::English);
    EXPECT_EQ(lines.front().rfind("Channel 4  ", 0), 0u) << lines.front();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Bytes 0x01BD-0x01BE"), lines.end());
    const std::vector<std::string> chinese =
        DiffLines(CompareMemories(demo, edited, Language::Chinese), Language::Chinese);
    EXPECT_EQ(chinese.front().rfind("信道 4  ", 0), 0u) << chinese.front();
    EXPECT_NE(std::find(chinese.begin(), chinese.end(), "字节 0x01BD-0x01BE"), chinese.end());

    EXPECT_TRUE(CompareMemories(demo, demo, Language::English).Identical());
}

}  // namespace
}  // namespace radioprog
