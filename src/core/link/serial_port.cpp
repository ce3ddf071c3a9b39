#include "core/link/serial_port.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <limits>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace radioprog {
namespace {

using Clock = std::chrono::steady_clock;

// poll() counts whole milliseconds; rounding up keeps a wait from ending just short of its
// deadline and turning into a run of zero-length polls.
int PollTimeout(Clock::duration remaining) {
    const auto milliseconds = std::chrono::ceil<Milliseconds>(remaining).count();
    return static_cast<int>(
        std::clamp<decltype(milliseconds)>(milliseconds, 0, std::numeric_limits<int>::max()));
}

std::optional<std::string> GroupName(gid_t gid) {
    std::vector<char> buffer(1024);
    group entry{};
    group* found = nullptr;
    int status = 0;
    while ((status = ::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found)) == ERANGE) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0 || found == nullptr || found->gr_name == nullptr) {
        return std::nullopt;
    }
    return std::string(found->gr_name);
}

std::string DescribePermissionDenied(const std::filesystem::path& device) {
    std::string text = "permission denied: " + device.string();
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) {
        return text;
    }
    if (info.st_gid == 0) {
        return text + " belongs to root only; ask your administrator for access to it";
    }
    // usermod takes a group number as well as a name, so the hint works either way.
    const std::string group = GroupName(info.st_gid).value_or(std::to_string(info.st_gid));
    return text + " belongs to group " + group + "; add yourself with: sudo usermod -aG " + group +
           " $USER, then log in again";
}

// Whether the line's exclusive-access flag is set, by whoever set it. A driver that cannot
// tell is taken to hold nobody out.
bool HeldExclusively(int fd) {
    int exclusive = 0;
    return ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

void Configure(termios& settings) {
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    // O_NONBLOCK keeps reads from waiting in the driver; poll() waits, by the time-out profile.
    // VMIN 1 (not 0) so that an empty read says EAGAIN and only a hang-up reads as 0 bytes.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
}

unsigned BaudOf(speed_t rate) {
    switch (rate) {
        case B1200:
            return 1200;
        case B2400:
            return 2400;
        case B4800:
            return 4800;
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        default:
            return 0;
    }
}

// "9600 8N1", the way serial settings are written on cables and in manuals.
std::string DescribeSettings(const termios& settings) {
    const unsigned baud = BaudOf(::cfgetospeed(&settings));
    const int bits = (settings.c_cflag & CSIZE) == CS8   ? 8
                     : (settings.c_cflag & CSIZE) == CS7 ? 7
                     : (settings.c_cflag & CSIZE) == CS6 ? 6
                                                         : 5;
    const char parity =
        (settings.c_cflag & PARENB) == 0 ? 'N' : ((settings.c_cflag & PARODD) != 0 ? 'O' : 'E');
    const int stop = (settings.c_cflag & CSTOPB) != 0 ? 2 : 1;
    return (baud != 0 ? std::to_string(baud) : std::string("?")) + " " + std::to_string(bits) +
           parity + std::to_string(stop);
}

bool HasRadioSettings(const termios& settings) {
    return ::cfgetispeed(&settings) == B9600 && ::cfgetospeed(&settings) == B9600 &&
           (settings.c_cflag & CSIZE) == CS8 && (settings.c_cflag & (PARENB | CSTOPB)) == 0;
}

}  // namespace

std::string DescribeOpenError(const std::filesystem::path& device, int errnoValue) {
    switch (errnoValue) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return "no such device: " + device.string();
        case EACCES:
        case EPERM:
            return DescribePermissionDenied(device);
        case EBUSY:
        case EWOULDBLOCK:
            return device.string() + " is in use by another program";
        case ENOTTY:
            return device.string() + " is not a serial port";
        default:
            return "cannot open " + device.string() + ": " +
                   std::error_code(errnoValue, std::generic_category()).message();
    }
}

std::unique_ptr<SerialPort> SerialPort::Open(const std::filesystem::path& device,
                                             const TimeoutProfile& profile, std::string* error) {
    const auto fail = [&](int errnoValue) {
        if (error != nullptr) {
            *error = DescribeOpenError(device, errnoValue);
        }
        return nullptr;
    };
    const auto closeAndFail = [&](int fd) {
        const int cause = errno;
        ::close(fd);
        return fail(cause);
    };

    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return fail(errno);
    }
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        return closeAndFail(fd);
    }
    // The lock comes before TIOCEXCL: an open that loses the race must not clear the holder's
    // exclusive flag on its way out. TIOCEXCL does not stop root; the lock does.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return closeAndFail(fd);
    }
    // Another program's flag lets root in all the same; asked for, it keeps root out too, and
    // this port never sets it and so never clears it.
    if (HeldExclusively(fd)) {
        ::close(fd);
        return fail(EBUSY);
    }
    if (::ioctl(fd, TIOCEXCL) != 0) {
        return closeAndFail(fd);
    }
    std::unique_ptr<SerialPort> port(new SerialPort(fd, device, profile));
    Configure(settings);
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
        return fail(errno);
    }
    return port;
}

bool SerialPort::CanOpen(const std::filesystem::path& device) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // The same checks as Open, short of taking the line: a holder's TIOCEXCL made the open fail
    // (or, for root, is asked for), its lock makes flock fail. Nothing is configured.
    termios settings{};
    const bool unlocked = ::tcgetattr(fd, &settings) == 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (unlocked) {
        ::flock(fd, LOCK_UN);
    }
    const bool unheld = unlocked && !HeldExclusively(fd);
    ::close(fd);
    return unheld;
}

SerialPort::LineCheck SerialPort::CheckLine(const std::filesystem::path& device) {
    using Result = LineCheck::Result;
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {Result::OpenFailed, errno, {}};
    }
    LineCheck check;
    termios original{};
    if (::tcgetattr(fd, &original) != 0) {
        check = {Result::NotTerminal, errno, {}};
    } else if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        check = {Result::Busy, errno, {}};
    } else {
        termios wanted = original;
        Configure(wanted);
        termios reported{};
        if (::tcsetattr(fd, TCSANOW, &wanted) != 0) {
            check = {Result::Refused, errno, {}};
        } else if (::tcgetattr(fd, &reported) != 0) {
            check = {Result::Refused, errno, {}};
        } else if (!HasRadioSettings(reported)) {
            check = {Result::Different, 0, DescribeSettings(reported)};
        } else {
            check = {Result::Accepted, 0, DescribeSettings(reported)};
        }
        ::tcsetattr(fd, TCSANOW, &original);
        ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return check;
}

SerialPort::SerialPort(int fd, std::filesystem::path device, const TimeoutProfile& profile)
    : m_fd(fd), m_device(std::move(device)), m_profile(profile) {}

SerialPort::~SerialPort() {
    // A pty keeps TIOCEXCL while its other side stays open, and the next open by an ordinary
    // user would then fail as busy.
    ::ioctl(m_fd, TIOCNXCL);
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
}

RadioPort::ReadResult SerialPort::Read(std::size_t count) {
    ReadResult result;
    result.bytes.resize(count);
    std::size_t received = 0;
    const Milliseconds total = m_profile.ReadTotal(count);
    const Milliseconds interval = m_profile.readInterval;
    const Clock::time_point deadline = Clock::now() + total;
    std::optional<Clock::time_point> lastByte;
    bool hungUp = false;

    while (received < count) {
        const ssize_t got = ::read(m_fd, result.bytes.data() + received, count - received);
        if (got > 0) {
            received += static_cast<std::size_t>(got);
            lastByte = Clock::now();
            continue;
        }
        // After a hang-up nothing more will come; waiting out the time-outs would only stall.
        if (got == 0 || hungUp) {
            break;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            result.failed = true;
            break;
        }

        std::optional<Clock::time_point> wakeAt;
        if (total > Milliseconds::zero()) {
            wakeAt = deadline;
        }
        if (interval > Milliseconds::zero() && lastByte) {
            wakeAt = std::min(wakeAt.value_or(Clock::time_point::max()), *lastByte + interval);
        }
        int timeout = -1;
        if (wakeAt) {
            const Clock::time_point now = Clock::now();
            if (*wakeAt <= now) {
                break;
            }
            timeout = PollTimeout(*wakeAt - now);
        }
        pollfd watch{m_fd, POLLIN, 0};
        const int ready = ::poll(&watch, 1, timeout);
        if (ready < 0 && errno != EINTR) {
            result.failed = true;
            break;
        }
        if (ready <= 0) {
            continue;
        }
        if ((watch.revents & POLLHUP) != 0) {
            hungUp = true;
        } else if ((watch.revents & (POLLERR | POLLNVAL)) != 0 && (watch.revents & POLLIN) == 0) {
            // Nothing to read and a line error: polling again would only report it again.
            result.failed = true;
            break;
        }
    }
    result.bytes.resize(received);
    return result;
}

bool SerialPort::Write(std::span<const std::uint8_t> bytes) {
    const Milliseconds total = m_profile.WriteTotal(bytes.size());
    const Clock::time_point deadline = Clock::now() + total;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t put = ::write(m_fd, bytes.data() + written, bytes.size() - written);
        if (put > 0) {
            written += static_cast<std::size_t>(put);
            continue;
        }
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return false;
        }
        int timeout = -1;
        if (total > Milliseconds::zero()) {
            const Clock::time_point now = Clock::now();
            if (deadline <= now) {
                return false;
            }
            timeout = PollTimeout(deadline - now);
        }
        pollfd watch{m_fd, POLLOUT, 0};
        const int ready = ::poll(&watch, 1, timeout);
        if (ready < 0 && errno != EINTR) {
            return false;
        }
        // Without POLLOUT the line is gone (hang-up, error): another write would not get further.
        if (ready > 0 && (watch.revents & POLLOUT) == 0) {
            return false;
        }
    }
    return true;
}

void SerialPort::PurgeInput() {
    ::tcflush(m_fd, TCIFLUSH);
}

void SerialPort::Sleep(Milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

}  // namespace radioprog
