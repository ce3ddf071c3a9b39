#pragma once

#include <string>

#include "core/base/language.h"
#include "core/radio/channel_grid.h"
#include "core/radio/memory_image.h"
#include "core/report/print_page_table.h"
#include "core/report/report_page.h"

namespace radioprog {

/// The part of the page the printer can draw on, as the print job reports it for the page.
struct PrintableArea {
    int widthPixels = 0;
    int heightPixels = 0;
    int dpiX = 0;  ///< device pixels per inch across
    int dpiY = 0;  ///< device pixels per inch down
};

/// The report's grid: the printable width is 66 columns and the height 45 rows, both in whole
/// twips (integer arithmetic truncated toward zero).
struct ReportUnits {
    int column = 0;  ///< W
    int row = 0;     ///< H

    bool operator==(const ReportUnits&) const = default;
};

/// Zero units for a device without a positive resolution.
ReportUnits ComputeReportUnits(const PrintableArea& area);

/// The report font is "Times New Roman", H twips high and W wide; the small report font is 0.8
/// of each, truncated.
ReportFontInfo ReportFontFor(const ReportUnits& units);
ReportFontInfo SmallReportFontFor(const ReportUnits& units);

/// Only the renderer can measure a font on its device; the layout asks it for each page.
class ReportFontMetrics {
public:
    virtual ~ReportFontMetrics() = default;
    /// The distance from one line to the next in twips: the cell height of @p font (ascent plus
    /// descent) plus its external leading.
    virtual int LineHeight(const ReportFontInfo& font) const = 0;
};

/// What the report is printed from.
struct ReportSource {
    const RadioImage& image;  ///< for the options page
    const ChannelGrid& grid;  ///< for the channel pages, the cell texts exactly as shown
    Language language = Language::English;
    std::string owner;  ///< the footer's owner line, `Copyrights Owner` of the settings
};

/// Lays out report page @p page: 1 is the options page, any later page is channel page
/// page - 1. Every page has the double rule under its title, the rule above the footer, the
/// owner line and "Page <page> of <maxPage>", @p maxPage being the last page the print job was
/// prepared with. A channel page recounts @p table from the grid first, so it lists the grid as
/// it is now. A page before the first, or a device without a positive resolution, is blank.
ReportPage BuildReportPage(int page, int maxPage, PrintPageTable& table, const ReportSource& source,
                           const PrintableArea& area, const ReportFontMetrics& metrics);

}  // namespace radioprog
