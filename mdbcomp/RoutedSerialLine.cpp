#include "mdbcomp/RoutedSerialLine.h"

#include "mdbcomp/PortMap.h"
#include "mdbcomp/TcpSerialLine.h"

RoutedSerialLine::RoutedSerialLine(std::unique_ptr<SerialLine> serial, std::unique_ptr<SerialLine> tcp)
    : serial_(std::move(serial)), tcp_(std::move(tcp)), active_(serial_.get()) {}

bool RoutedSerialLine::Open(const std::string& portName) {
  // Only one of the two is ever open.
  serial_->Close();
  tcp_->Close();
  active_ = TcpAddress::Names(PortMap::Resolve(portName)) ? tcp_.get() : serial_.get();
  return active_->Open(portName);
}

std::unique_ptr<SerialLine> MakeSystemSerialLine() {
  return std::make_unique<RoutedSerialLine>(MakePlatformSerialLine(), std::make_unique<TcpSerialLine>());
}
