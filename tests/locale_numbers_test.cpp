// Files and reports have a decimal point whatever locale the process runs
// in: the window sets the user's locale (LC_NUMERIC too), and a scenario
// saved in German must be the same bytes as one saved under C.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/format/scenario_file.h"
#include "core/format/scenario_text.h"
#include "core/model/hold_time.h"
#include "core/report/report_html.h"
#include "support/temp_home.h"

namespace {

constexpr const char* GERMAN = "de_DE.UTF-8";

std::string ReadAll(const std::string& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
      text.append(buffer, count);
    }
    std::fclose(file);
  }
  return text;
}

// Switches the whole process to German for the test, and back to C after.
// The test suite generates the locale where it is missing (a process sees
// only the locales there were when it started).
class GermanLocale : public testing::Test {
 protected:
  void SetUp() override {
    if (std::setlocale(LC_ALL, GERMAN) == nullptr) {
      GTEST_SKIP() << "the locale " << GERMAN
                   << " is missing and could not be generated (run as root, or: localedef -i de_DE -f UTF-8 "
                   << GERMAN << ")";
    }
    std::setlocale(LC_ALL, "C");
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }

  static void German() {
    ASSERT_NE(std::setlocale(LC_ALL, GERMAN), nullptr);
    // Proof that the test means something: this locale writes a comma.
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 2.5);
    ASSERT_STREQ(text, "2,5");
  }
};

// Holds that each take a different path through the writer.
Scenario ScenarioWithHolds() {
  Scenario scenario;
  const double holds[] = {2.5, 120.0, 0.0, 2.25, 0.1, 1e-7, 1234567.125};
  for (double hold : holds) {
    Scene scene;
    scene.name = "Szene " + std::to_string(scenario.scenes.size() + 1);
    scene.hold = HoldTime(hold);
    scene.rows[0].from = "1";
    scenario.scenes.push_back(scene);
  }
  return scenario;
}

TEST_F(GermanLocale, SavedScenarioIsTheSameBytesAsUnderC) {
  const std::string cPath = TestHome() + "/c.cfg";
  const std::string germanPath = TestHome() + "/de.cfg";
  const Scenario scenario = ScenarioWithHolds();
  ASSERT_EQ(SaveScenarioFile(cPath, scenario, nullptr), 0);
  German();
  ASSERT_EQ(SaveScenarioFile(germanPath, scenario, nullptr), 0);
  const std::string saved = ReadAll(germanPath);
  EXPECT_EQ(saved, ReadAll(cPath));
  EXPECT_NE(saved.find("hold=2.5\n"), std::string::npos);
  EXPECT_NE(saved.find("hold=2.25\n"), std::string::npos);
}

TEST_F(GermanLocale, FileReadAndWrittenBackUnchanged) {
  const std::string original = ReadAll(std::string(LUMIVANE_TEST_DATA) + "/scenario_small.cfg");
  ASSERT_FALSE(original.empty());
  const Scenario cRead = ParseScenarioText(original);
  const std::string cText = WriteScenarioText(cRead);
  German();
  const Scenario germanRead = ParseScenarioText(original);
  EXPECT_EQ(germanRead, cRead);
  EXPECT_EQ(WriteScenarioText(germanRead), cText);
}

TEST_F(GermanLocale, HoldTextsKeepTheirPoint) {
  const char* const texts[] = {"2.5", "0.5", "119.5", "2.25"};
  for (const char* text : texts) {
    std::setlocale(LC_ALL, "C");
    HoldTime cHold;
    ASSERT_TRUE(HoldTime::FromFileText(text, &cHold));
    German();
    HoldTime germanHold;
    EXPECT_TRUE(HoldTime::FromFileText(text, &germanHold)) << text;
    EXPECT_EQ(germanHold, cHold) << text;
    EXPECT_EQ(germanHold.FileText(), cHold.FileText()) << text;
    EXPECT_EQ(HoldTime::TypedSeconds(text), cHold.Seconds()) << text;
  }
}

TEST_F(GermanLocale, ReportIsTheSameAsUnderC) {
  const Scenario scenario = ScenarioWithHolds();
  const std::string cReport = BuildReportHtml(scenario, "t");
  German();
  const std::string germanReport = BuildReportHtml(scenario, "t");
  EXPECT_EQ(germanReport, cReport);
  EXPECT_NE(germanReport.find("Hold: 2.5 s"), std::string::npos);
}

}  // namespace
