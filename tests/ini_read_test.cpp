#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "ini_test_files.h"
#include "core/format/ini.h"

namespace {

const char* const DEFAULT_TEXT = "DEF";

std::string Read(const std::string& path, const char* section, const char* key, int bufferSize = 512) {
  std::string buffer(static_cast<size_t>(bufferSize), 'Z');
  const int length = IniReadString(section, key, DEFAULT_TEXT, &buffer[0], bufferSize, path.c_str());
  EXPECT_EQ(std::string(buffer.c_str()).size(), static_cast<size_t>(length));
  return std::string(buffer.c_str());
}

}  // namespace

TEST(IniRead, KeyLinesSplitAtFirstSeparatorAndLoseSurroundingBlanks) {
  const std::string path = TestPath("keys.ini");
  WriteBytes(path,
             "com = /dev/ttyUSB0\n"
             "  port:\t/dev/ttyS1 \n"
             "time: 12=3\n"
             "ratio: 1:2\n"
             "a=b=c\n"
             "spaced key  =  v  w  \n"
             "noseparator\n");
  EXPECT_EQ("/dev/ttyUSB0", Read(path, "", "com"));
  EXPECT_EQ("/dev/ttyS1", Read(path, "", "port"));
  EXPECT_EQ("3", Read(path, "", "time: 12"));  // "=" wins over an earlier ":"
  EXPECT_EQ("1:2", Read(path, "", "ratio"));
  EXPECT_EQ("b=c", Read(path, "", "a"));
  EXPECT_EQ("v  w", Read(path, "", "spaced key"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "", "noseparator"));
}

TEST(IniRead, SectionsAndKeysMatchIgnoringCaseButOnlyExactly) {
  const std::string path = TestPath("sections.ini");
  WriteBytes(path,
             "[ Settings ]\n"
             "com=spaced\n"
             "[settings] trailing text\n"
             "COM=right\n"
             "[Settings2]\n"
             "com=longer\n");
  EXPECT_EQ("right", Read(path, "Settings", "com"));
  EXPECT_EQ("right", Read(path, "SETTINGS", "Com"));
  EXPECT_EQ("spaced", Read(path, " Settings ", "com"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "Setting", "com"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "Settings", "co"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "Missing", "com"));
}

TEST(IniRead, AnyBracketLineEndsTheSection) {
  const std::string path = TestPath("ends.ini");
  WriteBytes(path,
             "top=1\n"
             "[S]\n"
             "a=1\n"
             "  [not closed\n"
             "b=2\n");
  EXPECT_EQ("1", Read(path, "", "top"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "", "a"));  // the empty section ends at the first header
  EXPECT_EQ("1", Read(path, "S", "a"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "S", "b"));
}

TEST(IniRead, CommentsAreNeverKeysAndFirstMatchWins) {
  const std::string path = TestPath("comments.ini");
  WriteBytes(path,
             "[S]\n"
             ";com=semicolon\n"
             "  #com=hash\n"
             "com=first\n"
             "com=second\n"
             "[S]\n"
             "other=hidden\n");
  EXPECT_EQ("first", Read(path, "S", "com"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "S", "other"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "S", ";com"));
}

TEST(IniRead, EnclosingQuotesAreRemovedOnlyInPairs) {
  const std::string path = TestPath("quotes.ini");
  WriteBytes(path,
             "both = \"a b\" \n"
             "front=\"abc\n"
             "back=abc\"\n"
             "lone=\"\n"
             "pair=\"\"\n"
             "inner=a\"b\"c\n");
  EXPECT_EQ("a b", Read(path, "", "both"));
  EXPECT_EQ("\"abc", Read(path, "", "front"));
  EXPECT_EQ("abc\"", Read(path, "", "back"));
  EXPECT_EQ("", Read(path, "", "lone"));
  EXPECT_EQ("", Read(path, "", "pair"));
  EXPECT_EQ("a\"b\"c", Read(path, "", "inner"));
}

TEST(IniRead, MissingThingsGiveTheDefaultButAnEmptyValueDoesNot) {
  const std::string path = TestPath("empty.ini");
  WriteBytes(path, "[S]\nempty=\nblank =   \n");
  EXPECT_EQ("", Read(path, "S", "empty"));
  EXPECT_EQ("", Read(path, "S", "blank"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "S", "missing"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "T", "empty"));
  EXPECT_EQ(DEFAULT_TEXT, Read(TestPath("no-such-file.ini"), "S", "empty"));

  char buffer[8];
  EXPECT_EQ(0, IniReadString("S", "missing", nullptr, buffer, sizeof buffer, path.c_str()));
  EXPECT_STREQ("", buffer);
  EXPECT_EQ(3, IniReadString("S", "missing", "defaults", buffer, 4, path.c_str()));
  EXPECT_STREQ("def", buffer);
}

TEST(IniRead, BadArgumentsLeaveTheBufferUntouched) {
  const std::string path = TestPath("args.ini");
  WriteBytes(path, "k=value\n");
  char buffer[4] = {'x', 'y', 'z', '\0'};
  EXPECT_EQ(0, IniReadString("", "k", "d", buffer, 0, path.c_str()));
  EXPECT_EQ(0, IniReadString("", "k", "d", buffer, -5, path.c_str()));
  EXPECT_EQ(0, IniReadString("", nullptr, "d", buffer, sizeof buffer, path.c_str()));
  EXPECT_EQ(0, IniReadString("", "k", "d", nullptr, 10, path.c_str()));
  EXPECT_STREQ("xyz", buffer);
  // A null section is the empty one; a null file name reads as a missing file.
  EXPECT_EQ(3, IniReadString(nullptr, "k", "d", buffer, sizeof buffer, path.c_str()));
  EXPECT_STREQ("val", buffer);
  EXPECT_EQ(1, IniReadString("", "k", "d", buffer, sizeof buffer, nullptr));
  EXPECT_STREQ("d", buffer);
}

TEST(IniRead, ValuesAreCutToTheBufferAndKeepUtf8) {
  const std::string path = TestPath("values.ini");
  WriteBytes(path,
             "[S]\n"
             "long=0123456789\n"
             "utf=\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\n");
  EXPECT_EQ("0123", Read(path, "S", "long", 5));
  EXPECT_EQ("", Read(path, "S", "long", 1));
  EXPECT_EQ("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", Read(path, "S", "utf"));  // "été €"
}

TEST(IniReadLong, ConvertsLikeStrtolAndFallsBackOnEmpty) {
  const std::string path = TestPath("numbers.ini");
  WriteBytes(path,
             "[N]\n"
             "mixed=12abc\n"
             "letters=abc\n"
             "empty=\n"
             "negative= -42\n"
             "plus=+7\n"
             "hex=0x10\n"
             "quoted=\"15\"\n");
  const char* file = path.c_str();
  EXPECT_EQ(12, IniReadLong("N", "mixed", 99, file));
  EXPECT_EQ(0, IniReadLong("N", "letters", 99, file));
  EXPECT_EQ(99, IniReadLong("N", "empty", 99, file));
  EXPECT_EQ(99, IniReadLong("N", "missing", 99, file));
  EXPECT_EQ(-42, IniReadLong("N", "negative", 99, file));
  EXPECT_EQ(7, IniReadLong("N", "plus", 99, file));
  EXPECT_EQ(0, IniReadLong("N", "hex", 99, file));
  EXPECT_EQ(15, IniReadLong("N", "quoted", 99, file));
  EXPECT_EQ(-1, IniReadLong("N", "mixed", -1, TestPath("missing.ini").c_str()));
}

TEST(IniRead, LongLinesAreReadAs511BytePieces) {
  const std::string path = TestPath("long.ini");
  const std::string hugeLine(100000, 'x');  // no newline anywhere
  WriteBytes(path,
             "[S]\n"
             "first=" + std::string(1200, 'a') + "\n" +
             std::string(511, 'y') + "piece=2\n" +
             "after=3\n"
             "[T]\n" + hugeLine);
  EXPECT_EQ(std::string(505, 'a'), Read(path, "S", "first", 2000));  // 511 bytes less "first="
  EXPECT_EQ("2", Read(path, "S", "piece"));
  EXPECT_EQ("3", Read(path, "S", "after"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "T", "x"));
}

TEST(IniRead, CrLfAndMissingFinalNewlineReadCleanly) {
  const std::string path = TestPath("crlf.ini");
  WriteBytes(path, "[S]\r\ncom = /dev/ttyUSB0\r\nq=\"a b\"\r\nlast=end");
  EXPECT_EQ("/dev/ttyUSB0", Read(path, "S", "com"));
  EXPECT_EQ("a b", Read(path, "S", "q"));
  EXPECT_EQ("end", Read(path, "S", "last"));
}

TEST(IniRead, NulBytesAndBinaryGarbageDoNotDisturbReading) {
  const std::string path = TestPath("garbage.ini");
  std::string garbage;
  uint32_t state = 12345;
  for (int i = 0; i < 65536; ++i) {
    state = state * 1103515245u + 12345u;
    garbage += static_cast<char>(state >> 16);
  }
  const char tail[] = "\n[S]\na\0b=1\nk=x\0y\nafter=2\n";
  WriteBytes(path, garbage + std::string(tail, sizeof tail - 1));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "S", "a"));
  EXPECT_EQ(DEFAULT_TEXT, Read(path, "S", "ab"));
  EXPECT_EQ("x", Read(path, "S", "k"));  // the text ends at the NUL
  EXPECT_EQ("2", Read(path, "S", "after"));
}

TEST(IniRead, OnlyRegularFilesAreRead) {
  const std::string fifo = TestPath("fifo.ini");
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  EXPECT_EQ(DEFAULT_TEXT, Read(fifo, "", "k"));  // no writer: would block forever
  EXPECT_EQ(DEFAULT_TEXT, Read("/dev/zero", "", "k"));  // would never end
  EXPECT_EQ(DEFAULT_TEXT, Read(TestHome(), "", "k"));
}
