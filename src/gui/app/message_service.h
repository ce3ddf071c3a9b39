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
};

/// The service in force: real message boxes unless a test installed another.
MessageService& Messages();
/// Installs @p service (nullptr brings the real message boxes back).
void SetMessageService(MessageService* service);

}  // namespace radioprog::gui
