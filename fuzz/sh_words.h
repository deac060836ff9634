#pragma once
// How /bin/sh reads a command line, reduced to what decides whether a
// piece of text stays literal: each character becomes an item that says
// whether the shell takes it as quoted text, unquoted text, a blank, an
// operator, within an expansion, or a comment. Two readings: bash's, and
// dash's (Debian's /bin/sh), which has no $'...' or $"...", ends $((...))
// only at "))" and takes single quotes inside "${...}" as plain
// characters. Here-documents, aliases and case patterns are not modelled.
#include <string>
#include <vector>

struct ShItem {
  enum Kind : char {
    QUOTED = 'q',     // a character taken literally: inside quotes or after a backslash
    UNQUOTED = 'u',   // a plain unquoted character, subject to field splitting rules
    GLOB = 'g',       // an unquoted *, ? or [
    BLANK = 'b',      // a run of unquoted blanks: a word boundary
    OPERATOR = 'o',   // ; & | < > ( ) or a newline
    EXPANSION = 'e',  // starts an expansion: $name, ${, $(, `, $', $"
    NAME = 'n',       // a character of a parameter name after $
    ESCAPED = 'a',    // a character inside $'...', where backslashes escape
    END = 'x',        // ends a command substitution in backquotes
    COMMENT = 'c',    // a comment up to the end of its line
    UNFINISHED = '!', // an open quote or substitution: the shell would fail
    ARITHMETIC = 'm', // inside $((...)), which the shell expands and evaluates
    PARAMETER = 'p',  // the word of a ${...} that dash reads inside double quotes
  };
  Kind kind;
  char c;
  bool operator==(const ShItem& other) const { return kind == other.kind && c == other.c; }
};

enum class Shell { BASH, DASH };

std::vector<ShItem> ShellItems(const std::string& command, Shell shell = Shell::BASH);

// For messages: the items as "kind:char" pairs.
std::string DescribeItems(const std::vector<ShItem>& items);
