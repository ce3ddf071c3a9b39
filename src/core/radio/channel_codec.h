#pragma once

#include <optional>
#include <string>

#include "core/base/language.h"
#include "core/base/string_table.h"
#include "core/radio/band_limits.h"
#include "core/radio/channel_grid.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// Shows rows 1-16 of the grid from the image's channel records and scan-add flags, and makes the
/// image's band limits the limits in use.
void ImageToGrid(const RadioImage& image, ChannelGrid& grid, BandLimits& bandInUse,
                 Language language);

/// Stores rows 1-16 of the grid and the band limits in use back into the image. Never fails: a
/// text it cannot read stores the cleared form of its field. Either language's texts are
/// recognised; bits and bytes the grid does not show are kept as found.
void GridToImage(const ChannelGrid& grid, const BandLimits& bandInUse, RadioImage& image);

/// Decides what the current cell keeps when its in-place editor closes, and hides the editor.
/// A refused frequency returns the message to show (caption StringId::Caution); the cells it
/// empties are already empty when this returns.
std::optional<StringId> CommitEditedCell(ChannelGrid& grid, const BandLimits& bandInUse,
                                         Language language);

/// True when an edit committed in column @p col of row @p row ends empty whatever its text: a
/// transmit frequency is kept only beside a receive frequency, the other fields only beside a
/// frequency.
bool CommitDropsEdit(const ChannelGrid& grid, int row, int col);

/// The cell text of a tone word; @p incomplete decides whether "no tone" shows "None" or nothing.
std::string ToneText(std::uint16_t word, bool incomplete, Language language);
/// The two bytes (low, high) of the tone word a cell text stands for.
std::pair<std::uint8_t, std::uint8_t> ToneBytes(const std::string& text);

}  // namespace radioprog
