#pragma once

#include <QMdiSubWindow>

namespace radioprog::gui {

class CProgramView;

/// The channel window. Its close box hides it: the document stays, and Edit > Channel
/// Information brings it back.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(CProgramView* view, QWidget* parent = nullptr);
    CProgramView* view() const { return m_view; }

signals:
    void Hidden();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CProgramView* m_view;
};

}  // namespace radioprog::gui
