#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/fleet/fleet_log.h"
#include "core/fleet/fleet_types.h"
#include "core/fleet/radio_steps.h"
#include "core/link/link_session.h"
#include "core/link/port_opener.h"

namespace radioprog {

/// What a fleet run is asked to do.
struct FleetPlan {
    std::vector<std::string> ports;
    /// Radios to handle in all, whatever their results; 0 for one per port.
    int count = 0;
    /// The role and login password of every radio; the port name is each port's own.
    LinkSession login;
    /// How often a port asks whether a radio is there (or still there).
    Milliseconds pollInterval{500};
    /// How many looks in a row without an answer mean the radio was taken away.
    int missesForRemoval = 2;
    /// The language of the engines' messages in the results.
    Language language = Language::English;
};

/// Hears what a run does, from the ports' threads; calls never overlap.
class FleetReporter {
public:
    virtual ~FleetReporter() = default;
    virtual void PortChanged(const PortState& state) = 0;
    /// A radio ended; its row is in the log already.
    virtual void RadioFinished(const RadioRecord& record) = 0;
};

/// Programs radios on several ports at once, each port on a thread of its own with its own
/// opener and session: wait for a radio (a quiet handshake every poll interval), program it with
/// the steps, record it, then wait until it stops answering, so that the same radio is never
/// taken twice. What happens on one port never stops or slows another. The run ends once
/// `count` radios were handled in all, or when it is cancelled.
class FleetRun {
public:
    /// Makes one opener for each port's thread.
    using OpenerFactory = std::function<std::unique_ptr<PortOpener>()>;

    /// @p steps, @p log (may be null) and @p reporter must outlive the run.
    FleetRun(FleetPlan plan, const RadioSteps& steps, OpenerFactory openers, FleetLog* log,
             FleetReporter& reporter);
    ~FleetRun();
    FleetRun(const FleetRun&) = delete;
    FleetRun& operator=(const FleetRun&) = delete;

    /// Starts the ports' threads.
    void Start();
    /// Stops the run: waiting ends at once, a transfer under way stops between two blocks.
    /// Safe from any thread.
    void Cancel();
    /// Waits for every port to finish.
    FleetSummary Wait();
    /// Whether every port has finished.
    bool Finished() const;

private:
    class PortWorker;
    friend class PortWorker;

    void Serve(std::size_t index);
    bool Stopping() const;            // call with m_mutex held
    std::optional<int> ClaimRadio();  // the radio's sequence, or nothing once count is reached
    void Record(const RadioRecord& record);
    void Report(const PortState& state);
    /// Sleeps until @p until or until the run stops; true when it is to go on.
    bool Pause(std::chrono::steady_clock::time_point until);

    const FleetPlan m_plan;
    const int m_count;
    const RadioSteps& m_steps;
    const OpenerFactory m_openers;
    FleetLog* const m_log;
    FleetReporter& m_reporter;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_cancelled = false;
    int m_claimed = 0;
    std::size_t m_running = 0;
    FleetSummary m_summary;

    std::mutex m_reportMutex;  // one report at a time, the log row first
    std::vector<std::thread> m_threads;
};

}  // namespace radioprog
