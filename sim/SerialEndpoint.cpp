#include "SerialEndpoint.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace wltsim {

namespace {

speed_t SpeedConstant(int baud) {
  switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
  }
}

bool MakeRaw(int fd, const SimOptions& o, bool setLine, std::string& error) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) {
    error = std::string("tcgetattr: ") + std::strerror(errno);
    return false;
  }
  cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (setLine) {
    speed_t speed = SpeedConstant(o.baud);
    if (speed == B0) {
      error = "bit rate not supported on a device: " + std::to_string(o.baud);
      return false;
    }
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    t.c_cflag &= ~(PARENB | PARODD | CSTOPB | CRTSCTS);
    if (o.parity == 'E') t.c_cflag |= PARENB;
    if (o.parity == 'O') t.c_cflag |= PARENB | PARODD;
    if (o.stopBits == 2) t.c_cflag |= CSTOPB;
  }
  if (tcsetattr(fd, TCSANOW, &t) != 0) {
    error = std::string("tcsetattr: ") + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace

namespace {

// Listens on 127.0.0.1 only: the simulator is no server for the network.
bool Listen(int port, int& listenFd, std::string& path, std::string& error) {
  listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listenFd < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    return false;
  }
  int on = 1;
  ::setsockopt(listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (::bind(listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listenFd, 1) != 0 ||
      ::getsockname(listenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
    return false;
  }
  path = "tcp:127.0.0.1:" + std::to_string(ntohs(address.sin_port));
  return true;
}

}  // namespace

void SerialEndpoint::AcceptMaster() {
  const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) return;
  DropMaster();
  int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  fd_ = fd;
}

void SerialEndpoint::DropMaster() {
  if (listenFd_ < 0 || fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

bool SerialEndpoint::AtOwnRate(const SimOptions& o, int& masterRate) const {
  masterRate = 0;
  if (!pseudoTerminal_ || !o.baudGiven) return true;
  termios t{};
  if (tcgetattr(fd_, &t) != 0) return true;
  const speed_t own = SpeedConstant(o.baud);
  const speed_t set = cfgetospeed(&t);
  for (int rate : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
    if (SpeedConstant(rate) == set) masterRate = rate;
  return own == B0 || set == own;
}

SerialEndpoint::~SerialEndpoint() {
  if (listenFd_ >= 0) ::close(listenFd_);
  if (!linkPath_.empty()) ::unlink(linkPath_.c_str());
  if (heldSlaveFd_ >= 0) ::close(heldSlaveFd_);
  if (fd_ >= 0) ::close(fd_);
}

bool SerialEndpoint::Open(const SimOptions& o, std::string& error) {
  characterNs_ = 11LL * 1000000000LL / o.baud;
  if (o.tcpPort >= 0) {
    if (!Listen(o.tcpPort, listenFd_, path_, error)) return false;
  } else if (!o.device.empty()) {
    fd_ = ::open(o.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
      error = "cannot open " + o.device + ": " + std::strerror(errno);
      return false;
    }
    if (!MakeRaw(fd_, o, true, error)) return false;
    path_ = o.device;
  } else {
    fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0 || ::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0) {
      error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
      return false;
    }
    char name[128];
    if (::ptsname_r(fd_, name, sizeof name) != 0) {
      error = std::string("ptsname: ") + std::strerror(errno);
      return false;
    }
    path_ = name;
    heldSlaveFd_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (heldSlaveFd_ < 0) {
      error = "cannot open " + path_ + ": " + std::strerror(errno);
      return false;
    }
    // The line discipline belongs to the slave side: raw, no echo.
    if (!MakeRaw(heldSlaveFd_, o, false, error)) return false;
    pseudoTerminal_ = true;
  }
  if (!o.linkPath.empty()) {
    struct stat st{};
    if (::lstat(o.linkPath.c_str(), &st) == 0) {
      if (!S_ISLNK(st.st_mode)) {
        error = o.linkPath + " exists and is no symbolic link";
        return false;
      }
      ::unlink(o.linkPath.c_str());
    }
    if (::symlink(path_.c_str(), o.linkPath.c_str()) != 0) {
      error = "cannot make link " + o.linkPath + ": " + std::strerror(errno);
      return false;
    }
    linkPath_ = o.linkPath;
  }
  return true;
}

bool SerialEndpoint::WriteAll(const uint8_t* data, size_t length) {
  size_t done = 0;
  while (done < length) {
    ssize_t n = ::write(fd_, data + done, length - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      // Nobody drains the line: give up after a second rather than block for ever.
      pollfd p{fd_, POLLOUT, 0};
      if (::poll(&p, 1, 1000) <= 0) return false;
      continue;
    }
    return false;
  }
  return true;
}

bool SerialEndpoint::Send(const Frame& frame, bool pace, const timespec& notBefore) {
  if (!pace) return WriteAll(frame.data(), frame.size());
  // A byte reaches the other end when its last bit has gone out.
  timespec at = notBefore;
  at.tv_nsec += characterNs_;
  while (at.tv_nsec >= 1000000000L) {
    at.tv_nsec -= 1000000000L;
    ++at.tv_sec;
  }
  for (uint8_t byte : frame) {
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
    if (!WriteAll(&byte, 1)) return false;
    at.tv_nsec += characterNs_;
    while (at.tv_nsec >= 1000000000L) {
      at.tv_nsec -= 1000000000L;
      ++at.tv_sec;
    }
  }
  return true;
}

}  // namespace wltsim
