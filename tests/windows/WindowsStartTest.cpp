// What the programs do differently at their start on Windows: the command
// line read as Unicode, the help texts (Windows ports, no --demo), the default
// work folder in Documents.

#include "CliCommandLine.h"
#include "WindowsCoreTestMain.h"
#include "launch/LaunchOptions.h"
#include "launch/ProgramArguments.h"
#include "launch/WindowCommandLine.h"
#include "launch/WorkFolder.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

TEST(WindowsCommandLine, ArgumentsKeepThePolishLetters) {
  const QStringList arguments = ProgramArguments::Arguments(TestArgc(), TestArgv());
  const QString polish = QString::fromUtf16(kPolishArgument);
  EXPECT_TRUE(arguments.contains(polish)) << arguments.join(QLatin1Char(' ')).toStdString();
  EXPECT_EQ(ProgramArguments::ProgramName(TestArgc(), TestArgv()), QStringLiteral("windows_core_tests.exe"));
}

TEST(WindowsCommandLine, NoDemoWhereNoSimulatorRuns) {
  CommandLine window;
  QString error;
  EXPECT_FALSE(ParseCommandLine({QStringLiteral("--demo")}, window, error));
  EXPECT_EQ(error, QStringLiteral("unknown argument \"--demo\""));

  CliRequest cli;
  EXPECT_FALSE(ParseCliCommandLine({QStringLiteral("--demo"), QStringLiteral("info")}, cli, error));
  EXPECT_EQ(error, QStringLiteral("unknown option \"--demo\""));
}

TEST(WindowsCommandLine, HelpTextsNameWindowsPorts) {
  const struct {
    const char* program;
    QString text;
  } texts[] = {
      {"window", UsageText(QStringLiteral("wlt-nastawy.exe"))},
      {"cli", CliUsage(QStringLiteral("wlt-nastawy-cli.exe"))},
  };
  for (const auto& t : texts) {
    EXPECT_FALSE(t.text.contains(QStringLiteral("--demo"))) << t.program;
    EXPECT_FALSE(t.text.contains(QStringLiteral("/dev/"))) << t.program;
    EXPECT_FALSE(t.text.contains(QStringLiteral("pseudo-terminal"))) << t.program;
    EXPECT_TRUE(t.text.contains(QStringLiteral("(COM7, \\\\.\\COM12)"))) << t.program << t.text.toStdString();
  }
  const QString window = texts[0].text.simplified();
  EXPECT_TRUE(window.contains(QStringLiteral("%WLT_WORK_DIR%, else WLT in the user's Documents"))) << window.toStdString();
}

TEST(WindowsWorkFolder, DefaultIsWltInDocuments) {
  const QByteArray saved = qgetenv("WLT_WORK_DIR");
  qunsetenv("WLT_WORK_DIR");
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  ASSERT_FALSE(documents.isEmpty());
  EXPECT_EQ(WorkFolder::DefaultPath(), QDir(documents).filePath(QStringLiteral("WLT")));
  EXPECT_NE(WorkFolder::DefaultPath(), QDir::home().filePath(QStringLiteral("WLT")));
  qputenv("WLT_WORK_DIR", "C:\\elsewhere");
  EXPECT_EQ(WorkFolder::DefaultPath(), QStringLiteral("C:\\elsewhere"));
  if (saved.isEmpty()) qunsetenv("WLT_WORK_DIR");
  else qputenv("WLT_WORK_DIR", saved);
}

}  // namespace
