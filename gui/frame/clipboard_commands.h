#pragma once
// The Edit menu's Copy, Cut and Paste on the rows of the shown scene.
#include <vector>

class wxCommandEvent;
class Document;
class LumivaneFrame;

class ClipboardCommands {
 public:
  // Binds the commands of `frame`; it and `document` outlive this.
  ClipboardCommands(LumivaneFrame& frame, Document& document);

 private:
  // The rows the user selected in a scene's grid: whole rows, or the rows
  // of the selected cells, else the cursor's row; in order.
  std::vector<int> SelectedRows(int scene);
  bool CopyRows(int scene);
  void OnCopy(wxCommandEvent& event);
  void OnCut(wxCommandEvent& event);
  void OnPaste(wxCommandEvent& event);

  LumivaneFrame& m_frame;
  Document& m_document;
};
