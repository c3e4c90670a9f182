// wlt-modbus.exe under wine against wlt-sim: COM1 of the wine prefix leads to
// the simulator's pseudo-terminal, so the Win32 serial line carries every frame.
// The simulator's log gives the bytes on the wire.

#include "SimProcess.h"
#include "WineTestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The bytes of a logged frame ("01 03 F0 ...").
std::vector<unsigned> FrameBytes(const std::string& hex) {
  std::vector<unsigned> bytes;
  std::istringstream in(hex);
  std::string byte;
  while (in >> byte) bytes.push_back(static_cast<unsigned>(std::strtoul(byte.c_str(), nullptr, 16)));
  return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // a Windows program ends lines with CR LF
    lines.push_back(line);
  }
  return lines;
}

std::string ValueLine(unsigned reg, unsigned value) {
  char text[64];
  std::snprintf(text, sizeof text, "%u = %u (0x%04X)", reg, value, value);
  return text;
}

class WltModbusUnderWine : public testing::Test {
 protected:
  // Starts the simulator with the given options and aims COM1 at it.
  void StartSim(std::vector<std::string> options) {
    wine_ = Wine();
    ASSERT_NE(wine_, nullptr) << WineError();
    sim_ = std::make_unique<SimProcess>(std::move(options));
    ASSERT_TRUE(sim_->Running());
    ASSERT_TRUE(wine_->PointCom1At(sim_->DevicePath()));
  }

  WineRun Modbus(const std::vector<std::string>& args) {
    WineRun run = wine_->Run(WindowsProgram("wlt-modbus.exe"), args);
    EXPECT_TRUE(run.Started) << "wlt-modbus.exe did not end in time";
    return run;
  }

  WineSession* wine_ = nullptr;
  std::unique_ptr<SimProcess> sim_;
};

TEST_F(WltModbusUnderWine, ReadsTheSettingsBlockAndPrintsWhatCameOverTheWire) {
  StartSim({"--set", "801=4660", "--set", "920=65535"});
  const WineRun run = Modbus({"--port", "COM1", "--baud", "19200", "--parity", "none", "read", "801", "120"});
  ASSERT_EQ(run.ExitCode, 0) << run.Output << run.Errors;

  ASSERT_EQ(sim_->Requests(), std::vector<std::string>{"01 03 03 20 00 78 44 66"}) << sim_->Log();
  const auto replies = sim_->Replies();
  ASSERT_EQ(replies.size(), 1u);
  const std::vector<unsigned> reply = FrameBytes(replies[0]);
  ASSERT_EQ(reply.size(), 5u + 240u);

  const auto lines = Lines(run.Output);
  ASSERT_EQ(lines.size(), 120u) << run.Output;
  for (unsigned i = 0; i < 120; ++i)
    EXPECT_EQ(lines[i], ValueLine(801 + i, reply[3 + 2 * i] << 8 | reply[4 + 2 * i])) << "line " << i;
  EXPECT_EQ(lines.front(), "801 = 4660 (0x1234)");
  EXPECT_EQ(lines.back(), "920 = 65535 (0xFFFF)");
}

TEST_F(WltModbusUnderWine, WritesOneRegisterAndAcceptsTheEcho) {
  StartSim({});
  const WineRun run = Modbus({"--port", "COM1", "write", "1272", "8"});
  ASSERT_EQ(run.ExitCode, 0) << run.Output << run.Errors;
  EXPECT_EQ(sim_->Requests(), std::vector<std::string>{"01 06 04 F7 00 08 38 CE"}) << sim_->Log();
  EXPECT_EQ(sim_->Replies(), std::vector<std::string>{"01 06 04 F7 00 08 38 CE"}) << sim_->Log();
  EXPECT_EQ(Lines(run.Output), std::vector<std::string>{"1272 = 8 (0x0008) written"});
}

TEST_F(WltModbusUnderWine, ReadsAndWritesAtOtherLineSettingsAndSlaveAddress) {
  StartSim({"--slave", "17", "--set", "1274=5"});
  const WineRun read = Modbus({"--port", "COM1", "--baud", "9600", "--parity", "even", "--stop-bits", "2",
                               "--slave", "17", "read", "1274", "1"});
  ASSERT_EQ(read.ExitCode, 0) << read.Output << read.Errors;
  EXPECT_EQ(Lines(read.Output), std::vector<std::string>{"1274 = 5 (0x0005)"});
  ASSERT_EQ(sim_->Requests().size(), 1u);
  EXPECT_EQ(sim_->Requests()[0], "11 03 04 F9 00 01 57 9B") << sim_->Log();
}

TEST_F(WltModbusUnderWine, ExceptionReplyEndsTheTriesAtOnceWithItsCode) {
  StartSim({"--exception", "801-920:2"});
  const WineRun run = Modbus({"--port", "COM1", "read", "801", "120"});
  EXPECT_EQ(run.ExitCode, 1) << run.Output << run.Errors;
  EXPECT_NE(run.Errors.find("exception code 2"), std::string::npos) << run.Errors;
  // A well-formed reply is not retried.
  EXPECT_EQ(sim_->Requests(), std::vector<std::string>{"01 03 03 20 00 78 44 66"}) << sim_->Log();
  ASSERT_EQ(sim_->Replies().size(), 1u);
  EXPECT_EQ(sim_->Replies()[0].substr(0, 8), "01 83 02") << sim_->Log();
  EXPECT_TRUE(Lines(run.Output).empty()) << run.Output;
}

TEST_F(WltModbusUnderWine, SilentLineIsTriedThreeTimesThenReportsNoAnswer) {
  StartSim({"--no-answer"});
  const WineRun run = Modbus({"--port", "COM1", "read", "801", "1"});
  EXPECT_EQ(run.ExitCode, 1) << run.Output << run.Errors;
  EXPECT_NE(run.Errors.find("no answer"), std::string::npos) << run.Errors;
  EXPECT_EQ(sim_->Requests(), std::vector<std::string>(3, "01 03 03 20 00 01 85 84")) << sim_->Log();
  EXPECT_TRUE(sim_->Replies().empty());
  // Three tries of 500 ms + 10 ms for each of the 9 bytes asked for.
  EXPECT_GE(run.ElapsedMs, 3 * 590) << "a try ended before its time-out";
}

TEST_F(WltModbusUnderWine, PortThatDoesNotExistFailsWithoutTraffic) {
  StartSim({});
  const WineRun run = Modbus({"--port", "COM9", "read", "801", "1"});
  EXPECT_EQ(run.ExitCode, 1) << run.Output << run.Errors;
  EXPECT_NE(run.Errors.find("COM9"), std::string::npos) << run.Errors;
  EXPECT_TRUE(sim_->Requests().empty()) << sim_->Log();
}

TEST_F(WltModbusUnderWine, BadArgumentsExitWithTwoBeforeTouchingThePort) {
  StartSim({});
  const WineRun run = Modbus({"--port", "COM1", "read", "801", "126"});
  EXPECT_EQ(run.ExitCode, 2) << run.Output << run.Errors;
  EXPECT_TRUE(sim_->Requests().empty()) << sim_->Log();
}

// Windows opens ports by name: a path is refused with the reason, never
// replaced by COM1 (which here leads to the simulator).
TEST_F(WltModbusUnderWine, DevicePathsAreRefusedWithTheReason) {
  StartSim({});
  for (const char* port : {"/dev/pts/0", "COM2=/dev/ttyUSB0"}) {
    const WineRun run = Modbus({"--port", port, "read", "801", "1"});
    EXPECT_EQ(run.ExitCode, 2) << port << run.Output << run.Errors;
    EXPECT_NE(run.Errors.find("by name"), std::string::npos) << run.Errors;
  }
  EXPECT_TRUE(sim_->Requests().empty()) << sim_->Log();
}

}  // namespace
