#include "mdbcomp/PortSearch.h"

#include "mdbcomp/TMdb.h"

#include <cstring>

namespace PortSearch {

namespace {

constexpr std::uint16_t kFactoryNumberRegister = 898;
constexpr std::uint8_t kReadHoldingRegisters = 3;
// The identity read: the link's own time-out and tries.
constexpr std::uint32_t kIdentityWaitMs = 500;
constexpr int kIdentityTries = 3;

LineSettings SettingsFor(std::uint32_t bitRate, TParity parity, std::uint32_t waitMs,
                         std::uint32_t multiplierMs) {
  LineSettings settings;
  settings.BitRate = bitRate;
  settings.DataBits = 8;
  settings.Parity = parity;
  settings.StopBits = sbOneStopBit;
  settings.ReadIntervalMs = 10;
  settings.ReadTotalMultiplierMs = multiplierMs;
  settings.ReadTotalConstantMs = waitMs;
  return settings;
}

void ReadRequest(std::uint8_t (&request)[8], int address, std::uint16_t first, std::uint16_t count) {
  const std::uint16_t wire = std::uint16_t(first - 1);
  request[0] = std::uint8_t(address);
  request[1] = kReadHoldingRegisters;
  request[2] = std::uint8_t(wire >> 8);
  request[3] = std::uint8_t(wire & 0xFF);
  request[4] = std::uint8_t(count >> 8);
  request[5] = std::uint8_t(count & 0xFF);
  const std::uint16_t crc = TMdb::Crc16(request, 6);
  request[6] = std::uint8_t(crc & 0xFF);
  request[7] = std::uint8_t(crc >> 8);
}

// One request, one read: the reply of the addressed slave with a good CRC,
// the registers asked or its exception, or nothing.
bool Ask(SerialLine& line, int address, std::uint16_t first, std::uint16_t count,
         std::uint8_t* reply, std::size_t& length) {
  std::uint8_t request[8];
  ReadRequest(request, address, first, count);
  line.Purge();
  if (line.Write(request, sizeof request) != sizeof request) return false;
  length = line.Read(reply, 5u + 2u * count);
  if (length < 5 || TMdb::Crc16(reply, length) != 0 || reply[0] != address) return false;
  if (reply[1] == (kReadHoldingRegisters | 0x80)) return length == 5;
  return reply[1] == kReadHoldingRegisters && reply[2] == 2 * count && length == 5u + 2u * count;
}

void ReadIdentity(SerialLine& line, Found& found) {
  if (!line.Configure(SettingsFor(found.BitRate, found.Parity, kIdentityWaitMs, 10))) return;
  for (int attempt = 0; attempt < kIdentityTries; ++attempt) {
    std::uint8_t reply[9] = {};
    std::size_t length = 0;
    if (Ask(line, found.Address, kFactoryNumberRegister, 2, reply, length) && reply[1] == kReadHoldingRegisters) {
      found.IdentityRead = true;
      found.FactoryNumber = std::uint16_t(reply[3] << 8 | reply[4]);
      found.Year = std::uint16_t(reply[5] << 8 | reply[6]);
      return;
    }
    // Whatever is still on its way belongs to the failed try.
    line.DiscardUntilQuiet(kIdentityWaitMs, 2 * kIdentityWaitMs);
  }
}

}  // namespace

Probe ProbeAt(std::size_t index) {
  Probe probe;
  const std::size_t setting = index % kSettings;
  probe.Address = kFirstAddress + int(index / kSettings);
  probe.BitRate = kBitRates[setting / kParities.size()];
  probe.Parity = kParities[setting % kParities.size()];
  return probe;
}

std::uint32_t ProbeWaitMs(std::uint32_t bitRate, TParity parity) {
  if (bitRate == 0) bitRate = 1;
  const std::uint32_t bitsPerCharacter = parity == prNone ? 10 : 11;
  // 8 request bytes, 3.5 characters of silence, 7 reply bytes: 37 half characters.
  const std::uint64_t wireMs = (37ull * bitsPerCharacter * 1000 + 2ull * bitRate - 1) / (2ull * bitRate);
  return std::uint32_t(wireMs) + kTurnaroundMarginMs;
}

std::string SettingText(std::uint32_t bitRate, TParity parity) {
  const char letter = parity == prEven ? 'E' : parity == prOdd ? 'O' : 'N';
  return std::to_string(bitRate) + " 8" + letter + "1";
}

Result Search(SerialLine& line, const std::vector<std::string>& devices, const ProgressCallback& progress) {
  Result result;
  Progress at;
  at.DeviceCount = devices.size();
  at.Total = devices.size() * kProbesPerDevice;
  for (std::size_t d = 0; d < devices.size(); ++d) {
    at.Device = devices[d];
    at.DeviceIndex = d;
    at.Done = d * kProbesPerDevice;
    at.Next = ProbeAt(0);
    if (progress && !progress(at)) {
      result.Outcome = Outcome::Stopped;
      line.Close();
      return result;
    }
    if (!line.Open(devices[d])) {
      result.Unopened.push_back(devices[d]);
      continue;
    }
    // A setting the device refuses is passed over at every address.
    std::array<bool, kSettings> refused{};
    std::size_t configured = kSettings;  // none yet
    for (std::size_t i = 0; i < kProbesPerDevice; ++i) {
      const Probe probe = ProbeAt(i);
      const std::size_t setting = i % kSettings;
      at.Done = d * kProbesPerDevice + i;
      at.Next = probe;
      if (progress && !progress(at)) {
        result.Outcome = Outcome::Stopped;
        line.Close();
        return result;
      }
      if (refused[setting]) continue;
      if (configured != setting) {
        if (!line.Configure(SettingsFor(probe.BitRate, probe.Parity, ProbeWaitMs(probe.BitRate, probe.Parity), 0))) {
          refused[setting] = true;
          configured = kSettings;
          // A refused setting may leave the line unusable: start afresh.
          line.Close();
          if (!line.Open(devices[d])) break;
          continue;
        }
        configured = setting;
      }
      std::uint8_t reply[7] = {};
      std::size_t length = 0;
      ++result.Probes;
      if (Ask(line, probe.Address, kFactoryNumberRegister, 1, reply, length)) {
        result.Outcome = Outcome::Found;
        result.Find.Device = devices[d];
        result.Find.BitRate = probe.BitRate;
        result.Find.Parity = probe.Parity;
        result.Find.Address = probe.Address;
        ReadIdentity(line, result.Find);
        line.Close();
        return result;
      }
    }
    line.Close();
  }
  result.Outcome = Outcome::NotFound;
  return result;
}

}  // namespace PortSearch
