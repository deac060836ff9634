#pragma once
// Undo and Redo of the main window: every change of the scenario is a step
// of the Document's history. The menu items and tools follow the history,
// with the step's name in the menu.
#include "core/model/change_set.h"

class wxMenu;
class Document;
class LumivaneFrame;

class UndoCommands : public DocumentListener {
 public:
  // Binds the commands of `frame`; it and `document` outlive this.
  UndoCommands(LumivaneFrame& frame, Document& document);
  ~UndoCommands() override;
  UndoCommands(const UndoCommands&) = delete;
  UndoCommands& operator=(const UndoCommands&) = delete;

  void DocumentChanged(const ChangeSet& changes) override;
  // The menu that holds Undo.
  wxMenu* EditMenu() const;

 private:
  void StepHistory(bool back);

  LumivaneFrame& m_frame;
  Document& m_document;
};
