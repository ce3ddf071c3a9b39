#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/base/language.h"

namespace radioprog {

/// The entries under the root of the navigation tree, in the tree's order.
enum class NavigationEntry { ProductInformation, ChannelInformation, OptionalFeatures };

inline constexpr std::array<NavigationEntry, 3> kNavigationEntries = {
    NavigationEntry::ProductInformation, NavigationEntry::ChannelInformation,
    NavigationEntry::OptionalFeatures};

/// The label of @p entry in both languages.
BilingualText NavigationLabel(NavigationEntry entry);

/// The entry whose label in @p language is exactly @p text; the other language's labels, the
/// root and an empty text (no item under the pointer) name none.
std::optional<NavigationEntry> NavigationEntryFor(std::string_view text, Language language);

}  // namespace radioprog
