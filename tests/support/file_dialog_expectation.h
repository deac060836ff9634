#pragma once
// A file dialog answered with a path (or cancelled), recording the start
// directory and the proposed file name the program gave it.
#include <memory>

#include <wx/filedlg.h>

#include "support/gui_testing.h"

struct FileDialogSeen {
  wxString title;
  wxString directory;
  wxString filename;
  long style = 0;
};

class ExpectFileDialog : public wxExpectModalBase<wxFileDialog, ExpectFileDialog> {
 public:
  explicit ExpectFileDialog(const wxString& path, int answer = wxID_OK,
                            std::shared_ptr<FileDialogSeen> seen = nullptr)
      : m_path(path), m_answer(answer), m_seen(seen ? seen : std::make_shared<FileDialogSeen>()) {}

 protected:
  int OnInvoked(wxFileDialog* dialog) const override {
    // What the program set up, as given (the native chooser learns it
    // asynchronously).
    m_seen->title = dialog->GetMessage();
    m_seen->directory = dialog->wxFileDialogBase::GetDirectory();
    m_seen->filename = dialog->GetFilename();
    m_seen->style = dialog->GetWindowStyle();
    if (m_answer == wxID_OK) {
      SetChosenPath(dialog, m_path);
    }
    return m_answer;
  }
  wxString GetDefaultDescription() const override { return "file dialog"; }

 public:
  // Sets the path and lets the native chooser take it over.
  static void SetChosenPath(wxFileDialog* dialog, const wxString& path);

 private:
  wxString m_path;
  int m_answer;
  std::shared_ptr<FileDialogSeen> m_seen;
};

inline ExpectFileDialog CancelFileDialog() { return ExpectFileDialog("", wxID_CANCEL); }
