#include "core/radio/csv_tone_modes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "core/base/ascii_text.h"
#include "core/base/text_number.h"
#include "core/radio/csv_fields.h"
#include "core/radio/display_texts.h"
#include "core/radio/tones.h"

namespace radioprog {
namespace {

using Kind = ChannelTone::Kind;

constexpr std::string_view kArrow = "->";

char PolarityLetter(const ChannelTone& tone) {
    return tone.kind == Kind::Dcs && tone.inverted ? 'R' : 'N';
}

// The half of a cross mode ("Tone", "DTCS" or nothing) that names @p kind.
std::optional<Kind> CrossPart(std::string_view part) {
    part = TrimBlanks(part);
    if (part.empty()) {
        return Kind::None;
    }
    if (EqualsIgnoringAsciiCase(part, "Tone")) {
        return Kind::Ctcss;
    }
    if (EqualsIgnoringAsciiCase(part, "DTCS")) {
        return Kind::Dcs;
    }
    return std::nullopt;
}

// Reads the tone fields of one row; the first field that fails is the row's reason.
class ToneFieldReader {
public:
    ToneFieldReader(const CsvColumns& columns, const CsvRecord& record)
        : m_columns(columns), m_record(record) {}

    const std::optional<CsvMessage>& failure() const { return m_failure; }
    void Fail(CsvMessageId id, std::vector<std::string> args) {
        if (!m_failure) {
            m_failure = CsvMessage{id, std::move(args)};
        }
    }
    std::string_view Field(CsvColumn column) const { return m_columns.Field(m_record, column); }

    ChannelTone Ctcss(CsvColumn column) {
        const std::string_view text = Field(column);
        const std::string name(CsvColumnName(column));
        const std::optional<double> hertz = ReadWholeNumber(text);
        if (!hertz) {
            Fail(CsvMessageId::NotATone, {name, ShortCsvText(text)});
            return {};
        }
        const auto tones = CtcssTones();
        const auto tone = std::find_if(tones.begin(), tones.end(), [&](int tenths) {
            return std::fabs(*hertz * 10 - tenths) < 1e-6;
        });
        if (tone == tones.end()) {
            Fail(CsvMessageId::ToneNotOffered, {name, ShortCsvText(text)});
            return {};
        }
        return ChannelTone::Ctcss(*tone);
    }

    // @p direction 0 reads the transmit letter of DtcsPolarity, 1 the receive letter.
    ChannelTone Dcs(CsvColumn column, std::size_t direction) {
        const std::string_view text = Field(column);
        const std::string name(CsvColumnName(column));
        const std::optional<int> code = ReadWholeInt(text);
        if (!code) {
            Fail(CsvMessageId::NotADcsCode, {name, ShortCsvText(text)});
            return {};
        }
        const auto known = KnownDcsCodes();
        if (std::find(known.begin(), known.end(), *code) == known.end()) {
            Fail(CsvMessageId::DcsCodeNotInSet, {name, ShortCsvText(text)});
            return {};
        }
        std::string_view polarity = Field(CsvColumn::DtcsPolarity);
        if (polarity.empty()) {
            polarity = "NN";
        }
        const auto letter = [&](std::size_t at) { return AsciiLower(polarity[at]); };
        const bool valid = polarity.size() == 2 && (letter(0) == 'n' || letter(0) == 'r') &&
                           (letter(1) == 'n' || letter(1) == 'r');
        if (!valid) {
            Fail(CsvMessageId::UnknownPolarity, {ShortCsvText(polarity)});
            return {};
        }
        return ChannelTone::Dcs(*code, letter(direction) == 'r');
    }

    ChannelTone Transmit(Kind kind) {
        switch (kind) {
            case Kind::Ctcss:
                return Ctcss(CsvColumn::RToneFreq);
            case Kind::Dcs:
                return Dcs(CsvColumn::DtcsCode, 0);
            case Kind::None:
                break;
        }
        return {};
    }
    ChannelTone Receive(Kind kind) {
        switch (kind) {
            case Kind::Ctcss:
                return Ctcss(CsvColumn::CToneFreq);
            case Kind::Dcs:
                return Dcs(CsvColumn::RxDtcsCode, 1);
            case Kind::None:
                break;
        }
        return {};
    }

private:
    const CsvColumns& m_columns;
    const CsvRecord& m_record;
    std::optional<CsvMessage> m_failure;
};

ChannelTones CrossTones(ToneFieldReader& reader) {
    const std::string_view cross = reader.Field(CsvColumn::CrossMode);
    const std::size_t arrow = cross.find(kArrow);
    const auto tx =
        arrow == std::string_view::npos ? std::nullopt : CrossPart(cross.substr(0, arrow));
    const auto rx = arrow == std::string_view::npos
                        ? std::nullopt
                        : CrossPart(cross.substr(arrow + kArrow.size()));
    if (!tx || !rx || (*tx == Kind::None && *rx == Kind::None)) {
        reader.Fail(CsvMessageId::UnknownCrossMode, {ShortCsvText(cross)});
        return {};
    }
    return {reader.Transmit(*tx), reader.Receive(*rx)};
}

}  // namespace

ChannelTone ChannelTone::OfWord(std::uint16_t word) {
    const auto high = static_cast<std::uint8_t>(word >> 8);
    if (high == tone::kNoneLow || high == tone::kNoneHigh) {
        return {};
    }
    const auto base = static_cast<std::uint8_t>(high & ~tone::kDcsBit8);
    if (base == tone::kDcsNormal || base == tone::kDcsInverted) {
        return Dcs(DecodeDcs(word & 0x1FFu), base == tone::kDcsInverted);
    }
    return Ctcss(word);
}

std::string ToneCellText(const ChannelTone& tone, Language language) {
    switch (tone.kind) {
        case Kind::None:
            break;
        case Kind::Ctcss:
            return CsvCtcss(tone.value);
        case Kind::Dcs: {
            char text[16];
            std::snprintf(text, sizeof text, "D%03d%c", tone.value, tone.inverted ? 'I' : 'N');
            return text;
        }
    }
    return std::string(texts::kNone.In(language));
}

CsvToneFields ToneFieldsOf(const ChannelTones& tones) {
    const ChannelTone& tx = tones.tx;
    const ChannelTone& rx = tones.rx;
    CsvToneFields fields;
    fields.dtcsPolarity = {PolarityLetter(tx), PolarityLetter(rx)};
    if (tx.kind == Kind::None && rx.kind == Kind::None) {
        return fields;
    }
    if (tx.kind == Kind::Ctcss && rx.kind == Kind::None) {
        fields.tone = "Tone";
        fields.rToneFreq = CsvCtcss(tx.value);
        return fields;
    }
    if (tx.kind == Kind::Ctcss && rx == tx) {
        fields.tone = "TSQL";
        fields.cToneFreq = CsvCtcss(tx.value);
        return fields;
    }
    if (tx.kind == Kind::Dcs && rx.kind == Kind::Dcs && rx.value == tx.value) {
        fields.tone = "DTCS";
        fields.dtcsCode = CsvDcsCode(tx.value);
        return fields;
    }
    fields.tone = "Cross";
    std::string txPart;
    std::string rxPart;
    if (tx.kind == Kind::Ctcss) {
        txPart = "Tone";
        fields.rToneFreq = CsvCtcss(tx.value);
    } else if (tx.kind == Kind::Dcs) {
        txPart = "DTCS";
        fields.dtcsCode = CsvDcsCode(tx.value);
    }
    if (rx.kind == Kind::Ctcss) {
        rxPart = "Tone";
        fields.cToneFreq = CsvCtcss(rx.value);
    } else if (rx.kind == Kind::Dcs) {
        rxPart = "DTCS";
        fields.rxDtcsCode = CsvDcsCode(rx.value);
    }
    fields.crossMode = txPart + std::string(kArrow) + rxPart;
    return fields;
}

std::variant<ChannelTones, CsvMessage> TonesOfRow(const CsvColumns& columns,
                                                  const CsvRecord& record) {
    ToneFieldReader reader(columns, record);
    const std::string_view mode = reader.Field(CsvColumn::Tone);
    ChannelTones tones;
    if (mode.empty()) {
        return tones;
    }
    if (EqualsIgnoringAsciiCase(mode, "Tone")) {
        tones.tx = reader.Ctcss(CsvColumn::RToneFreq);
    } else if (EqualsIgnoringAsciiCase(mode, "TSQL")) {
        tones.tx = reader.Ctcss(CsvColumn::CToneFreq);
        tones.rx = tones.tx;
    } else if (EqualsIgnoringAsciiCase(mode, "DTCS")) {
        tones.tx = reader.Dcs(CsvColumn::DtcsCode, 0);
        tones.rx = reader.Dcs(CsvColumn::DtcsCode, 1);
    } else if (EqualsIgnoringAsciiCase(mode, "Cross")) {
        tones = CrossTones(reader);
    } else if (EqualsIgnoringAsciiCase(mode, "TSQL-R") || EqualsIgnoringAsciiCase(mode, "DTCS-R")) {
        reader.Fail(CsvMessageId::ReverseSquelch, {std::string(mode)});
    } else {
        reader.Fail(CsvMessageId::UnknownToneMode, {ShortCsvText(mode)});
    }
    if (reader.failure()) {
        return *reader.failure();
    }
    return tones;
}

}  // namespace radioprog
