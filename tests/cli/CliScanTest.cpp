// wlt-nastawy-cli scan against wlt-sim, and the program through a serial
// device server (wlt-sim --tcp on loopback).

#include "CliOnSim.h"

namespace {

class CliScan : public CliOnSim {};

}  // namespace

TEST_F(CliScan, FindsTheControllerAndPrintsHowItIsReached) {
  StartSim({"--baud", "9600", "--slave", "2", "--factory-number", "7", "--production-year", "2019"});
  const QString device = QString::fromStdString(sim->DevicePath());
  // COM1 first in the search: the simulator is found before any device of
  // the machine is tried.
  const CliOutcome r = Cli({QStringLiteral("--port"), QStringLiteral("COM1=") + device, QStringLiteral("scan")}, false);
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, (QStringList{QStringLiteral("Urządzenie: %1 (COM1)").arg(device), QStringLiteral("Bity na sekundę: 9600"),
                                QStringLiteral("Parzystość: Brak"), QStringLiteral("Adres urządzenia: 2"),
                                QStringLiteral("Nr fabr.: 7"), QStringLiteral("Rok prod.: 2019"),
                                QStringLiteral(" Połączony")}));
  EXPECT_TRUE(r.err.contains(QStringLiteral("scan: 0%: Urządzenie ") + device)) << r.err.toStdString();
}

TEST_F(CliScan, TheProgramWorksThroughASerialServer) {
  StartSim({"--tcp", "0", "--factory-number", "44"});
  const CliOutcome r = Cli({QStringLiteral("info")});  // --port tcp:127.0.0.1:PORT
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out.value(0), QStringLiteral("Nr fabr.: 44"));
  const CliOutcome scan = Cli({QStringLiteral("scan")});
  ASSERT_EQ(scan.status, 0) << scan.err.toStdString();
  EXPECT_EQ(scan.out.value(0), QStringLiteral("Urządzenie: %1 (COM1)").arg(QString::fromStdString(sim->DevicePath())));
}
