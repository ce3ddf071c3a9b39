#include "core/radio/text_grid.h"

namespace radioprog {

std::string TextGrid::TextMatrix(int row, int col) const {
    return Inside(row, col) ? m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]
                            : std::string();
}

void TextGrid::SetTextMatrix(int row, int col, const std::string& text) {
    if (Inside(row, col)) {
        m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
    }
}

}  // namespace radioprog
