#include "support/pause_recorder.h"

#include "core/board/pause.h"
#include "support/ftdi_sim.h"

std::vector<int>& RecordedPauses() {
  static std::vector<int> pauses;
  return pauses;
}

void PauseMilliseconds(int milliseconds) {
  RecordedPauses().push_back(milliseconds);
  FtdiSimRecordPause(milliseconds);
}
