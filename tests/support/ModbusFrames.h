#pragma once
// Expected Modbus RTU frames for the settings tests, built independently of
// the link under test: its own CRC, the wire address one less than the
// register number, and the hex text format of the simulator's frame log.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace frames {

using Bytes = std::vector<std::uint8_t>;

inline std::uint16_t Crc(const Bytes& data) {
  std::uint16_t crc = 0xFFFF;
  for (std::uint8_t byte : data) {
    crc ^= byte;
    for (int i = 0; i < 8; ++i) crc = (crc & 1) ? std::uint16_t((crc >> 1) ^ 0xA001) : std::uint16_t(crc >> 1);
  }
  return crc;
}

inline Bytes WithCrc(Bytes frame) {
  const std::uint16_t crc = Crc(frame);
  frame.push_back(std::uint8_t(crc & 0xFF));
  frame.push_back(std::uint8_t(crc >> 8));
  return frame;
}

inline Bytes WriteRequest(std::uint8_t slave, int reg, std::uint16_t value) {
  const int wire = reg - 1;
  return WithCrc({slave, 0x06, std::uint8_t(wire >> 8), std::uint8_t(wire & 0xFF),
                  std::uint8_t(value >> 8), std::uint8_t(value & 0xFF)});
}

inline Bytes ReadRequest(std::uint8_t slave, int first, int count) {
  const int wire = first - 1;
  return WithCrc({slave, 0x03, std::uint8_t(wire >> 8), std::uint8_t(wire & 0xFF),
                  std::uint8_t(count >> 8), std::uint8_t(count & 0xFF)});
}

inline Bytes ReadReply(std::uint8_t slave, const std::vector<std::uint16_t>& words) {
  Bytes frame{slave, 0x03, std::uint8_t(2 * words.size())};
  for (std::uint16_t w : words) {
    frame.push_back(std::uint8_t(w >> 8));
    frame.push_back(std::uint8_t(w & 0xFF));
  }
  return WithCrc(frame);
}

// "01 06 03 84 00 02 49 A3": upper-case hex, single blanks, as the simulator logs.
inline std::string Hex(const Bytes& frame) {
  std::string text;
  char byte[4];
  for (std::size_t i = 0; i < frame.size(); ++i) {
    std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", frame[i]);
    text += byte;
  }
  return text;
}

}  // namespace frames
