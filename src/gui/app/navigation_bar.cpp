#include "gui/app/navigation_bar.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "gui/app/built_in_pictures.h"

namespace radioprog::gui {
namespace {

constexpr int kTreeControlId = 1032;
// Qt keeps a widget's right edge inside it, the bar's rules keep it just outside.
QRect ToQRect(const PixelRect& r) {
    return {r.left, r.top, r.Width(), r.Height()};
}
PixelRect ToPixelRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
PixelPoint ToPixelPoint(const QPointF& p) {
    const QPoint whole = p.toPoint();
    return {whole.x(), whole.y()};
}

void DrawLine(QPainter& painter, const PixelLine& line, const QColor& colour) {
    painter.fillRect(QRect(QPoint(line.from.x, line.from.y), QPoint(line.to.x, line.to.y)), colour);
}

void DrawBorder(QPainter& painter, const PixelRect& rect, const QColor& topLeft,
                const QColor& bottomRight) {
    const RectBorder border = BorderOf(rect);
    for (const PixelLine& line : border.topLeft) {
        DrawLine(painter, line, topLeft);
    }
    for (const PixelLine& line : border.bottomRight) {
        DrawLine(painter, line, bottomRight);
    }
}

// The tracker is drawn over the whole main window, since it follows the pointer beyond the
// bar's own right edge. It inverts what lies under its dots, so it shows on any background.
class CSizingTracker : public QWidget {
public:
    explicit CSizingTracker(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setObjectName("sizingTracker");
        hide();
    }
    /// Draws the tracker's lines, given in the coordinates of the main window.
    void Show(const std::array<PixelLine, 2>& lines) {
        m_lines = lines;
        const QRect area =
            QRect(QPoint(lines[0].from.x, lines[0].from.y), QPoint(lines[1].to.x, lines[1].to.y));
        setGeometry(area);
        raise();
        show();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        for (const PixelLine& line : m_lines) {
            const QPoint from = mapFromParent(QPoint(line.from.x, line.from.y));
            const QPoint to = mapFromParent(QPoint(line.to.x, line.to.y));
            painter.drawLine(from, to);
        }
    }

private:
    std::array<PixelLine, 2> m_lines{};
};

}  // namespace

CNavigationTree::CNavigationTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void CNavigationTree::SelectItem(QTreeWidgetItem* item) {
    setCurrentItem(item);
    TellOfChange();
}

// Qt's selection model goes on with its own work after its signals; a handler that selected
// another item from inside them would see that work undo its choice.
void CNavigationTree::TellOfChange() {
    if (currentItem() == m_selected) {
        return;
    }
    m_selected = currentItem();
    emit SelectionChanged();
}

void CNavigationTree::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    TellOfChange();
}

void CNavigationTree::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::NoButton) {
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

void CNavigationTree::keyPressEvent(QKeyEvent* event) {
    QTreeWidget::keyPressEvent(event);
    TellOfChange();
}

CNavigationBar::CNavigationBar(const AppContext& context, QWidget* dockingFrame, QWidget* parent)
    : QWidget(parent),
      m_dockingFrame(dockingFrame),
      m_caption(
          QString::fromStdString(context.profile.GetValue(context.languageName, "company", ""))),
      m_tracker(new CSizingTracker(dockingFrame)),
      m_closeGlyph(CloseGlyph()) {
    setObjectName("navigationBar");
    setAutoFillBackground(true);
    // The pointer is followed without a button held, for the close button's raised look.
    setMouseTracking(true);
    setFixedWidth(m_barWidth);
}

bool CNavigationBar::InitBar() {
    // What a desktop would call the bar when it floats; it never does here.
    setWindowTitle("IE Control Bar");
    // The face is a wish; the desktop's nearest font stands in for it, Chinese glyphs included.
    m_barFont = QFont("Time New Roman");
    m_barFont.setPixelSize(14);
    m_barFont.setWeight(QFont::Normal);
    setFont(m_barFont);
    m_tree = new CNavigationTree(this);
    m_tree->setObjectName("navigationTree");
    m_tree->setProperty("controlId", kTreeControlId);
    m_tree->setFont(m_barFont);
    m_tree->viewport()->installEventFilter(this);
    m_tree->show();
    PlaceTree();
    return true;
}

QRect CNavigationBar::closeRect() const {
    return ToQRect(m_layout.closeButton);
}

QRect CNavigationBar::sizingStrip() const {
    return ToQRect(m_layout.sizingStrip);
}

// The main window's own width: its toolbar and status bar span it whole.
int CNavigationBar::DockingWidth() const {
    return m_dockingFrame->width();
}

// The bar spans the height the main window keeps for its docked bars, which is the height the
// tree's place is measured against.
void CNavigationBar::PlaceTree() {
    if (m_tree) {
        m_tree->setGeometry(ToQRect(NavigationTreeRect(m_barWidth, m_captionHeight, height())));
    }
}

void CNavigationBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceTree();
}

void CNavigationBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int captionWidth = QFontMetrics(font()).horizontalAdvance(m_caption);
    m_layout = LayOutNavigationBar(ToPixelRect(rect()), m_captionHeight, captionWidth);
    const QColor grey = palette().color(QPalette::Dark);

    DrawBorder(painter, m_layout.etched, grey, grey);
    for (const PixelLine& line : m_layout.etchedHighlights) {
        DrawLine(painter, line, Qt::white);
    }

    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(ToQRect(m_layout.captionText), Qt::AlignCenter | Qt::TextSingleLine,
                     m_caption);
    DrawLine(painter, m_layout.captionRule, grey);

    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    if (m_mouse.hot()) {
        DrawBorder(painter, m_layout.closeButton, light, shadow);
    } else if (m_mouse.pressed()) {
        DrawBorder(painter, m_layout.closeButton, shadow, light);
    }
    painter.drawPixmap(m_layout.closeButton.left, m_layout.closeButton.top, m_closeGlyph);

    m_mouse.Painted(m_layout.frame, m_layout.closeButton, m_layout.sizingStrip);
}

bool CNavigationBar::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QRect close = closeRect();
        // The same word in both languages.
        if (!close.isEmpty() && close.contains(help->pos())) {
            QToolTip::showText(help->globalPos(), QStringLiteral("Close"), this, close);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

// The pointer can leave the close button straight into the tree, which this bar would not
// hear of by itself.
bool CNavigationBar::eventFilter(QObject* watched, QEvent* event) {
    if (m_tree && watched == m_tree->viewport() &&
        (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)) {
        const QPointF local = event->type() == QEvent::Enter
                                  ? static_cast<QEnterEvent*>(event)->position()
                                  : static_cast<QMouseEvent*>(event)->position();
        const QPoint here = m_tree->viewport()->mapTo(this, local.toPoint());
        Apply(m_mouse.Move({here.x(), here.y()}, DockingWidth()));
    }
    return QWidget::eventFilter(watched, event);
}

void CNavigationBar::mousePressEvent(QMouseEvent* event) {
    // Never passed on: the bar cannot be dragged out of its place.
    if (event->button() == Qt::LeftButton) {
        Apply(m_mouse.Press(ToPixelPoint(event->position())));
    }
}

void CNavigationBar::mouseMoveEvent(QMouseEvent* event) {
    const PixelPoint p = ToPixelPoint(event->position());
    Apply(m_mouse.Move(p, DockingWidth()));
    // While dragging, the split cursor stays wherever the pointer goes.
    if (!m_mouse.sizing()) {
        switch (m_mouse.CursorAt(p)) {
            case NavigationBarMouse::Cursor::Split:
                setCursor(Qt::SplitHCursor);
                break;
            case NavigationBarMouse::Cursor::Arrow:
                setCursor(Qt::ArrowCursor);
                break;
            case NavigationBarMouse::Cursor::Unchanged:
                break;
        }
    }
}

void CNavigationBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Apply(m_mouse.Release(ToPixelPoint(event->position()), DockingWidth()));
    }
}

// A double click neither presses again nor does anything else.
void CNavigationBar::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void CNavigationBar::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (!m_mouse.sizing()) {
        Apply(m_mouse.Move({-1, -1}, DockingWidth()));
    }
}

void CNavigationBar::Apply(const NavigationBarMouse::Effect& effect) {
    if (effect.repaintClose) {
        update(closeRect());
    }
    ShowTracker();
    if (effect.hideBar) {
        emit CloseClicked();
    }
    if (effect.newWidth) {
        m_barWidth = *effect.newWidth;
        setFixedWidth(m_barWidth);
        PlaceTree();
    }
}

void CNavigationBar::ShowTracker() {
    auto* tracker = static_cast<CSizingTracker*>(m_tracker);
    const std::optional<int> x = m_mouse.trackerX();
    if (!x) {
        tracker->hide();
        return;
    }
    const QPoint top = mapTo(m_dockingFrame, QPoint(*x, 0));
    tracker->Show(TrackerLines(top.x(), top.y(), top.y() + height()));
}

}  // namespace radioprog::gui
