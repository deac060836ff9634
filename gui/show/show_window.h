#pragma once
// Show mode: a full-screen view for the operator during a show. The
// current scene large, its countdown and lateness, the next scene and,
// where known, the boards' colours; the keys of show_keys.h act through the
// same run actions as the remotes.
#include <wx/wx.h>  // the toolkit's headers expect its core set first
#include <wx/frame.h>

#include <functional>

#include "core/remote/remote_hub.h"
#include "gui/show/show_keys.h"

class ShowWindow : public wxFrame {
 public:
  using Performer = std::function<RemoteReply(const RemoteCommand&)>;

  // Full screen over `parent`, showing `state` until the next ShowState.
  ShowWindow(wxWindow* parent, Performer perform, const RemoteState& state);

  // The run's state as it is now; repaints what it shows.
  void ShowState(const RemoteState& state);
  // The keys act on nothing any more (the driver is going away).
  void Disconnect() { m_perform = nullptr; }

  // What the window shows, for tests.
  const RemoteState& State() const { return m_state; }
  const std::string& Typed() const { return m_keys.Typed(); }
  const wxString& Notice() const { return m_notice; }
  wxWindow* Canvas() const { return m_canvas; }

 private:
  void OnKey(wxKeyEvent& event);
  void OnPaint(wxPaintEvent& event);
  void Draw(wxDC& dc, const wxSize& size) const;

  Performer m_perform;
  RemoteState m_state;
  ShowKeys m_keys;
  // Why the last key's command could not be done; until the next key.
  wxString m_notice;
  wxWindow* m_canvas;
};
