#include "launch/DemoSimulator.h"

#include "mdbcomp/PortMap.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>

bool DemoSimulator::Start(const QString& program, const QStringList& arguments, int timeoutMs,
                          QString& error) {
  Stop();
  // The simulator's complaints go to our own standard error.
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.setReadChannel(QProcess::StandardOutput);
  process_.start(program, arguments, QIODevice::ReadOnly);
  const QDeadlineTimer deadline(timeoutMs);
  if (!process_.waitForStarted(int(deadline.remainingTime()))) {
    error = QStringLiteral("cannot start %1: %2").arg(program, process_.errorString());
    return false;
  }
  while (!process_.canReadLine()) {
    if (process_.state() == QProcess::NotRunning || deadline.hasExpired() ||
        !process_.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())))) {
      if (process_.canReadLine()) break;
      error = QStringLiteral("%1 did not report its device").arg(program);
      Stop();
      return false;
    }
  }
  devicePath_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
  if (devicePath_.isEmpty()) {
    error = QStringLiteral("%1 reported no device").arg(program);
    Stop();
    return false;
  }
  return true;
}

void DemoSimulator::Stop() {
  if (process_.state() != QProcess::NotRunning) {
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
      process_.kill();
      process_.waitForFinished(3000);
    }
  }
  devicePath_.clear();
}

QStringList DemoSimulator::DemoArguments() {
  // Unpaced: a paced reply is sent byte by byte, and on a heavily loaded PC a
  // gap longer than the 10 ms silence would cut it and fail the first look.
  return {QStringLiteral("--factory-number"), QStringLiteral("7"),
          QStringLiteral("--production-year"), QStringLiteral("2019")};
}

bool DemoSimulator::StartDemo(const std::string& portName, QString& error) {
  const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("wlt-sim"));
  if (!Start(program, DemoArguments(), 10000, error)) return false;
  PortMap::Set(portName, devicePath_.toStdString());
  return true;
}
