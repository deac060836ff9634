// The preview of a full show: 64 scenes of 32 boards, each board a row of
// its own with a colour, most blinking, scenes fading in; a scene a second,
// so that a minute plays 60 of them. Drawn for 60 s at 10 frames a second.
// Counters: real_time_factor (seconds played per second of drawing, the
// goal is 20 or more) and gif_bytes (the goal is under 1 MB).
//   build/bin/preview_bench
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "core/preview/preview_render.h"

namespace {

constexpr int SCENES = 64;
constexpr int BOARDS = 32;
constexpr double SECONDS = 60;

Scenario PreviewScenario() {
  Scenario scenario;
  scenario.scenes.clear();
  for (int number = 1; number <= SCENES; ++number) {
    Scene scene;
    scene.name = "Scene number " + std::to_string(number);
    scene.fade = number % 11;
    scene.hold = 1.0;
    scene.rows.clear();
    for (int board = 1; board <= BOARDS; ++board) {
      Row row;
      row.from = std::to_string(board);
      row.colour = (number * 7 + board) % 216;
      row.blink = board % 15 ? std::to_string(board % 15) : "";
      scene.rows.push_back(row);
    }
    scene.rows.emplace_back();
    scenario.scenes.push_back(scene);
  }
  return scenario;
}

void BM_PreviewOfAMinute(benchmark::State& state) {
  const Scenario scenario = PreviewScenario();
  PreviewOptions options;
  options.seconds = SECONDS;
  size_t bytes = 0;
  double drawing = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const PreviewResult result = RenderPreview(scenario, options);
    drawing += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (result.error != 0) {
      state.SkipWithError("the preview failed");
      return;
    }
    bytes = result.gif.size();
    benchmark::DoNotOptimize(result.gif.data());
  }
  state.counters["gif_bytes"] = static_cast<double>(bytes);
  state.counters["real_time_factor"] = SECONDS * static_cast<double>(state.iterations()) / drawing;
}
BENCHMARK(BM_PreviewOfAMinute)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
