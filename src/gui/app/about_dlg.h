#pragma once

#include <QDialog>

#include "core/doc/app_context.h"

class QLabel;

namespace radioprog::gui {

/// The About box: caption, version, copyright and owner from the language section of the
/// settings file, and "title.ico" of the application directory when there is one.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const AppContext& context, QWidget* parent = nullptr);

    /// The lines by their control numbers: 1001 version, 1002 copyright, 1003 owner.
    QLabel* text(int controlId) const;
    QLabel* iconLabel() const { return m_icon; }

private:
    QLabel* m_icon;
};

}  // namespace radioprog::gui
