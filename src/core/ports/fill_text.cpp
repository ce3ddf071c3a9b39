#include "core/ports/fill_text.h"

namespace radioprog {

std::string FillText(const BilingualText& pattern, Language language,
                     std::initializer_list<std::string_view> values) {
    const std::string_view text = pattern.In(language);
    std::string filled;
    auto value = values.begin();
    std::size_t at = 0;
    for (std::size_t hole = text.find("{}");
         hole != std::string_view::npos && value != values.end(); hole = text.find("{}", at)) {
        filled.append(text.substr(at, hole - at)).append(*value++);
        at = hole + 2;
    }
    return filled.append(text.substr(at));
}

}  // namespace radioprog
