#pragma once
// The fault matrix: every device operation of the window against every fault
// wlt-sim can play, and what the user and the controller must see in each
// case. One row per operation, one column per fault; a cell reads
//
//   "<report> <k>x<n>"  the operation fails at its transaction k (counted from
//                       0): transactions 0..k-1 went out once each, k went out
//                       n times, nothing after it
//   "ok"                every transaction once, and the operation succeeds
//   "ok x3"             every transaction three times (answered on the third
//                       try), and the operation succeeds
//   "ok <k>x<n>"        as a failure at transaction k, but the operation goes
//                       on without it and succeeds (the event readout without
//                       the controller clock, whose fields stay empty)
//
// with the reports
//   R  " Błąd odczytu", a beep, "Brak komunikacji z urządzeniem"
//   W  " Błąd zapisu", a beep, "Brak komunikacji z urządzeniem"
//   N  " Brak urządzenia", a beep, "Nie znaleziono urządzenia"
//   C  status panel 1 emptied, a beep, "Nie znaleziono urządzenia", and the
//      connection state stays " Brak połączenia"
//   P  the controller's clock shows "##-##-##" and "##:##:##"; no beep, no box
//   V  " Błąd weryfikacji", a beep, the box of settings the controller did not keep

#include <array>
#include <string>
#include <vector>

namespace faultmatrix {

// One request as the simulator's frame log shows it.
struct Transaction {
  int function;  // 3 read, 6 write
  int reg;       // first register, as the controller numbers it
  int count;     // registers read (1 for a write)
};

inline Transaction Read(int reg, int count) { return {3, reg, count}; }
inline Transaction Write(int reg) { return {6, reg, 1}; }

enum class Op {
  Connection,
  SettingsRead,
  SettingsWrite,
  EventReadout,
  ClockTick,
  ClockSet,
  Address,
  Signal,
  ScheduleRead,
  ScheduleWrite
};

struct OperationRow {
  Op op;
  const char* name;
  std::vector<Transaction> transactions;  // in order, as a healthy controller sees them
  // Requests a "silence after N requests" or a vanishing port lets through:
  // N, so the fault falls in the middle of the operation where it has more
  // than one transaction.
  int requestsBefore;
  // Writes a "silence after N writes" lets through; -1 for an operation
  // that writes nothing (the fault never comes).
  int writesBefore;
};

inline std::vector<Transaction> SettingsWriteTransactions() {
  std::vector<Transaction> t;
  for (int reg = 901; reg <= 920; ++reg) t.push_back(Write(reg));
  for (int reg = 801; reg <= 807; ++reg) t.push_back(Write(reg));
  t.push_back(Write(900));
  t.push_back(Read(801, 120));  // the check: the block read back
  return t;
}

inline const std::vector<OperationRow>& Operations() {
  static const std::vector<OperationRow> rows = {
      {Op::Connection, "connection", {Read(801, 120)}, 0, -1},
      {Op::SettingsRead, "settings read", {Read(801, 120)}, 0, -1},
      {Op::SettingsWrite, "settings write", SettingsWriteTransactions(), 1, 5},
      {Op::EventReadout,
       "event readout",
       {Read(1321, 125), Read(1446, 125), Read(1571, 125), Read(1696, 125), Read(1821, 125),
        Read(1946, 55), Read(1300, 3)},
       1,
       -1},
      {Op::ClockTick, "clock tick", {Read(1300, 4)}, 0, -1},
      {Op::ClockSet, "clock set", {Read(1307, 1), Write(1307), Write(1308), Write(1309), Write(1310)}, 1, 2},
      {Op::Address, "address", {Read(1274, 1), Write(1274)}, 1, 0},
      {Op::Signal, "signal", {Read(1272, 1), Write(1272)}, 1, 0},
      {Op::ScheduleRead, "schedule read", {Read(1230, 1), Read(1230, 1), Read(1231, 1), Read(1232, 1)}, 2, -1},
      {Op::ScheduleWrite, "schedule write", {Read(1230, 1), Write(1230), Write(1231), Write(1232)}, 1, 1},
  };
  return rows;
}

enum class FaultKind {
  NoAnswer,
  ThirdTry,
  BadCrc,
  OtherSlave,
  Exception,
  ShortReply,
  SilenceAfterRequests,
  SilenceAfterWrites,
  PortVanishes,
  LateReply,
  Echo,
  KeepsOldValues
};

struct FaultColumn {
  FaultKind kind;
  const char* name;
  // Each try of the failing transaction waits out its time-out (nothing or
  // nothing valid comes back before it).
  bool waitsOut;
};

inline const std::array<FaultColumn, 12>& Faults() {
  static const std::array<FaultColumn, 12> columns = {{
      {FaultKind::NoAnswer, "no answer", true},
      {FaultKind::ThirdTry, "3rd try", false},
      {FaultKind::BadCrc, "bad CRC", false},
      {FaultKind::OtherSlave, "other slave", false},
      {FaultKind::Exception, "exception", false},
      {FaultKind::ShortReply, "short reply", false},
      {FaultKind::SilenceAfterRequests, "silent N req", true},
      {FaultKind::SilenceAfterWrites, "silent N wr", true},
      {FaultKind::PortVanishes, "port gone", true},
      {FaultKind::LateReply, "late 700 ms", true},
      {FaultKind::Echo, "echo", false},
      {FaultKind::KeepsOldValues, "keeps old", false},
  }};
  return columns;
}

// What must happen, row by row in the order of Operations(), column by
// column in the order of Faults(). A vanished port shows one try on the
// wire: the simulator died on it, the link's other two went nowhere.
// A controller answering 700 ms after each request is in time only for the
// long reads (their time-out is 500 ms plus 10 ms a byte asked); every other
// request fails all its tries, and no late answer is taken for a later one:
// the event readout gets its six blocks but not the controller clock.
// A looped-back line returns each request: no read takes it for a reply.
// The echo of a write is the answer a controller gives, so the settings
// write's 28 writes pass there, and its check, the block read back, fails
// as any read does (the write is only offered once a connection has read
// the controller, which a looped-back line never lets happen).
// A controller that echoes every write and keeps the old value is caught by
// the settings write's check alone: the other commands that write take the
// echo as the answer, as they always have.
inline const std::vector<std::array<const char*, 12>>& Expected() {
  static const std::vector<std::array<const char*, 12>> cells = {
      //  no answer  3rd try  bad CRC  other    exception short    silent N req silent N wr port gone late     echo  keeps old
      {"C 0x3", "ok x3", "C 0x3", "C 0x1", "C 0x1", "C 0x1", "C 0x3", "ok", "C 0x1", "ok", "C 0x1", "ok"},  // connection
      {"R 0x3", "ok x3", "R 0x3", "R 0x1", "R 0x1", "R 0x1", "R 0x3", "ok", "R 0x1", "ok", "R 0x1", "ok"},  // settings read
      {"N 0x3", "ok x3", "N 0x3", "N 0x1", "N 0x1", "N 0x1", "N 1x3", "N 5x3", "N 1x1", "N 0x3", "R 28x1", "V 28x1"},  // settings write
      {"R 0x3", "ok x3", "R 0x3", "R 0x1", "R 0x1", "R 0x1", "R 1x3", "ok", "R 1x1", "ok 6x3", "R 0x1", "ok"},  // event readout
      {"P 0x3", "ok x3", "P 0x3", "P 0x1", "P 0x1", "P 0x1", "P 0x3", "ok", "P 0x1", "P 0x3", "P 0x1", "ok"},  // clock tick
      {"W 0x3", "ok x3", "W 0x3", "W 0x1", "W 0x1", "W 0x1", "W 1x3", "W 3x3", "W 1x1", "W 0x3", "W 0x1", "W 4x1"},  // clock set
      {"W 0x3", "ok x3", "W 0x3", "W 0x1", "W 0x1", "W 0x1", "W 1x3", "W 1x3", "W 1x1", "W 0x3", "W 0x1", "ok"},  // address
      {"W 0x3", "ok x3", "W 0x3", "W 0x1", "W 0x1", "W 0x1", "W 1x3", "W 1x3", "W 1x1", "W 0x3", "W 0x1", "ok"},  // signal
      {"R 0x3", "ok x3", "R 0x3", "R 0x1", "R 0x1", "R 0x1", "R 2x3", "ok", "R 2x1", "R 0x3", "R 0x1", "ok"},  // schedule read
      {"W 0x3", "ok x3", "W 0x3", "W 0x1", "W 0x1", "W 0x1", "W 1x3", "W 2x3", "W 1x1", "W 0x3", "W 0x1", "ok"},  // schedule write
  };
  return cells;
}

}  // namespace faultmatrix
