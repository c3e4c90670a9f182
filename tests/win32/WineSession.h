#pragma once
// A private wine installation for one test run: a fresh WINEPREFIX in a
// temporary folder, its COM1 pointing at a symbolic link that the tests aim at
// the simulator's pseudo-terminal, and a way to run a Windows program in it.
// Only this prefix's wineserver is ever ended.

#include <string>
#include <vector>

struct WineRun {
  bool Started = false;  // the program was started and ended within its time
  int ExitCode = -1;     // the Windows program's exit code
  std::string Output;    // its standard output
  std::string Errors;    // its standard error (wine's own messages included)
  long ElapsedMs = 0;    // wall time of the whole wine run
};

class WineSession {
 public:
  // wine, wineboot and wineserver are the paths of those programs.
  WineSession(std::string wine, std::string wineboot, std::string wineserver);
  ~WineSession();
  WineSession(const WineSession&) = delete;
  WineSession& operator=(const WineSession&) = delete;

  // Creates the prefix (wineboot -i) and maps COM1 to the link. False, with
  // the reason in Error(), when wine could not be set up.
  bool Prepare();
  const std::string& Error() const { return error_; }
  const std::string& Prefix() const { return prefix_; }
  long PrepareMs() const { return prepareMs_; }

  // Aims COM1 at a device (the simulator's pty); the next open follows it.
  bool PointCom1At(const std::string& devicePath);

  // Sets a variable of the environment of the programs run from now on (a
  // DISPLAY for a program with windows: none is passed on otherwise).
  void SetEnvironment(const std::string& name, const std::string& value);

  // Runs a Windows program under wine with no input, collecting its output.
  WineRun Run(const std::string& exe, const std::vector<std::string>& args,
              int timeoutMs = 60000);

 private:
  // Runs a program with this prefix's environment; the exit status, or -1.
  int RunTool(const std::vector<std::string>& argv, int timeoutMs, std::string* output,
              std::string* errors = nullptr);
  std::vector<std::string> Environment() const;

  std::string wine_, wineboot_, wineserver_;
  std::string root_;     // temporary folder holding everything below
  std::string prefix_;   // WINEPREFIX
  std::string com1Link_; // what HKLM\Software\Wine\Ports\COM1 names
  std::string error_;
  std::vector<std::string> extraEnvironment_;  // NAME=VALUE
  long prepareMs_ = 0;
  int runs_ = 0;
};
