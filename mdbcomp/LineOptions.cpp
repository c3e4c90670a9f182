#include "mdbcomp/LineOptions.h"

#include "mdbcomp/TcpSerialLine.h"

#include <cstdlib>

namespace LineOptions {

namespace {

// "COM1".."COM9".
bool ParsePortName(const std::string& text, TPortType& port) {
  if (text.size() != 4 || text.compare(0, 3, "COM") != 0 || text[3] < '1' || text[3] > '9') {
    return false;
  }
  port = static_cast<TPortType>(text[3] - '1');
  return true;
}

}  // namespace

bool ParsePort(const std::string& text, PortSelection& selection, std::string& error,
               PortSyntax syntax) {
  PortSelection parsed;
  if (ParsePortName(text, parsed.Port)) {
    selection = parsed;
    return true;
  }
  const auto eq = text.find('=');
  const bool mapping = eq != std::string::npos;
  if (mapping ? !ParsePortName(text.substr(0, eq), parsed.Port) || eq + 1 == text.size()
              : text.empty() || text.compare(0, 3, "COM") == 0) {
    // Anything else named like a port is a port the link does not have.
    error = "expected COM1 to COM9" +
            std::string(syntax == PortSyntax::NamesAndPaths ? ", COMn=PATH or a device path" : "") +
            ": " + text;
    return false;
  }
  const std::string device = mapping ? text.substr(eq + 1) : text;
  if (TcpAddress::Names(device)) {
    // A serial server on the network: the same on every system.
    std::string host;
    std::uint16_t tcpPort = 0;
    if (!TcpAddress::Parse(device, host, tcpPort)) {
      error = "expected tcp:HOST:PORT: " + device;
      return false;
    }
    parsed.DevicePath = device;
    selection = parsed;
    return true;
  }
  if (syntax == PortSyntax::NamesOnly) {
    error = "this system opens serial ports by name (COM1 to COM9), not by path: " + text;
    return false;
  }
  parsed.DevicePath = mapping ? text.substr(eq + 1) : text;
  selection = parsed;
  return true;
}

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
  const unsigned long parsed = std::strtoul(digits.c_str(), nullptr, base);
  if (parsed < low || parsed > high) return false;
  value = parsed;
  return true;
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

}  // namespace LineOptions
