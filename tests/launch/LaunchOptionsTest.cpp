// The launch options the programs share: the line options on top of the
// link's parser, limited to what the transmission page offers; the port
// mappings; the window's own command line; the PC clock's long time format.

#include "AppTestSupport.h"
#include "launch/LaunchOptions.h"
#include "launch/SystemClock.h"
#include "launch/WindowCommandLine.h"
#include "mdbcomp/PortMap.h"

#include <gtest/gtest.h>

namespace {

using LaunchOptions::Line;

struct Accepted {
  const char* option;
  const char* value;
  // What the line holds afterwards.
  TPortType port;
  const char* devicePath;
  TBaudRate baud;
  TParity parity;
  TStopBits stopBits;
  int slave;
};

TEST(LineOptions, ValuesThePageOffers) {
  const Accepted cases[] = {
      {"--port", "COM1", COM1, "", br19200, prNone, sbOneStopBit, 1},
      {"--port", "COM4", COM4, "", br19200, prNone, sbOneStopBit, 1},
      {"--port", "/dev/ttyUSB0", COM1, "/dev/ttyUSB0", br19200, prNone, sbOneStopBit, 1},
      {"--port", "COM3=/dev/pts/7", COM3, "/dev/pts/7", br19200, prNone, sbOneStopBit, 1},
      {"--baud", "2400", COM1, "", br2400, prNone, sbOneStopBit, 1},
      {"--baud", "9600", COM1, "", br9600, prNone, sbOneStopBit, 1},
      {"--parity", "even", COM1, "", br19200, prEven, sbOneStopBit, 1},
      {"--parity", "odd", COM1, "", br19200, prOdd, sbOneStopBit, 1},
      {"--parity", "none", COM1, "", br19200, prNone, sbOneStopBit, 1},
      {"--stop-bits", "2", COM1, "", br19200, prNone, sbTwoStopBits, 1},
      {"--slave", "247", COM1, "", br19200, prNone, sbOneStopBit, 247},
      {"--slave", "0x10", COM1, "", br19200, prNone, sbOneStopBit, 16},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(std::string(c.option) + " " + c.value);
    Line line;
    QString error;
    ASSERT_TRUE(LaunchOptions::IsLineOption(QString::fromLatin1(c.option)));
    ASSERT_TRUE(LaunchOptions::SetLineOption(QString::fromLatin1(c.option), QString::fromLatin1(c.value),
                                             line, error))
        << error.toStdString();
    EXPECT_EQ(line.startUp.Port, c.port);
    EXPECT_EQ(line.devicePath, QString::fromLatin1(c.devicePath));
    EXPECT_EQ(line.startUp.BaudRate, c.baud);
    EXPECT_EQ(line.startUp.Parity, c.parity);
    EXPECT_EQ(line.startUp.StopBits, c.stopBits);
    EXPECT_EQ(line.startUp.SlaveAddress, c.slave);
  }
}

// The link itself could do more than the page offers; the programs start
// the window state on the page's settings, so they refuse the rest.
TEST(LineOptions, ValuesThePageDoesNotOfferAreRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"--port", "COM5"},
      {"--port", "COM9=/dev/ttyUSB0"},
      {"--port", "COM1="},
      {"--port", ""},
      {"--port", "LPT1=/dev/lp0"},
      {"--port", "COMX"},
      {"--baud", "38400"},
      {"--baud", "115200"},
      {"--baud", "fast"},
      {"--baud", "-9600"},
      {"--parity", "mark"},
      {"--parity", "space"},
      {"--parity", "Even"},
      {"--stop-bits", "1.5"},
      {"--stop-bits", "3"},
      {"--slave", "0"},
      {"--slave", "248"},
      {"--slave", "1 "},
      {"--slave", ""},
  };
  for (const auto& [option, value] : cases) {
    SCOPED_TRACE(std::string(option) + " \"" + value + "\"");
    Line line;
    QString error;
    EXPECT_FALSE(
        LaunchOptions::SetLineOption(QString::fromLatin1(option), QString::fromLatin1(value), line, error));
    EXPECT_TRUE(error.contains(QString::fromLatin1(option))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("\"%1\"").arg(QString::fromLatin1(value))))
        << error.toStdString();
    // Nothing of the refused value reached the line.
    EXPECT_EQ(line.startUp.Port, COM1);
    EXPECT_TRUE(line.devicePath.isEmpty());
    EXPECT_EQ(line.startUp.BaudRate, br19200);
    EXPECT_EQ(line.startUp.SlaveAddress, 1);
  }
  Line line;
  QString error;
  EXPECT_FALSE(LaunchOptions::IsLineOption(QStringLiteral("--tries")));
  EXPECT_FALSE(LaunchOptions::SetLineOption(QStringLiteral("--tries"), QStringLiteral("3"), line, error));
}

TEST(LineOptions, OptionValueInTheSameOrTheNextArgument) {
  const QStringList arguments{QStringLiteral("--baud=9600"), QStringLiteral("--slave"), QStringLiteral("7"),
                              QStringLiteral("--port")};
  QString value;
  int i = 0;
  EXPECT_TRUE(LaunchOptions::OptionIs(arguments[i], QStringLiteral("--baud")));
  EXPECT_FALSE(LaunchOptions::OptionIs(arguments[i], QStringLiteral("--ba")));
  ASSERT_TRUE(LaunchOptions::TakeValue(arguments, i, QStringLiteral("--baud"), value));
  EXPECT_EQ(value, QStringLiteral("9600"));
  EXPECT_EQ(i, 0);
  i = 1;
  ASSERT_TRUE(LaunchOptions::TakeValue(arguments, i, QStringLiteral("--slave"), value));
  EXPECT_EQ(value, QStringLiteral("7"));
  EXPECT_EQ(i, 2);
  i = 3;
  EXPECT_FALSE(LaunchOptions::TakeValue(arguments, i, QStringLiteral("--port"), value));
}

TEST(PortMapping, TheLinesDeviceAndTheWindowsMappings) {
  PortMap::Clear();
  Line line;
  QString error;
  ASSERT_TRUE(LaunchOptions::SetPort(QStringLiteral("COM2=/tmp/wlt-line"), line, error));
  LaunchOptions::ApplyPortMap(line);
  EXPECT_EQ(PortMap::Resolve("COM2"), "/tmp/wlt-line");
  EXPECT_EQ(PortMap::Resolve("COM1"), "/dev/ttyS0");

  PortMap::Clear();
  ASSERT_TRUE(LaunchOptions::SetPort(QStringLiteral("COM3"), line, error));
  LaunchOptions::ApplyPortMap(line);  // no device named: the platform's own
  EXPECT_EQ(PortMap::Resolve("COM3"), "/dev/ttyS2");

  ASSERT_TRUE(LaunchOptions::ApplyPortMappings(
      {QStringLiteral("COM3=/tmp/wlt-a"), QStringLiteral("COM3=/tmp/wlt-b")}, error));
  EXPECT_EQ(PortMap::Resolve("COM3"), "/tmp/wlt-b");
  for (const QString& bad : {QStringLiteral("COM0=/x"), QStringLiteral("COM1"), QStringLiteral("COM1="),
                             QStringLiteral("LPT1=/x")}) {
    EXPECT_FALSE(LaunchOptions::ApplyPortMappings({bad}, error)) << bad.toStdString();
    EXPECT_TRUE(error.contains(bad));
  }
  PortMap::Clear();
}

TEST(WindowCommandLine, Options) {
  CommandLine options;
  QString error;
  ASSERT_TRUE(ParseCommandLine({QStringLiteral("--port"), QStringLiteral("COM1=/dev/ttyUSB0"),
                                QStringLiteral("--port=COM2=/tmp/a"), QStringLiteral("--demo")},
                               options, error));
  EXPECT_EQ(options.portOptions,
            (QStringList{QStringLiteral("COM1=/dev/ttyUSB0"), QStringLiteral("COM2=/tmp/a")}));
  EXPECT_TRUE(options.demo);
  EXPECT_FALSE(options.help);
  EXPECT_TRUE(options.screenshotDir.isEmpty());

  ASSERT_TRUE(
      ParseCommandLine({QStringLiteral("--screenshot"), QStringLiteral("/tmp/shots")}, options, error));
  EXPECT_EQ(options.screenshotDir, QStringLiteral("/tmp/shots"));
  EXPECT_FALSE(options.demo);
}

TEST(WindowCommandLine, Refusals) {
  CommandLine options;
  QString error;
  EXPECT_FALSE(ParseCommandLine({QStringLiteral("--port")}, options, error));
  EXPECT_TRUE(error.contains(QStringLiteral("--port")));
  EXPECT_FALSE(ParseCommandLine({QStringLiteral("--bogus")}, options, error));
  EXPECT_TRUE(error.contains(QStringLiteral("--bogus")));
  EXPECT_FALSE(ParseCommandLine({QStringLiteral("COM1")}, options, error));
  EXPECT_FALSE(ParseCommandLine({QStringLiteral("--screenshot")}, options, error));
  // Two work folders at once: which one the user meant is not known.
  for (const QStringList& both :
       {QStringList{QStringLiteral("--work-dir"), QStringLiteral("/srv/wlt"), QStringLiteral("--default-work-dir")},
        QStringList{QStringLiteral("--default-work-dir"), QStringLiteral("--work-dir=/srv/wlt")}}) {
    EXPECT_FALSE(ParseCommandLine(both, options, error)) << both.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("--default-work-dir")));
  }
}

// The folder the window starts in: the named one, the default one of the
// desktop entry and the demo, or (empty) the folder it was started in.
TEST(WindowCommandLine, WorkFolderToEnter) {
  const QString home = QStringLiteral("/home/serwis/WLT");
  const struct {
    QStringList arguments;
    QString folder;
  } cases[] = {
      {{}, QString()},
      {{QStringLiteral("--port"), QStringLiteral("COM1=/dev/ttyUSB0")}, QString()},
      {{QStringLiteral("--default-work-dir")}, home},
      {{QStringLiteral("--demo")}, home},
      {{QStringLiteral("--demo"), QStringLiteral("--default-work-dir")}, home},
      {{QStringLiteral("--work-dir"), QStringLiteral("/srv/wlt")}, QStringLiteral("/srv/wlt")},
      {{QStringLiteral("--demo"), QStringLiteral("--work-dir=/srv/wlt")}, QStringLiteral("/srv/wlt")},
  };
  for (const auto& c : cases) {
    const std::string label = c.arguments.join(QLatin1Char(' ')).toStdString();
    CommandLine options;
    QString error;
    ASSERT_TRUE(ParseCommandLine(c.arguments, options, error)) << label << ": " << error.toStdString();
    EXPECT_EQ(WorkFolderToEnter(options, home), c.folder) << label;
  }
}

TEST(SystemClock, LongTimeLosesItsZone) {
  const std::pair<const char*, const char*> cases[] = {
      {"HH:mm:ss t", "HH:mm:ss"}, {"h:mm:ss AP t", "h:mm:ss AP"},
      {"t HH:mm:ss", "HH:mm:ss"}, {"HH:mm:ss tttt", "HH:mm:ss"},
      {"HH:mm:ss", "HH:mm:ss"},   {"HH:mm:ss 'tt' t", "HH:mm:ss 'tt'"},  // quoted letters stay
  };
  for (const auto& [format, expected] : cases)
    EXPECT_EQ(SystemClock::TimeFormatWithoutZone(QString::fromLatin1(format)), QString::fromLatin1(expected))
        << format;
}

}  // namespace
