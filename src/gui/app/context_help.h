#pragma once

#include "doc/app_context.h"

class QAction;
class QWidget;

namespace radioprog::gui {

/// Opens the help page of @p contextNumber in the desktop's browser; a number without a page
/// does nothing.
void RequestContextHelp(const AppContext& context, int contextNumber);

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
