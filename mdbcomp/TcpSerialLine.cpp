#include "mdbcomp/TcpSerialLine.h"

#include "mdbcomp/PortMap.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
using Socket = SOCKET;
const Socket kNoSocket = INVALID_SOCKET;
constexpr int kSendFlags = 0;

// Winsock is started once for the process and stays up until it ends.
bool StartSockets() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}
void CloseSocket(Socket s) { closesocket(s); }
bool SetNonBlocking(Socket s) {
  u_long on = 1;
  return ioctlsocket(s, FIONBIO, &on) == 0;
}
bool WouldBlock() {
  const int e = WSAGetLastError();
  return e == WSAEWOULDBLOCK || e == WSAEINPROGRESS || e == WSAEINTR;
}
int PollOne(Socket s, short events, int timeoutMs, short& revents) {
  WSAPOLLFD p{};
  p.fd = s;
  p.events = events;
  const int r = WSAPoll(&p, 1, timeoutMs);
  revents = p.revents;
  return r;
}
void SleepMs(int ms) { Sleep(static_cast<DWORD>(ms)); }
#else
using Socket = int;
constexpr Socket kNoSocket = -1;
#ifdef MSG_NOSIGNAL
constexpr int kSendFlags = MSG_NOSIGNAL;  // a dropped peer is an error, not a signal
#else
constexpr int kSendFlags = 0;
#endif

bool StartSockets() { return true; }
void CloseSocket(Socket s) { ::close(s); }
bool SetNonBlocking(Socket s) {
  const int flags = fcntl(s, F_GETFL);
  return flags >= 0 && fcntl(s, F_SETFL, flags | O_NONBLOCK) == 0;
}
bool WouldBlock() { return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINPROGRESS || errno == EINTR; }
int PollOne(Socket s, short events, int timeoutMs, short& revents) {
  pollfd p{s, events, 0};
  const int r = ::poll(&p, 1, timeoutMs);
  revents = p.revents;
  if (r < 0 && errno == EINTR) return 0;
  return r;
}
void SleepMs(int ms) { ::poll(nullptr, 0, ms); }
#endif

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Waits for the deadline alone: a dropped connection still costs the
// time-out a silent line would, never spinning.
void WaitUntil(std::int64_t deadlineMs) {
  for (std::int64_t left = deadlineMs - NowMs(); left > 0; left = deadlineMs - NowMs())
    SleepMs(int(std::min<std::int64_t>(left, 100)));
}

Socket ToSocket(std::intptr_t s) { return static_cast<Socket>(s); }

}  // namespace

namespace TcpAddress {

bool Names(const std::string& text) { return text.compare(0, 4, "tcp:") == 0; }

bool Parse(const std::string& text, std::string& host, std::uint16_t& port) {
  if (!Names(text)) return false;
  const std::string rest = text.substr(4);
  const auto colon = rest.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == rest.size()) return false;
  std::string name = rest.substr(0, colon);
  const std::string digits = rest.substr(colon + 1);
  if (digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  const unsigned long number = std::strtoul(digits.c_str(), nullptr, 10);
  if (number == 0 || number > 65535) return false;
  if (name.front() == '[') {
    if (name.size() < 3 || name.back() != ']') return false;
    name = name.substr(1, name.size() - 2);
  } else if (name.find(':') != std::string::npos) {
    return false;  // an IPv6 address goes in brackets
  }
  if (name.find_first_of(" \t/\\") != std::string::npos) return false;
  host = name;
  port = static_cast<std::uint16_t>(number);
  return true;
}

}  // namespace TcpAddress

TcpSerialLine::TcpSerialLine() = default;

TcpSerialLine::~TcpSerialLine() { Close(); }

bool TcpSerialLine::Open(const std::string& portName) {
  Close();
  device_ = PortMap::Resolve(portName);
  std::string host;
  std::uint16_t port = 0;
  if (!TcpAddress::Parse(device_, host, port) || !StartSockets()) return false;

  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) return false;

  const std::int64_t deadline = NowMs() + kConnectLimitMs;
  Socket connected = kNoSocket;
  for (addrinfo* a = found; a && connected == kNoSocket && NowMs() < deadline; a = a->ai_next) {
    Socket s = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (s == kNoSocket) continue;
    if (!SetNonBlocking(s)) {
      CloseSocket(s);
      continue;
    }
    bool ok = ::connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) == 0;
    if (!ok && WouldBlock()) {
      // Connecting in the background: writable once made or refused.
      short revents = 0;
      for (;;) {
        const std::int64_t left = deadline - NowMs();
        if (left <= 0) break;
        const int r = PollOne(s, POLLOUT, int(std::min<std::int64_t>(left, 100)), revents);
        if (r != 0) break;
      }
      int error = 0;
      socklen_t length = sizeof error;
      ok = (revents & (POLLOUT | POLLERR | POLLHUP)) != 0 &&
           getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) == 0 &&
           error == 0;
    }
    if (ok) {
      connected = s;
    } else {
      CloseSocket(s);
    }
  }
  freeaddrinfo(found);
  if (connected == kNoSocket) return false;
  // A frame is sent as one write and must leave at once.
  int on = 1;
  setsockopt(connected, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  socket_ = static_cast<std::intptr_t>(connected);
  open_ = true;
  dropped_ = false;
  return true;
}

bool TcpSerialLine::Configure(const LineSettings& settings) {
  if (!open_) return false;
  // Rate, parity and stop bits belong to the server's own serial port.
  readIntervalMs_ = settings.ReadIntervalMs;
  readTotalMultiplierMs_ = settings.ReadTotalMultiplierMs;
  readTotalConstantMs_ = settings.ReadTotalConstantMs;
  writeTotalMultiplierMs_ = settings.WriteTotalMultiplierMs;
  writeTotalConstantMs_ = settings.WriteTotalConstantMs;
  return true;
}

void TcpSerialLine::Close() {
  if (!open_) return;
  if (!dropped_) CloseSocket(ToSocket(socket_));
  socket_ = -1;
  open_ = false;
  dropped_ = false;
}

void TcpSerialLine::Drop() {
  if (dropped_) return;
  CloseSocket(ToSocket(socket_));
  dropped_ = true;
}

bool TcpSerialLine::WaitFor(bool write, std::int64_t deadlineMs) {
  const short events = write ? POLLOUT : POLLIN;
  for (;;) {
    const std::int64_t left = deadlineMs - NowMs();
    if (left <= 0) return false;
    short revents = 0;
    const int r = PollOne(ToSocket(socket_), events, int(std::min<std::int64_t>(left, 100)), revents);
    if (r < 0) return false;
    if (r > 0) return true;  // ready, or an error the next call reports
  }
}

bool TcpSerialLine::Purge() {
  if (!open_) return false;
  if (dropped_) return true;
  // What the server has sent so far and nobody asked for.
  char scrap[256];
  for (;;) {
    const auto n = ::recv(ToSocket(socket_), scrap, sizeof scrap, 0);
    if (n > 0) continue;
    if (n < 0 && WouldBlock()) return true;
    Drop();
    return true;
  }
}

std::size_t TcpSerialLine::Write(const std::uint8_t* data, std::size_t count) {
  if (!open_ || dropped_ || count == 0) return 0;
  const std::int64_t deadline =
      NowMs() + writeTotalConstantMs_ + std::int64_t{writeTotalMultiplierMs_} * std::int64_t(count);
  std::size_t written = 0;
  while (written < count) {
    const auto n = ::send(ToSocket(socket_), reinterpret_cast<const char*>(data + written),
                          static_cast<int>(count - written), kSendFlags);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && WouldBlock()) {
      if (!WaitFor(true, deadline)) break;
      continue;
    }
    Drop();
    break;
  }
  return written;
}

std::size_t TcpSerialLine::Read(std::uint8_t* buffer, std::size_t count) {
  if (!open_ || count == 0) return 0;
  const std::int64_t totalDeadline =
      NowMs() + readTotalConstantMs_ + std::int64_t{readTotalMultiplierMs_} * std::int64_t(count);
  std::size_t got = 0;
  std::int64_t lastByte = 0;
  while (got < count) {
    // Until the first byte only the total time-out runs; after it, also the
    // silence after the last byte (a frame may come in several segments).
    const std::int64_t deadline = got == 0 ? totalDeadline : std::min(totalDeadline, lastByte + readIntervalMs_);
    if (dropped_) {
      WaitUntil(deadline);
      break;
    }
    if (!WaitFor(false, deadline)) break;
    const auto n = ::recv(ToSocket(socket_), reinterpret_cast<char*>(buffer + got),
                          static_cast<int>(count - got), 0);
    if (n > 0) {
      got += static_cast<std::size_t>(n);
      lastByte = NowMs();
      continue;
    }
    if (n < 0 && WouldBlock()) continue;
    Drop();  // closed or reset by the server: silent from now on
  }
  return got;
}

std::size_t TcpSerialLine::DiscardUntilQuiet(std::uint32_t quietMs, std::uint32_t limitMs) {
  if (!open_) return 0;
  const std::int64_t limit = NowMs() + limitMs;
  std::int64_t lastActivity = NowMs();
  std::size_t discarded = 0;
  for (;;) {
    const std::int64_t deadline = std::min(limit, lastActivity + quietMs);
    if (dropped_) {
      WaitUntil(deadline);
      break;
    }
    if (!WaitFor(false, deadline)) break;
    char scrap[256];
    const auto n = ::recv(ToSocket(socket_), scrap, sizeof scrap, 0);
    if (n > 0) {
      discarded += static_cast<std::size_t>(n);
      lastActivity = NowMs();
      continue;
    }
    if (n < 0 && WouldBlock()) continue;
    Drop();
  }
  return discarded;
}
