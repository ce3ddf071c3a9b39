#include "gui/app/message_service.h"

namespace radioprog::gui {
namespace {

class BoxService : public MessageService {
public:
    QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon,
                                     const QString& caption, const QString& text,
                                     QMessageBox::StandardButtons buttons) override {
        QMessageBox box(icon, caption, text, buttons, parent);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }
};

BoxService g_boxes;
MessageService* g_service = &g_boxes;

}  // namespace

MessageService& Messages() {
    return *g_service;
}

void SetMessageService(MessageService* service) {
    g_service = service ? service : &g_boxes;
}

}  // namespace radioprog::gui
