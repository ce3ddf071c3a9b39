#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/language.h"
#include "core/radio/list_selection.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// The drop-down lists of the Optional Features dialog.
enum class OptionList {
    TimeOutTimer,       ///< "15" to "600" seconds in steps of 15
    TotPreAlert,        ///< "Off", then "1" to "10"
    SquelchLevel,       ///< "0" to "9"
    VoiceAnnunciation,  ///< "Off", "Chinese", "English"
    Vox,                ///< "On", "Off"
    VoxGainLevel,       ///< "Off", then "1" to "10"
    VoxDelayTime,       ///< "0.3", "0.5", "1.0", "1.5", "2.0", "3.0"
    PttId,              ///< "On", "Off"
};

/// Positions of the entries of the Vox and PTT ID lists.
inline constexpr int kOnIndex = 0;
inline constexpr int kOffIndex = 1;

/// The entries of @p list in the order the dialog adds them, in @p language.
std::vector<std::string> OptionItems(OptionList list, Language language);

/// The text @p list shows with @p index selected; empty for kNoSelection or an index outside it.
std::string OptionItemText(OptionList list, int index, Language language);

/// How many characters the ID Code and Stun Code edits hold.
inline constexpr std::size_t kCodeLength = 6;

/// What an ID Code or Stun Code edit keeps of a typed or pasted UTF-8 text: the first six
/// characters that one image byte can hold (U+0001 to U+00FE, ASCII included). A character
/// beyond U+00FE has no single byte, and 0x00 and 0xFF would end the code in the image, so they
/// are dropped instead of being stored as something else.
std::string AcceptCodeText(std::string_view text);

/// Every control of the Optional Features dialog: list indices (kNoSelection for an empty list),
/// the two edit texts (UTF-8) and the three check boxes.
struct OptionalFeatures {
    int timeOutTimer = kNoSelection;
    int totPreAlert = kNoSelection;
    int squelchLevel = kNoSelection;
    int voiceAnnunciation = kNoSelection;
    std::string idCode;
    int vox = kOffIndex;
    int voxGainLevel = 0;
    int voxDelayTime = 0;
    int pttId = kOffIndex;
    std::string stunCode;
    bool beep = false;
    bool batterySaver = false;
    bool removeStunCode = false;

    /// The controls as the dialog shows them when it opens on @p image. Values no list entry
    /// stands for select nothing (Time-Out Timer, TOT Pre-Alert, Squelch Level, Voice
    /// Annunciation) or the first entry (Vox Gain Level, Vox Delay Time). A code's bytes become
    /// one character each, so that storing an unchanged text writes the same bytes back.
    static OptionalFeatures Load(const RadioImage& image);

    /// The dialog's OK: writes every control into @p image, changing only the bits the dialog
    /// owns. An index outside its list stores as kNoSelection; the codes are stored as
    /// AcceptCodeText keeps them. A ticked Remove Stun Code clears the stun-code marker only
    /// when the marker holds the code in force; any other value is left as found.
    void Store(RadioImage& image) const;

    bool operator==(const OptionalFeatures&) const = default;
};

}  // namespace radioprog
