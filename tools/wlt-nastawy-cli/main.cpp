// wlt-nastawy-cli: the window's commands without the window. It runs the
// same handlers on the same window state, with a Ui for a terminal, and
// links no widgets.

#include "CliCommandLine.h"
#include "CliCommands.h"
#include "StandardOutput.h"
#include "TerminalUi.h"
#include "app/TForm1.h"
#include "launch/DemoSimulator.h"
#include "launch/LaunchOptions.h"
#include "launch/ProgramArguments.h"
#include "launch/ShutdownSignals.h"
#include "launch/WorkFolder.h"
#include "mdbcomp/LinkTrace.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

void WriteLine(std::FILE* stream, const QString& line) {
  const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
  std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
  std::fflush(stream);
}

// Standard error carries the window's messages and the program's own. Qt's
// notes on its environment (a run-time folder not set under cron, a painter
// that did not start on an unwritable PDF, reported by the printing layer
// already) would only crowd them; its critical errors still go through.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) WriteLine(stderr, QStringLiteral("Qt: ") + text);
}

// Standard output that lost anything turns a command that did what it says
// into a failure; the command's own failure stands as it was.
int Finish(StandardOutput& output, int status, const QString& programName) {
  if (output.Close()) return status;
  WriteLine(stderr, programName + QStringLiteral(": standard output: ") + output.ErrorText());
  return status == 0 ? 1 : status;
}

int RunProgram(int argc, char** argv, StandardOutput& output) {
  qInstallMessageHandler(QtMessages);
  ProgramArguments::UseUtf8Console();
  const QStringList arguments = ProgramArguments::Arguments(argc, argv);
  const QString programName = ProgramArguments::ProgramName(argc, argv);
  const auto complain = [&programName](const QString& text) {
    WriteLine(stderr, programName + QStringLiteral(": ") + text);
  };

  CliRequest request;
  QString error;
  if (!ParseCliCommandLine(arguments, request, error)) {
    complain(error);
    WriteLine(stderr, QStringLiteral("Try \"%1 --help\".").arg(programName));
    return 2;
  }
  if (request.help) {
    output.Write(CliUsage(programName).toUtf8());
    return 0;
  }

  // A PDF is painted with the fonts of a GUI application; it never needs a
  // screen, so on Linux without a platform named it takes the offscreen
  // one. Windows has its windows platform everywhere (the mingw Qt has no
  // other), and it opens no window for a PDF.
  std::unique_ptr<QCoreApplication> application;
  if (request.entry->writesPdf) {
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    application = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    application = std::make_unique<QCoreApplication>(argc, argv);
  }

  // SIGTERM, SIGINT and SIGHUP stop the command before its next handler;
  // the port is then closed as the window closes it.
  ShutdownSignals::Install();

  // Files named on the command line are where the user stands, also when
  // the work folder is elsewhere.
  if (request.entry->takesFiles)
    for (QString& file : request.arguments) file = QFileInfo(file).absoluteFilePath();

  if (!request.workDir.isEmpty()) {
    QString warning;
    if (!WorkFolder::EnterForProgram(request.workDir, error, warning)) {
      complain(error);
      return 1;
    }
    if (!warning.isEmpty()) complain(warning);
  }

  LaunchOptions::ApplyPortMap(request.line);
  DemoSimulator simulator;  // outlives the window state: the port closes first
  if (request.demo) {
    const std::string portName = "COM" + std::to_string(int(request.line.startUp.Port) + 1);
    if (!simulator.StartDemo(portName, error)) {
      complain(QStringLiteral("--demo: ") + error);
      return 1;
    }
  }

  const TerminalUi::Sink out = [&output](const QString& line) { output.WriteLine(line); };
  const std::function<bool()> outputIntact = [&output] { return output.Intact(); };
  TerminalUi ui(
      out, [](const QString& line) { WriteLine(stderr, line); }, request.yes);
  int status = 1;
  LinkTrace trace(stderr);
  {
    TForm1 form(ui);
    if (request.trace) form.Mdb1.SetObserver(&trace);
    status = RunCliCommand(request, form, ui, out, outputIntact);
  }
  simulator.Stop();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  StandardOutput::TakeBrokenPipeAsError();
  StandardOutput output(stdout);
  const int status = RunProgram(argc, argv, output);
  return Finish(output, status, QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
}
