#include "core/model/undo_history.h"


void UndoHistory::BeginEdit(const UndoRecord& record) { m_pending = record; }

bool UndoHistory::CommitEdit(const UndoRecord& record) {
  if (record.scene != m_pending.scene || record.row != m_pending.row ||
      record.column != m_pending.column) {
    return false;  // not the edit that began
  }
  if (record.text == m_pending.text) {
    return false;
  }
  m_records.resize(m_top);  // an undone tail is abandoned
  m_records.push_back(std::make_unique<UndoRecord>(m_pending));
  ++m_top;
  m_pending = record;
  return true;
}

UndoRecord UndoHistory::Pop() {
  --m_top;
  return *m_records[m_top];
}

void UndoHistory::Clear() {
  m_records.clear();
  m_top = 0;
}
