// Opening, configuring and closing the port, and when the events fire.

#include "LinkTestHelpers.h"

#include <gtest/gtest.h>

namespace {

// Appends each event to the line's call record, so one sequence shows both.
void RecordEvents(TMdb& mdb, FakeLineState& line) {
  mdb.OnOpen = [&line](TMdb*) { line.Calls.push_back("OnOpen"); };
  mdb.OnClose = [&line](TMdb*) { line.Calls.push_back("OnClose"); };
  mdb.OnShowSt = [&line](TMdb*) { line.Calls.push_back("OnShowSt"); };
}

using Calls = std::vector<std::string>;

}  // namespace

TEST(PortProperties, DefaultsAtConstruction) {
  FakeLink link(false);
  const TMdb& mdb = *link.mdb;
  EXPECT_EQ(mdb.BaudRate, br9600);
  EXPECT_EQ(mdb.Port, COM1);
  EXPECT_EQ(mdb.Parity, prOdd);
  EXPECT_EQ(mdb.StopBits, sbOneStopBit);
  EXPECT_FALSE(mdb.EnableDTR);
  EXPECT_FALSE(mdb.EnableRTS);
  EXPECT_EQ(mdb.RepeatCount, 3);
  EXPECT_EQ(mdb.ResponseTime, 500);
  EXPECT_FALSE(mdb.OnOpen);
  EXPECT_FALSE(mdb.OnClose);
  EXPECT_FALSE(mdb.OnShowSt);
  EXPECT_FALSE(mdb.PortOpen());
  EXPECT_FALSE(mdb.Answered());
  EXPECT_TRUE(link.line->Calls.empty());  // construction touches no port
}

TEST(PortProperties, PortNamesAreCom1ToCom9) {
  FakeLink link(false);
  link.mdb->Port = COM1;
  EXPECT_EQ(link.mdb->PortName(), "COM1");
  link.mdb->Port = COM9;
  EXPECT_EQ(link.mdb->PortName(), "COM9");
  link.mdb->Port = COM4;
  link.mdb->OpenPort();
  EXPECT_EQ(link.line->OpenedNames, (std::vector<std::string>{"COM4"}));
}

TEST(PortProperties, BitRateValues) {
  const std::uint32_t expected[] = {110,   300,   600,   1200,  2400,  4800,  9600,
                                    14400, 19200, 38400, 56000, 57600, 115200};
  for (int i = br110; i <= br115200; ++i) {
    EXPECT_EQ(BaudRateValue(static_cast<TBaudRate>(i)), expected[i]) << "ordinal " << i;
  }
}

TEST(PortConfiguration, LineSettingsFollowTheProperties) {
  FakeLink link(false);
  link.mdb->BaudRate = br19200;
  link.mdb->Parity = prEven;
  link.mdb->StopBits = sbTwoStopBits;
  link.mdb->ResponseTime = 750;
  link.mdb->OpenPort();
  ASSERT_EQ(link.line->Configurations.size(), 1u);
  const LineSettings& s = link.line->Configurations[0];
  EXPECT_EQ(s.BitRate, 19200u);
  EXPECT_EQ(s.DataBits, 8);
  EXPECT_EQ(s.Parity, prEven);
  EXPECT_EQ(s.StopBits, sbTwoStopBits);
  EXPECT_EQ(s.ReadIntervalMs, 10u);
  EXPECT_EQ(s.ReadTotalMultiplierMs, 10u);
  EXPECT_EQ(s.ReadTotalConstantMs, 750u);
  EXPECT_EQ(s.WriteTotalMultiplierMs, 1000u);
  EXPECT_EQ(s.WriteTotalConstantMs, 1500u);
  EXPECT_EQ(s.InputQueueSize, 4096u);
  EXPECT_EQ(s.OutputQueueSize, 4096u);
  EXPECT_TRUE(link.mdb->PortOpen());
}

TEST(PortConfiguration, ChangedPropertiesWaitForTheNextOpen) {
  FakeLink link;
  link.mdb->BaudRate = br2400;
  EXPECT_TRUE(link.line->Calls.empty());
  link.mdb->OpenPort();
  ASSERT_EQ(link.line->Configurations.size(), 2u);
  EXPECT_EQ(link.line->Configurations[0].BitRate, 9600u);
  EXPECT_EQ(link.line->Configurations[1].BitRate, 2400u);
}

TEST(PortEvents, OpenConfiguresThenFiresOpenAndShowSt) {
  FakeLink link(false);
  RecordEvents(*link.mdb, *link.line);
  link.mdb->OpenPort();
  EXPECT_EQ(link.line->Calls, (Calls{"Open COM1", "Configure", "OnOpen", "OnShowSt"}));
  EXPECT_TRUE(link.mdb->PortOpen());
}

TEST(PortEvents, ReopenClosesFirstWithItsEvents) {
  FakeLink link;
  RecordEvents(*link.mdb, *link.line);
  link.mdb->OpenPort();
  EXPECT_EQ(link.line->Calls, (Calls{"Close", "OnClose", "OnShowSt", "Open COM1", "Configure",
                                     "OnOpen", "OnShowSt"}));
  EXPECT_TRUE(link.mdb->PortOpen());
}

TEST(PortEvents, CloseFiresCloseThenShowSt) {
  FakeLink link;
  RecordEvents(*link.mdb, *link.line);
  link.mdb->ClosePort();
  EXPECT_EQ(link.line->Calls, (Calls{"Close", "OnClose", "OnShowSt"}));
  EXPECT_FALSE(link.mdb->PortOpen());
}

TEST(PortEvents, CloseOnAClosedPortDoesNothing) {
  FakeLink link(false);
  RecordEvents(*link.mdb, *link.line);
  link.mdb->ClosePort();
  EXPECT_TRUE(link.line->Calls.empty());
}

TEST(PortEvents, PortThatCannotBeOpenedFiresNothing) {
  FakeLink link(false);
  link.line->RefuseOpen = true;
  RecordEvents(*link.mdb, *link.line);
  link.mdb->OpenPort();
  EXPECT_EQ(link.line->Calls, (Calls{"Open COM1"}));
  EXPECT_FALSE(link.mdb->PortOpen());
}

TEST(PortEvents, RefusedConfigurationReleasesThePortAndStillFires) {
  FakeLink link(false);
  link.line->RefuseConfigure = true;
  RecordEvents(*link.mdb, *link.line);
  bool openSeenInHandler = true;
  link.mdb->OnOpen = [&](TMdb* sender) {
    openSeenInHandler = sender->PortOpen();
    link.line->Calls.push_back("OnOpen");
  };
  link.mdb->OpenPort();
  EXPECT_EQ(link.line->Calls, (Calls{"Open COM1", "Configure", "Close", "OnOpen", "OnShowSt"}));
  EXPECT_FALSE(link.mdb->PortOpen());
  EXPECT_FALSE(openSeenInHandler);
  EXPECT_FALSE(link.line->IsOpen);

  // The handle was released: the next open takes the port.
  link.line->RefuseConfigure = false;
  link.line->Calls.clear();
  link.mdb->OpenPort();
  EXPECT_EQ(link.line->Calls, (Calls{"Open COM1", "Configure", "OnOpen", "OnShowSt"}));
  EXPECT_TRUE(link.mdb->PortOpen());
}

TEST(PortEvents, DestructionClosesWithoutEvents) {
  FakeLink link;
  RecordEvents(*link.mdb, *link.line);
  link.mdb.reset();
  EXPECT_EQ(link.line->Calls, (Calls{"Close"}));
  EXPECT_FALSE(link.line->IsOpen);
}

TEST(PortEvents, TransactionFiresShowStOnceAtTheEnd) {
  FakeLink link;
  RecordEvents(*link.mdb, *link.line);
  link.mdb->RepeatCount = 2;
  link.mdb->WriteRegister(1, 1272, 8);
  EXPECT_EQ(link.line->Calls, (Calls{"Purge", "Write", "Read 13", "Discard 500/3570", "Purge", "Write",
                                     "Read 13", "OnShowSt"}));
}

TEST(PortEvents, ComponentWorksWithNoHandlers) {
  FakeLink link(false);
  link.line->Responder = [](const Bytes& request) { return request; };
  link.mdb->OpenPort();
  EXPECT_TRUE(link.mdb->WriteRegister(1, 1272, 8));
  link.mdb->ClosePort();
  EXPECT_FALSE(link.mdb->PortOpen());
}
