// The Win32 serial line. Every call, flag, time-out and queue size here is the
// one the controller's link has always used on Windows; keep their order.

#include "Win32SerialLine.h"

#include "mdbcomp/PortMap.h"

#include <cstring>
#include <limits>

namespace {

// The device-control block is 28 bytes on every Windows target.
static_assert(sizeof(DCB) == 28, "DCB must be the 28-byte device-control block");

// ReadFile/WriteFile take a 32-bit count; no frame comes near it.
DWORD ClampToDword(std::size_t count) {
  constexpr std::size_t kMax = std::numeric_limits<DWORD>::max();
  return static_cast<DWORD>(count > kMax ? kMax : count);
}

}  // namespace

Win32SerialLine::~Win32SerialLine() { Close(); }

bool Win32SerialLine::Open(const std::string& portName) {
  Close();
  // The name goes to the system unchanged ("COM1"), unless the port map
  // names another device for it: exclusive, synchronous.
  const std::string device = PortMap::Resolve(portName);
  handle_ = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE,
                        0,              // no sharing: a second opener fails
                        nullptr,        // no security attributes
                        OPEN_EXISTING,  // a port is never created
                        0,              // no overlapped input/output
                        nullptr);       // no template
  return handle_ != INVALID_HANDLE_VALUE;
}

bool Win32SerialLine::Configure(const LineSettings& settings) {
  if (!IsOpen()) return false;

  // All zero but length, rate, data bits, parity and stop bits: no flow
  // control, no parity checking on input, DTR and RTS held inactive
  // (DTR_CONTROL_DISABLE and RTS_CONTROL_DISABLE are 0).
  DCB dcb;
  std::memset(&dcb, 0, sizeof dcb);
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = settings.BitRate;
  dcb.ByteSize = settings.DataBits;
  dcb.Parity = static_cast<BYTE>(settings.Parity);      // 0 none, 1 odd, 2 even, 3 mark, 4 space
  dcb.StopBits = static_cast<BYTE>(settings.StopBits);  // 0 one, 1 one and a half, 2 two

  bool ok = SetCommState(handle_, &dcb) != 0;

  COMMTIMEOUTS timeouts;
  std::memset(&timeouts, 0, sizeof timeouts);
  // The current values are read first and then overwritten field by field.
  ok = ok && GetCommTimeouts(handle_, &timeouts) != 0;
  if (ok) {
    timeouts.ReadIntervalTimeout = settings.ReadIntervalMs;
    timeouts.ReadTotalTimeoutMultiplier = settings.ReadTotalMultiplierMs;
    timeouts.ReadTotalTimeoutConstant = settings.ReadTotalConstantMs;
    timeouts.WriteTotalTimeoutMultiplier = settings.WriteTotalMultiplierMs;
    timeouts.WriteTotalTimeoutConstant = settings.WriteTotalConstantMs;
    ok = SetCommTimeouts(handle_, &timeouts) != 0;
  }
  ok = ok && SetupComm(handle_, settings.InputQueueSize, settings.OutputQueueSize) != 0;

  // A half-configured port is never kept.
  if (!ok) Close();
  return ok;
}

void Win32SerialLine::Close() {
  if (handle_ == INVALID_HANDLE_VALUE) return;
  CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

bool Win32SerialLine::Purge() {
  if (!IsOpen()) return false;
  return PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR) != 0;
}

std::size_t Win32SerialLine::Write(const std::uint8_t* data, std::size_t count) {
  if (!IsOpen() || data == nullptr || count == 0) return 0;
  DWORD written = 0;
  // The count written is the caller's to judge; a failed call wrote nothing.
  return WriteFile(handle_, data, ClampToDword(count), &written, nullptr) ? written : 0;
}

std::size_t Win32SerialLine::Read(std::uint8_t* buffer, std::size_t count) {
  if (!IsOpen() || buffer == nullptr || count == 0) return 0;
  // Returns when count bytes arrived, ReadIntervalTimeout after the last
  // byte, or at the total time-out; a time-out is not an error.
  DWORD got = 0;
  return ReadFile(handle_, buffer, ClampToDword(count), &got, nullptr) ? got : 0;
}

std::size_t Win32SerialLine::DiscardUntilQuiet(std::uint32_t quietMs, std::uint32_t limitMs) {
  if (!IsOpen()) return 0;
  COMMTIMEOUTS saved;
  if (GetCommTimeouts(handle_, &saved) == 0) return 0;
  // MAXDWORD, MAXDWORD and a constant: ReadFile returns at once with what
  // the driver holds, or waits up to the constant for the first byte.
  COMMTIMEOUTS quiet = saved;
  quiet.ReadIntervalTimeout = MAXDWORD;
  quiet.ReadTotalTimeoutMultiplier = MAXDWORD;
  quiet.ReadTotalTimeoutConstant = quietMs == 0 ? 1 : quietMs;
  if (SetCommTimeouts(handle_, &quiet) == 0) return 0;
  const ULONGLONG start = GetTickCount64();
  std::size_t discarded = 0;
  for (;;) {
    std::uint8_t scrap[256];
    DWORD got = 0;
    if (!ReadFile(handle_, scrap, sizeof scrap, &got, nullptr) || got == 0) break;
    discarded += got;
    if (GetTickCount64() - start >= limitMs) break;
  }
  SetCommTimeouts(handle_, &saved);
  return discarded;
}

std::unique_ptr<SerialLine> MakePlatformSerialLine() {
  return std::make_unique<Win32SerialLine>();
}
