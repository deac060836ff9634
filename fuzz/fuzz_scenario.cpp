// Scenario text, read and written back: any text reads as a scenario that
// the writer saves losslessly, in lines the reader takes whole.
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <string>

#include "check.h"
#include "core/format/scenario_format.h"
#include "core/format/scenario_text.h"
#include "core/model/scenario.h"

namespace {

void CheckRanges(const Scenario& scenario) {
  FUZZ_CHECK(!scenario.scenes.empty());
  FUZZ_CHECK(scenario.scenes.size() <= static_cast<size_t>(MAX_SCENES));
  for (const Scene& scene : scenario.scenes) {
    FUZZ_CHECK(!scene.rows.empty());
    for (const Row& row : scene.rows) {
      FUZZ_CHECK(row.colour == NO_COLOUR || row.colour == FRESH_BLACK ||
                 (row.colour >= 0 && row.colour < COLOUR_COUNT));
    }
    for (int width : scene.columnWidths) {
      FUZZ_CHECK(width >= 0 && width <= SCENARIO_MAX_COLUMN_WIDTH);
    }
  }
}

void CheckLines(const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    FUZZ_CHECK(end - start <= SCENARIO_MAX_LINE);
    FUZZ_CHECK(text[end - 1] == '\n');
    start = end;
  }
}

// A name or description that grew past what one line holds (Latin-1 read
// as UTF-8 takes up to twice the bytes) is cut by the writer, between
// characters: the text read again is then a beginning of it.
void AcceptCut(std::string* text, const std::string& reread) {
  if (text->size() > SCENARIO_MAX_LINE - 64 && reread.size() < text->size() &&
      text->compare(0, reread.size(), reread) == 0) {
    *text = reread;
  }
}

void AcceptCuts(Scenario* read, const Scenario& reread) {
  if (read->scenes.size() != reread.scenes.size()) return;
  for (size_t i = 0; i < read->scenes.size(); ++i) {
    Scene& scene = read->scenes[i];
    AcceptCut(&scene.name, reread.scenes[i].name);
    if (scene.rows.size() != reread.scenes[i].rows.size()) continue;
    for (size_t r = 0; r < scene.rows.size(); ++r) {
      AcceptCut(&scene.rows[r].description, reread.scenes[i].rows[r].description);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Scenario read = ParseScenarioText(text);
  CheckRanges(read);
  const std::string written = WriteScenarioText(read);
  CheckLines(written);
  const Scenario reread = ParseScenarioText(written);
  AcceptCuts(&read, reread);
  if (reread != read) {
    std::fprintf(stderr, "written:\n%s\nwritten again:\n%s\n", written.c_str(),
                 WriteScenarioText(reread).c_str());
  }
  FUZZ_CHECK(reread == read);
  FUZZ_CHECK(WriteScenarioText(reread) == written);
  return 0;
}
