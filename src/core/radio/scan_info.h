#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/language.h"
#include "core/radio/band_limits.h"
#include "core/radio/channel_grid.h"
#include "core/radio/list_selection.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// Entries of the Priority list.
inline constexpr int kPriorityNone = 0;
inline constexpr int kPriorityFixed = 1;
inline constexpr int kPrioritySelected = 2;

/// The edit fields of the Scan Information dialog.
enum class ScanField {
    PriorityChannel,
    LookBackTimeA,
    LookBackTimeB,
    DropoutDelayTime,
    TxDwellTime
};

/// The arrows of a field's spin. The spins run downwards, so the up arrow proposes -1 and the
/// down arrow +1.
enum class SpinArrow { Up, Down };

/// A field that could not be taken, and what to tell the user; the focus belongs in that field.
struct ScanFieldError {
    ScanField field;
    std::string message;

    bool operator==(const ScanFieldError&) const = default;
};

/// A selection inside an edit, counted in characters (Unicode code points), not bytes.
struct TextSelection {
    std::size_t start = 0;
    std::size_t length = 0;
};

/// "None", "Fixed", "Selected" in @p language.
std::vector<std::string> PriorityItems(Language language);

/// The Revert Channel entries offered with @p priority selected (kNoSelection included).
std::vector<std::string> RevertItems(int priority, Language language);

/// Whether Priority Channel, Look Back Time A and B and their spins are enabled; Dropout Delay
/// Time and Tx Dwell Time always are.
bool PriorityFieldsEnabled(int priority);

/// Whether the Dropout Delay Time and Tx Dwell Time edits take @p text: digits only.
bool AcceptsTimeText(std::string_view text);

/// A look-back time as the dialog shows it: the shortest form with up to 15 significant digits.
std::string FormatLookBackTime(double seconds);

/// Every control of the Scan Information dialog: the two list indices and the five edit texts
/// (UTF-8) exactly as the user sees them.
///
/// Spins, focus changes and OK first read all five edits, in the order Look Back Time A, Look
/// Back Time B, Tx Dwell Time, Dropout Delay Time, Priority Channel. When one does not read (not
/// a number, not an integer, or a priority channel longer than 2 characters), they change
/// nothing, leave every text as typed and return that field with its message. Otherwise they
/// act on the values read and write all five back in their shown form.
struct ScanInfo {
    int priority = kNoSelection;
    std::string priorityChannel;
    std::string lookBackTimeA;
    std::string lookBackTimeB;
    int revertChannel = kNoSelection;  ///< index into RevertItems(priority)
    std::string dropoutDelayTime;
    std::string txDwellTime;

    /// The controls as the dialog shows them when it opens on @p image.
    static ScanInfo Load(const RadioImage& image);

    /// Opening the dialog from a channel view: stores the grid into @p image first, so that the
    /// priority-channel check sees the channels as they stand in the grid, then loads.
    static ScanInfo Open(const ChannelGrid& grid, const BandLimits& bandInUse, RadioImage& image);

    /// A new Priority choice: refills Revert Channel with its first entry selected and empties
    /// Priority Channel unless the choice is Fixed. An index outside the list selects nothing.
    void SelectPriority(int index);

    /// An arrow of a field's spin. Look-back times step by 0.05 on the 0.05 grid and wrap between
    /// 0.5 and 5; the delay and the dwell time step by 1 and wrap between 0 and 300. The
    /// priority channel has no spin: nothing happens.
    std::optional<ScanFieldError> Spin(ScanField field, SpinArrow arrow, Language language);

    /// The focus leaving a field: a look-back time is limited to 0.5..5 and brought down to the
    /// 0.05 grid, a delay or dwell time is limited to 0..300. Nothing happens for the priority
    /// channel.
    std::optional<ScanFieldError> LeaveField(ScanField field, Language language);

    /// The dialog's OK. Returns nothing when every field was stored into @p image. With Fixed
    /// priority the priority channel must name a programmed channel 1..16; otherwise the selected
    /// part of its text is deleted and the error says "Please select channel inputed". On any
    /// error @p image is left untouched. Values are stored as they stand, without the limits the
    /// spins and the focus apply, except one that its bytes cannot hold: such a value is limited
    /// as leaving its field would limit it, instead of wrapping around.
    std::optional<ScanFieldError> Ok(RadioImage& image, Language language,
                                     TextSelection priorityChannelSelection = {});

    bool operator==(const ScanInfo&) const = default;
};

}  // namespace radioprog
