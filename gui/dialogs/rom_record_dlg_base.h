#pragma once
#include <wx/wx.h>  // the toolkit's headers expect its core set first
#include <wx/dialog.h>

class wxButton;
class wxListBox;
class wxStaticText;

// Layout of the "What the boards hold" dialog: the record of what the
// boards on the port hold, the comparison with the open scenario one line
// a difference, and the buttons to open what was programmed and to close.
// It only builds controls; the derived class fills them.
class RomRecordDlgBase : public wxDialog {
 public:
  explicit RomRecordDlgBase(wxWindow* parent);

 protected:
  wxStaticText* m_recordText;
  wxStaticText* m_comparisonLabel;
  wxListBox* m_differences;
  wxButton* m_openButton;
  wxButton* m_closeButton;
};
