// The simulator as a process: start, the device path, the frame log, the
// symlink, ending on signals; and the SimProcess helper itself.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <regex>

#include "SimProcess.h"
#include "SimTestLine.h"

using namespace simtest;

namespace {

TEST(SimCrc, CheckValuesOfTheTestCrc) {
  Bytes digits{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(Crc(digits, digits.size()), 0x4B37);
  EXPECT_EQ(Hex(ReadRequest(1, 801, 120)), "01 03 03 20 00 78 44 66");
  EXPECT_EQ(Hex(ReadRequest(1, 1300, 4)), "01 03 05 13 00 04 B5 00");
}

TEST(SimLog, EveryFrameOneLineWithTimeDirectionAndHex) {
  SimProcess sim({"--factory-number", "7"});
  ASSERT_TRUE(sim.Running());
  Master master(sim.DevicePath());
  ASSERT_TRUE(master.Ok());
  ASSERT_EQ(master.Read(801, 120).size(), 120u);
  ASSERT_TRUE(master.Write(1272, 8));
  std::string log = sim.Log();
  const std::regex lineForm(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} (RX|TX) [0-9A-F]{2}( [0-9A-F]{2})*)");
  std::istringstream in(log);
  std::string line;
  int lines = 0;
  while (std::getline(in, line)) {
    EXPECT_TRUE(std::regex_match(line, lineForm)) << line;
    ++lines;
  }
  EXPECT_EQ(lines, 4);
  EXPECT_EQ(sim.Requests(), (std::vector<std::string>{"01 03 03 20 00 78 44 66", "01 06 04 F7 00 08 38 CE"}));
  auto replies = sim.Replies();
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0].size(), 245u * 3 - 1);
  EXPECT_EQ(replies[0].substr(0, 8), "01 03 F0");
  EXPECT_EQ(replies[1], "01 06 04 F7 00 08 38 CE");
}

TEST(SimLog, ClearLogStartsAfresh) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  Master master(sim.DevicePath());
  ASSERT_TRUE(master.Ok());
  master.Read1(898);
  EXPECT_EQ(sim.Requests().size(), 1u);
  sim.ClearLog();
  EXPECT_TRUE(sim.Log().empty());
  master.Read1(899);
  EXPECT_EQ(sim.Requests(), std::vector<std::string>{Hex(ReadRequest(1, 899, 1))});
  EXPECT_EQ(sim.Log().find('\0'), std::string::npos);
}

TEST(SimProcessHelper, FailedStartIsReportedWithoutHanging) {
  auto start = std::chrono::steady_clock::now();
  SimProcess sim({"--no-such-option"});
  EXPECT_FALSE(sim.Running());
  EXPECT_TRUE(sim.DevicePath().empty());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

TEST(SimProcessHelper, DevicePathIsAPseudoTerminal) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  EXPECT_EQ(sim.DevicePath().rfind("/dev/pts/", 0), 0u) << sim.DevicePath();
}

TEST(SimProcessHelper, EndsOnTerminateWithStatusZero) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  ASSERT_TRUE(sim.Signal(SIGTERM));
  int status = -1;
  ASSERT_TRUE(sim.WaitForExit(3000, &status));
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_FALSE(sim.Running());
}

TEST(SimProcessHelper, EndsOnInterrupt) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  ASSERT_TRUE(sim.Signal(SIGINT));
  int status = -1;
  ASSERT_TRUE(sim.WaitForExit(3000, &status));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(SimLine, SymlinkToTheDeviceRemovedAtExit) {
  std::string link = "/tmp/wlt-sim-link-" + std::to_string(::getpid());
  {
    SimProcess sim({"--link", link});
    ASSERT_TRUE(sim.Running());
    char target[256] = {};
    ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    ASSERT_GT(n, 0);
    EXPECT_EQ(std::string(target), sim.DevicePath());
    Master master(link);
    ASSERT_TRUE(master.Ok());
    EXPECT_EQ(master.Read1(898), 1);
    ASSERT_TRUE(sim.Signal(SIGTERM));
    ASSERT_TRUE(sim.WaitForExit(3000));
  }
  struct stat st{};
  EXPECT_NE(::lstat(link.c_str(), &st), 0);
}

TEST(SimLine, KeepsServingAfterTheMasterClosedThePort) {
  SimProcess sim({"--factory-number", "21"});
  ASSERT_TRUE(sim.Running());
  {
    Master first(sim.DevicePath());
    ASSERT_TRUE(first.Ok());
    EXPECT_EQ(first.Read1(898), 21);
  }
  EXPECT_TRUE(sim.Running());
  Master second(sim.DevicePath());
  ASSERT_TRUE(second.Ok());
  EXPECT_EQ(second.Read1(898), 21);
}

TEST(SimLine, SilentSimulatorThenNewRequestIsHandled) {
  // A libmodbus master that gave up on one request (here: for another slave)
  // gets its next request answered.
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  Master other(sim.DevicePath(), 2, 200);
  ASSERT_TRUE(other.Ok());
  EXPECT_TRUE(other.Read(898, 1).empty());
  modbus_set_slave(other.Ctx(), 1);
  EXPECT_EQ(other.Read(898, 1).size(), 1u);
}

TEST(SimCommandLine, HelpAndBadValues) {
  std::string cmd = std::string(WLT_SIM_PATH) + " --help";
  FILE* p = ::popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  // Read to the end: closing the pipe early would stop the simulator with SIGPIPE.
  std::string help;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) help.append(buf, n);
  EXPECT_EQ(::pclose(p), 0);
  EXPECT_NE(help.find("--answer-from-try"), std::string::npos);
  for (const char* bad : {" --slave 0", " --slave 248", " --exception 10-5", " --clock 2003-13-01T00:00:00",
                          " --parity X", " --answer-from-try 0", " stray", " --set 5000=1",
                          " --set 1000=1", " --set 1321=70000"}) {
    std::string c = std::string(WLT_SIM_PATH) + bad + " >/dev/null 2>&1";
    int status = std::system(c.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << bad;
  }
}

}  // namespace

namespace {

TEST(SimLine, ServesAGivenDevice) {
  // The test holds the master end of its own pty and hands the slave end to the simulator.
  int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  std::string slavePath = ::ptsname(master);
  {
    SimProcess sim({"--device", slavePath, "--factory-number", "44"});
    ASSERT_TRUE(sim.Running());
    EXPECT_EQ(sim.DevicePath(), slavePath);
    termios t{};
    tcgetattr(master, &t);
    cfmakeraw(&t);
    tcsetattr(master, TCSANOW, &t);
    Bytes request = ReadRequest(1, 898, 1);
    ASSERT_EQ(::write(master, request.data(), request.size()), 8);
    Bytes reply;
    while (reply.size() < 7) {
      pollfd p{master, POLLIN, 0};
      if (::poll(&p, 1, 1000) <= 0) break;
      uint8_t buf[64];
      ssize_t n = ::read(master, buf, sizeof buf);
      if (n <= 0) break;
      reply.insert(reply.end(), buf, buf + n);
    }
    EXPECT_EQ(Hex(reply), Hex(WithCrc({1, 3, 2, 0, 44})));
  }
  ::close(master);
}

TEST(SimLine, MissingDeviceFailsTheStart) {
  SimProcess sim({"--device", "/dev/wlt-no-such-device"});
  EXPECT_FALSE(sim.Running());
  EXPECT_TRUE(sim.DevicePath().empty());
}

}  // namespace

namespace {

TEST(SimProcessHelper, ChildDoesNotInheritTheTestsDescriptors) {
  int fd = ::open("/dev/null", O_RDONLY);  // not close-on-exec
  ASSERT_GE(fd, 0);
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  std::string path = "/proc/" + std::to_string(sim.Pid()) + "/fd/" + std::to_string(fd);
  char target[256] = {};
  ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
  EXPECT_TRUE(n < 0 || std::string(target) != "/dev/null") << path;
  ::close(fd);
}

}  // namespace
