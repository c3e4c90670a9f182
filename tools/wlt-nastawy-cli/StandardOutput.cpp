#include "StandardOutput.h"

#include <cerrno>
#include <csignal>
#include <cstring>

void StandardOutput::TakeBrokenPipeAsError() {
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

void StandardOutput::Fail(int error) {
  // A failure without errno still counts; EIO stands for it.
  if (error_ == 0) error_ = error != 0 ? error : EIO;
}

bool StandardOutput::Write(const QByteArray& bytes) {
  if (error_ != 0 || closed_) return false;
  errno = 0;
  const std::size_t size = std::size_t(bytes.size());
  if (std::fwrite(bytes.constData(), 1, size, stream_) != size || std::fflush(stream_) != 0) {
    Fail(errno);
    return false;
  }
  return true;
}

bool StandardOutput::WriteLine(const QString& line) { return Write((line + QLatin1Char('\n')).toUtf8()); }

bool StandardOutput::Close() {
  if (closed_) return Intact();
  closed_ = true;
  errno = 0;
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) Fail(errno);
  errno = 0;
  if (std::fclose(stream_) != 0) Fail(errno);
  return Intact();
}

QString StandardOutput::ErrorText() const { return QString::fromLocal8Bit(std::strerror(error_)); }
