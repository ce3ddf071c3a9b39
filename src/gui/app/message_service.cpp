#include "gui/app/message_service.h"

#include <QPushButton>

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
    int Choose(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
               const QStringList& choices) override {
        QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
        QList<QAbstractButton*> buttons;
        for (int i = 0; i < choices.size(); ++i) {
            const bool last = i + 1 == choices.size();
            buttons.push_back(box.addButton(
                choices[i], last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
        }
        if (!buttons.isEmpty()) {
            box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
            box.setEscapeButton(buttons.back());
        }
        box.exec();
        const int chosen = static_cast<int>(buttons.indexOf(box.clickedButton()));
        return chosen >= 0 ? chosen : static_cast<int>(choices.size()) - 1;
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
