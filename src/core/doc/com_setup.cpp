#include "core/doc/com_setup.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "core/doc/app_context.h"
#include "core/doc/grid_refresh.h"
#include "core/link/port_opener.h"

namespace radioprog {
namespace {

std::string ComName(std::string_view prefix, long long number) {
    return std::string(prefix) + std::to_string(number);
}

}  // namespace

// The port is kept in the same key as the Type/Field mirror.
std::string SavedPortKey(std::string_view setupAppName) {
    return TypeFieldKey(setupAppName);
}

void LoadSavedPort(AppContext& context) {
    const std::uint32_t saved =
        context.userStore.GetInt(SavedPortKey(context.SetupAppName()), kSavedPortValue, 1);
    context.link.portName = ComName("COM", saved & 0xFFu);
}

ComSetupView OpenComSetup(const AppContext& context, PortOpener& opener) {
    ComSetupView view;
    for (int slot = kFirstComSlot; slot <= kLastComSlot; ++slot) {
        view.openable[static_cast<std::size_t>(slot - kFirstComSlot)] =
            opener.CanOpen(ComName("com", slot));
    }
    // Unlike a new view, the dialog takes the whole saved value, read as a signed number.
    const std::optional<std::uint32_t> saved =
        context.userStore.GetInt(SavedPortKey(context.SetupAppName()), kSavedPortValue);
    if (saved) {
        const auto number = static_cast<std::int32_t>(*saved);
        // The lowest number has no index below it; it names no port either.
        if (number > std::numeric_limits<std::int32_t>::min() &&
            opener.CanOpen(ComName("COM", number))) {
            view.selectedIndex = number - 1;
        }
    }
    return view;
}

Status ApplyComSetup(int checkedIndex, AppContext& context) {
    if (checkedIndex < 0 || checkedIndex >= kComSetupButtons) {
        return Status::Ok();
    }
    const int number = checkedIndex + 1;
    context.link.portName = ComName("com", number);
    return context.userStore.SetInt(SavedPortKey(context.SetupAppName()), kSavedPortValue,
                                    static_cast<std::uint32_t>(number));
}

}  // namespace radioprog
