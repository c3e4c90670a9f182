#include "mdbcomp/PosixSerialLine.h"

#include "mdbcomp/PortMap.h"

#include <algorithm>
#include <cerrno>
#include <chrono>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#ifdef __linux__
#include <linux/serial.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#endif

// Bit rates without a B constant (14400, 56000) go to the driver as a custom
// rate through termios2 and BOTHER. glibc's <termios.h> and the kernel's
// <asm/termbits.h> cannot be included together, so the kernel's structure is
// declared here, for the architectures whose layout it matches.
#if defined(__linux__) && defined(TCGETS2) && defined(TCSETS2) && \
    (defined(__x86_64__) || defined(__i386__) || defined(__aarch64__) || \
     defined(__arm__) || defined(__riscv))
#define WLT_CUSTOM_BIT_RATES 1
struct termios2 {
  tcflag_t c_iflag;
  tcflag_t c_oflag;
  tcflag_t c_cflag;
  tcflag_t c_lflag;
  cc_t c_line;
  cc_t c_cc[19];
  speed_t c_ispeed;
  speed_t c_ospeed;
};
#ifndef BOTHER
#define BOTHER 0010000
#endif
#endif

namespace {

using Clock = std::chrono::steady_clock;

// The kernel lets a poll() time-out run late by a thousandth of its length
// (3 ms on the 2970 ms of an unanswered settings read). Waiting in slices of
// at most 100 ms keeps that under 0.1 ms, and a time-out in nanoseconds
// loses nothing to rounding.
constexpr auto kLongestSlice = std::chrono::milliseconds(100);

// Waits until fd has one of events or deadline has passed. Returns the
// poll() result of the last slice: 1 with revents set, 0 at the deadline,
// -1 on an error other than an interrupted wait. A negative fd waits for the
// deadline alone.
int WaitUntil(int fd, short events, Clock::time_point deadline, short& revents) {
  revents = 0;
  for (;;) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return 0;
    const auto slice = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::min<Clock::duration>(left, kLongestSlice));
    const timespec timeout{static_cast<time_t>(slice.count() / 1000000000),
                           static_cast<long>(slice.count() % 1000000000)};
    pollfd p{fd, events, 0};
    const int r = ppoll(&p, fd >= 0 ? 1 : 0, &timeout, nullptr);
    if (r < 0 && errno == EINTR) continue;
    if (r != 0) {
      revents = p.revents;
      return r;
    }
  }
}

// Waits without a descriptor (a line that hung up still costs its time-out,
// like a cable pulled from a real port), never spinning.
void WaitUntil(Clock::time_point deadline) {
  short revents = 0;
  WaitUntil(-1, 0, deadline, revents);
}

bool StandardSpeed(std::uint32_t bitRate, speed_t& speed) {
  switch (bitRate) {
    case 110: speed = B110; return true;
    case 300: speed = B300; return true;
    case 600: speed = B600; return true;
    case 1200: speed = B1200; return true;
    case 2400: speed = B2400; return true;
    case 4800: speed = B4800; return true;
    case 9600: speed = B9600; return true;
    case 19200: speed = B19200; return true;
    case 38400: speed = B38400; return true;
    case 57600: speed = B57600; return true;
    case 115200: speed = B115200; return true;
    default: return false;
  }
}

// The slave side of a Unix98 pseudo-terminal: a character device on the
// devpts file system (major numbers 136 to 143). Such a device has no modem
// lines and no parity; only there are the failures that causes tolerated.
bool DetectPseudoTerminal(int fd) {
#ifdef __linux__
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
  const unsigned devMajor = major(st.st_rdev);
  if (devMajor >= 136 && devMajor <= 143) return true;
  struct statfs fs {};
  constexpr long kDevptsMagic = 0x1cd1;
  return fstatfs(fd, &fs) == 0 && static_cast<long>(fs.f_type) == kDevptsMagic;
#else
  (void)fd;
  return false;
#endif
}

}  // namespace

std::unique_ptr<SerialLine> MakePlatformSerialLine() { return std::make_unique<PosixSerialLine>(); }

PosixSerialLine::~PosixSerialLine() { Close(); }

bool PosixSerialLine::Open(const std::string& portName) {
  Close();
  devicePath_ = PortMap::Resolve(portName);
  openFailure_ = OpenFailure::Other;
  const int fd = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == EACCES || errno == EPERM) openFailure_ = OpenFailure::AccessDenied;
    return false;
  }
  bool usable = isatty(fd) == 1;  // a plain file is no serial port
#ifdef TIOCGEXCL
  // Another program holding the port in exclusive mode: refused also to root,
  // which the kernel itself would let through.
  int exclusive = 0;
  if (usable && ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0) usable = false;
#endif
  // The lock stops every cooperating program, root included; TIOCEXCL stops
  // the others that are not root.
  if (usable && flock(fd, LOCK_EX | LOCK_NB) != 0) usable = false;
  if (usable && ioctl(fd, TIOCEXCL) != 0) usable = false;
  if (!usable) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  openFailure_ = OpenFailure::None;
  pseudoTerminal_ = DetectPseudoTerminal(fd);
  return true;
}

void PosixSerialLine::Close() {
  if (fd_ < 0) return;
  // A pseudo-terminal keeps its flags while the other side stays open; leave
  // the device as we found it for the next opener.
  ioctl(fd_, TIOCNXCL);
  ::close(fd_);  // also releases the lock
  fd_ = -1;
  pseudoTerminal_ = false;
}

bool PosixSerialLine::Configure(const LineSettings& settings) {
  if (fd_ < 0) return false;
  if (!ApplyTermios(settings)) return false;
  if (!HoldModemLinesInactive()) return false;
  AskForLowLatency();
  // Time-outs: kept here and enforced by Read and Write with poll().
  readIntervalMs_ = settings.ReadIntervalMs;
  readTotalMultiplierMs_ = settings.ReadTotalMultiplierMs;
  readTotalConstantMs_ = settings.ReadTotalConstantMs;
  writeTotalMultiplierMs_ = settings.WriteTotalMultiplierMs;
  writeTotalConstantMs_ = settings.WriteTotalConstantMs;
  // Queue sizes: the kernel's tty buffers are fixed (4 KiB and more), which
  // is what the line asks for; there is nothing to set.
  return true;
}

bool PosixSerialLine::ApplyTermios(const LineSettings& settings) {
  // termios knows one or two stop bits only; one and a half with 8 data bits
  // is a setting no UART accepts either.
  if (settings.StopBits != sbOneStopBit && settings.StopBits != sbTwoStopBits) return false;
  tcflag_t size = 0;
  switch (settings.DataBits) {
    case 5: size = CS5; break;
    case 6: size = CS6; break;
    case 7: size = CS7; break;
    case 8: size = CS8; break;
    default: return false;
  }
  tcflag_t parity = 0;
  switch (settings.Parity) {
    case prNone: parity = 0; break;
    case prOdd: parity = PARENB | PARODD; break;
    case prEven: parity = PARENB; break;
    case prMark: parity = PARENB | CMSPAR | PARODD; break;
    case prSpace: parity = PARENB | CMSPAR; break;
    default: return false;
  }
  speed_t speed = B9600;
  const bool standard = StandardSpeed(settings.BitRate, speed);
#ifndef WLT_CUSTOM_BIT_RATES
  if (!standard) return false;
#endif

  termios t {};
  if (tcgetattr(fd_, &t) != 0) return false;
  // Raw: no input processing, no parity checking on input, no software flow
  // control, no output processing, no echo or line editing.
  t.c_iflag = 0;
  t.c_oflag = 0;
  t.c_lflag = 0;
  // No hardware flow control; the modem status lines are ignored.
  t.c_cflag = size | parity | CLOCAL | CREAD |
              (settings.StopBits == sbTwoStopBits ? CSTOPB : 0);
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  // A custom rate starts from a standard one and is replaced below.
  cfsetispeed(&t, standard ? speed : B38400);
  cfsetospeed(&t, standard ? speed : B38400);
  if (tcsetattr(fd_, TCSANOW, &t) != 0) {
    // A pseudo-terminal drops PARENB and glibc may then report EINVAL.
    if (!(pseudoTerminal_ && errno == EINVAL)) return false;
  }

  termios applied {};
  if (tcgetattr(fd_, &applied) != 0) return false;
  constexpr tcflag_t kInputMask = IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR |
                                  IGNCR | ICRNL | IXON | IXOFF | IXANY;
  tcflag_t cflagMask = CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS | CLOCAL | CREAD;
  // The pseudo-terminal carries no parity: the one setting it cannot take.
  if (pseudoTerminal_) cflagMask &= ~(PARENB | PARODD | CMSPAR);
  if ((applied.c_iflag & kInputMask) != 0 || (applied.c_oflag & OPOST) != 0 ||
      (applied.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)) != 0 ||
      (applied.c_cflag & cflagMask) != (t.c_cflag & cflagMask)) {
    return false;
  }
  if (standard) return cfgetospeed(&applied) == speed && cfgetispeed(&applied) == speed;
  return ApplyCustomBitRate(settings.BitRate);
}

bool PosixSerialLine::ApplyCustomBitRate(std::uint32_t bitRate) {
#ifdef WLT_CUSTOM_BIT_RATES
  termios2 t2 {};
  if (ioctl(fd_, TCGETS2, &t2) != 0) return false;
  t2.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << 16));  // output and input rate fields
  t2.c_cflag |= BOTHER | (BOTHER << 16);
  t2.c_ispeed = bitRate;
  t2.c_ospeed = bitRate;
  if (ioctl(fd_, TCSETS2, &t2) != 0) return false;
  termios2 applied {};
  if (ioctl(fd_, TCGETS2, &applied) != 0) return false;
  // The driver writes back the rate it set; another one is a refusal.
  return applied.c_ospeed == bitRate && applied.c_ispeed == bitRate;
#else
  (void)bitRate;
  return false;
#endif
}

bool PosixSerialLine::HoldModemLinesInactive() {
  int lines = TIOCM_DTR | TIOCM_RTS;
  if (ioctl(fd_, TIOCMBIC, &lines) == 0) return true;
  // A pseudo-terminal has no modem lines.
  return pseudoTerminal_ && errno == ENOTTY;
}

void PosixSerialLine::AskForLowLatency() {
#if defined(__linux__) && defined(TIOCGSERIAL) && defined(ASYNC_LOW_LATENCY)
  // USB adapters otherwise deliver input in 16 ms bursts, longer than the
  // 10 ms silence that ends a reply. A driver without the serial structure
  // (or one that will not change it) still gives a working line, so this is
  // a request, not a condition.
  serial_struct serial {};
  if (ioctl(fd_, TIOCGSERIAL, &serial) != 0) return;
  if ((serial.flags & ASYNC_LOW_LATENCY) != 0) return;
  serial.flags |= ASYNC_LOW_LATENCY;
  ioctl(fd_, TIOCSSERIAL, &serial);
#endif
}

bool PosixSerialLine::Purge() {
  if (fd_ < 0) return false;
  return tcflush(fd_, TCIOFLUSH) == 0;
}

std::size_t PosixSerialLine::Write(const std::uint8_t* data, std::size_t count) {
  if (fd_ < 0 || count == 0) return 0;
  const auto deadline =
      Clock::now() + std::chrono::milliseconds(writeTotalConstantMs_ +
                                               std::uint64_t{writeTotalMultiplierMs_} * count);
  std::size_t written = 0;
  while (written < count) {
    const ssize_t n = ::write(fd_, data + written, count - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0 || errno != EAGAIN) break;
    short revents = 0;
    if (WaitUntil(fd_, POLLOUT, deadline, revents) <= 0 ||
        (revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
      break;
  }
  return written;
}

std::size_t PosixSerialLine::Read(std::uint8_t* buffer, std::size_t count) {
  if (fd_ < 0 || count == 0) return 0;
  const auto totalDeadline =
      Clock::now() + std::chrono::milliseconds(readTotalConstantMs_ +
                                               std::uint64_t{readTotalMultiplierMs_} * count);
  const auto interval = std::chrono::milliseconds(readIntervalMs_);
  std::size_t got = 0;
  Clock::time_point lastByte {};
  while (got < count) {
    // Until the first byte only the total time-out runs; after it, also the
    // silence after the last byte.
    const auto deadline = got == 0 ? totalDeadline : std::min(totalDeadline, lastByte + interval);
    short revents = 0;
    if (WaitUntil(fd_, POLLIN, deadline, revents) <= 0) break;  // time-out (or a failing poll)
    if ((revents & POLLIN) != 0) {
      const ssize_t n = ::read(fd_, buffer + got, count - got);
      if (n > 0) {
        got += static_cast<std::size_t>(n);
        lastByte = Clock::now();
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    }
    // Hung up (the other end of a pseudo-terminal went away) or failed: the
    // line is silent from now on, and a silent line costs its time-out.
    WaitUntil(deadline);
    break;
  }
  return got;
}

std::size_t PosixSerialLine::DiscardUntilQuiet(std::uint32_t quietMs, std::uint32_t limitMs) {
  if (fd_ < 0) return 0;
  const auto start = Clock::now();
  const auto limit = start + std::chrono::milliseconds(limitMs);
  const auto quiet = std::chrono::milliseconds(quietMs);
  auto lastActivity = start;
  std::size_t discarded = 0;
  for (;;) {
    const auto deadline = std::min(limit, lastActivity + quiet);
    short revents = 0;
    if (WaitUntil(fd_, POLLIN, deadline, revents) <= 0) break;  // quiet long enough, or the limit
    if ((revents & POLLIN) != 0) {
      std::uint8_t scrap[256];
      const ssize_t n = ::read(fd_, scrap, sizeof scrap);
      if (n > 0) {
        discarded += static_cast<std::size_t>(n);
        lastActivity = Clock::now();
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    }
    // Hung up or failed: nothing more can arrive, but the wait is kept, as a
    // silent line would cost it.
    WaitUntil(deadline);
    break;
  }
  return discarded;
}
