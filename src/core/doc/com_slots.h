#pragma once

#include <array>
#include <string>

#include "core/doc/com_setup.h"

namespace radioprog {

struct AppContext;
class PortOpener;

/// What COM Setup says beside a port's button.
struct ComSlotLine {
    std::string
        device;  ///< the device and what it is: "/dev/ttyUSB0 · Prolific PL2303 (067b:2303)"
    std::string reason;  ///< for a port that cannot be opened now: why, in words
};

/// The lines beside COM1 to COM4: the device each leads to through @p opener, and for each port
/// @p view shows greyed, the doctor's finding.
std::array<ComSlotLine, kComSetupButtons> DescribeComSlots(const AppContext& context,
                                                           const PortOpener& opener,
                                                           const ComSetupView& view);

/// The slot Change... and Find my cable bind: the checked one, else COM1 (with every port greyed
/// none can be checked).
int SlotToBind(int checkedIndex);

}  // namespace radioprog
