#include "base/help_page.h"

#include <string>
#include <system_error>

namespace radioprog {

std::optional<std::filesystem::path> HelpPage(const std::filesystem::path& appDirectory,
                                              Language language, int contextNumber) {
    const char* folder = language == Language::Chinese ? "zh" : "en";
    std::filesystem::path page =
        appDirectory / "help" / folder / (std::to_string(contextNumber) + ".html");
    std::error_code error;
    if (!std::filesystem::is_regular_file(page, error)) {
        return std::nullopt;
    }
    return page;
}

}  // namespace radioprog
