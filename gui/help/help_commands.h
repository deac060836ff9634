#pragma once
// The Help menu's commands on a main window: tips of the day (also shown at
// start-up), the user guide and the about box.
#include <wx/string.h>

class wxCommandEvent;
class LumivaneFrame;
struct AppState;

class HelpCommands {
 public:
  // Binds the Help menu's items of `frame`; both outlive this.
  HelpCommands(LumivaneFrame& frame, AppState& app);

  void ShowTips();
  // Opens the user guide with the PDF viewer that the mailcap file at
  // `mailcapPath` names, else with the desktop's default application, else
  // tells the user where the guide lies. Returns whether a viewer started.
  bool OpenUserGuide(const wxString& mailcapPath);

 private:
  void OnTips(wxCommandEvent& event);
  void OnUserGuide(wxCommandEvent& event);
  void OnAbout(wxCommandEvent& event);

  LumivaneFrame& m_frame;
  AppState& m_app;
};
