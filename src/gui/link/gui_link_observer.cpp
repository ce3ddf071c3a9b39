#include "link/gui_link_observer.h"

#include <QCoreApplication>

#include "app/message_service.h"
#include "app/qt_text.h"
#include "base/string_table.h"
#include "link/login_dlg.h"

namespace radioprog::gui {
GuiLinkObserver::GuiLinkObserver(AppContext& context, QWidget* owner, CProcessDlg* dialog)
    : m_context(context), m_owner(owner), m_dialog(dialog) {}

QString GuiLinkObserver::AppName() const {
    return QString::fromStdString(m_context.appName);
}

void GuiLinkObserver::Pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool GuiLinkObserver::CancelRequested() const {
    return m_dialog && m_dialog->cancelRequested();
}

void GuiLinkObserver::Progress(int) {
    if (m_dialog) {
        m_dialog->Step();
    }
}

bool GuiLinkObserver::AskRetry() {
    return Messages().Show(m_owner, QMessageBox::Warning, AppName(),
                           Q(StringText(StringId::CommunicationError, m_context.language)),
                           QMessageBox::Retry | QMessageBox::Cancel) == QMessageBox::Retry;
}

std::optional<PackedPassword> GuiLinkObserver::ReLogin() {
    CLoginDlg login(m_context, m_owner);
    login.SetRoleListEnabled(false);
    if (login.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_context.loginPassword;
}

bool GuiLinkObserver::ConfirmWrite(const std::string& question) {
    return Messages().Show(m_owner, QMessageBox::Warning, AppName(), Q(question),
                           QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void GuiLinkObserver::ShowMessage(LinkMessage message, const std::string& detail) {
    const Language language = m_context.language;
    QString text;
    QString caption = AppName();
    QMessageBox::Icon icon = QMessageBox::Warning;
    switch (message) {
        case LinkMessage::CouldNotOpenPort:
            text = Q(StringText(StringId::CouldNotOpenPort, language));
            break;
        case LinkMessage::PasswordError:
            text = Q(BilingualText{"Password Error", "密码不对"}.In(language));
            caption = Q(BilingualText{"Error", "Error"}.In(language));
            icon = QMessageBox::Critical;
            break;
        case LinkMessage::ProgramInterrupt:
            text = Q(StringText(StringId::ProgramInterrupt, language));
            break;
        case LinkMessage::TransferIncomplete:
            text = Q(BilingualText{"The transfer did not complete: blocks done ",
                                   "传输未完成：已完成数据块 "}
                         .In(language));
            break;
        case LinkMessage::RefusedEntry:
            caption = Q(StringText(StringId::Caution, language));
            break;
    }
    text +=
        QString::fromStdString(message == LinkMessage::CouldNotOpenPort ? "\n\n" + detail : detail);
    Messages().Show(m_owner, icon, caption, text.trimmed(), QMessageBox::Ok);
}

}  // namespace radioprog::gui
