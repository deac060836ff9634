#include "core/model/scenario_check.h"

#include <algorithm>
#include <cctype>

#include "core/i18n/text_pattern.h"
#include "core/i18n/translatable.h"

namespace {

// File lines hold at most this many bytes with their newline (the INI
// reader's piece); the writer cuts a description to fit.
constexpr size_t MAX_FILE_LINE = 511;
constexpr int MAX_WRITTEN_ROWS = 512;

std::string Lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

// The board numbers a range reaches on the wire: each value goes out as a
// low byte (bits 0..6) and a high byte without its lowest bit.
long WireValue(long value) { return (value & 0x7F) + 128 * ((value >> 7) & 0x7E); }

// What a finding says: an English pattern and what fills its places.
struct Message {
  const char* pattern = nullptr;
  std::vector<std::string> arguments;
  bool empty() const { return pattern == nullptr; }
};

void Add(std::vector<Finding>& findings, Severity severity, int scene, int row, Message message) {
  Finding finding;
  finding.severity = severity;
  finding.scene = scene;
  finding.row = row;
  finding.pattern = message.pattern;
  finding.arguments = std::move(message.arguments);
  finding.message = FillPattern(finding.pattern, finding.arguments);
  findings.push_back(std::move(finding));
}

std::string Number(long number) { return std::to_string(number); }

// A row the file has no place for: the next save drops it.
void AddNotSaved(std::vector<Finding>& findings, int scene, int row) {
  Add(findings, Severity::WARNING, scene, row,
      Message{N_("row {1} has no board number and is not saved"), {Number(row + 1)}});
}

// Boards that go out elsewhere on the wire, each range one board or more.
Message WireMessage(long from, long to, long wireFrom, long wireTo) {
  const char* const patterns[2][2] = {
      {N_("board {1} go out as board {3} on the wire"), N_("board {1} go out as boards {3} to {4} on the wire")},
      {N_("boards {1} to {2} go out as board {3} on the wire"),
       N_("boards {1} to {2} go out as boards {3} to {4} on the wire")}};
  return Message{patterns[from != to][wireFrom != wireTo], {Number(from), Number(to), Number(wireFrom), Number(wireTo)}};
}

Message OverlapMessage(int earlierRow, int row, long first, long last) {
  return Message{first == last ? N_("rows {1} and {2} both drive board {3}; row {2} wins")
                               : N_("rows {1} and {2} both drive boards {3} to {4}; row {2} wins"),
                 {Number(earlierRow + 1), Number(row + 1), Number(first), Number(last)}};
}

// Ranges of rows or boards, first to last.
using Span = std::pair<long, long>;

// Sorted, with overlapping and adjacent ranges joined.
std::vector<Span> Joined(std::vector<Span> spans) {
  std::sort(spans.begin(), spans.end());
  std::vector<Span> joined;
  for (const Span& span : spans) {
    if (!joined.empty() && span.first <= joined.back().second + 1) {
      joined.back().second = std::max(joined.back().second, span.second);
    } else {
      joined.push_back(span);
    }
  }
  return joined;
}

// "3-9, 12"; `offset` is added to every value.
std::string SpansText(const std::vector<Span>& spans, long offset = 0) {
  std::string text;
  for (const Span& span : spans) {
    text += text.empty() ? "" : ", ";
    text += std::to_string(span.first + offset);
    if (span.second != span.first) {
      text += "-" + std::to_string(span.second + offset);
    }
  }
  return text;
}

bool OneValue(const std::vector<Span>& spans) { return spans.size() == 1 && spans[0].first == spans[0].second; }

// Findings of one kind in one scene, gathered row by row into the finding
// added for the first of them. A group of one keeps that finding's words.
struct FindingGroup {
  int index = -1;  // of the finding in the list
  int count = 0;
  std::vector<Span> rows;
  std::vector<Span> earlierRows;
  std::vector<Span> boards;
  std::vector<Span> wireBoards;

  void Join(std::vector<Finding>& findings, FindingKind kind, int scene, int row, Message single) {
    if (index < 0) {
      Add(findings, Severity::WARNING, scene, row, std::move(single));
      findings.back().kind = kind;
      index = static_cast<int>(findings.size()) - 1;
    }
    ++count;
    rows.emplace_back(row, row);
  }

  // The message for several findings, and the rows they are about.
  void Finish(std::vector<Finding>& findings) {
    if (count < 2) {
      return;
    }
    Finding& finding = findings[index];
    const std::vector<Span> joinedRows = Joined(rows);
    if (finding.kind == FindingKind::ALIASED_BOARDS) {
      const std::vector<Span> from = Joined(boards);
      const std::vector<Span> wire = Joined(wireBoards);
      const char* const patterns[2][2] = {
          {N_("boards {1} go out as boards {2} on the wire"), N_("boards {1} go out as board {2} on the wire")},
          {N_("board {1} go out as boards {2} on the wire"), N_("board {1} go out as board {2} on the wire")}};
      finding.pattern = patterns[OneValue(from)][OneValue(wire)];
      finding.arguments = {SpansText(from), SpansText(wire)};
    } else {
      // The place names the later rows.
      const std::vector<Span> driven = Joined(boards);
      const std::vector<Span> earlier = Joined(earlierRows);
      const char* const patterns[2][2] = {
          {N_("boards {1} are driven by rows {2} first; the later row wins"),
           N_("boards {1} are driven by row {2} first; the later row wins")},
          {N_("board {1} is driven by rows {2} first; the later row wins"),
           N_("board {1} is driven by row {2} first; the later row wins")}};
      finding.pattern = patterns[OneValue(driven)][OneValue(earlier)];
      finding.arguments = {SpansText(driven), SpansText(earlier, 1)};
    }
    finding.message = FillPattern(finding.pattern, finding.arguments);
    if (!OneValue(joinedRows)) {
      for (const Span& span : joinedRows) {
        finding.rows.emplace_back(static_cast<int>(span.first), static_cast<int>(span.second));
      }
    }
  }
};

// Why a row with content never goes out, or empty when it does.
Message NeverSent(const Row& row) {
  if (StripBlanks(row.from).empty()) {
    return Message{N_("no From: the row is never sent"), {}};
  }
  long from = 0;
  if (!ParseWholeNumber(StripBlanks(row.from), &from)) {
    return Message{LeadingNumber(row.from) == 0 ? N_("From \"{1}\" is not a number: the row is never sent")
                                                : N_("From \"{1}\" is not a number: only its leading number is sent"),
                   {row.from}};
  }
  if (from == 0) {
    return Message{N_("From 0 is never sent"), {}};
  }
  long to = from;
  if (!StripBlanks(row.to).empty() && !ParseWholeNumber(StripBlanks(row.to), &to)) {
    return Message{N_("To \"{1}\" is not a number"), {row.to}};
  }
  if (to < from) {
    return Message{N_("To {1} is below From {2}: the row is never sent"), {Number(to), Number(from)}};
  }
  return Message{};
}

// Bytes of a description that a save keeps in the range line of `range`,
// written as line number `number`.
size_t DescriptionRoom(const WrittenRange& range, long number) {
  const std::string prefix = "range" + std::to_string(number) + "=" + std::to_string(range.from) + ":" +
                             std::to_string(range.to) + "; " + std::to_string(range.colour) + "; " +
                             std::to_string(range.blink) + "; ";
  const size_t used = prefix.size() + 1;  // and the newline
  return used < MAX_FILE_LINE ? MAX_FILE_LINE - used : 0;
}

void CheckScene(const Scenario& scenario, int index, std::vector<Finding>& findings) {
  const Scene& scene = scenario.scenes[index];
  struct Sent {
    int row;
    long first;
    long last;
  };
  std::vector<Sent> sent;
  long written = 0;
  FindingGroup aliased;
  FindingGroup overlapping;
  for (size_t i = 0; i < scene.rows.size(); ++i) {
    const Row& row = scene.rows[i];
    const int r = static_cast<int>(i);
    if (!RowPrinted(row)) {
      continue;  // an empty row
    }
    const Message never = NeverSent(row);
    WrittenRange file;
    const bool saved = RowWritten(row, &file);
    SentRange range;
    if (!RowSent(row, &range)) {
      Add(findings, Severity::ERROR, index, r, never.empty() ? Message{N_("the row is never sent"), {}} : never);
      if (!saved) {
        AddNotSaved(findings, index, r);
      }
      continue;
    }
    if (!never.empty()) {
      Add(findings, Severity::WARNING, index, r, never);
    }
    const long start = range.from - 1;
    const long count = range.to - range.from + 1;
    const long wireFrom = WireValue(start) + 1;
    const long wireTo = wireFrom + WireValue(count) - 1;
    if (wireFrom != range.from || wireTo != range.to) {
      aliased.Join(findings, FindingKind::ALIASED_BOARDS, index, r, WireMessage(range.from, range.to, wireFrom, wireTo));
      aliased.boards.emplace_back(range.from, range.to);
      aliased.wireBoards.emplace_back(wireFrom, wireTo);
    }
    for (const Sent& earlier : sent) {
      const long first = std::max(earlier.first, wireFrom);
      const long last = std::min(earlier.last, wireTo);
      if (first <= last) {
        overlapping.Join(findings, FindingKind::OVERLAPPING_ROWS, index, r, OverlapMessage(earlier.row, r, first, last));
        overlapping.earlierRows.emplace_back(earlier.row, earlier.row);
        overlapping.boards.emplace_back(first, last);
      }
    }
    sent.push_back(Sent{r, wireFrom, wireTo});

    if (!saved) {
      AddNotSaved(findings, index, r);
    } else if (r < MAX_WRITTEN_ROWS) {
      ++written;
      const size_t room = DescriptionRoom(file, written);
      if (row.description.size() > room) {
        Add(findings, Severity::WARNING, index, r,
            Message{N_("the description is {1} bytes; a save keeps {2}"),
                    {Number(static_cast<long>(row.description.size())), Number(static_cast<long>(room))}});
      }
    }
  }
  aliased.Finish(findings);
  overlapping.Finish(findings);
  if (sent.empty()) {
    Add(findings, Severity::WARNING, index, -1, Message{N_("the scene sends no row"), {}});
  }
  for (int other = 0; other < index; ++other) {
    if (Lower(scenario.scenes[other].name) == Lower(scene.name)) {
      Add(findings, Severity::WARNING, index, -1, Message{N_("scene {1} has the same name"), {Number(other + 1)}});
      break;
    }
  }
}

}  // namespace

std::vector<Finding> CheckScenario(const Scenario& scenario) {
  std::vector<Finding> findings;
  const int scenes = static_cast<int>(scenario.scenes.size());
  const bool run = std::any_of(scenario.scenes.begin(), scenario.scenes.end(),
                               [](const Scene& scene) { return !scene.hold.HoldsForever(); });
  for (int scene = 0; scene < scenes; ++scene) {
    CheckScene(scenario, scene, findings);
    if (run && scenario.scenes[scene].hold.HoldsForever()) {
      Add(findings, Severity::WARNING, scene, -1,
          Message{N_("hold 0: a run stays on this scene until an input moves on"), {}});
      findings.back().kind = FindingKind::HOLD_IN_RUN;
    }
  }
  for (int input = 0; input < INPUT_COUNT; ++input) {
    const int code = scenario.inputs[input];
    // A code left at its default was never chosen for this scenario, and
    // fewer scenes than inputs are common: only a note.
    if (code >= scenes) {
      Add(findings, code == input ? Severity::NOTE : Severity::ERROR, -1, -1,
          Message{N_("jumps to scene {1}, which does not exist"), {Number(code + 1)}});
      findings.back().input = input;
    }
  }
  return findings;
}

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::ERROR: return N_("error");
    case Severity::WARNING: return N_("warning");
    default: return N_("note");
  }
}

std::string FindingPlace(const Scenario& scenario, const Finding& finding) {
  if (finding.input >= 0) {
    return "input " + std::to_string(finding.input + 1);
  }
  if (finding.scene < 0 || finding.scene >= static_cast<int>(scenario.scenes.size())) {
    return "scenario";
  }
  std::string place = "scene " + std::to_string(finding.scene + 1) + " \"" +
                      scenario.scenes[finding.scene].name + "\"";
  if (finding.row >= 0) {
    place += (finding.rows.empty() ? ", row " : ", rows ") + FindingRows(finding);
  }
  return place;
}

std::string FindingRows(const Finding& finding) {
  if (finding.row < 0) {
    return std::string();
  }
  if (finding.rows.empty()) {
    return std::to_string(finding.row + 1);
  }
  return SpansText(std::vector<Span>(finding.rows.begin(), finding.rows.end()), 1);
}
