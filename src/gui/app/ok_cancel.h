#pragma once

class QDialog;
class QDialogButtonBox;

namespace radioprog::gui {

/// OK and Cancel for @p dialog, which they accept and reject; they carry the numbers 1 and 2,
/// so that F1 on either asks for the dialog's own help page.
QDialogButtonBox* MakeOkCancel(QDialog* dialog);

}  // namespace radioprog::gui
