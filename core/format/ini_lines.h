#pragma once
// How INI text is cut into lines and what a line holds. The file scanner
// (ini.cpp), the in-memory snapshot (ini_snapshot.cpp) and the scenario
// reader all read through these, so that they take every file alike.
#include <cstddef>

// A line is taken in pieces of at most this many bytes (the scanner's
// 512-byte buffer less its NUL), each read as a line of its own.
constexpr size_t INI_MAX_PIECE = 511;

// IniReadLong reads a value through a buffer of this size.
constexpr int INI_NUMBER_BUFFER_SIZE = 64;

// Copies text into buffer, cut to bufferSize - 1 bytes and NUL-terminated.
// Returns the number of bytes copied.
size_t IniCopyCut(char* buffer, size_t bufferSize, const char* text, size_t length);

// A byte string that need not be NUL-terminated.
struct IniText {
  const char* text;
  size_t length;
};

// Control characters and space; bytes 128..255 are text, so UTF-8 passes.
inline bool IniIsBlank(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 1 && byte <= 32;
}

// The length of the next piece of text: up to and including the next
// newline, but at most INI_MAX_PIECE and at most available bytes.
size_t IniPieceLength(const char* text, size_t available);

// What a piece holds, its leading blanks skipped.
struct IniPiece {
  enum Kind {
    // Blank, a comment (";" or "#") or a line without "=" or ":".
    OTHER,
    // Begins with "[": ends the section before it, and names one when a
    // "]" follows. The name is everything up to the first "]", blanks
    // included.
    HEADER,
    // The first "=" (failing that, the first ":") splits key and value.
    // The key loses trailing blanks; the value loses surrounding blanks
    // (the newline included) and then enclosing double quotes, and a lone
    // double quote becomes empty.
    KEY,
  };
  Kind kind = OTHER;
  bool named = false;  // HEADER: a "]" closes the name
  IniText name{nullptr, 0};   // HEADER: the section name; KEY: the key
  IniText value{nullptr, 0};  // KEY
};

IniPiece IniParsePiece(const char* text, size_t length);

// Section names and keys match at equal length, ignoring the case of ASCII
// letters only.
bool IniSameName(IniText a, IniText b);
