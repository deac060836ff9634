// Main of the window tests: one toolkit application for the whole binary,
// a fresh HOME for each test, and every unexpected dialog or toolkit
// assertion reported as a test failure instead of blocking the run.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dialog.h>
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

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) {
    return RUN_ALL_TESTS();
  }
  InstallTempHomeListener();

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
  const int result = RUN_ALL_TESTS();
  guard.Unregister();
  wxEntryCleanup();
  return result;
}
