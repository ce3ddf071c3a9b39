#include "core/ports/cable_watch.h"

#include <algorithm>

namespace radioprog {
namespace {

std::set<std::string> Names(const std::vector<DiscoveredPort>& ports) {
    std::set<std::string> names;
    for (const DiscoveredPort& port : ports) {
        names.insert(port.name);
    }
    return names;
}

}  // namespace

CableWatch::CableWatch(const std::vector<DiscoveredPort>& present) : m_known(Names(present)) {}

std::optional<DiscoveredPort> CableWatch::Look(const std::vector<DiscoveredPort>& present,
                                               Clock::time_point now) {
    const std::set<std::string> names = Names(present);
    if (m_stage == Stage::Unplug &&
        std::any_of(m_known.begin(), m_known.end(),
                    [&](const std::string& name) { return !names.contains(name); })) {
        m_stage = Stage::Plug;
    }
    if (!m_candidate) {
        const auto added = std::find_if(present.begin(), present.end(), [&](const auto& port) {
            return !m_known.contains(port.name);
        });
        if (added != present.end()) {
            m_candidate = *added;
            m_since = now;
        }
    } else {
        // The same port again: its by-id link may have come meanwhile.
        const auto again = std::find_if(present.begin(), present.end(), [&](const auto& port) {
            return port.name == m_candidate->name;
        });
        m_candidate = again == present.end() ? std::nullopt : std::optional(*again);
    }
    m_known = names;
    if (m_candidate &&
        (!m_candidate->byId.empty() || !m_candidate->usb || now - m_since >= kLinkPatience)) {
        m_stage = Stage::Found;
        return m_candidate;
    }
    return std::nullopt;
}

}  // namespace radioprog
