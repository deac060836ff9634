#pragma once
// The scene book: one notebook page per scene of the Document, each page's
// grid made when first needed and showing its scene through a table. Pages
// are keyed by scene id and follow the Document's change sets: a scene
// added, removed or moved adds, removes or moves its page; rows or values
// changed refresh only that page. It also keeps where the row commands and
// the colour dialog act: a scene id and a row.
#include <wx/wx.h>  // the toolkit's headers expect its core set first

#include <functional>
#include <vector>

#include "core/model/document.h"

class wxGrid;
class wxNotebook;
class wxPanel;

class SceneBook : public DocumentListener {
 public:
  // `makeGrid` is told of every grid made, to bind its events.
  SceneBook(wxWindow* parent, Document& document, std::function<void(wxGrid*)> gridMade);
  ~SceneBook() override;
  SceneBook(const SceneBook&) = delete;
  SceneBook& operator=(const SceneBook&) = delete;

  wxNotebook* Notebook() const { return m_notebook; }
  // The grid of a scene, made if its page has none yet; null for no scene.
  wxGrid* Grid(int scene);
  // The grid of a page that has one, else null.
  wxGrid* ExistingGrid(int scene) const;
  int SceneOfGrid(const wxGrid* grid) const;
  // The selected page, or -1.
  int Selection() const;
  // Shows a scene's page. With `userChange` false the frame's page handler
  // knows the change is none of the user's.
  void Select(int scene, bool userChange);
  // False while the book itself changes pages.
  bool PageEventsFromUser() const { return m_userPageEvents; }
  // Pages match the Document's scenes (not so while pages come or go).
  bool InStep() const;

  // Shows the Document's scene again: rows, widths, labels, name.
  void RefreshScene(int scene);
  // The widths the grids show now, into the Document.
  void CaptureColumnWidths();
  // Commits the text of an open cell editor and closes it.
  void CloseEditor(int scene);
  void CloseAllEditors();

  // Where the row commands act, and which cell the colour dialog colours.
  void SetContext(int scene, int row);
  int ContextScene() const { return m_document.IndexOfScene(m_contextScene); }
  int ContextRow() const { return m_contextRow; }
  void SetColourCell(int scene, int row);
  int ColourScene() const { return m_document.IndexOfScene(m_colourScene); }
  int ColourRow() const { return m_colourRow; }

  void DocumentChanged(const ChangeSet& changes) override;

 private:
  struct Page {
    SceneId id;
    wxPanel* panel;
    wxGrid* grid;
  };
  int PageOf(SceneId id) const;
  void InsertPage(int scene);
  void RemovePage(int page);
  void Rebuild();
  void PutPagesInOrder();
  void RenumberTables();
  void ShowSceneColumns(int scene);
  void ShowPlace(const EditPlace& place);

  Document& m_document;
  wxNotebook* m_notebook;
  std::function<void(wxGrid*)> m_gridMade;
  std::vector<Page> m_pages;  // in scene order once in step
  bool m_userPageEvents = true;
  SceneId m_contextScene = 0;
  int m_contextRow = -1;
  SceneId m_colourScene = 0;
  int m_colourRow = -1;
};
