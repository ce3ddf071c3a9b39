#pragma once

#include <QWidget>

#include "core/radio/scan_info.h"

class QLineEdit;
class QToolButton;

namespace radioprog::gui {

/// The up and down arrows of a spin attached to the edit in front of it. A click on an arrow
/// and the edit's Up and Down keys come out as Arrow(); the arrows never write into the edit
/// and keep no position of their own, so that what the edit shows is decided by its owner.
class CSpinArrows : public QWidget {
    Q_OBJECT
public:
    CSpinArrows(QLineEdit* buddy, QWidget* parent);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    void Arrow(SpinArrow arrow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

}  // namespace radioprog::gui
