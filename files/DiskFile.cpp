#include "files/DiskFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef _WIN32

// Windows has no FIFOs in the file name space, and its links are rare and
// need rights a service PC seldom grants; Qt's own files serve there.
#include <QSaveFile>

namespace DiskFile {

bool ReadRegular(const QString& path, qint64 maxSize, QByteArray& bytes) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return false;
  const qint64 size = file.size();
  if (size > maxSize) return false;
  bytes = file.read(size + 1);
  if (bytes.size() > size) bytes += file.read(maxSize + 1 - bytes.size());
  return file.error() == QFileDevice::NoError && bytes.size() <= maxSize;
}

bool Replace(const QString& path, const QByteArray& bytes) {
  const QFileInfo existing(path);
  if (existing.exists() && !existing.isFile()) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  // Flushed here: commit() does not tell a failure of the last buffered write.
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool SameFile(const QString& a, const QString& b) {
  const QString first = QFileInfo(a).canonicalFilePath();
  return !first.isEmpty() && first.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
}

}  // namespace DiskFile

#else  // POSIX

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DiskFile {
namespace {

// open64 by its own name: the crash-save test stands between the program
// and the C library there (tests/robust/SavePause.cpp), as it does for Qt.
int OpenFile(const QByteArray& path, int flags, mode_t mode = 0) {
#ifdef __GLIBC__
  return ::open64(path.constData(), flags | O_CLOEXEC, mode);
#else
  return ::open(path.constData(), flags | O_CLOEXEC, mode);
#endif
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now; false when the system reports an error of a write it had
  // deferred (network file systems do).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const QByteArray& bytes) {
  const char* at = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, at, std::size_t(std::min<qsizetype>(left, 1 << 20)));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    at += n;
    left -= n;
  }
  return true;
}

// "name.XXXXXX" beside the target, as the names Qt gives its temporary files.
QByteArray TemporaryName(const QByteArray& path) {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  QByteArray name = path + '.';
  for (int i = 0; i < 6; ++i) name += kLetters[QRandomGenerator::global()->bounded(62)];
  return name;
}

// A new named temporary file beside path, created with the mode the
// umask leaves of rw-rw-rw-, as any new file of the program.
int CreateNamedTemporary(const QByteArray& path, QByteArray& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryName(path);
    const int fd = OpenFile(name, O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  name.clear();  // none of ours: never to be removed
  return -1;
}

// Gives the unnamed temporary file a name beside path, for the rename.
bool NameUnnamed(int fd, const QByteArray& path, QByteArray& name) {
  const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryName(path);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) return true;
    if (errno != EEXIST) break;
  }
  name.clear();  // none of ours: never to be removed
  return false;
}

// The rename is on disk once its folder is synced; a folder that cannot be
// synced (some network file systems) does not undo a save that is in place.
void SyncFolder(const QByteArray& folder) {
  const int fd = OpenFile(folder, O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

bool ReadRegular(const QString& path, qint64 maxSize, QByteArray& bytes) {
  const QByteArray name = QFile::encodeName(path);
  struct stat status {};
  // Only a regular file is opened at all: opening a FIFO waits for a writer,
  // and opening a device may do anything the device does.
  if (::stat(name.constData(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  // Without waiting, should another file have taken the name meanwhile.
  Descriptor file(OpenFile(name, O_RDONLY | O_NONBLOCK | O_NOCTTY));
  if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  if (status.st_size > maxSize) return false;
  // A buffer of the file's size, one byte more to notice a file still
  // growing, which is read on up to one byte past the limit.
  QByteArray data(qsizetype(status.st_size) + 1, Qt::Uninitialized);
  qsizetype have = 0;
  for (;;) {
    if (have == data.size()) {
      if (have > maxSize) return false;
      data.resize(qsizetype(std::min<qint64>(qint64(have) * 2, maxSize + 1)));
    }
    const ssize_t n = ::read(file.get(), data.data() + have, std::size_t(data.size() - have));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    have += n;
  }
  if (have > maxSize) return false;
  data.truncate(have);
  bytes = data;
  return true;
}

bool Replace(const QString& path, const QByteArray& bytes) {
  const QByteArray name = QFile::encodeName(path);
  struct stat existing {};
  const bool exists = ::lstat(name.constData(), &existing) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists && !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode)) return false;
  const QByteArray folder = QFile::encodeName(QFileInfo(path).path());

  // An unnamed temporary file leaves nothing behind when the program is
  // killed before the rename; where the file system has none, a named one.
  QByteArray temporary;
  int fd = OpenFile(folder, O_TMPFILE | O_WRONLY, 0666);
  const bool unnamed = fd >= 0;
  if (!unnamed) fd = CreateNamedTemporary(name, temporary);
  if (fd < 0) return false;
  Descriptor file(fd);
  const auto fail = [&] {
    file.Close();
    if (!temporary.isEmpty()) ::unlink(temporary.constData());
    return false;
  };
  if (exists && S_ISREG(existing.st_mode) && ::fchmod(file.get(), existing.st_mode & 07777) != 0) return fail();
  // A sync error is a write error (a network file system may tell a full
  // disk only then); a file system that cannot sync at all says EINVAL.
  if (!WriteAll(file.get(), bytes) || (::fdatasync(file.get()) != 0 && errno != EINVAL)) return fail();
  if (unnamed && !NameUnnamed(file.get(), name, temporary)) return fail();
  if (!file.Close()) return fail();
  if (::rename(temporary.constData(), name.constData()) != 0) return fail();
  SyncFolder(folder);
  return true;
}

bool SameFile(const QString& a, const QString& b) {
  struct stat first {}, second {};
  return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
         ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

}  // namespace DiskFile

#endif
