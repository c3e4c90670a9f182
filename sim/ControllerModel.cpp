#include "ControllerModel.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "EventHistory.h"

namespace wltsim {

namespace {

// libmodbus serves one block of holding registers, 801 to 2000; the access
// rules below leave the gaps in it unserved.
constexpr int kFirstServed = 801;
constexpr int kLastServed = 2000;

constexpr int kRegFactoryNumber = 898;
constexpr int kRegProductionYear = 899;
constexpr int kRegClockRead = 1300;
constexpr int kRegClockSet = 1307;
constexpr int kRegClockCommand = 1310;
constexpr int kRegNetworkAddress = 1274;
constexpr int kRegEvents = 1321;
constexpr uint16_t kClockSetCommand = 0x0200;

// Programming bits 801 to 807 (807 bits 14 and 15 always 0).
constexpr uint16_t kProgrammingBits[7] = {0x00FF, 0x0C05, 0x8001, 0x1003, 0x0000, 0x3C00, 0x0030};
// Timing registers 901 to 920 as the controller stores them (mostly 10 ms counts;
// 906 in minutes, 908 in single milliseconds).
constexpr uint16_t kTimingRegisters[20] = {50, 100, 50, 150, 30, 5, 20, 250, 100, 10,
                                           30, 30, 50, 50, 200, 20, 100, 0, 0, 0};
// Test times 1230 to 1232: Monday 8 h, Wednesday 22 h, none.
constexpr uint16_t kTestTimes[3] = {0x0802, 0x2204, 0x0000};

}  // namespace

bool ControllerModel::Readable(int n) {
  return (n >= 801 && n <= 920) || (n >= 1230 && n <= 1232) || n == 1272 || n == 1274 ||
         (n >= 1300 && n <= 1303) || (n >= 1307 && n <= 1310) || (n >= 1321 && n <= 2000);
}

bool ControllerModel::Writable(int n) {
  return (n >= 801 && n <= 807) || (n >= 900 && n <= 920) || (n >= 1230 && n <= 1232) || n == 1272 ||
         n == 1274 || (n >= 1307 && n <= 1310);
}

ControllerModel::ControllerModel(const SimOptions& options)
    : ignoredWrites_(options.ignoredWrites), clamps_(options.clamps) {
  // The device name is never opened: libmodbus writes its replies into a pipe,
  // from which the frame loop takes them (to log them, apply faults and pace them).
  ctx_ = modbus_new_rtu("/dev/null", options.baud, options.parity, 8, options.stopBits);
  if (!ctx_) {
    error_ = std::string("modbus_new_rtu: ") + modbus_strerror(errno);
    return;
  }
  modbus_set_slave(ctx_, options.slave);
  map_ = modbus_mapping_new_start_address(0, 0, 0, 0, kFirstServed - 1, kLastServed - kFirstServed + 1, 0, 0);
  if (!map_) {
    error_ = std::string("modbus_mapping_new: ") + modbus_strerror(errno);
    return;
  }
  if (::pipe2(pipeFds_, O_NONBLOCK | O_CLOEXEC) != 0) {
    error_ = std::string("pipe: ") + std::strerror(errno);
    return;
  }
  modbus_set_socket(ctx_, pipeFds_[1]);
  LoadDefaults(options);
  for (const auto& [reg, value] : options.presets) SetRegister(reg, value);
  ready_ = true;
}

ControllerModel::~ControllerModel() {
  if (map_) modbus_mapping_free(map_);
  if (ctx_) modbus_free(ctx_);  // the pipe is ours, libmodbus never connected
  for (int fd : pipeFds_)
    if (fd >= 0) ::close(fd);
}

void ControllerModel::LoadDefaults(const SimOptions& o) {
  for (int i = 0; i < 7; ++i) SetRegister(801 + i, kProgrammingBits[i]);
  // 808 to 897: internal values the service program passes through untouched.
  for (int n = 808; n <= 897; ++n) SetRegister(n, static_cast<uint16_t>(n - 800));
  SetRegister(kRegFactoryNumber, static_cast<uint16_t>(o.factoryNumber));
  SetRegister(kRegProductionYear, static_cast<uint16_t>(o.productionYear));
  SetRegister(900, 0);
  for (int i = 0; i < 20; ++i) SetRegister(901 + i, kTimingRegisters[i]);
  for (int i = 0; i < 3; ++i) SetRegister(1230 + i, kTestTimes[i]);
  SetRegister(1272, 0);
  SetRegister(kRegNetworkAddress, static_cast<uint16_t>(o.networkAddress));
  EventWords events = o.eventRecords ? *o.eventRecords
                     : o.erasedEvents ? ErasedEventHistory()
                                      : GenerateEventHistory(o.eventCount, o.eventHistory);
  for (int i = 0; i < kEventWords; ++i) SetRegister(kRegEvents + i, events[static_cast<size_t>(i)]);
  if (o.freezeClock) clock_.Freeze();
  if (o.clockStart) clock_.SetFromText(*o.clockStart);
  clock_.AddOffsetSeconds(o.clockOffsetSeconds);
}

bool ControllerModel::Register(int number, uint16_t& value) const {
  if (!map_ || number < kFirstServed || number > kLastServed) return false;
  value = map_->tab_registers[number - kFirstServed];
  return true;
}

bool ControllerModel::SetRegister(int number, uint16_t value) {
  if (!map_ || number < kFirstServed || number > kLastServed) return false;
  map_->tab_registers[number - kFirstServed] = value;
  return true;
}

void ControllerModel::RefreshClockRegisters() {
  uint16_t words[4];
  clock_.ReadRegisters(words);
  for (int i = 0; i < 4; ++i) SetRegister(kRegClockRead + i, words[i]);
}

bool ControllerModel::TakeReply(Frame& reply) {
  reply.clear();
  uint8_t buffer[512];
  for (;;) {
    ssize_t n = ::read(pipeFds_[0], buffer, sizeof buffer);
    if (n > 0) {
      reply.insert(reply.end(), buffer, buffer + n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    break;
  }
  return !reply.empty();
}

bool ControllerModel::ExceptionReply(const Frame& request, int code, Frame& reply) {
  if (request.size() < 2) return false;
  if (code > 0 && code < MODBUS_EXCEPTION_MAX) {
    if (modbus_reply_exception(ctx_, request.data(), static_cast<unsigned>(code)) < 0) return false;
    return TakeReply(reply);
  }
  // Codes libmodbus does not know are built here: address, function + 128, code, CRC.
  reply = {request[0], static_cast<uint8_t>(request[1] | 0x80), static_cast<uint8_t>(code), 0, 0};
  ResealCrc(reply);
  return true;
}

bool ControllerModel::Serve(const Frame& request, Frame& reply, std::string& note) {
  reply.clear();
  if (!ready_ || request.size() < 4) return false;
  const bool broadcast = request[0] == 0;
  RequestSpan span = SpanOf(request);
  auto refuse = [&](int code, const char* why) {
    note = why;
    if (broadcast) return false;
    return ExceptionReply(request, code, reply);
  };
  if (!span.valid) {
    // The controller knows function 3 (read holding registers) and 6 (write single register).
    return refuse(MODBUS_EXCEPTION_ILLEGAL_FUNCTION, "function not served");
  }
  if (span.function == 3) {
    int count = request[4] << 8 | request[5];
    if (count >= 1 && count <= MODBUS_MAX_READ_REGISTERS) {
      for (int n = span.first; n <= span.last; ++n)
        if (!Readable(n)) return refuse(MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS, "register not readable");
      if (span.first <= kRegClockRead + 3 && span.last >= kRegClockRead) RefreshClockRegisters();
    }
    // libmodbus answers a count outside 1 to 125 with exception 3 itself.
  } else {
    if (!Writable(span.first)) return refuse(MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS, "register not writable");
    uint16_t value = static_cast<uint16_t>(request[4] << 8 | request[5]);
    if (span.first == kRegNetworkAddress && (value < 1 || value > 247))
      return refuse(MODBUS_EXCEPTION_ILLEGAL_DATA_VALUE, "network address outside 1-247");
    if (span.first == kRegClockCommand && value == kClockSetCommand) {
      uint16_t w0 = 0, w1 = 0, w2 = 0;
      Register(kRegClockSet, w0);
      Register(kRegClockSet + 1, w1);
      Register(kRegClockSet + 2, w2);
      ClockFields fields;
      if (!ControllerClock::DecodeSetRegisters(w0, w1, w2, fields))
        return refuse(MODBUS_EXCEPTION_ILLEGAL_DATA_VALUE, "1307-1309 hold no valid date and time");
      clock_.Set(fields);
      note = "clock set";
    }
  }
  // The echo goes out as the request came; what the register keeps may differ.
  uint16_t before = 0;
  const bool writing = span.function == 6 && Register(span.first, before);
  int rc = modbus_reply(ctx_, request.data(), static_cast<int>(request.size()), map_);
  if (rc >= 0 && writing) {
    for (const auto& [first, last] : ignoredWrites_)
      if (span.first >= first && span.first <= last) {
        SetRegister(span.first, before);
        note = "write ignored";
      }
    for (const auto& [reg, most] : clamps_) {
      uint16_t stored = 0;
      if (reg == span.first && Register(reg, stored) && stored > most) {
        SetRegister(reg, most);
        note = "write clamped";
      }
    }
  }
  if (rc < 0) {
    note = std::string("modbus_reply: ") + modbus_strerror(errno);
    TakeReply(reply);
    reply.clear();
    return false;
  }
  if (broadcast) return false;
  return TakeReply(reply);
}

}  // namespace wltsim
