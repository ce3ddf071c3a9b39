#include "core/report/print_page_table.h"

namespace radioprog {

namespace {
constexpr int kLastRow = kGridRows - 1;
}  // namespace

bool PrintPageTable::IsFilled(const ChannelGrid& grid, int row) {
    return !grid.TextMatrix(row, column::kRxFrequency).empty();
}

void PrintPageTable::Count(const ChannelGrid& grid) {
    m_filledCount = 0;
    m_pageStarts = {0, kLastRow, kLastRow};
    for (int row = 1; row <= kLastRow; ++row) {
        if (!IsFilled(grid, row)) {
            continue;
        }
        ++m_filledCount;
        if (m_filledCount == kChannelsPerPage) {
            m_pageStarts[1] = row;
        } else if (m_filledCount == 2 * kChannelsPerPage) {
            m_pageStarts[2] = row;
        }
    }
}

std::vector<int> PrintPageTable::ChannelRows(int k, const ChannelGrid& grid) const {
    std::vector<int> rows;
    if (k < 1 || k > kChannelPageLimit) {
        return rows;
    }
    const int first = m_pageStarts[static_cast<std::size_t>(k - 1)] + 1;
    const int last = k == kChannelPageLimit ? kLastRow : m_pageStarts[static_cast<std::size_t>(k)];
    for (int row = first; row <= last; ++row) {
        if (IsFilled(grid, row)) {
            rows.push_back(row);
        }
    }
    return rows;
}

}  // namespace radioprog
