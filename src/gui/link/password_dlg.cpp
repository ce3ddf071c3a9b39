#include "gui/link/password_dlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/radio/packed_password.h"
#include "gui/app/context_help.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"
#include "gui/dialogs/text_validators.h"

namespace radioprog::gui {
namespace {

constexpr int kPasswordId = 1010;
constexpr int kSaveId = 1015;
constexpr int kChangeId = 1014;
constexpr int kQueryId = 1013;
constexpr int kPasswordDigits = 6;

bool IsPassword(std::string_view text) {
    return PackPassword(text).has_value();
}

// The exchange blocks until the radio has answered or the time-outs ran out.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

CPasswordDlg::CPasswordDlg(const AppContext& context, PortOpener& opener, CProgramDoc& doc,
                           QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_opener(opener),
      m_doc(doc),
      m_password(new QLineEdit(this)),
      m_save(new QPushButton(tr("Save"), this)),
      m_change(new QPushButton(tr("Change"), this)),
      m_query(new QPushButton(tr("Query"), this)) {
    setWindowTitle(tr("Password"));
    SetControlId(m_password, kPasswordId);
    SetControlId(m_save, kSaveId);
    SetControlId(m_change, kChangeId);
    SetControlId(m_query, kQueryId);
    m_password->setMaxLength(kPasswordDigits);
    m_password->setValidator(new AcceptTextValidator(IsPassword, m_password));
    m_password->setText(Q(ShowUserPassword(m_doc.image())));

    auto* label = new QLabel(tr("User Password"), this);
    label->setBuddy(m_password);
    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(m_password, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {m_save, m_change, m_query}) {
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_save, &QPushButton::clicked, this, &CPasswordDlg::OnSave);
    connect(m_change, &QPushButton::clicked, this, &CPasswordDlg::OnChange);
    connect(m_query, &QPushButton::clicked, this, &CPasswordDlg::OnQuery);
}

void CPasswordDlg::OnQuery() {
    PasswordResult result{PasswordExchange::Done, {}};
    {
        const BusyCursor busy;
        result = EditImage([this](RadioImage& image) {
            return radioprog::OnQuery(m_opener, m_context.link, image);
        });
    }
    if (result.result == PasswordExchange::Done) {
        m_password->setText(Q(ShowUserPassword(m_doc.image())));
    }
    Report(result);
}

void CPasswordDlg::OnChange() {
    if (!TypedPasswordFits()) {
        return;
    }
    PasswordResult result{PasswordExchange::Done, {}};
    {
        const BusyCursor busy;
        const std::string typed = m_password->text().toStdString();
        result = EditImage([this, &typed](RadioImage& image) {
            return radioprog::OnChange(m_opener, m_context.link, image, typed);
        });
    }
    Report(result);
}

void CPasswordDlg::OnSave() {
    if (!TypedPasswordFits()) {
        return;
    }
    const std::string typed = m_password->text().toStdString();
    bool stored = false;
    m_doc.Edit(DocumentEdit::Of(DocumentEdit::Kind::Password),
               [&](RadioImage& image, TextGrid&) { stored = StoreUserPassword(image, typed); });
    if (stored) {
        accept();
    }
}

PasswordResult CPasswordDlg::EditImage(const std::function<PasswordResult(RadioImage&)>& exchange) {
    PasswordResult result{PasswordExchange::Done, {}};
    m_doc.Edit(DocumentEdit::Of(DocumentEdit::Kind::Password),
               [&](RadioImage& image, TextGrid&) { result = exchange(image); });
    return result;
}

// The edit takes digits only, but a text put there by other means must not reach the radio or
// the image as some other password.
bool CPasswordDlg::TypedPasswordFits() {
    if (IsPassword(m_password->text().toStdString())) {
        return true;
    }
    Messages().Show(this, QMessageBox::Warning, QString(),
                    tr("The User Password is up to six digits."), QMessageBox::Ok);
    m_password->setFocus();
    return false;
}

void CPasswordDlg::Report(const PasswordResult& result) {
    QString text = Q(PasswordMessage(result.result, m_context.language));
    if (text.isEmpty()) {
        return;
    }
    if (!result.detail.empty()) {
        text += "\n" + Q(result.detail);
    }
    const QMessageBox::Icon icon = result.result == PasswordExchange::ModifySuccess
                                       ? QMessageBox::Information
                                       : QMessageBox::Warning;
    Messages().Show(this, icon, QString(), text, QMessageBox::Ok);
}

}  // namespace radioprog::gui
