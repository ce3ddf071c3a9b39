#include "core/radio/csv_channel_row.h"

#include "core/base/ascii_text.h"
#include "core/radio/channel_codec.h"
#include "core/radio/channel_record.h"
#include "core/radio/csv_fields.h"
#include "core/radio/csv_tone_modes.h"
#include "core/radio/display_texts.h"
#include "core/radio/frequency_rule.h"
#include "core/radio/text_grid.h"

namespace radioprog {
namespace {

using Id = CsvMessageId;

constexpr std::int64_t kHzPer10Hz = 10;
constexpr std::int64_t kSplitBeyondHz = 70'000'000;
// The scratch grid's row that each file row is typed into.
constexpr int kScratchRow = 1;

std::string BusyLockCellText(BusyLock value, Language language) {
    switch (value) {
        case BusyLock::Off:
            return std::string(texts::kBusyOff.In(language));
        case BusyLock::Carrier:
            return std::string(texts::kBusyCarrier.In(language));
        case BusyLock::QtDqt:
            break;
    }
    return std::string(texts::kBusyQtDqt.In(language));
}

struct DuplexFields {
    std::string duplex;
    std::string offset = CsvMegahertz(0);
};

DuplexFields DuplexOf(const ChannelRecordView& channel) {
    if (!channel.HasTxFrequency()) {
        return {"off"};
    }
    const std::int64_t rx = std::int64_t{channel.RxFrequency()} * kHzPer10Hz;
    const std::int64_t tx = std::int64_t{channel.TxFrequency()} * kHzPer10Hz;
    const std::int64_t shift = tx - rx;
    if (shift > kSplitBeyondHz || shift < -kSplitBeyondHz) {
        return {"split", CsvMegahertz(tx)};
    }
    if (shift > 0) {
        return {"+", CsvMegahertz(shift)};
    }
    if (shift < 0) {
        return {"-", CsvMegahertz(-shift)};
    }
    return {};
}

// Types the fields of one file row into an empty grid row, one cell after the other, as the
// user would; the first refusal is the row's reason.
class RowTyping {
public:
    RowTyping(const CsvColumns& columns, const CsvRecord& record, const BandLimits& band,
              Language language)
        : m_columns(columns), m_record(record), m_band(band), m_language(language) {}

    CsvChannelRow Run() {
        NoteName();
        // A mode the radio does not have is the first thing to say of a row: AM on 118 MHz is an
        // AM channel before it is out of band.
        if (Width() && ReceiveFrequency() && TransmitFrequency() && Tones() && Scan() && Power()) {
            BusyLockFromComment();
            TypeListCells();
            for (int col = column::kRxFrequency; col < column::kCount; ++col) {
                m_row.texts[static_cast<std::size_t>(col - 1)] =
                    m_grid.TextMatrix(kScratchRow, col);
            }
        } else {
            m_row.notes.clear();
        }
        return std::move(m_row);
    }

private:
    std::string_view Field(CsvColumn column) const { return m_columns.Field(m_record, column); }
    bool Refuse(Id id, std::vector<std::string> args = {}) {
        m_row.refusal = CsvMessage{id, std::move(args)};
        return false;
    }
    void Note(Id id, std::vector<std::string> args = {}) {
        m_row.notes.push_back(CsvMessage{id, std::move(args)});
    }
    std::optional<StringId> Type(int col, const std::string& text) {
        m_grid.SetCurrentCell(kScratchRow, col);
        m_grid.OpenEditor(text);
        return CommitEditedCell(m_grid, m_band, m_language);
    }
    // The radio keeps 10 Hz steps; what lies below them is cut off, as the entry rule does.
    static std::int64_t Kept(std::int64_t hz) { return hz / kHzPer10Hz * kHzPer10Hz; }
    bool Refused(std::optional<StringId> refusal, Id outOfBand, Id offStep, std::int64_t hz) {
        if (!refusal) {
            return false;
        }
        if (*refusal == StringId::OutOfRange) {
            return !Refuse(outOfBand, {CsvMegahertz(hz), std::to_string(m_band.lower()),
                                       std::to_string(m_band.upper())});
        }
        return !Refuse(offStep, {CsvMegahertz(hz)});
    }

    // A field with digits below 10 Hz: @p stored is the frequency it gives, before the cut.
    void NoteCut(const char* name, const CsvFrequency& field, std::string_view text,
                 std::int64_t stored) {
        if (Kept(field.hz) != field.hz || field.finerThan1Hz) {
            Note(Id::FrequencyCut, {name, ShortCsvText(text), CsvMegahertz(Kept(stored))});
        }
    }

    void NoteName() {
        if (const std::string_view name = Field(CsvColumn::Name); !name.empty()) {
            Note(Id::NameDropped, {ShortCsvText(name)});
        }
    }

    bool ReceiveFrequency() {
        const std::string_view text = Field(CsvColumn::Frequency);
        if (text.empty()) {
            return Refuse(Id::NoFrequency);
        }
        const std::optional<CsvFrequency> rx = ParseCsvFrequency(text);
        if (!rx) {
            return Refuse(Id::NotAFrequency, {"Frequency", ShortCsvText(text)});
        }
        m_rxHz = rx->hz;
        NoteCut("Frequency", *rx, text, m_rxHz);
        return !Refused(Type(column::kRxFrequency, CsvMegahertz(Kept(rx->hz))), Id::RxOutOfBand,
                        Id::RxOffStep, rx->hz);
    }

    bool TransmitFrequency() {
        const std::string_view duplex = Field(CsvColumn::Duplex);
        const std::string_view offsetText = Field(CsvColumn::Offset);
        std::int64_t txHz = m_rxHz;
        if (duplex == "+" || duplex == "-") {
            const auto offset = offsetText.empty() ? CsvFrequency{} : ParseCsvFrequency(offsetText);
            if (!offset) {
                return Refuse(Id::NotAFrequency, {"Offset", ShortCsvText(offsetText)});
            }
            txHz = duplex == "+" ? m_rxHz + offset->hz : m_rxHz - offset->hz;
            NoteCut("Offset", *offset, offsetText, txHz);
        } else if (EqualsIgnoringAsciiCase(duplex, "split")) {
            const auto tx = ParseCsvFrequency(offsetText);
            if (!tx || offsetText.empty()) {
                return Refuse(Id::SplitWithoutTx, {ShortCsvText(offsetText)});
            }
            txHz = tx->hz;
            NoteCut("Offset", *tx, offsetText, txHz);
        } else if (EqualsIgnoringAsciiCase(duplex, "off")) {
            return Refuse(Id::DuplexOff);
        } else if (!duplex.empty()) {
            return Refuse(Id::UnknownDuplex, {ShortCsvText(duplex)});
        }
        return !Refused(Type(column::kTxFrequency, CsvMegahertz(Kept(txHz))), Id::TxOutOfBand,
                        Id::TxOffStep, txHz);
    }

    bool Width() {
        const std::string_view mode = Field(CsvColumn::Mode);
        if (mode.empty() || EqualsIgnoringAsciiCase(mode, "FM")) {
            m_wide = true;
        } else if (EqualsIgnoringAsciiCase(mode, "NFM")) {
            m_wide = false;
        } else {
            return Refuse(Id::UnsupportedMode, {ShortCsvText(mode)});
        }
        return true;
    }

    bool Tones() {
        auto tones = TonesOfRow(m_columns, m_record);
        if (auto* refusal = std::get_if<CsvMessage>(&tones)) {
            m_row.refusal = std::move(*refusal);
            return false;
        }
        m_tones = std::get<ChannelTones>(tones);
        return true;
    }

    bool Scan() {
        const std::string_view skip = Field(CsvColumn::Skip);
        if (skip.empty()) {
            m_scanned = true;
        } else if (EqualsIgnoringAsciiCase(skip, "S")) {
            m_scanned = false;
        } else if (EqualsIgnoringAsciiCase(skip, "P")) {
            m_scanned = true;
            Note(Id::PriorityScan);
        } else {
            return Refuse(Id::UnknownSkip, {ShortCsvText(skip)});
        }
        return true;
    }

    bool Power() {
        const std::string_view text = Field(CsvColumn::Power);
        const std::optional<CsvPower> power = ParseCsvPower(text);
        if (!power) {
            return Refuse(Id::NotAPower, {ShortCsvText(text)});
        }
        m_highPower = power->high;
        if (power->rounded) {
            Note(power->high ? Id::PowerRoundedHigh : Id::PowerRoundedLow, {ShortCsvText(text)});
        }
        return true;
    }

    void BusyLockFromComment() {
        const CsvComment comment = ParseCsvComment(Field(CsvColumn::Comment));
        m_busyLock = comment.busyLock;
        if (!comment.rest.empty()) {
            Note(Id::CommentDropped, {ShortCsvText(comment.rest)});
        }
    }

    void TypeListCells() {
        const Language l = m_language;
        Type(column::kRxTone, ToneCellText(m_tones.rx, l));
        Type(column::kTxTone, ToneCellText(m_tones.tx, l));
        Type(column::kPower, std::string((m_highPower ? texts::kHigh : texts::kLow).In(l)));
        Type(column::kScanAdd, std::string((m_scanned ? texts::kScanYes : texts::kScanNo).In(l)));
        Type(column::kBusyLock, BusyLockCellText(m_busyLock, l));
        Type(column::kWideNarrow, std::string((m_wide ? texts::kWide : texts::kNarrow).In(l)));
    }

    const CsvColumns& m_columns;
    const CsvRecord& m_record;
    const BandLimits& m_band;
    const Language m_language;
    TextGrid m_grid;
    CsvChannelRow m_row;
    std::int64_t m_rxHz = 0;
    bool m_wide = true;
    ChannelTones m_tones;
    bool m_scanned = true;
    bool m_highPower = true;
    BusyLock m_busyLock = BusyLock::Off;
};

}  // namespace

std::optional<std::vector<std::string>> ChannelCsvFields(const RadioImage& image, int channel) {
    const ChannelRecordView record(image, channel);
    if (record.IsEmpty()) {
        return std::nullopt;
    }
    std::vector<std::string> fields(kCsvColumnCount);
    const auto set = [&fields](CsvColumn column, std::string text) {
        fields[static_cast<std::size_t>(column)] = std::move(text);
    };
    const std::uint32_t rx = record.RxFrequency();
    const DuplexFields duplex = DuplexOf(record);
    const CsvToneFields tones =
        ToneFieldsOf({ChannelTone::OfWord(record.TxTone()), ChannelTone::OfWord(record.RxTone())});
    const bool onlyOn6_25kHz = rx % kStep5kHz != 0 && rx % kStep6_25kHz == 0;
    set(CsvColumn::Location, std::to_string(channel));
    set(CsvColumn::Frequency, CsvMegahertz(std::int64_t{rx} * kHzPer10Hz));
    set(CsvColumn::Duplex, duplex.duplex);
    set(CsvColumn::Offset, duplex.offset);
    set(CsvColumn::Tone, tones.tone);
    set(CsvColumn::RToneFreq, tones.rToneFreq);
    set(CsvColumn::CToneFreq, tones.cToneFreq);
    set(CsvColumn::DtcsCode, tones.dtcsCode);
    set(CsvColumn::DtcsPolarity, tones.dtcsPolarity);
    set(CsvColumn::RxDtcsCode, tones.rxDtcsCode);
    set(CsvColumn::CrossMode, tones.crossMode);
    set(CsvColumn::Mode, record.Wide() ? "FM" : "NFM");
    set(CsvColumn::TStep, onlyOn6_25kHz ? "6.25" : "5.00");
    set(CsvColumn::Skip, ScanAdd(image, channel) ? "" : "S");
    set(CsvColumn::Power, CsvPowerText(record.HighPower()));
    set(CsvColumn::Comment, CsvCommentText(record.Busy()));
    return fields;
}

CsvChannelRow ConvertCsvRow(const CsvColumns& columns, const CsvRecord& record,
                            const BandLimits& band, Language language) {
    return RowTyping(columns, record, band, language).Run();
}

}  // namespace radioprog
