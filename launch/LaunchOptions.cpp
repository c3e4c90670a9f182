#include "launch/LaunchOptions.h"

#include "mdbcomp/LineOptions.h"
#include "mdbcomp/PortMap.h"

#include <string>

namespace LaunchOptions {

namespace {

bool Refuse(const QString& option, const QString& value, const QString& expected, QString& error) {
  error = QStringLiteral("bad value for %1: \"%2\" (expected %3)").arg(option, value, expected);
  return false;
}

}  // namespace

bool OptionIs(const QString& argument, const QString& name) {
  return argument == name || argument.startsWith(name + QLatin1Char('='));
}

bool TakeValue(const QStringList& arguments, int& i, const QString& name, QString& value) {
  const QString& argument = arguments[i];
  if (argument.startsWith(name + QLatin1Char('='))) {
    value = argument.mid(name.size() + 1);
    return true;
  }
  if (i + 1 >= arguments.size()) return false;
  value = arguments[++i];
  return true;
}

bool SetPort(const QString& value, Line& line, QString& error) {
  LineOptions::PortSelection selection;
  std::string why;
  const QString expected = QStringLiteral("COM1 to COM4, COMn=PATH or a device path");
  if (!LineOptions::ParsePort(value.toStdString(), selection, why) ||
      TransmissionPage::ItemIndexOf(selection.Port, TransmissionPage::kPorts) < 0)
    return Refuse(QStringLiteral("--port"), value, expected, error);
  line.startUp.Port = selection.Port;
  line.devicePath = QString::fromStdString(selection.DevicePath);
  return true;
}

bool SetBaudRate(const QString& value, Line& line, QString& error) {
  TBaudRate rate = br19200;
  if (!LineOptions::ParseBaudRate(value.toStdString(), rate) ||
      TransmissionPage::ItemIndexOf(rate, TransmissionPage::kBaudRates) < 0)
    return Refuse(QStringLiteral("--baud"), value, QStringLiteral("2400, 4800, 9600 or 19200"), error);
  line.startUp.BaudRate = rate;
  return true;
}

bool SetParity(const QString& value, Line& line, QString& error) {
  TParity parity = prNone;
  if (!LineOptions::ParseParity(value.toStdString(), parity) ||
      TransmissionPage::ItemIndexOf(parity, TransmissionPage::kParities) < 0)
    return Refuse(QStringLiteral("--parity"), value, QStringLiteral("none, odd or even"), error);
  line.startUp.Parity = parity;
  return true;
}

bool SetStopBits(const QString& value, Line& line, QString& error) {
  TStopBits stopBits = sbOneStopBit;
  if (!LineOptions::ParseStopBits(value.toStdString(), stopBits) ||
      TransmissionPage::ItemIndexOf(stopBits, TransmissionPage::kStopBits) < 0)
    return Refuse(QStringLiteral("--stop-bits"), value, QStringLiteral("1 or 2"), error);
  line.startUp.StopBits = stopBits;
  return true;
}

bool SetSlave(const QString& value, Line& line, QString& error) {
  unsigned long address = 0;
  if (!LineOptions::ParseNumber(value.toStdString(), TransmissionPage::kMinSlaveAddress,
                                TransmissionPage::kMaxSlaveAddress, address))
    return Refuse(QStringLiteral("--slave"), value, QStringLiteral("1 to 247"), error);
  line.startUp.SlaveAddress = int(address);
  return true;
}

bool IsLineOption(const QString& name) {
  return name == QLatin1String("--port") || name == QLatin1String("--baud") ||
         name == QLatin1String("--parity") || name == QLatin1String("--stop-bits") ||
         name == QLatin1String("--slave");
}

bool SetLineOption(const QString& name, const QString& value, Line& line, QString& error) {
  if (name == QLatin1String("--port")) return SetPort(value, line, error);
  if (name == QLatin1String("--baud")) return SetBaudRate(value, line, error);
  if (name == QLatin1String("--parity")) return SetParity(value, line, error);
  if (name == QLatin1String("--stop-bits")) return SetStopBits(value, line, error);
  if (name == QLatin1String("--slave")) return SetSlave(value, line, error);
  error = QStringLiteral("unknown option %1").arg(name);
  return false;
}

QString LineOptionsUsage() {
#ifdef _WIN32
  const char* const port =
      "  --port PORT        COM1 to COM4 (the PC's ports of those names), COMn=NAME to\n"
      "                     open the port NAME as COMn (COM7, \\\\.\\COM12), or a port\n"
      "                     NAME (as COM1); default COM1\n";
#else
  const char* const port =
      "  --port PORT        COM1 to COM4 (COMn is /dev/ttyS(n-1)), COMn=PATH to open\n"
      "                     PATH as COMn, or a device PATH (as COM1); default COM1\n";
#endif
  return QString::fromLatin1(port) +
         QStringLiteral(
             "                     COMn=tcp:HOST:PORT (or tcp:HOST:PORT, as COM1): a serial\n"
             "                     device server on the network carrying the frames\n") +
         QStringLiteral(
             "  --baud N           2400, 4800, 9600 or 19200 bit/s; default 19200\n"
             "  --parity P         none, odd or even; default none\n"
             "  --stop-bits N      1 or 2; default 1\n"
             "  --slave N          the controller's slave address, 1 to 247; default 1\n");
}

void ApplyPortMap(const Line& line) {
  if (line.devicePath.isEmpty()) return;
  const std::string portName = "COM" + std::to_string(int(line.startUp.Port) + 1);
  PortMap::Set(portName, line.devicePath.toStdString());
}

bool ApplyPortMappings(const QStringList& mappings, QString& error) {
  for (const QString& mapping : mappings) {
    if (!PortMap::SetFromOption(mapping.toStdString())) {
      error = QStringLiteral("invalid --port value \"%1\": expected COMn=PATH, n from 1 to 9")
                  .arg(mapping);
      return false;
    }
  }
  return true;
}

}  // namespace LaunchOptions
