// Start-up, the settings file and the tip of the day.
#include <sys/stat.h>

#include <wx/filename.h>
#include <wx/toolbar.h>

#include "gui/app/lumivane_app.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"
#include "support/temp_home.h"

namespace {

// The tips file holds one tip per line; the tip index is the line index.
std::string TipLine(int index) {
  std::istringstream lines(
      ReadFileText(std::string(static_cast<LumivaneApp*>(wxTheApp)->State().docDir.utf8_str()) + "/lumivane.tips"));
  std::string line;
  for (int n = 0; std::getline(lines, line); ++n) {
    if (n == index) return line;
  }
  return "";
}

}  // namespace

using AppStartup = AppTest;

TEST_F(AppStartup, FirstStartShowsDefaultsAndTheFirstTip) {
  auto tip = std::make_shared<ShownTip>();
  wxTEST_DIALOG(StartAsIs(), ExpectTipDialog(true, tip));

  EXPECT_TRUE(tip->shown);
  EXPECT_EQ(std::string(tip->text.utf8_str()), TipLine(0));
  EXPECT_EQ(m_frame->GetSize(), wxSize(900, 600));  // room for the grid's five columns
  EXPECT_EQ(App().State().settings.port, "Virtual boards");
  EXPECT_EQ(App().State().settings.baudIndex, 0);
  EXPECT_TRUE(App().State().settings.autoTransfer);
  EXPECT_TRUE(m_frame->Session().Snapshot().autoTransfer);
  EXPECT_EQ(App().State().settings.tip, 1);  // the tip that comes next
  struct stat info;
  EXPECT_EQ(stat(HomePath(".lumivane").c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST_F(AppStartup, ClosingWritesAllKeysInSectionOrder) {
  wxTEST_DIALOG(StartAsIs(), ExpectTipDialog(true));
  App().State().settings.port = "/dev/ttyUSB0";
  CloseMainWindow();

  EXPECT_EQ(ReadSettings(),
            "[Settings]\ncom=/dev/ttyUSB0\nbaud=0\nautorun=1\ntip=1\n"
            "\n[Session]\nactivedir=\ncopydir=\nfile=\n"
            "\n[Position]\nframe=900 600\n");
}

TEST_F(AppStartup, NextStartOpensAtTheStoredSize) {
  WriteSettings("[Settings]\ntip=-1\n[Position]\nframe=800 600\n");
  Start();
  EXPECT_EQ(m_frame->GetSize(), wxSize(800, 600));
  m_frame->SetSize(640, 400);
  Pump();
  CloseMainWindow();
  EXPECT_NE(ReadSettings().find("frame=640 400\n"), std::string::npos);

  Start();
  EXPECT_EQ(m_frame->GetSize(), wxSize(640, 400));
}

TEST_F(AppStartup, AutorunFiveReadsAsOnAndIsWrittenBackAsOne) {
  WriteSettings("[Settings]\nautorun=5\ntip=-1\n");
  Start();
  EXPECT_TRUE(App().State().settings.autoTransfer);
  EXPECT_TRUE(m_frame->Session().Snapshot().autoTransfer);
  CloseMainWindow();
  EXPECT_NE(ReadSettings().find("autorun=1\n"), std::string::npos);
}

TEST_F(AppStartup, AutoTransferOffIsRemembered) {
  WriteSettings("[Settings]\nautorun=0\ntip=-1\n");
  Start();
  EXPECT_FALSE(m_frame->Session().Snapshot().autoTransfer);
  m_frame->Session().SetAutoTransfer(true);
  CloseMainWindow();
  EXPECT_NE(ReadSettings().find("autorun=1\n"), std::string::npos);
}

TEST_F(AppStartup, ClearingTheTipBoxStoresMinusOneAndSilencesLaterStarts) {
  wxTEST_DIALOG(StartAsIs(), ExpectTipDialog(false));
  EXPECT_EQ(App().State().settings.tip, -1);
  CloseMainWindow();
  EXPECT_NE(ReadSettings().find("tip=-1\n"), std::string::npos);

  // No dialog is expected: the guard fails the test if one appears.
  StartAsIs();
  EXPECT_EQ(App().State().settings.tip, -1);
}

TEST_F(AppStartup, StoredTipIndexPicksTheTip) {
  WriteSettings("[Settings]\ntip=3\n");
  auto tip = std::make_shared<ShownTip>();
  wxTEST_DIALOG(StartAsIs(), ExpectTipDialog(true, tip));
  EXPECT_EQ(std::string(tip->text.utf8_str()), TipLine(3));
  EXPECT_EQ(App().State().settings.tip, 4);
}

TEST_F(AppStartup, ScenarioArgumentSuppressesTheTip) {
  WriteSettings("[Settings]\ncom=\ntip=0\n");
  wxArrayString arguments;
  arguments.Add(HomePath("show.cfg"));
  // The named scenario runs at once; with no port set, that fails loudly.
  wxTEST_DIALOG(StartAsIs(arguments),
                ExpectMessageBox("Failed to initialize the COM port.\nPlease verify the settings.",
                                 "Error", wxOK));
  EXPECT_EQ(App().State().startFile, HomePath("show.cfg"));
  EXPECT_EQ(App().State().settings.tip, 0);
}

TEST_F(AppStartup, OnlyAMissingPortKeyChoosesTheVirtualBoards) {
  const std::pair<const char*, const char*> cases[] = {
      {"[Settings]\nautorun=0\ntip=-1\n", "Virtual boards"},
      {"[Settings]\ncom=\nautorun=0\ntip=-1\n", ""},
      {"[Settings]\ncom=ttyS0\nautorun=0\ntip=-1\n", "ttyS0"},
  };
  for (const auto& [settings, port] : cases) {
    WriteSettings(settings);
    Start();
    EXPECT_EQ(App().State().settings.port, port) << settings;
    CloseMainWindow();
    EXPECT_NE(ReadSettings().find(std::string("com=") + port + "\n"), std::string::npos) << settings;
  }
}

TEST_F(AppStartup, KillingTheProgramLeavesTheSettingsUnchanged) {
  const std::string stored = "[Settings]\ncom=ttyS0\ntip=-1\n";
  WriteSettings(stored);
  Start();
  App().State().settings.port = "ttyUSB1";
  // Leaving without the close handler stands for a killed program.
  m_frame->Destroy();
  m_frame = nullptr;
  Pump();
  EXPECT_EQ(ReadSettings(), stored);
}

TEST(DocDir, BesideTheBinDirectoryThenInsideItThenTheDirectoryItself) {
  const std::string root = TestHome() + "/opt/x";
  wxFileName::Mkdir(root + "/bin/doc", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  EXPECT_EQ(LumivaneApp::FindDocDir(root + "/bin"), root + "/bin/doc");
  wxFileName::Mkdir(root + "/doc", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  EXPECT_EQ(LumivaneApp::FindDocDir(root + "/bin"), root + "/doc");
  const std::string bare = TestHome() + "/y/bin";
  EXPECT_EQ(LumivaneApp::FindDocDir(bare), bare);
}

TEST_F(AppStartup, BuildTreeFindsItsDocumentation) {
  Start();
  EXPECT_TRUE(wxFileExists(App().State().docDir + "/lumivane.tips"));
}
