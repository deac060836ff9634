#pragma once
#include <memory>
#include <string>
#include <vector>

// One cell's value: its scene, row and column, and its text (for the
// "Colour" column the colour index as decimal text).
struct UndoRecord {
  int scene = 0;
  int row = 0;
  int column = 0;
  std::string text;
};

// The history of cell edits: the previous value of each edited cell, most
// recent last. There is no redo.
class UndoHistory {
 public:
  // An edit of a cell begins; `record` holds its current value.
  void BeginEdit(const UndoRecord& record);
  // The edit ends with the new value. Records the previous value and returns
  // true when it is the cell whose edit began and its text changed.
  bool CommitEdit(const UndoRecord& record);
  // The most recent record; only valid when !IsEmpty().
  UndoRecord Pop();
  bool IsEmpty() const { return m_top == 0; }
  // Forgets every record; the pending edit stays.
  void Clear();

 private:
  std::vector<std::unique_ptr<UndoRecord>> m_records;
  int m_top = 0;
  UndoRecord m_pending;
};
