#pragma once

#include <QString>

class QWidget;

namespace radioprog::gui {

/// Asks where to export the document whose file is @p documentPath, proposing its own name with
/// @p suffix ("pdf", "csv") in its folder when it has one; @p suffix is added to a chosen name
/// without one. Empty when the user cancelled.
QString AskExportName(QWidget* parent, const QString& caption, const QString& documentPath,
                      const QString& suffix, const QString& filter);

}  // namespace radioprog::gui
