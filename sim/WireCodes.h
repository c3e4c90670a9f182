// Small helpers shared by the simulator: the Modbus CRC and packed BCD bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wltsim {

using Frame = std::vector<uint8_t>;

// Modbus CRC-16: reflected polynomial 0xA001, start 0xFFFF.
inline uint16_t Crc16(const uint8_t* data, size_t length) {
  uint16_t crc = 0xFFFF;
  for (size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
  }
  return crc;
}

// A frame is intact when the CRC over all its bytes, its own CRC included, is 0.
inline bool CrcIntact(const Frame& frame) { return frame.size() >= 4 && Crc16(frame.data(), frame.size()) == 0; }

// Replaces the last two bytes of the frame by the CRC of the bytes before them.
inline void ResealCrc(Frame& frame) {
  if (frame.size() < 2) return;
  uint16_t crc = Crc16(frame.data(), frame.size() - 2);
  frame[frame.size() - 2] = static_cast<uint8_t>(crc & 0xFF);
  frame[frame.size() - 1] = static_cast<uint8_t>(crc >> 8);
}

// Two decimal digits (0 to 99) as one packed BCD byte.
inline uint8_t ToBcdByte(int value) { return static_cast<uint8_t>(((value / 10) % 10) << 4 | (value % 10)); }

// The value of a packed BCD byte, or -1 when a nibble is above 9.
inline int FromBcdByte(uint8_t byte) {
  int high = byte >> 4, low = byte & 0x0F;
  if (high > 9 || low > 9) return -1;
  return high * 10 + low;
}

// "01 03 03 20": upper-case hex bytes separated by single blanks.
inline std::string HexBytes(const uint8_t* data, size_t length) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(length * 3);
  for (size_t i = 0; i < length; ++i) {
    if (i) text.push_back(' ');
    text.push_back(digits[data[i] >> 4]);
    text.push_back(digits[data[i] & 0x0F]);
  }
  return text;
}

}  // namespace wltsim

namespace wltsim {

// The register span a function-3 or function-6 request touches, in the
// controller's numbering (wire address + 1).
struct RequestSpan {
  int function = 0;
  int first = 0;
  int last = 0;
  bool valid = false;  // a read (3) or a write (6) request of 8 bytes
};

inline RequestSpan SpanOf(const Frame& request) {
  RequestSpan span;
  if (request.size() != 8) return span;
  span.function = request[1];
  int address = request[2] << 8 | request[3];
  if (span.function == 3) {
    int count = request[4] << 8 | request[5];
    span.first = address + 1;
    span.last = address + (count > 0 ? count : 1);
    span.valid = true;
  } else if (span.function == 6) {
    span.first = span.last = address + 1;
    span.valid = true;
  }
  return span;
}

}  // namespace wltsim
