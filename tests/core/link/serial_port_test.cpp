#include "core/link/serial_port.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "../../support/pseudo_terminal.h"
#include "../../support/temp_dir.h"

namespace radioprog {
namespace {

using testing::PseudoTerminal;
using testing::TempDir;
using testing::WriteText;

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Reads that must not end by a time-out in these tests: only the byte count or a hang-up may
// end them, well before this.
constexpr TimeoutProfile kPatientProfile{milliseconds(0), milliseconds(0), milliseconds(5000),
                                         milliseconds(0), milliseconds(5000)};

std::unique_ptr<SerialPort> OpenOrFail(const std::filesystem::path& device,
                                       const TimeoutProfile& profile) {
    std::string error;
    auto port = SerialPort::Open(device, profile, &error);
    EXPECT_NE(port, nullptr) << error;
    return port;
}

milliseconds Since(Clock::time_point start) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

TEST(SerialPort, EveryByteValueTravelsUnchangedBothWays) {
    PseudoTerminal line;
    const auto port = OpenOrFail(line.slave(), kPatientProfile);
    ASSERT_NE(port, nullptr);
    // All 256 values, so that any line discipline left on (CR/LF mapping, XON/XOFF, signals,
    // erase characters, echo) shows as a changed, lost or extra byte.
    Bytes all(256);
    std::iota(all.begin(), all.end(), std::uint8_t{0});

    ASSERT_TRUE(port->Write(all));
    EXPECT_EQ(line.Receive(all.size() + 1, milliseconds(300)), all);

    line.Send(all);
    const RadioPort::ReadResult read = port->Read(all.size());
    EXPECT_FALSE(read.failed);
    EXPECT_EQ(read.bytes, all);
    EXPECT_TRUE(line.Receive(1, milliseconds(100)).empty()) << "the port echoed its input";
}

TEST(SerialPort, ReadEndsAsSoonAsTheCountIsInAndLeavesTheRestForTheNextRead) {
    PseudoTerminal line;
    const auto port = OpenOrFail(line.slave(), kPatientProfile);
    ASSERT_NE(port, nullptr);
    line.Send(Bytes{1, 2, 3, 4, 5, 6});

    const auto start = Clock::now();
    const RadioPort::ReadResult first = port->Read(4);
    const RadioPort::ReadResult second = port->Read(2);
    EXPECT_LT(Since(start), milliseconds(2000));
    EXPECT_FALSE(first.failed);
    EXPECT_EQ(first.bytes, (Bytes{1, 2, 3, 4}));
    EXPECT_FALSE(second.failed);
    EXPECT_EQ(second.bytes, (Bytes{5, 6}));
    EXPECT_TRUE(port->Read(0).bytes.empty());
}

// Each case: what the other end sends before the read and what it sends from another thread
// after a pause; the read must come back with exactly the expected bytes, not failed, after at
// least `atLeast` (a time-out must not end early) and at most `atMost` (generous bounds).
TEST(SerialPort, ReadTimeOutsGiveWhatCameWithoutFailing) {
    struct Case {
        const char* what;
        TimeoutProfile profile;
        std::size_t count;
        Bytes before;
        milliseconds pause;
        Bytes later;
        Bytes expected;
        milliseconds atLeast;
        milliseconds atMost;
    };
    const TimeoutProfile totalOnly{milliseconds(0), milliseconds(0), milliseconds(300),
                                   milliseconds(0), milliseconds(0)};
    const TimeoutProfile intervalOnly{milliseconds(20), milliseconds(0), milliseconds(0),
                                      milliseconds(0), milliseconds(0)};
    const Case cases[] = {
        // 20 + 20 x 3 ms in all.
        {"nothing comes",
         kTransferProfile,
         3,
         {},
         milliseconds(0),
         {},
         {},
         milliseconds(75),
         milliseconds(1000)},
        {"part comes, the total runs out",
         totalOnly,
         10,
         {7, 8},
         milliseconds(0),
         {},
         {7, 8},
         milliseconds(290),
         milliseconds(2000)},
        // The rest comes after 200 ms, long after the 20 ms gap allowed between bytes.
        {"a gap after two bytes",
         kTransferProfile,
         10,
         {0x50, 0x36},
         milliseconds(200),
         {1, 2, 3},
         {0x50, 0x36},
         milliseconds(15),
         milliseconds(150)},
        // The gap counts only from the first byte, and with no total the wait for it is
        // unbounded.
        {"the first byte is late",
         intervalOnly,
         4,
         {},
         milliseconds(150),
         {9},
         {9},
         milliseconds(140),
         milliseconds(2000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PseudoTerminal line;
        const auto port = OpenOrFail(line.slave(), c.profile);
        ASSERT_NE(port, nullptr);
        line.Send(c.before);
        const auto start = Clock::now();
        std::atomic<bool> readDone = false;
        std::thread peer([&] {
            if (!c.later.empty()) {
                std::this_thread::sleep_for(c.pause);
                line.Send(c.later);
            }
            // A read that ignores its time-outs is ended by a hang-up, to fail rather than hang.
            for (int i = 0; i < 100 && !readDone; ++i) {
                std::this_thread::sleep_for(milliseconds(50));
            }
            if (!readDone) {
                line.CloseMaster();
            }
        });
        const RadioPort::ReadResult read = port->Read(c.count);
        const milliseconds elapsed = Since(start);
        readDone = true;
        peer.join();
        EXPECT_FALSE(read.failed);
        EXPECT_EQ(read.bytes, c.expected);
        EXPECT_GE(elapsed, c.atLeast);
        EXPECT_LE(elapsed, c.atMost);
    }
}

TEST(SerialPort, PurgeDropsArrivedInputButKeepsWhatWasJustWritten) {
    PseudoTerminal line;
    const auto port = OpenOrFail(line.slave(), kTransferProfile);
    ASSERT_NE(port, nullptr);
    line.Send(Bytes{0xAA, 0xBB, 0xCC});
    // The first byte proves that the three, sent in one piece, have arrived.
    ASSERT_EQ(port->Read(1).bytes, Bytes{0xAA});

    ASSERT_TRUE(port->Write(Bytes{0x06}));
    port->PurgeInput();

    EXPECT_EQ(line.Receive(1), Bytes{0x06});
    EXPECT_TRUE(port->Read(2).bytes.empty());
    line.Send(Bytes{0x42});
    EXPECT_EQ(port->Read(1).bytes, Bytes{0x42});
}

TEST(SerialPort, WriteGivesUpWhenTheLineTakesNoMoreWithinItsTimeOut) {
    constexpr TimeoutProfile kShortWrite{milliseconds(0), milliseconds(0), milliseconds(0),
                                         milliseconds(0), milliseconds(100)};
    PseudoTerminal line;
    const auto port = OpenOrFail(line.slave(), kShortWrite);
    ASSERT_NE(port, nullptr);
    // Far more than the line's queues hold while the other end reads nothing.
    const Bytes flood(1 << 20, 0x55);
    const auto start = Clock::now();
    EXPECT_FALSE(port->Write(flood));
    EXPECT_GE(Since(start), milliseconds(90));
    EXPECT_LT(Since(start), milliseconds(2000));
}

TEST(SerialPort, HangUpEndsAReadAtOnceWithWhatCame) {
    PseudoTerminal line;
    const auto port = OpenOrFail(line.slave(), kPatientProfile);
    ASSERT_NE(port, nullptr);
    line.Send(Bytes{0x11, 0x22});
    const auto start = Clock::now();
    std::thread peer([&] {
        std::this_thread::sleep_for(milliseconds(50));
        line.CloseMaster();
    });
    const RadioPort::ReadResult read = port->Read(10);
    peer.join();
    EXPECT_FALSE(read.failed);
    EXPECT_EQ(read.bytes, (Bytes{0x11, 0x22}));
    // It waited for the rest until the hang-up, and not a moment for the time-outs after it.
    EXPECT_GE(Since(start), milliseconds(40));
    EXPECT_LT(Since(start), milliseconds(2000));

    const auto again = Clock::now();
    const RadioPort::ReadResult after = port->Read(10);
    EXPECT_FALSE(after.failed);
    EXPECT_TRUE(after.bytes.empty());
    EXPECT_FALSE(port->Write(Bytes{0x06}));
    EXPECT_LT(Since(again), milliseconds(2000));
}

enum class ChildOpen { Opened = 0, Busy = 1, OtherError = 2, NoChild = 3 };

enum class Opener {
    // This program again: meets the lock, which stops root as well.
    kSerialPort,
    // Another program that takes no lock, run by an ordinary user: meets TIOCEXCL.
    kPlainOpenByAnOrdinaryUser,
};

ChildOpen OpenInChild(const std::filesystem::path& device, Opener opener) {
    const pid_t child = ::fork();
    if (child < 0) {
        return ChildOpen::NoChild;
    }
    if (child == 0) {
        if (opener == Opener::kSerialPort) {
            std::string error;
            const bool opened = SerialPort::Open(device, kTransferProfile, &error) != nullptr;
            const bool busy = error == device.string() + " is in use by another program";
            ::_exit(static_cast<int>(opened ? ChildOpen::Opened
                                     : busy ? ChildOpen::Busy
                                            : ChildOpen::OtherError));
        }
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(static_cast<int>(ChildOpen::NoChild));
        }
        const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ::_exit(static_cast<int>(fd >= 0          ? ChildOpen::Opened
                                 : errno == EBUSY ? ChildOpen::Busy
                                                  : ChildOpen::OtherError));
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return ChildOpen::NoChild;
    }
    return static_cast<ChildOpen>(WEXITSTATUS(status));
}

TEST(SerialPort, IsHeldExclusivelyUntilClosed) {
    PseudoTerminal line;
    // Let an unprivileged child reach the device at all, so that only the exclusive hold can
    // stop it.
    ASSERT_EQ(::chmod(line.slave().c_str(), 0666), 0);
    auto port = OpenOrFail(line.slave(), kTransferProfile);
    ASSERT_NE(port, nullptr);

    std::string error;
    EXPECT_EQ(SerialPort::Open(line.slave(), kTransferProfile, &error), nullptr);
    EXPECT_EQ(error, line.slave().string() + " is in use by another program");
    EXPECT_EQ(OpenInChild(line.slave(), Opener::kSerialPort), ChildOpen::Busy);
    EXPECT_EQ(OpenInChild(line.slave(), Opener::kPlainOpenByAnOrdinaryUser), ChildOpen::Busy);

    port.reset();
    EXPECT_EQ(OpenInChild(line.slave(), Opener::kPlainOpenByAnOrdinaryUser), ChildOpen::Opened);
    EXPECT_EQ(OpenInChild(line.slave(), Opener::kSerialPort), ChildOpen::Opened);
    port = OpenOrFail(line.slave(), kTransferProfile);
    ASSERT_NE(port, nullptr);
    ASSERT_TRUE(port->Write(Bytes{0x02}));
    EXPECT_EQ(line.Receive(1), Bytes{0x02});
}

// Another program that holds the line with the exclusive-access flag alone (no lock): the flag
// keeps out ordinary users only, so the port asks for it before it takes the line, and never
// clears it.
TEST(SerialPort, AnotherProgramsExclusiveFlagRefusesTheLineEvenForRootAndStaysSet) {
    PseudoTerminal line;
    const int other = ::open(line.slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::ioctl(other, TIOCEXCL), 0);

    std::string error;
    EXPECT_EQ(SerialPort::Open(line.slave(), kTransferProfile, &error), nullptr);
    EXPECT_EQ(error, line.slave().string() + " is in use by another program");
    EXPECT_FALSE(SerialPort::CanOpen(line.slave()));
    int exclusive = 0;
    ASSERT_EQ(::ioctl(other, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1);

    ASSERT_EQ(::ioctl(other, TIOCNXCL), 0);
    EXPECT_TRUE(SerialPort::CanOpen(line.slave()));
    EXPECT_NE(OpenOrFail(line.slave(), kTransferProfile), nullptr);
    ::close(other);
}

TEST(SerialPort, OpenRefusesWhatIsNotASerialPort) {
    TempDir dir;
    WriteText(dir / "memory.dat", "not a terminal");
    const std::filesystem::path missing = dir / "ttyUSB9";
    const struct {
        std::filesystem::path device;
        std::string error;
    } cases[] = {
        {missing, "no such device: " + missing.string()},
        {dir / "memory.dat", (dir / "memory.dat").string() + " is not a serial port"},
        {dir.path(), "cannot open " + dir.path().string() + ": Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device);
        std::string error;
        EXPECT_EQ(SerialPort::Open(c.device, kTransferProfile, &error), nullptr);
        EXPECT_EQ(error, c.error);
    }
}

TEST(SerialPort, CanOpenAsksWithoutTakingTheLineOrChangingItsSettings) {
    PseudoTerminal line;
    // Another program on the line that takes no lock, with settings of its own.
    const int other = ::open(line.slave().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    termios settings{};
    ASSERT_EQ(::tcgetattr(other, &settings), 0);
    settings.c_lflag |= ICANON | ECHO;
    ::cfsetispeed(&settings, B4800);
    ::cfsetospeed(&settings, B4800);
    ASSERT_EQ(::tcsetattr(other, TCSANOW, &settings), 0);

    EXPECT_TRUE(SerialPort::CanOpen(line.slave()));
    termios after{};
    ASSERT_EQ(::tcgetattr(other, &after), 0);
    EXPECT_EQ(::cfgetospeed(&after), speed_t{B4800});
    EXPECT_EQ(after.c_lflag & (ICANON | ECHO), tcflag_t{ICANON | ECHO});
    ::close(other);

    auto port = OpenOrFail(line.slave(), kTransferProfile);
    ASSERT_NE(port, nullptr);
    EXPECT_FALSE(SerialPort::CanOpen(line.slave()));
    port.reset();
    EXPECT_TRUE(SerialPort::CanOpen(line.slave()));
    // Asking left no hold behind.
    EXPECT_NE(OpenOrFail(line.slave(), kTransferProfile), nullptr);
}

TEST(SerialPort, CanOpenRefusesWhatOpenRefuses) {
    TempDir dir;
    WriteText(dir / "memory.dat", "not a terminal");
    for (const std::filesystem::path& device :
         {dir / "ttyUSB9", dir / "memory.dat", dir.path(), std::filesystem::path()}) {
        SCOPED_TRACE(device);
        EXPECT_FALSE(SerialPort::CanOpen(device));
    }
}

TEST(SerialPort, CheckLineTriesTheRadiosSettingsAndGivesTheLineItsOwnBack) {
    PseudoTerminal line;
    const int other = ::open(line.slave().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    termios settings{};
    ASSERT_EQ(::tcgetattr(other, &settings), 0);
    // A pseudo-terminal keeps the speed and the stop bits it is given, not a character size.
    settings.c_cflag |= CSTOPB;
    settings.c_lflag |= ICANON | ECHO;
    ::cfsetispeed(&settings, B4800);
    ::cfsetospeed(&settings, B4800);
    ASSERT_EQ(::tcsetattr(other, TCSANOW, &settings), 0);

    const SerialPort::LineCheck check = SerialPort::CheckLine(line.slave());
    EXPECT_EQ(check.result, SerialPort::LineCheck::Result::Accepted);
    EXPECT_EQ(check.settings, "9600 8N1");
    termios after{};
    ASSERT_EQ(::tcgetattr(other, &after), 0);
    EXPECT_EQ(::cfgetospeed(&after), speed_t{B4800});
    EXPECT_EQ(after.c_cflag & CSTOPB, tcflag_t{CSTOPB});
    EXPECT_EQ(after.c_lflag & (ICANON | ECHO), tcflag_t{ICANON | ECHO});
    ::close(other);

    // Held by a transfer: root passes its exclusive flag, nobody passes its lock.
    auto port = OpenOrFail(line.slave(), kTransferProfile);
    const SerialPort::LineCheck held = SerialPort::CheckLine(line.slave());
    EXPECT_TRUE(held.result == SerialPort::LineCheck::Result::Busy ||
                (held.result == SerialPort::LineCheck::Result::OpenFailed && held.error == EBUSY))
        << static_cast<int>(held.result);
    port.reset();
    EXPECT_NE(OpenOrFail(line.slave(), kTransferProfile), nullptr);
}

TEST(SerialPort, CheckLineTellsWhatIsNoTerminalOrIsMissing) {
    TempDir dir;
    WriteText(dir / "memory.dat", "not a terminal");
    const SerialPort::LineCheck file = SerialPort::CheckLine(dir / "memory.dat");
    EXPECT_EQ(file.result, SerialPort::LineCheck::Result::NotTerminal);
    EXPECT_EQ(file.error, ENOTTY);
    const SerialPort::LineCheck missing = SerialPort::CheckLine(dir / "ttyUSB9");
    EXPECT_EQ(missing.result, SerialPort::LineCheck::Result::OpenFailed);
    EXPECT_EQ(missing.error, ENOENT);
}

std::string NameOfGroup(gid_t gid) {
    const group* entry = ::getgrgid(gid);
    return entry != nullptr ? entry->gr_name : std::to_string(gid);
}

TEST(DescribeOpenError, TellsTheCauseAndWhatToDo) {
    TempDir dir;
    const std::filesystem::path device = dir / "ttyUSB0";
    WriteText(device, "");
    // Root may hand the file to the usual group of serial devices; anyone else gets their own.
    gid_t gid = ::getegid();
    if (::geteuid() == 0) {
        const group* dialout = ::getgrnam("dialout");
        gid = dialout != nullptr ? dialout->gr_gid : 20;
        ASSERT_EQ(::chown(device.c_str(), static_cast<uid_t>(-1), gid), 0);
    }
    const std::string group = NameOfGroup(gid);
    const std::string path = device.string();
    const std::filesystem::path missing = dir / "gone";

    const struct {
        std::filesystem::path device;
        int errnoValue;
        std::string text;
    } cases[] = {
        {device, EACCES,
         "permission denied: " + path + " belongs to group " + group +
             "; add yourself with: sudo usermod -aG " + group + " $USER, then log in again"},
        {missing, EACCES, "permission denied: " + missing.string()},
        {device, ENOENT, "no such device: " + path},
        {device, ENXIO, "no such device: " + path},
        {device, ENODEV, "no such device: " + path},
        {device, EBUSY, path + " is in use by another program"},
        {device, EWOULDBLOCK, path + " is in use by another program"},
        {device, ENOTTY, path + " is not a serial port"},
        {device, EIO, "cannot open " + path + ": Input/output error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.errnoValue);
        EXPECT_EQ(DescribeOpenError(c.device, c.errnoValue), c.text);
    }
}

TEST(DescribeOpenError, NamesNoGroupToJoinForRootOnlyOrNamelessGroups) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "handing a file to another group needs root";
    }
    TempDir dir;
    const std::filesystem::path device = dir / "ttyS0";
    WriteText(device, "");
    const std::string path = device.string();

    ASSERT_EQ(::chown(device.c_str(), static_cast<uid_t>(-1), 0), 0);
    EXPECT_EQ(DescribeOpenError(device, EACCES),
              "permission denied: " + path +
                  " belongs to root only; ask your administrator for access to it");

    gid_t nameless = 54321;
    while (::getgrgid(nameless) != nullptr) {
        ++nameless;
    }
    ASSERT_EQ(::chown(device.c_str(), static_cast<uid_t>(-1), nameless), 0);
    const std::string number = std::to_string(nameless);
    EXPECT_EQ(DescribeOpenError(device, EPERM),
              "permission denied: " + path + " belongs to group " + number +
                  "; add yourself with: sudo usermod -aG " + number + " $USER, then log in again");
}

}  // namespace
}  // namespace radioprog
