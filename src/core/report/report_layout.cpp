#include "core/report/report_layout.h"

#include <array>
#include <cstdint>
#include <utility>

#include "core/radio/image_fields.h"

namespace radioprog {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kColumnsAcross = 66;
constexpr int kRowsDown = 45;
constexpr double kSmallScale = 0.8;
// Channel blocks stand 5.7 small lines apart: five lines of text and a gap.
constexpr double kBlockPitch = 5.7;
constexpr const char* kFace = "Times New Roman";

constexpr BilingualText kOn{"On", "开"};
constexpr BilingualText kOff{"Off", "关"};
constexpr BilingualText kVoiceChinese{"Chinese", "中文"};
constexpr BilingualText kVoiceEnglish{"English", "英文"};

constexpr BilingualText kOptionTitle{"Option", "可选功能"};
constexpr BilingualText kFunctionHeading{"Function", "功能"};
constexpr BilingualText kChannelTitle{"Channel", "信道"};
constexpr BilingualText kChannelLabel{"Channel ", "信道"};

struct ChannelLine {
    BilingualText leftLabel;
    int leftColumn;
    BilingualText rightLabel;
    int rightColumn;
};
constexpr std::array<ChannelLine, 4> kChannelLines = {{
    {{"Receive Frequency:", "接收频率:"},
     column::kRxFrequency,
     {"Transceive Frequency:", "发射频率:"},
     column::kTxFrequency},
    {{"QT/DQT Decode:", "QT/DQT解码:"},
     column::kRxTone,
     {"QT/DQT Encode:", "QT/DQT编码:"},
     column::kTxTone},
    {{"Power:", "功率:"}, column::kPower, {"Scan:", "扫描开关:"}, column::kScanAdd},
    {{"Channel Lock:", "信道锁定:"}, column::kBusyLock, {"W/N:", "宽/窄:"}, column::kWideNarrow},
}};

int TwipsFromPixels(int pixels, int dpi) {
    // Wide enough for any page a printer can report.
    return static_cast<int>(std::int64_t{pixels} * kTwipsPerInch / dpi);
}

int Truncated(double value) {
    return static_cast<int>(value);
}

std::string Localized(BilingualText text, Language language) {
    return std::string(text.In(language));
}

std::string OnOff(bool on, Language language) {
    return Localized(on ? kOn : kOff, language);
}

std::string NumberOrOff(int value, Language language) {
    return value == 0 ? Localized(kOff, language) : std::to_string(value);
}

std::string VoxDelayText(int code) {
    static constexpr std::array<const char*, 8> kDelays = {"0.3", "0.5", "1.0", "1.5",
                                                           "2.0", "3.0", "3.0", "3.0"};
    return kDelays[static_cast<std::size_t>(code)];
}

std::string VoiceText(int code, Language language) {
    switch (code) {
        case 0:
            return Localized(kOff, language);
        case 1:
            return Localized(kVoiceChinese, language);
        default:
            return Localized(kVoiceEnglish, language);
    }
}

struct OptionLine {
    BilingualText label;
    std::string value;
};

std::array<OptionLine, 11> OptionLines(const RadioImage& image, Language language) {
    // Pre-alert codes are the pre-alert plus one, so that 1 can mean Off; 0 is what the options
    // dialog stores when nothing is chosen, and prints as nothing rather than as -1.
    const int preAlert = field::kTotPreAlert.Read(image);
    return {{
        {{"Time Out Timer:", "超时定时器:"},
         std::to_string(field::kTimeOutTimerReport.Read(image) * 15) + "s"},
        {{"TOT Pre-Alert:", "超时定时器预警:"},
         preAlert == 0   ? std::string()
         : preAlert == 1 ? Localized(kOff, language)
                         : std::to_string(preAlert - 1)},
        {{"Sequelch Level:", "静噪电平:"}, std::to_string(field::kSquelchLevel.Read(image))},
        {{"Beep:", "提示音:"}, OnOff(field::kBeep.Read(image) != 0, language)},
        {{"Vox Gain Level:", "声控增益电平:"},
         NumberOrOff(field::kVoxGainReport.Read(image), language)},
        {{"Vox Delay Time:", "声控延时时间:"}, VoxDelayText(field::kVoxDelayReport.Read(image))},
        {{"Call Tone:", "呼叫铃音:"}, NumberOrOff(field::kCallTone.Read(image), language)},
        {{"Battery Saver:", "电池省电:"}, OnOff(field::kBatterySaver.Read(image) != 0, language)},
        {{"Voice Annunciation:", "语音报号:"},
         VoiceText(field::kVoiceAnnunciation.Read(image), language)},
        {{"VOX Function:", "声控功能:"}, OnOff(field::kVoxFunction.Read(image) != 0, language)},
        {{"Scan Function:", "扫描功能:"}, OnOff(field::kScanFunction.Read(image) != 0, language)},
    }};
}

class PageBuilder {
public:
    PageBuilder(ReportUnits units, int lh1, int lh2) : m_w(units.column), m_lh1(lh1), m_lh2(lh2) {}

    void Line(int y) { m_ops.emplace_back(ReportLine{5 * m_w, y, 60 * m_w}); }
    void Text(int columns, int y, ReportFont font, std::string text) {
        m_ops.emplace_back(ReportText{columns * m_w, y, font, std::move(text)});
    }

    void Frame() {
        Line(-2 * m_lh1 - 50);
        Line(-2 * m_lh1 - 120);
        Line(m_lh1 / 2 - 36 * m_lh1);
    }

    void OptionsPage(const RadioImage& image, Language language) {
        Text(6, -m_lh1, ReportFont::Report, Localized(kOptionTitle, language));
        Text(6, -4 * m_lh2, ReportFont::Small, Localized(kFunctionHeading, language));
        int n = 5;
        for (OptionLine& line : OptionLines(image, language)) {
            Text(9, -n * m_lh2, ReportFont::Small, Localized(line.label, language));
            Text(35, -n * m_lh2, ReportFont::Small, std::move(line.value));
            ++n;
        }
    }

    void ChannelPage(const std::vector<int>& rows, const ChannelGrid& grid, Language language) {
        Text(6, -m_lh1, ReportFont::Report, Localized(kChannelTitle, language));
        int t = 0;
        for (int row : rows) {
            const int d = Truncated(t * kBlockPitch * m_lh2);
            Text(4, -4 * m_lh2 - d, ReportFont::Small,
                 Localized(kChannelLabel, language) + std::to_string(row) + ":");
            int n = 5;
            for (const ChannelLine& line : kChannelLines) {
                const int y = -n * m_lh2 - d;
                Text(5, y, ReportFont::Small, Localized(line.leftLabel, language));
                Text(22, y, ReportFont::Small, grid.TextMatrix(row, line.leftColumn));
                Text(36, y, ReportFont::Small, Localized(line.rightLabel, language));
                Text(55, y, ReportFont::Small, grid.TextMatrix(row, line.rightColumn));
                ++n;
            }
            ++t;
        }
    }

    void Footer(const std::string& owner, int page, int maxPage) {
        const int y = -36 * m_lh1;
        Text(10, y, ReportFont::Small, owner);
        // The page numbering exists in English only.
        Text(45, y, ReportFont::Small,
             "Page " + std::to_string(page) + " of " + std::to_string(maxPage));
    }

    std::vector<ReportDrawOp> Take() { return std::move(m_ops); }

private:
    int m_w;
    int m_lh1;
    int m_lh2;
    std::vector<ReportDrawOp> m_ops;
};

}  // namespace

ReportUnits ComputeReportUnits(const PrintableArea& area) {
    if (area.dpiX <= 0 || area.dpiY <= 0) {
        return {};
    }
    return {TwipsFromPixels(area.widthPixels, area.dpiX) / kColumnsAcross,
            TwipsFromPixels(area.heightPixels, area.dpiY) / kRowsDown};
}

ReportFontInfo ReportFontFor(const ReportUnits& units) {
    return {kFace, units.row, units.column};
}

ReportFontInfo SmallReportFontFor(const ReportUnits& units) {
    return {kFace, Truncated(units.row * kSmallScale), Truncated(units.column * kSmallScale)};
}

ReportPage BuildReportPage(int page, int maxPage, PrintPageTable& table, const ReportSource& source,
                           const PrintableArea& area, const ReportFontMetrics& metrics) {
    if (page < 1 || area.dpiX <= 0 || area.dpiY <= 0) {
        return {};
    }
    const ReportUnits units = ComputeReportUnits(area);
    ReportPage result;
    result.reportFont = ReportFontFor(units);
    result.smallFont = SmallReportFontFor(units);
    const int lh1 = metrics.LineHeight(result.reportFont);
    const int lh2 = metrics.LineHeight(result.smallFont);
    PageBuilder builder(units, lh1, lh2);
    builder.Frame();
    if (page == 1) {
        builder.OptionsPage(source.image, source.language);
    } else {
        table.Count(source.grid);
        builder.ChannelPage(table.ChannelRows(page - 1, source.grid), source.grid, source.language);
    }
    builder.Footer(source.owner, page, maxPage);
    result.ops = builder.Take();
    return result;
}

}  // namespace radioprog
