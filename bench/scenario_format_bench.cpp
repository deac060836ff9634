// Parsing and writing the text of a full-size scenario, 64 scenes of 511
// rows (about 1.5 MB), without a window. Run: build/bin/scenario_format_bench
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_scenario.h"
#include "core/format/scenario_file.h"
#include "core/format/scenario_text.h"

namespace {

const int ROWS = 511;

Scenario FullScenario() { return BenchScenario(MAX_SCENES, ROWS); }

const Scenario& TheScenario() {
  static const Scenario s_scenario = FullScenario();
  return s_scenario;
}

const std::string& TheText() {
  static const std::string s_text = WriteScenarioText(TheScenario());
  return s_text;
}

void BM_ParseScenarioText(benchmark::State& state) {
  const std::string& text = TheText();
  for (auto _ : state) {
    Scenario scenario = ParseScenarioText(text);
    benchmark::DoNotOptimize(scenario);
  }
  if (ParseScenarioText(text) != TheScenario()) {
    state.SkipWithError("the scenario did not read back whole");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_WriteScenarioText(benchmark::State& state) {
  const Scenario& scenario = TheScenario();
  for (auto _ : state) {
    std::string text = WriteScenarioText(scenario);
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TheText().size()));
}

// The file from the page cache, as a reload after a save reads it.
void BM_ReadScenarioFile(benchmark::State& state) {
  char path[] = "/tmp/lumivane-bench-XXXXXX";
  const int fd = mkstemp(path);
  const std::string& text = TheText();
  if (fd < 0 || write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    state.SkipWithError("cannot write the scenario file");
    return;
  }
  close(fd);
  for (auto _ : state) {
    Scenario scenario;
    if (ReadScenarioFile(path, &scenario, nullptr) != 0) {
      state.SkipWithError("ReadScenarioFile failed");
      break;
    }
    benchmark::DoNotOptimize(scenario);
  }
  unlink(path);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK(BM_ParseScenarioText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteScenarioText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadScenarioFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
