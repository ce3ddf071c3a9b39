#include "core/radio/channel_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/radio/channel_record.h"
#include "core/radio/text_grid.h"

namespace radioprog {
namespace {

using Row = std::array<std::string, 8>;

Row RowOf(const ChannelGrid& grid, int row) {
    Row texts;
    for (int col = 1; col <= 8; ++col) {
        texts[static_cast<std::size_t>(col - 1)] = grid.TextMatrix(row, col);
    }
    return texts;
}

void SetRow(ChannelGrid& grid, int row, const Row& texts) {
    for (int col = 1; col <= 8; ++col) {
        grid.SetTextMatrix(row, col, texts[static_cast<std::size_t>(col - 1)]);
    }
}

RadioImage EmptyImage() {
    RadioImage image;
    image.fill(0xFF);
    image[image::kScanAddLow] = 0;
    image[image::kScanAddHigh] = 0;
    image[0x1AD] = 0x13;
    image[0x1AE] = 0x17;
    image[0x1AF] = 0x64;
    return image;
}

void PutRecord(RadioImage& image, int channel, const std::array<std::uint8_t, 16>& bytes) {
    std::copy(bytes.begin(), bytes.end(), image.begin() + image::ChannelOffset(channel));
}

class CodecTest : public ::testing::Test {
protected:
    Row Show(const RadioImage& image, int channel, Language language = Language::English) {
        ImageToGrid(image, m_grid, m_band, language);
        return RowOf(m_grid, channel);
    }
    std::optional<StringId> Type(int row, int col, const std::string& text,
                                 Language language = Language::English) {
        m_grid.SetCurrentCell(row, col);
        m_grid.OpenEditor(text);
        return CommitEditedCell(m_grid, m_band, language);
    }

    TextGrid m_grid;
    BandLimits m_band{136, 174};
};

TEST_F(CodecTest, ShowsARecordInEachLanguage) {
    RadioImage image = EmptyImage();
    // 145.0125 / 146.0125, D023N / 67.0, Busy Lock Carrier, High, Wide, scan added.
    PutRecord(image, 3,
              {0x50, 0x12, 0x50, 0x14, 0x50, 0x12, 0x60, 0x14, 0x13, 0x28, 0x9E, 0x02, 0x08, 0x30,
               0xFF, 0xFF});
    SetScanAdd(image, 3, true);
    EXPECT_EQ(Show(image, 3),
              (Row{"145.01250", "146.01250", "D023N", "67.0", "High", "Yes", "Carrier", "Wide"}));
    EXPECT_EQ(Show(image, 3, Language::Chinese),
              (Row{"145.01250", "146.01250", "D023N", "67.0", "高", "有", "载波", "宽"}));
    PutRecord(image, 3,
              {0x50, 0x12, 0x50, 0x14, 0x50, 0x12, 0x60, 0x14, 0xEC, 0xA9, 0xFF, 0xFF, 0x18, 0x00,
               0xFF, 0xFF});
    SetScanAdd(image, 3, false);
    EXPECT_EQ(Show(image, 3),
              (Row{"145.01250", "146.01250", "D754I", "None", "Low", "No", "QT/DQT", "Narrow"}));
    EXPECT_EQ(Show(image, 3, Language::Chinese),
              (Row{"145.01250", "146.01250", "D754I", "无", "低", "无", "QT/DQT", "窄"}));
}

TEST_F(CodecTest, IncompleteChannelShowsFrequenciesTonesAndScanOnly) {
    RadioImage image = EmptyImage();
    PutRecord(image, 5,
              {0x00, 0x00, 0x00, 0x15, 0xFF, 0xFF, 0xFF, 0xFF, 0xC7, 0x09, 0xFF, 0xFF, 0x08, 0x30,
               0xFF, 0xFF});
    EXPECT_EQ(Show(image, 5), (Row{"150.00000", "", "250.3", "", "", "", "", ""}));
    SetScanAdd(image, 5, true);
    EXPECT_EQ(Show(image, 5), (Row{"150.00000", "", "250.3", "", "", "Yes", "", ""}));
    EXPECT_EQ(Show(image, 6), (Row{"", "", "", "", "", "", "", ""}));
}

TEST_F(CodecTest, ImageToGridTakesTheBandFromTheImage) {
    RadioImage image = EmptyImage();
    image[0x1AD] = 0x40;
    image[0x1AE] = 0x47;
    image[0x1AF] = 0x00;
    Show(image, 1);
    EXPECT_EQ(m_band, BandLimits(400, 470));
    EXPECT_EQ(Type(1, 1, "145.000"), StringId::OutOfRange);
}

TEST_F(CodecTest, ToneWordsSurviveARoundTrip) {
    const std::uint16_t words[] = {0x2800, 0x280F, 0x2813, 0xA9EC, 768, 670, 2503, 0x29FF};
    for (std::uint16_t word : words) {
        RadioImage image = EmptyImage();
        PutRecord(
            image, 1,
            {0x00, 0x00, 0x50, 0x14, 0x00, 0x00, 0x50, 0x14, static_cast<std::uint8_t>(word & 0xFF),
             static_cast<std::uint8_t>(word >> 8), 0xFF, 0xFF, 0x10, 0x00, 0xFF, 0xFF});
        Show(image, 1);
        RadioImage stored = image;
        GridToImage(m_grid, m_band, stored);
        const std::uint16_t back = static_cast<std::uint16_t>(stored[0x18] | stored[0x19] << 8);
        if (word == 0x29FF) {
            // 0o777 is no code: shown as D000N, stored with low byte 0 and the ninth bit clear.
            EXPECT_EQ(m_grid.TextMatrix(1, 3), "D000N");
            EXPECT_EQ(back, 0x2800);
        } else {
            EXPECT_EQ(back, word) << m_grid.TextMatrix(1, 3);
        }
    }
}

TEST(ToneText, DcsAndCtcssForms) {
    EXPECT_EQ(ToneText(0x2800, false, Language::English), "D000N");
    EXPECT_EQ(ToneText(0x280F, false, Language::English), "D017N");
    EXPECT_EQ(ToneText(768, false, Language::English), "76.8");
    EXPECT_EQ(ToneText(0xFFFF, true, Language::English), "");
    EXPECT_EQ(ToneText(0x00FF, false, Language::Chinese), "无");
}

TEST(ToneBytes, ReadsEitherLanguageAndAnyText) {
    struct Case {
        const char* text;
        std::uint8_t low, high;
    };
    const Case cases[] = {
        {"None", 0xFF, 0xFF},  {"无", 0xFF, 0xFF},    {"", 0xFF, 0xFF},
        {"67.0", 0x9E, 0x02},  {"250.3", 0xC7, 0x09}, {"D023N", 0x13, 0x28},
        {"D754I", 0xEC, 0xA9}, {"D999N", 0x00, 0x29}, {"D", 0x00, 0xA8},
    };
    for (const Case& c : cases) {
        const auto [low, high] = ToneBytes(c.text);
        EXPECT_EQ(low, c.low) << c.text;
        EXPECT_EQ(high, c.high) << c.text;
    }
}

TEST_F(CodecTest, GridToImageOfAnEmptyRowClearsFieldsAndKeepsUnshownBits) {
    RadioImage image = EmptyImage();
    PutRecord(image, 2,
              {0x00, 0x00, 0x50, 0x14, 0x00, 0x00, 0x50, 0x14, 0x9E, 0x02, 0x9E, 0x02, 0xE7, 0xFF,
               0x12, 0x34});
    // Row 2 of the grid is empty: the record is cleared, the bits the grid does not show stay.
    GridToImage(m_grid, m_band, image);
    const std::size_t at = image::ChannelOffset(2);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(image[at + i], 0xFF) << i;
    }
    EXPECT_EQ(image[at + 12], 0xF7);  // Busy Lock 2, bits 0-2 and 5-7 as found
    EXPECT_EQ(image[at + 13], 0xCF);  // Power and W/N clear
    EXPECT_EQ(image[at + 14], 0x12);
    EXPECT_EQ(image[at + 15], 0x34);
}

TEST_F(CodecTest, GridToImageRecognisesBothLanguagesWhateverIsShown) {
    RadioImage image = EmptyImage();
    SetRow(m_grid, 9, {"145.01250", "146.00000", "D023N", "无", "高", "有", "载波", "宽"});
    SetRow(m_grid, 1, {"145.01250", "146.00000", "None", "67.0", "High", "Yes", "Off", "Narrow"});
    m_band = BandLimits(144, 148);
    GridToImage(m_grid, m_band, image);
    const std::size_t at = image::ChannelOffset(9);
    const std::vector<std::uint8_t> nine(image.begin() + at, image.begin() + at + 16);
    EXPECT_EQ(nine, (std::vector<std::uint8_t>{0x50, 0x12, 0x50, 0x14, 0x00, 0x00, 0x60, 0x14, 0x13,
                                               0x28, 0xFF, 0xFF, 0xEF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(image[image::ChannelOffset(1) + 12], 0xE7);
    EXPECT_EQ(image[image::ChannelOffset(1) + 13], 0xEF);
    EXPECT_EQ(image[image::kScanAddLow], 0x01);
    EXPECT_EQ(image[image::kScanAddHigh], 0x01);
    EXPECT_EQ(image[0x1AD], 0x14);
    EXPECT_EQ(image[0x1AE], 0x14);
    EXPECT_EQ(image[0x1AF], 0x48);
}

TEST_F(CodecTest, GridToImageNeverWritesInvalidBcd) {
    RadioImage image = EmptyImage();
    SetRow(m_grid, 4, {"1000.00000", "-5", "abc", "", "", "", "", ""});
    GridToImage(m_grid, m_band, image);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(image[image::ChannelOffset(4) + i], 0xFF) << i;
    }
}

TEST_F(CodecTest, TypingIntoAnEmptyRowCreatesAChannelWithDefaults) {
    EXPECT_EQ(Type(4, 1, "145.0125"), std::nullopt);
    EXPECT_EQ(RowOf(m_grid, 4),
              (Row{"145.01250", "145.01250", "None", "None", "High", "No", "Off", "Wide"}));
    EXPECT_FALSE(m_grid.EditorVisible());
    EXPECT_EQ(Type(5, 1, "146", Language::Chinese), std::nullopt);
    EXPECT_EQ(RowOf(m_grid, 5),
              (Row{"146.00000", "146.00000", "无", "无", "高", "无", "关", "宽"}));
}

TEST_F(CodecTest, ReceiveFrequencyEdits) {
    const Row programmed{"145.01250", "146.00000", "67.0",    "None",
                         "Low",       "Yes",       "Carrier", "Narrow"};
    struct Case {
        const char* typed;
        std::optional<StringId> message;
        Row after;
    };
    Row changed = programmed;
    changed[0] = "147.00000";
    const Case cases[] = {
        {"147", std::nullopt, changed},           {"", std::nullopt, Row{}},
        {"145.0130", StringId::OffStep, Row{}},   {"174.005", StringId::OutOfRange, Row{}},
        {"letters", StringId::OutOfRange, Row{}},
    };
    for (const Case& c : cases) {
        SetRow(m_grid, 7, programmed);
        EXPECT_EQ(Type(7, 1, c.typed), c.message) << c.typed;
        EXPECT_EQ(RowOf(m_grid, 7), c.after) << c.typed;
        EXPECT_FALSE(m_grid.EditorVisible());
    }
}

TEST_F(CodecTest, TransmitFrequencyEdits) {
    const Row programmed{"145.01250", "146.00000", "67.0",    "None",
                         "Low",       "Yes",       "Carrier", "Narrow"};
    struct Case {
        Row before;
        const char* typed;
        std::optional<StringId> message;
        std::string tx;
    };
    Row rxMissing = programmed;
    rxMissing[0] = "";
    const Case cases[] = {
        {programmed, "", std::nullopt, "145.01250"},  // transmit on the receive frequency
        {programmed, "144.5", std::nullopt, "144.50000"},
        {programmed, "144.503", StringId::OffStep, ""},
        {programmed, "200", StringId::OutOfRange, ""},
        {rxMissing, "144.5", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SetRow(m_grid, 16, c.before);
        EXPECT_EQ(Type(16, 2, c.typed), c.message) << c.typed;
        Row expected = c.before;
        expected[1] = c.tx;
        EXPECT_EQ(RowOf(m_grid, 16), expected) << c.typed;
    }
}

TEST_F(CodecTest, ListColumnsTakeTheEditorTextOnlyOnAProgrammedRow) {
    SetRow(m_grid, 2, {"145.01250", "", "None", "", "", "", "", ""});
    EXPECT_EQ(Type(2, 5, "Low"), std::nullopt);
    EXPECT_EQ(m_grid.TextMatrix(2, 5), "Low");
    SetRow(m_grid, 2, {"", "146.00000", "", "", "", "", "", ""});
    Type(2, 3, "D023N");
    EXPECT_EQ(m_grid.TextMatrix(2, 3), "D023N");
    SetRow(m_grid, 2, Row{});
    Type(2, 8, "Wide");
    EXPECT_EQ(m_grid.TextMatrix(2, 8), "");
}

// What the commit would drop is known before the edit: a tool that applies edits for the user
// can refuse them instead of losing them in silence.
TEST_F(CodecTest, CommitDropsEditNamesTheEditsAChannelCannotKeep) {
    const Row rxOnly{"145.01250", "", "None", "None", "High", "No", "Off", "Wide"};
    const Row txOnly{"", "146.00000", "", "", "", "", "", ""};
    struct Case {
        Row row;
        int col;
        const char* typed;
        bool dropped;
    };
    const Case cases[] = {
        {Row{}, 1, "145.0125", false}, {Row{}, 2, "145.0125", true}, {Row{}, 3, "D023N", true},
        {Row{}, 8, "Narrow", true},    {rxOnly, 2, "146", false},    {rxOnly, 5, "Low", false},
        {txOnly, 2, "146.5", true},    {txOnly, 4, "67.0", false},
    };
    for (const Case& c : cases) {
        SetRow(m_grid, 9, c.row);
        EXPECT_EQ(CommitDropsEdit(m_grid, 9, c.col), c.dropped) << c.col << " " << c.typed;
        ASSERT_EQ(Type(9, c.col, c.typed), std::nullopt);
        EXPECT_EQ(m_grid.TextMatrix(9, c.col).empty(), c.dropped) << c.col << " " << c.typed;
    }
}

TEST_F(CodecTest, NothingHappensWithoutAnOpenEditorOrOutsideTheChannelCells) {
    SetRow(m_grid, 1, {"145.01250", "", "", "", "", "", "", ""});
    m_grid.SetCurrentCell(1, 1);
    m_grid.HideEditor();
    EXPECT_EQ(CommitEditedCell(m_grid, m_band, Language::English), std::nullopt);
    EXPECT_EQ(m_grid.TextMatrix(1, 1), "145.01250");
    EXPECT_EQ(Type(0, 1, "146"), std::nullopt);
    EXPECT_EQ(Type(1, 0, "146"), std::nullopt);
    EXPECT_EQ(m_grid.TextMatrix(0, 1), "");
    EXPECT_EQ(m_grid.TextMatrix(1, 1), "145.01250");
    EXPECT_FALSE(m_grid.EditorVisible());
}

TEST_F(CodecTest, ShownImageStoresBackUnchanged) {
    RadioImage image = EmptyImage();
    PutRecord(image, 1,
              {0x50, 0x12, 0x50, 0x14, 0x50, 0x12, 0x60, 0x14, 0x13, 0x28, 0x9E, 0x02, 0x08, 0x30,
               0xAB, 0xCD});
    PutRecord(image, 12,
              {0x25, 0x06, 0x00, 0x43, 0x25, 0x06, 0x00, 0x43, 0x0F, 0x28, 0xEC, 0xA9, 0x57, 0xC2,
               0x00, 0x00});
    SetScanAdd(image, 12, true);
    image[0x1AD] = 0x40;
    image[0x1AE] = 0x47;
    image[0x1AF] = 0x00;
    Show(image, 1);
    RadioImage stored = image;
    GridToImage(m_grid, m_band, stored);
    for (int channel : {1, 12}) {
        for (std::size_t i = 0; i < 16; ++i) {
            const std::size_t at = image::ChannelOffset(channel) + i;
            EXPECT_EQ(stored[at], image[at]) << "channel " << channel << " byte " << i;
        }
    }
    EXPECT_EQ(stored[0x17F], image[0x17F]);
    EXPECT_EQ(stored[0x1AD], 0x40);
}

}  // namespace
}  // namespace radioprog
