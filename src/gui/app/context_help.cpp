#include "app/context_help.h"

#include <QDesktopServices>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include "base/help_page.h"

namespace radioprog::gui {
namespace {
constexpr char kControlIdProperty[] = "controlId";
}  // namespace

void RequestContextHelp(const AppContext& context, int contextNumber) {
    if (const auto page = HelpPage(context.appDirectory, context.language, contextNumber)) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page->string())));
    }
}

void SetControlId(QWidget* control, int id) {
    control->setObjectName(QString::number(id));
    control->setProperty(kControlIdProperty, id);
}

int ControlId(const QWidget* control) {
    return control ? control->property(kControlIdProperty).toInt() : 0;
}

}  // namespace radioprog::gui
