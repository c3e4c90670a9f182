// wlt-nastawy: the service tool's window. The command line is read before
// the toolkit starts, so --help and bad options need no display.

#include "app/AppTexts.h"
#include "app/view/ApplicationIcon.h"
#include "app/view/MainWindow.h"
#include "app/view/ScreenshotTour.h"
#include "app/view/ViewFonts.h"
#include "app/view/ViewTranslations.h"
#include "launch/DemoSimulator.h"
#include "launch/LaunchOptions.h"
#include "launch/ProgramArguments.h"
#include "launch/ShutdownSignals.h"
#include "launch/WindowCommandLine.h"
#include "launch/WorkFolder.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
  const QStringList arguments = ProgramArguments::Arguments(argc, argv);
  const QString programName = ProgramArguments::ProgramName(argc, argv);

  CommandLine options;
  QString error;
  if (!ParseCommandLine(arguments, options, error) ||
      !LaunchOptions::ApplyPortMappings(options.portOptions, error)) {
    std::fprintf(stderr, "%s: %s\n%s", qPrintable(programName), qPrintable(error),
                 qPrintable(UsageText(programName)));
    return 2;
  }
  if (options.help) {
    std::fputs(qPrintable(UsageText(programName)), stdout);
    return 0;
  }

  QApplication app(argc, argv);
  // From here SIGTERM, SIGINT and SIGHUP close the window as its close
  // button does.
  ShutdownSignals::Install();
  // The title of the application is the caption of its message boxes.
  QApplication::setApplicationName(AppTexts::kApplicationTitle);
  QApplication::setFont(ViewFonts::WindowFont(8));
  QApplication::setWindowIcon(ApplicationIcon::Make());
  // The toolkit's dialogs speak Polish with the window, where Qt's
  // translation is installed.
  if (!ViewTranslations::InstallPolish(app))
    std::fprintf(stderr, "%s: Qt's Polish texts (qtbase_pl.qm) not found: the toolkit's dialogs stay English\n",
                 qPrintable(programName));

  // The work folder: named, or the default one of the desktop entry and the
  // demo start. Without any the program keeps the folder it was started in.
  const QString folder = WorkFolderToEnter(options, WorkFolder::DefaultPath());
  if (!folder.isEmpty()) {
    QString warning;
    if (!WorkFolder::EnterForProgram(folder, error, warning)) {
      std::fprintf(stderr, "%s: %s\n", qPrintable(programName), qPrintable(error));
      return 1;
    }
    if (!warning.isEmpty()) std::fprintf(stderr, "%s: %s\n", qPrintable(programName), qPrintable(warning));
  }

  DemoSimulator simulator;  // outlives the window: the port closes first
  if (options.demo) {
    if (!simulator.StartDemo("COM1", error)) {
      std::fprintf(stderr, "%s: --demo: %s\n", qPrintable(programName), qPrintable(error));
      return 1;
    }
  }

  if (!options.screenshotDir.isEmpty()) ScreenshotTour::WatchModalBoxes(options.screenshotDir);
  int result = 0;
  {
    MainWindow window;  // runs FormCreate once it is on screen
    ShutdownSignals::WhenReceived(&window, [&window](int) { window.CloseWhenIdle(); });
    window.show();
    if (!options.screenshotDir.isEmpty()) ScreenshotTour::Start(window, options.screenshotDir);
    result = QApplication::exec();
  }
  simulator.Stop();
  return result;
}
