#pragma once
// SIGTERM, SIGINT and SIGHUP end the programs as their user would: the window
// closes as by its close button, the command-line program stops before its
// next step. Either way the handler that runs is finished first and the port
// is closed and released (FormDestroy) before the program ends, so a
// pseudo-terminal is not left exclusive and no device operation is cut in
// the middle of its tries. A second signal ends the program at once, with
// the signal's own default action. QtCore only.

#include <QObject>

#include <functional>

namespace ShutdownSignals {

// Catches the three signals from now on. False when they cannot be caught
// (the program then ends on them as it would without this).
bool Install();

// The first of the three signals caught since Install, or 0.
int Received();

// Calls onSignal with that signal from the event loop of context's thread,
// once, as soon as one has been caught (also when it came before this call).
void WhenReceived(QObject* context, std::function<void(int)> onSignal);

// The signal's name for messages ("SIGTERM").
const char* Name(int signal);

}  // namespace ShutdownSignals
