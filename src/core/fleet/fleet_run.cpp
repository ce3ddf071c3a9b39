#include "core/fleet/fleet_run.h"

#include <time.h>

#include "core/fleet/radio_probe.h"
#include "core/link/link_messages.h"

namespace radioprog {
namespace {

using SteadyClock = std::chrono::steady_clock;

std::chrono::nanoseconds ThreadCpuTime() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

bool WriteWasCutShort(const RadioOutcome& outcome) {
    return outcome.kind == RadioResultKind::WriteIncomplete ||
           outcome.kind == RadioResultKind::Cancelled;
}

}  // namespace

/// One port's side of the run: its state, and the observer its steps report to. The engines
/// ask no questions here: a communication error or a refused password ends the radio, and the
/// next radio is waited for.
class FleetRun::PortWorker final : public RadioStepObserver {
public:
    PortWorker(FleetRun& run, std::size_t index) : m_run(run) {
        m_state.index = index;
        m_state.port = run.m_plan.ports[index];
    }

    void Serve();

    bool CancelRequested() const override {
        const std::lock_guard lock(m_run.m_mutex);
        return m_run.m_cancelled;
    }
    void Progress(int blocksDone) override {
        m_state.blocksDone = blocksDone;
        m_run.Report(m_state);
    }
    bool AskRetry() override { return false; }
    std::optional<PackedPassword> ReLogin() override { return std::nullopt; }
    void ShowMessage(LinkMessage message, const std::string& detail) override {
        std::string text = LinkMessageText(message, m_run.m_plan.language);
        if (!detail.empty()) {
            text += text.empty() || message == LinkMessage::TransferIncomplete ? "" : " ";
            text += detail;
        }
        if (!m_messages.empty()) {
            m_messages += "; ";
        }
        m_messages += text;
    }
    void Phase(FleetPhase phase) override { Enter(phase); }

private:
    void Enter(FleetPhase phase, std::string note = {}) {
        m_state.phase = phase;
        m_state.blocksDone = 0;
        m_state.note = std::move(note);
        m_run.Report(m_state);
    }
    std::optional<RadioIdentity> WaitForRadio();
    bool WaitForRemoval();
    void Program(int sequence, const RadioIdentity& identity);

    FleetRun& m_run;
    std::unique_ptr<PortOpener> m_opener;
    PortState m_state;
    std::string m_messages;
};

void FleetRun::PortWorker::Serve() {
    m_opener = m_run.m_openers();
    for (;;) {
        const std::optional<RadioIdentity> identity = WaitForRadio();
        if (!identity) {
            break;
        }
        const std::optional<int> sequence = m_run.ClaimRadio();
        if (!sequence) {
            break;
        }
        Program(*sequence, *identity);
        if (!WaitForRemoval()) {
            break;
        }
    }
    m_state.sequence = 0;
    Enter(FleetPhase::Finished);
}

std::optional<RadioIdentity> FleetRun::PortWorker::WaitForRadio() {
    Enter(FleetPhase::WaitingForRadio);
    for (;;) {
        const auto next = SteadyClock::now() + m_run.m_plan.pollInterval;
        const ProbeResult probe = ProbeRadio(*m_opener, m_state.port);
        if (probe.radio) {
            return probe.radio;
        }
        if (probe.portError != m_state.note) {
            Enter(FleetPhase::WaitingForRadio, probe.portError);
        }
        if (!m_run.Pause(next)) {
            return std::nullopt;
        }
    }
}

// A radio that stops answering was taken away (or switched off); one that still answers after
// the run's count was reached needs no waiting for.
bool FleetRun::PortWorker::WaitForRemoval() {
    Enter(FleetPhase::WaitingForRemoval);
    int misses = 0;
    auto next = SteadyClock::now() + m_run.m_plan.pollInterval;
    while (misses < m_run.m_plan.missesForRemoval) {
        if (!m_run.Pause(next)) {
            return false;
        }
        next = SteadyClock::now() + m_run.m_plan.pollInterval;
        misses = ProbeRadio(*m_opener, m_state.port).radio ? 0 : misses + 1;
    }
    return true;
}

void FleetRun::PortWorker::Program(int sequence, const RadioIdentity& identity) {
    RadioRecord record;
    record.sequence = sequence;
    record.port = m_state.port;
    record.identity = identity;
    record.start = FleetClock::now();
    m_state.sequence = sequence;
    m_messages.clear();

    LinkSession session = m_run.m_plan.login;
    session.portName = m_state.port;
    const std::chrono::nanoseconds cpuBefore = ThreadCpuTime();
    record.outcome = m_run.m_steps.Program(*m_opener, session, *this);
    record.cpuTime = ThreadCpuTime() - cpuBefore;
    record.end = FleetClock::now();
    if (record.outcome.detail.empty() && record.outcome.kind != RadioResultKind::Verified &&
        record.outcome.kind != RadioResultKind::VerifyFailed && !WriteWasCutShort(record.outcome)) {
        record.outcome.detail = m_messages;
    }
    ++m_state.radiosDone;
    m_state.sequence = 0;
    m_run.Record(record);
}

FleetRun::FleetRun(FleetPlan plan, const RadioSteps& steps, OpenerFactory openers, FleetLog* log,
                   FleetReporter& reporter)
    : m_plan(std::move(plan)),
      m_count(m_plan.count > 0 ? m_plan.count : static_cast<int>(m_plan.ports.size())),
      m_steps(steps),
      m_openers(std::move(openers)),
      m_log(log),
      m_reporter(reporter) {}

FleetRun::~FleetRun() {
    Cancel();
    Wait();
}

void FleetRun::Start() {
    const std::lock_guard lock(m_mutex);
    m_running = m_plan.ports.size();
    for (std::size_t index = 0; index < m_plan.ports.size(); ++index) {
        m_threads.emplace_back([this, index] { Serve(index); });
    }
}

void FleetRun::Cancel() {
    {
        const std::lock_guard lock(m_mutex);
        m_cancelled = true;
        if (m_running > 0) {
            m_summary.cancelled = true;
        }
    }
    m_changed.notify_all();
}

FleetSummary FleetRun::Wait() {
    for (std::thread& thread : m_threads) {
        if (thread.joinable()) {
            thread.join();
        }
    }
    const std::lock_guard lock(m_mutex);
    return m_summary;
}

bool FleetRun::Finished() const {
    const std::lock_guard lock(m_mutex);
    return m_running == 0;
}

void FleetRun::Serve(std::size_t index) {
    PortWorker(*this, index).Serve();
    {
        const std::lock_guard lock(m_mutex);
        --m_running;
    }
    m_changed.notify_all();
}

bool FleetRun::Stopping() const {
    return m_cancelled || m_claimed >= m_count;
}

std::optional<int> FleetRun::ClaimRadio() {
    std::optional<int> sequence;
    {
        const std::lock_guard lock(m_mutex);
        if (Stopping()) {
            return std::nullopt;
        }
        sequence = ++m_claimed;
    }
    // The last radio claimed stops the other ports' waiting.
    m_changed.notify_all();
    return sequence;
}

bool FleetRun::Pause(SteadyClock::time_point until) {
    std::unique_lock lock(m_mutex);
    return !m_changed.wait_until(lock, until, [this] { return Stopping(); });
}

void FleetRun::Record(const RadioRecord& record) {
    const std::lock_guard reportLock(m_reportMutex);
    std::string logError;
    if (m_log != nullptr) {
        if (Status appended = m_log->Append(record); !appended) {
            logError = appended.message();
        }
    }
    {
        const std::lock_guard lock(m_mutex);
        FleetSummary& summary = m_summary;
        ++summary.handled;
        switch (record.outcome.kind) {
            case RadioResultKind::Verified:
                ++summary.verified;
                break;
            case RadioResultKind::VerifyFailed:
                ++summary.verifyFailed;
                break;
            case RadioResultKind::WriteIncomplete:
            case RadioResultKind::Cancelled:
                ++summary.incomplete;
                break;
            default:
                ++summary.otherFailures;
                if (!summary.firstOtherFailure) {
                    summary.firstOtherFailure = record.outcome.kind;
                }
                break;
        }
        if (!logError.empty() && summary.logError.empty()) {
            summary.logError = logError;
        }
    }
    m_reporter.RadioFinished(record);
}

void FleetRun::Report(const PortState& state) {
    const std::lock_guard reportLock(m_reportMutex);
    m_reporter.PortChanged(state);
}

}  // namespace radioprog
