#pragma once

#include <QString>
#include <string_view>

namespace radioprog::gui {

/// A text of the core (UTF-8) as Qt shows it.
inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace radioprog::gui
