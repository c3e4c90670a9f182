// The end on a signal, from outside: the window and wlt-nastawy-cli get
// SIGTERM, SIGINT or SIGHUP and close as the window's close button does,
// which closes and releases the port. Released shows on the pseudo-terminal
// the program had open: the program holds it exclusive (TIOCEXCL and a
// lock) while it is open, and a pseudo-terminal whose other side stays open
// keeps the exclusive mark when its opener dies without clearing it. A
// program killed outright (SIGKILL) shows that mark; one that closed its
// port does not. The demo's simulator ends with the window, however the
// window ends.

#include "ChildProcess.h"
#include "SimProcess.h"

#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

constexpr int kStartUpMs = 15000;

// How a pseudo-terminal looks to the next program that opens it.
std::string PortState(const std::string& device) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::string("cannot open: ") + std::strerror(errno);
  std::string state = "free";
  int exclusive = 0;
  if (::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0) state = "exclusive";
  else if (::flock(fd, LOCK_EX | LOCK_NB) != 0) state = "locked";
  ::close(fd);
  return state;
}

std::string Describe(int status) {
  if (WIFEXITED(status)) return "exit " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "status " + std::to_string(status);
}

// A folder for one program's files, removed with the object.
struct ScratchFolder {
  ScratchFolder() {
    char name[] = "/tmp/wlt-shutdown-XXXXXX";
    if (::mkdtemp(name)) path = name;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::string path;
};

struct Case {
  const char* name;  // also the signal's name
  bool window;              // the window, else wlt-nastawy-cli
  int signal;
  // The simulator's options: how long the program is kept busy.
  std::vector<std::string> simulator;
  // Requests on the frame log before the signal goes out.
  std::size_t requestsBefore;
  int waitBeforeSignalMs;   // and then this long
  int endWithinMs;          // after the signal
  const char* ending;       // "exit N" or "signal N"
  const char* port;         // the port afterwards
};

// The command-line program is signalled while its start-up waits for a
// controller that answers every request only on its second try, so it is
// stopped before its command's own handler. The window is signalled once
// its start-up is over (the controller found and the schedule read: five
// requests), or while the start-up's box stands after a controller that
// never answered. (In this order: the program's start-up does not wait.)
const Case kCases[] = {
    {"cli SIGTERM", false, SIGTERM, {"--answer-from-try", "2"}, 1, 0, 9000, "exit 143", "free"},
    {"cli SIGINT", false, SIGINT, {"--answer-from-try", "2"}, 1, 0, 9000, "exit 130", "free"},
    {"cli SIGHUP", false, SIGHUP, {"--answer-from-try", "2"}, 1, 0, 9000, "exit 129", "free"},
    {"window SIGTERM", true, SIGTERM, {}, 5, 0, 3000, "exit 0", "free"},
    {"window SIGINT", true, SIGINT, {}, 5, 0, 3000, "exit 0", "free"},
    {"window SIGHUP", true, SIGHUP, {}, 5, 0, 3000, "exit 0", "free"},
    // Killed outright it cannot release the port: what the check above sees then.
    {"window SIGKILL", true, SIGKILL, {}, 5, 0, 3000, "signal 9", "exclusive"},
    {"window SIGTERM in a box", true, SIGTERM, {"--no-answer"}, 1, 9500, 4000, "exit 0", "free"},
};

TEST(Shutdown, ASignalClosesThePortAsTheCloseButtonDoes) {
  struct Running {
    const Case* c;
    std::unique_ptr<ScratchFolder> scratch;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<ChildProcess> program;
  };
  // All at once: most of the time goes into waiting for time-outs.
  std::vector<Running> runs;
  for (const Case& c : kCases) {
    Running run{&c, std::make_unique<ScratchFolder>(), std::make_unique<SimProcess>(c.simulator), nullptr};
    const std::string& folder = run.scratch->path;
    ASSERT_TRUE(run.sim->Running()) << c.name;
    std::vector<std::string> argv;
    if (c.window) {
      argv = {WLT_NASTAWY_PATH, "--port", "COM1=" + run.sim->DevicePath(), "--work-dir", folder};
    } else {
      argv = {WLT_NASTAWY_CLI_PATH, "--port", run.sim->DevicePath(), "--work-dir", folder,
              "read-events", folder + "/zdarzenia.dat"};
    }
    run.program = std::make_unique<ChildProcess>(argv, std::vector<std::string>{"QT_QPA_PLATFORM=offscreen"});
    ASSERT_TRUE(run.program->Started()) << c.name;
    runs.push_back(std::move(run));
  }

  // Each signal when its program has come that far, then the ends.
  using Clock = std::chrono::steady_clock;
  std::vector<Clock::time_point> signalled;
  for (Running& run : runs) {
    const Case& c = *run.c;
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(proc::WaitFor([&] { return run.sim->Requests().size() >= c.requestsBefore; }, kStartUpMs))
        << run.program->Output();
    if (c.waitBeforeSignalMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(c.waitBeforeSignalMs));
    ASSERT_TRUE(run.program->Signal(c.signal));
    signalled.push_back(Clock::now());
  }
  for (std::size_t i = 0; i < runs.size(); ++i) {
    Running& run = runs[i];
    const Case& c = *run.c;
    SCOPED_TRACE(c.name);
    const auto left = signalled[i] + std::chrono::milliseconds(c.endWithinMs) - Clock::now();
    const int leftMs = int(std::max<long long>(
        0, std::chrono::duration_cast<std::chrono::milliseconds>(left).count()));
    int status = 0;
    ASSERT_TRUE(run.program->WaitForExit(leftMs, &status)) << "still running; " << run.program->Output();
    EXPECT_EQ(Describe(status), c.ending) << run.program->Output();
    EXPECT_EQ(PortState(run.sim->DevicePath()), c.port);
    if (!c.window) {
      // Stopped after its start-up: the start-up's five requests, each
      // twice, and none of the event readout; no event file; a word why.
      const std::vector<std::string> requests = run.sim->Requests();
      EXPECT_EQ(requests.size(), 10u);
      for (const std::string& frame : requests) EXPECT_NE(frame.substr(0, 11), "01 03 05 28") << frame;
      struct stat st {};
      EXPECT_NE(::stat((run.scratch->path + "/zdarzenia.dat").c_str(), &st), 0);
      const std::string signalName = std::string(c.name).substr(4, 7);
      EXPECT_NE(run.program->Output().find("read-events: stopped by " + signalName), std::string::npos)
          << run.program->Output();
    }
  }
}

// The demo: the window starts wlt-sim itself. However the window ends, the
// simulator ends with it and its pseudo-terminal is gone.
TEST(Shutdown, TheDemosSimulatorNeverOutlivesTheWindow) {
  for (const int signal : {SIGTERM, SIGKILL}) {
    SCOPED_TRACE(strsignal(signal));
    const ScratchFolder folder;
    ChildProcess window({WLT_NASTAWY_PATH, "--demo", "--work-dir", folder.path},
                        {"QT_QPA_PLATFORM=offscreen"});
    ASSERT_TRUE(window.Started());
    pid_t simulator = 0;
    ASSERT_TRUE(proc::WaitFor(
        [&] {
          const std::vector<pid_t> children = proc::Children(window.Pid(), "wlt-sim");
          if (!children.empty()) simulator = children.front();
          return simulator != 0 && !proc::Terminals(window.Pid()).empty();
        },
        kStartUpMs))
        << window.Output();
    const std::string device = proc::Terminals(window.Pid()).front();

    ASSERT_TRUE(window.Signal(signal));
    int status = 0;
    ASSERT_TRUE(window.WaitForExit(3000, &status)) << window.Output();
    EXPECT_TRUE(proc::WaitFor([&] { return !proc::Alive(simulator); }, 2000)) << "wlt-sim " << simulator;
    struct stat st {};
    EXPECT_TRUE(proc::WaitFor([&] { return ::stat(device.c_str(), &st) != 0; }, 2000)) << device;
  }
}

}  // namespace
