// The Windows packages: the NSIS installer installs silently under wine
// (/S) into Program Files with its Start-menu entry and uninstaller, the
// installed programs run from there with what was installed beside them,
// and the silent uninstall takes everything away again; the ZIP holds the
// same programs, which run from wherever it is unpacked.

#include "WindowsProgramRun.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace {

const QString kPackageStem = QStringLiteral(WLT_WINDOWS_PACKAGE_STEM);

// The UTF-16 bytes of a text, as a shortcut file holds its target and arguments.
QByteArray Utf16(const QString& text) {
  return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// Every file below folder, as paths relative to it.
QStringList FilesBelow(const QString& folder) {
  QStringList files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) files << QDir(folder).relativeFilePath(it.next());
  files.sort();
  return files;
}

// What the programs need beside them, in the installed and the unpacked tree.
const QStringList kInstalledFiles = {
    QStringLiteral("bin/Qt6Core.dll"),
    QStringLiteral("bin/Qt6Gui.dll"),
    QStringLiteral("bin/Qt6PrintSupport.dll"),
    QStringLiteral("bin/Qt6Widgets.dll"),
    QStringLiteral("bin/libgcc_s_seh-1.dll"),
    QStringLiteral("bin/libstdc++-6.dll"),
    QStringLiteral("bin/libwinpthread-1.dll"),
    QStringLiteral("bin/platforms/qwindows.dll"),
    QStringLiteral("bin/styles/qwindowsvistastyle.dll"),
    QStringLiteral("bin/wlt-modbus.exe"),
    QStringLiteral("bin/wlt-nastawy-cli.exe"),
    QStringLiteral("bin/wlt-nastawy.exe"),
    QStringLiteral("share/wlt-nastawy/WLT_nast_rejzd_000.txt"),
};

// The installed or unpacked CLI prints the printout of a settings file: the
// DLLs beside it are complete.
void ShowsASettingsFile(WineSession& wine, const QString& root) {
  const std::string exe = QDir(root).filePath(QStringLiteral("bin/wlt-nastawy-cli.exe")).toStdString();
  const WineRun run = wine.Run(exe, {"show-settings", WindowsPath(QStringLiteral(WLT_SETTINGS_FILE))}, 120000);
  ASSERT_TRUE(run.Started) << exe;
  EXPECT_EQ(run.ExitCode, 0) << run.Output << run.Errors;
  EXPECT_NE(run.Output.find("nst_trSZR"), std::string::npos) << run.Output;
}

TEST(InstallerUnderWine, InstallsRunsAndUninstallsSilently) {
  WineSession* wine = PreparedWine();
  ASSERT_NE(wine, nullptr) << WineError();
  // No menu entries of wine's own in the home folder of whoever runs the test.
  wine->SetEnvironment("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d");
  const QString installer = kPackageStem + QStringLiteral(".exe");
  ASSERT_TRUE(QFileInfo::exists(installer)) << installer.toStdString();

  const WineRun install = wine->Run(installer.toStdString(), {"/S"}, 300000);
  ASSERT_TRUE(install.Started) << "the installer did not end in time";
  ASSERT_EQ(install.ExitCode, 0) << install.Errors;

  const QString root = QString::fromStdString(wine->Prefix()) + QStringLiteral("/drive_c/Program Files/WLT nastawy");
  const QStringList installed = FilesBelow(root);
  for (const QString& file : kInstalledFiles) EXPECT_TRUE(installed.contains(file)) << file.toStdString();
  EXPECT_TRUE(installed.contains(QStringLiteral("Uninstall.exe"))) << installed.join(QLatin1Char(' ')).toStdString();

  // Stripped: the build tree's program carries its debugging sections.
  const QByteArray built = ReadAll(QStringLiteral(WLT_WINDOWS_BIN) + QStringLiteral("/wlt-nastawy.exe"));
  const QByteArray shipped = ReadAll(QDir(root).filePath(QStringLiteral("bin/wlt-nastawy.exe")));
  EXPECT_TRUE(built.contains(".debug_info"));
  EXPECT_FALSE(shipped.contains(".debug_info"));
  EXPECT_FALSE(ReadAll(QDir(root).filePath(QStringLiteral("bin/Qt6Core.dll"))).contains(".debug_info"));

  // The Start-menu entry starts the window in its default work folder.
  QStringList shortcuts;
  QDirIterator it(QString::fromStdString(wine->Prefix()) + QStringLiteral("/drive_c"), {QStringLiteral("*.lnk")},
                  QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (path.contains(QStringLiteral("/Start Menu/Programs/WLT nastawy/"))) shortcuts << QFileInfo(path).fileName();
    if (path.endsWith(QStringLiteral("/WLT nastawy/WLT nastawy.lnk"))) {
      const QByteArray link = ReadAll(path);
      EXPECT_TRUE(link.contains(Utf16(QStringLiteral("--default-work-dir")))) << path.toStdString();
      EXPECT_TRUE(link.contains("wlt-nastawy.exe") || link.contains(Utf16(QStringLiteral("wlt-nastawy.exe"))));
    }
  }
  shortcuts.sort();
  EXPECT_EQ(shortcuts, (QStringList{QStringLiteral("Uninstall.lnk"), QStringLiteral("WLT nastawy.lnk")}));

  ShowsASettingsFile(*wine, root);

  // The uninstaller runs on from a copy of itself: wait for the folder to go.
  const WineRun uninstall = wine->Run((root + QStringLiteral("/Uninstall.exe")).toStdString(), {"/S"}, 300000);
  ASSERT_TRUE(uninstall.Started);
  EXPECT_EQ(uninstall.ExitCode, 0) << uninstall.Errors;
  for (int i = 0; i < 120 && QFileInfo::exists(root); ++i) QThread::msleep(500);
  EXPECT_FALSE(QFileInfo::exists(root)) << FilesBelow(root).join(QLatin1Char(' ')).toStdString();
  QDirIterator after(QString::fromStdString(wine->Prefix()) + QStringLiteral("/drive_c"), {QStringLiteral("*.lnk")},
                     QDir::Files, QDirIterator::Subdirectories);
  while (after.hasNext()) EXPECT_FALSE(after.next().contains(QStringLiteral("/WLT nastawy/")));
}

TEST(InstallerUnderWine, ZipHoldsTheSameProgramsThatRunWhereUnpacked) {
  WineSession* wine = PreparedWine();
  ASSERT_NE(wine, nullptr) << WineError();
  QTemporaryDir unpacked;
  ASSERT_TRUE(unpacked.isValid());
  QProcess unzip;
  unzip.setWorkingDirectory(unpacked.path());
  unzip.start(QStringLiteral(WLT_CMAKE), {QStringLiteral("-E"), QStringLiteral("tar"), QStringLiteral("xf"),
                                       kPackageStem + QStringLiteral(".zip")});
  ASSERT_TRUE(unzip.waitForFinished(120000));
  ASSERT_EQ(unzip.exitCode(), 0) << unzip.readAllStandardError().toStdString();
  const QString root = QDir(unpacked.path()).filePath(QFileInfo(kPackageStem).fileName());
  const QStringList files = FilesBelow(root);
  for (const QString& file : kInstalledFiles) EXPECT_TRUE(files.contains(file)) << file.toStdString();
  ShowsASettingsFile(*wine, root);
}

}  // namespace
