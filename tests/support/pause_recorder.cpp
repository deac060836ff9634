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

namespace {

thread_local const std::atomic<bool>* t_interrupt = nullptr;

}  // namespace

void SetPauseInterrupt(const std::atomic<bool>* interrupt) { t_interrupt = interrupt; }

const std::atomic<bool>* PauseInterrupt() { return t_interrupt; }
