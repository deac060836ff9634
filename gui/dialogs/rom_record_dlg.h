#pragma once
#include <string>

#include "core/board/rom_compare.h"
#include "core/board/rom_record.h"
#include "gui/dialogs/rom_record_dlg_base.h"

// What the boards on a port hold, as the program's record says, and how
// that compares with the open scenario. "Open what was programmed" ends it
// with ID_ROM_OPEN_PROGRAMMED; the window then opens ProgrammedScenario of
// the record as a new, untitled scenario.
class RomRecordDlg : public RomRecordDlgBase {
 public:
  RomRecordDlg(wxWindow* parent, const std::string& port, const RomRecordRead& read, const Scenario& open);

  // The controls, for window tests.
  wxString RecordText() const;
  wxString ComparisonLabel() const;
  wxListBox* Differences() const { return m_differences; }
  wxButton* OpenButton() const { return m_openButton; }
  wxButton* CloseButton() const { return m_closeButton; }

 private:
  void OnOpen(wxCommandEvent& event);
};
