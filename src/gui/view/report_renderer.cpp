#include "gui/view/report_renderer.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QStringDecoder>
#include <algorithm>
#include <variant>

namespace radioprog::gui {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPoint = 20.0;
// Qt's limits for a font's stretch, in percent.
constexpr int kMinStretch = 1;
constexpr int kMaxStretch = 4000;
// The usual margin a printer cannot print on, a sixth of an inch.
constexpr double kDefaultMarginMm = 4.23;

double DeviceX(const QPaintDevice& device, int twips) {
    return twips * device.logicalDpiX() / kTwipsPerInch;
}

double DeviceY(const QPaintDevice& device, int twips) {
    return twips * device.logicalDpiY() / kTwipsPerInch;
}

// The two fonts of one page, made once for the page as the printer made them.
struct PageFonts {
    QFont report;
    QFont small;

    const QFont& Of(ReportFont font) const { return font == ReportFont::Report ? report : small; }
};

// A font's average character width as font files of the classic kind state it (the OS/2
// table's xAvgCharWidth up to version 2), which is the width a printer's font mapper stretches
// to: the lower-case letters and the space, weighted by how often English text uses them.
// Newer files average all their glyphs instead, which makes a face with many wide ones look
// wider than its text is; measuring the letters keeps every substitute face comparable.
double ClassicAverageWidth(const QFontMetricsF& metrics) {
    static constexpr int kLetterWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6, 35, 20,
                                               56, 56, 17, 4,  49,  56, 71, 31, 10, 18, 3, 18, 2};
    constexpr int kSpaceWeight = 166;
    constexpr double kWeightTotal = 1000.0;
    double sum = kSpaceWeight * metrics.horizontalAdvance(QChar(' '));
    for (int letter = 0; letter < 26; ++letter) {
        sum += kLetterWeights[letter] *
               metrics.horizontalAdvance(QChar(static_cast<char16_t>(u'a' + letter)));
    }
    return sum / kWeightTotal;
}

}  // namespace

QFont ReportQFont(const ReportFontInfo& info, QPaintDevice& device) {
    QFont font(QString::fromStdString(info.face));
    font.setStyleHint(QFont::Serif);
    font.setWeight(QFont::Normal);
    if (info.height <= 0) {
        return QFont(font, &device);
    }
    font.setPointSizeF(info.height / kTwipsPerPoint);
    QFont bound(font, &device);
    const double natural = ClassicAverageWidth(QFontMetricsF(bound, &device));
    const double wanted = DeviceX(device, info.width);
    if (natural > 0 && wanted > 0) {
        bound.setStretch(
            std::clamp(static_cast<int>(100 * wanted / natural + 0.5), kMinStretch, kMaxStretch));
    }
    return bound;
}

int PaintDeviceFontMetrics::LineHeight(const ReportFontInfo& font) const {
    const QFontMetricsF metrics(ReportQFont(font, m_device), &m_device);
    const int dpiY = m_device.logicalDpiY();
    return dpiY > 0 ? static_cast<int>(metrics.lineSpacing() * kTwipsPerInch / dpiY + 0.5) : 0;
}

QString ReportString(const std::string& text) {
    QStringDecoder utf8(QStringConverter::Utf8);
    QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError()) {
        return decoded;
    }
    QStringDecoder gbk("GB18030");
    if (gbk.isValid()) {
        return gbk(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    }
    // Without a GBK decoder the bytes stay visible as replacement characters.
    return decoded;
}

PrintableArea AreaOf(const QPaintDevice& device) {
    return {device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY()};
}

void DrawReportPage(QPainter& painter, const ReportPage& page) {
    QPaintDevice& device = *painter.device();
    const PageFonts fonts{ReportQFont(page.reportFont, device),
                          ReportQFont(page.smallFont, device)};
    // A pen of width 0 is one device pixel wide, as a printer's default pen is.
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    for (const ReportDrawOp& op : page.ops) {
        if (const auto* line = std::get_if<ReportLine>(&op)) {
            const double y = DeviceY(device, -line->y);
            painter.drawLine(QPointF(DeviceX(device, line->x1), y),
                             QPointF(DeviceX(device, line->x2), y));
            continue;
        }
        const auto& text = std::get<ReportText>(op);
        const QFont& font = fonts.Of(text.font);
        painter.setFont(font);
        // The layout places the top of the character cell; Qt draws on the baseline.
        const double ascent = QFontMetricsF(font, &device).ascent();
        painter.drawText(QPointF(DeviceX(device, text.x), DeviceY(device, -text.y) + ascent),
                         ReportString(text.text));
    }
}

bool PrintReport(QPagedPaintDevice& device, PrintPageTable& table, const ReportSource& source,
                 const ReportRun& run) {
    const int first = std::max(run.fromPage, 1);
    const int last = run.toPage > 0 ? std::min(run.toPage, run.maxPage) : run.maxPage;
    QPainter painter;
    if (first > last || !painter.begin(&device)) {
        return false;
    }
    const PaintDeviceFontMetrics metrics(device);
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            painter.end();
            return false;
        }
        const ReportPage laidOut =
            BuildReportPage(page, run.maxPage, table, source, AreaOf(device), metrics);
        DrawReportPage(painter, laidOut);
    }
    return painter.end();
}

bool ReportPdf(const QPageLayout& layout, PrintPageTable& table, const ReportSource& source,
               QByteArray& pdf) {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    // One unit is one twip, the unit the report is laid out in.
    writer.setResolution(static_cast<int>(kTwipsPerInch));
    writer.setPageLayout(layout);
    writer.setCreator(QStringLiteral("radioprog"));
    table.Count(source.grid);
    return PrintReport(writer, table, source, {table.MaxPage(), 0, 0});
}

QPageLayout DefaultReportPageLayout() {
    return QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kDefaultMarginMm, kDefaultMarginMm, kDefaultMarginMm, kDefaultMarginMm),
        QPageLayout::Millimeter);
}

}  // namespace radioprog::gui
