#include "core/doc/channel_rows.h"

#include <algorithm>

#include "core/doc/program_doc.h"
#include "core/radio/channel_codec.h"
#include "core/radio/channel_record.h"

namespace radioprog {
namespace {

constexpr int kChannels = image::kChannelCount;

void SwapChannels(RadioImage& image, TextGrid& texts, int a, int b) {
    const ChannelRow first = TakeChannelRow(image, texts, a);
    PutChannelRow(TakeChannelRow(image, texts, b), image, texts, a);
    PutChannelRow(first, image, texts, b);
}

bool Contains(std::span<const int> channels, int channel) {
    return std::binary_search(channels.begin(), channels.end(), channel);
}

}  // namespace

ChannelRow TakeChannelRow(const RadioImage& image, const TextGrid& texts, int channel) {
    ChannelRow row;
    const std::size_t at = image::ChannelOffset(channel);
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(at), row.record.size(),
                row.record.begin());
    row.scanAdd = ScanAdd(image, channel);
    for (int col = column::kRxFrequency; col < column::kCount; ++col) {
        row.texts[static_cast<std::size_t>(col - 1)] = texts.TextMatrix(channel, col);
    }
    return row;
}

void PutChannelRow(const ChannelRow& row, RadioImage& image, TextGrid& texts, int channel) {
    const std::size_t at = image::ChannelOffset(channel);
    std::copy(row.record.begin(), row.record.end(),
              image.begin() + static_cast<std::ptrdiff_t>(at));
    SetScanAdd(image, channel, row.scanAdd);
    for (int col = column::kRxFrequency; col < column::kCount; ++col) {
        texts.SetTextMatrix(channel, col, row.texts[static_cast<std::size_t>(col - 1)]);
    }
}

ChannelRow EmptyChannelRow() {
    ChannelRow row;
    row.record.fill(0xFF);
    return row;
}

bool ChannelFilled(const TextGrid& texts, int channel) {
    for (int col = column::kRxFrequency; col < column::kCount; ++col) {
        if (!texts.TextMatrix(channel, col).empty()) {
            return true;
        }
    }
    return false;
}

std::vector<int> NormalisedChannels(std::span<const int> channels) {
    std::vector<int> sorted;
    for (int channel : channels) {
        if (channel >= 1 && channel <= kChannels) {
            sorted.push_back(channel);
        }
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    return sorted;
}

bool DeleteChannels(CProgramDoc& doc, std::span<const int> channels, bool cut) {
    const std::vector<int> gone = NormalisedChannels(channels);
    if (gone.empty()) {
        return false;
    }
    const auto kind = cut ? DocumentEdit::Kind::Cut : DocumentEdit::Kind::DeleteChannels;
    return doc.Edit(DocumentEdit::Of(kind), [&](RadioImage& image, TextGrid& texts) {
        std::vector<ChannelRow> kept;
        for (int channel = 1; channel <= kChannels; ++channel) {
            if (!Contains(gone, channel)) {
                kept.push_back(TakeChannelRow(image, texts, channel));
            }
        }
        kept.resize(kChannels, EmptyChannelRow());
        for (int channel = 1; channel <= kChannels; ++channel) {
            PutChannelRow(kept[static_cast<std::size_t>(channel - 1)], image, texts, channel);
        }
    });
}

std::optional<std::string> InsertEmptyChannel(CProgramDoc& doc, int channel, Language language) {
    if (channel < 1 || channel > kChannels) {
        return std::nullopt;
    }
    if (ChannelFilled(doc.texts(), kChannels)) {
        return std::string(
            BilingualText{"Channel 16 is in use: an empty channel can only be "
                          "inserted when channel 16 is empty. Delete or move "
                          "channel 16 first.",
                          "信道 16 已在使用：只有信道 16 为空时才能插入空信道。"
                          "请先删除或移动信道 16。"}
                .In(language));
    }
    doc.Edit(DocumentEdit::Of(DocumentEdit::Kind::InsertChannel),
             [&](RadioImage& image, TextGrid& texts) {
                 for (int to = kChannels; to > channel; --to) {
                     PutChannelRow(TakeChannelRow(image, texts, to - 1), image, texts, to);
                 }
                 PutChannelRow(EmptyChannelRow(), image, texts, channel);
             });
    return std::nullopt;
}

std::vector<int> MoveChannels(CProgramDoc& doc, std::span<const int> channels, int step) {
    std::vector<int> moving = NormalisedChannels(channels);
    if (moving.empty() || (step != -1 && step != 1) ||
        (step < 0 ? moving.front() == 1 : moving.back() == kChannels)) {
        return moving;
    }
    const auto kind = step < 0 ? DocumentEdit::Kind::MoveUp : DocumentEdit::Kind::MoveDown;
    doc.Edit(DocumentEdit::Of(kind), [&](RadioImage& image, TextGrid& texts) {
        // Nearest the edge first, so that a block of neighbours moves as one.
        if (step < 0) {
            for (int channel : moving) {
                SwapChannels(image, texts, channel, channel - 1);
            }
        } else {
            for (auto it = moving.rbegin(); it != moving.rend(); ++it) {
                SwapChannels(image, texts, *it, *it + 1);
            }
        }
    });
    for (int& channel : moving) {
        channel += step;
    }
    return moving;
}

bool SettableForSelected(int col) {
    return col >= column::kRxTone && col <= column::kWideNarrow;
}

bool SetForSelected(CProgramDoc& doc, std::span<const int> channels, int col,
                    const std::string& value, const BandLimits& bandInUse, Language language) {
    const std::vector<int> chosen = NormalisedChannels(channels);
    if (chosen.empty() || !SettableForSelected(col)) {
        return false;
    }
    return doc.Edit(DocumentEdit::OfColumn(DocumentEdit::Kind::SetForSelected, col),
                    [&](RadioImage&, TextGrid& texts) {
                        const int row = texts.Row();
                        const int current = texts.Col();
                        for (int channel : chosen) {
                            texts.SetCurrentCell(channel, col);
                            texts.OpenEditor(value);
                            // A list column is never refused.
                            (void)CommitEditedCell(texts, bandInUse, language);
                        }
                        texts.SetCurrentCell(row, current);
                    });
}

}  // namespace radioprog
