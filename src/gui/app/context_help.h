#pragma once

#include <QString>

#include "core/doc/app_context.h"

class QAction;
class QWidget;

namespace radioprog::gui {

/// Opens the help of @p contextNumber in the desktop's browser, at the anchor of its topic.
/// Control ids repeat between dialogs, so the number is looked up in the dialog @p asker
/// belongs to (by default the window that has the keyboard focus, where F1 was pressed): a
/// control of that dialog gets its field, a number without a topic there (OK 1, Cancel 2) the
/// dialog's page, a number no topic covers at all the contents page. A page that is not
/// installed, or a desktop without a browser, is told to the user.
void RequestContextHelp(const AppContext& context, int contextNumber,
                        const QWidget* asker = nullptr);

/// The name the help table knows the window of @p widget by: the class name, without its
/// namespace, of the window or of the nearest base class the table knows ("CProductInfoDlg");
/// empty for the main window, the channel view and any window without a page of its own.
QString HelpDialogName(const QWidget* widget);

/// Gives a dialog control the number it is known by: its object name, and the context number
/// of the help asked for while it has the focus.
void SetControlId(QWidget* control, int id);
/// Gives a control the context number of the help asked for while it has the focus, and
/// leaves its object name as it is.
void SetHelpContext(QWidget* control, int contextNumber);
/// The number given by SetControlId or SetHelpContext; 0 for none or for no control.
int ControlId(const QWidget* control);

/// Gives a command the number it is known by: the context number of the help asked for while
/// its menu item is highlighted.
void SetCommandId(QAction* command, int id);
/// The number given by SetCommandId; 0 for none or for no command.
int CommandId(const QAction* command);

}  // namespace radioprog::gui
