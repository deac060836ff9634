// Opening the Check scenario window on 64 scenes of 511 rows: the check
// itself, and the check with its window made, shown and painted. Needs a
// display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/check_window_bench
#include <benchmark/benchmark.h>

#include <glib.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/listctrl.h>

#include "bench/bench_scenario.h"
#include "bench/window_events.h"
#include "core/model/scenario_check.h"
#include "gui/dialogs/check_dlg.h"

namespace {

const int SCENES = 64;
const int ROWS = 511;

wxFrame* g_parent = nullptr;

void BM_CheckScenario(benchmark::State& state) {
  const Scenario scenario = BenchScenario(SCENES, ROWS);
  size_t lines = 0;
  for (auto _ : state) {
    lines = CheckScenario(scenario).size();
  }
  state.counters["lines"] = static_cast<double>(lines);
}

// From the command to the window on screen with its first lines painted.
void BM_OpenCheckWindow(benchmark::State& state) {
  const Scenario scenario = BenchScenario(SCENES, ROWS);
  int lines = 0;
  for (auto _ : state) {
    const std::vector<Finding> findings = CheckScenario(scenario);
    auto* dialog = new CheckDlg(g_parent, scenario, findings);
    dialog->Show();
    dialog->Update();
    HandleWaitingEvents();
    lines = dialog->List()->GetItemCount();
    state.PauseTiming();
    dialog->Destroy();
    HandleWaitingEvents();
    state.ResumeTiming();
  }
  state.counters["lines"] = lines;
}

BENCHMARK(BM_CheckScenario)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCheckWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  g_log_set_writer_func(DiscardLogMessage, nullptr, nullptr);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) {
    return 1;
  }
  wxGUIEventLoop loop;
  wxEventLoopBase::SetActive(&loop);
  g_parent = new wxFrame(nullptr, wxID_ANY, "Lumivane");
  g_parent->Show();
  HandleWaitingEvents();
  benchmark::RunSpecifiedBenchmarks();
  g_parent->Destroy();
  HandleWaitingEvents();
  wxEntryCleanup();
  return 0;
}
