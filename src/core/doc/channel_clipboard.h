#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/language.h"
#include "core/base/status.h"
#include "core/radio/band_limits.h"

namespace radioprog {

class CProgramDoc;

/// The clipboard type of this program's own form of channels.
inline constexpr std::string_view kChannelsMimeType = "application/x-radioprog-channels";

/// Channels put on the clipboard in two forms.
struct ChannelCopy {
    /// This program's own: the channels' raw records and scan-add flags, empty channels included,
    /// so that a paste elsewhere gives the very same bytes.
    std::string own;
    /// The tab-separated form with the CSV header, for spreadsheets and other programmers (the
    /// filled channels only).
    std::string tabSeparated;
};

/// @p channels of @p doc as the grid shows them (the texts stored into a copy of the image with
/// @p bandInUse); the document is not changed.
ChannelCopy CopyChannels(const CProgramDoc& doc, std::span<const int> channels,
                         const BandLimits& bandInUse);

/// What a paste did.
struct PasteOutcome {
    std::vector<int> pasted;           ///< the channels that got a pasted row
    std::vector<std::string> refused;  ///< one line per row that could not be stored, and why
    bool changed = false;              ///< whether the document changed

    /// Everything refused in one message, in @p language; empty when nothing was refused.
    std::string Message(Language language) const;
};

/// Pastes this program's own form at @p channel and the channels after it, as one step. A row
/// whose frequencies the band in use or the steps refuse is not stored, with the reason the CSV
/// import gives. Fails when @p own is not that form.
[[nodiscard]] Status PasteOwnChannels(CProgramDoc& doc, std::string_view own, int channel,
                                      const BandLimits& bandInUse, Language language,
                                      PasteOutcome& outcome);
/// Pastes tab-separated text with the CSV header (from this program, a spreadsheet or another
/// programmer) at @p channel and the channels after it, in the order of its rows, as one step;
/// each row is converted as the CSV import converts it, Location aside. Fails when the text is
/// no channel table.
[[nodiscard]] Status PasteTabSeparated(CProgramDoc& doc, std::string_view text, int channel,
                                       const BandLimits& bandInUse, Language language,
                                       PasteOutcome& outcome);

}  // namespace radioprog
