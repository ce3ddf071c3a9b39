#pragma once

#include <string>
#include <vector>

#include "core/base/language.h"

namespace radioprog {

/// The header text of a grid column (0-8).
std::string ColumnHeader(int col, Language language);
/// The label of a channel row: " 1" to "16".
std::string RowLabel(int row);
/// The items a column's drop-down list offers (the tone list for the tone columns); empty for the
/// frequency columns, which are typed.
std::vector<std::string> ColumnItems(int col, Language language);

}  // namespace radioprog
