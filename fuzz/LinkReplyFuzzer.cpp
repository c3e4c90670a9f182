// The link's reply handling: one read (function 3) or write (function 6) of
// TMdb on an in-memory line whose reply to each try is the fuzzer's bytes
// (the layout is in LinkReplyInput.h). Whatever arrives, the transaction
// must keep its promises, checked here against a model of them:
// - a read outside 1..125 registers, or without a buffer, sends nothing;
// - every try purges, sends the same request (the register number less
//   one, the CRC low byte first) and asks for the whole reply, at most
//   RepeatCount tries (one at least) and none after a reply with a good CRC;
//   every try after the first first waits for the line to fall quiet, and
//   so does the next transaction's first try when this one did not end on a
//   complete answer (the frame asked for, or its exception);
// - Answered() tells whether the last try's reply had a good CRC, and
//   LastReply() holds that reply as it came;
// - a read succeeds only on a reply from the slave asked, of function 3,
//   whose byte count is twice the registers asked and whose length is 5 and
//   that count; only then are the values written, each from its two bytes,
//   and never a word outside the caller's buffer;
// - a write succeeds only on an 8-byte reply that repeats the request.

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
    // The port just opened waits for a quiet line once, then not again.
    mdb.SettleLine();
    FUZZ_CHECK(state->CountOf("Discard " + std::to_string(mdb.ResponseTime) + "/" +
                              std::to_string(2u * mdb.ResponseTime + 10u * TMdb::kReplyBufferSize)) == 1);
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

  const std::string discard = "Discard " + std::to_string(mdb.ResponseTime) + "/" +
                              std::to_string(2u * mdb.ResponseTime + 10u * TMdb::kReplyBufferSize);
  std::vector<std::string> calls;
  if (!input.PortClosed()) {
    for (unsigned t = 0; t < tries; ++t) {
      if (t > 0) calls.push_back(discard);
      calls.insert(calls.end(), {"Purge", "Write", "Read " + std::to_string(capacity)});
    }
  }
  FUZZ_CHECK(state->Calls == calls);
  for (const Bytes& written : state->Writes) FUZZ_CHECK(written == request);
  FUZZ_CHECK(mdb.Answered() == crcGood);
  FUZZ_CHECK(mdb.LastReplyLength() == received.size());
  FUZZ_CHECK(received.empty() || std::memcmp(mdb.LastReply(), received.data(), received.size()) == 0);
  FUZZ_CHECK(TMdb::Crc16(request.data(), 6) == TableCrc(request.data(), 6));

  const std::uint8_t function = input.Write() ? 6 : 3;
  const std::size_t answerLength = input.Write() ? 8 : 5u + 2u * count;
  bool result_expected = false;
  if (input.Write()) {
    result_expected = crcGood && received.size() == 8 && std::memcmp(received.data(), request.data(), 6) == 0;
  } else {
    result_expected = crcGood && received[0] == input.slave && received[1] == 3 &&
                      received[2] == 2u * count && received.size() == answerLength;
  }
  FUZZ_CHECK(result == result_expected);
  if (!input.Write()) {
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint16_t expected = result_expected
                                         ? static_cast<std::uint16_t>(received[3 + 2 * i] << 8 | received[4 + 2 * i])
                                         : kUntouched;
      FUZZ_CHECK(values[i] == expected);
    }
  }

  // The next transaction, on a silent line: it waits for quiet first unless
  // this one ended on a complete answer.
  const bool completeAnswer =
      crcGood && received.size() >= 2 && received[0] == input.slave &&
      (received[1] == (function | 0x80) ? received.size() == 5
                                        : received[1] == function && received.size() == answerLength);
  state->Calls.clear();
  state->Replies.clear();
  std::uint16_t scrap = 0;
  mdb.RepeatCount = 1;
  FUZZ_CHECK(!mdb.ReadRegisters(input.slave, 898, 1, &scrap));
  std::vector<std::string> next;
  if (!input.PortClosed()) {
    if (!completeAnswer) next.push_back(discard);
    next.insert(next.end(), {"Purge", "Write", "Read 9"});
  }
  FUZZ_CHECK(state->Calls == next);
  return 0;
}
