// Saves that survive a kill: wlt-nastawy-cli saves a settings file
// (read-settings) and an event file (read-events) over an older one and is
// killed with SIGKILL at a random moment of its run. After every kill the
// folder holds the old file or the new one, complete (the window's loader
// reads it), never neither and never a mix; the backup of the settings file
// is the old file, complete. The save's own moments are widened by
// SavePause.cpp (preloaded, test only), so that about half of the kills fall
// inside a save; every second run saves through a named temporary file, as
// on a file system without unnamed ones.
//
// WLT_KILL_RUNS sets the runs per file (40 by default; scripts/crash-saves.sh
// runs 200 and more).

#include "AppTestSupport.h"
#include "ChildProcess.h"
#include "SimProcess.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <chrono>
#include <iostream>
#include <map>
#include <random>

namespace {

constexpr int kPauseMs = 40;

int Runs() {
  const QByteArray text = qgetenv("WLT_KILL_RUNS");
  const int runs = text.isEmpty() ? 40 : text.toInt();
  return runs > 0 ? runs : 40;
}

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

struct FileKind {
  const char* name;
  const char* command;
  const char* fileName;
  std::vector<std::string> oldController, newController;
  // The line that differs between two saves of the same readout (the PC's
  // time stamp of an event file), -1 for none.
  int stampLine;
};

const FileKind kKinds[] = {
    {"settings file", "read-settings", "WLT_nastawy_007.txt",
     {"--factory-number", "7", "--set", "901=30", "--set", "801=0x0005"},
     {"--factory-number", "7", "--set", "901=50", "--set", "801=0x0A00"},
     -1},
    {"event file", "read-events", "zdarzenia.dat",
     {"--factory-number", "7", "--freeze-clock", "--clock", "2026-12-08T10:20:30", "--event-history", "1"},
     {"--factory-number", "7", "--freeze-clock", "--clock", "2026-12-09T11:21:31", "--event-history", "2"},
     5},
};

// For GoogleTest's names of the cases.
void PrintTo(const FileKind& kind, std::ostream* out) { *out << kind.name; }

// The file with its stamp line left out.
QByteArray WithoutStamp(const QByteArray& bytes, int stampLine) {
  if (stampLine < 0) return bytes;
  QList<QByteArray> lines = bytes.split('\n');
  if (stampLine < lines.size()) lines.removeAt(stampLine);
  return lines.join('\n');
}

// The window's loader on the file: true when it read it all.
bool Loads(const FileKind& kind, const QString& path) {
  FakeUi ui;
  TForm1 form(ui);
  form.InitSettingsCatalogue();
  if (kind.stampLine >= 0) return form.ReadEventFile(path) && ui.Beeps == 0 && ui.Messages.isEmpty();
  ui.OpenAnswers.push_back(path);
  form.Otwrz1Click();
  return ui.Beeps == 0 && ui.Messages.isEmpty() && !form.Caption.endsWith(QLatin1Char('*'));
}

// Where in its run a program was when it ended: the last moment of a save
// the preloaded library noted ("sync", "rename NAME", "renamed NAME"), or
// "before any save".
std::string LastMoment(const QString& log) {
  const QList<QByteArray> lines = Bytes(log).trimmed().split('\n');
  return lines.isEmpty() || lines.back().isEmpty() ? std::string("before any save") : lines.back().toStdString();
}

class CrashSafeSave : public ::testing::TestWithParam<FileKind> {
 protected:
  // One run of the command on a fresh controller (a killed program leaves
  // its pseudo-terminal marked exclusive); killAfterMs < 0 lets it finish.
  // Returns the wait status; moment: where the run ended.
  int RunCommand(const std::vector<std::string>& controller, bool namedTemp, int killAfterMs,
                 std::string* output = nullptr, std::string* moment = nullptr) {
    SimProcess sim(controller);
    EXPECT_TRUE(sim.Running());
    const QString log = QDir(folder.path()).filePath(QStringLiteral("moments.log"));
    QFile::remove(log);
    std::vector<std::string> environment{"WLT_TEST_SAVE_PAUSE_MS=" + std::to_string(kPauseMs),
                                         "WLT_TEST_SAVE_LOG=" + log.toStdString(),
                                         std::string("LD_PRELOAD=") + WLT_SAVE_PAUSE_LIBRARY};
    if (namedTemp) environment.push_back("WLT_TEST_NO_UNNAMED_TEMP=1");
    ChildProcess program({WLT_NASTAWY_CLI_PATH, "--port", sim.DevicePath(), "--work-dir", folder.path().toStdString(),
                          GetParam().command, Target().toStdString()},
                         environment);
    EXPECT_TRUE(program.Started());
    int status = -1;
    if (killAfterMs >= 0 && !program.WaitForExit(killAfterMs, &status)) {
      program.Signal(SIGKILL);
      program.WaitForExit(5000, &status);
    } else if (killAfterMs < 0) {
      EXPECT_TRUE(program.WaitForExit(60000, &status));
    }
    if (output) *output = program.Output();
    if (moment) *moment = LastMoment(log);
    QFile::remove(log);
    return status;
  }

  QString Target() const { return QDir(folder.path()).filePath(QString::fromLatin1(GetParam().fileName)); }
  QString Backup() const {
    return QDir(folder.path()).filePath(QFileInfo(Target()).completeBaseName() + QStringLiteral(".bak"));
  }
  // What a killed save may leave beside the target: its temporary file.
  QStringList Leftovers() const {
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(QString::fromLatin1(GetParam().fileName)) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QStringList names;
    for (const QString& name : QDir(folder.path()).entryList(QDir::Files))
      if (temporary.match(name).hasMatch()) names << name;
    return names;
  }

  QTemporaryDir folder;
};

TEST_P(CrashSafeSave, AKillAtAnyMomentLeavesTheOldOrTheNewFileComplete) {
  const FileKind& kind = GetParam();
  ASSERT_TRUE(folder.isValid());
  const std::string renaming = std::string("rename ") + kind.fileName;
  const std::string renamed = std::string("renamed ") + kind.fileName;

  // The old file, then the new one as a run to its end writes it, and how
  // long such a run takes.
  std::string output;
  ASSERT_EQ(RunCommand(kind.oldController, false, -1, &output), 0) << output;
  const QByteArray oldBytes = Bytes(Target());
  ASSERT_FALSE(oldBytes.isEmpty());
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunCommand(kind.newController, false, -1, &output), 0) << output;
  const int runMs = int(std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start).count());
  const QByteArray newBytes = Bytes(Target());
  ASSERT_NE(WithoutStamp(newBytes, kind.stampLine), WithoutStamp(oldBytes, kind.stampLine));
  ASSERT_TRUE(Loads(kind, Target()));

  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> killAt(0, runMs + runMs / 3);
  std::map<std::string, int> kills;  // by the moment they fell in
  int oldKept = 0, newWritten = 0, insideSave = 0;
  const int runs = Runs();
  for (int run = 0; run < runs; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    ASSERT_TRUE(Put(Target(), oldBytes));
    std::string moment;
    const int status = RunCommand(kind.newController, run % 2 == 1, killAt(random), nullptr, &moment);
    const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    if (killed) {
      ++kills[moment];
      if (moment != "before any save" && moment != renamed) ++insideSave;
    } else {
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
      moment = renamed;
    }

    // The old file until the new one was renamed into its place, then the
    // new one; complete either way. A kill that fell into the rename itself
    // (noted before the call, and not yet noted as done) may find either.
    SCOPED_TRACE("ended at: " + moment);
    ASSERT_TRUE(QFileInfo::exists(Target())) << "neither file";
    const QByteArray now = Bytes(Target());
    const bool isNew = WithoutStamp(now, kind.stampLine) == WithoutStamp(newBytes, kind.stampLine);
    if (moment == renaming && (isNew || now == oldBytes)) {
      ++(isNew ? newWritten : oldKept);
    } else if (moment == renamed) {
      EXPECT_TRUE(isNew) << "size " << now.size() << ", new " << newBytes.size();
      ++newWritten;
    } else {
      EXPECT_EQ(now, oldBytes) << "new: " << (WithoutStamp(now, kind.stampLine) == WithoutStamp(newBytes, kind.stampLine))
                               << " size " << now.size() << " old " << oldBytes.size();
      ++oldKept;
    }
    EXPECT_TRUE(Loads(kind, Target()));
    // The settings file's backup: the old file, complete, whenever it is there.
    if (QFileInfo::exists(Backup())) {
      EXPECT_EQ(Bytes(Backup()), oldBytes);
    }
  }
  std::cout << kind.name << ": " << runs << " runs of about " << runMs << " ms; old file kept " << oldKept
            << ", new file " << newWritten << "; kills by the moment they fell in:";
  for (const auto& [moment, count] : kills) std::cout << " [" << moment << "] " << count;
  std::cout << std::endl;
  // The kills did reach into the saves.
  EXPECT_GT(insideSave, 0);

  // Temporary files left by kills break nothing: the next save writes the
  // new file, and they are left alone (a name like theirs may be a file of
  // the user's).
  const QStringList leftovers = Leftovers();
  std::cout << kind.name << ": " << leftovers.size() << " temporary files left by the kills" << std::endl;
  ASSERT_TRUE(Put(Target(), oldBytes));
  ASSERT_EQ(RunCommand(kind.newController, false, -1, &output), 0) << output;
  EXPECT_EQ(WithoutStamp(Bytes(Target()), kind.stampLine), WithoutStamp(newBytes, kind.stampLine));
  EXPECT_TRUE(Loads(kind, Target()));
  EXPECT_EQ(Leftovers(), leftovers);
}

INSTANTIATE_TEST_SUITE_P(Files, CrashSafeSave, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<FileKind>& info) {
                           return std::string(info.param.stampLine < 0 ? "SettingsFile" : "EventFile");
                         });

}  // namespace
