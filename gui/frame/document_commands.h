#pragma once
// The File menu's commands that tie the open scenario to files: New, Open
// (also from Open Recent and a dropped file), Save, Save as, Save a copy,
// Revert and Exit. Unsaved changes are saved without asking; only a
// scenario without a file asks for a name.
#include <wx/string.h>

class wxCommandEvent;
class Document;
class LumivaneFrame;

class DocumentCommands {
 public:
  // Binds the commands of `frame`; it and `document` outlive this.
  DocumentCommands(LumivaneFrame& frame, Document& document);

  // Opens the scenario at `path`, or the one the user picks when it is
  // empty, after saving unsaved changes; false when nothing was opened.
  bool OpenScenario(const wxString& path);
  // Asked when unsaved changes could not be saved: true to go on anyway.
  bool ConfirmLosingChanges();

 private:
  void OnNew(wxCommandEvent& event);
  void OnSaveAs(wxCommandEvent& event);
  void OnSaveCopy(wxCommandEvent& event);
  void OnRevert(wxCommandEvent& event);
  void OnExit(wxCommandEvent& event);

  LumivaneFrame& m_frame;
  Document& m_document;
};
