#pragma once

#include <QObject>
#include <QPixmap>
#include <filesystem>

class QMdiArea;
class QWidget;

namespace radioprog::gui {

/// Paints the background of the main window's document area: "background.bmp" of the
/// application directory, loaded again at every repaint so that a new file shows at once, or
/// the built-in picture when there is none; tiled from the top left corner.
class CMdiClientWnd : public QObject {
    Q_OBJECT
public:
    CMdiClientWnd(std::filesystem::path appDirectory, QMdiArea* area);

    /// The picture a repaint tiles now.
    QPixmap Picture() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::filesystem::path m_appDirectory;
    QWidget* m_viewport;
};

}  // namespace radioprog::gui
