#include "support/pause_recorder.h"

#include "core/serial/pause.h"
#include "support/ftdi_sim.h"

std::vector<int>& RecordedPauses() {
  static std::vector<int> pauses;
  return pauses;
}

void PauseMilliseconds(int milliseconds, const std::atomic<bool>*) {
  RecordedPauses().push_back(milliseconds);
  FtdiSimRecordPause(milliseconds);
}

