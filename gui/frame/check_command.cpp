// Check scenario: the core's checks, with the line's, listed in a dialog
// that leads to the row a finding is about.
#include "gui/dialogs/dialog_commands.h"

#include "gui/frame/lumivane_frame.h"

#include <algorithm>

#include <wx/grid.h>
#include <wx/notebook.h>

#include "core/board/link_budget.h"
#include "core/model/scenario_check.h"
#include "gui/app/texts.h"
#include "gui/dialogs/check_dlg.h"

void RunCheckCommand(LumivaneFrame& frame, const Document& document) {
  frame.CommitOpenEdits();
  // At the speed the settings give the link: a transfer's time depends on it.
  const std::vector<Finding> findings = CheckScenarioOnLine(document.GetScenario(), frame.Target().speed);
  if (findings.empty()) {
    frame.ShowMessage(_(CHECK_NOTHING_FOUND), _(CHECK_TITLE), wxOK | wxICON_INFORMATION);
    return;
  }
  CheckDlg dialog(&frame, document.GetScenario(), findings);
  const int scenes = frame.SceneCount();
  {
    LumivaneFrame::ModalScope modal(&frame);
    if (dialog.ShowModal() != wxID_OK || frame.SceneCount() != scenes) {
      return;
    }
  }
  const int chosen = dialog.Chosen();
  if (chosen >= 0 && chosen < static_cast<int>(findings.size()) && findings[chosen].scene >= 0) {
    frame.GoToRow(findings[chosen].scene, std::max(findings[chosen].row, 0));
  }
}

void LumivaneFrame::GoToRow(int scene, int row) {
  if (!m_document.HasScene(scene)) {
    return;
  }
  if (Notebook()->GetSelection() != scene) {
    Notebook()->SetSelection(static_cast<size_t>(scene));  // a normal page change
  }
  wxGrid* grid = Grid(scene);
  if (grid != nullptr && row < grid->GetNumberRows()) {
    grid->SetGridCursor(row, COL_FROM);
    grid->MakeCellVisible(row, COL_FROM);
    grid->SetFocus();
  }
}
