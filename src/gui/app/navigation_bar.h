#pragma once

#include <QFont>
#include <QPixmap>
#include <QTreeWidget>
#include <QWidget>
#include <optional>

#include "core/doc/app_context.h"
#include "gui/shell/navigation_bar_layout.h"
#include "gui/shell/navigation_bar_mouse.h"

namespace radioprog::gui {

/// The navigation tree. Its selection moves by a press on an item, by the keyboard and by
/// SelectItem only: dragging with the button held selects nothing, as in the desktop's own tree
/// control. Each move of the selection is told once, after Qt has finished with the event that
/// made it, so that a handler may select another item at once and hear of that change too.
class CNavigationTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit CNavigationTree(QWidget* parent = nullptr);

    /// Selects @p item, and tells of it when that is a change.
    void SelectItem(QTreeWidgetItem* item);

signals:
    void SelectionChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TellOfChange();

    QTreeWidgetItem* m_selected = nullptr;
};

/// The bar at the left edge of the main window that holds the navigation tree. It paints its
/// own look: an etched frame, a caption line with the company name, a close button and, at
/// its right edge, a strip by which its width is dragged. The main window fills the tree and
/// shows or hides the bar.
class CNavigationBar : public QWidget {
    Q_OBJECT
public:
    /// @param dockingFrame the main window, whose width limits the bar's.
    CNavigationBar(const AppContext& context, QWidget* dockingFrame, QWidget* parent = nullptr);

    /// Gives the bar its font and creates the tree.
    bool InitBar();
    /// The tree, none before InitBar.
    CNavigationTree* GetTree() const { return m_tree; }

    int barWidth() const { return m_barWidth; }
    QString captionText() const { return m_caption; }
    /// The close button and the sizing strip as last painted; empty before the first paint.
    QRect closeRect() const;
    QRect sizingStrip() const;
    bool hot() const { return m_mouse.hot(); }
    bool pressed() const { return m_mouse.pressed(); }
    /// Where the tracker stands in the bar's own pixels while the width is dragged.
    std::optional<int> trackerX() const { return m_mouse.trackerX(); }
    /// The tracker as drawn over the main window.
    QWidget* tracker() const { return m_tracker; }

signals:
    /// The close button was released over: the main window hides the bar.
    void CloseClicked();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int DockingWidth() const;
    void PlaceTree();
    void Apply(const NavigationBarMouse::Effect& effect);
    void ShowTracker();

    QWidget* m_dockingFrame;
    QString m_caption;
    QFont m_barFont;
    int m_captionHeight = kBarCaptionHeight;
    int m_barWidth = kInitialBarWidth;
    CNavigationTree* m_tree = nullptr;
    NavigationBarMouse m_mouse;
    NavigationBarLayout m_layout;
    QWidget* m_tracker;
    QPixmap m_closeGlyph;
};

}  // namespace radioprog::gui
