#pragma once
// A FIFO in place of a file, for the tests of what the program does with a
// name that is no regular file. A program that opens it to read waits for a
// writer; so that such a test fails instead of hanging, the feeder plays
// the writer: from a second on, the first time a reader waits it opens the
// FIFO, writes the bytes given and closes it, which ends the reader's wait
// with those bytes. A program that never opens the FIFO never gets them.
// POSIX.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

class FifoFeeder {
 public:
  FifoFeeder(const QString& path, QByteArray bytes)
      : path_(QFile::encodeName(path)), bytes_(std::move(bytes)) {
    made_ = ::mkfifo(path_.constData(), 0644) == 0;
    if (made_) thread_ = std::thread([this] { Feed(); });
  }
  ~FifoFeeder() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  FifoFeeder(const FifoFeeder&) = delete;
  FifoFeeder& operator=(const FifoFeeder&) = delete;

  bool Made() const { return made_; }
  // Whether a reader had opened the FIFO and was fed.
  bool Fed() const { return fed_; }

 private:
  void Feed() {
    using namespace std::chrono_literals;
    const auto start = std::chrono::steady_clock::now();
    while (!stop_ && std::chrono::steady_clock::now() - start < 1s) std::this_thread::sleep_for(10ms);
    while (!stop_) {
      // Without a reader waiting this fails with ENXIO at once.
      const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        (void)!::write(fd, bytes_.constData(), std::size_t(bytes_.size()));
        ::close(fd);
        fed_ = true;
        return;
      }
      std::this_thread::sleep_for(20ms);
    }
  }

  QByteArray path_;
  QByteArray bytes_;
  bool made_ = false;
  std::atomic<bool> stop_{false};
  std::atomic<bool> fed_{false};
  std::thread thread_;
};

// The other side: a FIFO in place of a file a program writes. A program
// that opens it to write waits for a reader; from a second on the drainer
// is that reader, the first time a writer comes, and takes what it writes.
class FifoDrainer {
 public:
  explicit FifoDrainer(const QString& path) : path_(QFile::encodeName(path)) {
    made_ = ::mkfifo(path_.constData(), 0644) == 0;
    if (made_) thread_ = std::thread([this] { Drain(); });
  }
  ~FifoDrainer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  FifoDrainer(const FifoDrainer&) = delete;
  FifoDrainer& operator=(const FifoDrainer&) = delete;

  bool Made() const { return made_; }
  // Whether a writer had opened the FIFO and written into it.
  bool Drained() const { return drained_; }

 private:
  void Drain() {
    using namespace std::chrono_literals;
    const auto start = std::chrono::steady_clock::now();
    while (!stop_ && std::chrono::steady_clock::now() - start < 1s) std::this_thread::sleep_for(10ms);
    while (!stop_ && !drained_) {
      // Opening the reading end never waits; it lets a waiting writer on.
      const int fd = ::open(path_.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd < 0) return;
      std::this_thread::sleep_for(20ms);
      char buffer[4096];
      for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
          drained_ = true;
          continue;
        }
        if (n == 0 || errno != EAGAIN || stop_) break;  // no writer (left), or the test ends
        pollfd wait{fd, POLLIN, 0};
        ::poll(&wait, 1, 100);
      }
      ::close(fd);
    }
  }

  QByteArray path_;
  bool made_ = false;
  std::atomic<bool> stop_{false};
  std::atomic<bool> drained_{false};
  std::thread thread_;
};
