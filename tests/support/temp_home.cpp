#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string g_testHome;

class TempHomeListener : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    char pattern[] = "/tmp/lumivane-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
      std::abort();
    }
    g_testHome = made;
    setenv("HOME", made, 1);
  }

  void OnTestEnd(const testing::TestInfo&) override {
    std::error_code ignored;
    std::filesystem::remove_all(g_testHome, ignored);
    g_testHome.clear();
  }
};

}  // namespace

const std::string& TestHome() { return g_testHome; }

void InstallTempHomeListener() {
  // Before any test starts, HOME already points nowhere useful.
  setenv("HOME", "/nonexistent-lumivane-home", 1);
  testing::UnitTest::GetInstance()->listeners().Append(new TempHomeListener);
}
