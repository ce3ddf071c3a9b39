#include "gui/app/context_help.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMetaObject>
#include <QUrl>
#include <QVariant>
#include <QWidget>
#include <algorithm>

#include "core/base/help_page.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {
namespace {

constexpr char kControlIdProperty[] = "controlId";
constexpr char kCommandIdProperty[] = "commandId";

bool HasHelpPage(const QString& dialog) {
    const std::string name = dialog.toStdString();
    const auto dialogs = HelpDialogs();
    return std::any_of(dialogs.begin(), dialogs.end(),
                       [&](const HelpDialog& known) { return known.dialog == name; });
}

// F1 goes to the widget with the keyboard focus; without one, to the window in front.
const QWidget* DefaultAsker() {
    if (const QWidget* focus = QApplication::focusWidget()) {
        return focus;
    }
    if (const QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

void Tell(const AppContext& context, const QWidget* asker, const std::string& text) {
    QWidget* owner = asker ? asker->window() : nullptr;
    Messages().Show(owner, QMessageBox::Warning, Q(context.appName), Q(text), QMessageBox::Ok);
}

}  // namespace

QString HelpDialogName(const QWidget* widget) {
    if (!widget) {
        return {};
    }
    for (const QMetaObject* type = widget->window()->metaObject(); type;
         type = type->superClass()) {
        const QString name = QString::fromLatin1(type->className()).section("::", -1);
        if (HasHelpPage(name)) {
            return name;
        }
    }
    return {};
}

void RequestContextHelp(const AppContext& context, int contextNumber, const QWidget* asker) {
    if (!asker) {
        asker = DefaultAsker();
    }
    const HelpLocation help = LocateHelp(context.appDirectory, context.language,
                                         HelpDialogName(asker).toStdString(), contextNumber);
    if (!help.ok()) {
        Tell(context, asker, help.error);
        return;
    }
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(help.file.string()));
    if (!help.anchor.empty()) {
        url.setFragment(QString::fromStdString(help.anchor));
    }
    if (!QDesktopServices::openUrl(url)) {
        Tell(context, asker, BrowserFailureMessage(url.toString().toStdString(), context.language));
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
