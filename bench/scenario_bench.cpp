// Loading and saving full-size scenarios in the real main window: 1, 16 and
// 64 scenes of 511 rows each (64 x 511 is about 1.4 MB). The window is on
// screen; an open counts until the window has handled every event the load
// raised, painted and gone idle. Needs a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/scenario_bench
// Runs in a temporary HOME under /tmp, so the user's settings stay untouched.
#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include <glib.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/grid.h>
#include <wx/init.h>

#include "bench/window_events.h"
#include "gui/app/lumivane_app.h"
#include "gui/frame/lumivane_frame.h"

namespace {

const int ROWS = 511;

std::string g_directory;

void WriteText(const std::string& path, const std::string& text) {
  FILE* file = fopen(path.c_str(), "w");
  if (file == nullptr || fwrite(text.data(), 1, text.size(), file) != text.size() || fclose(file) != 0) {
    std::abort();
  }
}

// A scenario as the writer lays it out, with a short description per row.
std::string ScenarioText(int scenes) {
  std::string text = "# Lumivane scenario\n";
  char line[160];
  for (int scene = 1; scene <= scenes; ++scene) {
    snprintf(line, sizeof line,
             "\n[Scene%d]\nname=Scene number %d\nfade=%d\nhold=%.1f\nto-column=1\n"
             "columns=40 40 50 40 300\n",
             scene, scene, scene % 217, scene * 0.5);
    text += line;
    for (int row = 1; row <= ROWS; ++row) {
      snprintf(line, sizeof line, "range%d=%d:%d; %d; %d; truss %d, spot %d\n", row, row * 4,
               row * 4 + 3, (scene * 7 + row) % 216, row % 15, scene, row);
      text += line;
    }
  }
  text += "\n[Inputs]\ninput1=0\ninput2=-1\ninput3=-2\ninput4=-3\n\n[Palette]\ncolour1=255 0 0\n";
  return text;
}

// The file of a given size, made once.
std::string ScenarioFile(int scenes) {
  static std::map<int, std::string> s_files;
  auto found = s_files.find(scenes);
  if (found == s_files.end()) {
    const std::string path = g_directory + "/scenes" + std::to_string(scenes) + ".cfg";
    WriteText(path, ScenarioText(scenes));
    found = s_files.emplace(scenes, path).first;
  }
  return found->second;
}

LumivaneFrame* Frame() { return static_cast<LumivaneApp*>(wxTheApp)->Frame(); }

void SetScenarioPath(const std::string& path) { Frame()->GetDocument().SetPath(path); }

// Until the window is idle: events handled, what they changed painted (Update
// waits for the display server and paints at once), and what painting
// raised handled too.
void Settle() {
  HandleWaitingEvents();
  Frame()->Update();
  HandleWaitingEvents();
}

bool LoadedWhole(int scenes) {
  return Frame()->SceneCount() == scenes && Frame()->Grid(scenes - 1)->GetNumberRows() == ROWS + 1;
}

// Reads the open scenario file; false (with the benchmark marked) on failure.
bool Read(benchmark::State& state) {
  if (Frame()->ReadScenario()) {
    Settle();
    return true;
  }
  state.SkipWithError("ReadScenario failed");
  return false;
}

// Marks the benchmark when the last load did not bring every row.
void CheckLoadedWhole(benchmark::State& state, int scenes) {
  if (!LoadedWhole(scenes)) {
    state.SkipWithError("the scenario did not load whole");
  }
  state.counters["rows"] = scenes * ROWS;
}

// Opening a scenario in a window that shows one empty scene, as at start.
void BM_OpenScenario(benchmark::State& state) {
  const int scenes = static_cast<int>(state.range(0));
  const std::string empty = g_directory + "/empty.cfg";
  WriteText(empty, "# Lumivane scenario\n");
  for (auto _ : state) {
    state.PauseTiming();
    SetScenarioPath(empty);
    Frame()->ReadScenario();
    Settle();
    SetScenarioPath(ScenarioFile(scenes));
    state.ResumeTiming();
    if (!Read(state)) {
      return;
    }
  }
  CheckLoadedWhole(state, scenes);
}

// Loading it again over itself, as the file watch does: the old scenes'
// pages are destroyed first.
void BM_ReloadScenario(benchmark::State& state) {
  const int scenes = static_cast<int>(state.range(0));
  SetScenarioPath(ScenarioFile(scenes));
  for (auto _ : state) {
    if (!Read(state)) {
      return;
    }
  }
  CheckLoadedWhole(state, scenes);
}

void BM_SaveScenario(benchmark::State& state) {
  const int scenes = static_cast<int>(state.range(0));
  SetScenarioPath(ScenarioFile(scenes));
  if (!Read(state)) {
    return;
  }
  // Every scene's grid made, as after the user has looked at each page.
  for (int scene = 0; scene < scenes; ++scene) {
    Frame()->Grid(scene);
  }
  Settle();
  SetScenarioPath(g_directory + "/saved" + std::to_string(scenes) + ".cfg");
  for (auto _ : state) {
    if (!Frame()->WriteScenario(wxString::FromUTF8(Frame()->GetDocument().Path()))) {
      state.SkipWithError("WriteScenario failed");
      return;
    }
  }
  struct stat status;
  if (stat(Frame()->GetDocument().Path().c_str(), &status) == 0) {
    state.counters["bytes"] = static_cast<double>(status.st_size);
  }
}

BENCHMARK(BM_OpenScenario)->Arg(1)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReloadScenario)->Arg(1)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveScenario)->Arg(1)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }

  char pattern[] = "/tmp/lumivane-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    return 1;
  }
  g_directory = pattern;
  setenv("HOME", pattern, 1);
  mkdir((g_directory + "/.lumivane").c_str(), 0777);
  // No tip dialog and no transfers to boards.
  WriteText(g_directory + "/.lumivane/lumivane.ini", "[Settings]\ntip=-1\nautorun=0\n");

  g_log_set_writer_func(DiscardLogMessage, nullptr, nullptr);
  wxApp::SetInstance(new LumivaneApp);
  if (!wxEntryStart(argc, argv)) {
    return 1;
  }
  wxTheApp->SetAppName("lumivane");
  wxTheApp->SetExitOnFrameDelete(false);
  // The benchmarks handle the window's events themselves, through this loop.
  wxGUIEventLoop loop;
  wxEventLoopBase::SetActive(&loop);
  wxArrayString commandLine;
  commandLine.Add("lumivane");
  static_cast<LumivaneApp*>(wxTheApp)->StartUp(commandLine);
  Settle();

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  Frame()->Destroy();
  wxTheApp->ProcessIdle();
  wxEventLoopBase::SetActive(nullptr);
  wxEntryCleanup();
  std::error_code ignored;
  std::filesystem::remove_all(g_directory, ignored);
  return 0;
}
