// The link through a serial device server (wlt-sim --tcp on loopback) and
// the simulator's play of the line rate on a pseudo-terminal, with the port
// search against it.

#include "SimProcess.h"
#include "mdbcomp/PortMap.h"
#include "mdbcomp/PortSearch.h"
#include "mdbcomp/TMdb.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

namespace {

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

struct TcpLinkTest : ::testing::Test {
  void SetUp() override { PortMap::Clear(); }
  void TearDown() override { PortMap::Clear(); }
};

// A loopback port nobody listens on: taken from the system, then let go.
std::string RefusingAddress() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof a;
  ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
  ::close(s);
  return "tcp:127.0.0.1:" + std::to_string(ntohs(a.sin_port));
}

}  // namespace

TEST_F(TcpLinkTest, TheLinkReadsAndWritesThroughTheServer) {
  SimProcess sim({"--tcp", "0", "--slave", "9", "--factory-number", "417", "--production-year", "2019"});
  ASSERT_TRUE(sim.Running());
  ASSERT_EQ(sim.DevicePath().compare(0, 14, "tcp:127.0.0.1:"), 0) << sim.DevicePath();
  ASSERT_TRUE(PortMap::SetFromOption("COM2=" + sim.DevicePath()));
  TMdb mdb;
  mdb.Port = COM2;
  mdb.OpenPort();
  ASSERT_TRUE(mdb.PortOpen());
  EXPECT_EQ(mdb.Line().LastDevice(), sim.DevicePath());
  std::uint16_t values[2] = {};
  ASSERT_TRUE(mdb.ReadRegisters(9, 898, 2, values));
  EXPECT_EQ(values[0], 417);
  EXPECT_EQ(values[1], 2019);
  ASSERT_TRUE(mdb.WriteRegister(9, 1274, 12));
  ASSERT_TRUE(mdb.ReadRegisters(9, 1274, 1, values));
  EXPECT_EQ(values[0], 12);
  // The frames went over unchanged.
  const auto requests = sim.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.front(), "09 03 03 81 00 02 95 2F");
  // Closed and opened again: the server takes the new connection.
  mdb.ClosePort();
  mdb.OpenPort();
  ASSERT_TRUE(mdb.PortOpen());
  EXPECT_TRUE(mdb.ReadRegisters(9, 898, 1, values));
}

TEST_F(TcpLinkTest, ARefusedConnectionIsAPortThatDoesNotOpen) {
  ASSERT_TRUE(PortMap::SetFromOption("COM1=" + RefusingAddress()));
  TMdb mdb;
  const auto start = Clock::now();
  mdb.OpenPort();
  EXPECT_FALSE(mdb.PortOpen());
  EXPECT_LT(MillisecondsSince(start), 2000 + 1000);  // generous: a refusal is at once
  std::uint16_t value = 0;
  EXPECT_FALSE(mdb.ReadRegisters(1, 898, 1, &value));
}

TEST_F(TcpLinkTest, ADroppedConnectionIsASilentLineWithinTheTimeOuts) {
  auto sim = std::make_unique<SimProcess>(std::vector<std::string>{"--tcp", "0"});
  ASSERT_TRUE(sim->Running());
  ASSERT_TRUE(PortMap::SetFromOption("COM1=" + sim->DevicePath()));
  TMdb mdb;
  mdb.OpenPort();
  ASSERT_TRUE(mdb.PortOpen());
  std::uint16_t value = 0;
  ASSERT_TRUE(mdb.ReadRegisters(1, 898, 1, &value));
  sim->Signal(SIGKILL);
  ASSERT_TRUE(sim->WaitForExit(5000));
  const auto start = Clock::now();
  EXPECT_FALSE(mdb.ReadRegisters(1, 898, 1, &value));
  EXPECT_FALSE(mdb.Answered());
  // Three tries of 510 ms each, with the waits for a late reply between:
  // bounded by the time-outs, never hanging.
  EXPECT_LT(MillisecondsSince(start), 3 * (500 + 10 * 7) + 3 * (2 * 500 + 2570) + 2000);
  mdb.ClosePort();
  // The server is gone: the port does not open any more.
  mdb.OpenPort();
  EXPECT_FALSE(mdb.PortOpen());
}

// The simulator named with --baud hears only requests made at that rate,
// read from the pseudo-terminal's settings the master made.
TEST_F(TcpLinkTest, TheSimulatorAnswersOnlyAtItsOwnRate) {
  SimProcess sim({"--baud", "4800", "--slave", "3"});
  ASSERT_TRUE(sim.Running());
  ASSERT_TRUE(PortMap::SetFromOption("COM1=" + sim.DevicePath()));
  struct Case {
    TBaudRate rate;
    bool answered;
  };
  for (const Case c : {Case{br19200, false}, Case{br9600, false}, Case{br4800, true}, Case{br2400, false}}) {
    TMdb mdb;
    mdb.BaudRate = c.rate;
    mdb.RepeatCount = 1;
    mdb.ResponseTime = 200;
    mdb.OpenPort();
    ASSERT_TRUE(mdb.PortOpen());
    std::uint16_t value = 0;
    EXPECT_EQ(mdb.ReadRegisters(3, 898, 1, &value), c.answered) << BaudRateValue(c.rate);
  }
}

TEST_F(TcpLinkTest, TheSearchFindsTheSimulatorAtItsRateAndAddress) {
  SimProcess sim({"--baud", "4800", "--slave", "2", "--factory-number", "55", "--production-year", "2024"});
  ASSERT_TRUE(sim.Running());
  auto line = MakeSystemSerialLine();
  const PortSearch::Result r = PortSearch::Search(*line, {"/nonexistent/ttyUSB9", sim.DevicePath()}, {});
  ASSERT_EQ(r.Outcome, PortSearch::Outcome::Found);
  EXPECT_EQ(r.Find.Device, sim.DevicePath());
  EXPECT_EQ(r.Find.BitRate, 4800u);
  // A pseudo-terminal carries no parity: the first parity at the rate answers.
  EXPECT_EQ(r.Find.Parity, prNone);
  EXPECT_EQ(r.Find.Address, 2);
  EXPECT_TRUE(r.Find.IdentityRead);
  EXPECT_EQ(r.Find.FactoryNumber, 55);
  EXPECT_EQ(r.Find.Year, 2024);
  EXPECT_EQ(r.Unopened, std::vector<std::string>{"/nonexistent/ttyUSB9"});
}

TEST_F(TcpLinkTest, TheSearchReachesAServerMappedToAPort) {
  SimProcess sim({"--tcp", "0", "--slave", "1", "--factory-number", "8"});
  ASSERT_TRUE(sim.Running());
  auto line = MakeSystemSerialLine();
  const PortSearch::Result r = PortSearch::Search(*line, {sim.DevicePath()}, {});
  ASSERT_EQ(r.Outcome, PortSearch::Outcome::Found);
  EXPECT_EQ(r.Probes, 1u);
  EXPECT_EQ(r.Find.FactoryNumber, 8);
}
