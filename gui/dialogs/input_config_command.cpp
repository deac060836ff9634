// The Input configuration command: the functions of the four auxiliary
// inputs, chosen in their dialog.
#include "gui/dialogs/dialog_commands.h"

#include <wx/notebook.h>

#include "core/edit/edit_commands.h"
#include "gui/app/texts.h"
#include "gui/frame/scene_book.h"
#include "gui/dialogs/input_config_dlg.h"
#include "gui/frame/lumivane_frame.h"

void RunInputConfigCommand(LumivaneFrame& frame, Document& document) {
  wxArrayString names;
  for (size_t page = 0; page < frame.Notebook()->GetPageCount(); ++page) {
    names.Add(frame.Notebook()->GetPageText(page));
  }
  int functions[INPUT_COUNT];
  for (int input = 0; input < INPUT_COUNT; ++input) {
    functions[input] = document.GetScenario().inputs[input];
  }
  LumivaneInputConfig dialog(&frame, functions, names);
  {
    LumivaneFrame::ModalScope modal(&frame);
    if (dialog.ShowModal() != wxID_OK) {
      return;
    }
  }
  frame.SetStatus(_(MSG_INPUT_CONFIG_CHANGED), STATUS_MESSAGE);
  std::array<int, INPUT_COUNT> chosen{};
  for (int input = 0; input < LumivaneInputConfig::INPUTS; ++input) {
    chosen[input] = dialog.Function(input);
  }
  ConfigureInputs(document, chosen);
}
