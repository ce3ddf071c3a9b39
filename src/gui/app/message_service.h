#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace radioprog::gui {

/// Every message box of the program goes through here, so that tests answer them instead of
/// a modal loop nobody can close.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon,
                                             const QString& caption, const QString& text,
                                             QMessageBox::StandardButtons buttons) = 0;
    /// A box whose buttons say @p choices, the first being the default and the last the one
    /// Escape and the close box give; the index of the one chosen.
    virtual int Choose(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                       const QString& text, const QStringList& choices) = 0;
};

/// The service in force: real message boxes unless a test installed another.
MessageService& Messages();
/// Installs @p service (nullptr brings the real message boxes back).
void SetMessageService(MessageService* service);

}  // namespace radioprog::gui
