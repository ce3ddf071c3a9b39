#include "gui/dialogs/spin_arrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace radioprog::gui {
namespace {

constexpr int kArrowWidth = 16;

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType type, int height) {
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    // A click on an arrow leaves the focus in the edit, as the edit's own arrow keys do.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setFixedSize(kArrowWidth, height);
    return button;
}

}  // namespace

CSpinArrows::CSpinArrows(QLineEdit* buddy, QWidget* parent) : QWidget(parent) {
    const int half = std::max(buddy->sizeHint().height() / 2, 8);
    m_up = MakeArrow(this, Qt::UpArrow, half);
    m_down = MakeArrow(this, Qt::DownArrow, half);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_up, &QToolButton::clicked, this, [this] { emit Arrow(SpinArrow::Up); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit Arrow(SpinArrow::Down); });
    buddy->installEventFilter(this);
}

bool CSpinArrows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            emit Arrow(key == Qt::Key_Up ? SpinArrow::Up : SpinArrow::Down);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace radioprog::gui
