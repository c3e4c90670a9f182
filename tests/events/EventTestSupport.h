#pragma once
// Helpers of the event tests: records built from their parts, a scripted
// controller behind the in-memory line, and the simulator's events file
// written from a table. Readable QString failures come with the window
// tests' helpers.

#include "AppTestSupport.h"
#include "FakeSerialLine.h"
#include "ModbusFrames.h"
#include "events/EventRecord.h"

#include <QString>
#include <QTemporaryDir>

#include <fstream>
#include <initializer_list>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace eventtest {

using EventRecord::Record;
using EventRecord::Table;

// A record of date words w0, w1, w2, the given causes (1..64, as the user
// numbers them) and state words 1..10.
inline Record MakeRecord(std::uint16_t w0, std::uint16_t w1, std::uint16_t w2,
                         std::initializer_list<int> causes = {},
                         std::initializer_list<std::pair<int, std::uint16_t>> states = {}) {
  Record r{};
  r[0] = w0;
  r[1] = w1;
  r[2] = w2;
  for (int cause : causes) r[std::size_t(3 + (cause - 1) / 16)] |= std::uint16_t(1u << ((cause - 1) % 16));
  for (const auto& [word, value] : states) r[std::size_t(6 + word)] = value;
  return r;
}

// Event k + 1 on 24-03-(k+1) at 08:05:(k mod 60), without causes or states.
inline Record DatedRecord(int k) {
  const auto bcd = [](int v) { return std::uint16_t((v / 10) << 4 | (v % 10)); };
  return MakeRecord(0x0324, std::uint16_t(0x0800 | bcd(k % 28 + 1)), std::uint16_t(bcd(k % 60) << 8 | 0x05));
}

// The recorder as registers 1321..2000.
inline std::map<int, std::uint16_t> RecorderRegisters(const Table& table) {
  std::map<int, std::uint16_t> registers;
  for (int k = 0; k < EventRecord::kRecords; ++k)
    for (int i = 0; i < EventRecord::kRecordWords; ++i)
      registers[EventRecord::kFirstRegister + k * EventRecord::kRecordWords + i] = table[std::size_t(k)][std::size_t(i)];
  return registers;
}

// A controller behind FakeSerialLine: answers function 3 from its registers
// (0 where none is set), stays silent for requests starting at a register of
// silentAt, and records every request.
struct ScriptedRecorder {
  std::map<int, std::uint16_t> registers;
  std::set<int> silentAt;
  std::vector<std::string> requests;

  Bytes Answer(const Bytes& request) {
    requests.push_back(frames::Hex(request));
    if (request.size() != 8 || request[1] != 0x03) return {};
    const int first = ((request[2] << 8) | request[3]) + 1;
    const int count = (request[4] << 8) | request[5];
    if (silentAt.count(first)) return {};
    std::vector<std::uint16_t> words;
    for (int reg = first; reg < first + count; ++reg) {
      const auto it = registers.find(reg);
      words.push_back(it == registers.end() ? 0 : it->second);
    }
    return frames::ReadReply(request[0], words);
  }
};

// The six requests of a readout and the clock request, at slave 1, as hex.
inline std::vector<std::string> ReadoutRequests() {
  std::vector<std::string> frames;
  for (const auto& block : EventRecord::kReadBlocks)
    frames.push_back(frames::Hex(frames::ReadRequest(1, block.firstRegister, block.count)));
  frames.push_back(frames::Hex(frames::ReadRequest(1, 1300, 3)));
  return frames;
}

// The table as the simulator's events file ("N W0 ... W16" per record).
inline bool WriteEventsFile(const std::string& path, const Table& table) {
  std::ofstream out(path);
  out << "# written by the event tests\n";
  for (int k = 0; k < EventRecord::kRecords; ++k) {
    out << k + 1;
    for (std::uint16_t w : table[std::size_t(k)]) out << ' ' << std::hex << w << std::dec;
    out << '\n';
  }
  return bool(out);
}

}  // namespace eventtest
