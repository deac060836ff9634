#include "core/format/settings_file.h"

#include <unistd.h>

#include <vector>

#include "core/format/ini.h"

namespace {

// Values read back are cut to this buffer, less the terminating NUL.
constexpr int VALUE_BUFFER_SIZE = 512;

std::string WorkingDirectory() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) {
      return std::string();
    }
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

std::string BuildPath(const std::string& fileName, const std::string& directory) {
  if (fileName.find('/') != std::string::npos) {
    return fileName;
  }
  std::string base = directory.empty() ? WorkingDirectory() : directory;
  if (base.empty() || base.back() != '/') {
    base += '/';
  }
  return base + fileName;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Strict UTF-8 (RFC 3629): no overlong forms, no surrogates, nothing above
// U+10FFFF. NUL bytes count as text.
bool IsUtf8(const unsigned char* text, size_t length) {
  size_t i = 0;
  while (i < length) {
    const unsigned char lead = text[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    size_t extra = 0;
    unsigned char low = 0x80;   // allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
      low = lead == 0xE0 ? 0xA0 : 0x80;
      high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
      low = lead == 0xF0 ? 0x90 : 0x80;
      high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
      return false;
    }
    if (length - i <= extra || text[i + 1] < low || text[i + 1] > high) {
      return false;
    }
    for (size_t k = 2; k <= extra; ++k) {
      if (!IsContinuation(text[i + k])) {
        return false;
      }
    }
    i += extra + 1;
  }
  return true;
}

std::string Latin1ToUtf8(const unsigned char* text, size_t length) {
  std::string utf8;
  utf8.reserve(length * 2);
  for (size_t i = 0; i < length; ++i) {
    if (text[i] < 0x80) {
      utf8 += static_cast<char>(text[i]);
    } else {
      utf8 += static_cast<char>(0xC0 | (text[i] >> 6));
      utf8 += static_cast<char>(0x80 | (text[i] & 0x3F));
    }
  }
  return utf8;
}

}  // namespace

std::string TextFromFile(const char* text, size_t length) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  if (IsUtf8(bytes, length)) {
    return std::string(text, length);
  }
  // A value cut to a buffer may end inside a character.
  size_t end = length;
  int continuation = 0;
  while (end > 0 && continuation < 3 && IsContinuation(bytes[end - 1])) {
    --end;
    ++continuation;
  }
  if (end > 0 && bytes[end - 1] >= 0xC0) {
    --end;
  }
  // Nothing left is the empty text, as the window has always taken it.
  if (end == 0 || IsUtf8(bytes, end)) {
    return std::string(text, end);
  }
  return Latin1ToUtf8(bytes, length);
}

Utf8SettingsFile::Utf8SettingsFile(const std::string& fileName, const std::string& directory)
    : m_path(BuildPath(fileName, directory)) {}

const char* Utf8SettingsFile::FileFor(const std::string& file) const {
  return (file.empty() ? m_path : file).c_str();
}

std::string Utf8SettingsFile::ReadString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, const std::string& file) const {
  char buffer[VALUE_BUFFER_SIZE];
  const int length = IniReadString(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                   sizeof buffer, FileFor(file));
  return TextFromFile(buffer, static_cast<size_t>(length));
}

long Utf8SettingsFile::ReadLong(const std::string& section, const std::string& key, long defaultValue,
                                const std::string& file) const {
  return IniReadLong(section.c_str(), key.c_str(), defaultValue, FileFor(file));
}

bool Utf8SettingsFile::WriteString(const std::string& section, const std::string& key,
                                   const std::string& value, const std::string& file) const {
  return IniWriteString(section.c_str(), key.c_str(), value.c_str(), FileFor(file)) != 0;
}

bool Utf8SettingsFile::WriteLong(const std::string& section, const std::string& key, long value,
                                 const std::string& file) const {
  return IniWriteLong(section.c_str(), key.c_str(), value, FileFor(file)) != 0;
}
