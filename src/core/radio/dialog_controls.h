#pragma once

#include <string>
#include <variant>
#include <vector>

#include "core/base/language.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// The controls of the Optional Features dialog.
enum class OptionControl {
    TimeOutTimer,
    TotPreAlert,
    SquelchLevel,
    VoiceAnnunciation,
    IdCode,
    Vox,
    VoxGainLevel,
    VoxDelayTime,
    PttId,
    StunCode,
    Beep,
    BatterySaver,
    RemoveStunCode,
};

/// The controls of the Scan Information dialog.
enum class ScanControl {
    Priority,
    PriorityChannel,
    LookBackTimeA,
    LookBackTimeB,
    RevertChannel,
    DropoutDelayTime,
    TxDwellTime,
};

/// A control's name: its key in `show --json` and its label in the dialog, in both languages.
/// The dialogs, `show` and the comparison of two memories take their words from here.
struct ControlName {
    const char* key;
    BilingualText label;
};

ControlName NameOf(OptionControl control);
ControlName NameOf(ScanControl control);

inline constexpr BilingualText kOptionalFeaturesCaption{"Optional Features", "可选功能"};
inline constexpr BilingualText kScanInfoCaption{"Scan Infomation", "扫描信息"};

/// What a control shows: the text of a list or an edit, or the state of a check box.
using ControlValue = std::variant<std::string, bool>;

struct ShownControl {
    ControlName name;
    ControlValue value;
};

/// A settings dialog as it would open on an image: its key in `show --json`, its caption and
/// every control with what it shows, in the dialog's order.
struct ShownDialog {
    const char* key;
    BilingualText caption;
    std::vector<ShownControl> controls;
};

ShownDialog ShowOptionalFeatures(const RadioImage& image, Language language);
ShownDialog ShowScanInfo(const RadioImage& image, Language language);
/// Optional Features, then Scan Information.
std::vector<ShownDialog> ShowSettingsDialogs(const RadioImage& image, Language language);

}  // namespace radioprog
