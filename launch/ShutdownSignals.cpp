#include "launch/ShutdownSignals.h"

#include <QSocketNotifier>

#include <csignal>

#ifndef _WIN32
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>
#endif

namespace ShutdownSignals {

#ifndef _WIN32

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

volatile std::sig_atomic_t received = 0;
// The handler's note to the event loop: one byte per signal.
int wakeUp[2] = {-1, -1};

void SetDefault(int signal) {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
}

extern "C" void OnSignal(int signal) {
  const int savedErrno = errno;
  if (received == 0) received = signal;
  // The next one takes the default way out: a user who asks twice is not
  // kept waiting for the operation in progress.
  for (const int s : kSignals) SetDefault(s);
  const char byte = 1;
  (void)!::write(wakeUp[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

bool Install() {
  if (wakeUp[0] < 0 && ::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  bool all = true;
  for (const int signal : kSignals) {
    struct sigaction previous {};
    if (sigaction(signal, nullptr, &previous) != 0) {
      all = false;
      continue;
    }
    // A signal ignored when the program started (nohup) stays ignored.
    if (previous.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (const int s : kSignals) sigaddset(&action.sa_mask, s);
    // File and pipe calls go on; the serial line's waits see EINTR and
    // wait on to their own deadlines.
    action.sa_flags = SA_RESTART;
    if (sigaction(signal, &action, nullptr) != 0) all = false;
  }
  return all;
}

int Received() { return int(received); }

void WhenReceived(QObject* context, std::function<void(int)> onSignal) {
  if (wakeUp[0] < 0 || !context) return;
  auto* notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, context);
  QObject::connect(notifier, &QSocketNotifier::activated, context,
                   [notifier, onSignal = std::move(onSignal)] {
                     char bytes[16];
                     while (::read(wakeUp[0], bytes, sizeof bytes) > 0) {
                     }
                     if (received == 0 || !notifier->isEnabled()) return;
                     notifier->setEnabled(false);
                     onSignal(int(received));
                   });
}

#else  // Windows: the console's Ctrl+C still ends the program at once.

bool Install() { return false; }
int Received() { return 0; }
void WhenReceived(QObject*, std::function<void(int)>) {}

#endif

const char* Name(int signal) {
  switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
#ifdef SIGHUP
    case SIGHUP: return "SIGHUP";
#endif
    default: return "a signal";
  }
}

}  // namespace ShutdownSignals
