#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/fleet/fleet_run.h"
#include "core/link/block_transfer.h"
#include "core/link/serial_port_opener.h"
#include "core/radio/new_image.h"
#include "core/sim/pty_radio.h"

namespace radioprog::fleet_fixtures {

using namespace std::chrono_literals;

/// The fleet's memory: a new radio's with a pattern in its channels, and no passwords, so that
/// the check after the write logs in as the write did.
inline RadioImage FleetMemory() {
    RadioImage memory = NewRadioImage(*PackPassword(""));
    for (std::size_t i = 0x10; i < 0x100; ++i) {
        memory[i] = static_cast<std::uint8_t>(i * 3);
    }
    return memory;
}

/// Whether blocks 0-61 of @p radio hold @p expected.
inline bool HoldsFleetMemory(const RadioImage& radio, const RadioImage& expected) {
    return std::equal(expected.begin(), expected.begin() + image::kRadioBytes, radio.begin());
}

/// Per-radio work from the plain engines: write, read back, compare. The run's tests need work
/// that really talks to the radios; the run's own job is around it.
class WriteAndCheck final : public RadioSteps {
public:
    explicit WriteAndCheck(const RadioImage& memory) : m_memory(memory) {}

    RadioOutcome Program(PortOpener& opener, LinkSession& session,
                         RadioStepObserver& observer) const override {
        observer.Phase(FleetPhase::Writing);
        RadioImage written = m_memory;
        const TransferOutcome write =
            TransferImage(TransferDirection::Write, written, opener, session, observer);
        if (write.kind != TransferOutcome::Kind::Complete) {
            return {write.kind == TransferOutcome::Kind::NotConnected
                        ? RadioResultKind::CommunicationError
                        : RadioResultKind::WriteIncomplete,
                    write.blocksDone,
                    {},
                    {},
                    {}};
        }
        observer.Phase(FleetPhase::Verifying);
        RadioImage back{};
        const TransferOutcome read =
            TransferImage(TransferDirection::Read, back, opener, session, observer);
        if (read.kind != TransferOutcome::Kind::Complete) {
            return {RadioResultKind::VerifyFailed, 0, {}, {}, "read-back incomplete"};
        }
        RadioOutcome outcome;
        for (std::size_t a = 0; a < image::kRadioBytes; a += image::kHalfBlockSize) {
            if (!std::equal(back.begin() + a, back.begin() + a + 8, m_memory.begin() + a)) {
                outcome.differences.push_back(a);
            }
        }
        outcome.kind =
            outcome.differences.empty() ? RadioResultKind::Verified : RadioResultKind::VerifyFailed;
        return outcome;
    }

private:
    RadioImage m_memory;
};

/// Everything a run reported, kept for the test to look at.
class KeptReports final : public FleetReporter {
public:
    explicit KeptReports(std::function<void(const RadioRecord&)> onRadio = {})
        : m_onRadio(std::move(onRadio)) {}

    void PortChanged(const PortState& state) override {
        const std::lock_guard lock(m_mutex);
        states.push_back(state);
    }
    void RadioFinished(const RadioRecord& record) override {
        if (m_onRadio) {
            m_onRadio(record);
        }
        const std::lock_guard lock(m_mutex);
        records.push_back(record);
    }

    std::vector<PortState> StatesOf(const std::string& port) {
        const std::lock_guard lock(m_mutex);
        std::vector<PortState> of;
        std::copy_if(states.begin(), states.end(), std::back_inserter(of),
                     [&](const PortState& s) { return s.port == port; });
        return of;
    }
    std::size_t RecordCount() {
        const std::lock_guard lock(m_mutex);
        return records.size();
    }

    std::vector<PortState> states;
    std::vector<RadioRecord> records;

private:
    std::function<void(const RadioRecord&)> m_onRadio;
    std::mutex m_mutex;
};

inline FleetRun::OpenerFactory SerialOpeners() {
    return [] { return std::make_unique<SerialPortOpener>([](int) { return std::string(); }); };
}

/// A plan with a quick pace, for tests.
inline FleetPlan QuickPlan(std::vector<std::string> ports, int count) {
    FleetPlan plan;
    plan.ports = std::move(ports);
    plan.count = count;
    plan.login.role = AccessRole::Admin;
    plan.pollInterval = 100ms;
    return plan;
}

inline std::unique_ptr<PtyRadio> StartRadio(const RadioSimulator& simulator,
                                            const PtyRadio::Options& options = {}) {
    PtyRadio::Started started = PtyRadio::Start(simulator, options);
    return std::move(started.radio);
}

inline bool WaitFor(const std::function<bool()>& condition,
                    std::chrono::milliseconds patience = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

}  // namespace radioprog::fleet_fixtures
