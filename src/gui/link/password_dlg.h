#pragma once

#include <QDialog>
#include <functional>

#include "core/doc/app_context.h"
#include "core/doc/program_doc.h"
#include "core/link/password_service.h"
#include "core/link/port_opener.h"

class QLineEdit;
class QPushButton;

namespace radioprog::gui {

/// Password: shows and sets the radio's User password in the identity record of the document's
/// image; each Query, Change and Save is an edit of the document.
/// Query reads the record from the radio, Change writes the typed password to the radio, Save
/// stores it into the image and closes; the close box stores nothing. Each exchange opens the
/// port and closes it again before the button's handler returns.
class CPasswordDlg : public QDialog {
    Q_OBJECT
public:
    CPasswordDlg(const AppContext& context, PortOpener& opener, CProgramDoc& doc,
                 QWidget* parent = nullptr);

    QLineEdit* passwordEdit() const { return m_password; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* queryButton() const { return m_query; }

public slots:
    void OnQuery();
    void OnChange();
    void OnSave();

private:
    bool TypedPasswordFits();
    void Report(const PasswordResult& result);
    /// Runs @p exchange on the image as one edit of the document.
    PasswordResult EditImage(const std::function<PasswordResult(RadioImage&)>& exchange);

    const AppContext& m_context;
    PortOpener& m_opener;
    CProgramDoc& m_doc;
    QLineEdit* m_password;
    QPushButton* m_save;
    QPushButton* m_change;
    QPushButton* m_query;
};

}  // namespace radioprog::gui
