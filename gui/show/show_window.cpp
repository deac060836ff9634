#include "gui/show/show_window.h"

#include <wx/dcbuffer.h>

#include <algorithm>

#include "gui/app/texts.h"

namespace {

// Lateness below this is jitter, not worth the operator's attention.
constexpr double LATE_SHOWN_SECONDS = 0.05;
constexpr int MARGIN_PARTS = 40;  // margins: 1/40 of the height

const wxColour BACKGROUND(0, 0, 0);
const wxColour FOREGROUND(255, 255, 255);
const wxColour DIMMED(150, 150, 150);
const wxColour RUNNING_COLOUR(90, 200, 90);
const wxColour PAUSED_COLOUR(240, 200, 40);
const wxColour LATE_COLOUR(255, 140, 40);
const wxColour NOTICE_COLOUR(255, 90, 90);

wxString StateText(RemoteState::Run run) {
  switch (run) {
    case RemoteState::Run::RUNNING: return _("Running");
    case RemoteState::Run::PAUSED: return _("Paused");
    case RemoteState::Run::STOPPED: break;
  }
  return _("Stopped");
}

// Draws `text` with its top at `top`, centred, at most `height` pixels
// high and narrower than `width`; returns the height used.
int DrawCentred(wxDC& dc, const wxString& text, int top, int width, int height, const wxColour& colour) {
  if (text.empty() || height < 4) return 0;
  wxFont font(wxFontInfo(wxSize(0, height)).Family(wxFONTFAMILY_SWISS).Bold());
  dc.SetFont(font);
  wxSize extent = dc.GetTextExtent(text);
  // A long name gets a smaller font rather than being cut off.
  while (extent.x > width && height > 8) {
    height = height * 9 / 10;
    font.SetPixelSize(wxSize(0, height));
    dc.SetFont(font);
    extent = dc.GetTextExtent(text);
  }
  dc.SetTextForeground(colour);
  dc.DrawText(text, (width - extent.x) / 2, top);
  return extent.y;
}

}  // namespace

ShowWindow::ShowWindow(wxWindow* parent, Performer perform, const RemoteState& state)
    : wxFrame(parent, wxID_ANY, _("Lumivane show mode"), wxDefaultPosition, wxSize(800, 600),
              wxDEFAULT_FRAME_STYLE),
      m_perform(std::move(perform)),
      m_state(state) {
  m_canvas = new wxWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS);
  m_canvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
  m_canvas->Bind(wxEVT_PAINT, &ShowWindow::OnPaint, this);
  // Ahead of every control, so that arrows and Space never move a focus.
  Bind(wxEVT_CHAR_HOOK, &ShowWindow::OnKey, this);
  Show();
  ShowFullScreen(true);
  m_canvas->SetFocus();
}

void ShowWindow::ShowState(const RemoteState& state) {
  if (state == m_state) return;
  m_state = state;
  m_canvas->Refresh();
}

void ShowWindow::OnKey(wxKeyEvent& event) {
  if (event.GetModifiers() != wxMOD_NONE) {
    event.Skip();
    return;
  }
  const ShowKey key = m_keys.Press(event.GetKeyCode());
  switch (key.kind) {
    case ShowKey::Kind::NONE:
      event.Skip();
      return;
    case ShowKey::Kind::LEAVE:
      Close();
      return;
    case ShowKey::Kind::TYPING:
      m_notice.clear();
      break;
    case ShowKey::Kind::COMMAND:
      m_notice.clear();
      if (m_perform) {
        const RemoteReply reply = m_perform(key.command);
        if (reply.status != RemoteReply::Status::OK) m_notice = wxString::FromUTF8(reply.error);
        m_state = reply.state;
      }
      break;
  }
  m_canvas->Refresh();
}

void ShowWindow::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(m_canvas);
  Draw(dc, m_canvas->GetClientSize());
}

void ShowWindow::Draw(wxDC& dc, const wxSize& size) const {
  dc.SetBackground(wxBrush(BACKGROUND));
  dc.Clear();
  const int width = size.x;
  const int height = size.y;
  const int margin = std::max(4, height / MARGIN_PARTS);
  int top = margin;

  // The run's state, and the number being typed.
  const wxColour stateColour = m_state.run == RemoteState::Run::RUNNING  ? RUNNING_COLOUR
                               : m_state.run == RemoteState::Run::PAUSED ? PAUSED_COLOUR
                                                                           : DIMMED;
  wxString line = StateText(m_state.run);
  if (!m_keys.Typed().empty()) {
    line += "    " + wxString::Format(_("Go to scene %s"), wxString(m_keys.Typed()) + "_");
  }
  top += DrawCentred(dc, line, top, width, height / 16, stateColour) + margin;

  // The scene, large.
  wxString scene = _("No scene is playing");
  if (m_state.scene > 0) {
    scene = wxString::Format("%d  %s", m_state.scene, wxString::FromUTF8(m_state.name));
  }
  top += DrawCentred(dc, scene, top, width, height / 5, FOREGROUND) + margin;

  // Its countdown and lateness.
  if (m_state.run != RemoteState::Run::STOPPED) {
    wxString countdown = m_state.remaining > 0 ? wxString::Format("%.1f", m_state.remaining) : wxString("-");
    top += DrawCentred(dc, countdown, top, width, height / 7, FOREGROUND);
    if (m_state.late >= LATE_SHOWN_SECONDS) {
      top += DrawCentred(dc, wxString::Format(wxGetTranslation(MSG_RUN_LATE), m_state.late), top, width, height / 16,
                         LATE_COLOUR);
    }
    top += margin;
  }

  // The next scene, as Next or the hold would go on (wrapping).
  const int count = static_cast<int>(m_state.scenes.size());
  if (m_state.scene > 0 && count > 0) {
    const int next = m_state.scene % count;
    top += DrawCentred(dc,
                       wxString::Format(_("Next: %d  %s"), next + 1, wxString::FromUTF8(m_state.scenes[next])),
                       top, width, height / 14, DIMMED) +
           margin;
  }

  if (!m_notice.empty()) {
    DrawCentred(dc, m_notice, top, width, height / 20, NOTICE_COLOUR);
  }

  // The boards' colours along the bottom, as many as fit.
  const int boards = static_cast<int>(m_state.boardColours.size());
  if (boards > 0) {
    const int stripHeight = height / 10;
    const int cell = std::max(4, std::min(stripHeight, (width - 2 * margin) / boards));
    const int shown = std::min(boards, (width - 2 * margin) / cell);
    const int left = (width - shown * cell) / 2;
    const int stripTop = height - margin - cell;
    dc.SetPen(wxPen(wxColour(64, 64, 64)));
    for (int i = 0; i < shown; ++i) {
      const uint32_t rgb = m_state.boardColours[i];
      dc.SetBrush(wxBrush(wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF)));
      dc.DrawRectangle(left + i * cell, stripTop, cell, cell);
    }
  }
}
