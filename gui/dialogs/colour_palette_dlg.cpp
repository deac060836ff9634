#include "gui/dialogs/colour_palette_dlg.h"

#include <algorithm>
#include <functional>

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include "core/model/colour_numbers.h"
#include "gui/app/texts.h"

namespace {

constexpr int CELL = 20;         // a swatch with its border, in pixels
constexpr int SQUARE_GAP = 8;    // between the six squares
constexpr int CUSTOM_GAP = 12;   // above the row of custom colours
constexpr int LEVELS = 6;
constexpr int SQUARES_ACROSS = 3;
constexpr int CUBE_COLUMNS = SQUARES_ACROSS * LEVELS;                       // 18
constexpr int CUBE_ROWS = (LEVELS / SQUARES_ACROSS) * LEVELS;               // 12
constexpr int CUSTOM_ROW = CUBE_ROWS;                                       // the row beneath
constexpr int CUBE_WIDTH = CUBE_COLUMNS * CELL + (SQUARES_ACROSS - 1) * SQUARE_GAP;
constexpr int CUBE_HEIGHT = CUBE_ROWS * CELL + SQUARE_GAP;

int LevelOf(int colour, int channel) {  // channel 0 red, 1 green, 2 blue
  const int divisor[3] = {LEVELS * LEVELS, LEVELS, 1};
  return colour / divisor[channel] % LEVELS;
}

// Where a cube colour sits: its square by red, then green down and blue across.
wxPoint CubeCell(int colour) {
  const int red = LevelOf(colour, 0);
  return wxPoint(red % SQUARES_ACROSS * LEVELS + LevelOf(colour, 2),
                 red / SQUARES_ACROSS * LEVELS + LevelOf(colour, 1));
}

int CubeColourAt(wxPoint cell) {
  const int red = cell.y / LEVELS * SQUARES_ACROSS + cell.x / LEVELS;
  return red * LEVELS * LEVELS + cell.y % LEVELS * LEVELS + cell.x % LEVELS;
}

wxRect CellRect(wxPoint cell) {
  if (cell.y == CUSTOM_ROW) {
    return wxRect(cell.x * CELL, CUBE_HEIGHT + CUSTOM_GAP, CELL, CELL);
  }
  return wxRect(cell.x * CELL + cell.x / LEVELS * SQUARE_GAP, cell.y * CELL + cell.y / LEVELS * SQUARE_GAP,
                CELL, CELL);
}

wxColour CubeColour(int colour) {
  const Rgb rgb = IndexToColour(colour);
  return wxColour(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

// The swatches: draws them, marks the current colour and the keys' place,
// and answers clicks.
class PaletteSwatches : public wxWindow {
 public:
  PaletteSwatches(wxWindow* parent, int current, const std::array<wxColour, PALETTE_CUSTOM_SLOTS>& custom)
      : wxWindow(parent, wxID_ANY, wxDefaultPosition,
                 wxSize(CUBE_WIDTH, CUBE_HEIGHT + CUSTOM_GAP + CELL), wxWANTS_CHARS),
        m_current(current), m_custom(custom),
        m_focus(current >= 0 && current < COLOUR_COUNT ? CubeCell(current) : wxPoint(0, 0)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(GetSize());
    Bind(wxEVT_PAINT, &PaletteSwatches::OnPaint, this);
    Bind(wxEVT_MOTION, &PaletteSwatches::OnMotion, this);
    Bind(wxEVT_LEFT_DOWN, &PaletteSwatches::OnLeftDown, this);
  }

  // The colour number of a cell, or -1 for an unset custom slot or none.
  int ColourAt(wxPoint cell) const {
    if (cell.y == CUSTOM_ROW) {
      if (cell.x < 0 || cell.x >= PALETTE_CUSTOM_SLOTS || !m_custom[cell.x].IsOk()) {
        return -1;
      }
      const wxColour& c = m_custom[cell.x];
      return ColourToIndex(c.Red(), c.Green(), c.Blue());
    }
    return cell.x >= 0 && cell.x < CUBE_COLUMNS && cell.y >= 0 && cell.y < CUBE_ROWS ? CubeColourAt(cell) : -1;
  }

  int Focused() const { return ColourAt(m_focus); }

  void MoveFocus(int dx, int dy) {
    wxPoint next(m_focus.x + dx, std::min(std::max(m_focus.y + dy, 0), CUSTOM_ROW));
    const int columns = next.y == CUSTOM_ROW ? PALETTE_CUSTOM_SLOTS : CUBE_COLUMNS;
    next.x = std::min(std::max(next.x, 0), columns - 1);
    m_focus = next;
    Refresh(false);
  }

  // Set when a click chose a colour.
  std::function<void(int)> onChosen;

 private:
  // The cell under a point, or (-1, -1).
  static wxPoint CellAt(wxPoint point) {
    for (int row = 0; row <= CUSTOM_ROW; ++row) {
      const int columns = row == CUSTOM_ROW ? PALETTE_CUSTOM_SLOTS : CUBE_COLUMNS;
      for (int col = 0; col < columns; ++col) {
        if (CellRect(wxPoint(col, row)).Contains(point)) {
          return wxPoint(col, row);
        }
      }
    }
    return wxPoint(-1, -1);
  }

  wxString ToolTipAt(wxPoint cell) const {
    if (cell.y == CUSTOM_ROW) {
      const int colour = ColourAt(cell);
      return colour < 0 ? wxString::Format(_(PALETTE_CUSTOM_UNSET_TIP), cell.x + 1)
                        : wxString::Format(_(PALETTE_CUSTOM_TIP), cell.x + 1) + ColourPaletteDlg::CubeToolTip(colour);
    }
    return ColourPaletteDlg::CubeToolTip(ColourAt(cell));
  }

  void OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    for (int row = 0; row <= CUSTOM_ROW; ++row) {
      const int columns = row == CUSTOM_ROW ? PALETTE_CUSTOM_SLOTS : CUBE_COLUMNS;
      for (int col = 0; col < columns; ++col) {
        const wxPoint cell(col, row);
        const int colour = ColourAt(cell);
        const wxRect swatch = CellRect(cell).Deflate(2);
        // A thin border, so that white is told from an empty slot.
        dc.SetPen(wxPen(wxColour(128, 128, 128)));
        dc.SetBrush(colour < 0 ? *wxTRANSPARENT_BRUSH : wxBrush(CubeColour(colour)));
        dc.DrawRectangle(swatch);
      }
    }
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    if (m_current >= 0 && m_current < COLOUR_COUNT) {
      // The current colour: black and white, seen on any colour.
      const wxRect mark = CellRect(CubeCell(m_current));
      dc.SetPen(wxPen(*wxBLACK, 1));
      dc.DrawRectangle(mark);
      dc.SetPen(wxPen(*wxWHITE, 1));
      dc.DrawRectangle(wxRect(mark).Deflate(1));
    }
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), 2, wxPENSTYLE_SOLID));
    dc.DrawRectangle(CellRect(m_focus).Inflate(1));
  }

  void OnMotion(wxMouseEvent& event) {
    const wxPoint cell = CellAt(event.GetPosition());
    if (cell != m_tipCell) {
      m_tipCell = cell;
      if (cell.x < 0) {
        UnsetToolTip();
      } else {
        SetToolTip(ToolTipAt(cell));
      }
    }
    event.Skip();
  }

  void OnLeftDown(wxMouseEvent& event) {
    SetFocus();
    const int colour = ColourAt(CellAt(event.GetPosition()));
    if (colour >= 0 && onChosen) {
      onChosen(colour);
    }
  }

  int m_current;
  std::array<wxColour, PALETTE_CUSTOM_SLOTS> m_custom;
  wxPoint m_focus;
  wxPoint m_tipCell{-1, -1};
};

ColourPaletteDlgBase::ColourPaletteDlgBase(wxWindow* parent, int current,
                                           const std::array<wxColour, PALETTE_CUSTOM_SLOTS>& custom)
    : wxDialog(parent, wxID_ANY, _(PALETTE_TITLE)) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  m_swatches = new PaletteSwatches(this, current, custom);
  sizer->Add(m_swatches, 0, wxALL, 10);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  m_moreButton = new wxButton(this, ColourPaletteDlg::ID_MORE_COLOURS, _(PALETTE_MORE_COLOURS));
  m_cancelButton = new wxButton(this, wxID_CANCEL);
  buttons->Add(m_moreButton, 0, wxRIGHT, 8);
  buttons->AddStretchSpacer();
  buttons->Add(m_cancelButton, 0);
  sizer->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
  SetSizerAndFit(sizer);
}

ColourPaletteDlg::ColourPaletteDlg(wxWindow* parent, int current,
                                   const std::array<wxColour, PALETTE_CUSTOM_SLOTS>& custom)
    : ColourPaletteDlgBase(parent, current, custom), m_chosen(-1) {
  m_swatches->onChosen = [this](int colour) {
    m_chosen = colour;
    EndModal(wxID_OK);
  };
  m_moreButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(ID_MORE_COLOURS); });
  Bind(wxEVT_CHAR_HOOK, &ColourPaletteDlg::OnCharHook, this);
  m_swatches->SetFocus();
}

int ColourPaletteDlg::Focused() const { return m_swatches->Focused(); }

int ColourPaletteDlg::PressKey(int keyCode) {
  switch (keyCode) {
    case WXK_LEFT: m_swatches->MoveFocus(-1, 0); return 0;
    case WXK_RIGHT: m_swatches->MoveFocus(1, 0); return 0;
    case WXK_UP: m_swatches->MoveFocus(0, -1); return 0;
    case WXK_DOWN: m_swatches->MoveFocus(0, 1); return 0;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
      if (Focused() < 0) {
        return 0;  // an empty custom slot
      }
      m_chosen = Focused();
      return wxID_OK;
    case WXK_ESCAPE: return wxID_CANCEL;
    default: return 0;
  }
}

void ColourPaletteDlg::OnCharHook(wxKeyEvent& event) {
  // The buttons keep Enter and the arrows once they have the focus.
  const int key = event.GetKeyCode();
  if (event.GetModifiers() != wxMOD_NONE || (key != WXK_ESCAPE && FindFocus() != m_swatches)) {
    event.Skip();
    return;
  }
  const bool handled = key == WXK_LEFT || key == WXK_RIGHT || key == WXK_UP || key == WXK_DOWN ||
                       key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_ESCAPE;
  if (!handled) {
    event.Skip();
    return;
  }
  if (const int answer = PressKey(key)) {
    EndModal(answer);
  }
}

wxString ColourPaletteDlg::CubeToolTip(int colour) {
  return wxString::Format(_(PALETTE_CUBE_TIP), colour, LevelOf(colour, 0), LevelOf(colour, 1), LevelOf(colour, 2));
}
