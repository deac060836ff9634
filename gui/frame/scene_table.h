#pragma once
// The grid's view of one scene of the Document: cell texts, labels and
// attributes come from the scenario, so a grid holds no data of its own and
// a 511-row scene costs nothing until it is drawn.
#include <wx/grid.h>

#include <array>

class Document;

class SceneTable : public wxGridTableBase {
 public:
  SceneTable(Document* document, int scene);
  ~SceneTable() override;

  // The scene this table shows; scenes move when others are deleted.
  int Scene() const { return m_scene; }
  // Gives a row a colour (0..215, NO_COLOUR or FRESH_BLACK) as the colour
  // dialog would; for tests that fill grids directly.
  void SetRowColour(int row, int colour);
  void SetScene(int scene) { m_scene = scene; }

  int GetNumberRows() override;
  int GetNumberCols() override;
  wxString GetValue(int row, int col) override;
  void SetValue(int row, int col, const wxString& value) override;
  bool IsEmptyCell(int row, int col) override;
  void Clear() override;
  bool InsertRows(size_t pos, size_t numRows) override;
  bool AppendRows(size_t numRows) override;
  bool DeleteRows(size_t pos, size_t numRows) override;
  wxString GetColLabelValue(int col) override;
  // Attributes are the scene's: nothing may be stored per cell.
  bool CanHaveAttributes() override { return false; }
  wxGridCellAttr* GetAttr(int row, int col, wxGridCellAttr::wxAttrKind kind) override;

 private:
  wxGridCellAttr* ColourAttr(int colour);

  Document* m_document;
  int m_scene;
  wxGridCellAttr* m_numberAttr;
  wxGridCellAttr* m_unsetColourAttr;
  wxGridCellAttr* m_freshBlackAttr;
  std::array<wxGridCellAttr*, 216> m_colourAttrs{};
};
