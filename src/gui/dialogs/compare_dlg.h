#pragma once

#include <QDialog>

#include "core/doc/app_context.h"
#include "core/radio/memory_diff.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace radioprog::gui {

/// The changes from one memory to another: channels as the grid shows them, the settings
/// dialogs' controls, and the other bytes. To look at (Close), or to ask before a write (Write
/// and Cancel).
class CCompareDlg : public QDialog {
    Q_OBJECT
public:
    enum class Purpose { Look, AskBeforeWriting };

    /// @param heading what is compared with what ("Radio → document").
    CCompareDlg(const AppContext& context, const MemoryDiff& diff, const QString& heading,
                Purpose purpose, QWidget* parent = nullptr);

    QTreeWidget* changes() const { return m_changes; }
    QLabel* summary() const { return m_summary; }
    /// Write when asking, Close when looking.
    QPushButton* acceptButton() const { return m_accept; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const AppContext& m_context;
    QTreeWidget* m_changes;
    QLabel* m_summary;
    QPushButton* m_accept;
};

}  // namespace radioprog::gui
