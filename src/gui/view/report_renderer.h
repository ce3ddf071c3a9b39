#pragma once

#include <QByteArray>
#include <QFont>
#include <QPageLayout>
#include <QString>
#include <string>

#include "core/report/report_layout.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace radioprog::gui {

/// Measures the report's fonts as they come out on one paint device.
class PaintDeviceFontMetrics : public ReportFontMetrics {
public:
    explicit PaintDeviceFontMetrics(QPaintDevice& device) : m_device(device) {}
    int LineHeight(const ReportFontInfo& font) const override;

private:
    QPaintDevice& m_device;
};

/// The font @p info describes, bound to @p device: its em height is the character height and it
/// is stretched until its average character (the lower-case letters and the space, weighted as
/// in English text) is as wide as asked. Characters the face lacks (the Chinese ones of a Latin
/// face) come from the system's fallback fonts.
QFont ReportQFont(const ReportFontInfo& info, QPaintDevice& device);

/// A report text as Qt reads it: UTF-8, or GBK for a settings value written that way.
QString ReportString(const std::string& text);

/// The part of @p device a page can be drawn on, as the layout measures it.
PrintableArea AreaOf(const QPaintDevice& device);

/// Draws one laid-out page with @p painter, which is active on the page's device: lines in a
/// one-pixel pen, texts with the top-left corner of their character cell at the given place.
void DrawReportPage(QPainter& painter, const ReportPage& page);

/// Which pages one print run produces.
struct ReportRun {
    /// The last page of the report when the run was prepared; every footer counts to it.
    int maxPage = 1;
    /// The pages to print, 1-based and inclusive; 0 means from the first or to the last.
    int fromPage = 0;
    int toPage = 0;
};

/// Prints the pages of @p run onto @p device, one device page each, laying each out as it is
/// printed (a channel page recounts @p table from the grid). The one render path of print,
/// print preview and PDF export.
/// @return false when the device refused to paint or to start a page, or when the run names
///         no page of the report.
bool PrintReport(QPagedPaintDevice& device, PrintPageTable& table, const ReportSource& source,
                 const ReportRun& run);

/// Counts the filled channels and renders the whole report as a PDF document whose unit is one
/// twip, on pages of @p layout. @return false when nothing could be drawn.
bool ReportPdf(const QPageLayout& layout, PrintPageTable& table, const ReportSource& source,
               QByteArray& pdf);

/// A4 upright with the margins a usual printer cannot print on, for a report made without a
/// printer.
QPageLayout DefaultReportPageLayout();

}  // namespace radioprog::gui
