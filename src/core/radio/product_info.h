#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/language.h"
#include "core/radio/band_limits.h"

namespace radioprog {

/// Product types and band texts come from at most this many `Setup` `Type%d` keys.
inline constexpr int kMaxProductTypes = 19;

/// The custom band range of the Product Information dialog; it keeps its values from one
/// showing to the next.
struct CustomBand {
    unsigned start = 400;
    unsigned end = 470;
};

/// What the Product Information dialog shows when it opens.
struct ProductInfoView {
    std::vector<std::string> types;   ///< `Setup` Type1.. up to the first empty one
    int typeIndex = -1;               ///< -1 when the list is empty
    std::vector<std::string> fields;  ///< the band texts of the type, then "Customize"
    int fieldIndex = 0;
    bool customVisible = false;  ///< whether the start and end fields are shown
    CustomBand custom;           ///< the values shown in the start and end fields
};

/// A value of the settings file's `Setup` section by key ("Type1", "Field2"); empty when missing.
using SetupValue = std::function<std::string(const std::string& key)>;

/// Builds the dialog's lists and selection from the settings and the band limits in use. When no
/// band text begins with the limits in use, "Customize" is selected with the limits as range.
ProductInfoView OpenProductInfo(const SetupValue& setup, const BandLimits& bandInUse,
                                CustomBand custom, Language language);

/// True for "Customize" in either language.
bool IsCustomize(std::string_view fieldText);

/// Reads a digits-only edit field as the dialog does; nothing when it is empty or not a number.
std::optional<unsigned> ReadCustomField(std::string_view text);

/// The dialog's OK. Fields that do not read as a number keep their previous custom value (the
/// caller reports them). Returns the message to show when the custom range is upside down (the
/// dialog stays open and nothing changes), else nothing: the limits are set.
struct ProductInfoOk {
    bool startUnreadable = false;
    bool endUnreadable = false;
    std::optional<std::string> error;  ///< "Frequency input error" in the language of the run
};
ProductInfoOk ApplyProductInfo(std::string_view fieldText, std::string_view startText,
                               std::string_view endText, CustomBand& custom, BandLimits& bandInUse,
                               Language language);

/// Reads "%d-%dMHz" from a band text; only the limits that were read change.
void ReadBandText(std::string_view fieldText, BandLimits& limits);
/// "%d-%dMHz" of the limits, the form of the band texts.
std::string BandText(const BandLimits& limits);

/// The main window's title after the dialog's OK: AppName [ Type:type Fre:band ].
std::string OkFormTitle(std::string_view appName, std::string_view typeName,
                        const BandLimits& limits, Language language);
/// The main window's title after the grid is filled from an image, with Type1 as type name.
std::string FillFormTitle(std::string_view appName, std::string_view type1,
                          const BandLimits& limits, Language language);

}  // namespace radioprog
