#include "WineSession.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

long MsSince(Clock::time_point start) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Waits for a child with a time-out, sleeping in poll() on its process file
// descriptor; false when the time ran out (the child is still there).
bool WaitForChild(pid_t pid, int timeoutMs, int* status) {
  const int pidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  if (pidFd >= 0) {
    pollfd p{pidFd, POLLIN, 0};
    int r;
    do {
      r = ::poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    ::close(pidFd);
    if (r == 0) return false;
  }
  // Without a process descriptor (kernels before 5.3) the wait has no time-out.
  while (::waitpid(pid, status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace

WineSession::WineSession(std::string wine, std::string wineboot, std::string wineserver)
    : wine_(std::move(wine)), wineboot_(std::move(wineboot)), wineserver_(std::move(wineserver)) {}

WineSession::~WineSession() {
  if (root_.empty()) return;
  // Ends this prefix's wineserver (and the programs it still holds) only.
  RunTool({wineserver_, "-k"}, 20000, nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::vector<std::string> WineSession::Environment() const {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    // No display: wine must not try to open windows or dialogs in CI.
    if (entry.rfind("DISPLAY=", 0) == 0 || entry.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
        entry.rfind("WINEPREFIX=", 0) == 0 || entry.rfind("WINEDEBUG=", 0) == 0 ||
        entry.rfind("WINEDLLOVERRIDES=", 0) == 0 || entry.rfind("WINEARCH=", 0) == 0)
      continue;
    env.push_back(entry);
  }
  env.push_back("WINEPREFIX=" + prefix_);
  env.push_back("WINEDEBUG=-all");
  env.push_back("WINEARCH=win64");
  // The .NET and HTML runtimes are not needed; without this wineboot asks for them.
  env.push_back("WINEDLLOVERRIDES=mscoree,mshtml=");
  for (const std::string& entry : extraEnvironment_) {
    const std::string name = entry.substr(0, entry.find('=') + 1);
    std::erase_if(env, [&name](const std::string& e) { return e.rfind(name, 0) == 0; });
    env.push_back(entry);
  }
  return env;
}

int WineSession::RunTool(const std::vector<std::string>& argv, int timeoutMs, std::string* output,
                         std::string* errors) {
  // Output goes to files, not pipes: the wineserver that wine starts inherits
  // them and outlives the program, so end of file would come far too late.
  // A pair of files per run: a server started by an earlier run may still
  // hold an earlier file.
  const std::string stem = root_ + "/run-" + std::to_string(++runs_);
  const std::string outPath = stem + ".out";
  const std::string errPath = stem + ".err";

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // A process group of its own: a time-out ends this program and its helpers only.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);

  std::vector<std::string> envStrings = Environment();
  std::vector<char*> envp;
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = argv;
  std::vector<char*> argp;
  for (auto& a : args) argp.push_back(a.data());
  argp.push_back(nullptr);

  pid_t pid = -1;
  const int rc = ::posix_spawn(&pid, args[0].c_str(), &actions, &attr, argp.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) return -1;

  int status = 0;
  if (!WaitForChild(pid, timeoutMs, &status)) {
    ::kill(-pid, SIGKILL);
    WaitForChild(pid, 5000, &status);
    return -1;
  }
  if (output) *output = ReadFile(outPath);
  if (errors) *errors = ReadFile(errPath);
  if (!WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

bool WineSession::Prepare() {
  const auto start = Clock::now();
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/wlt-wine-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    error_ = "no temporary folder: " + std::string(std::strerror(errno));
    return false;
  }
  root_ = pattern;
  prefix_ = root_ + "/prefix";
  com1Link_ = root_ + "/com1";

  std::string out;
  if (RunTool({wineboot_, "-i"}, 180000, &out) != 0) {
    error_ = "wineboot -i failed in " + prefix_;
    return false;
  }
  // wine rewrites dosdevices/com1 from this key whenever its server starts,
  // so the key names a link of ours and the tests re-aim the link.
  if (RunTool({wine_, "reg", "add", "HKLM\\Software\\Wine\\Ports", "/v", "COM1", "/d", com1Link_, "/f"},
              60000, &out) != 0) {
    error_ = "wine reg add failed: " + out;
    return false;
  }
  // The key is read at the server's next start. One persistent server then
  // serves every run, so no run waits for a server to start or linger.
  if (RunTool({wineserver_, "-k"}, 20000, nullptr) < 0 ||
      RunTool({wineserver_, "-w"}, 20000, nullptr) < 0 ||
      RunTool({wineserver_, "-p"}, 20000, nullptr) != 0) {
    error_ = "wineserver could not be restarted";
    return false;
  }
  prepareMs_ = MsSince(start);
  return true;
}

void WineSession::SetEnvironment(const std::string& name, const std::string& value) {
  const std::string prefix = name + "=";
  std::erase_if(extraEnvironment_, [&prefix](const std::string& e) { return e.rfind(prefix, 0) == 0; });
  extraEnvironment_.push_back(prefix + value);
}

bool WineSession::PointCom1At(const std::string& devicePath) {
  if (root_.empty() || devicePath.empty()) return false;
  std::error_code ec;
  std::filesystem::remove(com1Link_, ec);
  std::filesystem::create_symlink(devicePath, com1Link_, ec);
  return !ec;
}

WineRun WineSession::Run(const std::string& exe, const std::vector<std::string>& args, int timeoutMs) {
  WineRun run;
  std::vector<std::string> argv{wine_, exe};
  argv.insert(argv.end(), args.begin(), args.end());
  const auto start = Clock::now();
  const int code = RunTool(argv, timeoutMs, &run.Output, &run.Errors);
  run.ElapsedMs = MsSince(start);
  run.Started = code >= 0;
  run.ExitCode = code;
  return run;
}
