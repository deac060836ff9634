// Faults the fuzz targets found in the core, one table per area.
#include <gtest/gtest.h>

#include <string>

#include "core/format/ini.h"
#include "core/format/scenario_text.h"
#include "core/mailcap/mailcap.h"
#include "ini_test_files.h"

namespace {

std::string ReadValue(const std::string& path, const char* section, const char* key) {
  char buffer[1024];
  IniReadString(section, key, "DEF", buffer, sizeof buffer, path.c_str());
  return buffer;
}

}  // namespace

// Where no quoting keeps the path literal, the command is refused rather
// than built: the path would run as shell code.
TEST(FuzzFindings, MailcapRefusesPlacesWhereQuotingCannotHoldThePath) {
  const std::string path = "/g`id`$(id)'\"\\\n.pdf";
  const char* commands[] = {
      "viewer `cat",           // open backquotes take the redirection's quotes
      "viewer \"$(cat\"",      // quotes inside $( belong to the substitution
      "viewer `echo %s`",      // backquotes read backslashes and backquotes again
      "viewer $(echo %s)",
      "viewer $[%s]",           // bash's arithmetic expands the path's $(...) again
      "viewer $((echo x) ) %s ))",          // dash reads $(( on to "))"
      "viewer $((z,)()(+)) %s",             // dash's count of ")" differs from ours
      "viewer $((\"(\")) %s",              // dash counts parentheses through quotes
      "viewer; (( %s ))",                   // bash's arithmetic command
      "viewer \"$(case x in x) echo %s;; esac)\"",  // a case pattern's ")" ends nothing
      "viewer ${x:-%s}",
      "viewer \\\\%s",         // a backslash before the opening quote
      "viewer $%s",            // $'...' takes backslash escapes
      "viewer \"$%s\"",        // "$(" and "${" from the path's first characters
      "viewer $'%s'",
      "viewer #%s",            // a newline in the path ends the comment
      "viewer $(# x) \\%s",    // the comment inside $( goes on into the redirected path
      "viewer \"${x:-'}\"'}\" %s",  // dash ends ${ at the first }, bash pairs the quotes
      "viewer \"${x:-${y:-'}\"'}}\" %s",  // and so in a ${ inside that ${
      "viewer # no file",
      "viewer $$'\\\\' $'x",  // $$ is complete, '\' a quote; $' then swallows the redirection
      "viewer $'\\'' %s",       // dash has no $'...': '\' ends there and the next quote opens
  };
  for (const char* command : commands) {
    EXPECT_EQ("", mailcap_expand(command, "application/pdf", path)) << command;
  }
  EXPECT_EQ("viewer $(true) '/a.pdf' \"$HOME/x\" \"/a.pdf\"",
            mailcap_expand("viewer $(true) %s \"$HOME/x\" \"%s\"", "application/pdf", "/a.pdf"));
  EXPECT_EQ("viewer $$'x' $1 '/a.pdf'", mailcap_expand("viewer $$'x' $1 %s", "application/pdf", "/a.pdf"));
  // In dash's $((...)) a backslash takes the next parenthesis out of the count.
  EXPECT_EQ("viewer $((\\()) '/a.pdf'", mailcap_expand("viewer $((\\\\()) %s", "application/pdf", "/a.pdf"));
  EXPECT_EQ("viewer $(( (1) )) $( (cases) ) && ( (x) ) '/a.pdf'",
            mailcap_expand("viewer $(( (1) )) $( (cases) ) && ( (x) ) %s", "application/pdf", "/a.pdf"));
  // ${...} ends at its first "}", whatever "(" or "{" comes before it.
  EXPECT_EQ("viewer \"${BROWSER:-$(true)}\" ${#x} ${x:-({} '/a.pdf'",
            mailcap_expand("viewer \"${BROWSER:-$(true)}\" ${#x} ${x:-({} %s", "application/pdf", "/a.pdf"));
  // A parameter name before the path would go on into it: "$DIR" + "ECTORY".
  EXPECT_EQ("viewer \"$DIR\"\"ECTORY\" $DIR'ECTORY'",
            mailcap_expand("viewer \"$DIR%s\" $DIR%s", "application/pdf", "ECTORY"));
}

// A rewrite keeps how the reader cuts long lines into 511-byte pieces.
TEST(FuzzFindings, IniRewriteKeepsWhatLongLinesReadAs) {
  const std::string path = TestPath("long.ini");
  const struct {
    std::string file;
    const char* section;
    const char* key;
  } cases[] = {
      // Blanks before a long line: without them the piece "key=5" joins the line before.
      {"[S]\n" + std::string(20, ' ') + "note=" + std::string(486, 'n') + "key=5\n", "S", "key"},
      // A replaced long key line: its piece "[T]" is a section of its own.
      {"[S]\nk=" + std::string(509, 'o') + "[T]\nkey=5\n", "T", "key"},
      {"[S]\nk=" + std::string(509, 'o') + "key=5\n", "S", "key"},
  };
  for (const auto& c : cases) {
    WriteBytes(path, c.file);
    ASSERT_EQ("5", ReadValue(path, c.section, c.key));
    EXPECT_EQ(1, IniWriteString("S", "k", "new", path.c_str()));
    EXPECT_EQ("5", ReadValue(path, c.section, c.key)) << ReadBytes(path);
    EXPECT_EQ("new", ReadValue(path, "S", "k"));
  }
}

// What a file reads as, a save writes back unchanged.
TEST(FuzzFindings, ScenarioTextsReadFromAFileSurviveASave) {
  const struct {
    std::string file;
    std::string name;
    std::string description;
    double hold;
  } cases[] = {
      {"name=a\nhold=2.25", "a", "", 2.25},  // kept as read
      {"name=\"\"\"\nhold=1e300", "\"", "", 0.0},  // a name of one quote; no absurd hold
      {"name=\"\"x\"\"", "\"x\"", "", 0.0},
      {std::string("name=a \0b", 9), "a", "", 0.0},  // blanks before a NUL byte
      {"name=\" a \"\nrange1=1:1; 2; 0; d \xC3", " a ", "d", 0.0},
  };
  for (const auto& c : cases) {
    const Scenario read = ParseScenarioText("[Scene1]\n" + c.file + "\n");
    EXPECT_EQ(c.name, read.scenes[0].name) << c.file;
    EXPECT_EQ(c.hold, read.scenes[0].hold) << c.file;
    EXPECT_EQ(c.description, read.scenes[0].rows[0].description) << c.file;
    const std::string written = WriteScenarioText(read);
    EXPECT_EQ(read, ParseScenarioText(written)) << written;
  }
  // Latin-1 grows in UTF-8 past the line: the cut leaves no blanks before it.
  std::string wide = "[Scene1]\nname=x\nrange1=1:1; 2; 0; " + std::string(240, '\xE9') +
                     std::string(20, ' ') + "z\n";
  const std::string written = WriteScenarioText(ParseScenarioText(wide));
  EXPECT_EQ(written, WriteScenarioText(ParseScenarioText(written)));
  // A long name whose cut ends in a quote: the shorter cut for the quotes
  // needs none, and is written without them as it will be the next time.
  wide = "[Scene1]\nname=" + std::string(252, '\xE9') + "\"" + std::string(10, '\xE9') + "\n";
  const std::string named = WriteScenarioText(ParseScenarioText(wide));
  EXPECT_EQ(named, WriteScenarioText(ParseScenarioText(named)));
  // Every range, and a save writes them all again.
  std::string many = "[Scene1]\nname=x\n";
  for (int i = 1; i <= 600; ++i) {
    many += "range" + std::to_string(i) + "=" + std::to_string(i) + ":" + std::to_string(i) + "; 1; 0\n";
  }
  const Scenario manyRead = ParseScenarioText(many);
  EXPECT_EQ(601u, manyRead.scenes[0].rows.size());
  EXPECT_EQ(manyRead, ParseScenarioText(WriteScenarioText(manyRead)));
}
