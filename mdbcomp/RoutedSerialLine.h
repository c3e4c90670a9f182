#pragma once
// The line the programs open ports with: each Open looks the port name up in
// the port map and hands the port to the line that can reach that device, a
// TCP serial server ("tcp:HOST:PORT") or the platform's serial port.

#include "mdbcomp/SerialLine.h"

#include <memory>

class RoutedSerialLine : public SerialLine {
 public:
  RoutedSerialLine(std::unique_ptr<SerialLine> serial, std::unique_ptr<SerialLine> tcp);

  bool Open(const std::string& portName) override;
  OpenFailure LastOpenFailure() const override { return active_->LastOpenFailure(); }
  std::string LastDevice() const override { return active_->LastDevice(); }
  bool Configure(const LineSettings& settings) override { return active_->Configure(settings); }
  void Close() override { active_->Close(); }
  bool IsOpen() const override { return active_->IsOpen(); }
  bool Purge() override { return active_->Purge(); }
  std::size_t Write(const std::uint8_t* data, std::size_t count) override {
    return active_->Write(data, count);
  }
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    return active_->Read(buffer, count);
  }
  std::size_t DiscardUntilQuiet(std::uint32_t quietMs, std::uint32_t limitMs) override {
    return active_->DiscardUntilQuiet(quietMs, limitMs);
  }

 private:
  std::unique_ptr<SerialLine> serial_;
  std::unique_ptr<SerialLine> tcp_;
  SerialLine* active_;
};
