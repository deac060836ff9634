// The record of what the boards hold: its digest, its file, what Program,
// a cancelled or failed Program and Clear leave through the board session,
// a damaged file, and the comparison with a changed scenario.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/board/board_session.h"
#include "core/board/recording_link.h"
#include "core/board/rom_compare.h"
#include "core/board/rom_record.h"
#include "core/format/scenario_text.h"
#include "core/hash/sha256.h"
#include "support/temp_home.h"

namespace {

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

Scene SceneWith(const std::string& name, int fade, double hold, std::vector<std::string> froms) {
  Scene scene;
  scene.name = name;
  scene.fade = fade;
  scene.hold = hold;
  scene.rows.clear();
  for (const std::string& from : froms) {
    Row row;
    row.from = from;
    row.colour = 5;
    scene.rows.push_back(row);
  }
  scene.rows.emplace_back();
  return scene;
}

Scenario Show() {
  Scenario scenario;
  scenario.scenes = {SceneWith("Red", 10, 0.5, {"1", "4"}), SceneWith("Blue", 20, 2, {"2"}),
                     SceneWith("Finale", 30, 0, {"3"}), SceneWith("Dark", 0, 1, {})};
  return scenario;
}

std::string Directory() { return TestHome() + "/.lumivane/rom"; }

}  // namespace

TEST(Sha256, GivesTheKnownDigests) {
  const struct {
    std::string text;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrst"
       "nopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Sha256Hex(c.text), c.digest) << c.text.size() << " bytes";
  }
}

TEST(RomRecordKey, FollowsTheLineNotTheName) {
  const struct {
    const char* port;
    const char* key;
  } cases[] = {
      {"Virtual boards", "virtual-boards"},
      {"/dev/ttyUSB0", "tty-ttyUSB0"},
      {"ttyS1", "tty-ttyS1"},
      // No adapter answers: the name stands in for the serial number.
      {"Lumivane USB (9)", "ftdi-Lumivane USB (9)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RomRecordKey(c.port), c.key) << c.port;
  }
  EXPECT_EQ(RomRecordPath("/d", "tty-a/../b"), "/d/tty-a%2F%2E%2E%2Fb.rom");
}

TEST(RomRecordFile, ReadsBackWhatWasWritten) {
  RomRecord record;
  ASSERT_TRUE(RecordAfterProgram(BoardTarget{"/dev/ttyUSB0", LinkSpeed::HIGH}, Show(),
                                 BoardOutcome{BoardResult::CANCELLED, 0, 2}, true, 1796833215, &record));
  ASSERT_EQ(WriteRomRecord(Directory(), record), 0);
  const RomRecordRead read = ReadRomRecord(Directory(), "/dev/ttyUSB0");
  ASSERT_TRUE(read.Found()) << read.warning;
  EXPECT_EQ(read.record.port, "/dev/ttyUSB0");
  EXPECT_EQ(read.record.time, 1796833215);
  EXPECT_EQ(read.record.speed, LinkSpeed::HIGH);
  EXPECT_EQ(read.record.sceneCount, 4);
  EXPECT_EQ(RomStateText(read.record), "partial, scenes 1 to 2");
  EXPECT_EQ(read.record.text, WriteScenarioText(Show()));
  EXPECT_EQ(read.record.sha256, Sha256Hex(read.record.text));
  EXPECT_EQ(ReadRomRecord(Directory(), "ttyUSB0").record.text, read.record.text) << "the same device";
  EXPECT_EQ(ReadRomRecord(Directory(), "/dev/ttyUSB1").status, RomRecordRead::Status::NONE);
}

TEST(RomRecordFile, ADamagedRecordReadsAsNoneWithAWarning) {
  RomRecord record;
  ASSERT_TRUE(RecordAfterProgram(BoardTarget{"Virtual boards"}, Show(), BoardOutcome{BoardResult::OK, 0, 4}, true,
                                 100, &record));
  const std::string good = FormatRomRecord(record);
  auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"cut short", good.substr(0, good.size() - 10)},
      {"a byte of the text changed", replaced("fade=20", "fade=21")},
      {"another magic", replaced("Lumivane ROM record 1", "Lumivane ROM record 2")},
      {"no end of the header", good.substr(0, good.find("\n\n"))},
      {"a state that is not the count's", replaced("state=complete", "state=partial, scenes 1 to 2")},
      {"a speed unknown", replaced("speed=standard", "speed=fast")},
      {"binary noise", std::string("\x89PNG\r\n\x1a\n\0\0", 10)},
  };
  ASSERT_EQ(WriteRomRecord(Directory(), record), 0);
  ASSERT_TRUE(ReadRomRecord(Directory(), "Virtual boards").Found());
  const std::string path = RomRecordPath(Directory(), "virtual-boards");
  for (const auto& c : cases) {
    WriteFile(path, c.bytes);
    const RomRecordRead read = ReadRomRecord(Directory(), "Virtual boards");
    EXPECT_EQ(read.status, RomRecordRead::Status::DAMAGED) << c.what;
    EXPECT_NE(read.warning.find(path), std::string::npos) << c.what << ": " << read.warning;
    EXPECT_FALSE(CompareRomWithScenario(read.record, Show()).same) << c.what << " passed for the same";
  }
  ASSERT_EQ(remove(path.c_str()), 0);
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  EXPECT_EQ(ReadRomRecord(Directory(), "Virtual boards").status, RomRecordRead::Status::DAMAGED) << "a directory";
}

TEST(RomCompare, NamesTheScenesThatDifferAndHow) {
  RomRecord programmed;
  ASSERT_TRUE(RecordAfterProgram(BoardTarget{"Virtual boards"}, Show(), BoardOutcome{BoardResult::OK, 0, 4}, true,
                                 0, &programmed));
  RomRecord partial;
  ASSERT_TRUE(RecordAfterProgram(BoardTarget{"Virtual boards"}, Show(), BoardOutcome{BoardResult::WRITE_FAILED, 0, 3},
                                 true, 0, &partial));
  const RomRecord erased = RecordAfterClear(BoardTarget{"Virtual boards"}, 0);
  auto changed = [](auto change) {
    Scenario scenario = Show();
    change(scenario);
    return scenario;
  };
  const struct {
    const char* what;
    const RomRecord& record;
    Scenario open;
    std::vector<std::string> differences;
  } cases[] = {
      {"unchanged", programmed, Show(), {}},
      {"names and descriptions do not reach the boards", programmed, changed([](Scenario& s) {
         s.scenes[1].name = "Sky";
         s.scenes[1].rows[0].description = "left wall";
       }),
       {}},
      {"a row added", programmed, changed([](Scenario& s) { s.scenes[0].rows.insert(s.scenes[0].rows.begin(), Row{"9", "", "", "", 1}); }),
       {"scene 1 \"Red\": rows (2 in the boards, 3 here)"}},
      {"a colour changed", programmed, changed([](Scenario& s) { s.scenes[0].rows[1].colour = 7; }),
       {"scene 1 \"Red\": rows (row 2 of those sent differs)"}},
      {"fade and hold", programmed, changed([](Scenario& s) {
         s.scenes[2].fade = 5;
         s.scenes[2].hold = 1.5;
       }),
       {"scene 3 \"Finale\": fade (30 in the boards, 5 here), hold (0 s in the boards, 1.5 s here)"}},
      {"two scenes swapped", programmed, changed([](Scenario& s) { std::swap(s.scenes[0], s.scenes[1]); }),
       {"scene 1 \"Blue\": order (the boards hold it as scene 2)",
        "scene 2 \"Red\": order (the boards hold it as scene 1)"}},
      {"a scene added", programmed, changed([](Scenario& s) { s.scenes.push_back(SceneWith("Bow", 1, 0, {"1"})); }),
       {"scene 5 \"Bow\": not in the boards"}},
      {"a scene deleted", programmed, changed([](Scenario& s) { s.scenes.pop_back(); }),
       {"scene 4 \"Dark\" of the boards: not in the scenario"}},
      {"Program stopped after scene 3", partial, Show(),
       {"scenes 4 to 4 were not stored: Program stopped", "scene 4 \"Dark\": not in the boards"}},
      {"erased", erased, Show(), {"the boards hold no scenes: their ROM was erased"}},
  };
  for (const auto& c : cases) {
    const RomComparison comparison = CompareRomWithScenario(c.record, c.open);
    EXPECT_EQ(comparison.differences, c.differences) << c.what;
    EXPECT_EQ(comparison.same, c.differences.empty()) << c.what;
  }
}

// The board session on a recording link writes the records.
class RomSession : public testing::Test {
 protected:
  void SetUp() override {
    session = std::make_unique<BoardSession>(
        [this](const std::string&) {
          auto made = std::make_unique<RecordingBoardLink>();
          link = made.get();
          if (failFrom > 0) made->FailWritesFrom(failFrom);
          return made;
        },
        clock, BoardSession::Mode::TICKED);
    session->KeepRomRecords(Directory());
  }
  RomRecordRead Record() const { return ReadRomRecord(Directory(), target.port); }

  ManualLinkClock clock;
  RecordingBoardLink* link = nullptr;
  int failFrom = 0;
  BoardTarget target{"/dev/ttyUSB3", LinkSpeed::STANDARD};
  std::unique_ptr<BoardSession> session;
};

// Cancels Program when scene `number` is about to go out.
class CancelAt : public BoardSessionListener {
 public:
  CancelAt(BoardSession& session, int number) : m_session(session), m_number(number) {}
  void OnBoardEvent(const BoardEvent& event) override {
    if (event.kind == LinkReport::PROGRAM_SCENE && event.number == m_number) m_session.CancelProgram();
  }

 private:
  BoardSession& m_session;
  int m_number;
};

TEST_F(RomSession, ProgramLeavesTheTextAsProgrammed) {
  const time_t before = time(nullptr);
  session->Program(target, Show());
  const RomRecordRead read = Record();
  ASSERT_TRUE(read.Found()) << read.warning;
  EXPECT_EQ(RomStateText(read.record), "complete");
  EXPECT_EQ(read.record.text, WriteScenarioText(Show()));
  EXPECT_EQ(read.record.sceneCount, 4);
  EXPECT_EQ(read.record.key, "tty-ttyUSB3");
  EXPECT_GE(read.record.time, before);
  EXPECT_TRUE(CompareRomWithScenario(read.record, Show()).same);
}

// The number (from 1) of the `nth` write of `bytes` in Program's stream.
int WriteNumber(const Scenario& scenario, const std::vector<unsigned char>& bytes, int nth) {
  RecordingBoardLink dry;
  ProgramBoards(dry, BoardTarget{"p"}, scenario);
  int writes = 0;
  for (const LinkEvent& event : dry.Events()) {
    if (event.kind == LinkEvent::WRITE && ++writes > 0 && event.bytes == bytes && --nth == 0) return writes;
  }
  return 0;
}

TEST_F(RomSession, ACancelledOrFailedProgramIsPartialOrErased) {
  CancelAt cancel(*session, 3);
  session->AddListener(&cancel);
  session->Program(target, Show());
  session->RemoveListener(&cancel);
  EXPECT_EQ(RomStateText(Record().record), "partial, scenes 1 to 3") << "the scene under way is written";

  const struct {
    const char* what;
    int failFrom;
    const char* state;
  } cases[] = {
      {"the line fails at the third scene's store", WriteNumber(Show(), {0xF7}, 3), "partial, scenes 1 to 2"},
      {"the line fails right after the erase", WriteNumber(Show(), {0xF7, 0x00, 0xDF}, 1) + 1, "erased"},
  };
  for (const auto& c : cases) {
    ASSERT_GT(c.failFrom, 1) << c.what;
    failFrom = c.failFrom;
    session = nullptr;
    SetUp();
    session->Clear(target);  // a record of another state to be replaced
    session->Program(target, Show());
    const RomRecordRead read = Record();
    EXPECT_EQ(RomStateText(read.record), c.state) << c.what;
    EXPECT_EQ(read.record.text, std::string(c.state) == "erased" ? "" : WriteScenarioText(Show())) << c.what;
  }
}

TEST_F(RomSession, ClearLeavesErasedAndAProgramThatNeverRanLeavesTheRecord) {
  session->Program(target, Show());
  // Refused before its first scene (the port does not open): the ROM is
  // as it was.
  link->SetOpenResult(5);
  Scenario other = Show();
  other.scenes.pop_back();
  session->Program(target, other);
  RomRecordRead read = Record();
  EXPECT_EQ(RomStateText(read.record), "complete");
  EXPECT_EQ(read.record.text, WriteScenarioText(Show()));

  link->SetOpenResult(0);
  session->Clear(target);
  read = Record();
  ASSERT_TRUE(read.Found());
  EXPECT_EQ(RomStateText(read.record), "erased");
  EXPECT_EQ(read.record.text, "");
  EXPECT_EQ(read.record.sceneCount, 0);
}
