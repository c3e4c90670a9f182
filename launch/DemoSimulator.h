#pragma once
// The controller simulator of the demo start: wlt-sim on a pseudo-terminal
// it creates itself. The simulator prints the device to open on its first
// line; it ends with this object (terminated, then waited for), and with
// the program even when the program is killed (Linux).

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

// wlt-sim needs a pseudo-terminal, which Windows has not: there the programs
// have no --demo at all (neither parsed nor offered in their usage).
#ifdef _WIN32
inline constexpr bool kDemoAvailable = false;
#else
inline constexpr bool kDemoAvailable = true;
#endif

class DemoSimulator {
 public:
  DemoSimulator() = default;
  ~DemoSimulator() { Stop(); }
  DemoSimulator(const DemoSimulator&) = delete;
  DemoSimulator& operator=(const DemoSimulator&) = delete;

  // Starts program with arguments and waits (up to timeoutMs) for the device
  // path. False with a reason in error when it does not start or print it.
  bool Start(const QString& program, const QStringList& arguments, int timeoutMs, QString& error);
  const QString& DevicePath() const { return devicePath_; }
  bool Running() const { return process_.state() != QProcess::NotRunning; }
  void Stop();

  // The simulator's options for the demo: a plausible controller.
  static QStringList DemoArguments();

  // Starts the demo: wlt-sim from the program's own folder with the demo's
  // options, its device then opened for portName ("COM1"). False with a
  // reason in error.
  bool StartDemo(const std::string& portName, QString& error);

 private:
  QProcess process_;
  QString devicePath_;
};
