// The simulator's end of the line: the master side of a new pseudo-terminal
// (its slave side is what the master program opens) or a real serial device.
#pragma once

#include <ctime>
#include <string>

#include "SimOptions.h"
#include "WireCodes.h"

namespace wltsim {

class SerialEndpoint {
 public:
  SerialEndpoint() = default;
  ~SerialEndpoint();
  SerialEndpoint(const SerialEndpoint&) = delete;
  SerialEndpoint& operator=(const SerialEndpoint&) = delete;

  // Creates the pty pair (or opens options.device) in raw mode and, if asked,
  // the symlink to it.
  bool Open(const SimOptions& options, std::string& error);

  int Fd() const { return fd_; }
  // The path the master program opens.
  const std::string& Path() const { return path_; }

  // Sends a frame: at once, or with --pace byte by byte at the bit rate, the
  // first byte no earlier than notBefore (CLOCK_MONOTONIC).
  bool Send(const Frame& frame, bool pace, const timespec& notBefore);

  // Duration of one character on the line, 11 bits, in nanoseconds.
  long long CharacterNs() const { return characterNs_; }

  // Serving over TCP (--tcp): the listening socket, -1 otherwise. Fd() is
  // then the connected master, -1 while there is none.
  int ListenFd() const { return listenFd_; }
  // Takes the master waiting on ListenFd(); one that was connected before
  // is let go (it may have vanished without closing).
  void AcceptMaster();
  // The master closed its connection: wait for the next.
  void DropMaster();
  // False when the master set a bit rate on the pseudo-terminal other than
  // the controller's own (--baud named): the controller hears noise then.
  // Linux keeps one set of terminal settings for the pair, the slave's, and
  // tcgetattr on the master side reads them; the parity flag is never kept.
  bool AtOwnRate(const SimOptions& options, int& masterRate) const;

 private:
  bool WriteAll(const uint8_t* data, size_t length);

  int fd_ = -1;
  int heldSlaveFd_ = -1;  // keeps the pty usable (no hang-up) while no master program has it open
  std::string path_;
  std::string linkPath_;
  long long characterNs_ = 0;
  int listenFd_ = -1;
  bool pseudoTerminal_ = false;
};

}  // namespace wltsim
