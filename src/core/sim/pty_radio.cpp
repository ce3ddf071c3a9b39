#include "core/sim/pty_radio.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/sim/memory_file.h"

namespace radioprog {
namespace {

using std::chrono::milliseconds;

// While nobody has the line open the master reports a hang-up without end, so the worker
// looks again at this pace instead of waiting for it.
constexpr milliseconds kNoPeerRecheck{5};
constexpr int kBitsPerByte = 10;  // start bit, 8 data bits, stop bit
// While a radio is still to come, Unplug() from another thread is noticed at least this often.
constexpr milliseconds kReplugRecheck{20};

std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

bool SetDescriptorFlags(int fd) {
    const int statusFlags = ::fcntl(fd, F_GETFL);
    const int descriptorFlags = ::fcntl(fd, F_GETFD);
    return statusFlags >= 0 && descriptorFlags >= 0 &&
           ::fcntl(fd, F_SETFL, statusFlags | O_NONBLOCK) == 0 &&
           ::fcntl(fd, F_SETFD, descriptorFlags | FD_CLOEXEC) == 0;
}

std::string OpenMaster(int& master, std::string& devicePath) {
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        return SystemError("Cannot create a pseudo-terminal");
    }
    termios settings{};
    if (!SetDescriptorFlags(master) || ::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::tcgetattr(master, &settings) != 0) {
        return SystemError("Cannot set up the pseudo-terminal");
    }
    // On the master this sets the line discipline of the slave, so that nothing is echoed or
    // translated even before the program configures its end.
    ::cfmakeraw(&settings);
    std::array<char, 128> name{};
    if (::tcsetattr(master, TCSANOW, &settings) != 0 ||
        ::ptsname_r(master, name.data(), name.size()) != 0) {
        return SystemError("Cannot set up the pseudo-terminal");
    }
    devicePath = name.data();
    return {};
}

}  // namespace

PtyRadio::Started PtyRadio::Start(const RadioSimulator& simulator, const Options& options) {
    int master = -1;
    std::string devicePath;
    if (std::string error = OpenMaster(master, devicePath); !error.empty()) {
        if (master >= 0) {
            ::close(master);
        }
        return {nullptr, error};
    }
    std::array<int, 2> wake{};
    if (::pipe(wake.data()) != 0) {
        std::string error = SystemError("Cannot create a pipe");
        ::close(master);
        return {nullptr, error};
    }
    SetDescriptorFlags(wake[0]);
    SetDescriptorFlags(wake[1]);
    return {std::unique_ptr<PtyRadio>(
                new PtyRadio(simulator, options, master, wake[0], wake[1], std::move(devicePath))),
            {}};
}

PtyRadio::PtyRadio(const RadioSimulator& simulator, const Options& options, int master,
                   int wakeRead, int wakeWrite, std::string devicePath)
    : m_options(options),
      m_byteTime(options.baud > 0 ? std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::seconds(kBitsPerByte)) /
                                        options.baud
                                  : Clock::duration::zero()),
      m_answerDelay(simulator.faults().slow ? kSlowAnswerDelay : options.answerDelay),
      m_devicePath(std::move(devicePath)),
      m_master(master),
      m_wakeRead(wakeRead),
      m_wakeWrite(wakeWrite),
      m_simulator(simulator),
      m_newRadio(simulator),
      m_started(Clock::now()),
      m_savedWrites(simulator.stats().halfBlocksWritten) {
    m_worker = std::thread([this] { Serve(); });
}

std::chrono::milliseconds PtyRadio::SinceStart(Clock::time_point at) const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(at - m_started);
}

// A caller that keeps the memory in a file calls Stop() itself and hears of a failed save.
PtyRadio::~PtyRadio() {
    static_cast<void>(Stop());
}

Status PtyRadio::Stop() {
    if (m_stopped) {
        return *m_stopped;
    }
    const char wake = 1;
    // The pipe is empty and never filled by anyone else, so this write cannot block or fail.
    [[maybe_unused]] const ssize_t ignored = ::write(m_wakeWrite, &wake, 1);
    m_worker.join();
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
    ::close(m_wakeRead);
    ::close(m_wakeWrite);
    if (m_options.memoryFile) {
        Save();
    }
    const std::lock_guard lock(m_mutex);
    m_stopped = m_saveStatus;
    return *m_stopped;
}

SimStats PtyRadio::stats() const {
    const std::lock_guard lock(m_mutex);
    return m_simulator.stats();
}

RadioImage PtyRadio::memory() const {
    const std::lock_guard lock(m_mutex);
    return m_simulator.memory();
}

bool PtyRadio::hungUp() const {
    const std::lock_guard lock(m_mutex);
    return m_simulator.hungUp();
}

void PtyRadio::Unplug() {
    const std::lock_guard lock(m_mutex);
    UnplugLocked(Clock::now());
}

std::size_t PtyRadio::radiosPlugged() const {
    const std::lock_guard lock(m_mutex);
    return m_plugged;
}

bool PtyRadio::radioPresent() const {
    const std::lock_guard lock(m_mutex);
    return m_present;
}

std::vector<RadioImage> PtyRadio::unpluggedMemories() const {
    const std::lock_guard lock(m_mutex);
    return m_unplugged;
}

void PtyRadio::UnplugLocked(Clock::time_point now) {
    if (!m_present) {
        return;
    }
    m_present = false;
    m_unplugged.push_back(m_simulator.memory());
    if (m_plugged < m_options.radios) {
        m_plugAt = now + m_options.replugAfter;
    }
}

std::optional<PtyRadio::Clock::duration> PtyRadio::UntilPlug(Clock::time_point now) const {
    const std::lock_guard lock(m_mutex);
    if (m_plugAt) {
        return std::max<Clock::duration>(*m_plugAt - now, Clock::duration::zero());
    }
    if (m_plugged < m_options.radios) {
        return kReplugRecheck;
    }
    return std::nullopt;
}

// The radio that comes is as new as the first one was; what the last one did is kept in the
// memory file before it goes.
void PtyRadio::PlugWhenDue() {
    {
        const std::lock_guard lock(m_mutex);
        if (m_present || !m_plugAt || Clock::now() < *m_plugAt) {
            return;
        }
    }
    SaveIfWritten();
    m_outgoing.clear();
    const std::lock_guard lock(m_mutex);
    m_simulator = m_newRadio;
    m_present = true;
    ++m_plugged;
    m_plugAt.reset();
    m_connectionsAtClose = 0;
    m_writesAtClose = 0;
    m_wroteBefore = false;
    m_savedWrites = m_simulator.stats().halfBlocksWritten;
}

// A conversation is what happens between two closes of the line. The one after a conversation
// that wrote is the check of the write; the technician then takes the radio away.
void PtyRadio::EndConversation() {
    const std::lock_guard lock(m_mutex);
    const SimStats& stats = m_simulator.stats();
    const bool wrote = stats.halfBlocksWritten != m_writesAtClose;
    const bool talked = stats.connections != m_connectionsAtClose;
    m_writesAtClose = stats.halfBlocksWritten;
    m_connectionsAtClose = stats.connections;
    if (m_options.radios <= 1 || !m_present) {
        return;
    }
    if (wrote) {
        m_wroteBefore = true;
    } else if (m_wroteBefore && talked) {
        UnplugLocked(Clock::now());
    }
}

void PtyRadio::Serve() {
    bool noPeer = false;
    while (m_master >= 0) {
        PlugWhenDue();
        WriteDueAnswers();
        const Clock::time_point now = Clock::now();
        std::optional<Clock::duration> wait = UntilPlug(now);
        if (!m_outgoing.empty()) {
            wait = std::min(wait.value_or(Clock::duration::max()), m_outgoing.front().due - now);
        }
        if (noPeer) {
            wait = std::min<Clock::duration>(wait.value_or(kNoPeerRecheck), kNoPeerRecheck);
        }
        // poll() counts in whole milliseconds; the last fraction is slept exactly so that paced
        // bytes leave on time.
        if (wait && *wait < milliseconds(1)) {
            std::this_thread::sleep_for(*wait);
            continue;
        }
        const int timeout =
            wait ? static_cast<int>(std::chrono::floor<milliseconds>(*wait).count()) : -1;
        std::array<pollfd, 2> fds = {pollfd{m_wakeRead, POLLIN, 0}, pollfd{m_master, POLLIN, 0}};
        if (::poll(fds.data(), noPeer ? 1 : 2, timeout) < 0) {
            continue;
        }
        if (fds[0].revents != 0) {
            return;
        }
        if (noPeer) {
            pollfd line{m_master, POLLIN, 0};
            ::poll(&line, 1, 0);
            noPeer = (line.revents & POLLHUP) != 0 && (line.revents & POLLIN) == 0;
            continue;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            noPeer = !ReadFromProgram();
        } else if ((fds[1].revents & (POLLHUP | POLLERR)) != 0) {
            PeerClosed();
            noPeer = true;
        }
    }
    pollfd wake{m_wakeRead, POLLIN, 0};
    while (::poll(&wake, 1, -1) < 0 && errno == EINTR) {
    }
}

bool PtyRadio::ReadFromProgram() {
    std::array<std::uint8_t, 256> buffer{};
    const ssize_t count = ::read(m_master, buffer.data(), buffer.size());
    if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
        return true;
    }
    // Linux answers EIO once the program has closed its end.
    if (count <= 0) {
        PeerClosed();
        return false;
    }
    const Clock::time_point now = Clock::now();
    if (!radioPresent()) {
        return true;  // nobody at the other end of the cable
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        // A byte has arrived when its last bit has: never sooner than one byte time after the
        // one before it.
        const Clock::time_point arrival =
            m_byteTime > Clock::duration::zero() ? std::max(now, m_lastArrival) + m_byteTime : now;
        m_lastArrival = arrival;
        std::vector<std::uint8_t> answer;
        bool hungUp = false;
        {
            const std::lock_guard lock(m_mutex);
            m_simulator.SetTime(SinceStart(arrival));
            answer = m_simulator.Receive(buffer[i]);
            hungUp = m_simulator.hungUp();
        }
        if (hungUp) {
            HangUp();
            return true;
        }
        Schedule(answer, arrival);
    }
    return true;
}

void PtyRadio::Schedule(const std::vector<std::uint8_t>& answer, Clock::time_point arrival) {
    Clock::time_point due = std::max(arrival + m_answerDelay, m_lineFreeAt);
    for (const std::uint8_t byte : answer) {
        due += m_byteTime;
        m_outgoing.push_back({byte, due});
    }
    m_lineFreeAt = due;
}

void PtyRadio::WriteDueAnswers() {
    const Clock::time_point now = Clock::now();
    std::vector<std::uint8_t> due;
    while (!m_outgoing.empty() && m_outgoing.front().due <= now) {
        due.push_back(m_outgoing.front().byte);
        m_outgoing.pop_front();
    }
    if (due.empty() || !radioPresent()) {
        return;
    }
    // Whatever the line does not take now is lost, as a receiver drops bytes when its buffer
    // overflows or nobody listens.
    [[maybe_unused]] const ssize_t written = ::write(m_master, due.data(), due.size());
}

void PtyRadio::PeerClosed() {
    m_outgoing.clear();
    {
        const std::lock_guard lock(m_mutex);
        m_simulator.SetTime(SinceStart(Clock::now()));
        m_simulator.LineDropped();
    }
    SaveIfWritten();
    EndConversation();
    ++m_linesClosed;
}

void PtyRadio::HangUp() {
    m_outgoing.clear();
    ::close(m_master);
    m_master = -1;
    SaveIfWritten();
}

void PtyRadio::SaveIfWritten() {
    std::size_t written = 0;
    {
        const std::lock_guard lock(m_mutex);
        written = m_simulator.stats().halfBlocksWritten;
    }
    if (m_options.memoryFile && written != m_savedWrites) {
        m_savedWrites = written;
        Save();
    }
}

void PtyRadio::Save() {
    const RadioImage image = memory();
    Status saved = SaveMemoryFile(*m_options.memoryFile, image);
    const std::lock_guard lock(m_mutex);
    if (!saved && m_saveStatus.ok()) {
        m_saveStatus = std::move(saved);
    }
}

}  // namespace radioprog
