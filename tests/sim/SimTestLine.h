// Helpers for the simulator's own tests: a raw line to the simulator (exact
// bytes out and in) and a libmodbus RTU master, the independent peer.
#pragma once

#include <fcntl.h>
#include <modbus.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace simtest {

using Bytes = std::vector<uint8_t>;

// Modbus CRC-16, written here again so the tests do not share the simulator's code.
inline uint16_t Crc(const Bytes& b, size_t n) {
  uint16_t crc = 0xFFFF;
  for (size_t i = 0; i < n; ++i) {
    crc ^= b[i];
    for (int k = 0; k < 8; ++k) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

inline Bytes WithCrc(Bytes b) {
  uint16_t crc = Crc(b, b.size());
  b.push_back(static_cast<uint8_t>(crc & 0xFF));
  b.push_back(static_cast<uint8_t>(crc >> 8));
  return b;
}

inline bool CrcOk(const Bytes& b) { return b.size() >= 4 && Crc(b, b.size()) == 0; }

// Function-3 and function-6 requests; reg is the controller's register number.
inline Bytes ReadRequest(int slave, int reg, int count) {
  int a = reg - 1;
  return WithCrc({static_cast<uint8_t>(slave), 3, static_cast<uint8_t>(a >> 8), static_cast<uint8_t>(a),
                  static_cast<uint8_t>(count >> 8), static_cast<uint8_t>(count)});
}
inline Bytes WriteRequest(int slave, int reg, uint16_t value) {
  int a = reg - 1;
  return WithCrc({static_cast<uint8_t>(slave), 6, static_cast<uint8_t>(a >> 8), static_cast<uint8_t>(a),
                  static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)});
}

inline std::string Hex(const Bytes& b) {
  std::string s;
  char t[4];
  for (size_t i = 0; i < b.size(); ++i) {
    std::snprintf(t, sizeof t, i ? " %02X" : "%02X", b[i]);
    s += t;
  }
  return s;
}

// The master end of the pty, raw, for exact bytes.
class RawLine {
 public:
  // speed: the bit rate the line is set to (B0: the pseudo-terminal's own),
  // as a master sets it; a simulator named with --baud hears only its own.
  explicit RawLine(const std::string& path, speed_t speed = B0) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return;
    termios t{};
    tcgetattr(fd_, &t);
    cfmakeraw(&t);
    if (speed != B0) {
      cfsetispeed(&t, speed);
      cfsetospeed(&t, speed);
    }
    tcsetattr(fd_, TCSANOW, &t);
    tcflush(fd_, TCIOFLUSH);
  }
  ~RawLine() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Ok() const { return fd_ >= 0; }

  void Send(const Bytes& b) {
    tcflush(fd_, TCIFLUSH);
    (void)!::write(fd_, b.data(), b.size());
  }

  // Bytes until 30 ms of silence after the last one, or until timeoutMs passed
  // without any byte.
  Bytes Receive(int timeoutMs = 1000) {
    Bytes got;
    int wait = timeoutMs;
    for (;;) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, wait) <= 0) return got;
      uint8_t buf[512];
      ssize_t n = ::read(fd_, buf, sizeof buf);
      if (n <= 0) return got;
      got.insert(got.end(), buf, buf + n);
      wait = 30;
    }
  }

  // Exactly count bytes (fewer if timeoutMs passes first), however they are spaced.
  Bytes ReceiveCount(size_t count, int timeoutMs) {
    Bytes got;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < count) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
      uint8_t buf[512];
      ssize_t n = ::read(fd_, buf, std::min(sizeof buf, count - got.size()));
      if (n <= 0) break;
      got.insert(got.end(), buf, buf + n);
    }
    return got;
  }

  Bytes Transact(const Bytes& request, int timeoutMs = 1000) {
    Send(request);
    return Receive(timeoutMs);
  }

 private:
  int fd_ = -1;
};

// A libmodbus RTU master on the simulator's pty.
class Master {
 public:
  explicit Master(const std::string& path, int slave = 1, int timeoutMs = 1000) {
    ctx_ = modbus_new_rtu(path.c_str(), 19200, 'N', 8, 1);
    if (!ctx_) return;
    modbus_set_slave(ctx_, slave);
    modbus_set_response_timeout(ctx_, timeoutMs / 1000, static_cast<uint32_t>(timeoutMs % 1000) * 1000);
    connected_ = modbus_connect(ctx_) == 0;
  }
  ~Master() {
    if (ctx_) {
      if (connected_) modbus_close(ctx_);
      modbus_free(ctx_);
    }
  }
  bool Ok() const { return connected_; }
  modbus_t* Ctx() const { return ctx_; }

  // Reads count registers from reg (controller numbering); empty on failure.
  std::vector<uint16_t> Read(int reg, int count) {
    std::vector<uint16_t> v(static_cast<size_t>(count));
    int n = modbus_read_registers(ctx_, reg - 1, count, v.data());
    if (n != count) return {};
    return v;
  }
  uint16_t Read1(int reg, bool* ok = nullptr) {
    auto v = Read(reg, 1);
    if (ok) *ok = !v.empty();
    return v.empty() ? 0 : v[0];
  }
  bool Write(int reg, uint16_t value) { return modbus_write_register(ctx_, reg - 1, value) == 1; }

  // The exception code of the last failed call, or 0 when it was no exception.
  static int ExceptionCode() {
    int e = errno;
    return e > MODBUS_ENOBASE && e < MODBUS_ENOBASE + 64 ? e - MODBUS_ENOBASE : 0;
  }

 private:
  modbus_t* ctx_ = nullptr;
  bool connected_ = false;
};

inline bool IsBcd(uint8_t b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; }
inline int Bcd(uint8_t b) { return (b >> 4) * 10 + (b & 0x0F); }

}  // namespace simtest
