#include "core/radio/channel_codec.h"

#include <cstdio>

#include "core/base/text_number.h"
#include "core/radio/channel_record.h"
#include "core/radio/decimal_multiply.h"
#include "core/radio/display_texts.h"
#include "core/radio/frequency_rule.h"
#include "core/radio/tones.h"

namespace radioprog {
namespace {

using std::string;

constexpr int kFirstChannel = 1;
constexpr int kLastChannel = image::kChannelCount;

string BusyLockText(BusyLock value, Language language) {
    switch (value) {
        case BusyLock::Off:
            return string(texts::kBusyOff.In(language));
        case BusyLock::Carrier:
            return string(texts::kBusyCarrier.In(language));
        case BusyLock::QtDqt:
            break;
    }
    return string(texts::kBusyQtDqt.In(language));
}

void ShowChannel(const RadioImage& image, int n, ChannelGrid& grid, Language language) {
    const ChannelRecordView channel(image, n);
    const bool incomplete = channel.IsIncomplete();
    grid.SetTextMatrix(n, column::kRxFrequency,
                       channel.HasRxFrequency() ? FrequencyText(channel.RxFrequency()) : string());
    grid.SetTextMatrix(n, column::kTxFrequency,
                       channel.HasTxFrequency() ? FrequencyText(channel.TxFrequency()) : string());
    grid.SetTextMatrix(n, column::kRxTone, ToneText(channel.RxTone(), incomplete, language));
    grid.SetTextMatrix(n, column::kTxTone, ToneText(channel.TxTone(), incomplete, language));
    const auto unlessIncomplete = [&](std::string_view text) {
        return incomplete ? string() : string(text);
    };
    grid.SetTextMatrix(
        n, column::kPower,
        unlessIncomplete((channel.HighPower() ? texts::kHigh : texts::kLow).In(language)));
    grid.SetTextMatrix(n, column::kBusyLock,
                       unlessIncomplete(BusyLockText(channel.Busy(), language)));
    grid.SetTextMatrix(
        n, column::kWideNarrow,
        unlessIncomplete((channel.Wide() ? texts::kWide : texts::kNarrow).In(language)));
    // A set scan-add flag shows even on an incomplete channel.
    grid.SetTextMatrix(n, column::kScanAdd,
                       ScanAdd(image, n) ? string(texts::kScanYes.In(language))
                                         : unlessIncomplete(texts::kScanNo.In(language)));
}

BusyLock BusyLockOf(const string& text) {
    if (texts::kBusyOff.Matches(text)) {
        return BusyLock::Off;
    }
    if (texts::kBusyCarrier.Matches(text)) {
        return BusyLock::Carrier;
    }
    return BusyLock::QtDqt;
}

void StoreChannel(const ChannelGrid& grid, int n, RadioImage& image) {
    ChannelRecordWriter channel(image, n);
    channel.SetRxFrequency(TypedFrequency10Hz(grid.TextMatrix(n, column::kRxFrequency)));
    channel.SetTxFrequency(TypedFrequency10Hz(grid.TextMatrix(n, column::kTxFrequency)));
    const auto [rxLow, rxHigh] = ToneBytes(grid.TextMatrix(n, column::kRxTone));
    channel.SetRxTone(rxLow, rxHigh);
    const auto [txLow, txHigh] = ToneBytes(grid.TextMatrix(n, column::kTxTone));
    channel.SetTxTone(txLow, txHigh);
    channel.SetHighPower(texts::kHigh.Matches(grid.TextMatrix(n, column::kPower)));
    channel.SetBusy(BusyLockOf(grid.TextMatrix(n, column::kBusyLock)));
    channel.SetWide(texts::kWide.Matches(grid.TextMatrix(n, column::kWideNarrow)));
}

void ClearRow(ChannelGrid& grid, int row) {
    for (int col = column::kRxFrequency; col <= column::kWideNarrow; ++col) {
        grid.SetTextMatrix(row, col, string());
    }
}

void FillNewChannel(ChannelGrid& grid, int row, const string& frequency, Language language) {
    grid.SetTextMatrix(row, column::kRxFrequency, frequency);
    grid.SetTextMatrix(row, column::kTxFrequency, frequency);
    grid.SetTextMatrix(row, column::kRxTone, string(texts::kNone.In(language)));
    grid.SetTextMatrix(row, column::kTxTone, string(texts::kNone.In(language)));
    grid.SetTextMatrix(row, column::kPower, string(texts::kHigh.In(language)));
    grid.SetTextMatrix(row, column::kScanAdd, string(texts::kScanNo.In(language)));
    grid.SetTextMatrix(row, column::kBusyLock, string(texts::kBusyOff.In(language)));
    grid.SetTextMatrix(row, column::kWideNarrow, string(texts::kWide.In(language)));
}

std::optional<StringId> Refusal(FrequencyVerdict verdict) {
    switch (verdict) {
        case FrequencyVerdict::OutOfRange:
            return StringId::OutOfRange;
        case FrequencyVerdict::OffStep:
            return StringId::OffStep;
        case FrequencyVerdict::Accepted:
            break;
    }
    return std::nullopt;
}

std::optional<StringId> CommitRxFrequency(ChannelGrid& grid, int row, const string& typed,
                                          const BandLimits& band, Language language) {
    if (typed.empty()) {
        ClearRow(grid, row);  // an empty receive frequency deletes the channel
        return std::nullopt;
    }
    const FrequencyEntry entry = CheckFrequency(typed, band);
    if (auto refusal = Refusal(entry.verdict)) {
        ClearRow(grid, row);
        return refusal;
    }
    if (grid.TextMatrix(row, column::kRxFrequency).empty()) {
        FillNewChannel(grid, row, entry.shownText, language);
    } else {
        grid.SetTextMatrix(row, column::kRxFrequency, entry.shownText);
    }
    return std::nullopt;
}

std::optional<StringId> CommitTxFrequency(ChannelGrid& grid, int row, const string& typed,
                                          const BandLimits& band) {
    const string rx = grid.TextMatrix(row, column::kRxFrequency);
    if (typed.empty()) {
        grid.SetTextMatrix(row, column::kTxFrequency, rx);  // transmit on the receive frequency
        return std::nullopt;
    }
    const FrequencyEntry entry = CheckFrequency(typed, band);
    if (auto refusal = Refusal(entry.verdict)) {
        grid.SetTextMatrix(row, column::kTxFrequency, string());
        return refusal;
    }
    grid.SetTextMatrix(row, column::kTxFrequency, rx.empty() ? string() : entry.shownText);
    return std::nullopt;
}

}  // namespace

string ToneText(std::uint16_t word, bool incomplete, Language language) {
    const auto high = static_cast<std::uint8_t>(word >> 8);
    if (high == tone::kNoneLow || high == tone::kNoneHigh) {
        return incomplete ? string() : string(texts::kNone.In(language));
    }
    const auto base = static_cast<std::uint8_t>(high & ~tone::kDcsBit8);
    if (base == tone::kDcsNormal || base == tone::kDcsInverted) {
        char text[16];
        std::snprintf(text, sizeof text, "D%03d%c", DecodeDcs(word & 0x1FFu),
                      base == tone::kDcsNormal ? 'N' : 'I');
        return text;
    }
    return FormatFixed(word / 10.0, 1);
}

std::pair<std::uint8_t, std::uint8_t> ToneBytes(const string& text) {
    if (text.find('D') != string::npos) {
        const int code = LeadingInt(std::string_view(text).substr(1));
        std::uint8_t high = text.find('N') != string::npos ? tone::kDcsNormal : tone::kDcsInverted;
        if (code > tone::kLastNineBitFreeCode) {
            high = static_cast<std::uint8_t>(high + tone::kDcsBit8);
        }
        return {EncodeDcsLowByte(code), high};
    }
    const std::int32_t tenths = TruncateToInt32(DecimalMultiply(LeadingNumber(text), 10));
    if (tenths == 0) {
        return {tone::kNoneHigh, tone::kNoneHigh};
    }
    return {static_cast<std::uint8_t>(tenths % 256), static_cast<std::uint8_t>(tenths / 256)};
}

void ImageToGrid(const RadioImage& image, ChannelGrid& grid, BandLimits& bandInUse,
                 Language language) {
    bandInUse = ReadBandLimits(image);
    for (int n = kFirstChannel; n <= kLastChannel; ++n) {
        ShowChannel(image, n, grid, language);
    }
}

void GridToImage(const ChannelGrid& grid, const BandLimits& bandInUse, RadioImage& image) {
    WriteBandLimits(bandInUse, image);
    for (int n = kFirstChannel; n <= kLastChannel; ++n) {
        StoreChannel(grid, n, image);
    }
    image[image::kScanAddLow] = 0;
    image[image::kScanAddHigh] = 0;
    for (int n = kFirstChannel; n <= kLastChannel; ++n) {
        if (texts::kScanYes.Matches(grid.TextMatrix(n, column::kScanAdd))) {
            SetScanAdd(image, n, true);
        }
    }
}

bool CommitDropsEdit(const ChannelGrid& grid, int row, int col) {
    const bool noRx = grid.TextMatrix(row, column::kRxFrequency).empty();
    if (col == column::kTxFrequency) {
        return noRx;
    }
    return col > column::kTxFrequency && noRx && grid.TextMatrix(row, column::kTxFrequency).empty();
}

std::optional<StringId> CommitEditedCell(ChannelGrid& grid, const BandLimits& bandInUse,
                                         Language language) {
    if (!grid.EditorVisible()) {
        return std::nullopt;
    }
    const int row = grid.Row();
    const int col = grid.Col();
    const string typed = grid.EditorText();
    std::optional<StringId> refusal;
    if (row >= kFirstChannel && row <= kLastChannel) {
        if (col == column::kRxFrequency) {
            refusal = CommitRxFrequency(grid, row, typed, bandInUse, language);
        } else if (col == column::kTxFrequency) {
            refusal = CommitTxFrequency(grid, row, typed, bandInUse);
        } else if (col > column::kTxFrequency && col < column::kCount) {
            grid.SetTextMatrix(row, col, CommitDropsEdit(grid, row, col) ? string() : typed);
        }
    }
    grid.HideEditor();
    return refusal;
}

}  // namespace radioprog
