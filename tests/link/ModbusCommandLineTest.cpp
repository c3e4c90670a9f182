// The command line of wlt-modbus and the texts it reports.

#include "ModbusCommandLine.h"
#include "LinkTestHelpers.h"

#include <gtest/gtest.h>

namespace {

struct Parsed {
  bool ok = false;
  ModbusCommand command;
  std::string error;
};

Parsed Parse(std::vector<std::string> args,
             LineOptions::PortSyntax syntax = LineOptions::PortSyntax::NamesAndPaths) {
  Parsed p;
  p.ok = ParseModbusCommand(args, p.command, p.error, syntax);
  return p;
}

}  // namespace

TEST(ModbusCommandLine, ReadWithDefaults) {
  const Parsed p = Parse({"read", "801", "120"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.command.What, ModbusCommand::Action::Read);
  EXPECT_EQ(p.command.Register, 801);
  EXPECT_EQ(p.command.Count, 120);
  EXPECT_EQ(p.command.Port, COM1);
  EXPECT_EQ(p.command.BaudRate, br19200);
  EXPECT_EQ(p.command.Parity, prNone);
  EXPECT_EQ(p.command.StopBits, sbOneStopBit);
  EXPECT_EQ(p.command.Slave, 1);
}

// -v and --trace, before or after the command, ask for the link's rows.
TEST(ModbusCommandLine, TraceOption) {
  EXPECT_FALSE(Parse({"read", "801", "1"}).command.Trace);
  for (const auto& args : {std::vector<std::string>{"-v", "read", "801", "1"},
                           std::vector<std::string>{"read", "801", "1", "--trace"}}) {
    const Parsed p = Parse(args);
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.command.Trace);
    EXPECT_EQ(p.command.Register, 801u);
  }
}

TEST(ModbusCommandLine, WriteWithEveryOption) {
  const Parsed p = Parse({"--port", "COM3", "--baud=9600", "--parity", "even", "--stop-bits", "2",
                          "--slave", "17", "--tries", "1", "--response-time", "200", "write",
                          "1310", "0x0200"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.command.What, ModbusCommand::Action::Write);
  EXPECT_EQ(p.command.Register, 1310);
  EXPECT_EQ(p.command.Value, 0x0200);
  EXPECT_EQ(p.command.Port, COM3);
  EXPECT_TRUE(p.command.DevicePath.empty());
  EXPECT_EQ(p.command.BaudRate, br9600);
  EXPECT_EQ(p.command.Parity, prEven);
  EXPECT_EQ(p.command.StopBits, sbTwoStopBits);
  EXPECT_EQ(p.command.Slave, 17);
  EXPECT_EQ(p.command.Tries, 1);
  EXPECT_EQ(p.command.ResponseTime, 200);
}

TEST(ModbusCommandLine, PortAsDevicePathOrMapping) {
  struct Case {
    const char* value;
    TPortType port;
    const char* device;
  } const cases[] = {
      {"COM3", COM3, ""},
      {"/dev/pts/5", COM1, "/dev/pts/5"},
      {"COM2=/dev/ttyUSB0", COM2, "/dev/ttyUSB0"},
  };
  for (const Case& c : cases) {
    const Parsed p = Parse({"--port", c.value, "read", "898", "1"});
    ASSERT_TRUE(p.ok) << c.value << ": " << p.error;
    EXPECT_EQ(p.command.Port, c.port) << c.value;
    EXPECT_EQ(p.command.DevicePath, c.device) << c.value;
  }
}

// Windows opens ports by name: a path never reaches the line there, so it is
// refused with the reason instead of quietly opening COM1.
TEST(ModbusCommandLine, PortNamesOnlyWhereTheSystemTakesNoPaths) {
  const auto namesOnly = LineOptions::PortSyntax::NamesOnly;
  Parsed p = Parse({"--port", "COM4", "read", "898", "1"}, namesOnly);
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.command.Port, COM4);
  for (const char* path : {"/dev/pts/0", "COM2=/dev/ttyUSB0", "\\\\.\\COM10"}) {
    p = Parse({"--port", path, "read", "898", "1"}, namesOnly);
    EXPECT_FALSE(p.ok) << path;
    EXPECT_NE(p.error.find("by name"), std::string::npos) << path << ": " << p.error;
  }
}

TEST(ModbusCommandLine, EveryBitRateOfTheLink) {
  for (int i = br110; i <= br115200; ++i) {
    const auto rate = static_cast<TBaudRate>(i);
    const Parsed p = Parse({"--baud", std::to_string(BaudRateValue(rate)), "read", "1", "1"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.command.BaudRate, rate);
  }
}

TEST(ModbusCommandLine, BadArgumentsAreRefused) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"read", "801"},
      {"read", "801", "0"},
      {"read", "801", "126"},
      {"read", "0", "1"},
      {"read", "65536", "2"},
      {"read", "801", "12x"},
      {"write", "1272", "65536"},
      {"write", "1272", "-1"},
      {"erase", "1", "1"},
      {"--baud", "12345", "read", "1", "1"},
      {"--parity", "sometimes", "read", "1", "1"},
      {"--stop-bits", "3", "read", "1", "1"},
      {"--slave", "0", "read", "1", "1"},
      {"--slave", "248", "read", "1", "1"},
      {"--port", "COM0", "read", "1", "1"},
      {"--port", "COM1=", "read", "1", "1"},
      {"--frobnicate", "1", "read", "1", "1"},
      {"read", "1", "1", "--slave"},
  };
  for (const auto& args : bad) {
    const Parsed p = Parse(args);
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    EXPECT_FALSE(p.ok) << joined;
    EXPECT_FALSE(p.error.empty()) << joined;
  }
}

TEST(ModbusCommandLine, HelpWins) {
  const Parsed p = Parse({"read", "--help"});
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.command.What, ModbusCommand::Action::Help);
}

TEST(ModbusReport, ValuesInDecimalAndHex) {
  EXPECT_EQ(FormatRegisterValue(898, 4321), "898 = 4321 (0x10E1)");
  EXPECT_EQ(FormatRegisterValue(1, 0), "1 = 0 (0x0000)");
  EXPECT_EQ(FormatRegisterValue(65535, 65535), "65535 = 65535 (0xFFFF)");
  // Beyond 65535 the number names the wire address that really went out.
  EXPECT_EQ(FormatRegisterValue(65536, 7), "65536 (wire address 0xFFFF) = 7 (0x0007)");
}

TEST(ModbusReport, ReasonsForFailure) {
  const Bytes read898 = WithCrc({0x01, 0x03, 0x03, 0x81, 0x00, 0x01});
  const Bytes write1272 = WithCrc({0x01, 0x06, 0x04, 0xF7, 0x00, 0x08});
  const Bytes noise = {0x3F, 0x00, 0xFE};
  struct Case {
    bool answered;
    Bytes reply;
    const Bytes& request;
    std::string expected;
  };
  const Case cases[] = {
      {false, {}, read898, "no answer"},
      {false, noise, read898,
       "no valid reply (3 byte(s) received, no frame with a correct CRC: noise or other line "
       "settings? 3F 00 FE)"},
      {true, WithCrc({0x01, 0x83, 0x02}), read898, "exception code 2 (Illegal Data Address)"},
      {true, ReadReply(2, {5}), read898, "wrong reply (from slave 2: " + Hex(ReadReply(2, {5})) + ")"},
      {true, read898, read898,
       "the request came back unchanged: the line echoes what is sent (TX joined to RX, or an "
       "adapter that echoes) and no controller answered"},
      {true, ReadReply(1, {5, 6}), read898,
       "wrong reply (not the registers asked: " + Hex(ReadReply(1, {5, 6})) + ")"},
      {true, WithCrc({0x01, 0x06, 0x04, 0xF7, 0x00, 0x09}), write1272,
       "wrong reply (echo differs: " + Hex(WithCrc({0x01, 0x06, 0x04, 0xF7, 0x00, 0x09})) + ")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(DescribeFailure(c.answered, c.reply.data(), c.reply.size(), c.request.data()), c.expected);
  }
}
