#include "gui/app/ok_cancel.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "gui/app/context_help.h"

namespace radioprog::gui {

QDialogButtonBox* MakeOkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    SetControlId(buttons->button(QDialogButtonBox::Ok), 1);
    SetControlId(buttons->button(QDialogButtonBox::Cancel), 2);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace radioprog::gui
