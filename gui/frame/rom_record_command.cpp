// Control > What the boards hold...: the record the board session keeps of
// each port's boards, compared with the open scenario, and what was
// programmed opened as a new scenario; and Program's question when the
// boards hold the open scenario already.
#include "gui/dialogs/dialog_commands.h"

#include "gui/frame/lumivane_frame.h"

#include "core/board/rom_compare.h"
#include "core/board/rom_record.h"
#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/dialogs/rom_record_dlg.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/app/rom_record_directory.h"

void BindRomRecordCommand(LumivaneFrame& frame, AppState& app, Document& document) {
  frame.Session().KeepRomRecords(RomRecordDirectory());
  frame.Bind(wxEVT_MENU,
       [&frame, &app, &document](wxCommandEvent&) {
         frame.CommitOpenEdits();
         const std::string port = app.settings.port;
         const RomRecordRead read = ReadRomRecord(RomRecordDirectory(), port);
         RomRecordDlg dialog(&frame, port, read, document.GetScenario());
         {
           LumivaneFrame::ModalScope modal(&frame);
           if (dialog.ShowModal() != ID_ROM_OPEN_PROGRAMMED || !read.Found()) {
             return;
           }
         }
         frame.StopRun();
         if (!frame.SaveScenario(false, false, false)) {
           return;
         }
         Scenario programmed = ProgrammedScenario(read.record);
         // Custom colours the record does not name stay as the user had them.
         for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
           if (!programmed.palette[slot].set) {
             programmed.palette[slot] = document.GetScenario().palette[slot];
           }
         }
         document.SetPath(std::string());
         document.Replace(std::move(programmed));
         document.SetFileTime(-1);
         frame.ShowSceneValues(frame.CurrentScene());
         // Not saved anywhere yet: closing asks.
         document.SetModified(true);
         frame.UpdateTitle();
         frame.SetStatus(_("Opened what the boards hold as a new scenario"), STATUS_MESSAGE);
       },
       ID_ROM_RECORD);
}

bool ConfirmProgramAgain(LumivaneFrame& frame, const AppState& app, const Document& document) {
  frame.CommitFadeHold();
  const std::string& port = app.settings.port;
  if (port.empty()) {
    return true;
  }
  const RomRecordRead read = ReadRomRecord(RomRecordDirectory(), port);
  if (!read.Found() || read.record.state != RomRecord::State::COMPLETE ||
      !CompareRomWithScenario(read.record, document.GetScenario()).same) {
    return true;
  }
  const wxString question =
      wxString::Format(_("The boards on %s hold the open scenario already (programmed %s).\n\nProgram them again?"),
                       wxString::FromUTF8(port), wxString::FromUTF8(RomTimeText(read.record.time)));
  return frame.ShowMessage(question, _("Program Lumivanes"), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION) == wxYES;
}
