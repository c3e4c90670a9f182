#pragma once
// Helpers of the file tests: Windows-1250 bytes from readable text, whole
// files in and out of a folder, and (from the window tests) readable QString
// failures, a temporary current folder and a window on a fake controller.

#include "AppTestSupport.h"
#include "files/TextFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QStringEncoder>

#include <csignal>
#include <ostream>
#include <sys/resource.h>

inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << '[';
  for (const QString& text : list) *os << '"' << text.toStdString() << "\" ";
  *os << ']';
}

// Lines as a file in Windows-1250 with CR LF after every line.
inline QByteArray Cp1250File(const QStringList& lines) {
  QStringEncoder encoder("windows-1250");
  QByteArray bytes;
  for (const QString& line : lines) bytes += encoder.encode(line) + "\r\n";
  return bytes;
}

inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The names in a folder, sorted, without "." and "..": FIFOs and links
// that lead nowhere too.
inline QStringList FolderEntries(const QString& path) {
  return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// Files of this process cannot grow past the given size while the object
// lives: writes beyond it fail, for any user (root too).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    active_ = getrlimit(RLIMIT_FSIZE, &previous_) == 0;
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    active_ = active_ && setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    if (active_) setrlimit(RLIMIT_FSIZE, &previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool Active() const { return active_; }

 private:
  rlimit previous_{};
  bool active_ = false;
};
