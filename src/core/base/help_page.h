#pragma once

#include <filesystem>
#include <optional>

#include "base/language.h"

namespace radioprog {

/// The help page of a context number: `help/en/<number>.html` under the application directory,
/// `help/zh/` for a Chinese run. Nothing when the page is not there, so that a help request
/// for a topic without a page does nothing.
std::optional<std::filesystem::path> HelpPage(const std::filesystem::path& appDirectory,
                                              Language language, int contextNumber);

}  // namespace radioprog
