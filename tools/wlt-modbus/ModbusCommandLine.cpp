#include "ModbusCommandLine.h"

#include <algorithm>

#include "mdbcomp/LineOptions.h"
#include "mdbcomp/ModbusExceptions.h"

#include <cstdio>
#include <cstdlib>

using LineOptions::ParseBaudRate;
using LineOptions::ParseNumber;
using LineOptions::ParseParity;
using LineOptions::ParseStopBits;

bool ParseModbusCommand(const std::vector<std::string>& args, ModbusCommand& command,
                        std::string& error, LineOptions::PortSyntax syntax) {
  command = ModbusCommand{};
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string option = args[i];
    if (option == "-h" || option == "--help") {
      command.What = ModbusCommand::Action::Help;
      return true;
    }
    if (option == "-v" || option == "--trace") {
      command.Trace = true;
      continue;
    }
    if (option.size() < 2 || option.compare(0, 2, "--") != 0) {
      positional.push_back(option);
      continue;
    }
    std::string value;
    if (const auto eq = option.find('='); eq != std::string::npos) {
      value = option.substr(eq + 1);
      option.resize(eq);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      error = "option " + option + " needs a value";
      return false;
    }
    unsigned long number = 0;
    bool ok = true;
    if (option == "--port") {
      LineOptions::PortSelection port;
      std::string why;
      if (!LineOptions::ParsePort(value, port, why, syntax)) {
        error = "bad value for --port: " + why;
        return false;
      }
      command.Port = port.Port;
      command.DevicePath = port.DevicePath;
    }
    else if (option == "--baud") ok = ParseBaudRate(value, command.BaudRate);
    else if (option == "--parity") ok = ParseParity(value, command.Parity);
    else if (option == "--stop-bits") ok = ParseStopBits(value, command.StopBits);
    else if (option == "--slave") {
      ok = ParseNumber(value, 1, 247, number);
      command.Slave = static_cast<std::uint8_t>(number);
    } else if (option == "--tries") {
      ok = ParseNumber(value, 1, 255, number);
      command.Tries = static_cast<std::uint8_t>(number);
    } else if (option == "--response-time") {
      ok = ParseNumber(value, 1, 65535, number);
      command.ResponseTime = static_cast<std::uint16_t>(number);
    } else {
      error = "unknown option " + option;
      return false;
    }
    if (!ok) {
      error = "bad value for " + option + ": " + value;
      return false;
    }
  }

  if (positional.size() != 3) {
    error = "expected read FIRST COUNT or write REGISTER VALUE";
    return false;
  }
  unsigned long reg = 0;
  unsigned long second = 0;
  if (!ParseNumber(positional[1], 1, 65536, reg)) {
    error = "bad register number: " + positional[1];
    return false;
  }
  command.Register = static_cast<std::uint32_t>(reg);
  if (positional[0] == "read") {
    if (!ParseNumber(positional[2], 1, 125, second) || reg + second - 1 > 65536) {
      error = "bad count (1 to 125 registers, ending at 65536 at most): " + positional[2];
      return false;
    }
    command.What = ModbusCommand::Action::Read;
    command.Count = static_cast<std::uint16_t>(second);
  } else if (positional[0] == "write") {
    if (!ParseNumber(positional[2], 0, 65535, second)) {
      error = "bad value (0 to 65535): " + positional[2];
      return false;
    }
    command.What = ModbusCommand::Action::Write;
    command.Value = static_cast<std::uint16_t>(second);
  } else {
    error = "unknown command " + positional[0];
    return false;
  }
  return true;
}

std::string ModbusUsage() {
  return "Usage: wlt-modbus [options] read FIRST COUNT\n"
         "  or:  wlt-modbus [options] write REGISTER VALUE\n"
         "Modbus RTU master for checking a link to the WLT controller.\n"
         "Registers are numbered as the controller numbers them (801, 1300 ...);\n"
         "COUNT is 1 to 125, VALUE 0 to 65535; numbers may be given as 0x hex.\n"
         "\n"
         "Options:\n"
#ifdef _WIN32
         "  --port PORT          COM1 to COM9 (default COM1)\n"
#else
         "  --port PORT          COM1 to COM9 (default COM1, /dev/ttyS0 to /dev/ttyS8),\n"
         "                       a device path, or COMn=PATH to map a port to a device\n"
#endif
         "                       COMn=tcp:HOST:PORT or tcp:HOST:PORT: a serial device server\n"
         "  --baud N             110 300 600 1200 2400 4800 9600 14400 19200 38400\n"
         "                       56000 57600 115200 (default 19200)\n"
         "  --parity P           none, odd, even, mark or space (default none)\n"
         "  --stop-bits S        1, 1.5 or 2 (default 1)\n"
         "  --slave N            slave address 1 to 247 (default 1)\n"
         "  --tries N            tries per transaction 1 to 255 (default 3)\n"
         "  --response-time MS   fixed part of the reply time-out (default 500)\n"
         "  -v, --trace          print every frame sent and received, each try's\n"
         "                       outcome and time-out to standard error as it happens\n"
         "  -h, --help           show this text\n"
         "\n"
         "Exit status: 0 success, 1 the port or the controller failed (the reason\n"
         "is printed), 2 bad arguments.\n";
}

std::string RegisterLabel(std::uint32_t reg) {
  char label[40];
  if (reg > 0xFFFF)
    std::snprintf(label, sizeof label, "%lu (wire address 0x%04lX)", static_cast<unsigned long>(reg),
                  static_cast<unsigned long>((reg - 1) & 0xFFFF));
  else
    std::snprintf(label, sizeof label, "%lu", static_cast<unsigned long>(reg));
  return label;
}

std::string FormatRegisterValue(std::uint32_t reg, std::uint16_t value) {
  char text[32];
  std::snprintf(text, sizeof text, " = %u (0x%04X)", static_cast<unsigned>(value),
                static_cast<unsigned>(value));
  return RegisterLabel(reg) + text;
}

namespace {

std::string HexBytes(const std::uint8_t* bytes, std::size_t length) {
  std::string hex;
  for (std::size_t i = 0; i < length; ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%s%02X", i == 0 ? "" : " ", bytes[i]);
    hex += byte;
  }
  return hex;
}

}  // namespace

std::string DescribeFailure(bool answered, const std::uint8_t* reply, std::size_t length,
                            const std::uint8_t* request) {
  constexpr std::size_t kRequestLength = 8;
  if (!answered) {
    if (length == 0) return "no answer";
    // Bytes came, but never a frame with a good CRC: noise on the line, or
    // another bit rate or parity than the controller's.
    return "no valid reply (" + std::to_string(length) +
           " byte(s) received, no frame with a correct CRC: noise or other line settings? " +
           HexBytes(reply, length) + ")";
  }
  const std::uint8_t slave = request[0];
  const std::uint8_t function = request[1];
  if (length == kRequestLength && std::equal(reply, reply + length, request) && function != 6) {
    return "the request came back unchanged: the line echoes what is sent (TX joined to RX, "
           "or an adapter that echoes) and no controller answered";
  }
  if (length >= 5 && reply[0] == slave && reply[1] == (function | 0x80)) {
    return "exception code " + std::to_string(reply[2]) + " (" + ModbusExceptions::StandardName(reply[2]) + ")";
  }
  std::string why;
  if (length >= 1 && reply[0] != slave) why = "from slave " + std::to_string(reply[0]) + ": ";
  else if (length >= 2 && reply[1] != function) why = "function " + std::to_string(reply[1]) + ": ";
  else if (function == 3) why = "not the registers asked: ";
  else why = "echo differs: ";
  return "wrong reply (" + why + HexBytes(reply, length) + ")";
}
