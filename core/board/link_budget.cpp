#include "core/board/link_budget.h"

#include <cmath>
#include <cstdio>

#include "core/board/timing_link.h"
#include "core/i18n/text_pattern.h"
#include "core/i18n/translatable.h"

int BaudOf(LinkSpeed speed) { return speed == LinkSpeed::HIGH ? HIGH_BAUD : STANDARD_BAUD; }

double LineSeconds(long bytes, int baud) { return bytes * TimingLink::BITS_PER_BYTE / baud; }

SceneBudget BudgetOfScene(const Scene& scene, LinkSpeed speed) {
  SceneBudget budget;
  for (const Row& row : scene.rows) {
    SentRange range;
    if (RowSent(row, &range)) {
      ++budget.rowsSent;
    }
  }
  budget.bytes = TRANSFER_BYTES + TRANSFER_ROW_BYTES * budget.rowsSent;
  budget.seconds = LineSeconds(budget.bytes, BaudOf(speed));
  budget.hold = scene.hold;
  return budget;
}

double OpeningSeconds(LinkSpeed speed) {
  TimingLink link;
  OpenBoardLink(link, BoardTarget{"", speed});
  return link.Seconds();
}

ScenarioBudget BudgetOfScenario(const Scenario& scenario, LinkSpeed speed) {
  ScenarioBudget budget;
  budget.speed = speed;
  budget.baud = BaudOf(speed);
  for (const Scene& scene : scenario.scenes) {
    budget.scenes.push_back(BudgetOfScene(scene, speed));
    budget.rowsSent += budget.scenes.back().rowsSent;
    budget.bytes += budget.scenes.back().bytes;
  }
  budget.seconds = LineSeconds(budget.bytes, budget.baud);
  budget.openingSeconds = OpeningSeconds(speed);
  // Program's own estimate, so that its progress and this agree.
  budget.programSeconds = ProgramSecondsLeft(BoardTarget{"", speed}, scenario).front();
  return budget;
}

std::string CountText(long count) {
  std::string digits = std::to_string(count < 0 ? -count : count);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<size_t>(at), ",");
  }
  return count < 0 ? "-" + digits : digits;
}

std::string SecondsText(double seconds) {
  char text[32];
  snprintf(text, sizeof text, "%.1f s", seconds);
  return text;
}

std::string DurationText(double seconds) {
  const long whole = std::lround(seconds);
  char text[48];
  if (whole >= 60) {
    snprintf(text, sizeof text, "%ld min %02ld s", whole / 60, whole % 60);
  } else {
    snprintf(text, sizeof text, "%ld s", whole);
  }
  return text;
}

bool SlowTransferFinding(const Scene& scene, int index, LinkSpeed speed, Finding* finding) {
  const SceneBudget budget = BudgetOfScene(scene, speed);
  if (!budget.OutlastsHold()) {
    return false;
  }
  // To a tenth, unless that reads as the hold itself: then to the next
  // hundredth, which is always above it.
  std::string transfer = SecondsText(budget.seconds);
  if (std::round(budget.seconds * 10) <= std::round(budget.hold.Seconds() * 10)) {
    char text[32];
    snprintf(text, sizeof text, "%.2f s", std::ceil(budget.seconds * 100) / 100);
    transfer = text;
  }
  finding->severity = Severity::WARNING;
  finding->scene = index;
  finding->row = -1;
  finding->input = -1;
  finding->kind = FindingKind::SLOW_TRANSFER;
  finding->rows.clear();
  finding->pattern = N_("its transfer takes {1} at {2} bit/s, longer than its hold of {3} s; a run falls behind here");
  finding->arguments = {transfer, std::to_string(BaudOf(speed)), budget.hold.FieldText()};
  finding->message = FillPattern(finding->pattern, finding->arguments);
  return true;
}

std::vector<Finding> CheckScenarioOnLine(const Scenario& scenario, LinkSpeed speed) {
  const std::vector<Finding> checked = CheckScenario(scenario);
  std::vector<Finding> findings;
  findings.reserve(checked.size() + scenario.scenes.size());
  size_t next = 0;
  const int scenes = static_cast<int>(scenario.scenes.size());
  for (int scene = 0; scene < scenes; ++scene) {
    // The scene's own findings, and those of the scenes before it.
    while (next < checked.size() && checked[next].input < 0 && checked[next].scene <= scene) {
      findings.push_back(checked[next++]);
    }
    Finding slow;
    if (SlowTransferFinding(scenario.scenes[scene], scene, speed, &slow)) {
      findings.push_back(std::move(slow));
    }
  }
  findings.insert(findings.end(), checked.begin() + static_cast<long>(next), checked.end());
  return findings;
}
