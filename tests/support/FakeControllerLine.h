#pragma once
// An in-memory serial line with a controller behind it, for window tests that
// need no real port: it answers function 3 and 6 requests from a register
// map at once (no time-outs to wait for), or stays silent, or refuses to
// open. It records what the window did with the line in a State the test
// keeps after TForm1 has taken the line.

#include "mdbcomp/SerialLine.h"
#include "mdbcomp/TMdb.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class FakeControllerLine : public SerialLine {
 public:
  struct State {
    // Behaviour
    bool PortExists = true;
    OpenFailure Failure = OpenFailure::Other;  // why a port that does not open failed
    bool Answers = true;
    std::uint8_t Slave = 1;
    std::map<std::uint16_t, std::uint16_t> Registers;  // by register number (from 1)
    // A controller that takes a write without keeping it: what a write to
    // reg stores instead of sent (the echo repeats the request all the
    // same); and reads left unanswered while writes are still echoed.
    std::function<std::uint16_t(std::uint16_t reg, std::uint16_t sent)> Keeps;
    bool AnswersReads = true;
    // A request touching one of these registers gets an exception reply
    // with the code given.
    std::map<std::uint16_t, std::uint8_t> Exceptions;
    // Records: "open:COM1", "configure", "close", in order.
    std::vector<std::string> Events;
    std::vector<LineSettings> Configurations;
    std::vector<std::string> Requests;  // upper-case hex, single blanks
    bool Open = false;
  };

  explicit FakeControllerLine(std::shared_ptr<State> state) : state_(std::move(state)) {}

  bool Open(const std::string& portName) override {
    state_->Events.push_back("open:" + portName);
    lastDevice_ = "/dev/fake-" + portName;
    if (!state_->PortExists) return false;
    state_->Open = true;
    return true;
  }
  OpenFailure LastOpenFailure() const override {
    return state_->PortExists ? OpenFailure::None : state_->Failure;
  }
  std::string LastDevice() const override { return lastDevice_; }
  bool Configure(const LineSettings& settings) override {
    state_->Events.push_back("configure");
    state_->Configurations.push_back(settings);
    return true;
  }
  void Close() override {
    if (state_->Open) state_->Events.push_back("close");
    state_->Open = false;
  }
  bool IsOpen() const override { return state_->Open; }
  bool Purge() override {
    pending_.clear();
    return state_->Open;
  }
  std::size_t Write(const std::uint8_t* data, std::size_t count) override {
    if (!state_->Open) return 0;
    std::vector<std::uint8_t> request(data, data + count);
    state_->Requests.push_back(Hex(request));
    pending_ = Reply(request);
    return count;
  }
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    if (!state_->Open) return 0;
    const std::size_t n = std::min(count, pending_.size());
    std::copy(pending_.begin(), pending_.begin() + std::ptrdiff_t(n), buffer);
    pending_.clear();
    return n;
  }

  static std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char byte[4];
    for (std::uint8_t b : bytes) {
      std::snprintf(byte, sizeof byte, "%02X", b);
      if (!text.empty()) text += ' ';
      text += byte;
    }
    return text;
  }

 private:
  std::string lastDevice_;
  std::vector<std::uint8_t> Reply(const std::vector<std::uint8_t>& request) const {
    if (!state_->Answers || request.size() != 8 || request[0] != state_->Slave) return {};
    if (TMdb::Crc16(request.data(), request.size()) != 0) return {};
    const std::uint16_t a = std::uint16_t(request[2] << 8 | request[3]);
    const std::uint16_t b = std::uint16_t(request[4] << 8 | request[5]);
    std::vector<std::uint8_t> reply;
    const std::uint16_t last = request[1] == 3 ? std::uint16_t(a + b) : std::uint16_t(a + 1);
    for (const auto& [reg, code] : state_->Exceptions)
      if (reg >= a + 1 && reg <= last && reply.empty()) reply = {request[0], std::uint8_t(request[1] | 0x80), code};
    if (!reply.empty()) {
      // the exception reply, sealed below
    } else if (request[1] == 3) {
      if (!state_->AnswersReads) return {};
      reply = {request[0], 3, std::uint8_t(2 * b)};
      for (std::uint16_t i = 0; i < b; ++i) {
        const auto it = state_->Registers.find(std::uint16_t(a + 1 + i));
        const std::uint16_t v = it == state_->Registers.end() ? 0 : it->second;
        reply.push_back(std::uint8_t(v >> 8));
        reply.push_back(std::uint8_t(v & 0xFF));
      }
    } else if (request[1] == 6) {
      state_->Registers[std::uint16_t(a + 1)] = state_->Keeps ? state_->Keeps(std::uint16_t(a + 1), b) : b;
      reply.assign(request.begin(), request.begin() + 6);
    } else {
      return {};
    }
    const std::uint16_t crc = TMdb::Crc16(reply.data(), reply.size());
    reply.push_back(std::uint8_t(crc & 0xFF));
    reply.push_back(std::uint8_t(crc >> 8));
    return reply;
  }

  std::shared_ptr<State> state_;
  std::vector<std::uint8_t> pending_;
};
