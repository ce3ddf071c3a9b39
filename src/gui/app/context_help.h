#pragma once

#include "doc/app_context.h"

class QWidget;

namespace radioprog::gui {

/// Opens the help page of @p contextNumber in the desktop's browser; a number without a page
/// does nothing.
void RequestContextHelp(const AppContext& context, int contextNumber);

/// Gives a dialog control the number it is known by: its object name, and the context number
/// of the help asked for while it has the focus.
void SetControlId(QWidget* control, int id);
/// The number given by SetControlId; 0 for none or for no control.
int ControlId(const QWidget* control);

}  // namespace radioprog::gui
