#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/base/language.h"

namespace radioprog {

/// @p pattern in @p language with each "{}" replaced by the next of @p values, in order; a
/// "{}" without a value stays as it is.
std::string FillText(const BilingualText& pattern, Language language,
                     std::initializer_list<std::string_view> values = {});

}  // namespace radioprog
