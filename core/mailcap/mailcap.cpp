// Mailcap reader: entries, matching and the shell command for a file.
#include "core/mailcap/mailcap.h"

#include <sys/wait.h>

#include <cctype>
#include <cstring>
#include <cstdlib>
#include <fstream>

static std::string Lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

static std::string Trim(const std::string& text) {
  const char* blanks = " \t\r\n\f\v";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) {
    return std::string();
  }
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Splits an entry at the semicolons that no backslash quotes; the
// backslashes stay in the fields for the expansion to handle.
static std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      field += line[i];
      field += line[++i];
    } else if (line[i] == ';') {
      fields.push_back(Trim(field));
      field.clear();
    } else {
      field += line[i];
    }
  }
  fields.push_back(Trim(field));
  return fields;
}

// A line ends in a continuation when it ends in an odd run of backslashes.
static bool EndsInContinuation(const std::string& line) {
  size_t count = 0;
  for (size_t i = line.size(); i > 0 && line[i - 1] == '\\'; --i) {
    ++count;
  }
  return count % 2 == 1;
}

static bool ValidType(const std::string& type) {
  if (type.empty()) {
    return false;
  }
  for (char c : type) {
    if (std::isspace(static_cast<unsigned char>(c)) || c == '\\' || c == '"' || c == '\'') {
      return false;
    }
  }
  return true;
}

static void AddEntry(const std::string& line, std::vector<MailcapEntry>& entries) {
  const std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] == '#') {
    return;
  }
  const std::vector<std::string> fields = SplitFields(trimmed);
  if (fields.size() < 2 || !ValidType(fields[0]) || fields[1].empty()) {
    return;
  }
  MailcapEntry entry;
  entry.type = Lower(fields[0]);
  entry.view = fields[1];
  for (size_t i = 2; i < fields.size(); ++i) {
    const size_t equals = fields[i].find('=');
    const std::string key = Lower(Trim(fields[i].substr(0, equals)));
    if (equals == std::string::npos) {
      if (key == "needsterminal") entry.needsTerminal = true;
      if (key == "copiousoutput") entry.copiousOutput = true;
    } else if (key == "test") {
      entry.test = Trim(fields[i].substr(equals + 1));
    }
  }
  entries.push_back(entry);
}

bool mailcap_read(const std::string& path, std::vector<MailcapEntry>& entries) {
  entries.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return false;
  }
  std::string line;
  std::string pending;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (EndsInContinuation(line)) {
      line.pop_back();
      pending += line;
      continue;
    }
    AddEntry(pending + line, entries);
    pending.clear();
  }
  AddEntry(pending, entries);
  return true;
}

bool mailcap_matches(const MailcapEntry& entry, const std::string& type) {
  const std::string wanted = Lower(type);
  if (entry.type == wanted) {
    return true;
  }
  const std::string major = wanted.substr(0, wanted.find('/'));
  return entry.type == major || entry.type == major + "/*";
}

namespace {

// DOLLAR_SINGLE: $'...', where bash and newer shells take backslash escapes.
enum class Quote { NONE, SINGLE, DOUBLE, DOLLAR_SINGLE };

// The shell's reading of the command built so far: inside which quotes
// the next character lands, and whether it lands where quoted text would
// not stay literal: after a backslash or a "$", in a comment, in $'...',
// or inside a substitution ($(...), ${...}, $[...] or backquotes), whose
// text the shell reads again with quoting rules of its own.
struct ShellState {
  // One level of nesting: the top level, or a substitution that ends at
  // `close`.
  struct Frame {
    Quote quote = Quote::NONE;
    char close = 0;
    int parens = 0;  // "(" open inside $(...)
    bool inDouble = false;  // a ${...} opened inside double quotes
    bool fresh = true;      // nothing read inside it yet
    bool arithmetic = false;       // $((...)), which dash ends only at "))"
    bool parenJustClosed = false;  // the last character closed its last "("
    int caseLetters = 0;           // how much of a word "case" was read
  };
  std::vector<Frame> frames = std::vector<Frame>(1);
  bool escaped = false;
  bool afterDollar = false;  // a "$" that the next character would follow
  bool inName = false;       // a parameter name after "$" that goes on
  bool comment = false;      // "#" at the start of a word, up to the newline
  bool wordStart = true;
  // Quoting that shells read in different ways: the command is not used.
  bool unclear = false;
  bool openParenAtWordStart = false;  // the last character: a "(" operator

  Quote quote() const { return frames.back().quote; }

  void Feed(char c) {
    Frame& current = frames.back();
    const bool firstInFrame = current.fresh;
    const bool afterInnerClose = current.parenJustClosed;
    current.fresh = false;
    current.parenJustClosed = false;
    // dash ends $((...)) only at "))" and reads a lone ")" before it as a
    // character: after "((a)" anything but ")" leaves its count and ours
    // apart.
    unclear = unclear || (current.arithmetic && afterInnerClose && c != ')');
    const bool wasWordStart = wordStart;
    const bool wasOpenParenAtWordStart = openParenAtWordStart;
    openParenAtWordStart = false;
    const bool wasAfterDollar = afterDollar;
    const bool wasInName = inName;
    afterDollar = false;
    inName = false;
    wordStart = false;
    if (comment) {
      comment = c != '\n';
      wordStart = !comment;
      return;
    }
    if (escaped) {
      escaped = false;
      return;
    }
    Frame& frame = frames.back();
    if (frame.close == '`') {
      // Backquotes end at the first backquote no backslash quotes.
      if (c == '\\') escaped = true;
      else if (c == '`') frames.pop_back();
      return;
    }
    if (wasAfterDollar && (frame.quote == Quote::NONE || frame.quote == Quote::DOUBLE) &&
        c != '\0' && std::strchr("$@*#?-!0123456789", c) != nullptr) {
      return;  // a special parameter such as $$ or $1: complete, nothing opens
    }
    if (frame.quote == Quote::NONE || frame.quote == Quote::DOUBLE) {
      const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
      inName = (wasAfterDollar && letter) || (wasInName && (letter || (c >= '0' && c <= '9')));
    }
    if (frame.close == ')' && frame.quote == Quote::NONE) {
      // A case pattern's ")" inside $(...) is no closing parenthesis; the
      // shell parses the commands, parentheses are all we count.
      static const char CASE[] = "case";
      if (frame.caseLetters == 4) {
        unclear = unclear || c == ' ' || c == '\t' || c == '\n';
        frame.caseLetters = 0;
      } else {
        const bool goesOn = (wasWordStart || frame.caseLetters > 0) && c == CASE[frame.caseLetters];
        frame.caseLetters = goesOn ? frame.caseLetters + 1 : 0;
      }
    }
    switch (frame.quote) {
      case Quote::NONE:
        // In "${x:-'}'}" bash pairs the single quotes, while dash takes
        // them as plain characters and ends the ${ at the first "}".
        if (c == '\'' && frame.inDouble) unclear = true;
        // dash counts the parentheses of $((...)) through quotes, which
        // are plain characters there: in $(("(")) the "))" ends nothing.
        if ((c == '\'' || c == '"') && frame.arithmetic) unclear = true;
        if (c == '#' && wasWordStart) {
          comment = true;
        } else if (c == '\\') {
          escaped = true;
        } else if (c == '\'' && wasAfterDollar) {
          // Debian's /bin/sh (dash) has no $'...': there a backslash before
          // a quote does not keep the quote open.
          frame.quote = Quote::DOLLAR_SINGLE;
          unclear = true;
        } else if (c == '\'') {
          frame.quote = Quote::SINGLE;
        } else if (c == '"') {
          frame.quote = Quote::DOUBLE;
        } else if (!Opens(c, wasAfterDollar) && !Closes(c, firstInFrame, afterInnerClose)) {
          wordStart = c != '\0' && std::strchr(" \t\n;&|()<>", c) != nullptr;
          // "((" is arithmetic to bash, which reads quoted text in it again.
          if (c == '(' && wasWordStart) {
            unclear = unclear || wasOpenParenAtWordStart;
            openParenAtWordStart = true;
          }
        }
        break;
      case Quote::SINGLE:
        if (c == '\'') frame.quote = Quote::NONE;
        break;
      case Quote::DOLLAR_SINGLE:
        if (c == '\\') escaped = true;
        else if (c == '\'') frame.quote = Quote::NONE;
        break;
      case Quote::DOUBLE:
        if (c == '\\') escaped = true;
        else if (c == '"') frame.quote = Quote::NONE;
        else Opens(c, wasAfterDollar);
        break;
    }
  }

  // Whether QuoteFor's text, put in here, reaches the command as it is.
  bool TakesQuotedText() const {
    return frames.size() == 1 && !escaped && !afterDollar && !comment &&
           quote() != Quote::DOLLAR_SINGLE;
  }
  // Nothing is left open that the shell would read on into what follows.
  bool Complete() const {
    return frames.size() == 1 && quote() == Quote::NONE && !escaped && !unclear;
  }

 private:
  // "$", "$(", "${" or a backquote, outside single quotes.
  bool Opens(char c, bool wasAfterDollar) {
    if (c == '$') {
      afterDollar = true;
    } else if (c == '`') {
      frames.push_back(Frame{Quote::NONE, '`', 0});
    } else if (wasAfterDollar && (c == '(' || c == '{' || c == '[')) {
      // $[...] is bash's old arithmetic, which expands the text again where
      // /bin/sh is bash.
      const char close = c == '(' ? ')' : (c == '{' ? '}' : ']');
      // A ${ within a ${ that double quotes hold is held by them too:
      // dash takes single quotes in "${x:-${y:-'}'}}" as plain characters.
      const Frame& outer = frames.back();
      const bool inDouble = outer.quote == Quote::DOUBLE || (outer.inDouble && outer.quote == Quote::NONE);
      frames.push_back(Frame{Quote::NONE, close, 0, c == '{' && inDouble});
      // $( starts commands: a "#" right after it begins a comment.
      wordStart = c == '(';
    } else {
      return false;
    }
    return true;
  }

  // Parentheses inside $(...), and the end of a substitution.
  bool Closes(char c, bool firstInFrame, bool afterInnerClose) {
    Frame& frame = frames.back();
    if (frame.close == ')' && c == '(') {
      frame.arithmetic = frame.arithmetic || firstInFrame;
      ++frame.parens;
      return false;  // still an operator
    }
    if (frame.close == ')' && c == ')' && frame.parens > 0) {
      --frame.parens;
      frame.parenJustClosed = frame.parens == 0;
      return false;
    }
    if (frames.size() > 1 && c == frame.close) {
      // In "$((a) ) %s ))" dash reads arithmetic on into the path, where
      // single quotes are plain characters.
      unclear = unclear || (frame.arithmetic && !afterInnerClose);
      frames.pop_back();
      return true;
    }
    return false;
  }
};

}  // namespace

// `text` as one word for the shell, inside whatever quotes are open.
static std::string QuoteFor(const ShellState& state, const std::string& text) {
  std::string out;
  switch (state.quote()) {
    case Quote::NONE:
      out += '\'';
      for (char c : text) {
        out += (c == '\'') ? std::string("'\\''") : std::string(1, c);
      }
      out += '\'';
      break;
    case Quote::SINGLE:
      for (char c : text) {
        out += (c == '\'') ? std::string("'\\''") : std::string(1, c);
      }
      break;
    case Quote::DOUBLE:
      for (char c : text) {
        if (c == '\\' || c == '"' || c == '$' || c == '`') {
          out += '\\';
        }
        out += c;
      }
      break;
    case Quote::DOLLAR_SINGLE:
      break;  // never asked: ShellState::TakesQuotedText refuses it
  }
  return out;
}

static std::string Expand(const std::string& command, const std::string& type,
                          const std::string& file, bool feedUnusedFile) {
  // A leading dash would read as an option to the viewer.
  const std::string path = (!file.empty() && file[0] == '-') ? "./" + file : file;
  std::string out;
  ShellState state;
  bool usedFile = false;
  auto emit = [&](char c) {
    out += c;
    state.Feed(c);
  };
  for (size_t i = 0; i < command.size(); ++i) {
    const char c = command[i];
    if (c == '\\' && i + 1 < command.size()) {
      emit(command[++i]);
    } else if (c == '%' && i + 1 < command.size()) {
      const char code = command[++i];
      if (code == 's' || code == 't') {
        if (!state.TakesQuotedText()) {
          return std::string();  // no quoting would keep the text literal here
        }
        if (state.inName && state.quote() == Quote::DOUBLE) {
          out += "\"\"";  // ends the name before it, which would go on into the text
        }
        out += QuoteFor(state, code == 's' ? path : type);
        state.wordStart = false;
        usedFile = usedFile || code == 's';
      } else if (code == '%') {
        emit('%');
      } else if (code == '{') {
        const size_t close = command.find('}', i);
        i = (close == std::string::npos) ? command.size() : close;
      } else {
        emit('%');
        emit(code);
      }
    } else {
      emit(c);
    }
  }
  if (!state.Complete()) {
    return std::string();  // an open quote: not a command we can complete safely
  }
  if (!usedFile && feedUnusedFile) {
    if (state.comment) {
      return std::string();  // the redirection would be commented out
    }
    out += " < " + QuoteFor(state, path);
  }
  return out;
}

std::string mailcap_expand(const std::string& command, const std::string& type,
                           const std::string& file) {
  return Expand(command, type, file, true);
}

static std::string FindCommand(const std::vector<MailcapEntry>& entries, const std::string& type,
                               const std::string& file, MailcapTestRunner runTest, bool exact) {
  const std::string wanted = Lower(type);
  for (const MailcapEntry& entry : entries) {
    if ((entry.type == wanted) != exact || !mailcap_matches(entry, type)) {
      continue;
    }
    if (entry.needsTerminal || entry.copiousOutput) {
      continue;
    }
    const std::string command = mailcap_expand(entry.view, type, file);
    if (command.empty()) {
      continue;
    }
    if (!entry.test.empty() && runTest != nullptr) {
      const std::string test = Expand(entry.test, type, file, false);
      if (test.empty() || !runTest(test)) {
        continue;
      }
    }
    return command;
  }
  return std::string();
}

std::string mailcap_view_command(const std::string& path, const std::string& type,
                                 const std::string& file, MailcapTestRunner runTest) {
  std::vector<MailcapEntry> entries;
  if (!mailcap_read(path, entries)) {
    return std::string();
  }
  std::string command = FindCommand(entries, type, file, runTest, true);
  if (command.empty()) {
    command = FindCommand(entries, type, file, runTest, false);
  }
  return command;
}

bool mailcap_run_test(const std::string& command) {
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
