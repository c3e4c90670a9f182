// The simulator's event recorder, registers 1321 to 2000.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>

#include "SimProcess.h"
#include "SimTestLine.h"

using namespace simtest;

namespace {

// Reads the recorder in the six blocks the service program uses.
std::vector<uint16_t> ReadRecorder(Master& master) {
  std::vector<uint16_t> all;
  const int blocks[6][2] = {{1321, 125}, {1446, 125}, {1571, 125}, {1696, 125}, {1821, 125}, {1946, 55}};
  for (const auto& b : blocks) {
    auto part = master.Read(b[0], b[1]);
    if (part.empty()) return {};
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

std::vector<uint16_t> Recorder(std::vector<std::string> args) {
  SimProcess sim(std::move(args));
  if (!sim.Running()) return {};
  Master master(sim.DevicePath());
  if (!master.Ok()) return {};
  return ReadRecorder(master);
}

bool ValidDateTime(const uint16_t* r) {
  uint8_t year = r[0] & 0xFF, month = r[0] >> 8, day = r[1] & 0xFF, hour = r[1] >> 8, minute = r[2] & 0xFF,
          second = r[2] >> 8;
  for (uint8_t b : {year, month, day, hour, minute, second})
    if (!IsBcd(b)) return false;
  return Bcd(month) >= 1 && Bcd(month) <= 12 && Bcd(day) >= 1 && Bcd(day) <= 31 && Bcd(hour) <= 23 &&
         Bcd(minute) <= 59 && Bcd(second) <= 59;
}

TEST(SimEvents, FortyRecordsWithValidDatesCausesAndStates) {
  auto words = Recorder({});
  ASSERT_EQ(words.size(), 680u);
  int withoutCause = 0, withCause = 0, withStates = 0;
  for (int k = 0; k < 40; ++k) {
    const uint16_t* r = &words[static_cast<size_t>(k) * 17];
    EXPECT_TRUE(ValidDateTime(r)) << "record " << k << std::hex << " " << r[0] << " " << r[1] << " " << r[2];
    bool cause = r[3] || r[4] || r[5] || r[6];
    (cause ? withCause : withoutCause)++;
    for (int i = 7; i < 17; ++i)
      if (r[i]) {
        ++withStates;
        break;
      }
  }
  EXPECT_GT(withoutCause, 0);
  EXPECT_GT(withCause, withoutCause);
  EXPECT_GT(withStates, 30);
  // The first record carries the first and the last of the 64 causes.
  EXPECT_EQ(words[3] & 0x0001, 1);
  EXPECT_EQ(words[6] & 0x8000, 0x8000);
}

TEST(SimEvents, RecordsAreInTimeOrder) {
  auto words = Recorder({});
  ASSERT_EQ(words.size(), 680u);
  auto key = [&](int k) {
    const uint16_t* r = &words[static_cast<size_t>(k) * 17];
    auto b = [](uint16_t w, bool high) { return Bcd(static_cast<uint8_t>(high ? w >> 8 : w & 0xFF)); };
    return ((((b(r[0], false) * 100LL + b(r[0], true)) * 100 + b(r[1], false)) * 100 + b(r[1], true)) * 100 +
            b(r[2], false)) * 100 + b(r[2], true);
  };
  for (int k = 1; k < 40; ++k) EXPECT_LT(key(k - 1), key(k)) << k;
}

TEST(SimEvents, ErasedRecorderHasEveryBitSet) {
  auto words = Recorder({"--erased-events"});
  ASSERT_EQ(words.size(), 680u);
  for (size_t i = 0; i < words.size(); ++i) ASSERT_EQ(words[i], 0xFFFF) << i;
}

TEST(SimEvents, EventCountLeavesTheOtherSlotsErased) {
  auto words = Recorder({"--event-count", "5"});
  ASSERT_EQ(words.size(), 680u);
  for (int k = 0; k < 5; ++k) EXPECT_TRUE(ValidDateTime(&words[static_cast<size_t>(k) * 17])) << k;
  for (size_t i = 5 * 17; i < words.size(); ++i) ASSERT_EQ(words[i], 0xFFFF) << i;
}

TEST(SimEvents, HistoryDependsOnTheHistoryNumberOnly) {
  auto a = Recorder({});
  auto b = Recorder({"--event-history", "1"});
  auto c = Recorder({"--event-history", "99"});
  ASSERT_EQ(a.size(), 680u);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
}

TEST(SimEvents, GeneratedHistoryShowsEveryKindOfRecord) {
  for (const char* history : {"1", "2", "99"}) {
    auto words = Recorder({"--event-history", history});
    ASSERT_EQ(words.size(), 680u) << history;
    int severalCauses = 0, noCause = 0;
    uint16_t stateWordsUsed[10] = {};
    for (int k = 0; k < 40; ++k) {
      const uint16_t* r = &words[static_cast<size_t>(k) * 17];
      int causes = 0;
      for (int i = 3; i <= 6; ++i) causes += __builtin_popcount(r[i]);
      EXPECT_LE(causes, 3) << history << " record " << k;
      if (causes >= 2) ++severalCauses;
      if (causes == 0) ++noCause;
      for (int i = 0; i < 10; ++i) stateWordsUsed[i] |= r[7 + i];
    }
    EXPECT_GE(severalCauses, 5) << history;
    EXPECT_GE(noCause, 3) << history;
    // Every state word carries bits, and most of its 16 bits turn up somewhere.
    for (int i = 0; i < 10; ++i) EXPECT_GE(__builtin_popcount(stateWordsUsed[i]), 12) << history << " word " << i + 1;
  }
}

// A temporary events file, removed again.
class EventsFile {
 public:
  explicit EventsFile(const std::string& text) {
    char name[] = "/tmp/wlt-sim-events-XXXXXX";
    int fd = ::mkstemp(name);
    if (fd >= 0) ::close(fd);
    path_ = name;
    std::ofstream(path_) << text;
  }
  ~EventsFile() { ::unlink(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TEST(SimEvents, EventsFileServesItsRecordsAndErasesTheRest) {
  EventsFile file(
      "# event 1: 24-03-15 08:05:59, causes 1 and 64, states 1 and 16\n"
      "1 0324 0815 5905 0001 0 0 8000 8001 0 0 0 0 0 0 0 0 0\n"
      "\n"
      "  7\t0x0324 0x0815 0x5905 0x0002 0x0001 0 0 0 0 0 0 0 0x0200 0 0 0 0  # causes 2 and 17\n"
      "40 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ffff\n");
  auto words = Recorder({"--events-file", file.Path()});
  ASSERT_EQ(words.size(), 680u);
  const std::vector<uint16_t> event1{0x0324, 0x0815, 0x5905, 0x0001, 0, 0, 0x8000, 0x8001, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const std::vector<uint16_t> event7{0x0324, 0x0815, 0x5905, 0x0002, 0x0001, 0, 0, 0, 0, 0, 0, 0, 0x0200, 0, 0, 0, 0};
  std::vector<uint16_t> event40(17, 0);
  event40[16] = 0xFFFF;
  EXPECT_EQ(std::vector<uint16_t>(words.begin(), words.begin() + 17), event1);
  EXPECT_EQ(std::vector<uint16_t>(words.begin() + 6 * 17, words.begin() + 7 * 17), event7);
  EXPECT_EQ(std::vector<uint16_t>(words.begin() + 39 * 17, words.end()), event40);
  const std::set<int> given{0, 6, 39};
  for (int k = 0; k < 40; ++k) {
    if (given.count(k)) continue;
    for (int i = 0; i < 17; ++i) ASSERT_EQ(words[static_cast<size_t>(k * 17 + i)], 0xFFFF) << k << " " << i;
  }
}

TEST(SimEvents, AMalformedEventsFileIsRefusedWithItsLine) {
  const std::string good = "1 0324 0815 5905 0001 0 0 8000 8001 0 0 0 0 0 0 0 0 0\n";
  struct Case {
    std::string text;
    std::string reason;
  };
  const Case cases[] = {
      {good + "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n", ":2: event number must be 1 to 40"},
      {"41 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n", ":1: event number must be 1 to 40"},
      {"# header\nx1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n", ":2: event number must be 1 to 40"},
      {"2 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n", ":1: expected 17 words after the event number, found 16"},
      {"2 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n", ":1: expected 17 words after the event number, found 18"},
      {"2 10000 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n", ":1: '10000' is no hexadecimal word"},
      {"2 0xG1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n", ":1: '0xG1' is no hexadecimal word"},
      {"2 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n", ":1: '-1' is no hexadecimal word"},
      {good + "\n" + good, ":3: event 1 given twice"},
  };
  for (const Case& c : cases) {
    EventsFile file(c.text);
    const std::string command = std::string(WLT_SIM_PATH) + " --events-file " + file.Path() + " 2>&1";
    FILE* p = ::popen(command.c_str(), "r");
    ASSERT_NE(p, nullptr);
    char buf[1024];
    const size_t n = std::fread(buf, 1, sizeof buf - 1, p);
    buf[n] = 0;
    const int status = ::pclose(p);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << c.text;
    const std::string output(buf);
    EXPECT_NE(output.find("wlt-sim: invalid events file " + file.Path() + c.reason), std::string::npos)
        << c.text << "\n" << output;
  }
  // A file that is not there, and a chosen history combined with a generated one.
  EventsFile file(good);
  for (const std::string& args : {std::string(" --events-file /nonexistent/events.txt"),
                                  " --events-file " + file.Path() + " --event-count 5",
                                  " --erased-events --events-file " + file.Path()}) {
    const int status = std::system((std::string(WLT_SIM_PATH) + args + " >/dev/null 2>&1").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << args;
  }
}

}  // namespace
