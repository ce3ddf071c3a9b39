#pragma once

#include <atomic>
#include <chrono>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/base/status.h"
#include "core/radio/memory_image.h"
#include "core/sim/radio_simulator.h"

namespace radioprog {

/// A simulated radio at the far end of a pseudo-terminal. The program opens devicePath() as it
/// would open a serial port; a worker thread feeds what it writes to a RadioSimulator and writes
/// the answers back.
///
/// Answers leave a short time after the last byte of the message they answer, as a real radio's
/// do: the program discards its input right after sending some requests and would lose an
/// instant answer. With `baud` set the line is as slow as the real wire: bytes in both
/// directions take 10 bits each.
///
/// The program may open and close the line as often as it likes; while nobody has it open the
/// radio waits, and a line closed by the program ends the conversation (a half-received message
/// and unsent answers are dropped).
class PtyRadio {
public:
    /// How long after the last byte of a message its answer starts. The program empties its
    /// input after it sends and before it reads, so an answer that arrives before that purge is
    /// lost. Unpaced, a pseudo-terminal's write takes no wire time, which leaves this delay as
    /// the whole margin, and a busy machine can hold the program for several milliseconds
    /// between the write and the purge.
    static constexpr std::chrono::microseconds kDefaultAnswerDelay{10000};
    /// The answer delay of the slow fault: beyond every read time-out of the program.
    static constexpr std::chrono::microseconds kSlowAnswerDelay{400000};

    struct Options {
        std::chrono::microseconds answerDelay = kDefaultAnswerDelay;
        /// Wire speed in bits per second for pacing both directions; 0 leaves the line as fast
        /// as the pseudo-terminal is.
        int baud = 0;
        /// Where the memory is kept: replaced with the full 1024-byte image after every
        /// conversation that wrote to the radio and at Stop(). The caller loads it.
        std::optional<std::filesystem::path> memoryFile;
        /// How many radios come to this line one after another, each as the simulator given to
        /// Start() was: its memory, identity and faults. One radio stays for good. With more, a
        /// radio is taken away at the end of the first conversation after one that wrote to it
        /// (the technician unplugs it once the write was checked), or by Unplug(); the next one
        /// is plugged in `replugAfter` later. The last one is taken away too.
        std::size_t radios = 1;
        std::chrono::milliseconds replugAfter{2000};
    };

    struct Started {
        std::unique_ptr<PtyRadio> radio;  ///< null when the pseudo-terminal could not be made
        std::string error;
    };

    /// Creates the pseudo-terminal and starts serving it.
    static Started Start(const RadioSimulator& simulator, const Options& options);

    ~PtyRadio();
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    /// The device the program opens, such as /dev/pts/3.
    const std::string& devicePath() const { return m_devicePath; }

    /// Stops serving, closes the line and saves the memory file if there is one. Returns the
    /// first failure to save since the start, so that none goes unnoticed. Later calls only
    /// repeat the result.
    Status Stop();

    /// A snapshot taken while the radio keeps running.
    SimStats stats() const;
    RadioImage memory() const;
    /// The hang-up fault closed the line; the radio serves no more.
    bool hungUp() const;
    /// How often the program closed its end of the line. Counted once the radio has finished
    /// with the conversation, the memory file saved.
    std::size_t linesClosed() const { return m_linesClosed; }

    /// Takes the present radio away (it answers nothing from now on, as an unplugged or switched
    /// off one); the next one, if any is left, is plugged in `replugAfter` later.
    void Unplug();
    /// How many radios were plugged in so far, the first one included.
    std::size_t radiosPlugged() const;
    /// Whether a radio is at the line now.
    bool radioPresent() const;
    /// The memory of every radio taken away so far, in the order they went.
    std::vector<RadioImage> unpluggedMemories() const;

private:
    using Clock = std::chrono::steady_clock;

    struct Outgoing {
        std::uint8_t byte;
        Clock::time_point due;
    };

    PtyRadio(const RadioSimulator& simulator, const Options& options, int master, int wakeRead,
             int wakeWrite, std::string devicePath);

    void Serve();
    bool ReadFromProgram();
    void Schedule(const std::vector<std::uint8_t>& answer, Clock::time_point arrival);
    void WriteDueAnswers();
    void PeerClosed();
    void HangUp();
    void SaveIfWritten();
    void Save();
    void EndConversation();
    void UnplugLocked(Clock::time_point now);
    void PlugWhenDue();
    std::optional<Clock::duration> UntilPlug(Clock::time_point now) const;

    const Options m_options;
    const Clock::duration m_byteTime;  // zero without pacing
    const Clock::duration m_answerDelay;
    const std::string m_devicePath;
    int m_master;
    const int m_wakeRead;
    const int m_wakeWrite;

    mutable std::mutex m_mutex;
    RadioSimulator m_simulator;          // guarded by m_mutex
    Status m_saveStatus = Status::Ok();  // guarded by m_mutex
    // Replugging, all guarded by m_mutex: each new radio is a copy of m_newRadio.
    const RadioSimulator m_newRadio;
    bool m_present = true;
    std::size_t m_plugged = 1;
    std::optional<Clock::time_point> m_plugAt;
    std::vector<RadioImage> m_unplugged;
    std::size_t m_connectionsAtClose = 0;
    std::size_t m_writesAtClose = 0;
    bool m_wroteBefore = false;

    std::chrono::milliseconds SinceStart(Clock::time_point at) const;

    const Clock::time_point m_started;  // the simulator's time 0
    // Used by the worker thread only.
    std::deque<Outgoing> m_outgoing;
    Clock::time_point m_lastArrival;
    Clock::time_point m_lineFreeAt;
    std::size_t m_savedWrites = 0;

    std::atomic<std::size_t> m_linesClosed = 0;
    std::thread m_worker;
    std::optional<Status> m_stopped;
};

}  // namespace radioprog
