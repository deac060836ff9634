// The scenario model: which rows files, boards and the report take, number
// texts, and the Document's edits.
#include <gtest/gtest.h>

#include "core/model/document.h"
#include "core/model/scenario.h"

namespace {

Row MakeRow(const char* from, const char* to, const char* blink = "", int colour = 0) {
  Row row;
  row.from = from;
  row.to = to;
  row.blink = blink;
  row.colour = colour;
  return row;
}

}  // namespace

TEST(TrimNumber, DropsTrailingZerosAfterThePoint) {
  EXPECT_EQ(TrimNumber("2.50"), "2.5");
  EXPECT_EQ(TrimNumber("3.0"), "3");
  EXPECT_EQ(TrimNumber(" 10 "), "10");
  EXPECT_EQ(TrimNumber(".50"), ".50");
  EXPECT_EQ(TrimNumber("100"), "100");
  EXPECT_EQ(HoldText(2.5), "2.5");
  EXPECT_EQ(HoldText(120.0), "120");
}

// The three rules differ on purpose: the file trims and wants From >= 1,
// the boards take the untrimmed text and any From but 0.
TEST(RowRules, FileBoardsAndReportEachTakeTheirOwnRows) {
  struct Case {
    Row row;
    bool written;
    bool sent;
    bool printed;
  } cases[] = {
      {MakeRow("", ""), false, false, false},
      {MakeRow("3", ""), true, true, true},
      {MakeRow(" 3 ", "5"), true, true, true},
      {MakeRow("5", "3"), false, false, true},
      {MakeRow("0", ""), false, false, true},
      {MakeRow("-2", "4"), false, true, true},
      {MakeRow("  ", ""), false, false, false},
      {MakeRow("x", ""), false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("from '" + c.row.from + "' to '" + c.row.to + "'");
    WrittenRange written{};
    SentRange sent{};
    EXPECT_EQ(RowWritten(c.row, &written), c.written);
    EXPECT_EQ(RowSent(c.row, &sent), c.sent);
    EXPECT_EQ(RowPrinted(c.row), c.printed);
  }
}

TEST(RowRules, BlinkAndColourAsEachConsumerReadsThem) {
  const Row row = MakeRow("1", "", "7x", NO_COLOUR);
  WrittenRange written{};
  SentRange sent{};
  ASSERT_TRUE(RowWritten(row, &written));
  ASSERT_TRUE(RowSent(row, &sent));
  EXPECT_EQ(written.blink, 7);  // the file takes the leading number
  EXPECT_EQ(sent.blink, 0);     // the boards only a whole number
  EXPECT_EQ(written.colour, 215);  // a row never given a colour is white
  EXPECT_EQ(sent.colour, 215);
}

TEST(Document, EditsKeepScenesAndRowsInStep) {
  Document document;
  document.InsertScene(1, Scene{});
  document.RenameScene(1, "B");
  document.SetCellText(0, 0, COL_FROM, "4");
  document.InsertRows(0, 0, 2);
  EXPECT_EQ(document.RowCount(0), 3);
  EXPECT_EQ(document.GetRow(0, 2).from, "4");
  document.SwapRows(0, 0, 2);
  EXPECT_EQ(document.GetRow(0, 0).from, "4");
  document.DeleteRows(0, 0, 1);
  EXPECT_EQ(document.RowCount(0), 2);
  document.SwapScenes(0, 1);
  EXPECT_EQ(document.GetScene(0).name, "B");
  document.DeleteScene(0);
  document.DeleteScene(0);  // the last scene stays
  EXPECT_EQ(document.SceneCount(), 1);
  // Edits outside the scenario change nothing.
  document.SetCellText(5, 0, COL_FROM, "1");
  document.DeleteRows(0, 9, 1);
  EXPECT_EQ(document.RowCount(0), 2);
}

TEST(Document, ColourCellTextOnlySaysWhetherAColourIsSet) {
  Document document;
  document.SetCellText(0, 0, COL_COLOUR, " ");
  EXPECT_EQ(document.GetRow(0, 0).colour, UNSET_COLOUR_INDEX);
  document.SetRowColour(0, 0, 12);
  document.SetCellText(0, 0, COL_COLOUR, " ");
  EXPECT_EQ(document.GetRow(0, 0).colour, 12);
  document.SetCellText(0, 0, COL_COLOUR, "");
  EXPECT_EQ(document.GetRow(0, 0).colour, NO_COLOUR);
}
