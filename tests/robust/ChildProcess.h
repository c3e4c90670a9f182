#pragma once
// A program of ours run as a child process by the robustness tests: started
// with posix_spawn (its standard output and error into a file), signalled,
// waited for with a time-out on a process descriptor (no busy waiting), and
// killed in the destructor if it is still there. Also: the processes a
// process started, and the pseudo-terminals it holds open. Linux only.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

class ChildProcess {
 public:
  // argv[0] is the program's path. extraEnvironment: "NAME=VALUE" entries
  // added to (or replacing) this process's environment.
  ChildProcess(std::vector<std::string> argv, const std::vector<std::string>& extraEnvironment = {},
               const std::string& workingFolder = {}) {
    char outputTemplate[] = "/tmp/wlt-child-output-XXXXXX";
    const int outputFd = ::mkstemp(outputTemplate);
    if (outputFd < 0) return;
    outputPath_ = outputTemplate;

    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      bool replaced = false;
      for (const std::string& extra : extraEnvironment)
        if (entry.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0) replaced = true;
      if (!replaced) environment.push_back(entry);
    }
    environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
    std::vector<char*> envp, args;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDERR_FILENO);
    if (!workingFolder.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    pid_t pid = -1;
    if (::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data()) == 0) pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    ::close(outputFd);
  }

  ~ChildProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      int status = 0;
      while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
    }
    if (!outputPath_.empty()) ::unlink(outputPath_.c_str());
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0 || ended_; }
  pid_t Pid() const { return pid_; }
  bool Signal(int sig) const { return pid_ > 0 && ::kill(pid_, sig) == 0; }

  // Waits up to timeoutMs for the child to end; true when it has, with its
  // wait status in status.
  bool WaitForExit(int timeoutMs, int* status = nullptr) {
    if (pid_ <= 0) {
      if (status) *status = status_;
      return ended_;
    }
    const int pidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    if (pidFd < 0) return false;
    pollfd p{pidFd, POLLIN, 0};
    int r;
    do {
      r = ::poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    ::close(pidFd);
    if (r <= 0) return false;
    int s = 0;
    if (::waitpid(pid_, &s, 0) != pid_) return false;
    pid_ = -1;
    ended_ = true;
    status_ = s;
    if (status) *status = s;
    return true;
  }

  // What the child wrote on its standard output and error.
  std::string Output() const {
    std::ifstream in(outputPath_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  pid_t pid_ = -1;
  bool ended_ = false;
  int status_ = 0;
  std::string outputPath_;
};

namespace proc {

// The state letter of a process (R, S, Z ...), or 0 when there is none.
inline char State(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return 0;
  const auto close = line.rfind(')');
  return close == std::string::npos || close + 2 >= line.size() ? 0 : line[close + 2];
}

// Alive: there and not a zombie waiting for its parent (or for init, which
// in a container may never come).
inline bool Alive(pid_t pid) {
  const char state = State(pid);
  return state != 0 && state != 'Z' && state != 'X';
}

// The processes whose parent is pid and whose name is name.
inline std::vector<pid_t> Children(pid_t parent, const std::string& name) {
  std::vector<pid_t> children;
  DIR* dir = ::opendir("/proc");
  if (!dir) return children;
  while (const dirent* entry = ::readdir(dir)) {
    const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
    if (pid <= 0) continue;
    std::ifstream in(std::string("/proc/") + entry->d_name + "/stat");
    std::string line;
    if (!std::getline(in, line)) continue;
    const auto open = line.find('(');
    const auto close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 2));
    char state = 0;
    pid_t ppid = 0;
    rest >> state >> ppid;
    if (ppid == parent && line.substr(open + 1, close - open - 1) == name) children.push_back(pid);
  }
  ::closedir(dir);
  return children;
}

// The pseudo-terminal slaves (/dev/pts/N) a process holds open.
inline std::vector<std::string> Terminals(pid_t pid) {
  std::vector<std::string> terminals;
  const std::string folder = "/proc/" + std::to_string(pid) + "/fd";
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return terminals;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    char target[256] = {};
    const ssize_t n = ::readlink((folder + "/" + entry->d_name).c_str(), target, sizeof target - 1);
    if (n > 0 && std::strncmp(target, "/dev/pts/", 9) == 0) terminals.emplace_back(target, std::size_t(n));
  }
  ::closedir(dir);
  return terminals;
}

// Polls (every 20 ms, up to timeoutMs) until condition holds.
template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace proc
