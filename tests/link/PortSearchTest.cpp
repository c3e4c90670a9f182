// The port search on in-memory lines: which probes it makes in what order,
// how long each waits, what counts as a find, and how it stops. A played
// controller answers only at its own rate and parity, which a Linux
// pseudo-terminal cannot show for the parity.

#include "mdbcomp/LineOptions.h"
#include "mdbcomp/PortSearch.h"
#include "mdbcomp/TMdb.h"
#include "mdbcomp/TcpSerialLine.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes WithCrc(Bytes frame) {
  const std::uint16_t crc = TMdb::Crc16(frame.data(), frame.size());
  frame.push_back(std::uint8_t(crc & 0xFF));
  frame.push_back(std::uint8_t(crc >> 8));
  return frame;
}

// Devices by name, each with a controller on it or none. The controller
// hears a request only at its own line setting.
struct PlayedController {
  std::uint32_t BitRate = 19200;
  TParity Parity = prNone;
  int Address = 1;
  std::uint16_t FactoryNumber = 7;
  std::uint16_t Year = 2020;
  // What it sends instead of its reply to the probe, when set.
  std::optional<Bytes> ProbeReply;
};

class PlayedLine : public SerialLine {
 public:
  std::map<std::string, std::optional<PlayedController>> Devices;  // absent: will not open
  std::set<std::uint32_t> RefusedRates;
  std::vector<Bytes> Writes;
  std::vector<LineSettings> Configurations;
  std::vector<std::string> Opened;

  bool Open(const std::string& name) override {
    const auto it = Devices.find(name);
    if (it == Devices.end()) return false;
    open_ = &it->second;
    Opened.push_back(name);
    return true;
  }
  bool Configure(const LineSettings& settings) override {
    if (!open_ || RefusedRates.count(settings.BitRate)) return false;
    Configurations.push_back(settings);
    return true;
  }
  void Close() override { open_ = nullptr; }
  bool IsOpen() const override { return open_ != nullptr; }
  bool Purge() override { return open_ != nullptr; }
  std::size_t Write(const std::uint8_t* data, std::size_t count) override {
    if (!open_) return 0;
    Writes.emplace_back(data, data + count);
    pending_ = Answer(Writes.back());
    return count;
  }
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    const std::size_t n = std::min(count, pending_.size());
    std::copy_n(pending_.begin(), n, buffer);
    pending_.clear();
    return n;
  }

 private:
  Bytes Answer(const Bytes& request) const {
    const std::optional<PlayedController>& c = *open_;
    if (!c || Configurations.empty()) return {};
    const LineSettings& now = Configurations.back();
    if (now.BitRate != c->BitRate || now.Parity != c->Parity) return {};  // noise to it
    if (request.size() != 8 || request[0] != c->Address) return {};
    const int first = (request[2] << 8 | request[3]) + 1;
    const int count = request[4] << 8 | request[5];
    if (first == 898 && count == 1 && c->ProbeReply) return *c->ProbeReply;
    Bytes reply{request[0], 3, std::uint8_t(2 * count)};
    for (int r = first; r < first + count; ++r) {
      const std::uint16_t v = r == 898 ? c->FactoryNumber : r == 899 ? c->Year : 0;
      reply.push_back(std::uint8_t(v >> 8));
      reply.push_back(std::uint8_t(v & 0xFF));
    }
    return WithCrc(reply);
  }

  std::optional<PlayedController>* open_ = nullptr;
  Bytes pending_;
};

std::size_t ProbeIndex(std::uint32_t bitRate, TParity parity, int address) {
  for (std::size_t i = 0; i < PortSearch::kProbesPerDevice; ++i) {
    const PortSearch::Probe p = PortSearch::ProbeAt(i);
    if (p.BitRate == bitRate && p.Parity == parity && p.Address == address) return i;
  }
  return PortSearch::kProbesPerDevice;
}

}  // namespace

TEST(PortSearch, AddressOneAtEverySettingThenTheOthersEachAtEverySetting) {
  struct Case {
    std::size_t index;
    std::uint32_t bitRate;
    TParity parity;
    int address;
  };
  const Case cases[] = {
      {0, 19200, prNone, 1},  {1, 19200, prEven, 1}, {2, 19200, prOdd, 1},  {3, 9600, prNone, 1},
      {11, 2400, prOdd, 1},   {12, 19200, prNone, 2}, {23, 2400, prOdd, 2}, {24, 19200, prNone, 3},
      {2963, 2400, prOdd, 247},
  };
  for (const Case& c : cases) {
    const PortSearch::Probe p = PortSearch::ProbeAt(c.index);
    EXPECT_EQ(p.BitRate, c.bitRate) << c.index;
    EXPECT_EQ(p.Parity, c.parity) << c.index;
    EXPECT_EQ(p.Address, c.address) << c.index;
  }
  EXPECT_EQ(PortSearch::kProbesPerDevice, 2964u);
  // Every setting and address exactly once.
  std::set<std::tuple<std::uint32_t, int, int>> seen;
  for (std::size_t i = 0; i < PortSearch::kProbesPerDevice; ++i) {
    const PortSearch::Probe p = PortSearch::ProbeAt(i);
    seen.insert({p.BitRate, int(p.Parity), p.Address});
  }
  EXPECT_EQ(seen.size(), PortSearch::kProbesPerDevice);
}

TEST(PortSearch, ProbeWaitsTheWireTimeOfRequestAndReplyPlusTheMargin) {
  // 8 + 3.5 + 7 characters of 10 bits (no parity) or 11 bits, rounded up.
  struct Case {
    std::uint32_t bitRate;
    TParity parity;
    std::uint32_t wireMs;
  };
  const Case cases[] = {{19200, prNone, 10}, {19200, prOdd, 11}, {9600, prNone, 20},
                        {4800, prEven, 43},  {2400, prNone, 78}, {2400, prOdd, 85}};
  for (const Case& c : cases)
    EXPECT_EQ(PortSearch::ProbeWaitMs(c.bitRate, c.parity), c.wireMs + PortSearch::kTurnaroundMarginMs)
        << c.bitRate << " " << c.parity;
}

TEST(PortSearch, FindsTheControllerAtItsSettingAndReadsItsIdentity) {
  struct Case {
    std::uint32_t bitRate;
    TParity parity;
    int address;
  };
  // The parity cases are what a pseudo-terminal cannot play.
  const Case cases[] = {{19200, prNone, 1}, {9600, prEven, 17}, {4800, prOdd, 1}, {2400, prOdd, 247}};
  for (const Case& c : cases) {
    PlayedLine line;
    line.Devices["/dev/ttyUSB0"] = std::nullopt;  // opens, nothing on it
    line.Devices["/dev/ttyUSB1"] = PlayedController{c.bitRate, c.parity, c.address, 417, 2019, {}};
    const PortSearch::Result r = PortSearch::Search(line, {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"}, {});
    SCOPED_TRACE(PortSearch::SettingText(c.bitRate, c.parity) + " address " + std::to_string(c.address));
    ASSERT_EQ(r.Outcome, PortSearch::Outcome::Found);
    EXPECT_EQ(r.Find.Device, "/dev/ttyUSB1");
    EXPECT_EQ(r.Find.BitRate, c.bitRate);
    EXPECT_EQ(r.Find.Parity, c.parity);
    EXPECT_EQ(r.Find.Address, c.address);
    EXPECT_TRUE(r.Find.IdentityRead);
    EXPECT_EQ(r.Find.FactoryNumber, 417);
    EXPECT_EQ(r.Find.Year, 2019);
    EXPECT_EQ(r.Unopened, std::vector<std::string>{"/dev/ttyS0"});
    // Every probe of the silent device, then those up to the find.
    EXPECT_EQ(r.Probes, PortSearch::kProbesPerDevice + ProbeIndex(c.bitRate, c.parity, c.address) + 1);
    EXPECT_FALSE(line.IsOpen());
    // The probes: one register 898 each; the identity: 898 and 899.
    const Bytes& probe = line.Writes[r.Probes - 1];
    EXPECT_EQ(probe, WithCrc({std::uint8_t(c.address), 3, 0x03, 0x81, 0x00, 0x01}));
    EXPECT_EQ(line.Writes.back(), WithCrc({std::uint8_t(c.address), 3, 0x03, 0x81, 0x00, 0x02}));
  }
}

TEST(PortSearch, ProbesWaitTheirOwnTimeAndTheIdentityTheLinksTimeOut) {
  PlayedLine line;
  line.Devices["COM1"] = PlayedController{9600, prNone, 2, 7, 2020, {}};
  const PortSearch::Result r = PortSearch::Search(line, {"COM1"}, {});
  ASSERT_EQ(r.Outcome, PortSearch::Outcome::Found);
  ASSERT_GE(line.Configurations.size(), 2u);
  for (std::size_t i = 0; i + 1 < line.Configurations.size(); ++i) {
    const LineSettings& s = line.Configurations[i];
    EXPECT_EQ(s.ReadTotalConstantMs, PortSearch::ProbeWaitMs(s.BitRate, s.Parity));
    EXPECT_EQ(s.ReadTotalMultiplierMs, 0u);
    EXPECT_EQ(s.StopBits, sbOneStopBit);
    EXPECT_EQ(s.DataBits, 8);
  }
  EXPECT_EQ(line.Configurations.back().ReadTotalConstantMs, 500u);
  EXPECT_EQ(line.Configurations.back().BitRate, 9600u);
}

TEST(PortSearch, OnlyAGoodReplyOfTheAddressedSlaveIsAFind) {
  struct Case {
    const char* what;
    Bytes reply;
    bool find;
  };
  const Case cases[] = {
      {"another slave", WithCrc({9, 3, 2, 0, 7}), false},
      {"bad CRC", Bytes{5, 3, 2, 0, 7, 0x12, 0x34}, false},
      {"cut short", Bytes{5, 3, 2}, false},
      {"wrong byte count", WithCrc({5, 3, 4, 0, 7}), false},
      {"an echo of the request", WithCrc({5, 3, 0x03, 0x81, 0x00, 0x01}), false},
      {"an exception of the slave", WithCrc({5, 0x83, 2}), true},
      {"the register", WithCrc({5, 3, 2, 0, 7}), true},
  };
  for (const Case& c : cases) {
    PlayedLine line;
    line.Devices["COM1"] = PlayedController{19200, prNone, 5, 7, 2020, c.reply};
    const PortSearch::Result r = PortSearch::Search(line, {"COM1"}, {});
    EXPECT_EQ(r.Outcome == PortSearch::Outcome::Found, c.find) << c.what;
    if (c.find) {
      EXPECT_EQ(r.Find.Address, 5) << c.what;
    }
  }
}

TEST(PortSearch, NothingAnsweringMakesEveryProbeOfEveryDevice) {
  PlayedLine line;
  line.Devices["A"] = std::nullopt;
  line.Devices["B"] = std::nullopt;
  std::size_t calls = 0;
  std::size_t lastDone = 0, total = 0;
  const PortSearch::Result r = PortSearch::Search(line, {"A", "B"}, [&](const PortSearch::Progress& p) {
    ++calls;
    EXPECT_GE(p.Done, lastDone);
    lastDone = p.Done;
    total = p.Total;
    return true;
  });
  EXPECT_EQ(r.Outcome, PortSearch::Outcome::NotFound);
  EXPECT_EQ(r.Probes, 2 * PortSearch::kProbesPerDevice);
  EXPECT_EQ(total, 2 * PortSearch::kProbesPerDevice);
  EXPECT_EQ(lastDone, total - 1);
  EXPECT_EQ(calls, r.Probes + 2);  // one before each device is opened
  // Each probe is at the next line setting: one change of the line each.
  EXPECT_EQ(line.Configurations.size(), r.Probes);
}

TEST(PortSearch, ARefusedSettingIsPassedOver) {
  PlayedLine line;
  line.Devices["A"] = PlayedController{2400, prEven, 3, 7, 2020, {}};
  line.RefusedRates = {19200, 4800};
  const PortSearch::Result r = PortSearch::Search(line, {"A"}, {});
  ASSERT_EQ(r.Outcome, PortSearch::Outcome::Found);
  EXPECT_EQ(r.Find.BitRate, 2400u);
  for (const LineSettings& s : line.Configurations) EXPECT_TRUE(s.BitRate == 9600 || s.BitRate == 2400);
}

TEST(PortSearch, StopsBeforeTheNextProbeWhenAsked) {
  PlayedLine line;
  line.Devices["A"] = std::nullopt;
  std::size_t calls = 0;
  const PortSearch::Result r =
      PortSearch::Search(line, {"A"}, [&](const PortSearch::Progress&) { return ++calls < 40; });
  EXPECT_EQ(r.Outcome, PortSearch::Outcome::Stopped);
  EXPECT_EQ(r.Probes, 38u);  // the call before the device opened, then one before each probe
  EXPECT_FALSE(line.IsOpen());
}

TEST(SerialDevices, EachDeviceOnceUnderItsFirstName) {
  const std::map<std::string, std::string> reaches{
      {"/dev/ttyS0", ""},  // no such device
      {"/dev/serial/by-id/usb-adapter-if00", "/dev/ttyUSB0"},
      {"/dev/ttyUSB0", "/dev/ttyUSB0"},
      {"/dev/ttyUSB1", "/dev/ttyUSB1"},
      {"/tmp/wlt-link", "/dev/pts/3"},
      {"/dev/ttyACM0", "/dev/ttyACM0"},
  };
  const auto identity = [&](const std::string& name) { return reaches.at(name); };
  EXPECT_EQ(SerialDevices::Distinct({"/tmp/wlt-link", "/dev/ttyS0", "/dev/serial/by-id/usb-adapter-if00",
                                     "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0", "/tmp/wlt-link"},
                                    identity),
            (std::vector<std::string>{"/tmp/wlt-link", "/dev/serial/by-id/usb-adapter-if00", "/dev/ttyUSB1",
                                      "/dev/ttyACM0"}));
}

TEST(TcpAddress, HostAndPort) {
  struct Case {
    const char* text;
    bool ok;
    const char* host;
    std::uint16_t port;
  };
  const Case cases[] = {
      {"tcp:127.0.0.1:4001", true, "127.0.0.1", 4001},
      {"tcp:moxa-7.plant.local:950", true, "moxa-7.plant.local", 950},
      {"tcp:[::1]:502", true, "::1", 502},
      {"tcp:127.0.0.1:65535", true, "127.0.0.1", 65535},
      {"tcp:127.0.0.1:0", false, "", 0},
      {"tcp:127.0.0.1:65536", false, "", 0},
      {"tcp:127.0.0.1", false, "", 0},
      {"tcp::4001", false, "", 0},
      {"tcp:::1:502", false, "", 0},
      {"tcp:host:12a", false, "", 0},
      {"udp:host:4001", false, "", 0},
      {"/dev/ttyUSB0", false, "", 0},
  };
  for (const Case& c : cases) {
    std::string host;
    std::uint16_t port = 0;
    EXPECT_EQ(TcpAddress::Parse(c.text, host, port), c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_EQ(host, c.host) << c.text;
    EXPECT_EQ(port, c.port) << c.text;
  }
}

// A serial server is named alike on every system, also where ports are
// otherwise opened by name only.
TEST(TcpAddress, PortOptionTakesAServerOnEverySystem) {
  for (const auto syntax : {LineOptions::PortSyntax::NamesOnly, LineOptions::PortSyntax::NamesAndPaths}) {
    LineOptions::PortSelection selection;
    std::string error;
    ASSERT_TRUE(LineOptions::ParsePort("COM2=tcp:127.0.0.1:4001", selection, error, syntax)) << error;
    EXPECT_EQ(selection.Port, COM2);
    EXPECT_EQ(selection.DevicePath, "tcp:127.0.0.1:4001");
    ASSERT_TRUE(LineOptions::ParsePort("tcp:10.0.0.5:950", selection, error, syntax)) << error;
    EXPECT_EQ(selection.Port, COM1);
    EXPECT_EQ(selection.DevicePath, "tcp:10.0.0.5:950");
    EXPECT_FALSE(LineOptions::ParsePort("COM1=tcp:10.0.0.5", selection, error, syntax));
    EXPECT_NE(error.find("tcp:HOST:PORT"), std::string::npos) << error;
  }
}
