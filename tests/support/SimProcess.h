// Runs wlt-sim as a child process for integration tests: starts it on a fresh
// pseudo-terminal with a temporary frame log, waits until it printed the device
// path, and ends it again in the destructor. POSIX only, header-only.
//
// A start that fails (no simulator built, exec error, no path printed within
// the start time-out) never hangs: Running() is false and DevicePath() empty.
#pragma once

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

struct SimProcess {
  explicit SimProcess(std::vector<std::string> extraArgs = {}) { Start(std::move(extraArgs)); }

  ~SimProcess() {
    Stop();
    if (!logPath_.empty()) ::unlink(logPath_.c_str());
  }

  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // The pty path the master opens; empty when the start failed.
  const std::string& DevicePath() const { return devicePath_; }

  // True while the child is alive (it is reaped here once it has ended).
  bool Running() const {
    if (pid_ <= 0) return false;
    int status = 0;
    pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_ || (r < 0 && errno == ECHILD)) {
      pid_ = -1;
      return false;
    }
    return true;
  }

  // Each request frame received, in order, as upper-case hex bytes separated by blanks.
  std::vector<std::string> Requests() const { return Frames("RX"); }
  // Each reply frame sent, same format.
  std::vector<std::string> Replies() const { return Frames("TX"); }

  // The whole log text.
  std::string Log() const {
    std::ifstream in(logPath_, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  // Empties the log; the simulator appends, so later lines start at the top.
  void ClearLog() {
    if (!logPath_.empty() && ::truncate(logPath_.c_str(), 0) != 0) {
      // A log that cannot be emptied makes the next assertions on it fail.
    }
  }

  // The temporary log file (for diagnostics in failing tests).
  const std::string& LogPath() const { return logPath_; }
  pid_t Pid() const { return pid_; }

  // Sends a signal to the child (tests of the shutdown behaviour).
  bool Signal(int sig) const { return pid_ > 0 && ::kill(pid_, sig) == 0; }

  // Waits up to timeoutMs for the child to end by itself; returns whether it did.
  bool WaitForExit(int timeoutMs, int* exitStatus = nullptr) {
    if (pid_ <= 0) return true;
    bool ended = WaitPid(timeoutMs, exitStatus);
    return ended;
  }

 private:
  static constexpr int kStartTimeoutMs = 5000;
  static constexpr int kStopTimeoutMs = 3000;

  void Start(std::vector<std::string> extraArgs) {
#ifdef WLT_SIM_PATH
    const std::string simPath = WLT_SIM_PATH;
#else
    const std::string simPath;
#endif
    if (simPath.empty()) return;

    char logTemplate[] = "/tmp/wlt-sim-log-XXXXXX";
    int logFd = ::mkstemp(logTemplate);
    if (logFd < 0) return;
    ::close(logFd);
    logPath_ = logTemplate;

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return;

    std::vector<std::string> args{simPath, "--log", logPath_};
    for (auto& a : extraArgs) args.push_back(std::move(a));
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // The child must not keep the test's ports (and their locks) open.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
#endif
    pid_t pid = -1;
    int rc = ::posix_spawn(&pid, simPath.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
      ::close(pipeFds[0]);
      return;
    }
    pid_ = pid;

    std::string line;
    bool gotLine = ReadFirstLine(pipeFds[0], line);
    ::close(pipeFds[0]);
    if (!gotLine || line.empty()) {
      Stop();
      return;
    }
    devicePath_ = line;
  }

  // Reads up to the first newline, giving up at the start time-out or at end of file.
  static bool ReadFirstLine(int fd, std::string& line) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    for (;;) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return false;
      pollfd p{fd, POLLIN, 0};
      int r = ::poll(&p, 1, static_cast<int>(left));
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) return false;
      char c;
      ssize_t n = ::read(fd, &c, 1);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      if (c == '\n') return true;
      if (c != '\r') line.push_back(c);
      if (line.size() > 4096) return false;
    }
  }

  // Waits for the child with a time-out: poll() on a process file descriptor, so
  // the wait sleeps in the kernel rather than spinning.
  bool WaitPid(int timeoutMs, int* exitStatus) {
    int status = 0;
    pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == 0) {
      int pidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
      if (pidFd >= 0) {
        pollfd p{pidFd, POLLIN, 0};
        int pr;
        do {
          pr = ::poll(&p, 1, timeoutMs);
        } while (pr < 0 && errno == EINTR);
        ::close(pidFd);
        if (pr <= 0) return false;
      } else {
        return false;  // cannot wait with a time-out here; the caller escalates
      }
      r = ::waitpid(pid_, &status, 0);
    }
    if (r == pid_ || (r < 0 && errno == ECHILD)) {
      if (exitStatus) *exitStatus = status;
      pid_ = -1;
      return true;
    }
    return false;
  }

  void Stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    if (WaitPid(kStopTimeoutMs, nullptr)) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }

  std::vector<std::string> Frames(const char* direction) const {
    std::vector<std::string> frames;
    std::istringstream in(Log());
    std::string line;
    const std::string tag = std::string(" ") + direction + " ";
    while (std::getline(in, line)) {
      // "<time> RX 01 03 ..." : the tag follows the first blank-free field.
      auto firstBlank = line.find(' ');
      if (firstBlank == std::string::npos) continue;
      if (line.compare(firstBlank, tag.size(), tag) != 0) continue;
      std::string bytes = line.substr(firstBlank + tag.size());
      while (!bytes.empty() && (bytes.back() == '\r' || bytes.back() == ' ')) bytes.pop_back();
      frames.push_back(bytes);
    }
    return frames;
  }

  mutable pid_t pid_ = -1;
  std::string devicePath_;
  std::string logPath_;
};
