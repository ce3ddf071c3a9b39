#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/ports/known_adapters.h"
#include "core/ports/system_roots.h"

namespace radioprog {

/// The name of the program's own rule file: ModemManager leaves the cables alone and the
/// logged-in user may open them.
inline constexpr std::string_view kRadioprogRules = "60-radioprog.rules";

/// The rule files udev reads from the folders of @p roots, in udev's order (by file name); a
/// file in an earlier folder hides one of the same name in a later folder.
std::vector<std::filesystem::path> RuleFiles(const SystemRoots& roots);

/// The first rule file of @p files with a rule that matches the adapter @p id (by
/// `ATTRS{idVendor}` with an `ATTRS{idProduct}` that does not contradict it, or by
/// `ENV{PRODUCT}=="vid/pid/*"`) and that contains @p assignment, when that is not empty.
std::optional<std::filesystem::path> FindRuleFor(std::span<const std::filesystem::path> files,
                                                 UsbId id, std::string_view assignment = {});

}  // namespace radioprog
