// The link's reply handling: one read (function 3) or write (function 6) of
// TMdb on an in-memory line whose reply to each try is the fuzzer's bytes
// (the layout is in LinkReplyInput.h). Whatever arrives, the transaction
// must keep its promises, checked here against a model of them:
// - a read outside 1..125 registers, or without a buffer, sends nothing;
// - every try purges, sends the same request (the register number less
//   one, the CRC low byte first) and asks for the whole reply, at most
//   RepeatCount tries (one at least) and none after a reply with a good CRC;
// - Answered() tells whether the last try's reply had a good CRC, and
//   LastReply() holds that reply as it came;
// - a read succeeds only on a reply from the slave asked, of function 3,
//   long enough for every value; only then are the values written, each
//   from its two bytes, and never a word outside the caller's buffer;
// - a write succeeds only on a reply that repeats the request.

#include "FakeSerialLine.h"
#include "FuzzCheck.h"
#include "LinkReplyInput.h"
#include "mdbcomp/TMdb.h"

#include <array>
#include <cstring>
#include <memory>
#include <string>

namespace {

// The Modbus CRC from a table, apart from TMdb's bit-by-bit one.
std::uint16_t TableCrc(const std::uint8_t* data, std::size_t length) {
  static const std::array<std::uint16_t, 256> table = [] {
    std::array<std::uint16_t, 256> t{};
    for (unsigned i = 0; i < 256; ++i) {
      unsigned crc = i;
      for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001u : crc >> 1;
      t[i] = static_cast<std::uint16_t>(crc);
    }
    return t;
  }();
  std::uint16_t crc = 0xFFFF;
  for (std::size_t i = 0; i < length; ++i) crc = static_cast<std::uint16_t>((crc >> 8) ^ table[(crc ^ data[i]) & 0xFF]);
  return crc;
}

Bytes ExpectedRequest(const LinkReplyInput::Input& input) {
  const std::uint16_t wireRegister = static_cast<std::uint16_t>(input.field1 - 1);
  Bytes request{input.slave,
                static_cast<std::uint8_t>(input.Write() ? 6 : 3),
                static_cast<std::uint8_t>(wireRegister >> 8),
                static_cast<std::uint8_t>(wireRegister & 0xFF),
                static_cast<std::uint8_t>(input.field2 >> 8),
                static_cast<std::uint8_t>(input.field2 & 0xFF)};
  const std::uint16_t crc = TableCrc(request.data(), request.size());
  request.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  request.push_back(static_cast<std::uint8_t>(crc >> 8));
  return request;
}

constexpr std::uint16_t kUntouched = 0xA5C3;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LinkReplyInput::Input input;
  if (!LinkReplyInput::Parse(data, size, input)) return 0;

  auto state = std::make_shared<FakeLineState>();
  for (const Bytes& reply : input.replies) state->Replies.push_back(reply);
  TMdb mdb(std::make_unique<FakeSerialLine>(state));
  mdb.RepeatCount = input.tries;
  if (!input.PortClosed()) {
    mdb.OpenPort();
    FUZZ_CHECK(mdb.PortOpen());
  }
  state->Calls.clear();

  const std::uint16_t count = input.field2;
  const bool inContract = input.Write() || (count >= 1 && count <= 125 && !input.NoValues());
  // Exactly the caller's words, so a word written past them is caught.
  std::unique_ptr<std::uint16_t[]> values(new std::uint16_t[count == 0 ? 1 : count]);
  const std::size_t words = count == 0 ? 1 : count;
  for (std::size_t i = 0; i < words; ++i) values[i] = kUntouched;

  const bool result = input.Write() ? mdb.WriteRegister(input.slave, input.field1, input.field2)
                                    : mdb.ReadRegisters(input.slave, input.field1, count,
                                                        input.NoValues() ? nullptr : values.get());

  if (!inContract) {
    FUZZ_CHECK(!result);
    FUZZ_CHECK(!mdb.Answered());
    FUZZ_CHECK(state->Calls.empty());
    for (std::size_t i = 0; i < words; ++i) FUZZ_CHECK(values[i] == kUntouched);
    return 0;
  }

  // The model: the tries the link makes and what the last one received.
  const Bytes request = ExpectedRequest(input);
  const std::size_t capacity = input.Write() ? 13 : 2u * count + 7;
  const unsigned maxTries = input.tries == 0 ? 1 : input.tries;
  unsigned tries = 0;
  bool crcGood = false;
  Bytes received;
  do {
    received.clear();
    if (!input.PortClosed() && tries < input.replies.size()) {
      const Bytes& reply = input.replies[tries];
      received.assign(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(std::min(capacity, reply.size())));
    }
    crcGood = !received.empty() && TableCrc(received.data(), received.size()) == 0;
    ++tries;
  } while (!crcGood && tries < maxTries);

  std::vector<std::string> calls;
  if (!input.PortClosed()) {
    for (unsigned t = 0; t < tries; ++t) {
      calls.insert(calls.end(), {"Purge", "Write", "Read " + std::to_string(capacity)});
    }
  }
  FUZZ_CHECK(state->Calls == calls);
  for (const Bytes& written : state->Writes) FUZZ_CHECK(written == request);
  FUZZ_CHECK(mdb.Answered() == crcGood);
  FUZZ_CHECK(mdb.LastReplyLength() == received.size());
  FUZZ_CHECK(received.empty() || std::memcmp(mdb.LastReply(), received.data(), received.size()) == 0);
  FUZZ_CHECK(TMdb::Crc16(request.data(), 6) == TableCrc(request.data(), 6));

  if (input.Write()) {
    const bool echo = crcGood && received.size() >= 8 && std::memcmp(received.data(), request.data(), 6) == 0;
    FUZZ_CHECK(result == echo);
    return 0;
  }
  const bool complete = crcGood && received[0] == input.slave && received[1] == 3 &&
                        received.size() >= 5u + 2u * count;
  FUZZ_CHECK(result == complete);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint16_t expected = complete
                                       ? static_cast<std::uint16_t>(received[3 + 2 * i] << 8 | received[4 + 2 * i])
                                       : kUntouched;
    FUZZ_CHECK(values[i] == expected);
  }
  return 0;
}
