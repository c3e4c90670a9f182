#pragma once
// wlt-nastawy-cli as a user runs it, against wlt-sim on a pseudo-terminal:
// the program in a scratch folder holding the general description file, its
// exit status, standard output and standard error, and the frames on the
// simulator's log. The headless window (TForm1 with the FakeUi) can run on
// the same simulator for the same state, to compare what both write.

#include "AppTestSupport.h"
#include "SimProcess.h"
#include "mdbcomp/PortMap.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

struct CliOutcome {
  int status = -1;
  QStringList out;  // lines of standard output
  QString err;
};

inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every line of a UTF-8 text ending in LF.
inline QStringList Lines(const QByteArray& text) {
  QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

class CliOnSim : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Valid());
    ASSERT_TRUE(QFile::copy(GeneralFile(), Path(QStringLiteral("WLT_nast_rejzd_000.txt"))));
  }
  void TearDown() override { PortMap::Clear(); }

  static QString Program() { return QStringLiteral(WLT_NASTAWY_CLI_PATH); }
  // The copy in the build tree, beside the programs.
  static QString GeneralFile() {
    return QFileInfo(Program()).dir().filePath(QStringLiteral("../share/wlt-nastawy/WLT_nast_rejzd_000.txt"));
  }
  QString Path(const QString& name) const { return QDir(folder.Path()).filePath(name); }

  void StartSim(std::vector<std::string> args = {}) {
    sim = std::make_unique<SimProcess>(std::move(args));
    ASSERT_TRUE(sim->Running()) << "wlt-sim did not start";
  }

  // Runs the program in the scratch folder, on the simulator's device unless
  // the arguments name their own port.
  CliOutcome Cli(QStringList arguments, bool onSim = true, int timeoutMs = 60000) {
    if (onSim && sim)
      arguments =
          QStringList{QStringLiteral("--port"), QString::fromStdString(sim->DevicePath())} + arguments;
    QProcess process;
    process.setWorkingDirectory(folder.Path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program picks its own
    process.setProcessEnvironment(environment);
    // Standard output into a file (a full device), or into a pipe nobody
    // reads any more, as after "| head -1" has ended.
    if (!standardOutputFile.isEmpty()) process.setStandardOutputFile(standardOutputFile);
    int pipeEnds[2] = {-1, -1};
    if (standardOutputPipeClosed) {
      if (::pipe(pipeEnds) != 0) return CliOutcome{-1, {}, QStringLiteral("no pipe")};
      ::close(pipeEnds[0]);
      const int writeEnd = pipeEnds[1];
      process.setChildProcessModifier([writeEnd] { ::dup2(writeEnd, 1); });
    }
    process.start(Program(), arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (pipeEnds[1] >= 0) ::close(pipeEnds[1]);
    CliOutcome outcome;
    if (!finished) {
      process.kill();
      process.waitForFinished();
      outcome.err = QStringLiteral("timed out");
      return outcome;
    }
    outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.out = Lines(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
  }

  // The function-6 requests the simulator received, in order.
  std::vector<std::string> Writes() const {
    std::vector<std::string> writes;
    for (const std::string& frame : sim->Requests())
      if (frame.size() > 5 && frame.compare(3, 2, "06") == 0) writes.push_back(frame);
    return writes;
  }

  // The headless window on the same simulator, started as the window starts.
  void StartWindow() {
    PortMap::Set("COM1", sim->DevicePath());
    form.FormCreate();
    ASSERT_TRUE(form.ControllerFound());
  }

  // Where the next runs' standard output goes instead of the test's pipe.
  QString standardOutputFile;
  bool standardOutputPipeClosed = false;

  TempCurrentFolder folder;  // the program's folder, and the window's
  std::unique_ptr<SimProcess> sim;
  FakeUi ui;
  TForm1 form{ui};
};
