// The Help menu: tips on demand, the about box and opening the user guide.
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <thread>

#include <wx/generic/aboutdlgg.h>
#include <wx/hyperlink.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/grid.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "gui/app/lumivane_app.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"
#include "support/temp_home.h"

namespace {

// What the about box showed.
struct AboutSeen {
  bool shown = false;
  wxString texts;  // every static text, one per line
  wxString link;
  wxSize iconSize;
};

class ExpectAboutBox : public wxExpectModalBase<wxGenericAboutDialog, ExpectAboutBox> {
 public:
  explicit ExpectAboutBox(std::shared_ptr<AboutSeen> seen) : m_seen(seen) {}

 protected:
  int OnInvoked(wxGenericAboutDialog* dialog) const override {
    m_seen->shown = true;
    Collect(dialog);
    return wxID_OK;
  }

 private:
  void Collect(wxWindow* window) const {
    for (wxWindow* child : window->GetChildren()) {
      if (auto* text = dynamic_cast<wxStaticText*>(child)) {
        m_seen->texts += text->GetLabel() + "\n";
      } else if (auto* link = dynamic_cast<wxHyperlinkCtrl*>(child)) {
        m_seen->link = link->GetURL() + " " + link->GetLabel();
      } else if (auto* icon = dynamic_cast<wxStaticBitmap*>(child)) {
        m_seen->iconSize = icon->GetBitmap().GetSize();
      }
      Collect(child);
    }
  }

  std::shared_ptr<AboutSeen> m_seen;
};

void Choose(LumivaneFrame* frame, int id) {
  wxCommandEvent event(wxEVT_MENU, id);
  frame->ProcessWindowEvent(event);
}

// Waits up to two seconds for a file that a started process writes.
std::string WaitForFile(const std::string& path) {
  for (int i = 0; i < 200; ++i) {
    const std::string text = ReadFileText(path);
    if (!text.empty()) {
      return text;
    }
    AppTest::PumpEvents(10);
  }
  return std::string();
}

class HelpMenu : public AppTest {
 protected:
  // A documentation directory whose path needs quoting, with a guide in it.
  std::string MakeGuide() {
    const std::string dir = TestHome() + "/doc dir 'it''s' \"$HOME\" ;&";
    mkdir(dir.c_str(), 0777);
    const std::string guide = dir + "/lumivane_userguide.pdf";
    WriteFileText(guide, "%PDF-1.4\n");
    App().State().docDir = wxString::FromUTF8(dir.c_str());
    return guide;
  }

  std::string WriteMailcap(const std::string& text) {
    const std::string path = TestHome() + "/mailcap";
    WriteFileText(path, text);
    return path;
  }
};

}  // namespace

TEST_F(HelpMenu, AboutBoxShowsNameVersionNoticeIconAndLink) {
  Start();
  auto seen = std::make_shared<AboutSeen>();
  wxTEST_DIALOG(Choose(m_frame, wxID_ABOUT), ExpectAboutBox(seen));
  ASSERT_TRUE(seen->shown);
  EXPECT_NE(seen->texts.Find("Lumivane Configuration and Control 1.0.4319"), wxNOT_FOUND)
      << seen->texts;
  EXPECT_NE(seen->texts.Find("A utility to configure and run the Lumivane boards."), wxNOT_FOUND);
  EXPECT_NE(seen->texts.Find("Lumivane. All rights reserved."), wxNOT_FOUND);
  EXPECT_EQ(seen->link, "https://www.lumivane.com/ https://www.lumivane.com/");
  EXPECT_EQ(seen->iconSize, wxSize(48, 48));
}

TEST_F(HelpMenu, TipsCommandStartsOverWhenTipsAreOffAndTurnsThemOn) {
  Start();
  const std::string dir = TestHome() + "/doc";
  mkdir(dir.c_str(), 0777);
  WriteFileText(dir + "/lumivane.tips", "First tip\nSecond tip\nThird tip\n");
  App().State().docDir = wxString::FromUTF8(dir.c_str());
  App().State().settings.tip = -1;
  auto shown = std::make_shared<ShownTip>();
  wxTEST_DIALOG(Choose(m_frame, wxID_HELP_PROCEDURES), ExpectTipDialog(true, shown));
  EXPECT_EQ(shown->text, "First tip");
  EXPECT_EQ(App().State().settings.tip, 1);
}

TEST_F(HelpMenu, UserGuideOpensWithTheMailcapViewerWithItsPathWhole) {
  Start();
  const std::string guide = MakeGuide();
  const std::string opened = TestHome() + "/opened";
  const std::string mailcap = WriteMailcap(
      "text/plain; less %s; needsterminal\n"
      "application/pdf; pdftotext %s -; copiousoutput\n"
      "application/pdf; printf '%%s' %s > '" + opened + "'; test=test -r %s\n");
  EXPECT_TRUE(m_frame->Commands().help.OpenUserGuide(wxString::FromUTF8(mailcap.c_str())));
  EXPECT_EQ(WaitForFile(opened), guide);
}

TEST_F(HelpMenu, MissingGuideIsReportedWithItsPath) {
  Start();
  App().State().docDir = wxString::FromUTF8((TestHome() + "/nowhere").c_str());
  const std::string mailcap = WriteMailcap("application/pdf; true %s\n");
  wxTEST_DIALOG(
      EXPECT_FALSE(m_frame->Commands().help.OpenUserGuide(wxString::FromUTF8(mailcap.c_str()))),
      ExpectMessageBox(wxString::FromUTF8(("The User Guide was not found:\n" + TestHome() +
                                           "/nowhere/lumivane_userguide.pdf").c_str()),
                       "Error", wxOK));
}

TEST_F(HelpMenu, WithoutMailcapEntryOrDesktopOpenerTheUserIsTold) {
  Start();
  const std::string guide = MakeGuide();
  const std::string mailcap = WriteMailcap("image/png; eog %s\n");
  // No xdg-open on the search path: the desktop's default application
  // cannot be asked either.
  wxString path;
  wxGetEnv("PATH", &path);
  const std::string empty = TestHome() + "/empty-bin";
  mkdir(empty.c_str(), 0777);
  wxSetEnv("PATH", wxString::FromUTF8(empty.c_str()));
  wxTEST_DIALOG(
      EXPECT_FALSE(m_frame->Commands().help.OpenUserGuide(wxString::FromUTF8(mailcap.c_str()))),
      ExpectMessageBox(wxString::FromUTF8(("No program to show PDF documents was found.\n"
                                           "Please open the User Guide yourself:\n" + guide)
                                              .c_str()),
                       "Error", wxOK));
  wxSetEnv("PATH", path);
}

TEST_F(HelpMenu, WithoutMailcapEntryTheDesktopOpenerGetsTheGuide) {
  Start();
  const std::string guide = MakeGuide();
  const std::string mailcap = WriteMailcap("# nothing for PDF here\n");
  // A stand-in xdg-open that notes what it was asked to open.
  const std::string bin = TestHome() + "/bin";
  mkdir(bin.c_str(), 0777);
  const std::string opened = TestHome() + "/opened";
  WriteFileText(bin + "/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened + "'\n");
  chmod((bin + "/xdg-open").c_str(), 0755);
  wxString path;
  wxGetEnv("PATH", &path);
  wxSetEnv("PATH", wxString::FromUTF8(bin.c_str()) + ":" + path);
  EXPECT_TRUE(m_frame->Commands().help.OpenUserGuide(wxString::FromUTF8(mailcap.c_str())));
  wxSetEnv("PATH", path);
  EXPECT_EQ(WaitForFile(opened), guide);
}

namespace {

// The message that names the guide's path, noted when it shows.
class ExpectNoViewer : public wxExpectModalBase<wxMessageDialog, ExpectNoViewer> {
 public:
  ExpectNoViewer(const std::string& guide, std::shared_ptr<bool> shown) : m_guide(guide), m_shown(shown) {}

 protected:
  int OnInvoked(wxMessageDialog* dialog) const override {
    EXPECT_EQ(dialog->GetMessage().utf8_string(),
              "No program to show PDF documents was found.\nPlease open the User Guide yourself:\n" + m_guide);
    EXPECT_EQ(dialog->GetTitle(), "Error");
    *m_shown = true;
    return wxID_OK;
  }
  wxString GetDefaultDescription() const override { return "the message naming the guide's path"; }

 private:
  std::string m_guide;
  std::shared_ptr<bool> m_shown;
};

void WaitFor(const std::shared_ptr<bool>& flag) {
  for (int i = 0; i < 300 && !*flag; ++i) {
    AppTest::PumpEvents(10);
  }
}

}  // namespace

TEST_F(HelpMenu, F1WithNoViewerAnywhereShowsThePathOnceTheOpenerGivesUp) {
  if (ReadFileText("/etc/mailcap").find("application/pdf") != std::string::npos) {
    GTEST_SKIP() << "this machine's mailcap names a PDF viewer";
  }
  Start();
  const std::string guide = MakeGuide();
  // The desktop's opener as it is without any PDF viewer: it complains and fails.
  const std::string bin = TestHome() + "/bin";
  mkdir(bin.c_str(), 0777);
  WriteFileText(bin + "/xdg-open", "#!/bin/sh\necho 'no \"view\" mailcap rules found' >&2\nexit 3\n");
  chmod((bin + "/xdg-open").c_str(), 0755);
  wxString path;
  wxGetEnv("PATH", &path);
  wxSetEnv("PATH", wxString::FromUTF8(bin.c_str()));
  m_frame->Raise();
  m_frame->Grid(0)->GetGridWindow()->SetFocus();
  Pump(50);
  auto shown = std::make_shared<bool>(false);
  wxTEST_DIALOG(
      {
        wxUIActionSimulator input;
        input.Char(WXK_F1);
        WaitFor(shown);
      },
      ExpectNoViewer(guide, shown));
  wxSetEnv("PATH", path);
  EXPECT_TRUE(*shown);
}
