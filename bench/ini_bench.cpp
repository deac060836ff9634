// Costs of the INI module on the files the program really uses: a settings
// file of a dozen keys, and a scenario of 64 scenes with 20 keys each, read
// one key at a time as the scenario reader does. Files go to a fresh
// directory under /tmp.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/format/ini.h"

namespace {

const char* const SETTINGS_KEYS[] = {"com", "baud", "autotransfer", "tip",
                                     "activedir", "copydir", "docdir", "startfile"};
const int SCENES = 64;
const int RANGES = 15;  // plus name, fade, hold, to-column and columns: 20 keys

class BenchDirectory {
public:
  BenchDirectory() {
    char pattern[] = "/tmp/lumivane-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
      std::abort();
    }
    m_path = pattern;
  }
  ~BenchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  std::string File(const char* name) const { return m_path + "/" + name; }

private:
  std::string m_path;
};

void WriteText(const std::string& path, const std::string& text) {
  FILE* file = fopen(path.c_str(), "w");
  if (file == nullptr || fwrite(text.data(), 1, text.size(), file) != text.size() || fclose(file) != 0) {
    std::abort();
  }
}

std::string SettingsText() {
  return "[Settings]\n"
         "com=/dev/ttyUSB0\n"
         "baud=1\n"
         "autotransfer=1\n"
         "tip=3\n"
         "activedir=/home/user/scenarios\n"
         "copydir=/home/user/backup\n"
         "docdir=/usr/share/doc/lumivane\n"
         "startfile=/home/user/scenarios/show.cfg\n"
         "\n"
         "[Window]\n"
         "x=120\n"
         "y=80\n"
         "width=1024\n"
         "height=768\n";
}

std::string ScenarioText() {
  std::string text = "# Lumivane scenario\n";
  char line[160];
  for (int scene = 1; scene <= SCENES; ++scene) {
    snprintf(line, sizeof line, "\n[Scene%d]\nname=Scene %d\nfade=%d\nhold=%.1f\nto-column=1\n"
             "columns=40 40 50 40 300\n", scene, scene, scene % 217, scene * 0.5);
    text += line;
    for (int range = 1; range <= RANGES; ++range) {
      snprintf(line, sizeof line, "range%d=%d:%d; %d; %d; board group %d\n", range, range * 4,
               range * 4 + 3, (scene * 7 + range) % 216, range % 15, range);
      text += line;
    }
  }
  text += "\n[Inputs]\ninput1=0\ninput2=-1\ninput3=-2\ninput4=-3\n";
  return text;
}

void BM_ReadSettings8Keys(benchmark::State& state) {
  BenchDirectory directory;
  const std::string path = directory.File("lumivane.ini");
  WriteText(path, SettingsText());
  char buffer[512];
  for (auto _ : state) {
    for (const char* key : SETTINGS_KEYS) {
      benchmark::DoNotOptimize(IniReadString("Settings", key, "", buffer, sizeof buffer, path.c_str()));
    }
  }
  state.SetItemsProcessed(state.iterations() * 8);
}
BENCHMARK(BM_ReadSettings8Keys);

// A value that changes every time: the whole file is copied, synced and renamed.
void BM_WriteSettingsKeyChanged(benchmark::State& state) {
  BenchDirectory directory;
  const std::string path = directory.File("lumivane.ini");
  WriteText(path, SettingsText());
  long tip = 0;
  for (auto _ : state) {
    if (IniWriteLong("Settings", "tip", ++tip, path.c_str()) != 1) {
      state.SkipWithError("write failed");
    }
  }
}
BENCHMARK(BM_WriteSettingsKeyChanged)->Unit(benchmark::kMicrosecond);

// The value already stored: one scan, the file is left alone.
void BM_WriteSettingsKeyUnchanged(benchmark::State& state) {
  BenchDirectory directory;
  const std::string path = directory.File("lumivane.ini");
  WriteText(path, SettingsText());
  for (auto _ : state) {
    benchmark::DoNotOptimize(IniWriteLong("Settings", "tip", 3, path.c_str()));
  }
}
BENCHMARK(BM_WriteSettingsKeyUnchanged);

void BM_ReadScenarioKeyByKey(benchmark::State& state) {
  BenchDirectory directory;
  const std::string path = directory.File("show.cfg");
  WriteText(path, ScenarioText());
  char section[32];
  char key[32];
  char buffer[512];
  for (auto _ : state) {
    for (int scene = 1; scene <= SCENES; ++scene) {
      snprintf(section, sizeof section, "Scene%d", scene);
      benchmark::DoNotOptimize(IniReadString(section, "name", "", buffer, sizeof buffer, path.c_str()));
      benchmark::DoNotOptimize(IniReadLong(section, "fade", 0, path.c_str()));
      benchmark::DoNotOptimize(IniReadString(section, "hold", "", buffer, sizeof buffer, path.c_str()));
      benchmark::DoNotOptimize(IniReadLong(section, "to-column", 1, path.c_str()));
      benchmark::DoNotOptimize(IniReadString(section, "columns", "", buffer, sizeof buffer, path.c_str()));
      for (int range = 1; range <= RANGES; ++range) {
        snprintf(key, sizeof key, "range%d", range);
        benchmark::DoNotOptimize(IniReadString(section, key, "", buffer, sizeof buffer, path.c_str()));
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * SCENES * (RANGES + 5));
  state.counters["file_bytes"] = static_cast<double>(ScenarioText().size());
}
BENCHMARK(BM_ReadScenarioKeyByKey)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
