#pragma once

#include <QDesktopServices>
#include <QFileInfo>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace radioprog::gui::testing {

/// Takes the place of the desktop's browser while it lives: remembers every local page the
/// program asks it to open.
class OpenedPages : public QObject {
    Q_OBJECT
public:
    OpenedPages() { QDesktopServices::setUrlHandler("file", this, "Open"); }
    ~OpenedPages() override { QDesktopServices::unsetUrlHandler("file"); }

    QList<QUrl> urls;

    /// The pages by file name, each with its "#anchor" when it has one.
    QStringList Names() const {
        QStringList names;
        for (const QUrl& url : urls) {
            names << QFileInfo(url.toLocalFile()).fileName() +
                         (url.hasFragment() ? "#" + url.fragment() : QString());
        }
        return names;
    }

public slots:
    void Open(const QUrl& url) { urls << url; }
};

}  // namespace radioprog::gui::testing
