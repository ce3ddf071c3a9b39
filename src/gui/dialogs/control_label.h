#pragma once

#include <QString>

#include "core/radio/dialog_controls.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {

/// The label of a settings dialog's control, from the core's table of control names.
template <typename Control>
QString ControlLabel(Control control, Language language) {
    return Q(NameOf(control).label.In(language));
}

}  // namespace radioprog::gui
