// A hold time's four rules side by side: the file's text, the fade/hold
// row's field, the boards' byte and the runner's ticks.
#include <gtest/gtest.h>

#include <string>

#include "core/model/hold_time.h"

namespace {

TEST(HoldTime, EachRuleReadsTheSameValue) {
  const struct {
    const char* file;
    const char* written;
    const char* field;
    int romByte;
    long ticks;
  } cases[] = {
      {"0", "0.0", "0", 0x00, 0},
      {"0.05", "0.05", "0.05", 0x00, 0},  // below one tick: held for ever
      {"0.1", "0.1", "0.1", 0x00, 1},
      {"0.5", "0.5", "0.5", 0x01, 5},
      {"1", "1.0", "1", 0x02, 10},
      {"2.25", "2.25", "2.25", 0x05, 23},
      {"2.5", "2.5", "2.5", 0x05, 25},
      {"0.3", "0.3", "0.3", 0x01, 3},  // its binary value lies above 0.3
      {"120", "120.0", "120", 0xF0, 1200},
      {"-1", "-1.0", "-1", 0xFF, 0},
  };
  for (const auto& c : cases) {
    HoldTime hold;
    ASSERT_TRUE(HoldTime::FromFileText(c.file, &hold)) << c.file;
    EXPECT_EQ(c.written, hold.FileText()) << c.file;
    EXPECT_EQ(c.field, hold.FieldText()) << c.file;
    EXPECT_EQ(c.romByte, hold.RomByte()) << c.file;
    EXPECT_EQ(c.ticks, hold.Ticks()) << c.file;
    HoldTime again;
    ASSERT_TRUE(HoldTime::FromFileText(hold.FileText(), &again));
    EXPECT_EQ(hold, again) << c.file;
  }
}

TEST(HoldTime, TheFileTakesOnlyAWholeFiniteNumber) {
  for (const char* text : {"", "2.5x", "1,5", "inf", "nan", "1e400", "1e9", " "}) {
    HoldTime hold(7);
    EXPECT_FALSE(HoldTime::FromFileText(text, &hold)) << text;
    EXPECT_EQ(HoldTime(7), hold);
  }
}

// A typed value goes to the next half second; the user hears of values out
// of range and of rounding by 0.1 s or more.
TEST(HoldTime, TypedValuesRoundToHalfSeconds) {
  const struct {
    double typed;
    double taken;
    bool outOfRange;
    bool rounded;
  } cases[] = {
      {2.5, 2.5, false, false},  {2.0, 2.0, false, false},  {2.02, 2.0, false, false},
      {2.3, 2.5, false, true},   {2.2, 2.0, false, true},   {130, 130, true, false},
      {-1, -0.5, true, true},    {120, 120, false, false},  {7, 7, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.taken, HoldTime::FromTyped(c.typed).Seconds()) << c.typed;
    EXPECT_EQ(c.outOfRange, HoldTime::TypedOutOfRange(c.typed)) << c.typed;
    EXPECT_EQ(c.rounded, HoldTime::TypedWasRounded(c.typed)) << c.typed;
  }
  // What the field shows is no change; a tenth away from it neither.
  EXPECT_FALSE(HoldTime(2.25).DiffersFromTyped(2.25));
  EXPECT_FALSE(HoldTime(2.5).DiffersFromTyped(2.45));
  EXPECT_TRUE(HoldTime(2.5).DiffersFromTyped(7));
}

}  // namespace
