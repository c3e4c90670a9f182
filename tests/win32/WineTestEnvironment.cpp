// One private wine prefix for the whole test program, set up before the first
// test and removed (its wineserver ended) after the last.

#include "WineTestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<WineSession> session;

class WineEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    session = std::make_unique<WineSession>(WLT_WINE, WLT_WINEBOOT, WLT_WINESERVER);
    if (session->Prepare())
      std::printf("wine prefix %s ready in %ld ms\n", session->Prefix().c_str(), session->PrepareMs());
  }
  void TearDown() override { session.reset(); }
};

}  // namespace

WineSession* Wine() {
  if (!session || !session->Error().empty()) return nullptr;
  return session.get();
}

std::string WineError() { return session ? session->Error() : "wine session not created"; }

std::string WindowsProgram(const std::string& name) { return std::string(WLT_WINDOWS_BIN) + "/" + name; }

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new WineEnvironment);
  return RUN_ALL_TESTS();
}
