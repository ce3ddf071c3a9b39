#pragma once

#include "core/fleet/fleet_types.h"
#include "core/link/link_observer.h"
#include "core/link/link_session.h"
#include "core/link/port_opener.h"

namespace radioprog {

/// What the per-radio work tells the run besides the engines' own reports.
class RadioStepObserver : public LinkObserver {
public:
    /// The work entered @p phase; the block count starts again from 0.
    virtual void Phase(FleetPhase phase) = 0;
};

/// The work done on each radio of a fleet once it answered: called on the port's own thread,
/// on several threads at once for a run with several ports, so it keeps no state between calls.
class RadioSteps {
public:
    virtual ~RadioSteps() = default;
    /// Programs the radio at @p session's port through @p opener and says how it ended.
    virtual RadioOutcome Program(PortOpener& opener, LinkSession& session,
                                 RadioStepObserver& observer) const = 0;
};

}  // namespace radioprog
