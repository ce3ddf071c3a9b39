#pragma once

#include <string>
#include <variant>
#include <vector>

namespace radioprog {

/// A font of the report, described so that any renderer can create it: upright, normal weight
/// (400), no underline or strike-out, the face's own character set and pitch.
struct ReportFontInfo {
    std::string face;
    /// Character height in twips: the em height, internal leading not included.
    int height = 0;
    /// Average character width in twips.
    int width = 0;

    bool operator==(const ReportFontInfo&) const = default;
};

/// The two fonts every page uses: titles in the report font, everything else in the small one.
enum class ReportFont { Report, Small };

/// A horizontal line from (x1, y) to (x2, y) in the renderer's default pen; coordinates as in
/// ReportPage.
struct ReportLine {
    int x1 = 0;
    int y = 0;
    int x2 = 0;

    bool operator==(const ReportLine&) const = default;
};

/// A text (UTF-8, except a settings value that was read as GBK) whose character cell has its
/// top-left corner at (x, y), coordinates as in ReportPage: the top of the cell is the font's
/// ascent above the baseline.
struct ReportText {
    int x = 0;
    int y = 0;
    ReportFont font = ReportFont::Small;
    std::string text;

    bool operator==(const ReportText&) const = default;
};

using ReportDrawOp = std::variant<ReportLine, ReportText>;

/// One printed page: its two fonts and what to draw, in drawing order.
///
/// Coordinates are twips measured from the top-left corner of the printable area. x grows to
/// the right; y grows upward from the top edge, so every y on a page is negative and a renderer
/// whose y grows downward draws at -y.
struct ReportPage {
    ReportFontInfo reportFont;
    ReportFontInfo smallFont;
    std::vector<ReportDrawOp> ops;

    const ReportFontInfo& Font(ReportFont font) const {
        return font == ReportFont::Report ? reportFont : smallFont;
    }
};

}  // namespace radioprog
