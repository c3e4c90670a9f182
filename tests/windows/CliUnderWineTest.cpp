// wlt-nastawy-cli.exe under wine against wlt-sim (COM1 of the wine prefix
// leads to the simulator), side by side with the Linux build's CLI on the
// same simulator: the same output, and files equal byte for byte.

#include "SimProcess.h"
#include "WindowsProgramRun.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CliUnderWine : public testing::Test {
 protected:
  void SetUp() override {
    wine_ = PreparedWine();
    ASSERT_NE(wine_, nullptr) << WineError();
    ASSERT_TRUE(scratch_.isValid());
    sim_ = std::make_unique<SimProcess>(SteadyControllerOptions());
    ASSERT_TRUE(sim_->Running());
    ASSERT_TRUE(wine_->PointCom1At(sim_->DevicePath()));
  }

  QString Folder(const QString& name) const { return QDir(scratch_.path()).filePath(name); }
  QString Device() const { return QString::fromStdString(sim_->DevicePath()); }

  // The Windows CLI in its own work folder (made and given the general
  // description file by --work-dir), on COM1.
  WineRun Windows(const QString& workFolder, const std::vector<std::string>& arguments) {
    std::vector<std::string> all{"--work-dir", WindowsPath(workFolder)};
    all.insert(all.end(), arguments.begin(), arguments.end());
    WineRun run = RunWindowsProgram(*wine_, "wlt-nastawy-cli.exe", all);
    EXPECT_TRUE(run.Started) << "wlt-nastawy-cli.exe did not end in time";
    return run;
  }

  WineSession* wine_ = nullptr;
  QTemporaryDir scratch_;
  std::unique_ptr<SimProcess> sim_;
};

TEST_F(CliUnderWine, HelpNamesWindowsPortsAndNoDemo) {
  const WineRun run = RunWindowsProgram(*wine_, "wlt-nastawy-cli.exe", {"--help"});
  ASSERT_EQ(run.ExitCode, 0) << run.Errors;
  const QString help = OutputLines(run.Output).join(QLatin1Char('\n'));
  EXPECT_TRUE(help.startsWith(QStringLiteral("Usage: wlt-nastawy-cli.exe [OPTIONS] COMMAND"))) << run.Output;
  EXPECT_TRUE(help.contains(QStringLiteral("COMn=NAME"))) << run.Output;
  EXPECT_FALSE(help.contains(QStringLiteral("--demo"))) << run.Output;
  EXPECT_FALSE(help.contains(QStringLiteral("/dev/ttyS"))) << run.Output;
  const WineRun demo = RunWindowsProgram(*wine_, "wlt-nastawy-cli.exe", {"--demo", "info"});
  EXPECT_EQ(demo.ExitCode, 2);
  EXPECT_NE(demo.Errors.find("unknown option \"--demo\""), std::string::npos) << demo.Errors;
}

TEST_F(CliUnderWine, InfoPrintsWhatTheLinuxBuildPrints) {
  const LinuxRun linux = RunLinuxCli(Folder(QStringLiteral("linux")), Device(), {QStringLiteral("info")});
  ASSERT_EQ(linux.status, 0) << linux.err.toStdString();
  const WineRun windows = Windows(Folder(QStringLiteral("windows")), {"info"});
  ASSERT_EQ(windows.ExitCode, 0) << windows.Errors;
  // UTF-8 with the Polish letters of " Połączony", lines ending in CR LF.
  EXPECT_EQ(OutputLines(windows.Output), OutputLines(linux.out));
  EXPECT_TRUE(OutputLines(windows.Output).contains(QStringLiteral(" Połączony"))) << windows.Output;
  EXPECT_NE(windows.Output.find("\r\n"), std::string::npos);
}

TEST_F(CliUnderWine, SettingsFileEqualsTheLinuxBuildsByteForByte) {
  const QString name = QStringLiteral("WLT_nastawy_007.txt");
  const LinuxRun linux =
      RunLinuxCli(Folder(QStringLiteral("linux")), Device(), {QStringLiteral("read-settings"), name});
  ASSERT_EQ(linux.status, 0) << linux.err.toStdString();
  // A file argument is taken where the program is started, not in the work
  // folder: named in full.
  const WineRun windows = Windows(Folder(QStringLiteral("windows")),
                                  {"read-settings", WindowsPath(QDir(Folder(QStringLiteral("windows"))).filePath(name))});
  ASSERT_EQ(windows.ExitCode, 0) << windows.Output << windows.Errors;

  const QByteArray expected = ReadAll(QDir(Folder(QStringLiteral("linux"))).filePath(name));
  ASSERT_TRUE(expected.contains("\r\n"));
  const QByteArray written = ReadAll(QDir(Folder(QStringLiteral("windows"))).filePath(name));
  EXPECT_EQ(written, expected);
  EXPECT_FALSE(written.contains('?')) << "a code page that was not there";
  // The description file's captions, in Windows-1250, reached the file.
  EXPECT_TRUE(written.contains("Warto\x9c\xe6")) << written.left(400).toStdString();
}

// Equal but for the PC's date and time of the readout (WithoutPcStamp).
TEST_F(CliUnderWine, EventFileAndListEqualTheLinuxBuilds) {
  const QString name = QStringLiteral("zdarzenia_007.dat");
  const LinuxRun linux =
      RunLinuxCli(Folder(QStringLiteral("linux")), Device(), {QStringLiteral("read-events"), name});
  ASSERT_EQ(linux.status, 0) << linux.err.toStdString();
  const WineRun windows = Windows(Folder(QStringLiteral("windows")),
                                  {"read-events", WindowsPath(QDir(Folder(QStringLiteral("windows"))).filePath(name))});
  ASSERT_EQ(windows.ExitCode, 0) << windows.Output << windows.Errors;

  const QByteArray expected = ReadAll(QDir(Folder(QStringLiteral("linux"))).filePath(name));
  ASSERT_TRUE(expected.contains(" PC: "));
  const QByteArray written = ReadAll(QDir(Folder(QStringLiteral("windows"))).filePath(name));
  EXPECT_EQ(WithoutPcStamp(written), WithoutPcStamp(expected));
  EXPECT_EQ(written.count("\r\n"), expected.count("\r\n"));
  const QStringList list = OutputLines(WithoutPcStamp(QByteArray::fromStdString(windows.Output)));
  EXPECT_GT(list.size(), 10);
  EXPECT_EQ(list, OutputLines(WithoutPcStamp(linux.out)));
}

TEST_F(CliUnderWine, SettingsPrintoutIntoAPdf) {
  // The settings file the Linux build saves, printed by the Windows CLI.
  const QString name = QStringLiteral("WLT_nastawy_007.txt");
  const QString linuxFolder = Folder(QStringLiteral("linux"));
  ASSERT_EQ(RunLinuxCli(linuxFolder, Device(), {QStringLiteral("read-settings"), name}).status, 0);
  const LinuxRun shown = RunLinuxCli(linuxFolder, Device(), {QStringLiteral("show-settings"), name});
  ASSERT_EQ(shown.status, 0) << shown.err.toStdString();

  const QString pdf = Folder(QStringLiteral("wydruk.pdf"));
  const WineRun windows =
      Windows(Folder(QStringLiteral("windows")),
              {"print-settings", WindowsPath(QDir(linuxFolder).filePath(name)), WindowsPath(pdf)});
  ASSERT_EQ(windows.ExitCode, 0) << windows.Output << windows.Errors;
  ASSERT_TRUE(ReadAll(pdf).startsWith("%PDF-")) << windows.Errors;

  QProcess text;
  text.start(QStringLiteral(WLT_PDFTOTEXT), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  ASSERT_TRUE(text.waitForFinished(60000));
  // Every line of the printout is on the pages, Polish letters and all
  // (blank runs compared as one blank: the layout pads columns).
  const auto squeezed = [](QString line) {
    return line.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
  };
  QStringList pages;
  for (const QString& line : OutputLines(text.readAllStandardOutput())) pages << squeezed(line);
  int compared = 0;
  for (const QString& line : OutputLines(shown.out)) {
    if (squeezed(line).isEmpty()) continue;
    EXPECT_TRUE(pages.contains(squeezed(line))) << line.toStdString();
    ++compared;
  }
  EXPECT_GT(compared, 40);
}

TEST_F(CliUnderWine, WorkFolderNamedInPolishIsMadeUnderItsOwnName) {
  const QString folder = Folder(QStringLiteral("łódź"));
  const WineRun run = Windows(folder, {"info"});
  ASSERT_EQ(run.ExitCode, 0) << run.Errors;
  EXPECT_EQ(ReadAll(QDir(folder).filePath(QStringLiteral("WLT_nast_rejzd_000.txt"))),
            ReadAll(GeneralDescriptionFile()));
  EXPECT_EQ(QDir(scratch_.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("łódź")});
}

}  // namespace
