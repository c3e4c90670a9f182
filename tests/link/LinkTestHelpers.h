#pragma once
// Frame helpers shared by the link tests.

#include "FakeSerialLine.h"
#include "mdbcomp/TMdb.h"

#include <cstdio>
#include <memory>
#include <string>

// The frame with its Modbus CRC appended, low byte first.
inline Bytes WithCrc(Bytes frame) {
  const std::uint16_t crc = TMdb::Crc16(frame.data(), frame.size());
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  return frame;
}

// "01 03 03 20" style text of a byte sequence.
inline std::string Hex(const Bytes& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02X", bytes[i]);
    if (i > 0) text += ' ';
    text += byte;
  }
  return text;
}

// A read reply from slave carrying the given register values.
inline Bytes ReadReply(std::uint8_t slave, const std::vector<std::uint16_t>& values) {
  Bytes frame{slave, 3, static_cast<std::uint8_t>(2 * values.size())};
  for (const std::uint16_t v : values) {
    frame.push_back(static_cast<std::uint8_t>(v >> 8));
    frame.push_back(static_cast<std::uint8_t>(v & 0xFF));
  }
  return WithCrc(frame);
}

// A TMdb on a fake line, opened (and the line found quiet, as after a
// connection) unless told otherwise.
struct FakeLink {
  std::shared_ptr<FakeLineState> line = std::make_shared<FakeLineState>();
  std::unique_ptr<TMdb> mdb = std::make_unique<TMdb>(std::make_unique<FakeSerialLine>(line));

  explicit FakeLink(bool open = true) {
    if (open) {
      mdb->OpenPort();
      mdb->SettleLine();
    }
    line->Calls.clear();
  }
};
