#pragma once

#include <QIcon>
#include <QPixmap>

namespace radioprog::gui {

/// The pictures the program draws itself, for when the application directory has none.

/// The background tile: 238 x 157 pixels, a plain field with a faint emblem in its middle, so
/// that tiles meet without a seam.
QPixmap BuiltInBackground();
/// The program's icon: a hand-held radio.
QIcon BuiltInAppIcon();
/// The Print command's icon: a printer with a sheet coming out.
QIcon BuiltInPrintIcon();
/// The navigation bar's close button: a 16 x 16 diagonal cross.
QPixmap CloseGlyph();

}  // namespace radioprog::gui
