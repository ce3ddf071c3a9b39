// radioprog-cli report: the printed report as a PDF document, read back with poppler's tools.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "../support/pdf_reader.h"
#include "../support/process.h"
#include "../support/temp_dir.h"
#include "cli_run.h"

namespace radioprog {
namespace {

using testing::PdfPageCount;
using testing::PdfPageImage;
using testing::PdfPageSize;
using testing::PdfPageText;
using testing::PdfPageWords;
using testing::PdfWord;
using testing::ProcessResult;
using testing::RunProcess;
using testing::TempDir;
using testing::WriteText;

class CliReportTest : public ::testing::Test {
protected:
    CliReportTest() {
        WriteText(m_dir / "Program.ini",
                  "[Setup]\nLanguage=English\nAppName=radioprog\nType1=RP-16V\n"
                  "[English]\nAppName=Radio\nCopyrights Owner=Radio Works Ltd\n"
                  "[Chinese]\nAppName=电台\nCopyrights Owner=电台有限公司\n");
    }

    ProcessResult Cli(std::vector<std::string> args) {
        return testing::RunCli(m_dir, std::move(args));
    }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }

    // A document whose channels 1-8 have 141.00000 to 148.00000 MHz, the odd ones on low power.
    std::string EightChannels() {
        const std::string file = File("eight.dat");
        EXPECT_EQ(Cli({"new", "-o", file}).exitCode, 0);
        for (int channel = 1; channel <= 8; ++channel) {
            const ProcessResult set =
                Cli({"set", file, std::to_string(channel), "rx=" + std::to_string(140 + channel),
                     channel % 2 ? "power=Low" : "power=High"});
            EXPECT_EQ(set.exitCode, 0) << set.err;
        }
        return file;
    }

    std::string Report(const std::string& file, const std::vector<std::string>& extra = {}) {
        const std::string pdf = File("report.pdf");
        std::vector<std::string> args = {"report", file, "-o", pdf};
        args.insert(args.end(), extra.begin(), extra.end());
        const ProcessResult result = Cli(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return pdf;
    }

    TempDir m_dir;
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(CliReportTest, EnglishReportListsTheOptionsAndEveryFilledChannelAsTheGridShowsIt) {
    const std::string file = EightChannels();
    const ProcessResult shown = Cli({"show", file, "--json"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    const auto channels = nlohmann::json::parse(shown.out)["channels"];
    const std::string pdf = Report(file);
    ASSERT_EQ(PdfPageCount(pdf), 3);

    const std::string options = PdfPageText(pdf, 1);
    for (const char* expected :
         {"Option", "Function", "Time Out Timer:", "60s",
          "TOT Pre-Alert:", "Sequelch Level:", "Vox Delay Time:", "Voice Annunciation:", "Chinese",
          "Scan Function:", "Radio Works Ltd", "Page 1 of 3"}) {
        EXPECT_TRUE(Contains(options, expected)) << expected << "\n" << options;
    }

    // Seven blocks on the first channel page, the eighth alone on the next.
    for (int page = 2; page <= 3; ++page) {
        const std::string text = PdfPageText(pdf, page);
        EXPECT_TRUE(Contains(text, "Page " + std::to_string(page) + " of 3")) << text;
        EXPECT_TRUE(Contains(text, "Radio Works Ltd")) << text;
        for (int channel = 1; channel <= 8; ++channel) {
            const bool here = (channel <= 7) == (page == 2);
            EXPECT_EQ(Contains(text, "Channel " + std::to_string(channel) + ":"), here)
                << channel << "\n"
                << text;
            if (!here) {
                continue;
            }
            const auto& cells = channels[static_cast<std::size_t>(channel - 1)];
            for (const char* field : {"rx", "tx", "dec", "enc", "power", "scan", "busy", "wn"}) {
                EXPECT_TRUE(Contains(text, cells[field].get<std::string>()))
                    << channel << " " << field << "\n"
                    << text;
            }
        }
        for (const char* label : {"Receive Frequency:", "Transceive Frequency:", "QT/DQT Decode:",
                                  "QT/DQT Encode:", "Power:", "Scan:", "Channel Lock:", "W/N:"}) {
            EXPECT_TRUE(Contains(text, label)) << label << "\n" << text;
        }
    }
    EXPECT_TRUE(Contains(PdfPageText(pdf, 2), "141.00000"));
    EXPECT_TRUE(Contains(PdfPageText(pdf, 3), "148.00000"));
}

TEST_F(CliReportTest, ChineseReportUsesChineseLabelsCellsAndOwnerWithTheFooterInEnglish) {
    const std::string pdf = Report(EightChannels(), {"--lang", "zh"});
    ASSERT_EQ(PdfPageCount(pdf), 3);
    const std::string options = PdfPageText(pdf, 1);
    for (const char* expected : {"可选功能", "功能", "超时定时器:", "超时定时器预警:", "语音报号:",
                                 "中文", "电台有限公司", "Page 1 of 3"}) {
        EXPECT_TRUE(Contains(options, expected)) << expected << "\n" << options;
    }
    const std::string channels = PdfPageText(pdf, 2);
    for (const char* expected : {"信道", "信道1:", "信道7:", "接收频率:", "发射频率:", "141.00000",
                                 "功率:", "低", "高", "宽/窄:", "Page 2 of 3"}) {
        EXPECT_TRUE(Contains(channels, expected)) << expected << "\n" << channels;
    }
    EXPECT_FALSE(Contains(channels, "Receive Frequency:"));
}

TEST_F(CliReportTest, ADocumentWithoutChannelsIsTheOptionsPageAlone) {
    ASSERT_EQ(Cli({"new", "-o", File("empty.dat")}).exitCode, 0);
    const std::string pdf = Report(File("empty.dat"));
    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_TRUE(Contains(PdfPageText(pdf, 1), "Page 1 of 1"));
}

const PdfWord* Find(const std::vector<PdfWord>& words, const std::string& text,
                    const std::string& followedBy = "") {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].text == text &&
            (followedBy.empty() || (i + 1 < words.size() && words[i + 1].text == followedBy))) {
            return &words[i];
        }
    }
    ADD_FAILURE() << "no word " << text << " " << followedBy;
    return nullptr;
}

// The words grouped into printed lines by their top edge, top to bottom.
std::vector<std::vector<PdfWord>> Lines(const std::vector<PdfWord>& words) {
    std::map<long, std::vector<PdfWord>> byTop;
    for (const PdfWord& word : words) {
        byTop[std::lround(word.yMin * 10)].push_back(word);
    }
    std::vector<std::vector<PdfWord>> lines;
    for (auto& [top, line] : byTop) {
        lines.push_back(std::move(line));
    }
    return lines;
}

// Where the words stand tells whether twips reached the page as twips: the columns of a line
// stand at whole multiples of the column unit W, the lines one line height apart, the blocks 5.7
// line heights apart, and nothing overlaps.
TEST_F(CliReportTest, TextsStandOnTheReportsGridWithoutOverlapping) {
    const std::string pdf = Report(EightChannels());
    const std::vector<PdfWord> words = PdfPageWords(pdf, 2);
    const PdfWord* heading = Find(words, "Channel", "1:");
    const PdfWord* receive = Find(words, "Receive");
    const PdfWord* value = Find(words, "141.00000");
    const PdfWord* transceive = Find(words, "Transceive");
    const PdfWord* next = Find(words, "Channel", "2:");
    const PdfWord* decode = Find(words, "QT/DQT");
    const PdfWord* footer = Find(words, "Page");
    ASSERT_TRUE(heading && receive && value && transceive && next && decode && footer);

    // Columns 4, 5, 22 and 36 of 66: W in points from one pair, checked by the others.
    const double w = receive->xMin - heading->xMin;
    EXPECT_NEAR(value->xMin - receive->xMin, 17 * w, 0.5);
    EXPECT_NEAR(transceive->xMin - receive->xMin, 31 * w, 0.5);
    const double pageWidth = PdfPageSize(pdf).first;
    EXPECT_LT(66 * w, pageWidth);
    EXPECT_GT(66 * w, 0.9 * pageWidth);

    const double lineHeight = decode->yMin - receive->yMin;
    EXPECT_GT(lineHeight, receive->yMax - receive->yMin - 0.5);
    EXPECT_NEAR(next->yMin - heading->yMin, 5.7 * lineHeight, 0.3);

    const auto lines = Lines(words);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const double bottom =
            std::max_element(lines[i - 1].begin(), lines[i - 1].end(),
                             [](const PdfWord& a, const PdfWord& b) { return a.yMax < b.yMax; })
                ->yMax;
        for (const PdfWord& word : lines[i]) {
            EXPECT_GE(word.yMin, bottom - 0.5) << word.text << " overlaps the line above";
        }
    }
    for (const auto& line : lines) {
        for (std::size_t i = 1; i < line.size(); ++i) {
            EXPECT_GE(line[i].xMin, line[i - 1].xMax) << line[i].text;
        }
    }
    // The footer closes the page.
    double bottom = 0;
    for (const PdfWord& word : words) {
        if (word.yMin < footer->yMin - 0.5) {
            bottom = std::max(bottom, word.yMax);
        }
    }
    EXPECT_GT(footer->yMin, bottom);
    EXPECT_GT(bottom, Find(words, "Channel", "7:")->yMax);
}

// The rules are drawn, not written, so they are looked for in the rendered page: a double rule
// under the title and one rule above the footer, each from column 5 to column 60.
TEST_F(CliReportTest, TheRulesStandUnderTheTitleAndAboveTheFooter) {
    const std::string pdf = Report(EightChannels());
    constexpr int kDpi = 144;
    const testing::GreyImage page = PdfPageImage(pdf, 1, kDpi);
    ASSERT_GT(page.width, 0);
    const std::vector<PdfWord> words = PdfPageWords(pdf, 1);
    const PdfWord* title = Find(words, "Option");
    const PdfWord* function = Find(words, "Function");
    const PdfWord* footer = Find(words, "Page");
    ASSERT_TRUE(title && function && footer);
    const double pixelsPerPoint = kDpi / 72.0;
    // W from the title (column 6) and the labels (column 9).
    const double w = (Find(words, "Time")->xMin - title->xMin) / 3 * pixelsPerPoint;
    const double left = title->xMin * pixelsPerPoint - w;

    std::vector<int> ruled;
    for (int y = 0; y < page.height; ++y) {
        int dark = 0;
        for (int x = 0; x < page.width; ++x) {
            dark += page.At(x, y) < 160;
        }
        if (dark > 50 * w) {
            ruled.push_back(y);
            // Each rule runs from column 5 to column 60.
            int first = 0;
            while (page.At(first, y) >= 160) {
                ++first;
            }
            EXPECT_NEAR(first, left, 2.0);
        }
    }
    // Rows next to each other belong to one rule.
    std::vector<int> rules;
    for (std::size_t i = 0; i < ruled.size(); ++i) {
        if (i == 0 || ruled[i] > ruled[i - 1] + 1) {
            rules.push_back(ruled[i]);
        }
    }
    ASSERT_EQ(rules.size(), 3u);
    // 70 twips between the two rules of the double rule.
    EXPECT_NEAR(rules[1] - rules[0], 70 / 20.0 * pixelsPerPoint, 1.5);
    EXPECT_GT(rules[0], title->yMax * pixelsPerPoint);
    EXPECT_LT(rules[1], function->yMin * pixelsPerPoint);
    EXPECT_GT(rules[2], Find(words, "Scan")->yMax * pixelsPerPoint);
    EXPECT_LT(rules[2], footer->yMin * pixelsPerPoint);
}

// Without a runtime folder in the environment the tool uses the usual private one quietly:
// its stderr is for the user's messages only.
TEST_F(CliReportTest, AMissingRuntimeFolderCostsNoNotice) {
    ASSERT_EQ(Cli({"new", "-o", File("ok.dat")}).exitCode, 0);
    const ProcessResult result = RunProcess(
        RADIOPROG_CLI,
        {"--appdir", m_dir.path().string(), "report", File("ok.dat"), "-o", File("quiet.pdf")},
        {"XDG_CONFIG_HOME=" + (m_dir / "config").string(),
         "XDG_RUNTIME_DIR=", "TMPDIR=" + m_dir.path().string()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(PdfPageCount(File("quiet.pdf")), 1);
}

TEST_F(CliReportTest, FailuresExitWithTheirCodeAndWriteNothing) {
    ASSERT_EQ(Cli({"new", "-o", File("ok.dat")}).exitCode, 0);
    WriteText(m_dir / "short.dat", "not an image");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {{"report", File("missing.dat"), "-o", File("a.pdf")}, 7, "missing.dat"},
        {{"report", File("short.dat"), "-o", File("a.pdf")}, 7, "short.dat"},
        {{"report", File("ok.dat"), "-o", File("no/such/folder/a.pdf")}, 7, "a.pdf"},
        {{"report", File("ok.dat")}, 2, "output"},
        {{"report", File("ok.dat"), "-o", File("a.pdf"), "--lang", "fr"}, 2, "fr"},
    };
    for (const Case& c : cases) {
        const ProcessResult result = Cli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args[1];
        EXPECT_TRUE(Contains(result.err, c.message)) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(File("a.pdf")));
}

}  // namespace
}  // namespace radioprog
