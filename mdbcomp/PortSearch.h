#pragma once
// The search for a controller whose port, line settings or slave address are
// not known: on every serial device, at every line rate and parity, one read
// of register 898 per slave address with a wait just long enough for a
// controller to answer. Address 1 is tried first at every line setting, then
// addresses 2 to 247, each at every setting. A reply with a good CRC from the
// addressed slave is a find; the factory number and year (898, 899) are then
// read with the link's ordinary time-outs and tries.

#include "mdbcomp/MdbTypes.h"
#include "mdbcomp/SerialLine.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace PortSearch {

inline constexpr std::array<std::uint32_t, 4> kBitRates{19200, 9600, 4800, 2400};
inline constexpr std::array<TParity, 3> kParities{prNone, prEven, prOdd};
inline constexpr int kFirstAddress = 1;
inline constexpr int kLastAddress = 247;
inline constexpr std::size_t kSettings = kBitRates.size() * kParities.size();
inline constexpr std::size_t kProbesPerDevice = kSettings * (kLastAddress - kFirstAddress + 1);

// What a controller may take between the end of a request and the start of
// its reply, beyond the 3.5 characters of silence that end the request: its
// own turnaround (a few milliseconds) and a USB adapter's delivery of the
// reply (up to 16 ms where the driver will not deliver at once), with room
// to spare.
inline constexpr std::uint32_t kTurnaroundMarginMs = 40;

struct Probe {
  std::uint32_t BitRate = 19200;
  TParity Parity = prNone;
  int Address = 1;
};

// The index-th probe (0 .. kProbesPerDevice - 1) of one device.
Probe ProbeAt(std::size_t index);

// How long a probe waits after its request has been handed to the line: the
// wire time of the 8-byte request and the 7-byte reply at the line setting
// (a start bit, 8 data bits, the parity bit if any and one stop bit each),
// the 3.5 characters that end the request, and the margin.
std::uint32_t ProbeWaitMs(std::uint32_t bitRate, TParity parity);

struct Found {
  std::string Device;
  std::uint32_t BitRate = 0;
  TParity Parity = prNone;
  int Address = 0;
  // The factory number and the year of production, when their read succeeded.
  bool IdentityRead = false;
  std::uint16_t FactoryNumber = 0;
  std::uint16_t Year = 0;
};

struct Progress {
  std::string Device;
  std::size_t DeviceIndex = 0;  // 0-based
  std::size_t DeviceCount = 0;
  Probe Next;               // the probe about to be made
  std::size_t Done = 0;     // probes made or skipped so far, over all devices
  std::size_t Total = 0;    // kProbesPerDevice for every device
};

// Called before every probe; false stops the search there.
using ProgressCallback = std::function<bool(const Progress&)>;

enum class Outcome { Found, NotFound, Stopped };

struct Result {
  PortSearch::Outcome Outcome = PortSearch::Outcome::NotFound;
  Found Find;
  std::size_t Probes = 0;          // requests sent
  std::vector<std::string> Unopened;  // devices that would not open
};

// Runs the search over devices in order with line (open or closed; closed
// at the end). A device that does not open, or a line setting it refuses,
// is passed over.
Result Search(SerialLine& line, const std::vector<std::string>& devices, const ProgressCallback& progress);

// "19200 8N1", "2400 8O1": a line setting as the search reports it.
std::string SettingText(std::uint32_t bitRate, TParity parity);

}  // namespace PortSearch

namespace SerialDevices {

// The serial devices of this machine, each once, in search order: COM1 to
// COM4 as the port map resolves them, the stable names under
// /dev/serial/by-id/, /dev/ttyUSB* and /dev/ttyACM*; on Windows the ports
// COM1 to COM256 that open.
std::vector<std::string> List();

// The devices of candidates, each once: a later name of a device already
// listed (the same file after following links) is dropped. identity maps a
// name to the device it reaches ("" when it reaches none: dropped too).
std::vector<std::string> Distinct(const std::vector<std::string>& candidates,
                                  const std::function<std::string(const std::string&)>& identity);

}  // namespace SerialDevices
