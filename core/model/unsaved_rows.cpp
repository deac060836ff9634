#include "core/model/unsaved_rows.h"

int RowsLeftOutOfFile(const Scenario& scenario) {
  int left = 0;
  for (const Scene& scene : scenario.scenes) {
    for (const Row& row : scene.rows) {
      WrittenRange range;
      if (RowPrinted(row) && !RowWritten(row, &range)) {
        ++left;
      }
    }
  }
  return left;
}
