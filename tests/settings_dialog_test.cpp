// The Settings command and its dialog: what the dialog offers and
// preselects, and what OK and Cancel leave in the settings, the status bar
// and the serial link. Adapters come from the simulated FTDI bus; the
// machine's own ttys may follow them in the port list.
#include <wx/menu.h>
#include <wx/statusbr.h>

#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/ftdi_sim.h"
#include "support/gui_testing.h"
#include "support/settings_dialog_expectation.h"

namespace {

using ExpectSettings = wxExpectModal<LumivaneSettingsDlg>;
using Seen = ExpectSettings::Seen;

// The port error box: checks its text, caption, buttons, icon and parent,
// and that the status bar had not yet announced the change.
class ExpectPortError : public wxExpectModalBase<wxMessageDialog, ExpectPortError> {
 public:
  ExpectPortError(std::shared_ptr<Seen> settings, LumivaneFrame* frame)
      : m_settings(settings), m_frame(frame) {}

 protected:
  int OnInvoked(wxMessageDialog* dialog) const override {
    EXPECT_EQ(dialog->GetMessage(), ERR_PORT_SELECTION);
    EXPECT_EQ(dialog->GetTitle(), CAPTION_ERROR);
    EXPECT_EQ(dialog->GetMessageDialogStyle() & (wxOK | wxCANCEL | wxYES_NO), wxOK);
    EXPECT_TRUE(dialog->GetMessageDialogStyle() & wxICON_ERROR);
    EXPECT_NE(m_settings->dialog, nullptr);
    EXPECT_EQ(dialog->GetParent(), m_settings->dialog);
    EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(STATUS_MESSAGE), "");
    return wxID_OK;
  }
  wxString GetDefaultDescription() const override { return "port selection error box"; }

 private:
  std::shared_ptr<Seen> m_settings;
  LumivaneFrame* m_frame;
};

class SettingsCommand : public AppTest {
 protected:
  void SetUp() override { FtdiSimReset(); }
  void TearDown() override {
    AppTest::TearDown();
  }

  // Starts with the given port and baud settings and no auto transfer.
  void StartWith(const std::string& port, const std::string& baud) {
    WriteSettings("[Settings]\ncom=" + port + "\nbaud=" + baud + "\nautorun=0\ntip=-1\n");
    Start();
  }

  // F2, as the menu sends it.
  void Settings() {
    wxCommandEvent event(wxEVT_MENU, wxID_PROPERTIES);
    event.SetEventObject(m_frame);
    m_frame->ProcessWindowEvent(event);
  }

  wxString Status() { return m_frame->GetStatusBar()->GetStatusText(STATUS_MESSAGE); }

  std::shared_ptr<Seen> seen = std::make_shared<Seen>();
};

TEST_F(SettingsCommand, OffersBaudRatesAndPortsAndPreselectsTheStoredPortIgnoringCase) {
  FtdiSimAddDevice("Lumivane");
  FtdiSimAddDevice("Lumivane Box");
  StartWith("LUMIVANE BOX (2)", "1");

  wxTEST_DIALOG(Settings(), ExpectSettings(wxID_CANCEL, seen));

  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->title, SETTINGS_TITLE);
  ASSERT_EQ(seen->baudEntries.size(), 2u);
  EXPECT_EQ(seen->baudEntries[0], "9600 (standard)");
  EXPECT_EQ(seen->baudEntries[1], "115200 (high)");
  EXPECT_EQ(seen->baudSelection, 1);
  ASSERT_GE(seen->portEntries.size(), 3u);
  EXPECT_EQ(seen->portEntries[0], "Virtual boards");
  EXPECT_EQ(seen->portEntries[1], "Lumivane (1)");
  EXPECT_EQ(seen->portEntries[2], "Lumivane Box (2)");
  EXPECT_EQ(seen->ports, seen->portEntries);
  EXPECT_EQ(seen->portSelection, 2);
}

TEST_F(SettingsCommand, CancelKeepsSettingsAndStatusBar) {
  FtdiSimAddDevice("Lumivane");
  FtdiSimAddDevice("Lumivane");
  StartWith("Lumivane (1)", "0");

  wxTEST_DIALOG(Settings(),
                ExpectSettings(wxID_CANCEL, seen).PickingBaud(1).PickingPort("Lumivane (2)"));

  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(App().State().settings.baudIndex, 0);
  EXPECT_EQ(App().State().settings.port, "Lumivane (1)");
  EXPECT_EQ(Status(), "");
}

TEST_F(SettingsCommand, OkTakesHighSpeedAndThePickedPortInMemoryOnly) {
  FtdiSimAddDevice("Lumivane");
  FtdiSimAddDevice("Lumivane Box");
  StartWith("Lumivane (1)", "0");
  const std::string onDisk = ReadSettings();

  wxTEST_DIALOG(Settings(),
                ExpectSettings(wxID_OK, seen).PickingBaud(1).PickingPort("Lumivane Box (2)"));

  EXPECT_EQ(App().State().settings.baudIndex, 1);
  EXPECT_EQ(App().State().settings.port, "Lumivane Box (2)");
  EXPECT_EQ(Status(), MSG_SETTINGS_CHANGED);
  EXPECT_EQ(ReadSettings(), onDisk) << "the settings file is written only at close";
}

TEST_F(SettingsCommand, OkWithoutPortWarnsThenTakesTheBaudRateOnly) {
  FtdiSimAddDevice("FT232R USB UART");  // not ours: not listed
  StartWith("Lumivane (3)", "0");

  wxTEST_DIALOG(Settings(), ExpectSettings(wxID_OK, seen).PickingBaud(1),
                ExpectPortError(seen, m_frame));

  EXPECT_EQ(seen->portSelection, wxNOT_FOUND) << "the stored port is gone";
  EXPECT_EQ(App().State().settings.baudIndex, 1);
  EXPECT_EQ(App().State().settings.port, "Lumivane (3)");
  EXPECT_EQ(Status(), MSG_SETTINGS_CHANGED);
}

TEST_F(SettingsCommand, BaudIndexOutsideTheChoiceIsKeptUnlessTheUserPicksOne) {
  FtdiSimAddDevice("Lumivane");
  StartWith("", "5");
  for (long stored : {5L, -1L}) {
    App().State().settings.baudIndex = stored;
    auto seenHere = std::make_shared<Seen>();
    wxTEST_DIALOG(Settings(), ExpectSettings(wxID_OK, seenHere).PickingPort("Lumivane (1)"));
    EXPECT_EQ(seenHere->baudSelection, wxNOT_FOUND) << stored;
    EXPECT_EQ(App().State().settings.baudIndex, stored);
    EXPECT_EQ(App().State().settings.port, "Lumivane (1)");

    wxTEST_DIALOG(Settings(), ExpectSettings(wxID_OK).PickingBaud(0));
    EXPECT_EQ(App().State().settings.baudIndex, 0) << stored;
  }
}

TEST_F(SettingsCommand, ClosesTheLinkSoThatTheAdapterInUseIsListed) {
  FtdiSimAddDevice("Lumivane");
  StartWith("Lumivane (1)", "0");
  for (int button : {wxID_CANCEL, wxID_OK}) {
    m_frame->Session().Open(BoardTarget{"Lumivane (1)"});
    m_frame->WaitLinkIdle();
    ASSERT_EQ(FtdiSimOpenCount(), 1);
    auto seenHere = std::make_shared<Seen>();
    wxTEST_DIALOG(Settings(), ExpectSettings(button, seenHere));
    EXPECT_EQ(FtdiSimOpenCount(), 0) << button;
    ASSERT_GE(seenHere->portEntries.size(), 2u);
    EXPECT_EQ(seenHere->portEntries[1], "Lumivane (1)") << button;
    EXPECT_EQ(seenHere->portSelection, 1) << button;
  }
}

}  // namespace
