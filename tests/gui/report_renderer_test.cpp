// The report renderer's fonts and texts on devices of different resolutions.
#include "gui/view/report_renderer.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPdfWriter>

#include "gui_fixture.h"

namespace radioprog::gui {
namespace {

// A page to measure on at @p dpi: a PDF writer, whose pages are never written.
class PdfDevice {
public:
    explicit PdfDevice(int dpi) : m_writer(&m_buffer) {
        m_buffer.open(QIODevice::WriteOnly);
        m_writer.setResolution(dpi);
        m_writer.setPageLayout(DefaultReportPageLayout());
    }
    QPdfWriter& device() { return m_writer; }

private:
    QByteArray m_bytes;
    QBuffer m_buffer{&m_bytes};
    QPdfWriter m_writer;
};

QImage ImageDevice(int dpi) {
    QImage image(100, 100, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

// Widths and heights in inches, so that devices of any resolution compare.
struct Measured {
    double textWidth;
    double cellHeight;
};

Measured Measure(const ReportFontInfo& info, QPaintDevice& device) {
    const QFont font = ReportQFont(info, device);
    const QFontMetricsF metrics(font, &device);
    return {metrics.horizontalAdvance("Receive Frequency: 145.50000") / device.logicalDpiX(),
            metrics.height() / device.logicalDpiY()};
}

TEST(ReportRenderer, FontsKeepTheirSizeInInchesOnEveryResolution) {
    const ReportFontInfo font{"Times New Roman", 363, 173};
    PdfDevice twips(1440);
    PdfDevice printer(600);
    QImage screen = ImageDevice(96);
    const Measured reference = Measure(font, twips.device());
    for (QPaintDevice* device :
         {static_cast<QPaintDevice*>(&printer.device()), static_cast<QPaintDevice*>(&screen)}) {
        SCOPED_TRACE(device->logicalDpiX());
        const Measured measured = Measure(font, *device);
        EXPECT_NEAR(measured.textWidth, reference.textWidth, reference.textWidth * 0.03);
        EXPECT_NEAR(measured.cellHeight, reference.cellHeight, reference.cellHeight * 0.03);
    }
    // H twips is the em height; the cell adds the room above and below the letters.
    EXPECT_GT(reference.cellHeight * 1440, 363);
    EXPECT_LT(reference.cellHeight * 1440, 363 * 1.4);

    const PaintDeviceFontMetrics atTwips(twips.device());
    const PaintDeviceFontMetrics atPrinter(printer.device());
    EXPECT_NEAR(atTwips.LineHeight(font), atPrinter.LineHeight(font), 3);
    EXPECT_GE(atTwips.LineHeight(font), static_cast<int>(reference.cellHeight * 1440));
}

// The width of the font is the report's column unit: asking for twice the width gives text
// twice as wide and no taller, as a printer's font mapper stretches a face.
TEST(ReportRenderer, TheWidthStretchesTheFaceWithoutChangingItsHeight) {
    PdfDevice twips(1440);
    const Measured narrow = Measure({"Times New Roman", 363, 120}, twips.device());
    const Measured wide = Measure({"Times New Roman", 363, 240}, twips.device());
    EXPECT_NEAR(wide.textWidth, 2 * narrow.textWidth, narrow.textWidth * 0.05);
    EXPECT_NEAR(wide.cellHeight, narrow.cellHeight, narrow.cellHeight * 0.01);
    // Chinese comes from a fallback face and stretches with it.
    const QFont font = ReportQFont({"Times New Roman", 363, 240}, twips.device());
    const QFont half = ReportQFont({"Times New Roman", 363, 120}, twips.device());
    const double wideHan = QFontMetricsF(font, &twips.device()).horizontalAdvance("信道");
    const double narrowHan = QFontMetricsF(half, &twips.device()).horizontalAdvance("信道");
    EXPECT_NEAR(wideHan, 2 * narrowHan, narrowHan * 0.05);
}

TEST(ReportRenderer, SettingsTextsInGbkAreReadAsChinese) {
    EXPECT_EQ(ReportString("Radio Works"), "Radio Works");
    EXPECT_EQ(ReportString("电台有限公司"), QString::fromUtf8("电台有限公司"));
    // 电台 as GBK bytes, as a settings file written on a Chinese system holds it.
    EXPECT_EQ(ReportString("\xB5\xE7\xCC\xA8 Ltd"), QString::fromUtf8("电台 Ltd"));
}

}  // namespace
}  // namespace radioprog::gui
