#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/sim/radio_simulator.h"

namespace radioprog {

/// The name of the variable that gives the demo radio of the desktop program and of the
/// command line its faults, for trying out what a failing radio does.
inline constexpr const char* kDemoFaultsVariable = "RADIOPROG_DEMO_FAULTS";

/// Faults as `RADIOPROG_DEMO_FAULTS` lists them: comma-separated `drop-write=ADDR`,
/// `noise-before=ADDR` and `restart-after-write=MS` (addresses as radioprog-sim takes them).
/// Empty text is no fault. On a mistake, nothing, and @p error says which item is wrong.
std::optional<SimFaults> ParseDemoFaults(std::string_view text, std::string& error);

/// The demo radio's faults from the environment: none when the variable is unset; nothing, with
/// @p error set, when it cannot be read.
std::optional<SimFaults> DemoFaultsFromEnvironment(std::string& error);

}  // namespace radioprog
