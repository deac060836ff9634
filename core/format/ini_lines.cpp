#include "core/format/ini_lines.h"

#include <cstring>

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

size_t IniCopyCut(char* buffer, size_t bufferSize, const char* text, size_t length) {
  const size_t copied = length < bufferSize - 1 ? length : bufferSize - 1;
  memmove(buffer, text, copied);
  buffer[copied] = '\0';
  return copied;
}

size_t IniPieceLength(const char* text, size_t available) {
  const size_t scan = available < INI_MAX_PIECE ? available : INI_MAX_PIECE;
  const void* newline = memchr(text, '\n', scan);
  return newline ? static_cast<size_t>(static_cast<const char*>(newline) - text) + 1 : scan;
}

IniPiece IniParsePiece(const char* text, size_t length) {
  IniPiece piece;
  size_t start = 0;
  while (start < length && IniIsBlank(text[start])) {
    ++start;
  }
  if (start == length) {
    return piece;
  }
  const char first = text[start];
  if (first == '[') {
    piece.kind = IniPiece::HEADER;
    const char* open = text + start + 1;
    const void* close = memchr(open, ']', length - start - 1);
    if (close != nullptr) {
      piece.named = true;
      piece.name = IniText{open, static_cast<size_t>(static_cast<const char*>(close) - open)};
    }
    return piece;
  }
  if (first == ';' || first == '#') {
    return piece;
  }
  const char* line = text + start;
  const size_t rest = length - start;
  const void* found = memchr(line, '=', rest);
  if (found == nullptr) {
    found = memchr(line, ':', rest);
  }
  if (found == nullptr) {
    return piece;
  }
  const size_t separator = static_cast<size_t>(static_cast<const char*>(found) - line);
  size_t keyLength = separator;
  while (keyLength > 0 && IniIsBlank(line[keyLength - 1])) {
    --keyLength;
  }
  size_t begin = separator + 1;
  size_t end = rest;
  while (begin < end && IniIsBlank(line[begin])) {
    ++begin;
  }
  while (end > begin && IniIsBlank(line[end - 1])) {
    --end;
  }
  if (end - begin == 1 && line[begin] == '"') {
    begin = end;
  } else if (end - begin >= 2 && line[begin] == '"' && line[end - 1] == '"') {
    ++begin;
    --end;
  }
  piece.kind = IniPiece::KEY;
  piece.name = IniText{line, keyLength};
  piece.value = IniText{line + begin, end - begin};
  return piece;
}

bool IniSameName(IniText a, IniText b) {
  if (a.length != b.length) {
    return false;
  }
  for (size_t i = 0; i < a.length; ++i) {
    if (LowerAscii(a.text[i]) != LowerAscii(b.text[i])) {
      return false;
    }
  }
  return true;
}
