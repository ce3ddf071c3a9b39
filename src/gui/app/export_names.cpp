#include "gui/app/export_names.h"

#include <QFileDialog>

#include "core/doc/document_session.h"

namespace radioprog::gui {

QString AskExportName(QWidget* parent, const QString& caption, const QString& documentPath,
                      const QString& suffix, const QString& filter) {
    const std::string extension = "." + suffix.toStdString();
    const QString proposed = QString::fromStdString(
        DocumentSession::ExportName(documentPath.toStdString(), extension).string());
    const QString path = QFileDialog::getSaveFileName(parent, caption, proposed, filter);
    if (path.isEmpty()) {
        return path;
    }
    return QString::fromStdString(
        DocumentSession::WithExtension(path.toStdString(), extension).string());
}

}  // namespace radioprog::gui
