#include "gui/app/mdi_client_wnd.h"

#include <QImage>
#include <QMdiArea>
#include <QPaintEvent>
#include <QPainter>

#include "gui/app/built_in_pictures.h"
#include "gui/shell/tiling.h"

namespace radioprog::gui {

// Owned by the viewport it paints, and holding that and nothing of the area: the viewport still
// tells its filters of events while the area around it is being torn down.
CMdiClientWnd::CMdiClientWnd(std::filesystem::path appDirectory, QMdiArea* area)
    : QObject(area->viewport()),
      m_appDirectory(std::move(appDirectory)),
      m_viewport(area->viewport()) {
    setObjectName("mdiClient");
    m_viewport->installEventFilter(this);
}

QPixmap CMdiClientWnd::Picture() const {
    // Through QImage, which keeps no cache: QPixmap's would hand out the old picture for a
    // file replaced within the same second. A bitmap file only, whatever else carries its name.
    QImage picture;
    if (picture.load(QString::fromStdString((m_appDirectory / "background.bmp").string()), "BMP")) {
        return QPixmap::fromImage(picture);
    }
    return BuiltInBackground();
}

bool CMdiClientWnd::eventFilter(QObject* watched, QEvent* event) {
    QWidget* viewport = m_viewport;
    if (watched != viewport) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::Resize) {
        // The whole area, not only what the resize uncovered, so the tiles line up anew.
        viewport->update();
    } else if (event->type() == QEvent::Paint) {
        QPainter painter(viewport);
        const QPixmap picture = Picture();
        const QRect area = viewport->rect();
        const auto origins = TileOrigins(
            {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()},
            picture.width(), picture.height());
        if (origins.empty()) {
            painter.fillRect(area, viewport->palette().window());
        }
        for (const PixelPoint& origin : origins) {
            painter.drawPixmap(origin.x, origin.y, picture);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace radioprog::gui
