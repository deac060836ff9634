// The mailcap reader: finding the PDF viewer's command and putting the
// guide's path into it safely.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/mailcap/mailcap.h"
#include "support/temp_home.h"

namespace {

std::string WriteMailcap(const std::string& text) {
  const std::string path = TestHome() + "/mailcap";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

bool AllTestsPass(const std::string&) { return true; }

std::vector<std::string> g_testsRun;
bool OnlyTrueTestPasses(const std::string& command) {
  g_testsRun.push_back(command);
  return command == "true";
}

// Runs a command through /bin/sh and returns what it printed.
std::string ShellOutput(const std::string& command) {
  const std::string out = TestHome() + "/out";
  const std::string line = "{ " + command + "; } > '" + out + "' 2>&1";
  EXPECT_EQ(std::system(line.c_str()), 0) << line;
  std::ifstream in(out, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(MailcapRead, FindsThePdfEntryAmongOthers) {
  const std::string path = WriteMailcap(
      "# comment; not an entry\n"
      "\n"
      "text/plain; less %s; needsterminal\n"
      "Application/PDF; evince %s; test=test -n \"$DISPLAY\"; description=PDF\n"
      "image/png; eog %s\n");
  std::vector<MailcapEntry> entries;
  ASSERT_TRUE(mailcap_read(path, entries));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_TRUE(entries[0].needsTerminal);
  EXPECT_EQ(entries[1].type, "application/pdf");
  EXPECT_EQ(entries[1].view, "evince %s");
  EXPECT_EQ(entries[1].test, "test -n \"$DISPLAY\"");
  EXPECT_TRUE(mailcap_matches(entries[1], "application/pdf"));
  EXPECT_FALSE(mailcap_matches(entries[2], "application/pdf"));

  EXPECT_EQ(mailcap_view_command(path, "application/pdf", "/opt/l/doc/guide.pdf", AllTestsPass),
            "evince '/opt/l/doc/guide.pdf'");
}

TEST(MailcapRead, NoEntryOrNoFileGivesNoCommand) {
  const std::string path = WriteMailcap("text/plain; less %s; needsterminal\nimage/*; eog %s\n");
  EXPECT_EQ(mailcap_view_command(path, "application/pdf", "/x.pdf", AllTestsPass), "");
  std::vector<MailcapEntry> entries;
  EXPECT_FALSE(mailcap_read(TestHome() + "/missing", entries));
  EXPECT_EQ(mailcap_view_command(TestHome() + "/missing", "application/pdf", "/x.pdf", AllTestsPass),
            "");
}

TEST(MailcapRead, MalformedLinesAreSkippedAndTheRestStillCounts) {
  const std::string path = WriteMailcap(
      "application/pdf\n"                        // no command
      "application/pdf;\n"                       // empty command
      ";evince %s\n"                             // no type
      "application pdf; evince %s\n"             // blank inside the type
      "\x01\xff\xfe garbage ;; ; \n"             // binary junk
      "application/pdf; 'unterminated %s\n"      // open quote: cannot be completed
      "application/pdf; pdftotext %s -; copiousoutput\n"
      "application/pdf; mupdf \\\n"
      "   %s; test=false\n"                      // continued line, failing test
      "application/pdf; xpdf %s; test=true\n"
      "application/pdf; okular %s\n");
  std::vector<MailcapEntry> entries;
  ASSERT_TRUE(mailcap_read(path, entries));
  g_testsRun.clear();
  EXPECT_EQ(mailcap_view_command(path, "application/pdf", "/g.pdf", OnlyTrueTestPasses),
            "xpdf '/g.pdf'");
  EXPECT_EQ(g_testsRun, (std::vector<std::string>{"false", "true"}));
}

TEST(MailcapRead, ExactTypesComeBeforeWildcards) {
  const std::string path = WriteMailcap(
      "application/*; generic %s\n"
      "application/pdf; evince %s\n");
  EXPECT_EQ(mailcap_view_command(path, "application/pdf", "/g.pdf", AllTestsPass),
            "evince '/g.pdf'");
  const std::string only = WriteMailcap("application; generic %s\n");
  EXPECT_EQ(mailcap_view_command(only, "application/pdf", "/g.pdf", AllTestsPass),
            "generic '/g.pdf'");
}

TEST(MailcapRead, RealTestCommandsRunThroughTheShell) {
  const std::string path = WriteMailcap(
      "application/pdf; first %s; test=exit 3\n"
      "application/pdf; second %s; test=test -e %s\n");
  const std::string guide = TestHome() + "/guide.pdf";
  std::ofstream(guide) << "%PDF";
  EXPECT_EQ(mailcap_view_command(path, "application/pdf", guide, mailcap_run_test),
            "second '" + guide + "'");
  EXPECT_EQ(mailcap_view_command(path, "application/pdf", guide + ".none", mailcap_run_test), "");
}

TEST(MailcapExpand, PathWithSpacesAndQuotesReachesTheCommandWhole) {
  const std::string file = "/tmp/my docs/it's \"the\" $HOME `guide` \\ ; & -.pdf";
  // Whatever quotes the entry puts around %s, the shell sees the one path.
  for (const std::string command :
       {"printf '%%s' %s", "printf '%%s' '%s'", "printf '%%s' \"%s\"", "printf '%%s' x%sy"}) {
    const std::string expanded = mailcap_expand(command, "application/pdf", file);
    ASSERT_FALSE(expanded.empty()) << command;
    const bool wrapped = command.find("x%sy") != std::string::npos;
    EXPECT_EQ(ShellOutput(expanded), wrapped ? "x" + file + "y" : file) << expanded;
  }
}

TEST(MailcapExpand, PercentCodesAndBackslashes) {
  EXPECT_EQ(mailcap_expand("view %t %s 100%% %{charset}", "application/pdf", "/a"),
            "view 'application/pdf' '/a' 100% ");
  // A backslash makes the next character literal: no substitution, no field end.
  EXPECT_EQ(mailcap_expand("echo \\%s %s", "application/pdf", "/a"), "echo %s '/a'");
  // Without %s the viewer reads the file from its standard input.
  EXPECT_EQ(mailcap_expand("viewer", "application/pdf", "/a b"), "viewer < '/a b'");
  // A path that starts with a dash is not taken for an option.
  EXPECT_EQ(mailcap_expand("viewer %s", "application/pdf", "-x.pdf"), "viewer './-x.pdf'");
  EXPECT_EQ(mailcap_expand("viewer 'open %s", "application/pdf", "/a"), "");
}

TEST(MailcapRead, EscapedSemicolonStaysInTheCommand) {
  const std::string path = WriteMailcap("application/pdf; a %s \\; b; test=true\n");
  std::vector<MailcapEntry> entries;
  ASSERT_TRUE(mailcap_read(path, entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].test, "true");
  EXPECT_EQ(mailcap_view_command(path, "application/pdf", "/g", AllTestsPass), "a '/g' ; b");
}
