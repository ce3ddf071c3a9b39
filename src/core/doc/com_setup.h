#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/base/status.h"
#include "core/link/port_names.h"

namespace radioprog {

struct AppContext;
class PortOpener;

/// The per-user key that keeps the saved port: "Software\" followed by `Setup` `AppName`.
std::string SavedPortKey(std::string_view setupAppName);
/// The value under SavedPortKey holding the 1-based number of the last confirmed port.
inline constexpr std::string_view kSavedPortValue = "com";

/// Makes the saved port the current port name, as every new view does: "COM" followed by the
/// low byte of the saved value, "COM1" when nothing is saved.
void LoadSavedPort(AppContext& context);

/// The COM Setup dialog's buttons are COM1 to COM4.
inline constexpr int kComSetupButtons = kLastComSlot - kFirstComSlot + 1;

/// What the COM Setup dialog shows when it opens.
struct ComSetupView {
    /// COM1 to COM4: whether the port could be opened just now.
    std::array<bool, kComSetupButtons> openable{};
    /// The saved port number minus 1 when that port could be opened, else -1. An index outside
    /// 0 to 3 checks no button.
    int selectedIndex = -1;
};

/// Asks @p opener which of COM1 to COM4 can be opened now and which saved port to preselect.
ComSetupView OpenComSetup(const AppContext& context, PortOpener& opener);

/// The dialog's OK with the index of the checked button (0 for COM1 to 3 for COM4): the
/// current port name becomes "com" followed by index + 1, and index + 1 is saved for the next
/// view. With no button checked (any other index) nothing changes, so that the working port is
/// not traded for one that names no device. Fails only when the number cannot be saved; the
/// port name is changed even then.
Status ApplyComSetup(int checkedIndex, AppContext& context);

}  // namespace radioprog
