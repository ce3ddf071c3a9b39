#pragma once

#include <string>
#include <vector>

#include "core/base/language.h"

namespace radioprog {

/// What the import says about one row of a channel file: why it was skipped, or a note on a
/// row that was stored.
enum class CsvMessageId {
    // Reasons for skipping a row
    NoFrequency,          ///< the Frequency field is empty
    NotAFrequency,        ///< %1 field name, %2 its text
    RxOutOfBand,          ///< %1 frequency, %2 lower, %3 upper limit
    RxOffStep,            ///< %1 frequency
    TxOutOfBand,          ///< %1 frequency, %2 lower, %3 upper limit
    TxOffStep,            ///< %1 frequency
    DuplexOff,            ///< receive only
    UnknownDuplex,        ///< %1 the Duplex text
    SplitWithoutTx,       ///< %1 the Offset text
    ToneNotOffered,       ///< %1 field name, %2 the tone in Hz
    NotATone,             ///< %1 field name, %2 its text
    DcsCodeNotInSet,      ///< %1 field name, %2 the code
    NotADcsCode,          ///< %1 field name, %2 its text
    UnknownPolarity,      ///< %1 the DtcsPolarity text
    ReverseSquelch,       ///< %1 the tone mode
    UnknownToneMode,      ///< %1 the Tone text
    UnknownCrossMode,     ///< %1 the CrossMode text (may be empty)
    UnsupportedMode,      ///< %1 the Mode text
    UnknownSkip,          ///< %1 the Skip text
    NotAPower,            ///< %1 the Power text
    BeyondChannels,       ///< the row's channel would be the 17th or later
    ChannelGivenAlready,  ///< %1 channel, %2 the row that gave it
    // Notes on a stored row
    NameDropped,       ///< %1 the name
    CommentDropped,    ///< %1 the comment
    PriorityScan,      ///< Skip P
    PowerRoundedHigh,  ///< %1 the Power text, stored as High
    PowerRoundedLow,   ///< %1 the Power text, stored as Low
    FrequencyCut,      ///< %1 field name, %2 its text, %3 what is stored
    FileOrder,         ///< %1 the Location text: rows fill channels in file order
};

struct CsvMessage {
    CsvMessageId id;
    std::vector<std::string> args;

    bool operator==(const CsvMessage&) const = default;
};

/// The message in @p language with its values put in.
std::string CsvMessageText(const CsvMessage& message, Language language);

}  // namespace radioprog
