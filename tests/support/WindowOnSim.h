#pragma once
// A headless window on wlt-sim: the simulator on a fresh pseudo-terminal as
// COM1, the form with its catalogue and the line settings start-up gives it
// (19200 bit/s, no parity). Tests derive from it and start the simulator with
// the options they need.

#include "FakeUi.h"
#include "SimProcess.h"
#include "app/TForm1.h"
#include "mdbcomp/PortMap.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class WindowOnSim : public ::testing::Test {
 protected:
  void TearDown() override { PortMap::Clear(); }

  void StartSim(std::vector<std::string> args = {}) {
    sim = std::make_unique<SimProcess>(std::move(args));
    ASSERT_TRUE(sim->Running()) << "wlt-sim did not start";
    PortMap::Set("COM1", sim->DevicePath());
    form.InitSettingsCatalogue();
    form.Mdb1.Port = COM1;
    form.Mdb1.BaudRate = br19200;
    form.Mdb1.Parity = prNone;
  }
  // Finds the controller, then forgets what that took: the log and the Ui
  // records start empty.
  void Connect() {
    form.ConnectDevice();
    ASSERT_TRUE(form.ControllerFound());
    sim->ClearLog();
    ui.ClearRecords();
  }
  QString Panel1() const { return form.StatusBar1.Panels[1].Text; }

  std::unique_ptr<SimProcess> sim;
  FakeUi ui;
  TForm1 form{ui};
};
