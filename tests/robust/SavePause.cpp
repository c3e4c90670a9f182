// For the crash-save test only, never part of a program: loaded into
// wlt-nastawy-cli with LD_PRELOAD, it widens the moments of a file save so
// that kills at random moments fall inside them. The program itself has no
// test hook; this library stands between it and the C library:
//
//   WLT_TEST_SAVE_PAUSE_MS=N     each fdatasync() and rename() first waits
//                                N ms: the new file complete but not yet
//                                synced, then synced but not yet in place
//   WLT_TEST_NO_UNNAMED_TEMP=1   open() refuses an unnamed temporary file
//                                (O_TMPFILE), as file systems without it do
//                                (a FAT USB stick): the save then writes a
//                                named temporary file beside the target
//   WLT_TEST_SAVE_LOG=PATH       appends a line as each moment begins:
//                                "sync", "rename NAME", "renamed NAME", so
//                                the last line tells where a kill fell

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void Note(const std::string& line) {
  static const int log = [] {
    const char* path = std::getenv("WLT_TEST_SAVE_LOG");
    return path ? ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600) : -1;
  }();
  if (log < 0) return;
  const std::string text = line + "\n";
  (void)!::write(log, text.data(), text.size());
}

std::string BaseName(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

void Pause() {
  static const long ms = [] {
    const char* text = std::getenv("WLT_TEST_SAVE_PAUSE_MS");
    return text ? std::atol(text) : 0L;
  }();
  if (ms <= 0) return;
  timespec wait{ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

bool RefuseUnnamed(int flags) {
  static const bool refuse = std::getenv("WLT_TEST_NO_UNNAMED_TEMP") != nullptr;
  return refuse && (flags & O_TMPFILE) == O_TMPFILE;
}

}  // namespace

extern "C" {

int fdatasync(int fd) {
  Note("sync");
  Pause();
  static const auto next = Next<int (*)(int)>("fdatasync");
  return next(fd);
}

int rename(const char* from, const char* to) {
  Note("rename " + BaseName(to));
  Pause();
  static const auto next = Next<int (*)(const char*, const char*)>("rename");
  const int result = next(from, to);
  Note("renamed " + BaseName(to));
  return result;
}

int open64(const char* path, int flags, ...) {
  mode_t mode = 0;
  if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
    va_list arguments;
    va_start(arguments, flags);
    mode = static_cast<mode_t>(va_arg(arguments, int));
    va_end(arguments);
  }
  if (RefuseUnnamed(flags)) {
    errno = EOPNOTSUPP;
    return -1;
  }
  static const auto next = Next<int (*)(const char*, int, ...)>("open64");
  return next(path, flags, mode);
}

}  // extern "C"
