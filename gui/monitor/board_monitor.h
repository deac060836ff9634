#pragma once
// The board monitor: a window that shows what the boards on the line hold,
// one numbered tile per board, with a status line (speed, bytes received,
// the last reset, the ROM) and four buttons that press the virtual
// adapter's inputs. It shows the virtual boards, or, with a real port
// chosen, what went out there, decoded by the mirror of its link
// (core/board/board_lines.h).
//
// It never hears of single bytes: a timer takes in the chain's state and
// repaints, so a run costs nothing more while it is open.
#include <wx/wx.h>  // the toolkit's headers expect its core set first
#include <wx/frame.h>
#include <wx/scrolwin.h>
#include <wx/timer.h>

#include "core/board/board_frame_renderer.h"

#include "gui/monitor/rom_record_line.h"

class BoardLines;
class VirtualChain;

constexpr int MONITOR_FRAME_MS = 50;  // the repaint timer

// The tiles: the boards the core's frame renderer shows (board 1 up to the
// highest board given a colour or blink, at least 8), wrapped to the width,
// scrolled when needed. Their colours, blink and fade are the renderer's.
class BoardTiles : public wxScrolledCanvas {
 public:
  explicit BoardTiles(wxWindow* parent);

  // Takes in the chain as it is at `nowMs` (monotonic): a board whose colour
  // changed starts blending over its fade. Returns whether a repaint is due.
  bool Update(const VirtualChain& chain, long long nowMs);
  // Draws the tiles that meet `area` (unscrolled coordinates) as at `nowMs`.
  void Draw(wxDC& dc, const wxRect& area, long long nowMs) const;

  long TileCount() const { return m_renderer.BoardCount(); }
  // Board `number`'s colour field, in unscrolled coordinates.
  wxRect FieldRect(long number) const;
  // What board `number`'s field shows at `nowMs`; unset for a board never
  // given a colour or blink.
  wxColour ShownColour(long number, long long nowMs) const;
  // The board whose tile holds `point` (unscrolled coordinates), or 0.
  long TileAt(const wxPoint& point) const;
  // The tooltip of board `number`'s tile: its number and colour.
  wxString TileTip(long number) const;

 private:
  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnMouseMove(wxMouseEvent& event);
  void Relayout();

  BoardFrameRenderer m_renderer;
  int m_columns = 1;
};

class BoardMonitor : public wxFrame {
 public:
  // The one monitor of `lines`, made beside `parent` (and destroyed with
  // it) when there is none; shown and raised. `lines` outlives it.
  static BoardMonitor* Open(wxWindow* parent, BoardLines& lines);
  // The monitor when one is open, else null.
  static BoardMonitor* Instance();
  ~BoardMonitor() override;

  BoardTiles* Tiles() const { return m_tiles; }
  wxString StatusText() const;
  wxButton* InputButton(int input) const { return m_inputs[input - 1]; }
  // Takes in the chain now and repaints what changed; the timer calls it.
  void Poll();

 private:
  BoardMonitor(wxWindow* parent, BoardLines& lines);
  void OnTimer(wxTimerEvent& event);
  wxString MakeStatus() const;

  BoardLines& m_lines;
  BoardTiles* m_tiles;
  wxStaticText* m_status;
  wxButton* m_inputs[4];
  wxTimer m_timer;
  // The program's record of what the boards hold, after the ROM line.
  mutable RomRecordLine m_romRecord;
};
