#pragma once

#include "core/doc/settings_source.h"
#include "core/radio/product_info.h"

namespace radioprog {

/// The Product Information dialog's lists from the `Type%d` and `Field%d` keys of @p profile.
ProductInfoView OpenProductInfo(const SettingsSource& profile, const BandLimits& bandInUse,
                                CustomBand custom, Language language);

}  // namespace radioprog
