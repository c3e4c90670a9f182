// Which device each port name opens.

#include "mdbcomp/PortMap.h"

#include <gtest/gtest.h>

namespace {

struct PortMapTest : ::testing::Test {
  void SetUp() override { PortMap::Clear(); }
  void TearDown() override { PortMap::Clear(); }
};

}  // namespace

TEST_F(PortMapTest, DefaultDevicePerPlatform) {
#ifdef _WIN32
  EXPECT_EQ(PortMap::Resolve("COM1"), "COM1");
  EXPECT_EQ(PortMap::Resolve("COM9"), "COM9");
#else
  EXPECT_EQ(PortMap::Resolve("COM1"), "/dev/ttyS0");
  EXPECT_EQ(PortMap::Resolve("COM9"), "/dev/ttyS8");
#endif
}

TEST_F(PortMapTest, OptionMapsOnePort) {
  EXPECT_TRUE(PortMap::SetFromOption("COM1=/dev/ttyUSB0"));
  EXPECT_EQ(PortMap::Resolve("COM1"), "/dev/ttyUSB0");
#ifndef _WIN32
  EXPECT_EQ(PortMap::Resolve("COM2"), "/dev/ttyS1");
#endif
}

TEST_F(PortMapTest, LaterMappingReplacesTheEarlierOne) {
  EXPECT_TRUE(PortMap::SetFromOption("COM3=/dev/pts/4"));
  EXPECT_TRUE(PortMap::SetFromOption("COM3=/dev/pts/7"));
  EXPECT_EQ(PortMap::Resolve("COM3"), "/dev/pts/7");
}

TEST_F(PortMapTest, MalformedOptionsChangeNothing) {
  const std::string before = PortMap::Resolve("COM1");
  for (const char* bad : {"COM1", "COM0=/dev/x", "COM10=/dev/x", "COMA=/dev/x", "COM1=",
                          "=/dev/x", "LPT1=/dev/x", "com1=/dev/x", ""}) {
    EXPECT_FALSE(PortMap::SetFromOption(bad)) << bad;
  }
  EXPECT_EQ(PortMap::Resolve("COM1"), before);
}

TEST_F(PortMapTest, AnyOtherNameIsPassedThrough) {
  EXPECT_EQ(PortMap::Resolve("/dev/ttyUSB3"), "/dev/ttyUSB3");
}
