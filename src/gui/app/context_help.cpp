#include "app/context_help.h"

#include <QAction>
#include <QDesktopServices>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include "base/help_page.h"

namespace radioprog::gui {
namespace {
constexpr char kControlIdProperty[] = "controlId";
constexpr char kCommandIdProperty[] = "commandId";
}  // namespace

void RequestContextHelp(const AppContext& context, int contextNumber) {
    if (const auto page = HelpPage(context.appDirectory, context.language, contextNumber)) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page->string())));
    }
}

void SetControlId(QWidget* control, int id) {
    control->setObjectName(QString::number(id));
    SetHelpContext(control, id);
}

void SetHelpContext(QWidget* control, int contextNumber) {
    control->setProperty(kControlIdProperty, contextNumber);
}

int ControlId(const QWidget* control) {
    return control ? control->property(kControlIdProperty).toInt() : 0;
}

void SetCommandId(QAction* command, int id) {
    command->setProperty(kCommandIdProperty, id);
}

int CommandId(const QAction* command) {
    return command ? command->property(kCommandIdProperty).toInt() : 0;
}

}  // namespace radioprog::gui
