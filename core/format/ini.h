#pragma once

// Reader and writer for INI-style text files over 8-bit (UTF-8) strings.
// Nothing is cached: every call opens the file, scans it from the top and
// closes it again. A null section counts as the empty section, which holds
// the lines before the first header.

// Copies the value of key in section into buffer, or default value when the
// file, the section or the key is missing. The text is cut to bufferSize - 1
// bytes and always NUL-terminated. Returns the length of the text in the
// buffer; returns 0 and leaves the buffer untouched when bufferSize is 0 or
// less or buffer or key is null.
int IniReadString(const char* section, const char* key, const char* defaultValue,
                  char* buffer, int bufferSize, const char* fileName);

// Reads the value as a decimal number in the manner of strtol (leading blanks
// and a sign accepted, stops at the first non-digit, no digits gives 0).
// Returns defaultValue when the key is missing or its value is empty.
long IniReadLong(const char* section, const char* key, long defaultValue,
                 const char* fileName);

// Sets key in section to value, adding the section and the key when they are
// missing and creating the file when it does not exist. The file is replaced
// in one step by a completed copy, so it always holds either the old or the
// new content. Writing the value already stored leaves the file untouched.
// Returns 1 when done, 0 when the file could not be read, created or
// replaced; on 0 the file is unchanged and errno tells why.
int IniWriteString(const char* section, const char* key, const char* value,
                   const char* fileName);

// IniWriteString with the value written as plain decimal digits.
int IniWriteLong(const char* section, const char* key, long value,
                 const char* fileName);
