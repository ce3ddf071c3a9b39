#include "core/doc/product_settings.h"

namespace radioprog {

ProductInfoView OpenProductInfo(const SettingsSource& profile, const BandLimits& bandInUse,
                                CustomBand custom, Language language) {
    const SetupValue setup = [&profile](const std::string& key) {
        return profile.GetValue("Setup", key, "");
    };
    return OpenProductInfo(setup, bandInUse, custom, language);
}

}  // namespace radioprog
