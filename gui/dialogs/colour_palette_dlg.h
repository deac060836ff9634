#pragma once
// The colour palette: exactly the colours the boards can show, the 6 x 6 x 6
// cube laid out as six 6 x 6 squares (one per red level; green down, blue
// across), with the scenario's custom colours in a row beneath. A click or
// Enter chooses, Escape cancels, arrow keys move; "More colours..." ends
// the dialog with ID_MORE_COLOURS so that the caller can offer the
// toolkit's colour dialog instead.
#include <array>

#include <wx/colour.h>
#include <wx/dialog.h>

class wxButton;
class PaletteSwatches;

constexpr int PALETTE_CUSTOM_SLOTS = 16;

// The layout: the swatches (showing `current` and `custom`, as below) and
// the two buttons.
class ColourPaletteDlgBase : public wxDialog {
 public:
  ColourPaletteDlgBase(wxWindow* parent, int current, const std::array<wxColour, PALETTE_CUSTOM_SLOTS>& custom);

 protected:
  PaletteSwatches* m_swatches;
  wxButton* m_moreButton;
  wxButton* m_cancelButton;
};

class ColourPaletteDlg : public ColourPaletteDlgBase {
 public:
  // ShowModal's answer when the user asks for the toolkit's colour dialog.
  static constexpr int ID_MORE_COLOURS = wxID_MORE;

  // `current` is the colour number shown now (marked, and where the keys
  // start), or -1 for none; `custom` the scenario's custom colours, with
  // unset slots as colours that are not IsOk().
  ColourPaletteDlg(wxWindow* parent, int current,
                   const std::array<wxColour, PALETTE_CUSTOM_SLOTS>& custom);

  // The colour number chosen once the dialog answered wxID_OK.
  int Chosen() const { return m_chosen; }
  // The colour number the keys stand on, or -1 on an unset custom slot.
  int Focused() const;

  // What a key does: arrows move, Enter chooses the colour the keys stand
  // on, Escape cancels. Returns the dialog's answer (wxID_OK, wxID_CANCEL)
  // when the key ends it, else 0. The key handler and tests call it.
  int PressKey(int keyCode);

  // A swatch's tool tip: its number and levels.
  static wxString CubeToolTip(int colour);

 private:
  void OnCharHook(wxKeyEvent& event);

  int m_chosen;
};
