// wlt-nastawy.exe under wine on a virtual X display, against wlt-sim on COM1:
// its screenshot run finds the controller at start-up, reads the settings
// and the events through the menus, shows the print previews, and answers
// the save dialogs into its picture folder. The files it saved must equal,
// byte for byte, what the Linux build's CLI saves from the same controller.

#include "SimProcess.h"
#include "WindowsProgramRun.h"
#include "XvfbDisplay.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace {

TEST(WindowUnderWine, StartUpSettingsEventsPreviewAndSavedFiles) {
  WineSession* wine = PreparedWine();
  ASSERT_NE(wine, nullptr) << WineError();
  const XvfbDisplay display(WLT_XVFB);
  ASSERT_FALSE(display.Name().empty()) << display.Error();
  wine->SetEnvironment("DISPLAY", display.Name());
  QTemporaryDir scratch;
  ASSERT_TRUE(scratch.isValid());
  SimProcess sim(SteadyControllerOptions());
  ASSERT_TRUE(sim.Running());
  ASSERT_TRUE(wine->PointCom1At(sim.DevicePath()));

  const QString work = QDir(scratch.path()).filePath(QStringLiteral("work"));
  const QString shots = QDir(scratch.path()).filePath(QStringLiteral("shots"));
  const WineRun run = RunWindowsProgram(
      *wine, "wlt-nastawy.exe", {"--work-dir", WindowsPath(work), "--screenshot", WindowsPath(shots)}, 300000);
  ASSERT_TRUE(run.Started) << "the window did not end in time\n" << run.Output << run.Errors;
  ASSERT_EQ(run.ExitCode, 0) << run.Output << run.Errors;
  const QStringList out = OutputLines(run.Output);

  // Start-up found the controller and loaded the general description file.
  EXPECT_TRUE(out.contains(QStringLiteral("EditNrFabr=7 EditRokProd=2019 panel0= Połączony"))) << run.Output;
  EXPECT_TRUE(out.contains(QStringLiteral("caption=WLT - nastawy 000"))) << run.Output;
  // No read error at start-up (the tour opens a missing file on purpose later).
  EXPECT_FALSE(QString::fromStdString(run.Output)
                   .section(QStringLiteral("caption="), 0, 0)
                   .contains(QStringLiteral("Błąd odczytu")))
      << run.Output;
  // Every page, the grid after the settings read, the event list, and both
  // print previews were drawn.
  QStringList pictures{QStringLiteral("page-2-read.png"), QStringLiteral("page-3-read.png"),
                       QStringLiteral("page-4-read.png")};
  for (int page = 1; page <= 8; ++page) pictures << QStringLiteral("page-%1.png").arg(page);
  for (const QString& name : pictures) {
    const QImage image(QDir(shots).filePath(name));
    EXPECT_FALSE(image.isNull()) << name.toStdString();
    EXPECT_GE(image.width(), 700) << name.toStdString();
  }
  const QStringList previews =
      QDir(shots).entryList({QStringLiteral("box-*-PrintPreview.png")}, QDir::Files, QDir::Name);
  EXPECT_EQ(previews.size(), 2) << run.Output;

  // The two save dialogs were answered; each file equals the Linux build's.
  QStringList saved;
  for (const QString& line : out)
    if (line.startsWith(QStringLiteral("saved="))) saved << QFileInfo(line.mid(6).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName();
  ASSERT_EQ(saved.size(), 2) << run.Output;
  const QString linuxFolder = QDir(scratch.path()).filePath(QStringLiteral("linux"));
  // The event file: but for the PC's date and time of the readout.
  const struct {
    QString command;
    QString name;
    QByteArray (*compared)(const QByteArray&);
  } files[] = {{QStringLiteral("read-settings"), saved[0], [](const QByteArray& b) { return b; }},
               {QStringLiteral("read-events"), saved[1], WithoutPcStamp}};
  for (const auto& file : files) {
    // Under the same name (the name says which kind of settings file), in
    // a folder of its own.
    const QString referenceFolder = QDir(scratch.path()).filePath(file.command);
    ASSERT_TRUE(QDir().mkpath(referenceFolder));
    const QString reference = QDir(referenceFolder).filePath(file.name);
    const LinuxRun linux = RunLinuxCli(linuxFolder, QString::fromStdString(sim.DevicePath()), {file.command, reference});
    ASSERT_EQ(linux.status, 0) << linux.err.toStdString();
    const QByteArray expected = ReadAll(reference);
    ASSERT_FALSE(expected.isEmpty()) << file.name.toStdString();
    EXPECT_EQ(file.compared(ReadAll(QDir(shots).filePath(file.name))), file.compared(expected))
        << file.name.toStdString();
  }
  // The work folder got the general description file and nothing else.
  EXPECT_EQ(QDir(work).entryList(QDir::Files), QStringList{QStringLiteral("WLT_nast_rejzd_000.txt")});
}

}  // namespace
