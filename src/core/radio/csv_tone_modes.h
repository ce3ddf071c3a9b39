#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "core/base/csv_table.h"
#include "core/base/language.h"
#include "core/radio/csv_columns.h"
#include "core/radio/csv_messages.h"

namespace radioprog {

/// One direction's tone of a channel: none, a CTCSS tone or a DCS code.
struct ChannelTone {
    enum class Kind { None, Ctcss, Dcs };
    Kind kind = Kind::None;
    int value = 0;          ///< tenths of a hertz, or the DCS code's digits read in decimal
    bool inverted = false;  ///< for DCS: I (the file form's R)

    static ChannelTone Ctcss(int tenths) { return {Kind::Ctcss, tenths, false}; }
    static ChannelTone Dcs(int code, bool inverted) { return {Kind::Dcs, code, inverted}; }
    /// The tone a stored tone word stands for.
    static ChannelTone OfWord(std::uint16_t word);

    bool operator==(const ChannelTone&) const = default;
};

/// The text a tone column of the grid shows for @p tone.
std::string ToneCellText(const ChannelTone& tone, Language language);

/// The transmit and the receive tone of a channel.
struct ChannelTones {
    ChannelTone tx;
    ChannelTone rx;
};

/// The file form's tone fields for a channel's two tones: the one tone mode that states both
/// exactly, and the fields it does not use as the file form writes them (88.5 Hz, code 023).
struct CsvToneFields {
    std::string tone;
    std::string rToneFreq = "88.5";
    std::string cToneFreq = "88.5";
    std::string dtcsCode = "023";
    std::string dtcsPolarity = "NN";
    std::string rxDtcsCode = "023";
    std::string crossMode = "Tone->Tone";
};
CsvToneFields ToneFieldsOf(const ChannelTones& tones);

/// The two tones a row's Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode and
/// CrossMode fields give, or why this radio cannot hold them: a tone outside the tone list, a
/// DCS code outside the code set, reverse squelch, a mode or polarity that is no such thing.
std::variant<ChannelTones, CsvMessage> TonesOfRow(const CsvColumns& columns,
                                                  const CsvRecord& record);

}  // namespace radioprog
