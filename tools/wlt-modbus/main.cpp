// wlt-modbus: reads or writes the controller's registers from the command
// line, so a technician can check a link without the window.

#include "ModbusCommandLine.h"
#include "mdbcomp/LinkTrace.h"
#include "mdbcomp/PortMap.h"
#include "mdbcomp/TMdb.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <string>
#include <vector>

namespace {

int Run(const ModbusCommand& command) {
  TMdb mdb;
  // The trace's outcomes are Polish, in UTF-8.
  LinkTrace trace(stderr);
  if (command.Trace) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
#endif
    mdb.SetObserver(&trace);
  }
  mdb.Port = command.Port;
  if (!command.DevicePath.empty()) PortMap::Set(mdb.PortName(), command.DevicePath);
  mdb.BaudRate = command.BaudRate;
  mdb.Parity = command.Parity;
  mdb.StopBits = command.StopBits;
  mdb.RepeatCount = command.Tries;
  mdb.ResponseTime = command.ResponseTime;
  mdb.OpenPort();
  if (!mdb.PortOpen()) {
    std::fprintf(stderr, "wlt-modbus: port %s (%s) cannot be opened or configured\n",
                 mdb.PortName().c_str(), PortMap::Resolve(mdb.PortName()).c_str());
    return 1;
  }

  if (command.What == ModbusCommand::Action::Read) {
    std::vector<std::uint16_t> values(command.Count);
    // Register 65536 goes out as wire address 0xFFFF: the number less one.
    if (!mdb.ReadRegisters(command.Slave, static_cast<std::uint16_t>(command.Register), command.Count,
                           values.data())) {
      std::fprintf(stderr, "wlt-modbus: reading %u register(s) from %s failed: %s\n",
                   static_cast<unsigned>(command.Count), RegisterLabel(command.Register).c_str(),
                   DescribeFailure(mdb.Answered(), mdb.LastReply(), mdb.LastReplyLength(),
                                   mdb.LastRequest()).c_str());
      return 1;
    }
    for (std::uint16_t i = 0; i < command.Count; ++i) {
      std::printf("%s\n", FormatRegisterValue(command.Register + i, values[i]).c_str());
    }
    return 0;
  }

  if (!mdb.WriteRegister(command.Slave, static_cast<std::uint16_t>(command.Register), command.Value)) {
    std::fprintf(stderr, "wlt-modbus: writing register %s failed: %s\n",
                 RegisterLabel(command.Register).c_str(),
                 DescribeFailure(mdb.Answered(), mdb.LastReply(), mdb.LastReplyLength(),
                                 mdb.LastRequest()).c_str());
    return 1;
  }
  std::printf("%s written\n", FormatRegisterValue(command.Register, command.Value).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  ModbusCommand command;
  std::string error;
  if (!ParseModbusCommand(args, command, error)) {
    std::fprintf(stderr, "wlt-modbus: %s\n\n%s", error.c_str(), ModbusUsage().c_str());
    return 2;
  }
  if (command.What == ModbusCommand::Action::Help) {
    std::printf("%s", ModbusUsage().c_str());
    return 0;
  }
  return Run(command);
}
