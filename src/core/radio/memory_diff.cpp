#include "core/radio/memory_diff.h"

#include <cstdio>
#include <variant>

#include "core/radio/band_limits.h"
#include "core/radio/channel_codec.h"
#include "core/radio/dialog_controls.h"
#include "core/radio/grid_columns.h"
#include "core/radio/text_grid.h"

namespace radioprog {
namespace {

constexpr const char* kColumnKeys[] = {"rx", "tx", "dec", "enc", "power", "scan", "busy", "wn"};
constexpr BilingualText kChannel{"Channel", "信道"};
constexpr BilingualText kBytes{"Bytes", "字节"};

/// Everything the grid and the dialogs show of a memory.
struct Shown {
    TextGrid grid;
    std::vector<ShownDialog> dialogs;
};

Shown Show(const RadioImage& memory, Language language) {
    Shown shown;
    BandLimits band;
    ImageToGrid(memory, shown.grid, band, language);
    shown.dialogs = ShowSettingsDialogs(memory, language);
    return shown;
}

std::string Text(const ControlValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    return std::get<bool>(value) ? "[x]" : "[ ]";
}

void CompareChannels(const Shown& from, const Shown& to, MemoryDiff& diff) {
    for (int row = 1; row < kGridRows; ++row) {
        for (int col = column::kRxFrequency; col < column::kCount; ++col) {
            const std::string before = from.grid.TextMatrix(row, col);
            const std::string after = to.grid.TextMatrix(row, col);
            if (before != after) {
                diff.channels.push_back({row, col, before, after});
            }
        }
    }
}

void CompareSettings(const Shown& from, const Shown& to, MemoryDiff& diff) {
    for (std::size_t d = 0; d < from.dialogs.size() && d < to.dialogs.size(); ++d) {
        const ShownDialog& before = from.dialogs[d];
        const ShownDialog& after = to.dialogs[d];
        for (std::size_t c = 0; c < before.controls.size() && c < after.controls.size(); ++c) {
            const std::string oldText = Text(before.controls[c].value);
            const std::string newText = Text(after.controls[c].value);
            if (oldText != newText) {
                diff.settings.push_back({before.key, before.controls[c].name.key, before.caption,
                                         before.controls[c].name.label, oldText, newText});
            }
        }
    }
}

bool SameTexts(const Shown& a, const Shown& b) {
    MemoryDiff diff;
    CompareChannels(a, b, diff);
    CompareSettings(a, b, diff);
    return diff.channels.empty() && diff.settings.empty();
}

void AddByte(std::vector<ByteRange>& ranges, std::size_t at) {
    if (!ranges.empty() && ranges.back().to + 1 == at) {
        ranges.back().to = at;
    } else {
        ranges.push_back({at, at});
    }
}

std::string Hex(std::size_t address) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04zX", address);
    return text;
}

}  // namespace

const char* ColumnKey(int col) {
    return col >= 1 && col <= 8 ? kColumnKeys[col - 1] : "";
}

MemoryDiff CompareMemories(const RadioImage& from, const RadioImage& to, Language language) {
    MemoryDiff diff;
    const Shown before = Show(from, language);
    const Shown after = Show(to, language);
    CompareChannels(before, after, diff);
    CompareSettings(before, after, diff);
    for (std::size_t at = 0; at < image::kSize; ++at) {
        if (from[at] == to[at]) {
            continue;
        }
        RadioImage alone = from;
        alone[at] = to[at];
        if (SameTexts(before, Show(alone, language))) {
            AddByte(diff.bytes, at);
        }
    }
    return diff;
}

std::string ChangeLabel(const ChannelChange& change, Language language) {
    return std::string(kChannel.In(language)) + " " + std::to_string(change.channel) + "  " +
           ColumnHeader(change.column, language);
}

std::string ChangeLabel(const SettingChange& change, Language language) {
    return std::string(change.dialog.In(language)) + "  " +
           std::string(change.control.In(language));
}

std::string ChangeLabel(const ByteRange& range, Language language) {
    return std::string(kBytes.In(language)) + " " + Hex(range.from) +
           (range.to != range.from ? "-" + Hex(range.to) : std::string());
}

std::vector<std::string> DiffLines(const MemoryDiff& diff, Language language) {
    std::vector<std::string> lines;
    for (const ChannelChange& change : diff.channels) {
        lines.push_back(ChangeLabel(change, language) + ": " + change.oldText + " -> " +
                        change.newText);
    }
    for (const SettingChange& change : diff.settings) {
        lines.push_back(ChangeLabel(change, language) + ": " + change.oldText + " -> " +
                        change.newText);
    }
    for (const ByteRange& range : diff.bytes) {
        lines.push_back(ChangeLabel(range, language));
    }
    return lines;
}

}  // namespace radioprog
