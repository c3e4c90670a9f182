#pragma once
// The input of the link target, as its parser reads it and the corpus
// writer composes it:
//   byte 0     operation: bit 0 set a write (function 6), clear a read
//              (function 3); bit 1 set leaves the port closed; bit 2 set
//              hands a read no buffer for its values
//   byte 1     slave address
//   byte 2     RepeatCount (tries; 0 still makes one)
//   bytes 3-4  first register of a read, or the register of a write (big-endian)
//   bytes 5-6  count of a read, or the value of a write (big-endian)
//   then       the line's reply to each try in turn: a length byte and that
//              many bytes (the last one may run short); a try past the last
//              reply meets a silent line.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace LinkReplyInput {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kWrite = 1;
constexpr std::uint8_t kPortClosed = 2;
constexpr std::uint8_t kNoValues = 4;
constexpr std::size_t kHeaderSize = 7;

struct Input {
  std::uint8_t operation = 0;
  std::uint8_t slave = 1;
  std::uint8_t tries = 3;
  std::uint16_t field1 = 0;  // first register, or the register written
  std::uint16_t field2 = 0;  // count, or the value written
  std::vector<Bytes> replies;

  bool Write() const { return (operation & kWrite) != 0; }
  bool PortClosed() const { return (operation & kPortClosed) != 0; }
  bool NoValues() const { return (operation & kNoValues) != 0; }
};

// False when the data is shorter than the fixed part.
inline bool Parse(const std::uint8_t* data, std::size_t size, Input& input) {
  if (size < kHeaderSize) return false;
  input.operation = data[0];
  input.slave = data[1];
  input.tries = data[2];
  input.field1 = static_cast<std::uint16_t>(data[3] << 8 | data[4]);
  input.field2 = static_cast<std::uint16_t>(data[5] << 8 | data[6]);
  input.replies.clear();
  std::size_t pos = kHeaderSize;
  while (pos < size) {
    const std::size_t length = data[pos++];
    const std::size_t taken = length < size - pos ? length : size - pos;
    input.replies.emplace_back(data + pos, data + pos + taken);
    pos += taken;
  }
  return true;
}

inline Bytes Compose(const Input& input) {
  Bytes bytes{input.operation,
              input.slave,
              input.tries,
              static_cast<std::uint8_t>(input.field1 >> 8),
              static_cast<std::uint8_t>(input.field1 & 0xFF),
              static_cast<std::uint8_t>(input.field2 >> 8),
              static_cast<std::uint8_t>(input.field2 & 0xFF)};
  for (const Bytes& reply : input.replies) {
    const std::size_t length = reply.size() < 255 ? reply.size() : 255;
    bytes.push_back(static_cast<std::uint8_t>(length));
    bytes.insert(bytes.end(), reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(length));
  }
  return bytes;
}

}  // namespace LinkReplyInput
