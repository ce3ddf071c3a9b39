#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// A channel cell that shows another text: channel 1-16, grid column 1-8.
struct ChannelChange {
    int channel = 0;
    int column = 0;
    std::string oldText;
    std::string newText;
};

/// A control of the Optional Features or Scan Information dialog that shows another text.
struct SettingChange {
    const char* dialogKey = "";   ///< "options" or "scan", as `show --json` names them
    const char* controlKey = "";  ///< the control's key in `show --json`
    BilingualText dialog;         ///< the dialog's caption
    BilingualText control;        ///< the control's label
    std::string oldText;          ///< check boxes show as "[x]" and "[ ]"
    std::string newText;
};

/// Differing bytes, @p from to @p to inclusive.
struct ByteRange {
    std::size_t from = 0;
    std::size_t to = 0;
};

/// The difference of two memories on three levels: what the grid shows, what the settings
/// dialogs show, and the differing bytes that neither shows (the identity record, unused bits).
struct MemoryDiff {
    std::vector<ChannelChange> channels;
    std::vector<SettingChange> settings;
    std::vector<ByteRange> bytes;

    bool Identical() const { return channels.empty() && settings.empty() && bytes.empty(); }
};

/// How @p from becomes @p to, the texts in @p language, each memory shown with its own band.
/// Bytes 0-0x3FF are compared; a differing byte is listed among the bytes when changing it
/// alone changes no text of the grid or the dialogs.
MemoryDiff CompareMemories(const RadioImage& from, const RadioImage& to, Language language);

/// The key of grid column @p col (1-8) in `show --json`: rx, tx, dec, enc, power, scan, busy, wn.
const char* ColumnKey(int col);

/// "Channel 4  Rx Frequency", "Optional Features  Squelch Level", "Bytes 0x01B8-0x01BF": what
/// changed, in @p language.
std::string ChangeLabel(const ChannelChange& change, Language language);
std::string ChangeLabel(const SettingChange& change, Language language);
std::string ChangeLabel(const ByteRange& range, Language language);

/// One line per change in @p language: "Channel 4  RX Freq: 150.00000 -> 145.01250",
/// "Optional Features  Squelch Level: 3 -> 5", "Bytes 0x01B8-0x01BF".
std::vector<std::string> DiffLines(const MemoryDiff& diff, Language language);

}  // namespace radioprog
