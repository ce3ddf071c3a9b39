#pragma once

#include <string>

namespace radioprog {

/// Grid columns: 0 is the channel number, 1-8 the channel fields.
namespace column {
inline constexpr int kChannel = 0;
inline constexpr int kRxFrequency = 1;
inline constexpr int kTxFrequency = 2;
inline constexpr int kRxTone = 3;  // QT/DQT Dec
inline constexpr int kTxTone = 4;  // QT/DQT Enc
inline constexpr int kPower = 5;
inline constexpr int kScanAdd = 6;
inline constexpr int kBusyLock = 7;
inline constexpr int kWideNarrow = 8;
inline constexpr int kCount = 9;
}  // namespace column

/// Row 0 is the header, rows 1-16 are the channels.
inline constexpr int kGridRows = 17;

/// The channel grid as the codec sees it: cell texts addressed by row (0-16) and column (0-8),
/// the current cell, and the in-place editor of the current column. The desktop grid and a
/// plain table of texts both implement it. Texts are UTF-8.
class ChannelGrid {
public:
    virtual ~ChannelGrid() = default;

    virtual std::string TextMatrix(int row, int col) const = 0;
    virtual void SetTextMatrix(int row, int col, const std::string& text) = 0;

    virtual int Row() const = 0;
    virtual int Col() const = 0;

    /// Whether the current column's in-place editor is open.
    virtual bool EditorVisible() const = 0;
    virtual std::string EditorText() const = 0;
    virtual void HideEditor() = 0;
};

}  // namespace radioprog
