#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/base/csv_table.h"
#include "core/base/language.h"
#include "core/radio/band_limits.h"
#include "core/radio/channel_grid.h"
#include "core/radio/csv_columns.h"
#include "core/radio/csv_messages.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// The texts of one grid row, columns 1 to 8 (index 0 is the Rx Frequency).
using ChannelRowTexts = std::array<std::string, column::kCount - 1>;

/// The 21 fields of channel @p channel (1-16) in the order of CsvHeader(): Location the channel
/// number, Name empty, frequencies in MHz with six decimals, Duplex and Offset from the two
/// frequencies (split beyond a 70 MHz shift, off without a transmit frequency), the tone mode
/// that states both tones exactly, Mode FM (Wide) or NFM (Narrow), TStep 6.25 when the receive
/// frequency lies only on the 6.25 kHz step, Skip S when the channel is not scanned, Power 5.0W
/// (High) or 1.0W (Low), and Busy Lock in Comment. Nothing for an empty channel.
std::optional<std::vector<std::string>> ChannelCsvFields(const RadioImage& image, int channel);

/// A row of a channel file as the texts of a grid row, or why it cannot be stored.
struct CsvChannelRow {
    std::optional<CsvMessage> refusal;
    /// What the row lost or what was made of it; only for a row that is stored.
    std::vector<CsvMessage> notes;
    ChannelRowTexts texts;
};

/// Makes one row of a channel file into a new channel exactly as typing its values into an
/// empty grid row would: the receive frequency into Rx Frequency (band and step rule), the
/// transmit frequency from Duplex and Offset into Tx Frequency, then the tones, power, scan,
/// busy lock and width as their lists offer them in @p language.
CsvChannelRow ConvertCsvRow(const CsvColumns& columns, const CsvRecord& record,
                            const BandLimits& band, Language language);

}  // namespace radioprog
