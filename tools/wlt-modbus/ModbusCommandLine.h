#pragma once
// The command line of wlt-modbus: what to do, on which line, with which slave.

#include "mdbcomp/LineOptions.h"
#include "mdbcomp/MdbTypes.h"

#include <cstdint>
#include <string>
#include <vector>

struct ModbusCommand {
  enum class Action { Read, Write, Help };
  Action What = Action::Help;
  // First register (read) or the register (write), numbered from 1: 1 to
  // 65536, since the wire address is the number less one (0 to 0xFFFF).
  std::uint32_t Register = 0;
  std::uint16_t Count = 0;     // read: 1..125
  std::uint16_t Value = 0;     // write

  TPortType Port = COM1;
  std::string DevicePath;  // empty, or the device Port is mapped to
  TBaudRate BaudRate = br19200;
  TParity Parity = prNone;
  TStopBits StopBits = sbOneStopBit;
  std::uint8_t Slave = 1;
  std::uint8_t Tries = 3;
  std::uint16_t ResponseTime = 500;
  bool Trace = false;  // -v, --trace: the link's rows on standard error
};

// Fills command from the arguments (without the program name). False with a
// reason in error when they are not a valid command.
// syntax: whether --port may name a device path (not on Windows).
bool ParseModbusCommand(const std::vector<std::string>& args, ModbusCommand& command,
                        std::string& error,
                        LineOptions::PortSyntax syntax = LineOptions::kPlatformPortSyntax);

// The usage text printed with --help and after bad arguments.
std::string ModbusUsage();

// "801 = 12345 (0x3039)": one register value as the tool prints it. A
// register number beyond 65535 names the wire address really sent:
// "65536 (wire address 0xFFFF) = 7 (0x0007)".
std::string FormatRegisterValue(std::uint32_t reg, std::uint16_t value);
// "801", or "65536 (wire address 0xFFFF)".
std::string RegisterLabel(std::uint32_t reg);

// Why a transaction did not succeed, from Answered, the request sent and the
// last reply's bytes: "no answer", "no valid reply (N bytes ...)",
// "exception code N (its standard name)", "the request came back unchanged ..." or
// "wrong reply (...)".
std::string DescribeFailure(bool answered, const std::uint8_t* reply, std::size_t length,
                            const std::uint8_t* request);
