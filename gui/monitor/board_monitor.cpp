#include "gui/monitor/board_monitor.h"

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <chrono>

#include "core/board/virtual_chain.h"
#include "core/model/scenario.h"
#include "core/board/board_lines.h"
#include "core/i18n/decimal_text.h"
#include "gui/app/app_language.h"
#include "gui/app/texts.h"
#include "gui/frame/colour_tips.h"
#include "gui/monitor/monitor_placement.h"
#include "gui/app/rom_record_directory.h"

namespace {

// A tile: its colour field with the board's number under it.
constexpr int TILE_WIDTH = 48;
constexpr int TILE_HEIGHT = 52;
constexpr int FIELD_INSET = 4;
constexpr int FIELD_WIDTH = 40;
constexpr int FIELD_HEIGHT = 30;
constexpr int LABEL_TOP = FIELD_INSET + FIELD_HEIGHT + 2;
constexpr int MARGIN = 4;
constexpr int SCROLL_STEP = 10;
constexpr int MONITOR_GAP = 12;  // between the main window and the monitor
constexpr int MONITOR_MIN_WIDTH = 240;  // narrower only when the screen has no room

BoardMonitor* s_instance = nullptr;

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

// ---- The tiles ----------------------------------------------------------------

BoardTiles::BoardTiles(wxWindow* parent)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL | wxFULL_REPAINT_ON_RESIZE) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetScrollRate(0, SCROLL_STEP);
  Bind(wxEVT_PAINT, &BoardTiles::OnPaint, this);
  Bind(wxEVT_SIZE, &BoardTiles::OnSize, this);
  Bind(wxEVT_MOTION, &BoardTiles::OnMouseMove, this);
}

long BoardTiles::TileAt(const wxPoint& point) const {
  if (point.x < MARGIN || point.y < MARGIN) {
    return 0;
  }
  const long column = (point.x - MARGIN) / TILE_WIDTH;
  const long row = (point.y - MARGIN) / TILE_HEIGHT;
  const long number = row * m_columns + column + 1;
  return column < m_columns && number <= TileCount() ? number : 0;
}

wxString BoardTiles::TileTip(long number) const {
  if (number < 1 || number > TileCount()) {
    return wxString();
  }
  const int colour = m_renderer.ColourNumber(number);
  return BoardTileTip(number, colour >= 0, colour);
}

void BoardTiles::OnMouseMove(wxMouseEvent& event) {
  event.Skip();
  const wxString tip = TileTip(TileAt(CalcUnscrolledPosition(event.GetPosition())));
  if (tip.empty()) {
    UnsetToolTip();
  } else if (GetToolTipText() != tip) {
    SetToolTip(tip);
  }
}

bool BoardTiles::Update(const VirtualChain& chain, long long nowMs) {
  const long before = m_renderer.BoardCount();
  const bool changed = m_renderer.Update(chain, nowMs);
  if (m_renderer.BoardCount() != before) {
    Relayout();
  }
  return changed || m_renderer.Blinking() || nowMs <= m_renderer.FadesEnd() + MONITOR_FRAME_MS;
}

wxColour BoardTiles::ShownColour(long number, long long nowMs) const {
  const ShownBoard shown = m_renderer.Shown(number, nowMs);
  return shown.given ? wxColour(shown.colour.red, shown.colour.green, shown.colour.blue) : wxNullColour;
}

wxRect BoardTiles::FieldRect(long number) const {
  const long index = number - 1;
  return wxRect(MARGIN + static_cast<int>(index % m_columns) * TILE_WIDTH + FIELD_INSET,
                MARGIN + static_cast<int>(index / m_columns) * TILE_HEIGHT + FIELD_INSET, FIELD_WIDTH,
                FIELD_HEIGHT);
}

void BoardTiles::Draw(wxDC& dc, const wxRect& area, long long nowMs) const {
  dc.SetBackground(wxBrush(GetBackgroundColour()));
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(GetBackgroundColour()));
  dc.DrawRectangle(area);
  dc.SetFont(GetFont().Smaller());
  const long firstRow = std::max(0, area.GetTop() - MARGIN) / TILE_HEIGHT;
  const long lastRow = std::max(0, area.GetBottom() - MARGIN) / TILE_HEIGHT;
  const wxColour text = GetForegroundColour();
  const wxColour unset(160, 160, 160);
  for (long number = firstRow * m_columns + 1; number <= std::min(TileCount(), (lastRow + 1) * m_columns);
       ++number) {
    const wxRect field = FieldRect(number);
    const wxColour shown = ShownColour(number, nowMs);
    if (shown.IsOk()) {
      dc.SetPen(wxPen(wxColour(64, 64, 64)));
      dc.SetBrush(wxBrush(shown));
    } else {
      dc.SetPen(wxPen(unset, 1, wxPENSTYLE_SHORT_DASH));
      dc.SetBrush(*wxTRANSPARENT_BRUSH);
    }
    dc.DrawRectangle(field);
    dc.SetTextForeground(shown.IsOk() ? text : unset);
    const wxString label = wxString::Format("%ld", number);
    const wxSize size = dc.GetTextExtent(label);
    dc.DrawText(label, field.x + (field.width - size.x) / 2, field.y - FIELD_INSET + LABEL_TOP);
  }
}

void BoardTiles::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  DoPrepareDC(dc);
  wxRect box = GetUpdateRegion().GetBox();
  box.SetPosition(CalcUnscrolledPosition(box.GetPosition()));
  Draw(dc, box, NowMs());
}

void BoardTiles::OnSize(wxSizeEvent& event) {
  Relayout();
  event.Skip();
}

void BoardTiles::Relayout() {
  const int width = GetClientSize().x - 2 * MARGIN;
  m_columns = std::max(1, width / TILE_WIDTH);
  const long rows = (TileCount() + m_columns - 1) / m_columns;
  SetVirtualSize(m_columns * TILE_WIDTH + 2 * MARGIN, static_cast<int>(rows * TILE_HEIGHT + 2 * MARGIN));
  Refresh(false);
}

// ---- The window ---------------------------------------------------------------

BoardMonitor* BoardMonitor::Open(wxWindow* parent, BoardLines& lines) {
  if (s_instance == nullptr) {
    s_instance = new BoardMonitor(parent, lines);
  }
  s_instance->Show();
  s_instance->Raise();
  s_instance->Poll();
  return s_instance;
}

BoardMonitor* BoardMonitor::Instance() { return s_instance; }

BoardMonitor::BoardMonitor(wxWindow* parent, BoardLines& lines)
    : wxFrame(parent, wxID_ANY, _(MONITOR_TITLE), wxDefaultPosition, wxSize(500, 360)), m_lines(lines), m_romRecord(RomRecordDirectory()) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  m_tiles = new BoardTiles(this);
  sizer->Add(m_tiles, 1, wxEXPAND);
  // Two lines from the start, so that the window keeps its layout.
  m_status = new wxStaticText(this, wxID_ANY, "\n", wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE);
  sizer->Add(m_status, 0, wxEXPAND | wxALL, 4);
  auto* inputs = new wxBoxSizer(wxHORIZONTAL);
  inputs->Add(new wxStaticText(this, wxID_ANY, _(MONITOR_INPUTS)), 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
  for (int input = 1; input <= INPUT_COUNT; ++input) {
    m_inputs[input - 1] = new wxButton(this, wxID_ANY, wxString::Format(_(MONITOR_INPUT), input));
    m_inputs[input - 1]->Bind(wxEVT_BUTTON, [this, input](wxCommandEvent&) { m_lines.PressInput(input); });
    inputs->Add(m_inputs[input - 1], 0, wxALL, 2);
  }
  sizer->Add(inputs, 0, wxBOTTOM, 2);
  SetSizer(sizer);

  // Beside the main window, never over it.
  if (parent != nullptr) {
    const wxRect main = parent->GetScreenRect();
    const wxRect screen = wxDisplay(wxDisplay::GetFromWindow(parent) == wxNOT_FOUND
                                        ? 0u
                                        : static_cast<unsigned>(wxDisplay::GetFromWindow(parent)))
                              .GetClientArea();
    const MonitorPlacement place = PlaceMonitor(main, GetSize(), screen, MONITOR_GAP, MONITOR_MIN_WIDTH);
    if (place.mainWindow != main.GetPosition()) {
      parent->Move(place.mainWindow);
    }
    if (place.mainWidth != main.width) {
      parent->SetSize(place.mainWidth, main.height);
    }
    SetSize(place.monitor);
  }
  m_timer.SetOwner(this);
  Bind(wxEVT_TIMER, &BoardMonitor::OnTimer, this);
  m_timer.Start(MONITOR_FRAME_MS);
}

BoardMonitor::~BoardMonitor() {
  m_timer.Stop();
  if (s_instance == this) {
    s_instance = nullptr;
  }
}

void BoardMonitor::OnTimer(wxTimerEvent&) { Poll(); }

void BoardMonitor::Poll() {
  // The board link's thread writes the chain meanwhile.
  const auto lock = m_lines.Lock();
  const MonitoredLine line = m_lines.Line();
  if (m_tiles->Update(*line.chain, NowMs())) {
    m_tiles->Refresh(false);
  }
  const wxString status = MakeStatus();
  if (status != m_status->GetLabel()) {
    m_status->SetLabel(status);
  }
  const bool pressable = line.isVirtual;
  for (wxButton* button : m_inputs) {
    if (button->IsEnabled() != pressable) {
      button->Enable(pressable);
    }
  }
  for (int input = 1; input <= INPUT_COUNT; ++input) {
    const wxString tip = pressable ? wxString::Format(_(MONITOR_INPUT_TIP), input) : wxString(_(MONITOR_INPUT_REAL_TIP));
    if (m_inputs[input - 1]->GetToolTipText() != tip) {
      m_inputs[input - 1]->SetToolTip(tip);
    }
  }
}

wxString BoardMonitor::StatusText() const { return m_status->GetLabel(); }

wxString BoardMonitor::MakeStatus() const {
  const MonitoredLine line = m_lines.Line();
  const VirtualChain& chain = *line.chain;
  wxString text;
  if (line.port.empty()) {
    text = _(MONITOR_NOT_OPENED);
  } else {
    text = line.isVirtual ? wxString(VIRTUAL_PORT_NAME)
                          : wxString::Format(_(MONITOR_MIRROR), wxString::FromUTF8(line.port));
    text += " | " + wxString::Format(_(MONITOR_SPEED), line.baud);
    if (chain.SpeedCode() == 2) {
      text += _(MONITOR_SPEED_HIGH);
    } else if (chain.SpeedCode() >= 0) {
      text += wxString::Format(_(MONITOR_SPEED_CODE), chain.SpeedCode());
    }
  }
  text += " | " + wxString::Format(_(MONITOR_BYTES), chain.BytesReceived());
  text += " | ";
  if (chain.Resets() == 0) {
    text += _(MONITOR_NO_RESET);
  } else {
    text += wxString::Format(_(MONITOR_LAST_RESET),
                             wxDateTime(static_cast<time_t>(chain.LastReset())).FormatISOTime());
  }
  text += "\n";
  if (chain.Rom().empty()) {
    text += _(MONITOR_ROM_EMPTY);
  } else {
    text += _(MONITOR_ROM);
    bool first = true;
    for (const auto& [number, scene] : chain.Rom()) {
      text += first ? "" : ", ";
      text += wxString::Format(_(MONITOR_ROM_SCENE), number, wxString::FromUTF8(WithDecimalSeparator(HoldText(scene.hold / 2.0), DecimalSeparator())));
      first = false;
    }
  }
  text += " | " + m_romRecord.TextFor(line.isVirtual ? std::string(VIRTUAL_PORT_NAME) : line.port);
  return text;
}
