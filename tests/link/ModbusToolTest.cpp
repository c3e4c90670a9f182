// wlt-modbus against wlt-sim: what a technician sees, and the exit status.

#include "SimProcess.h"
#include "TraceFrames.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace {

struct ToolRun {
  int status = -1;
  std::string output;  // stdout and stderr together
};

ToolRun RunTool(const std::string& args) {
  ToolRun run;
  const std::string command = std::string(WLT_MODBUS_PATH) + " " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace

TEST(ModbusTool, ReadsFactoryNumberAndYear) {
  SimProcess sim({"--factory-number", "4321"});
  ASSERT_TRUE(sim.Running());
  const ToolRun run = RunTool("--port " + sim.DevicePath() + " read 898 2");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, "898 = 4321 (0x10E1)\n899 = 2020 (0x07E4)\n");
}

TEST(ModbusTool, WritesThroughAPortMapping) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  const ToolRun run = RunTool("--port COM2=" + sim.DevicePath() + " write 1274 0x0C");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, "1274 = 12 (0x000C) written\n");
  const auto requests = sim.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.back().substr(0, 17), "01 06 04 F9 00 0C");
}

TEST(ModbusTool, ReportsNoAnswer) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  const ToolRun run = RunTool("--port " + sim.DevicePath() + " --slave 9 --tries 1 read 898 1");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("no answer"), std::string::npos) << run.output;
}

TEST(ModbusTool, ReportsTheExceptionCode) {
  SimProcess sim({"--exception", "1230-1232:3"});
  ASSERT_TRUE(sim.Running());
  const ToolRun run = RunTool("--port " + sim.DevicePath() + " read 1230 3");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("exception code 3"), std::string::npos) << run.output;
}

TEST(ModbusTool, ReportsAWrongReply) {
  SimProcess sim({"--wrong-slave", "2"});
  ASSERT_TRUE(sim.Running());
  const ToolRun run = RunTool("--port " + sim.DevicePath() + " read 898 1");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("wrong reply (from slave 2"), std::string::npos) << run.output;
}

// A looped-back line returns the request itself: it is no controller, and the
// tool says what it saw.
TEST(ModbusTool, ALoopedBackLineIsNoController) {
  SimProcess sim({"--echo"});
  ASSERT_TRUE(sim.Running());
  const ToolRun run = RunTool("--port " + sim.DevicePath() + " read 898 1");
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("the request came back unchanged"), std::string::npos) << run.output;
  EXPECT_EQ(sim.Requests().size(), 1u);  // a whole frame with a good CRC: not retried
}

// A controller slower than the time-out: its late answers never pass for the
// answer of a later request, whatever is read after them.
TEST(ModbusTool, ALateControllerGivesNoValues) {
  SimProcess sim({"--reply-delay", "700", "--set", "1230=0x0208", "--set", "1231=0x0416"});
  ASSERT_TRUE(sim.Running());
  for (const char* reg : {"1230", "1231"}) {
    const ToolRun run = RunTool("--port " + sim.DevicePath() + " read " + std::string(reg) + " 1");
    EXPECT_EQ(run.status, 1) << reg << ": " << run.output;
    EXPECT_NE(run.output.find("no answer"), std::string::npos) << run.output;
  }
}

TEST(ModbusTool, RegisterBeyond65535IsLabelledWithItsWireAddress) {
  SimProcess sim;  // outside the served map: exception 2
  ASSERT_TRUE(sim.Running());
  const ToolRun run = RunTool("--port " + sim.DevicePath() + " read 65536 1");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("from 65536 (wire address 0xFFFF) failed: exception code 2"),
            std::string::npos)
      << run.output;
  const auto requests = sim.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].substr(0, 17), "01 03 FF FF 00 01");
}

TEST(ModbusTool, MissingPortAndBadArguments) {
  ToolRun run = RunTool("--port /dev/wlt-no-such-port read 898 1");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("cannot be opened"), std::string::npos) << run.output;
  run = RunTool("read 898");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("Usage: wlt-modbus"), std::string::npos) << run.output;
}

// -v (and --trace) print the link's rows on standard error as they happen:
// every frame of the simulator's log, in order, with each try's outcome.
TEST(ModbusTool, TraceRowsMatchTheSimulatorsFrames) {
  struct Case {
    const char* name;
    std::vector<std::string> sim;
    std::string args;
    int status;
    std::vector<std::string> outcomes;  // texts the rows carry
  };
  const Case cases[] = {
      {"answered at the third try", {"--answer-from-try", "3"}, "-v read 898 1", 0,
       {"zapytanie, próba 3 z 3", "  brak odpowiedzi po ", "odpowiedź poprawna, ",
        "wynik: poprawna odpowiedź w próbie 3 z 3"}},
      {"every reply corrupted", {"--bad-crc"}, "--trace write 1272 8", 1,
       {"błędna suma CRC, ", "wynik: brak komunikacji po 3 próbach"}},
      {"an exception", {"--exception", "1230-1232:3"}, "--trace read 1230 3", 1,
       {"wyjątek 3: niedozwolona wartość danych (Illegal Data Value), ", "wynik: odpowiedź odrzucona",
        "exception code 3 (Illegal Data Value)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimProcess sim(c.sim);
    ASSERT_TRUE(sim.Running());
    const ToolRun run = RunTool("--port " + sim.DevicePath() + " --response-time 100 " + c.args);
    EXPECT_EQ(run.status, c.status) << run.output;
    const std::vector<std::string> frames = trace_frames::FromTrace(run.output);
    EXPECT_FALSE(frames.empty()) << run.output;
    EXPECT_EQ(frames, trace_frames::FromSimLog(sim.Log())) << run.output;
    for (const std::string& outcome : c.outcomes) EXPECT_NE(run.output.find(outcome), std::string::npos) << outcome;
  }
}

TEST(ModbusTool, NoRowsWithoutTrace) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  const ToolRun run = RunTool("--port " + sim.DevicePath() + " read 898 1");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "898 = 1 (0x0001)\n");
}
