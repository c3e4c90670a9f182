#pragma once
// An in-memory serial line for unit tests of TMdb. It records every call,
// the settings applied and the bytes written, and answers reads from a
// script: a queue of replies (one per read, an empty one is a silent line)
// or, once the queue is empty, a responder called with the last request.
// The record lives in a shared FakeLineState, so a test can still read it
// after the TMdb that owned the line was destroyed.

#include "mdbcomp/SerialLine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

struct FakeLineState {
  // Script.
  bool RefuseOpen = false;
  bool RefuseConfigure = false;
  std::deque<Bytes> Replies;
  std::function<Bytes(const Bytes& request)> Responder;
  // A slow controller: each request's reply arrives only after its read has
  // timed out, so the next read or discard of the line gets it instead.
  bool AnswerLate = false;

  // Record. Calls holds "Open COM1", "Configure", "Close", "Purge",
  // "Write", "Read 13", "Discard 500/3570" in order; tests may append their own entries (event
  // handlers) to see everything in one sequence.
  std::vector<std::string> Calls;
  std::vector<std::string> OpenedNames;
  std::vector<LineSettings> Configurations;
  std::vector<Bytes> Writes;
  std::vector<std::size_t> ReadCounts;
  std::size_t BytesDiscarded = 0;
  bool IsOpen = false;

  std::size_t CountOf(const std::string& call) const {
    return static_cast<std::size_t>(std::count(Calls.begin(), Calls.end(), call));
  }
};

class FakeSerialLine : public SerialLine {
 public:
  explicit FakeSerialLine(std::shared_ptr<FakeLineState> state = std::make_shared<FakeLineState>())
      : state_(std::move(state)) {}

  std::shared_ptr<FakeLineState> State() const { return state_; }

  bool Open(const std::string& portName) override {
    state_->Calls.push_back("Open " + portName);
    if (state_->RefuseOpen || state_->IsOpen) return false;
    state_->OpenedNames.push_back(portName);
    state_->IsOpen = true;
    return true;
  }

  bool Configure(const LineSettings& settings) override {
    state_->Calls.push_back("Configure");
    state_->Configurations.push_back(settings);
    return state_->IsOpen && !state_->RefuseConfigure;
  }

  void Close() override {
    state_->Calls.push_back("Close");
    state_->IsOpen = false;
  }

  bool IsOpen() const override { return state_->IsOpen; }

  bool Purge() override {
    state_->Calls.push_back("Purge");
    return state_->IsOpen;
  }

  std::size_t Write(const std::uint8_t* data, std::size_t count) override {
    state_->Calls.push_back("Write");
    if (!state_->IsOpen) return 0;
    lastRequest_.assign(data, data + count);
    state_->Writes.push_back(lastRequest_);
    return count;
  }

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    state_->Calls.push_back("Read " + std::to_string(count));
    state_->ReadCounts.push_back(count);
    if (!state_->IsOpen) return 0;
    Bytes reply;
    if (!state_->Replies.empty()) {
      reply = std::move(state_->Replies.front());
      state_->Replies.pop_front();
    } else if (state_->Responder) {
      reply = state_->Responder(lastRequest_);
    }
    if (state_->AnswerLate) std::swap(reply, late_);
    // Bytes beyond the requested count stay in the driver and are purged.
    const std::size_t n = std::min(count, reply.size());
    std::copy_n(reply.begin(), n, buffer);
    return n;
  }

  std::size_t DiscardUntilQuiet(std::uint32_t quietMs, std::uint32_t limitMs) override {
    state_->Calls.push_back("Discard " + std::to_string(quietMs) + "/" + std::to_string(limitMs));
    const std::size_t n = late_.size();
    late_.clear();
    state_->BytesDiscarded += n;
    return n;
  }

 private:
  std::shared_ptr<FakeLineState> state_;
  Bytes lastRequest_;
  Bytes late_;  // a reply still on its way (AnswerLate)
};
