#include "gui/link/gui_link_observer.h"

#include <QCoreApplication>

#include "core/base/string_table.h"
#include "core/link/link_messages.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"
#include "gui/dialogs/compare_dlg.h"
#include "gui/link/login_dlg.h"

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
    return m_context.link.loginPassword;
}

bool GuiLinkObserver::ConfirmWrite(const std::string& question) {
    return Messages().Show(m_owner, QMessageBox::Warning, AppName(), Q(question),
                           QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void GuiLinkObserver::PhaseStarted(SafeWritePhase phase) {
    if (m_dialog) {
        m_dialog->SetPhase(Q(SafeWritePhaseText(phase, m_context.language)));
    }
}

bool GuiLinkObserver::ConfirmChanges(const RadioImage& radio, const RadioImage& toWrite) {
    CCompareDlg compare(m_context, CompareMemories(radio, toWrite, m_context.language),
                        CCompareDlg::tr("Changes the write makes to the radio:"),
                        CCompareDlg::Purpose::AskBeforeWriting, m_owner);
    compare.setObjectName("writeChangesDialog");
    return compare.exec() == QDialog::Accepted;
}

void GuiLinkObserver::ShowMessage(LinkMessage message, const std::string& detail) {
    const Language language = m_context.language;
    QString text = Q(LinkMessageText(message, language));
    QString caption = AppName();
    QMessageBox::Icon icon = QMessageBox::Warning;
    if (message == LinkMessage::PasswordError) {
        caption = Q(PasswordErrorCaption(language));
        icon = QMessageBox::Critical;
    } else if (message == LinkMessage::RefusedEntry) {
        caption = Q(StringText(StringId::Caution, language));
    }
    text +=
        QString::fromStdString(message == LinkMessage::CouldNotOpenPort ? "\n\n" + detail : detail);
    Messages().Show(m_owner, icon, caption, text.trimmed(), QMessageBox::Ok);
}

}  // namespace radioprog::gui
