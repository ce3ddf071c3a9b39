#pragma once

#include <string>
#include <vector>

namespace radioprog {

/// A list index meaning that no entry is selected: the list shows empty.
inline constexpr int kNoSelection = -1;

/// The entry of @p items at @p index, or the empty text a list without a selection shows.
inline std::string SelectedItem(const std::vector<std::string>& items, int index) {
    if (index < 0 || index >= static_cast<int>(items.size())) {
        return {};
    }
    return items[static_cast<std::size_t>(index)];
}

}  // namespace radioprog
