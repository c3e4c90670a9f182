#include "SlaveLoop.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>

namespace wltsim {

namespace {

constexpr size_t kMaxFrame = 512;

long long ToNs(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec; }

timespec FromNs(long long ns) {
  timespec t{};
  t.tv_sec = static_cast<time_t>(ns / 1000000000LL);
  t.tv_nsec = static_cast<long>(ns % 1000000000LL);
  return t;
}

timespec Now(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return t;
}

// The length of a request frame, known from its first bytes, or 0 while unknown.
size_t ExpectedRequestLength(const Frame& frame) {
  if (frame.size() < 2) return 0;
  uint8_t function = frame[1];
  if (function >= 1 && function <= 6) return 8;
  if ((function == 15 || function == 16) && frame.size() >= 7) return 9 + frame[6];
  return 0;
}

}  // namespace

long long SlaveLoop::SilenceNs() const {
  // 3.5 characters, but never below 1.75 ms (the usual floor above 19200 bit/s).
  return std::max(line_.CharacterNs() * 7 / 2, 1750000LL);
}

void SlaveLoop::Note(const char* what, const Frame& frame, const std::string& detail) const {
  if (!options_.verbose) return;
  std::fprintf(stderr, "wlt-sim: %s [%s]%s%s\n", what, HexBytes(frame.data(), frame.size()).c_str(),
               detail.empty() ? "" : ": ", detail.c_str());
}

int SlaveLoop::Run(int signalFd) {
  Frame buffer;
  timespec firstReal{}, firstMono{};
  long long lastByteNs = 0;
  for (;;) {
    // Over TCP the line is the connected master (none: -1, not polled).
    pollfd fds[3] = {{line_.Fd(), POLLIN, 0}, {signalFd, POLLIN, 0}, {line_.ListenFd(), POLLIN, 0}};
    timespec wait{};
    timespec* waitPtr = nullptr;
    long long wakeNs = -1;
    if (!buffer.empty()) wakeNs = lastByteNs + SilenceNs();
    if (!delayed_.empty() && (wakeNs < 0 || delayed_.front().sendAtNs < wakeNs))
      wakeNs = delayed_.front().sendAtNs;
    if (wakeNs >= 0) {
      wait = FromNs(std::max(wakeNs - ToNs(Now(CLOCK_MONOTONIC)), 0LL));
      waitPtr = &wait;
    }
    int r = ::ppoll(fds, 3, waitPtr, nullptr);
    if (r < 0) {
      if (errno == EINTR) continue;
      std::perror("wlt-sim: poll");
      return 1;
    }
    if (fds[1].revents & POLLIN) {
      signalfd_siginfo info{};
      (void)!::read(signalFd, &info, sizeof info);
      return 0;
    }
    if (fds[2].revents & POLLIN) {
      // A new master: what the last one left half sent is no request.
      line_.AcceptMaster();
      buffer.clear();
      continue;
    }
    if (fds[0].revents & POLLIN) {
      uint8_t chunk[256];
      ssize_t n = ::read(line_.Fd(), chunk, sizeof chunk);
      if (n > 0) {
        if (buffer.empty()) {
          firstReal = Now(CLOCK_REALTIME);
          firstMono = Now(CLOCK_MONOTONIC);
        }
        lastByteNs = ToNs(Now(CLOCK_MONOTONIC));
        // A looped-back line hands every byte straight back.
        if (options_.echo) {
          const Frame echo(chunk, chunk + n);
          if (!line_.Send(echo, false, Now(CLOCK_MONOTONIC))) Note("echo not sent", echo, "");
        }
        buffer.insert(buffer.end(), chunk, chunk + n);
        size_t expected = ExpectedRequestLength(buffer);
        if ((expected && buffer.size() == expected && CrcIntact(buffer)) || buffer.size() >= kMaxFrame) {
          Dispatch(buffer, firstReal, firstMono);
          buffer.clear();
        }
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (line_.ListenFd() >= 0) {
        // The master closed its connection; the next one is waited for.
        line_.DropMaster();
        buffer.clear();
        continue;
      }
      // A pty master reads EIO only while no slave side is open, and we hold
      // one; end of file or an error means the line is gone.
      std::fprintf(stderr, "wlt-sim: the line failed\n");
      return 1;
    } else if (line_.ListenFd() >= 0 && (fds[0].revents & (POLLHUP | POLLERR))) {
      line_.DropMaster();
      buffer.clear();
      continue;
    } else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      std::fprintf(stderr, "wlt-sim: the line hung up\n");
      return 1;
    }
    if (!buffer.empty() && ToNs(Now(CLOCK_MONOTONIC)) - lastByteNs >= SilenceNs()) {
      Dispatch(buffer, firstReal, firstMono);
      buffer.clear();
    }
    SendDueReplies();
  }
}

void SlaveLoop::SendDueReplies() {
  while (!delayed_.empty() && delayed_.front().sendAtNs <= ToNs(Now(CLOCK_MONOTONIC))) {
    const DelayedReply due = std::move(delayed_.front());
    delayed_.pop_front();
    SendReply(due.frame, Now(CLOCK_MONOTONIC), Now(CLOCK_REALTIME));
  }
}

void SlaveLoop::SendReply(const Frame& reply, timespec notBefore, timespec sendReal) {
  // Logged before it goes out, so the line is there once the master has the reply.
  log_.Write("TX", reply, sendReal);
  if (!line_.Send(reply, options_.pace, notBefore)) Note("reply not sent", reply, "");
}

void SlaveLoop::Dispatch(const Frame& frame, const timespec& firstByteReal, const timespec& firstByteMono) {
  log_.Write("RX", frame, firstByteReal);
  if (options_.echo) {
    // The bytes went back as they came; there is no controller on the line.
    log_.Write("TX", frame, Now(CLOCK_REALTIME));
    Note("echoed", frame, "--echo");
    return;
  }
  if (!CrcIntact(frame)) {
    Note("ignored, no intact frame", frame, "");
    return;
  }
  int masterRate = 0;
  if (!line_.AtOwnRate(options_, masterRate)) {
    // Sent at another rate, the request reaches the controller as noise.
    Note("ignored, sent at another bit rate", frame, std::to_string(masterRate));
    return;
  }
  const int address = frame[0];
  if (address != options_.slave && address != 0) {
    Note("ignored, for another slave", frame, std::to_string(address));
    return;
  }
  FaultDecision decision = faults_.Decide(frame);
  if (decision.die) {
    // As if killed: nothing is cleaned up, the pseudo-terminal's master side
    // closes with the process and a --link stays behind, dangling.
    Note("ending", frame, decision.reason);
    ::kill(::getpid(), SIGKILL);
  }
  if (!decision.answer) {
    Note("not answered", frame, decision.reason);
    return;
  }
  Frame reply;
  std::string note;
  bool haveReply = decision.exceptionCode ? model_.ExceptionReply(frame, decision.exceptionCode, reply)
                                          : model_.Serve(frame, reply, note);
  if (decision.exceptionCode) note = "--exception, code " + std::to_string(decision.exceptionCode);
  if (!note.empty()) Note("served", frame, note);
  if (address == 0 || !haveReply) return;  // broadcasts get no reply
  faults_.Spoil(reply);

  // With pacing the reply starts when the request would have ended on the
  // line, plus the 3.5 characters of silence that mark its end.
  timespec notBefore = Now(CLOCK_MONOTONIC);
  timespec sendReal = Now(CLOCK_REALTIME);
  if (options_.pace) {
    long long start = ToNs(firstByteMono) + static_cast<long long>(frame.size()) * line_.CharacterNs() +
                      line_.CharacterNs() * 7 / 2;
    long long ahead = start - ToNs(notBefore);
    if (ahead > 0) {
      notBefore = FromNs(start);
      sendReal = FromNs(ToNs(sendReal) + ahead);
    }
  }
  if (options_.replyDelayMs > 0) {
    // A slow controller: the reply leaves the delay after the request ended,
    // while the loop goes on taking requests.
    const long long requestEnd = ToNs(firstByteMono) + static_cast<long long>(frame.size()) * line_.CharacterNs();
    delayed_.push_back({std::max(requestEnd + options_.replyDelayMs * 1000000LL, ToNs(notBefore)), reply});
    return;
  }
  SendReply(reply, notBefore, sendReal);
}

}  // namespace wltsim
