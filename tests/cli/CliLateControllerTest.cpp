// wlt-nastawy-cli on a line that lies: a controller that answers too late
// must never get its values printed under the wrong name with exit status 0.

#include "CliOnSim.h"

namespace {

class CliLateController : public CliOnSim {};

// Test times Monday 8 h, Wednesday 22 h, none: each row is its own register,
// so a reply taken for the next request's shows as a row moved down.
const std::vector<std::string> kSchedule{"--set", "1230=2050", "--set", "1231=8708", "--set", "1232=0"};

TEST_F(CliLateController, TheScheduleRowsNeverShift) {
  std::vector<std::string> args = kSchedule;
  args.insert(args.end(), {"--reply-delay", "700"});
  StartSim(args);
  const CliOutcome o = Cli({QStringLiteral("read-schedule")});
  // The settings block is read in time (its time-out is 2970 ms); each
  // one-register read times out at 590 ms and its late reply is waited out.
  EXPECT_EQ(o.status, 1) << o.err.toStdString();
  EXPECT_TRUE(o.out.isEmpty()) << o.out.join(QLatin1Char('\n')).toStdString();
  EXPECT_TRUE(o.err.contains(QStringLiteral("Brak komunikacji z urządzeniem"))) << o.err.toStdString();
}

}  // namespace
