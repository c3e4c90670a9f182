#include "WindowsProgramRun.h"

#include "WineTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

std::vector<std::string> SteadyControllerOptions() {
  return {"--factory-number", "7", "--production-year", "2019", "--clock", "2024-03-05T10:20:30",
          "--freeze-clock"};
}

WineSession* PreparedWine() {
  WineSession* wine = Wine();
  if (wine) wine->SetEnvironment("LC_ALL", "C.UTF-8");
  return wine;
}

std::string WindowsPath(const QString& linuxPath) {
  return "Z:" + QDir::toNativeSeparators(QDir::cleanPath(linuxPath)).toStdString();
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray WithoutPcStamp(const QByteArray& bytes) {
  const QByteArray marker = "PC: ";
  QList<QByteArray> lines = bytes.split('\n');
  for (QByteArray& line : lines) {
    const qsizetype at = line.indexOf(marker);
    if (at < 0) continue;
    const bool crLf = line.endsWith('\r');
    line = line.left(at + marker.size()) + "<PC>" + (crLf ? "\r" : "");
  }
  return lines.join('\n');
}

QStringList OutputLines(const QByteArray& output) {
  QStringList lines = QString::fromUtf8(output).split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  for (QString& line : lines)
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  return lines;
}

QStringList OutputLines(const std::string& output) {
  return OutputLines(QByteArray::fromStdString(output));
}

QString GeneralDescriptionFile() {
  return QFileInfo(QStringLiteral(WLT_NASTAWY_CLI_PATH))
      .dir()
      .filePath(QStringLiteral("../share/wlt-nastawy/WLT_nast_rejzd_000.txt"));
}

LinuxRun RunLinuxCli(const QString& folder, const QString& device, const QStringList& arguments) {
  LinuxRun run;
  QDir().mkpath(folder);
  const QString general = QDir(folder).filePath(QStringLiteral("WLT_nast_rejzd_000.txt"));
  if (!QFileInfo::exists(general)) QFile::copy(GeneralDescriptionFile(), general);
  QProcess process;
  process.setWorkingDirectory(folder);
  process.start(QStringLiteral(WLT_NASTAWY_CLI_PATH), QStringList{QStringLiteral("--port"), device} + arguments);
  if (!process.waitForFinished(120000)) {
    process.kill();
    process.waitForFinished();
    run.err = "timed out";
    return run;
  }
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

WineRun RunWindowsProgram(WineSession& wine, const std::string& exe, const std::vector<std::string>& args,
                          int timeoutMs) {
  return wine.Run(WindowsProgram(exe), args, timeoutMs);
}
