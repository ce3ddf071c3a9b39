#pragma once

#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/ports/port_discovery.h"

namespace radioprog {

/// Finds the cable the user unplugs and plugs back in: the port that appears. It is taken once
/// its by-id link is there too (udev makes the link a moment after the port), or when the link
/// is still missing after a while.
class CableWatch {
public:
    using Clock = std::chrono::steady_clock;
    /// How long a new USB port may wait for its by-id link.
    static constexpr std::chrono::milliseconds kLinkPatience{3000};

    enum class Stage {
        Unplug,  ///< waiting for the cable to go
        Plug,    ///< a port went away: waiting for it to come back
        Found,
    };

    /// @p present: the ports there when the user was asked.
    explicit CableWatch(const std::vector<DiscoveredPort>& present);

    /// Looks at the ports present at @p now; the cable once it is found.
    std::optional<DiscoveredPort> Look(const std::vector<DiscoveredPort>& present,
                                       Clock::time_point now);
    Stage stage() const { return m_stage; }

private:
    std::set<std::string> m_known;
    std::optional<DiscoveredPort> m_candidate;
    Clock::time_point m_since;
    Stage m_stage = Stage::Unplug;
};

}  // namespace radioprog
