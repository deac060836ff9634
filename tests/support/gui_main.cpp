// Main of the window tests: one toolkit application for the whole binary,
// a fresh HOME for each test, and every unexpected dialog or toolkit
// assertion reported as a test failure instead of blocking the run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/modalhook.h>

#include "gui/app/lumivane_app.h"
#include "gui/frame/lumivane_frame.h"
#include "support/temp_home.h"

namespace {

class UnexpectedDialogGuard : public wxModalDialogHook {
 protected:
  int Enter(wxDialog* dialog) override {
    ADD_FAILURE() << "Unexpected dialog \"" << dialog->GetTitle().utf8_str().data() << "\"";
    return wxID_CANCEL;
  }
  void Exit(wxDialog*) override {}
};

void FailOnAssert(const wxString& file, int line, const wxString& function,
                  const wxString& condition, const wxString& message) {
  ADD_FAILURE_AT(file.utf8_str().data(), line)
      << "toolkit assertion in " << function.utf8_str().data() << ": "
      << condition.utf8_str().data() << " " << message.utf8_str().data();
}

// ctest hands each window test program one of the virtual displays that
// scripts/ctest_displays.sh started, as "id:<display number>,slots:1".
void UseTheDisplayCtestGave() {
  const char* group = std::getenv("CTEST_RESOURCE_GROUP_0_DISPLAY");
  if (group == nullptr) {
    return;
  }
  const std::string given(group);
  if (given.rfind("id:", 0) != 0) {
    return;
  }
  const std::string display = ":" + given.substr(3, given.find(',') - 3);
  setenv("DISPLAY", display.c_str(), 1);
}

}  // namespace

// GTK and fontconfig keep memory until the process ends, which is no leak of
// ours: the window tests run without leak detection under AddressSanitizer.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) {
    return RUN_ALL_TESTS();
  }
  InstallTempHomeListener();
  UseTheDisplayCtestGave();

  wxApp::SetInstance(new LumivaneApp);
  if (!wxEntryStart(argc, argv)) {
    return 1;
  }
  // The program's per-user directory is named after the program.
  wxTheApp->SetAppName("lumivane");
  wxTheApp->SetExitOnFrameDelete(false);
  wxSetAssertHandler(FailOnAssert);

  UnexpectedDialogGuard guard;
  guard.Register();
  // The tests run where the program's main loop would: with an active event
  // loop. Without one, a progress dialog makes a loop of its own and deletes
  // it when it closes, which can be in the middle of a test's wxYield on it.
  int result;
  {
    wxEventLoop loop;
    wxEventLoopActivator activeLoop(&loop);
    result = RUN_ALL_TESTS();
  }
  guard.Unregister();
  wxEntryCleanup();
  return result;
}
