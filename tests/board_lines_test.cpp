// The lines a port name reaches: the virtual boards, which keep their state
// from one link to the next, and a real port (a pseudo-terminal), whose
// traffic the mirror decodes for a monitor; and the link of whichever port
// a command names.
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <thread>

#include "core/board/board_lines.h"
#include "core/board/port_link.h"
#include "core/board/recording_link.h"
#include "core/board/virtual_chain.h"

namespace {

const unsigned char BOARD_1_COLOUR_5[] = {0xF5, 0x00, 0x00, 0x01, 0x00, 0xF1, 0x05};

MonitoredLine LineNow(const BoardLines& lines) {
  const auto lock = lines.Lock();
  return lines.Line();
}

}  // namespace

TEST(BoardLines, WritesAndBreaksReachTheVirtualBoards) {
  BoardLines lines;
  int notified = 0;
  lines.SetListener([&] { ++notified; });
  const VirtualChain& chain = lines.VirtualBoards();

  std::unique_ptr<BoardLink> link = lines.MakeLink(VIRTUAL_PORT_NAME);
  EXPECT_EQ(link->Write(BOARD_1_COLOUR_5, 7), 0) << "nothing open";
  ASSERT_EQ(link->Open(VIRTUAL_PORT_NAME, 115200), 0);
  EXPECT_TRUE(link->IsOpen());
  EXPECT_EQ(link->Write(BOARD_1_COLOUR_5, 7), 7);
  link->Break();
  EXPECT_EQ(chain.BytesReceived(), 7);
  EXPECT_EQ(chain.Board(1).colour, 5);
  EXPECT_EQ(chain.Resets(), 1);
  EXPECT_EQ(notified, 2);
  const MonitoredLine line = LineNow(lines);
  EXPECT_TRUE(line.isVirtual);
  EXPECT_EQ(line.chain, &chain);
  EXPECT_EQ(line.baud, 115200);

  link->Close();
  EXPECT_FALSE(link->IsOpen());
  EXPECT_EQ(link->Write(BOARD_1_COLOUR_5, 7), 0);
  std::unique_ptr<BoardLink> tty = lines.MakeLink("virtual boards");
  EXPECT_NE(tty->Open("virtual boards", 9600), 0) << "the name is exact: this is a tty";

  // Another link to them finds the boards as they were.
  std::unique_ptr<BoardLink> again = lines.MakeLink(VIRTUAL_PORT_NAME);
  ASSERT_EQ(again->Open(VIRTUAL_PORT_NAME, 9600), 0);
  EXPECT_EQ(lines.VirtualBoards().Board(1).colour, 5);
}

TEST(BoardLines, APressedInputIsActiveLowForAMoment) {
  BoardLines lines;
  std::unique_ptr<BoardLink> link = lines.MakeLink(VIRTUAL_PORT_NAME);
  ASSERT_EQ(link->Open(VIRTUAL_PORT_NAME, 9600), 0);
  EXPECT_EQ(link->ReadInputs(), 0x0F);
  lines.PressInput(2);
  lines.PressInput(4);
  lines.PressInput(5);  // no such input
  EXPECT_EQ(link->ReadInputs(), 0x05);
  std::this_thread::sleep_for(std::chrono::milliseconds(VIRTUAL_PRESS_MS + 20));
  EXPECT_EQ(link->ReadInputs(), 0x0F);
}

TEST(BoardLines, WhatARealPortTookIsMirroredAndAnotherPortStartsAfresh) {
  int master = -1;
  int slave = -1;
  char name[128] = {};
  ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
  BoardLines lines;

  std::unique_ptr<BoardLink> link = lines.MakeLink(name);
  ASSERT_EQ(link->Open(name, 9600), 0);
  EXPECT_EQ(link->Write(BOARD_1_COLOUR_5, 7), 7);
  link->Break();
  const MonitoredLine line = LineNow(lines);
  EXPECT_FALSE(line.isVirtual);
  EXPECT_EQ(line.port, name);
  EXPECT_EQ(line.chain, &lines.Mirror());
  EXPECT_EQ(lines.Mirror().Board(1).colour, 5);
  EXPECT_EQ(lines.Mirror().Resets(), 1);
  EXPECT_EQ(lines.VirtualBoards().BytesReceived(), 0);

  // The same port again keeps the mirror; the virtual boards in between do not.
  link->Close();
  ASSERT_EQ(link->Open(name, 9600), 0);
  EXPECT_EQ(lines.Mirror().Board(1).colour, 5);
  std::unique_ptr<BoardLink> boards = lines.MakeLink(VIRTUAL_PORT_NAME);
  ASSERT_EQ(boards->Open(VIRTUAL_PORT_NAME, 9600), 0);
  EXPECT_TRUE(LineNow(lines).isVirtual);
  ASSERT_EQ(link->Open(name, 9600), 0);
  EXPECT_EQ(lines.Mirror().BytesReceived(), 0);

  link->Close();
  close(master);
  close(slave);
}

namespace {

// A link that passes everything to a recording link the test keeps.
class Forward : public BoardLink {
 public:
  explicit Forward(RecordingBoardLink& link) : m_link(link) {}
  int Open(const std::string& port, int baud) override { return m_link.Open(port, baud); }
  void Close() override { m_link.Close(); }
  bool IsOpen() const override { return m_link.IsOpen(); }
  int Write(const unsigned char* data, int length) override { return m_link.Write(data, length); }
  void Break() override { m_link.Break(); }
  void Pause(int milliseconds) override { m_link.Pause(milliseconds); }
  unsigned char ReadInputs() override { return m_link.ReadInputs(); }

 private:
  RecordingBoardLink& m_link;
};

}  // namespace

TEST(PortLink, EachNewPortNameGetsItsLinkAndClosesTheOneBefore) {
  std::deque<RecordingBoardLink> made;
  PortLink link([&](const std::string&) {
    made.emplace_back();
    return std::make_unique<Forward>(made.back());
  });
  EXPECT_EQ(link.ReadInputs(), 0x0F) << "no port yet";
  EXPECT_EQ(link.Write(BOARD_1_COLOUR_5, 7), 0);
  const struct {
    const char* port;
    size_t made;
  } cases[] = {{"A", 1}, {"A", 1}, {"B", 2}, {"A", 3}};
  for (const auto& c : cases) {
    ASSERT_EQ(link.Open(c.port, 9600), 0) << c.port;
    EXPECT_EQ(made.size(), c.made) << c.port;
    for (size_t i = 0; i + 1 < made.size(); ++i) {
      EXPECT_FALSE(made[i].IsOpen()) << "the link before is closed: " << c.port;
    }
    EXPECT_TRUE(link.IsOpen());
  }
  EXPECT_EQ(link.Write(BOARD_1_COLOUR_5, 7), 7);
  EXPECT_EQ(EventLines(made.back().Events()).back(), "write F5 00 00 01 00 F1 05");
}

namespace {

// What a mirror was told, one line each.
class ToldMirror : public LinkMirror {
 public:
  void Opened(const std::string& port, int baud) override { told.push_back("opened " + port + " " + std::to_string(baud)); }
  void Took(const unsigned char*, int length) override { told.push_back("took " + std::to_string(length)); }
  void Broke() override { told.push_back("broke"); }
  std::vector<std::string> told;
};

}  // namespace

TEST(MirrorLink, TellsOnlyWhatReachedTheLine) {
  const struct {
    int openResult;
    int failWritesFrom;
    std::vector<std::string> told;
  } cases[] = {
      {0, 0, {"opened p 9600", "took 7", "broke"}},
      {0, 1, {"opened p 9600", "broke"}},  // the line took nothing
      {5, 0, {}},                          // not open: nothing reached a line
  };
  for (const auto& c : cases) {
    auto recording = std::make_unique<RecordingBoardLink>();
    recording->SetOpenResult(c.openResult);
    recording->FailWritesFrom(c.failWritesFrom);
    ToldMirror mirror;
    MirrorLink link(std::move(recording), mirror);
    link.Open("p", 9600);
    link.Write(BOARD_1_COLOUR_5, 7);
    link.Break();
    EXPECT_EQ(mirror.told, c.told) << c.openResult << " " << c.failWritesFrom;
  }
}
