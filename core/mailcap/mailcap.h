#pragma once
// A small reader for mailcap files (RFC 1524): finds the view command that
// the system names for a MIME type, such as the PDF viewer for the user
// guide. Paths and commands are UTF-8 byte strings.
#include <string>
#include <vector>

// One entry of a mailcap file.
struct MailcapEntry {
  std::string type;     // "application/pdf", "application/*", lower case
  std::string view;     // the view command, backslash quoting still in place
  std::string test;     // the test= command; empty = none
  bool needsTerminal = false;
  bool copiousOutput = false;
};

// Decides whether an entry's test command succeeds (exit status 0).
using MailcapTestRunner = bool (*)(const std::string& command);

// Reads the entries of the mailcap file at `path` into `entries`, in file
// order. Comments, blank lines and lines without a type and a command are
// skipped; a backslash at the end of a line continues the entry on the next.
// Returns false when the file cannot be read (entries is then empty).
bool mailcap_read(const std::string& path, std::vector<MailcapEntry>& entries);

// True when `entry` applies to `type`: the same type, or a wildcard
// ("application/*" or a bare "application") of its major type. Letter case
// does not count.
bool mailcap_matches(const MailcapEntry& entry, const std::string& type);

// The shell command for `command` (a view or test field) and the file:
// "%s" becomes the file path quoted for /bin/sh, whatever quotes the
// command puts around it; "%t" the type; "%%" a percent sign; "%{...}"
// nothing. A backslash takes the next character literally. A command
// without "%s" reads the file from standard input. Empty when the command
// leaves a quote open, since the path could not be put in safely.
std::string mailcap_expand(const std::string& command, const std::string& type,
                           const std::string& file);

// The shell command that views `file` of `type` according to the mailcap
// file at `path`: the first matching entry, exact types before wildcards,
// that needs no terminal, is not a text rendering (copiousoutput) and whose
// test passes `runTest` (a null `runTest` lets every test pass). Test
// commands get the same substitutions. Empty when the file cannot be read
// or has no such entry.
std::string mailcap_view_command(const std::string& path, const std::string& type,
                                 const std::string& file, MailcapTestRunner runTest);

// Runs a test command through /bin/sh and reports whether it exited with 0.
bool mailcap_run_test(const std::string& command);
