#pragma once

#include <array>
#include <vector>

#include "core/radio/channel_grid.h"

namespace radioprog {

/// Which grid rows each page of the printed report lists. Page 1 is the options page; channel
/// page k (1-3) is report page k + 1 and lists up to seven filled channels, in row order. A
/// filled channel is a row 1-16 whose Rx Frequency cell is not empty; other rows are skipped.
class PrintPageTable {
public:
    static constexpr int kChannelsPerPage = 7;
    static constexpr int kChannelPageLimit = 3;

    /// Recounts the filled channels of @p grid and rewrites the page starts.
    void Count(const ChannelGrid& grid);

    int filledCount() const { return m_filledCount; }
    /// Start 0 is always 0. Start 1 is the row of the 7th filled channel, start 2 the row of the
    /// 14th; each is 16 while there are fewer. Channel page k runs from the row after start k - 1
    /// to start k, channel page 3 to row 16.
    const std::array<int, kChannelPageLimit>& pageStarts() const { return m_pageStarts; }

    /// The number of channel pages, 0 to 3.
    int ChannelPageCount() const {
        return (m_filledCount + kChannelsPerPage - 1) / kChannelsPerPage;
    }
    /// The last page of the report: the options page and the channel pages.
    int MaxPage() const { return ChannelPageCount() + 1; }

    /// The filled rows of channel page @p k within the counted page starts, in row order; none
    /// when @p k is not 1-3.
    std::vector<int> ChannelRows(int k, const ChannelGrid& grid) const;

    /// Whether grid row @p row holds a channel for the report: its Rx Frequency cell has text.
    static bool IsFilled(const ChannelGrid& grid, int row);

private:
    std::array<int, kChannelPageLimit> m_pageStarts{0, kGridRows - 1, kGridRows - 1};
    int m_filledCount = 0;
};

}  // namespace radioprog
