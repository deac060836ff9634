// The mailcap reader and command builder on random mailcap files and random
// paths: however the entry quotes "%s", bash and dash read the path as literal
// text in the place where the command puts it, and nothing of the path
// changes how it reads the rest of the command.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "check.h"
#include "core/mailcap/mailcap.h"
#include "sh_words.h"

namespace {

// A path of one character that the random mailcap text never holds.
constexpr char MARKER = '\x01';
const char* const TYPE = "application/pdf";

const std::string& MailcapPath() {
  static const std::string path = [] {
    // Named after the process, so that scripts/fuzz.sh can remove it; in
    // memory where there is a memory file system, so that other work on
    // the disk does not hold every run up.
    const std::string name = "lumivane-fuzz-mailcap-" + std::to_string(getpid());
    return (access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "/tmp/") + name;
  }();
  return path;
}

// The items the command with the marker for its path should give once the
// path is put in: every marker, which must be quoted text, becomes the
// path's characters, quoted.
std::vector<ShItem> WithPath(const std::vector<ShItem>& items, const std::string& path) {
  std::vector<ShItem> out;
  for (const ShItem& item : items) {
    if (item.c != MARKER) {
      out.push_back(item);
      continue;
    }
    FUZZ_CHECK(item.kind == ShItem::QUOTED);
    for (char c : path) {
      out.push_back(ShItem{ShItem::QUOTED, c});
    }
  }
  return out;
}

std::string Visible(const std::string& text) {
  std::string out;
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte >= 127) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

void CheckCommand(const std::string& withPath, const std::string& withMarker, const std::string& path) {
  FUZZ_CHECK(withPath.empty() == withMarker.empty());
  if (withMarker.empty()) {
    return;
  }
  const std::string literal = path[0] == '-' ? "./" + path : path;
  for (const Shell shell : {Shell::BASH, Shell::DASH}) {
    const std::vector<ShItem> expected = WithPath(ShellItems(withMarker, shell), literal);
    const std::vector<ShItem> got = ShellItems(withPath, shell);
    if (got != expected) {
      std::fprintf(stderr, "%s command: %s\nexpected: %s\ngot:      %s\n",
                   shell == Shell::BASH ? "bash" : "dash", Visible(withPath).c_str(),
                   Visible(DescribeItems(expected)).c_str(), Visible(DescribeItems(got)).c_str());
    }
    FUZZ_CHECK(got == expected);
  }
}

std::vector<std::string> g_tests;

bool NoteTest(const std::string& command) {
  g_tests.push_back(command);
  return false;  // so that every entry's test is built
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::string path = input.ConsumeRandomLengthString(200);
  std::string text = input.ConsumeRemainingBytesAsString();
  path.erase(std::remove(path.begin(), path.end(), '\0'), path.end());
  path.erase(std::remove(path.begin(), path.end(), MARKER), path.end());
  std::replace(text.begin(), text.end(), MARKER, '\x02');
  if (path.empty()) {
    path = "/g.pdf";
  }
  {
    std::ofstream out(MailcapPath(), std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  const std::string marker(1, MARKER);

  std::vector<MailcapEntry> entries;
  FUZZ_CHECK(mailcap_read(MailcapPath(), entries));
  for (const MailcapEntry& entry : entries) {
    FUZZ_CHECK(!entry.type.empty() && !entry.view.empty());
    CheckCommand(mailcap_expand(entry.view, TYPE, path), mailcap_expand(entry.view, TYPE, marker), path);
  }

  g_tests.clear();
  const std::string view = mailcap_view_command(MailcapPath(), TYPE, path, NoteTest);
  const std::vector<std::string> tests = g_tests;
  g_tests.clear();
  const std::string viewMarker = mailcap_view_command(MailcapPath(), TYPE, marker, NoteTest);
  FUZZ_CHECK(tests.size() == g_tests.size());
  for (size_t i = 0; i < tests.size(); ++i) {
    CheckCommand(tests[i], g_tests[i], path);
  }
  CheckCommand(view, viewMarker, path);
  return 0;
}
