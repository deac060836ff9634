#include "sh_words.h"

#include <cstddef>

namespace {

constexpr int MAX_DEPTH = 40;

bool IsNameStart(char c) { return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }
bool IsSpecialParameter(char c) {
  return (c >= '0' && c <= '9') || c == '@' || c == '*' || c == '#' || c == '?' || c == '-' ||
         c == '$' || c == '!';
}

class Reader {
 public:
  Reader(const std::string& text, std::vector<ShItem>* out, int depth, Shell shell)
      : m_s(text), m_out(out), m_depth(depth), m_shell(shell) {}

  // Reads commands up to `stop` (a closing ")" or "}" at this level; 0
  // for the end of the text). Returns false when the text ended first.
  bool Commands(char stop) {
    int open = 0;
    bool wordStart = true;
    while (m_i < m_s.size()) {
      const char c = m_s[m_i];
      if (stop != 0 && c == stop && open == 0) {
        ++m_i;
        return true;
      }
      if (c == ' ' || c == '\t') {
        if (m_out->empty() || m_out->back().kind != ShItem::BLANK) Put(ShItem::BLANK, ' ');
        ++m_i;
        wordStart = true;
        continue;
      }
      if (c == '\n' || c == ';' || c == '&' || c == '|' || c == '<' || c == '>' || c == '(' ||
          c == ')') {
        // ${...} ends at its first "}" that no quote or substitution holds.
        if (c == '(' && stop != '}') ++open;
        if (c == ')' && open > 0) --open;
        Put(ShItem::OPERATOR, c);
        ++m_i;
        wordStart = true;
        continue;
      }
      if (c == '#' && wordStart && stop != '}') {  // ${#x} is a length
        while (m_i < m_s.size() && m_s[m_i] != '\n') ++m_i;
        Put(ShItem::COMMENT, '#');
        continue;
      }
      wordStart = false;
      if (!WordPart(false)) return false;
    }
    return stop == 0;
  }

 private:
  void Put(ShItem::Kind kind, char c) { m_out->push_back(ShItem{kind, c}); }

  bool Unfinished() {
    Put(ShItem::UNFINISHED, '!');
    m_i = m_s.size();
    return false;
  }

  // One character of a word (or a whole quoted stretch). Returns false
  // on an unfinished construct.
  bool WordPart(bool inDouble) {
    const char c = m_s[m_i];
    if (c == '\\') {
      if (m_i + 1 >= m_s.size()) {
        Put(inDouble ? ShItem::QUOTED : ShItem::UNQUOTED, '\\');
        ++m_i;
        return true;
      }
      const char next = m_s[m_i + 1];
      if (next == '\n') {
        m_i += 2;  // a line continuation disappears
        return true;
      }
      if (inDouble && next != '$' && next != '`' && next != '"' && next != '\\') {
        Put(ShItem::QUOTED, '\\');
        ++m_i;
        return true;
      }
      Put(ShItem::QUOTED, next);
      m_i += 2;
      return true;
    }
    if (c == '$') return Dollar(inDouble);
    if (c == '`') return Backquotes();
    if (inDouble) {
      Put(ShItem::QUOTED, c);
      ++m_i;
      return true;
    }
    if (c == '\'') {
      const size_t close = m_s.find('\'', m_i + 1);
      if (close == std::string::npos) return Unfinished();
      for (size_t j = m_i + 1; j < close; ++j) Put(ShItem::QUOTED, m_s[j]);
      m_i = close + 1;
      return true;
    }
    if (c == '"') return Double();
    Put((c == '*' || c == '?' || c == '[') ? ShItem::GLOB : ShItem::UNQUOTED, c);
    ++m_i;
    return true;
  }

  bool Double() {
    ++m_i;  // the opening quote
    while (m_i < m_s.size()) {
      if (m_s[m_i] == '"') {
        ++m_i;
        return true;
      }
      if (!WordPart(true)) return false;
    }
    return Unfinished();
  }

  bool Nested(char stop) {
    if (m_depth >= MAX_DEPTH) return Unfinished();
    Reader inner(m_s, m_out, m_depth + 1, m_shell);
    inner.m_i = m_i;
    const bool done = inner.Commands(stop);
    m_i = inner.m_i;
    if (!done) return Unfinished();
    Put(ShItem::END, stop);
    return true;
  }

  bool Dollar(bool inDouble) {
    if (m_i + 1 >= m_s.size()) {
      Put(inDouble ? ShItem::QUOTED : ShItem::UNQUOTED, '$');
      ++m_i;
      return true;
    }
    const char next = m_s[m_i + 1];
    const bool dash = m_shell == Shell::DASH;
    if (dash && next == '(' && m_i + 2 < m_s.size() && m_s[m_i + 2] == '(') {
      Put(ShItem::EXPANSION, next);
      m_i += 3;
      return DashArithmetic();
    }
    if (dash && inDouble && next == '{') {
      Put(ShItem::EXPANSION, next);
      m_i += 2;
      if (m_i >= m_s.size() || !(IsNameStart(m_s[m_i]) || IsSpecialParameter(m_s[m_i]))) {
        return Unfinished();
      }
      return DashParameterInDouble();
    }
    if (next == '(' || next == '{') {
      Put(ShItem::EXPANSION, next);
      m_i += 2;
      if (next == '{' && (m_i >= m_s.size() || !(IsNameStart(m_s[m_i]) || IsSpecialParameter(m_s[m_i])))) {
        return Unfinished();  // a bad substitution: the shell runs nothing
      }
      return Nested(next == '(' ? ')' : '}');
    }
    if (IsNameStart(next)) {
      Put(ShItem::EXPANSION, '$');
      m_i += 1;
      while (m_i < m_s.size() && IsNameChar(m_s[m_i])) Put(ShItem::NAME, m_s[m_i++]);
      return true;
    }
    if (IsSpecialParameter(next)) {
      Put(ShItem::EXPANSION, '$');
      Put(ShItem::NAME, next);
      m_i += 2;
      return true;
    }
    if (!inDouble && next == '\'' && !dash) {
      Put(ShItem::EXPANSION, '\'');
      for (m_i += 2; m_i < m_s.size(); ++m_i) {
        if (m_s[m_i] == '\'') {
          ++m_i;
          return true;
        }
        if (m_s[m_i] == '\\' && m_i + 1 < m_s.size()) ++m_i;
        Put(ShItem::ESCAPED, m_s[m_i]);
      }
      return Unfinished();
    }
    if (!inDouble && next == '"' && !dash) {
      Put(ShItem::EXPANSION, '"');
      ++m_i;
      return Double();
    }
    Put(inDouble ? ShItem::QUOTED : ShItem::UNQUOTED, '$');
    ++m_i;
    return true;
  }

  // dash's $((...)): text as in double quotes, where single quotes are
  // plain characters, up to a "))" outside parentheses; a lone ")" there
  // is taken as a character and the reading goes on.
  bool DashArithmetic() {
    int open = 0;
    while (m_i < m_s.size()) {
      const char c = m_s[m_i];
      if (c == ')' && open == 0 && m_i + 1 < m_s.size() && m_s[m_i + 1] == ')') {
        m_i += 2;
        Put(ShItem::END, ')');
        return true;
      }
      // A backslash takes the next character, so "\(" and "\)" count
      // for nothing; a line continuation disappears as everywhere.
      if (c == '\\' && m_i + 1 < m_s.size() && m_s[m_i + 1] != '\n') {
        Put(ShItem::ARITHMETIC, c);
        Put(ShItem::QUOTED, m_s[m_i + 1]);
        m_i += 2;
        continue;
      }
      if (c == '\\' || c == '$' || c == '`') {
        if (!WordPart(true)) return false;
        continue;
      }
      if (c == '(') ++open;
      if (c == ')' && open > 0) --open;
      Put(ShItem::ARITHMETIC, c);
      ++m_i;
    }
    return Unfinished();
  }

  // dash's "${name...}" inside double quotes: up to the first "}" that no
  // backslash, double quote or substitution holds; single quotes are plain.
  bool DashParameterInDouble() {
    while (m_i < m_s.size()) {
      const char c = m_s[m_i];
      if (c == '}') {
        ++m_i;
        Put(ShItem::END, '}');
        return true;
      }
      if (c == '"') {
        if (!Double()) return false;
        continue;
      }
      if (c == '\\' || c == '$' || c == '`') {
        if (!WordPart(true)) return false;
        continue;
      }
      Put(ShItem::PARAMETER, c);
      ++m_i;
    }
    return Unfinished();
  }

  // `...`: the text up to the next backquote that no backslash quotes, with
  // \$, \` and \\ undone, read again as commands.
  bool Backquotes() {
    std::string inner;
    size_t j = m_i + 1;
    for (; j < m_s.size() && m_s[j] != '`'; ++j) {
      if (m_s[j] == '\\' && j + 1 < m_s.size() &&
          (m_s[j + 1] == '$' || m_s[j + 1] == '`' || m_s[j + 1] == '\\')) {
        ++j;
      }
      inner += m_s[j];
    }
    if (j >= m_s.size() || m_depth >= MAX_DEPTH) return Unfinished();
    m_i = j + 1;
    Put(ShItem::EXPANSION, '`');
    Reader nested(inner, m_out, m_depth + 1, m_shell);
    if (!nested.Commands(0)) return Unfinished();
    Put(ShItem::END, '`');
    return true;
  }

  const std::string& m_s;
  std::vector<ShItem>* m_out;
  int m_depth;
  Shell m_shell;
  size_t m_i = 0;
};

}  // namespace

std::vector<ShItem> ShellItems(const std::string& command, Shell shell) {
  std::vector<ShItem> items;
  Reader(command, &items, 0, shell).Commands(0);
  return items;
}

std::string DescribeItems(const std::vector<ShItem>& items) {
  std::string out;
  for (const ShItem& item : items) {
    out += static_cast<char>(item.kind);
    out += ':';
    out += item.c;
    out += ' ';
  }
  return out;
}
