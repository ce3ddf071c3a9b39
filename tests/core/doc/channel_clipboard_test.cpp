#include "core/doc/channel_clipboard.h"

#include <gtest/gtest.h>

#include "../../support/temp_dir.h"
#include "core/doc/app_context.h"
#include "core/doc/grid_refresh.h"
#include "core/doc/program_doc.h"
#include "core/radio/channel_codec.h"
#include "core/radio/channel_record.h"

namespace radioprog {
namespace {

using testing::TempDir;

std::vector<std::uint8_t> Record(const CProgramDoc& doc, int channel) {
    const auto at = static_cast<std::ptrdiff_t>(image::ChannelOffset(channel));
    return {doc.image().begin() + at, doc.image().begin() + at + 16};
}

class ChannelClipboardTest : public ::testing::Test {
protected:
    ChannelClipboardTest() {
        m_chinese.language = Language::Chinese;
        Start(m_source, m_english);
        Start(m_target, m_chinese);
        Type(m_source, m_english, 2,
             {"145.0125", "145.6125", "D023N", "88.5", "Low", "Yes", "Carrier", "Narrow"});
        Type(m_source, m_english, 4, {"160.00625"});
        m_source.Synchronise([](RadioImage& image, TextGrid&) {
            image[image::ChannelOffset(2) + 14] = 0x12;  // bytes the grid does not show
            image[image::ChannelOffset(2) + 12] |= 0x80;
        });
    }
    void Start(CProgramDoc& doc, AppContext& context) {
        doc.OnNewDocument(context);
        (void)RefreshGridFromImage(doc, context);
    }
    void Type(CProgramDoc& doc, AppContext& context, int row, std::vector<std::string> texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            ASSERT_FALSE(doc.CommitCell(row, static_cast<int>(i) + 1, texts[i], context.band,
                                        context.language));
        }
    }

    TempDir m_dir;
    AppContext m_english{m_dir / "en.ini"};
    AppContext m_chinese{m_dir / "zh.ini"};
    CProgramDoc m_source;
    CProgramDoc m_target;
};

TEST_F(ChannelClipboardTest, TheOwnFormPastesTheVeryRecordsInAnotherLanguage) {
    const ChannelCopy copy = CopyChannels(m_source, std::vector{2, 3, 4}, m_english.band);
    RadioImage stored = m_source.image();
    GridToImage(m_source.texts(), m_english.band, stored);

    PasteOutcome outcome;
    ASSERT_TRUE(
        PasteOwnChannels(m_target, copy.own, 10, m_chinese.band, m_chinese.language, outcome));
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(outcome.pasted, (std::vector{10, 11, 12}));
    EXPECT_TRUE(outcome.Message(Language::English).empty());
    for (int i = 0; i < 3; ++i) {
        const auto at = static_cast<std::ptrdiff_t>(image::ChannelOffset(2 + i));
        EXPECT_EQ(Record(m_target, 10 + i),
                  std::vector<std::uint8_t>(stored.begin() + at, stored.begin() + at + 16));
        EXPECT_EQ(ScanAdd(m_target.image(), 10 + i), ScanAdd(stored, 2 + i));
    }
    EXPECT_EQ(m_target.image()[image::ChannelOffset(10) + 14], 0x12);
    const std::vector<std::string> row10 = {"145.01250", "145.61250", "D023N", "88.5",
                                            "低",        "有",        "载波",  "窄"};
    for (int col = 1; col <= 8; ++col) {
        EXPECT_EQ(m_target.texts().TextMatrix(10, col), row10[static_cast<std::size_t>(col - 1)]);
    }
    EXPECT_EQ(m_target.texts().TextMatrix(11, 1), "");
    EXPECT_EQ(m_target.texts().TextMatrix(12, 5), "高");
    // The tab-separated form lists the filled channels under the CSV header.
    EXPECT_EQ(copy.tabSeparated.substr(0, 18), "Location\tName\tFreq");
    EXPECT_NE(copy.tabSeparated.find("\r\n2\t\t145.012500\t"), std::string::npos);
    EXPECT_NE(copy.tabSeparated.find("\r\n4\t\t160.006250\t"), std::string::npos);
}

TEST_F(ChannelClipboardTest, RowsThatCannotBeStoredAreRefusedWithTheImportsReasons) {
    const ChannelCopy copy = CopyChannels(m_source, std::vector{2, 4}, m_english.band);
    m_chinese.band.Set(150, 170);  // channel 2 lies outside
    PasteOutcome outcome;
    ASSERT_TRUE(
        PasteOwnChannels(m_target, copy.own, 15, m_chinese.band, Language::English, outcome));
    EXPECT_EQ(outcome.pasted, (std::vector{16}));
    ASSERT_EQ(outcome.refused.size(), 1u);
    EXPECT_EQ(outcome.refused[0],
              "Row 1 -> channel 15: the receive frequency 145.012500 MHz is outside the band "
              "150-170 MHz");
    EXPECT_EQ(m_target.texts().TextMatrix(15, 1), "");

    ASSERT_TRUE(
        PasteOwnChannels(m_target, copy.own, 16, m_english.band, Language::English, outcome));
    EXPECT_EQ(outcome.refused, (std::vector<std::string>{"Row 2: beyond 16 channels"}));
    EXPECT_EQ(outcome.Message(Language::English),
              "1 channel pasted, 1 row could not be stored:\nRow 2: beyond 16 channels");

    const DocumentState before = m_target.State();
    for (std::string bad : {std::string(), std::string("RPCH"), copy.own.substr(0, 20),
                            "XPCH" + copy.own.substr(4)}) {
        EXPECT_FALSE(
            PasteOwnChannels(m_target, bad, 1, m_english.band, Language::English, outcome));
    }
    EXPECT_EQ(m_target.State(), before);
}

TEST_F(ChannelClipboardTest, TabSeparatedTextFromASpreadsheetPastesAtTheChosenChannel) {
    const std::string sheet =
        "Location\tFrequency\tDuplex\tOffset\tMode\tPower\n"
        "7\t146.52\t\t\tNFM\t1W\n"
        "1\t145.5\t-\t0.6\tFM\t5W\n"
        "9\t500\t\t\tFM\t\n"
        "2\t147\t\t\tAM\t\n";
    PasteOutcome outcome;
    ASSERT_TRUE(PasteTabSeparated(m_target, sheet, 15, m_english.band, Language::English, outcome));
    EXPECT_EQ(outcome.pasted, (std::vector{15, 16}));
    EXPECT_EQ(m_target.texts().TextMatrix(15, 1), "146.52000");
    EXPECT_EQ(m_target.texts().TextMatrix(15, 8), "Narrow");
    EXPECT_EQ(m_target.texts().TextMatrix(16, 2), "144.90000");
    ASSERT_EQ(outcome.refused.size(), 2u);
    EXPECT_NE(outcome.refused[0].find("Row 4: the receive frequency 500.000000 MHz is outside"),
              std::string::npos)
        << outcome.refused[0];
    EXPECT_NE(outcome.refused[1].find("Row 5: "), std::string::npos);
    EXPECT_EQ(m_target.history().NextUndo()->kind, DocumentEdit::Kind::Paste);

    // Copy and paste through the tab-separated form alone gives the same grid texts.
    const ChannelCopy copy = CopyChannels(m_source, std::vector{2}, m_english.band);
    ASSERT_TRUE(PasteTabSeparated(m_target, copy.tabSeparated, 3, m_english.band, Language::English,
                                  outcome));
    for (int col = 1; col <= 8; ++col) {
        EXPECT_EQ(m_target.texts().TextMatrix(3, col), m_source.texts().TextMatrix(2, col)) << col;
    }

    const DocumentState before = m_target.State();
    EXPECT_FALSE(
        PasteTabSeparated(m_target, "just words", 1, m_english.band, Language::English, outcome));
    EXPECT_EQ(m_target.State(), before);
}

}  // namespace
}  // namespace radioprog
