#include "ModbusCommandLine.h"

#include <cstdio>
#include <cstdlib>

namespace {

// A whole decimal or 0x-hexadecimal number within [low, high].
bool ParseNumber(const std::string& text, unsigned long low, unsigned long high,
                 unsigned long& value) {
  if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
  int base = 10;
  std::string digits = text;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    digits = text.substr(2);
  }
  const std::string allowed = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
  if (digits.empty() || digits.size() > 10 ||
      digits.find_first_not_of(allowed) != std::string::npos) {
    return false;
  }
  value = std::strtoul(digits.c_str(), nullptr, base);
  return value >= low && value <= high;
}

bool ParseBaudRate(const std::string& text, TBaudRate& rate) {
  unsigned long value = 0;
  if (!ParseNumber(text, 1, 1000000, value)) return false;
  for (int i = br110; i <= br115200; ++i) {
    if (BaudRateValue(static_cast<TBaudRate>(i)) == value) {
      rate = static_cast<TBaudRate>(i);
      return true;
    }
  }
  return false;
}

bool ParseParity(const std::string& text, TParity& parity) {
  struct Name { const char* longName; const char* shortName; TParity parity; };
  static constexpr Name kNames[] = {{"none", "N", prNone}, {"odd", "O", prOdd},
                                    {"even", "E", prEven}, {"mark", "M", prMark},
                                    {"space", "S", prSpace}};
  for (const Name& name : kNames) {
    if (text == name.longName || text == name.shortName) {
      parity = name.parity;
      return true;
    }
  }
  return false;
}

bool ParseStopBits(const std::string& text, TStopBits& stopBits) {
  if (text == "1") stopBits = sbOneStopBit;
  else if (text == "1.5") stopBits = sbOne5StopBits;
  else if (text == "2") stopBits = sbTwoStopBits;
  else return false;
  return true;
}

// "COM1".."COM9".
bool ParsePortName(const std::string& text, TPortType& port) {
  if (text.size() != 4 || text.compare(0, 3, "COM") != 0 || text[3] < '1' || text[3] > '9') {
    return false;
  }
  port = static_cast<TPortType>(text[3] - '1');
  return true;
}

bool ParsePort(const std::string& text, ModbusCommand& command) {
  if (ParsePortName(text, command.Port)) {
    command.DevicePath.clear();
    return true;
  }
  const auto eq = text.find('=');
  if (eq != std::string::npos) {
    // COMn=PATH, as the window takes it: map the port and use it.
    if (!ParsePortName(text.substr(0, eq), command.Port) || eq + 1 == text.size()) return false;
    command.PortMappings.push_back(text);
    command.DevicePath.clear();
    return true;
  }
  // Anything else named like a port is a port the link does not have.
  if (text.empty() || text.compare(0, 3, "COM") == 0) return false;
  command.Port = COM1;
  command.DevicePath = text;
  return true;
}

}  // namespace

bool ParseModbusCommand(const std::vector<std::string>& args, ModbusCommand& command,
                        std::string& error) {
  command = ModbusCommand{};
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string option = args[i];
    if (option == "-h" || option == "--help") {
      command.What = ModbusCommand::Action::Help;
      return true;
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
    if (option == "--port") ok = ParsePort(value, command);
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
  command.Register = static_cast<std::uint16_t>(reg);  // 65536 is wire address 0xFFFF
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
         "       wlt-modbus [options] write REGISTER VALUE\n"
         "Modbus RTU master for checking a link to the WLT controller.\n"
         "Registers are numbered as the controller numbers them (801, 1300 ...);\n"
         "COUNT is 1 to 125, VALUE 0 to 65535; numbers may be given as 0x hex.\n"
         "\n"
         "Options:\n"
         "  --port PORT          COM1 to COM9 (default COM1), a device path,\n"
         "                       or COMn=PATH to map a port to a device\n"
         "  --baud N             110 300 600 1200 2400 4800 9600 14400 19200 38400\n"
         "                       56000 57600 115200 (default 19200)\n"
         "  --parity P           none, odd, even, mark or space (default none)\n"
         "  --stop-bits S        1, 1.5 or 2 (default 1)\n"
         "  --slave N            slave address 1 to 247 (default 1)\n"
         "  --tries N            tries per transaction 1 to 255 (default 3)\n"
         "  --response-time MS   fixed part of the reply time-out (default 500)\n"
         "  -h, --help           show this text\n"
         "\n"
         "Exit status: 0 success, 1 the port or the controller failed (the reason\n"
         "is printed), 2 bad arguments.\n";
}

std::string FormatRegisterValue(std::uint16_t reg, std::uint16_t value) {
  char line[48];
  std::snprintf(line, sizeof line, "%u = %u (0x%04X)", static_cast<unsigned>(reg),
                static_cast<unsigned>(value), static_cast<unsigned>(value));
  return line;
}

std::string DescribeFailure(bool answered, const std::uint8_t* reply, std::size_t length,
                            std::uint8_t slave, std::uint8_t function) {
  if (!answered) return "no answer";
  if (length >= 5 && reply[0] == slave && reply[1] == (function | 0x80)) {
    return "exception code " + std::to_string(reply[2]);
  }
  std::string hex;
  for (std::size_t i = 0; i < length; ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%s%02X", i == 0 ? "" : " ", reply[i]);
    hex += byte;
  }
  std::string why;
  if (length >= 1 && reply[0] != slave) why = "from slave " + std::to_string(reply[0]) + ": ";
  else if (length >= 2 && reply[1] != function) why = "function " + std::to_string(reply[1]) + ": ";
  else if (function == 3) why = "fewer registers than asked: ";
  else why = "echo differs: ";
  return "wrong reply (" + why + hex + ")";
}
