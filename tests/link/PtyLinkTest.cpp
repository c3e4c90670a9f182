// TMdb and the termios line on real pseudo-terminals: against wlt-sim, the
// independently written slave, and against a bare pty pair for the line's
// own behaviour (exclusivity, time-outs, settings).

#include "LinkTestHelpers.h"
#include "SimProcess.h"
#include "mdbcomp/PortMap.h"
#include "mdbcomp/PosixSerialLine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// The simulator logs a frame after handling it; give it a moment.
std::vector<std::string> WaitForFrames(const SimProcess& sim, bool replies, std::size_t count) {
  for (int i = 0; i < 100; ++i) {
    auto frames = replies ? sim.Replies() : sim.Requests();
    if (frames.size() >= count) return frames;
    poll(nullptr, 0, 10);
  }
  return replies ? sim.Replies() : sim.Requests();
}

// A pseudo-terminal pair of our own: the test holds the master side.
struct PtyPair {
  int master = -1;
  std::string slavePath;
  PtyPair() {
    master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
    if (const char* name = ptsname(master)) slavePath = name;
    // Keep one slave descriptor open so the master never sees a hang-up
    // before the line under test opens.
    holder = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  }
  ~PtyPair() {
    if (holder >= 0) ::close(holder);
    if (master >= 0) ::close(master);
  }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;
  int holder = -1;  // a plain descriptor: no lock, no exclusive mode
};

struct SimLink : ::testing::Test {
  void SetUp() override { PortMap::Clear(); }
  void TearDown() override { PortMap::Clear(); }

  // A TMdb on COM1 mapped to the simulator's pty, at 19200 bit/s, no parity.
  std::unique_ptr<TMdb> OpenOn(const std::string& device) {
    PortMap::Set("COM1", device);
    auto mdb = std::make_unique<TMdb>();
    mdb->BaudRate = br19200;
    mdb->Parity = prNone;
    mdb->OpenPort();
    return mdb;
  }
};

using LineOnPty = SimLink;

}  // namespace

TEST_F(SimLink, SettingsReadHasTheExactBytesOnTheWire) {
  SimProcess sim({"--factory-number", "4321", "--production-year", "2019"});
  ASSERT_TRUE(sim.Running()) << "wlt-sim did not start";
  auto mdb = OpenOn(sim.DevicePath());
  ASSERT_TRUE(mdb->PortOpen());
  std::vector<std::uint16_t> values(120, 0);
  ASSERT_TRUE(mdb->ReadRegisters(1, 801, 120, values.data()));
  EXPECT_TRUE(mdb->Answered());
  EXPECT_EQ(values[898 - 801], 4321);
  EXPECT_EQ(values[899 - 801], 2019);
  EXPECT_EQ(WaitForFrames(sim, false, 1), (std::vector<std::string>{"01 03 03 20 00 78 44 66"}));
  // The reply on the wire is exactly the frame the values were taken from.
  const auto replies = WaitForFrames(sim, true, 1);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0], Hex(ReadReply(1, values)));
}

TEST_F(SimLink, WriteHasTheExactBytesOnTheWire) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  auto mdb = OpenOn(sim.DevicePath());
  ASSERT_TRUE(mdb->PortOpen());
  EXPECT_TRUE(mdb->WriteRegister(1, 1272, 8));
  EXPECT_EQ(WaitForFrames(sim, false, 1), (std::vector<std::string>{"01 06 04 F7 00 08 38 CE"}));
  EXPECT_EQ(WaitForFrames(sim, true, 1), (std::vector<std::string>{"01 06 04 F7 00 08 38 CE"}));
}

TEST_F(SimLink, WrittenValueIsReadBack) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  auto mdb = OpenOn(sim.DevicePath());
  ASSERT_TRUE(mdb->WriteRegister(1, 1274, 17));
  std::uint16_t value = 0;
  ASSERT_TRUE(mdb->ReadRegisters(1, 1274, 1, &value));
  EXPECT_EQ(value, 17);
}

TEST_F(SimLink, SlaveAnsweringOnTheThirdTry) {
  SimProcess sim({"--answer-from-try", "3"});
  ASSERT_TRUE(sim.Running());
  auto mdb = OpenOn(sim.DevicePath());
  std::uint16_t values[4] = {};
  EXPECT_TRUE(mdb->ReadRegisters(1, 1300, 4, values));
  EXPECT_EQ(WaitForFrames(sim, false, 3),
            std::vector<std::string>(3, "01 03 05 13 00 04 B5 00"));
  EXPECT_EQ(WaitForFrames(sim, true, 1).size(), 1u);
}

TEST_F(SimLink, ExceptionReplyIsAnsweredButFails) {
  SimProcess sim({"--exception", "1230-1232:2"});
  ASSERT_TRUE(sim.Running());
  auto mdb = OpenOn(sim.DevicePath());
  std::uint16_t values[3] = {5, 6, 7};
  EXPECT_FALSE(mdb->ReadRegisters(1, 1230, 3, values));
  EXPECT_TRUE(mdb->Answered());
  EXPECT_EQ(values[0], 5);
  EXPECT_EQ(WaitForFrames(sim, false, 1).size(), 1u);
  EXPECT_EQ(WaitForFrames(sim, true, 1), (std::vector<std::string>{"01 83 02 C0 F1"}));
}

TEST_F(SimLink, ShortReplyIsRefused) {
  SimProcess sim({"--short-reply"});
  ASSERT_TRUE(sim.Running());
  auto mdb = OpenOn(sim.DevicePath());
  std::uint16_t values[4] = {1, 2, 3, 4};
  EXPECT_FALSE(mdb->ReadRegisters(1, 1300, 4, values));
  EXPECT_TRUE(mdb->Answered());
  EXPECT_EQ(values[3], 4);
}

// A byte count that is not twice the registers asked: no answer to this
// request, however good the CRC; one try.
TEST_F(SimLink, WrongByteCountIsRefused) {
  SimProcess sim({"--bad-byte-count", "--factory-number", "77"});
  ASSERT_TRUE(sim.Running());
  auto mdb = OpenOn(sim.DevicePath());
  std::uint16_t value = 0;
  EXPECT_FALSE(mdb->ReadRegisters(1, 898, 1, &value));
  EXPECT_TRUE(mdb->Answered());
  EXPECT_EQ(value, 0);
  EXPECT_EQ(sim.Requests().size(), 1u);
}

TEST_F(SimLink, AnotherSlavesReplyFailsAfterOneTry) {
  SimProcess sim({"--wrong-slave", "2"});
  ASSERT_TRUE(sim.Running());
  auto mdb = OpenOn(sim.DevicePath());
  EXPECT_FALSE(mdb->WriteRegister(1, 1272, 8));
  EXPECT_TRUE(mdb->Answered());
  EXPECT_EQ(WaitForFrames(sim, false, 1).size(), 1u);
}

TEST_F(SimLink, CorruptCrcCostsEveryTry) {
  SimProcess sim({"--bad-crc"});
  ASSERT_TRUE(sim.Running());
  auto mdb = OpenOn(sim.DevicePath());
  std::uint16_t value = 0;
  EXPECT_FALSE(mdb->ReadRegisters(1, 898, 1, &value));
  EXPECT_FALSE(mdb->Answered());
  EXPECT_EQ(WaitForFrames(sim, false, 3).size(), 3u);
}

TEST_F(SimLink, SilentSlaveCostsTheFullTimeOut) {
  SimProcess sim({"--no-answer"});
  ASSERT_TRUE(sim.Running());
  auto mdb = OpenOn(sim.DevicePath());
  mdb->RepeatCount = 1;
  const auto start = Clock::now();
  EXPECT_FALSE(mdb->WriteRegister(1, 1272, 8));
  const long long elapsed = MillisecondsSince(start);
  EXPECT_FALSE(mdb->Answered());
  EXPECT_GE(elapsed, 630);  // 500 ms + 10 ms for each of the 13 bytes asked for
  EXPECT_LT(elapsed, 5000);
}

TEST_F(SimLink, PortThatDoesNotExist) {
  PortMap::Set("COM2", "/dev/wlt-no-such-port");
  TMdb mdb;
  mdb.Port = COM2;
  int events = 0;
  mdb.OnOpen = [&](TMdb*) { ++events; };
  mdb.OnShowSt = [&](TMdb*) { ++events; };
  mdb.OpenPort();
  EXPECT_FALSE(mdb.PortOpen());
  EXPECT_EQ(events, 0);
}

TEST_F(SimLink, PortHeldByAnotherMaster) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  auto first = OpenOn(sim.DevicePath());
  ASSERT_TRUE(first->PortOpen());
  TMdb second;
  int events = 0;
  second.OnOpen = [&](TMdb*) { ++events; };
  second.OpenPort();
  EXPECT_FALSE(second.PortOpen());
  EXPECT_EQ(events, 0);
  // The holder still talks to the controller.
  EXPECT_TRUE(first->WriteRegister(1, 1272, 8));
  first->ClosePort();
  second.OpenPort();
  EXPECT_TRUE(second.PortOpen());
  EXPECT_TRUE(second.WriteRegister(1, 1272, 8));
}

TEST_F(SimLink, FailedConfigurationReleasesThePort) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  PortMap::Set("COM1", sim.DevicePath());
  TMdb mdb;
  mdb.BaudRate = br19200;
  mdb.Parity = prNone;
  mdb.StopBits = sbOne5StopBits;  // refused with 8 data bits
  int opened = 0;
  mdb.OnOpen = [&](TMdb*) { ++opened; };
  mdb.OpenPort();
  EXPECT_FALSE(mdb.PortOpen());
  EXPECT_EQ(opened, 1);
  // Nobody holds the device now: another master can take it and let it go.
  {
    TMdb other;
    other.BaudRate = br19200;
    other.Parity = prNone;
    other.OpenPort();
    EXPECT_TRUE(other.PortOpen());
  }
  mdb.StopBits = sbOneStopBit;
  mdb.OpenPort();
  EXPECT_TRUE(mdb.PortOpen());
  EXPECT_EQ(opened, 2);
  std::uint16_t value = 0;
  EXPECT_TRUE(mdb.ReadRegisters(1, 898, 1, &value));
}

TEST_F(LineOnPty, ProgramHoldingThePortExclusivelyKeepsIt) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  ASSERT_EQ(ioctl(pty.holder, TIOCEXCL), 0);
  PosixSerialLine line;
  EXPECT_FALSE(line.Open(pty.slavePath));  // refused also when running as root
  ASSERT_EQ(ioctl(pty.holder, TIOCNXCL), 0);
  EXPECT_TRUE(line.Open(pty.slavePath));
}

TEST_F(LineOnPty, ProgramHoldingTheLockKeepsThePort) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  const int locker = ::open(pty.slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(locker, 0);
  ASSERT_EQ(flock(locker, LOCK_EX | LOCK_NB), 0);
  PosixSerialLine line;
  EXPECT_FALSE(line.Open(pty.slavePath));
  ::close(locker);
  EXPECT_TRUE(line.Open(pty.slavePath));
}

TEST_F(LineOnPty, OpenLineIsLockedAndExclusiveUntilClosed) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  PosixSerialLine line;
  ASSERT_TRUE(line.Open(pty.slavePath));
  EXPECT_TRUE(line.IsPseudoTerminal());
  int exclusive = 0;
  ASSERT_EQ(ioctl(pty.holder, TIOCGEXCL, &exclusive), 0);
  EXPECT_NE(exclusive, 0);
  const int other = ::open(pty.slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (other >= 0) {  // root gets past TIOCEXCL; the lock still stops it
    EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0);
    ::close(other);
  }
  line.Close();
  ASSERT_EQ(ioctl(pty.holder, TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0);
  EXPECT_EQ(flock(pty.holder, LOCK_EX | LOCK_NB), 0);
}

// A device the user may not open is told apart from one that is missing or
// held, so the window can say what to do about it. Root opens anything: the
// test then tries it as an ordinary user (uid 65534) for the length of the open.
TEST_F(LineOnPty, DeviceWithoutPermissionIsReportedAsSuch) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  ASSERT_EQ(::chmod(pty.slavePath.c_str(), 0600), 0);
  const bool root = ::geteuid() == 0;
  if (!root) {
    ASSERT_EQ(::chmod(pty.slavePath.c_str(), 0000), 0);
  }
  PosixSerialLine line;
  if (root) {
    ASSERT_EQ(::seteuid(65534), 0);
  }
  const bool opened = line.Open(pty.slavePath);
  if (root) {
    ASSERT_EQ(::seteuid(0), 0);
  }
  EXPECT_FALSE(opened);
  EXPECT_EQ(line.LastOpenFailure(), SerialLine::OpenFailure::AccessDenied);
  EXPECT_EQ(line.LastDevice(), pty.slavePath);

  EXPECT_FALSE(line.Open("/dev/wlt-no-such-device"));
  EXPECT_EQ(line.LastOpenFailure(), SerialLine::OpenFailure::Other);
  if (!root) {
    ASSERT_EQ(::chmod(pty.slavePath.c_str(), 0600), 0);
  }
  EXPECT_TRUE(line.Open(pty.slavePath));
  EXPECT_EQ(line.LastOpenFailure(), SerialLine::OpenFailure::None);
}

TEST_F(LineOnPty, PlainFileIsNoPort) {
  char path[] = "/tmp/wlt-not-a-port-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  ::close(fd);
  PosixSerialLine line;
  EXPECT_FALSE(line.Open(path));
  EXPECT_FALSE(line.IsOpen());
  ::unlink(path);
}

TEST_F(LineOnPty, EveryBitRateAndParityIsApplied) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  for (int rate = br110; rate <= br115200; ++rate) {
    for (const TParity parity : {prNone, prOdd, prEven, prMark, prSpace}) {
      PosixSerialLine line;
      ASSERT_TRUE(line.Open(pty.slavePath));
      LineSettings settings;
      settings.BitRate = BaudRateValue(static_cast<TBaudRate>(rate));
      settings.Parity = parity;
      settings.StopBits = sbTwoStopBits;
      EXPECT_TRUE(line.Configure(settings)) << settings.BitRate << " parity " << int(parity);
      termios t {};
      ASSERT_EQ(tcgetattr(pty.holder, &t), 0);
      EXPECT_NE(t.c_cflag & CSTOPB, 0u);
      EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
      EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
      EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    }
  }
}

TEST_F(LineOnPty, StandardRateIsTheDriversSpeed) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  PosixSerialLine line;
  ASSERT_TRUE(line.Open(pty.slavePath));
  LineSettings settings;
  settings.BitRate = 19200;
  ASSERT_TRUE(line.Configure(settings));
  termios t {};
  ASSERT_EQ(tcgetattr(pty.holder, &t), 0);
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B19200));
}

TEST_F(LineOnPty, OneAndAHalfStopBitsAreRefused) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  PosixSerialLine line;
  ASSERT_TRUE(line.Open(pty.slavePath));
  LineSettings settings;
  settings.StopBits = sbOne5StopBits;
  EXPECT_FALSE(line.Configure(settings));
}

TEST_F(LineOnPty, SilentReadReturnsNothingAfterTheTotalTimeOut) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  PosixSerialLine line;
  ASSERT_TRUE(line.Open(pty.slavePath));
  ASSERT_TRUE(line.Configure(LineSettings{}));
  std::uint8_t buffer[13];
  const auto start = Clock::now();
  EXPECT_EQ(line.Read(buffer, 13), 0u);
  const long long elapsed = MillisecondsSince(start);
  EXPECT_GE(elapsed, 630);
  EXPECT_LT(elapsed, 3000);
}

TEST_F(LineOnPty, ShortReplyEndsOnTheSilenceAfterItsLastByte) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  PosixSerialLine line;
  ASSERT_TRUE(line.Open(pty.slavePath));
  ASSERT_TRUE(line.Configure(LineSettings{}));
  const Bytes reply = WithCrc({0x01, 0x83, 0x02});
  ASSERT_EQ(::write(pty.master, reply.data(), reply.size()), 5);
  std::uint8_t buffer[13];
  const auto start = Clock::now();
  ASSERT_EQ(line.Read(buffer, 13), 5u);
  EXPECT_LT(MillisecondsSince(start), 300);  // far below the 630 ms total
  EXPECT_EQ(Hex(Bytes(buffer, buffer + 5)), "01 83 02 C0 F1");
}

// A silence of 10 ms ends a reply: bytes that follow a longer gap belong to
// no reply of this read (a longer silence would glue two frames together).
TEST_F(LineOnPty, GapInTheMiddleOfAReplyEndsTheRead) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  PosixSerialLine line;
  ASSERT_TRUE(line.Open(pty.slavePath));
  ASSERT_TRUE(line.Configure(LineSettings{}));
  const Bytes reply = WithCrc({0x01, 0x03, 0x02, 0x12, 0x34});
  ASSERT_EQ(::write(pty.master, reply.data(), 3), 3);
  // The rest comes 20 ms after the line took the first bytes: the other end
  // watches the line's input queue run empty, then waits out the gap.
  std::thread other([&] {
    for (int i = 0; i < 2000; ++i) {
      int queued = 0;
      if (ioctl(pty.holder, FIONREAD, &queued) == 0 && queued == 0) break;
      poll(nullptr, 0, 1);
    }
    poll(nullptr, 0, 20);
    // A short write shows as a missing tail in the assertions below.
    if (::write(pty.master, reply.data() + 3, reply.size() - 3) < 0) {
    }
  });
  std::uint8_t buffer[16] = {};
  const std::size_t got = line.Read(buffer, sizeof buffer);
  other.join();
  EXPECT_EQ(Hex(Bytes(buffer, buffer + got)), "01 03 02");
}

TEST_F(LineOnPty, PurgeDiscardsWhatArrivedBefore) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  PosixSerialLine line;
  ASSERT_TRUE(line.Open(pty.slavePath));
  LineSettings settings;
  settings.ReadTotalConstantMs = 50;
  ASSERT_TRUE(line.Configure(settings));
  const std::uint8_t stale[3] = {1, 2, 3};
  ASSERT_EQ(::write(pty.master, stale, 3), 3);
  poll(nullptr, 0, 50);  // let the bytes reach the line's input queue
  EXPECT_TRUE(line.Purge());
  std::uint8_t buffer[8];
  EXPECT_EQ(line.Read(buffer, 8), 0u);
}

TEST_F(LineOnPty, WriteReachesTheOtherEnd) {
  PtyPair pty;
  ASSERT_GE(pty.holder, 0);
  PosixSerialLine line;
  ASSERT_TRUE(line.Open(pty.slavePath));
  ASSERT_TRUE(line.Configure(LineSettings{}));
  const std::uint8_t frame[8] = {0x01, 0x03, 0x03, 0x20, 0x00, 0x78, 0x44, 0x66};
  EXPECT_EQ(line.Write(frame, 8), 8u);
  std::uint8_t got[8] = {};
  pollfd p {pty.master, POLLIN, 0};
  ASSERT_EQ(poll(&p, 1, 1000), 1);
  ASSERT_EQ(::read(pty.master, got, 8), 8);
  EXPECT_EQ(Hex(Bytes(got, got + 8)), "01 03 03 20 00 78 44 66");
}

TEST_F(LineOnPty, ClosedLineFailsAtOnce) {
  PosixSerialLine line;
  std::uint8_t buffer[4] = {};
  EXPECT_FALSE(line.Purge());
  EXPECT_EQ(line.Write(buffer, 4), 0u);
  const auto start = Clock::now();
  EXPECT_EQ(line.Read(buffer, 4), 0u);
  EXPECT_LT(MillisecondsSince(start), 50);
  EXPECT_FALSE(line.Configure(LineSettings{}));
}
