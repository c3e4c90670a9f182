#include "XvfbDisplay.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

XvfbDisplay::XvfbDisplay(const std::string& xvfb) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) {
    error_ = std::string("no pipe: ") + std::strerror(errno);
    return;
  }
  // The writing end goes to the child as descriptor 3, where -displayfd
  // names it; the reading end stays here only.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 3);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args{xvfb, "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                                "-dpi", "96"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int rc = ::posix_spawn(&pid, xvfb.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (rc != 0) {
    ::close(pipeFds[0]);
    error_ = "cannot start " + xvfb + ": " + std::strerror(rc);
    return;
  }
  pid_ = pid;
  // Xvfb writes the display number and a newline once it takes clients.
  std::string number;
  pollfd p{pipeFds[0], POLLIN, 0};
  while (number.find('\n') == std::string::npos) {
    const int r = ::poll(&p, 1, 30000);
    if (r < 0 && errno == EINTR) continue;
    char buffer[16];
    const ssize_t n = r > 0 ? ::read(pipeFds[0], buffer, sizeof buffer) : -1;
    if (n <= 0) break;
    number.append(buffer, std::size_t(n));
  }
  ::close(pipeFds[0]);
  if (number.find('\n') == std::string::npos) {
    error_ = "Xvfb reported no display number";
    return;
  }
  name_ = ":" + number.substr(0, number.find('\n'));
}

XvfbDisplay::~XvfbDisplay() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
}
