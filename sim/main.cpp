// wlt-sim: a WLT controller simulator, a Modbus RTU slave on a pseudo-terminal.
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "ControllerModel.h"
#include "FrameLog.h"
#include "SerialEndpoint.h"
#include "SimOptions.h"
#include "SlaveLoop.h"

int main(int argc, char** argv) {
  using namespace wltsim;
  SimOptions options;
  std::string message;
  switch (ParseOptions(argc, argv, options, message)) {
    case ParseOutcome::Help:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case ParseOutcome::Error:
      std::fprintf(stderr, "wlt-sim: %s\nTry 'wlt-sim --help'.\n", message.c_str());
      return 2;
    case ParseOutcome::Run:
      break;
  }
  if (options.clockStart) {
    ControllerClock probe;
    if (!probe.SetFromText(*options.clockStart)) {
      std::fprintf(stderr, "wlt-sim: invalid value for --clock: %s\n", options.clockStart->c_str());
      return 2;
    }
  }

  // Signals arrive through a descriptor the frame loop polls, so it ends cleanly
  // between frames and the symlink is removed.
  sigset_t endSignals;
  sigemptyset(&endSignals);
  sigaddset(&endSignals, SIGTERM);
  sigaddset(&endSignals, SIGINT);
  sigaddset(&endSignals, SIGHUP);
  sigprocmask(SIG_BLOCK, &endSignals, nullptr);
  int signalFd = signalfd(-1, &endSignals, SFD_CLOEXEC);
  if (signalFd < 0) {
    std::perror("wlt-sim: signalfd");
    return 1;
  }
  signal(SIGPIPE, SIG_IGN);

  FrameLog log;
  if (!log.Open(options.logPath, message)) {
    std::fprintf(stderr, "wlt-sim: %s\n", message.c_str());
    return 1;
  }
  ControllerModel model(options);
  if (!model.Ready()) {
    std::fprintf(stderr, "wlt-sim: %s\n", model.Error().c_str());
    return 1;
  }
  int status = 1;
  {
    SerialEndpoint line;
    if (!line.Open(options, message)) {
      std::fprintf(stderr, "wlt-sim: %s\n", message.c_str());
      return 1;
    }
    std::printf("%s\n", line.Path().c_str());
    std::fflush(stdout);
    SlaveLoop loop(options, line, model, log);
    status = loop.Run(signalFd);
  }
  ::close(signalFd);
  return status;
}
