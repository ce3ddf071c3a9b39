#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/radio/band_limits.h"
#include "core/radio/memory_image.h"
#include "core/radio/text_grid.h"

namespace radioprog {

class CProgramDoc;

/// One channel as a whole: its 16-byte record, its scan-add flag and its eight grid texts. A
/// channel moves as one, so that the bytes and bits the grid does not show travel with it.
struct ChannelRow {
    std::array<std::uint8_t, image::kChannelRecordSize> record{};
    bool scanAdd = false;
    std::array<std::string, column::kCount - 1> texts{};  ///< columns 1-8
};

/// The channel @p channel (1-16) of an image and its texts.
ChannelRow TakeChannelRow(const RadioImage& image, const TextGrid& texts, int channel);
void PutChannelRow(const ChannelRow& row, RadioImage& image, TextGrid& texts, int channel);
/// A channel that is not there: an erased record (FF), no scan, no texts.
ChannelRow EmptyChannelRow();
/// Whether the grid shows anything in the channel's row.
bool ChannelFilled(const TextGrid& texts, int channel);

/// @p channels as channel numbers 1-16, ascending, each once; numbers outside are dropped.
std::vector<int> NormalisedChannels(std::span<const int> channels);

/// Removes @p channels; the channels below move up and the last rows become empty. One step.
/// Returns whether the document changed.
bool DeleteChannels(CProgramDoc& doc, std::span<const int> channels, bool cut = false);
/// Inserts an empty channel at @p channel: it and the channels below move down one. Refused,
/// with the reason in @p language, when channel 16 is filled: it would fall off the end.
/// One step.
std::optional<std::string> InsertEmptyChannel(CProgramDoc& doc, int channel, Language language);
/// Moves @p channels up (@p step -1) or down (+1) by one channel, each trading places with its
/// neighbour. Nothing moves when one of them is already at the top or bottom. One step.
/// Returns where the channels are afterwards (the same channels when nothing moved).
std::vector<int> MoveChannels(CProgramDoc& doc, std::span<const int> channels, int step);

/// Columns whose value Set for Selected can give many channels at once: the lists.
bool SettableForSelected(int col);
/// Commits @p value into column @p col of every channel in @p channels exactly as the grid
/// commits it (a row without a frequency stays empty). One step. Returns whether the document
/// changed.
bool SetForSelected(CProgramDoc& doc, std::span<const int> channels, int col,
                    const std::string& value, const BandLimits& bandInUse, Language language);

}  // namespace radioprog
