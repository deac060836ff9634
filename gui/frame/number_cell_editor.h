#pragma once
#include <wx/grid.h>

// The editor of the "From", "To" and "Blink" cells: a number editor that
// takes any text as typed. The toolkit's own number editor filters keys and
// drops text that is not an integer; here the checks after the edit warn
// about such text instead, and the text stays in the cell.
class NumberCellEditor : public wxGridCellNumberEditor {
 public:
  NumberCellEditor() : wxGridCellNumberEditor(-1, -1) {}

  void Create(wxWindow* parent, wxWindowID id, wxEvtHandler* evtHandler) override {
    wxGridCellTextEditor::Create(parent, id, evtHandler);
  }
  void SetSize(const wxRect& rect) override { wxGridCellTextEditor::SetSize(rect); }
  bool IsAcceptedKey(wxKeyEvent& event) override {
    return wxGridCellTextEditor::IsAcceptedKey(event);
  }
  void BeginEdit(int row, int col, wxGrid* grid) override {
    wxGridCellTextEditor::BeginEdit(row, col, grid);
  }
  bool EndEdit(int row, int col, const wxGrid* grid, const wxString& oldval,
               wxString* newval) override {
    return wxGridCellTextEditor::EndEdit(row, col, grid, oldval, newval);
  }
  void ApplyEdit(int row, int col, wxGrid* grid) override {
    wxGridCellTextEditor::ApplyEdit(row, col, grid);
  }
  void Reset() override { wxGridCellTextEditor::Reset(); }
  void StartingKey(wxKeyEvent& event) override { wxGridCellTextEditor::StartingKey(event); }
  wxString GetValue() const override { return wxGridCellTextEditor::GetValue(); }
  wxGridCellEditor* Clone() const override { return new NumberCellEditor; }
};
