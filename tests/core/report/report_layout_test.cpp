#include "core/report/report_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "../../support/temp_dir.h"
#include "core/doc/app_context.h"
#include "core/doc/program_doc.h"
#include "core/radio/text_grid.h"

namespace radioprog {

// Readable failure messages; internal linkage so that argument-dependent lookup finds them here.
static void PrintTo(const ReportFontInfo& font, std::ostream* out) {
    *out << "{\"" << font.face << "\", " << font.height << ", " << font.width << "}";
}
static void PrintTo(const ReportUnits& units, std::ostream* out) {
    *out << "{W " << units.column << ", H " << units.row << "}";
}
static void PrintTo(const ReportLine& line, std::ostream* out) {
    *out << "Line{" << line.x1 << ", " << line.y << ", " << line.x2 << "}";
}
static void PrintTo(const ReportText& text, std::ostream* out) {
    *out << "Text{" << text.x << ", " << text.y << ", "
         << (text.font == ReportFont::Report ? "Report" : "Small") << ", \"" << text.text << "\"}";
}

namespace {

using testing::TempDir;
using testing::WriteText;

// Line heights as a renderer would measure them, keyed by the font's character height; a font
// the layout did not announce fails the test.
class FakeMetrics : public ReportFontMetrics {
public:
    explicit FakeMetrics(std::map<int, int> lineHeights) : m_lineHeights(std::move(lineHeights)) {}

    int LineHeight(const ReportFontInfo& font) const override {
        m_asked.push_back(font);
        const auto found = m_lineHeights.find(font.height);
        if (found == m_lineHeights.end()) {
            ADD_FAILURE() << "unexpected font height " << font.height;
            return 0;
        }
        return found->second;
    }

    mutable std::vector<ReportFontInfo> m_asked;

private:
    std::map<int, int> m_lineHeights;
};

// An A4 sheet at 600 dpi with 4760 x 6814 printable pixels: W = 173, H = 363; the small font
// is 290 twips high and 138 wide. Times New Roman measures 419 and 334 twips per line there.
constexpr PrintableArea kA4 = {4760, 6814, 600, 600};
constexpr int kW = 173;
constexpr int kLh1 = 419;
constexpr int kLh2 = 334;

std::vector<ReportText> Texts(const ReportPage& page) {
    std::vector<ReportText> texts;
    for (const ReportDrawOp& op : page.ops) {
        if (const auto* text = std::get_if<ReportText>(&op)) {
            texts.push_back(*text);
        }
    }
    return texts;
}

std::vector<ReportLine> Lines(const ReportPage& page) {
    std::vector<ReportLine> lines;
    for (const ReportDrawOp& op : page.ops) {
        if (const auto* line = std::get_if<ReportLine>(&op)) {
            lines.push_back(*line);
        }
    }
    return lines;
}

// The text drawn at (x, y); fails when there is not exactly one.
std::string TextAt(const ReportPage& page, int x, int y) {
    std::vector<std::string> found;
    for (const ReportText& text : Texts(page)) {
        if (text.x == x && text.y == y) {
            found.push_back(text.text);
        }
    }
    EXPECT_EQ(found.size(), 1u) << "at (" << x << ", " << y << ")";
    return found.empty() ? std::string() : found.front();
}

// The channel headings of a page (column 4W), in drawing order, with their y.
std::vector<std::pair<std::string, int>> Headings(const ReportPage& page) {
    std::vector<std::pair<std::string, int>> headings;
    for (const ReportText& text : Texts(page)) {
        if (text.x == 4 * kW) {
            headings.emplace_back(text.text, text.y);
        }
    }
    return headings;
}

void FillChannel(TextGrid& grid, int row, const std::array<std::string, 8>& cells) {
    for (int col = 1; col <= 8; ++col) {
        grid.SetTextMatrix(row, col, cells[static_cast<std::size_t>(col - 1)]);
    }
}

TextGrid GridWithFilledRows(const std::set<int>& rows) {
    TextGrid grid;
    for (int row : rows) {
        FillChannel(grid, row,
                    {"145.50000", "145.50000", "None", "None", "High", "Yes", "Off", "Wide"});
    }
    return grid;
}

std::set<int> Rows(int first, int last) {
    std::set<int> rows;
    for (int row = first; row <= last; ++row) {
        rows.insert(row);
    }
    return rows;
}

class ReportLayoutTest : public ::testing::Test {
protected:
    ReportPage Page(int page, int maxPage, Language language = Language::English,
                    std::string owner = "") {
        const ReportSource source{m_image, m_grid, language, std::move(owner)};
        return BuildReportPage(page, maxPage, m_table, source, kA4, m_metrics);
    }

    RadioImage m_image = NewRadioImage(PackedPassword{0x12, 0x34, 0x56});
    TextGrid m_grid;
    PrintPageTable m_table;
    FakeMetrics m_metrics{{{363, kLh1}, {290, kLh2}}};
};

TEST(ReportUnits, TwipsFromThePrintableAreaInWholeNumbers) {
    struct Case {
        PrintableArea area;
        ReportUnits units;
        ReportFontInfo small;
    };
    const Case cases[] = {
        {kA4, {173, 363}, {"Times New Roman", 290, 138}},
        // One device pixel per twip, as a renderer at 1440 dpi has it.
        {{11000, 15000, 1440, 1440}, {166, 333}, {"Times New Roman", 266, 132}},
        // Across is measured with the horizontal resolution, down with the vertical one.
        {{2400, 6600, 300, 600}, {174, 352}, {"Times New Roman", 281, 139}},
        // Wider than 32 bits in the intermediate product.
        {{3000000, 3000000, 1440, 1440}, {45454, 66666}, {"Times New Roman", 53332, 36363}},
        {{4760, 6814, 0, 600}, {0, 0}, {"Times New Roman", 0, 0}},
        {{4760, 6814, 600, -1}, {0, 0}, {"Times New Roman", 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.area.widthPixels << "x" << c.area.heightPixels
                                          << " at " << c.area.dpiX << "/" << c.area.dpiY);
        const ReportUnits units = ComputeReportUnits(c.area);
        EXPECT_EQ(units, c.units);
        EXPECT_EQ(ReportFontFor(units),
                  (ReportFontInfo{"Times New Roman", c.units.row, c.units.column}));
        EXPECT_EQ(SmallReportFontFor(units), c.small);
    }
}

TEST_F(ReportLayoutTest, OptionsPageOnAnA4Sheet) {
    const ReportPage page = Page(1, 3, Language::English, "Example Radio Co.");

    EXPECT_EQ(page.reportFont, (ReportFontInfo{"Times New Roman", 363, 173}));
    EXPECT_EQ(page.smallFont, (ReportFontInfo{"Times New Roman", 290, 138}));
    EXPECT_EQ(m_metrics.m_asked, (std::vector<ReportFontInfo>{page.reportFont, page.smallFont}));

    const std::vector<ReportDrawOp> expected = {
        ReportLine{865, -888, 10380},
        ReportLine{865, -958, 10380},
        ReportLine{865, -14875, 10380},
        ReportText{1038, -419, ReportFont::Report, "Option"},
        ReportText{1038, -1336, ReportFont::Small, "Function"},
        ReportText{1557, -1670, ReportFont::Small, "Time Out Timer:"},
        ReportText{6055, -1670, ReportFont::Small, "60s"},
        ReportText{1557, -2004, ReportFont::Small, "TOT Pre-Alert:"},
        ReportText{6055, -2004, ReportFont::Small, "8"},
        ReportText{1557, -2338, ReportFont::Small, "Sequelch Level:"},
        ReportText{6055, -2338, ReportFont::Small, "4"},
        ReportText{1557, -2672, ReportFont::Small, "Beep:"},
        ReportText{6055, -2672, ReportFont::Small, "On"},
        ReportText{1557, -3006, ReportFont::Small, "Vox Gain Level:"},
        ReportText{6055, -3006, ReportFont::Small, "5"},
        ReportText{1557, -3340, ReportFont::Small, "Vox Delay Time:"},
        ReportText{6055, -3340, ReportFont::Small, "1.0"},
        ReportText{1557, -3674, ReportFont::Small, "Call Tone:"},
        ReportText{6055, -3674, ReportFont::Small, "Off"},
        ReportText{1557, -4008, ReportFont::Small, "Battery Saver:"},
        ReportText{6055, -4008, ReportFont::Small, "On"},
        ReportText{1557, -4342, ReportFont::Small, "Voice Annunciation:"},
        ReportText{6055, -4342, ReportFont::Small, "Chinese"},
        ReportText{1557, -4676, ReportFont::Small, "VOX Function:"},
        ReportText{6055, -4676, ReportFont::Small, "On"},
        ReportText{1557, -5010, ReportFont::Small, "Scan Function:"},
        ReportText{6055, -5010, ReportFont::Small, "On"},
        ReportText{1730, -15084, ReportFont::Small, "Example Radio Co."},
        ReportText{7785, -15084, ReportFont::Small, "Page 1 of 3"},
    };
    EXPECT_EQ(page.ops, expected);
}

TEST_F(ReportLayoutTest, ChannelPageOnAnA4Sheet) {
    FillChannel(m_grid, 2,
                {"145.50000", "145.50000", "None", "None", "High", "Yes", "Off", "Wide"});
    FillChannel(m_grid, 9,
                {"136.12500", "137.00000", "D023N", "67.0", "Low", "No", "Carrier", "Narrow"});
    // Transmit frequency missing: the grid shows no power, busy lock or bandwidth.
    FillChannel(m_grid, 16, {"173.99375", "", "250.3", "None", "", "Yes", "", ""});
    // A row with only a transmit frequency is not a channel of the report.
    m_grid.SetTextMatrix(5, column::kTxFrequency, "150.00000");

    const ReportPage page = Page(2, 2);

    EXPECT_EQ(Lines(page), (std::vector<ReportLine>{
                               {865, -888, 10380}, {865, -958, 10380}, {865, -14875, 10380}}));
    // Blocks stand 5.7 small lines apart, truncated: 1903.8 and 3807.6 twips below the first.
    std::vector<ReportText> expected = {{1038, -419, ReportFont::Report, "Channel"}};
    const auto block = [&expected](int top, std::string heading,
                                   const std::array<std::string, 8>& cells) {
        expected.push_back({692, top, ReportFont::Small, std::move(heading)});
        const char* labels[4][2] = {{"Receive Frequency:", "Transceive Frequency:"},
                                    {"QT/DQT Decode:", "QT/DQT Encode:"},
                                    {"Power:", "Scan:"},
                                    {"Channel Lock:", "W/N:"}};
        for (int line = 0; line < 4; ++line) {
            const int y = top - (line + 1) * kLh2;
            const auto at = static_cast<std::size_t>(line);
            expected.push_back({865, y, ReportFont::Small, labels[at][0]});
            expected.push_back({3806, y, ReportFont::Small, cells[2 * at]});
            expected.push_back({6228, y, ReportFont::Small, labels[at][1]});
            expected.push_back({9515, y, ReportFont::Small, cells[2 * at + 1]});
        }
    };
    block(-1336,
          "Channel 2:", {"145.50000", "145.50000", "None", "None", "High", "Yes", "Off", "Wide"});
    block(-3239, "Channel 9:",
          {"136.12500", "137.00000", "D023N", "67.0", "Low", "No", "Carrier", "Narrow"});
    block(-5143, "Channel 16:", {"173.99375", "", "250.3", "None", "", "Yes", "", ""});
    expected.push_back({1730, -15084, ReportFont::Small, ""});
    expected.push_back({7785, -15084, ReportFont::Small, "Page 2 of 2"});
    EXPECT_EQ(Texts(page), expected);
}

TEST_F(ReportLayoutTest, EachPageListsItsShareOfTheFilledChannels) {
    struct Case {
        const char* name;
        std::set<int> filled;
        int maxPage;
        std::vector<std::vector<int>> pages;  // the rows of channel pages 1, 2, ...
    };
    const Case cases[] = {
        {"none", {}, 1, {}},
        {"seven", Rows(1, 7), 2, {{1, 2, 3, 4, 5, 6, 7}}},
        {"eight", Rows(1, 8), 3, {{1, 2, 3, 4, 5, 6, 7}, {8}}},
        {"all", Rows(1, 16), 4, {{1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}, {15, 16}}},
        {"scattered", {2, 9, 16}, 2, {{2, 9, 16}}},
    };
    const int blockTops[] = {-1336, -3239, -5143, -7047, -8951, -10855, -12758};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_grid = GridWithFilledRows(c.filled);
        m_table.Count(m_grid);
        ASSERT_EQ(m_table.MaxPage(), c.maxPage);
        for (int k = 1; k <= c.maxPage - 1; ++k) {
            const ReportPage page = Page(k + 1, c.maxPage);
            std::vector<std::pair<std::string, int>> expected;
            std::size_t t = 0;
            for (int row : c.pages[static_cast<std::size_t>(k - 1)]) {
                expected.emplace_back("Channel " + std::to_string(row) + ":", blockTops[t++]);
            }
            EXPECT_EQ(Headings(page), expected) << "channel page " << k;
            EXPECT_EQ(TextAt(page, 45 * kW, -36 * kLh1),
                      "Page " + std::to_string(k + 1) + " of " + std::to_string(c.maxPage));
        }
        EXPECT_EQ(TextAt(Page(1, c.maxPage), 45 * kW, -36 * kLh1),
                  "Page 1 of " + std::to_string(c.maxPage));
    }
}

TEST_F(ReportLayoutTest, ChannelPagesFollowTheGridAsItIsWhenTheyAreDrawn) {
    m_grid = GridWithFilledRows(Rows(1, 16));
    m_table.Count(m_grid);
    ASSERT_EQ(m_table.MaxPage(), 4);

    // Channels 1 to 5 removed after the table was counted: the page counts again.
    m_grid = GridWithFilledRows(Rows(6, 16));
    const ReportPage first = Page(2, 4);
    EXPECT_EQ(m_table.filledCount(), 11);
    EXPECT_EQ(m_table.MaxPage(), 3);
    ASSERT_EQ(Headings(first).size(), 7u);
    EXPECT_EQ(Headings(first).front().first, "Channel 6:");
    EXPECT_EQ(Headings(first).back().first, "Channel 12:");
    // The footer keeps the page count the print run was prepared with.
    EXPECT_EQ(TextAt(first, 45 * kW, -36 * kLh1), "Page 2 of 4");

    const auto second = Headings(Page(3, 3));
    EXPECT_EQ(second, (std::vector<std::pair<std::string, int>>{{"Channel 13:", -1336},
                                                                {"Channel 14:", -3239},
                                                                {"Channel 15:", -5143},
                                                                {"Channel 16:", -7047}}));
    // A page the grid no longer fills, and one past any channel page, carry only the frame.
    for (int beyond : {4, 5}) {
        const ReportPage page = Page(beyond, 4);
        EXPECT_TRUE(Headings(page).empty()) << beyond;
        EXPECT_EQ(TextAt(page, 6 * kW, -kLh1), "Channel");
        EXPECT_EQ(Lines(page).size(), 3u);
    }
}

TEST_F(ReportLayoutTest, EveryOptionValueRule) {
    struct Case {
        std::size_t offset;
        std::uint8_t value;
        int line;
        const char* english;
        const char* chinese;
    };
    const Case cases[] = {
        {0x130, 0x04, 5, "60s", "60s"},
        {0x130, 0x28, 5, "600s", "600s"},
        {0x130, 0xC1, 5, "15s", "15s"},  // bits 6-7 are not the timer's
        {0x130, 0x00, 5, "0s", "0s"},
        {0x131, 0x01, 6, "Off", "关"},
        {0x131, 0x02, 6, "1", "1"},
        {0x131, 0x0B, 6, "10", "10"},
        {0x131, 0xF1, 6, "Off", "关"},
        // Code 0 is what the options dialog stores for no choice; it shows as no choice there.
        {0x131, 0x00, 6, "", ""},
        {0x131, 0xF0, 6, "", ""},
        {0x134, 0x09, 7, "9", "9"},
        {0x134, 0xF3, 7, "3", "3"},
        {0x136, 0x01, 8, "On", "开"},
        {0x136, 0xFE, 8, "Off", "关"},
        {0x13A, 0x00, 9, "Off", "关"},
        {0x13A, 0x0A, 9, "10", "10"},
        {0x13A, 0xE0, 9, "Off", "关"},
        {0x13A, 0x25, 9, "5", "5"},
        {0x13B, 0x00, 10, "0.3", "0.3"},
        {0x13B, 0x01, 10, "0.5", "0.5"},
        {0x13B, 0x02, 10, "1.0", "1.0"},
        {0x13B, 0x03, 10, "1.5", "1.5"},
        {0x13B, 0x04, 10, "2.0", "2.0"},
        {0x13B, 0x05, 10, "3.0", "3.0"},
        {0x13B, 0x06, 10, "3.0", "3.0"},
        {0x13B, 0x07, 10, "3.0", "3.0"},
        {0x13B, 0xF9, 10, "0.5", "0.5"},
        {0x3F0, 0x00, 11, "Off", "关"},
        {0x3F0, 0x03, 11, "3", "3"},
        {0x3F0, 0xFF, 11, "255", "255"},
        {0x135, 0x01, 12, "On", "开"},
        {0x135, 0x00, 12, "Off", "关"},
        {0x12F, 0x00, 13, "Off", "关"},
        {0x12F, 0xFD, 13, "Chinese", "中文"},
        {0x12F, 0x02, 13, "English", "英文"},
        {0x12F, 0x03, 13, "English", "英文"},
        {0x3C7, 0x01, 14, "On", "开"},
        {0x3C7, 0xFE, 14, "Off", "关"},
        {0x3C7, 0x02, 15, "On", "开"},
        {0x3C7, 0xFD, 15, "Off", "关"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.offset << " = " << int{c.value});
        m_image = NewRadioImage(PackedPassword{0, 0, 0});
        m_image[c.offset] = c.value;
        EXPECT_EQ(TextAt(Page(1, 1, Language::English), 35 * kW, -c.line * kLh2), c.english);
        EXPECT_EQ(TextAt(Page(1, 1, Language::Chinese), 35 * kW, -c.line * kLh2), c.chinese);
    }
}

TEST_F(ReportLayoutTest, ChineseLabelsWithTheFooterInEnglish) {
    const ReportPage options = Page(1, 2, Language::Chinese, "示例公司");
    EXPECT_EQ(TextAt(options, 6 * kW, -kLh1), "可选功能");
    EXPECT_EQ(TextAt(options, 6 * kW, -4 * kLh2), "功能");
    const char* labels[] = {"超时定时器:",   "超时定时器预警:", "静噪电平:", "提示音:",
                            "声控增益电平:", "声控延时时间:",   "呼叫铃音:", "电池省电:",
                            "语音报号:",     "声控功能:",       "扫描功能:"};
    for (int n = 5; n <= 15; ++n) {
        EXPECT_EQ(TextAt(options, 9 * kW, -n * kLh2), labels[n - 5]);
    }
    EXPECT_EQ(TextAt(options, 10 * kW, -36 * kLh1), "示例公司");
    EXPECT_EQ(TextAt(options, 45 * kW, -36 * kLh1), "Page 1 of 2");

    FillChannel(m_grid, 9, {"136.12500", "137.00000", "D023N", "无", "高", "有", "载波", "宽"});
    const ReportPage channels = Page(2, 2, Language::Chinese);
    EXPECT_EQ(TextAt(channels, 6 * kW, -kLh1), "信道");
    EXPECT_EQ(TextAt(channels, 4 * kW, -4 * kLh2), "信道9:");
    const char* rows[4][4] = {{"接收频率:", "136.12500", "发射频率:", "137.00000"},
                              {"QT/DQT解码:", "D023N", "QT/DQT编码:", "无"},
                              {"功率:", "高", "扫描开关:", "有"},
                              {"信道锁定:", "载波", "宽/窄:", "宽"}};
    for (int line = 0; line < 4; ++line) {
        const int y = -(line + 5) * kLh2;
        const int xs[] = {5 * kW, 22 * kW, 36 * kW, 55 * kW};
        for (int at = 0; at < 4; ++at) {
            EXPECT_EQ(TextAt(channels, xs[at], y), rows[line][at]);
        }
    }
    EXPECT_EQ(TextAt(channels, 45 * kW, -36 * kLh1), "Page 2 of 2");
}

TEST_F(ReportLayoutTest, NothingToDrawBeforeTheFirstPageOrWithoutAResolution) {
    m_grid = GridWithFilledRows(Rows(1, 16));
    const ReportSource source{m_image, m_grid, Language::English, "owner"};
    EXPECT_TRUE(BuildReportPage(0, 4, m_table, source, kA4, m_metrics).ops.empty());
    EXPECT_TRUE(
        BuildReportPage(2, 4, m_table, source, {4760, 6814, 0, 600}, m_metrics).ops.empty());
    EXPECT_TRUE(m_metrics.m_asked.empty());
    EXPECT_EQ(m_table.filledCount(), 0);
}

}  // namespace
}  // namespace radioprog
