#include "gui/app/export_names.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace radioprog::gui {

QString AskExportName(QWidget* parent, const QString& caption, const QString& documentPath,
                      const QString& suffix, const QString& filter) {
    const QFileInfo document(documentPath);
    const QString proposed =
        (document.isAbsolute() ? document.dir().filePath(document.completeBaseName())
                               : document.completeBaseName()) +
        "." + suffix;
    QString path = QFileDialog::getSaveFileName(parent, caption, proposed, filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += "." + suffix;
    }
    return path;
}

}  // namespace radioprog::gui
