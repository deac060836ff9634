#pragma once
// One INI file, named by its full path, read and written on UTF-8 strings.
// Every call goes to the file itself through the INI module (ini.h):
// nothing is held open or cached.
#include <cstddef>
#include <string>

class Utf8SettingsFile {
public:
  // A fileName holding a "/" is the path itself. Otherwise the path is the
  // directory (or, when empty, the current working directory), a "/" unless
  // the directory already ends with one, and fileName.
  explicit Utf8SettingsFile(const std::string& fileName, const std::string& directory = std::string());

  // The value of key in section, at most 511 bytes of it, as TextFromFile
  // gives it; defaultValue when the file, the section or the key is
  // missing. A non-empty file names another file for this one call.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue, const std::string& file = std::string()) const;

  // The value as a decimal number; defaultValue when missing or empty.
  long ReadLong(const std::string& section, const std::string& key, long defaultValue,
                const std::string& file = std::string()) const;

  // Sets key in section to value. Returns false when the file could not be
  // written; it is then unchanged.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file = std::string()) const;

  bool WriteLong(const std::string& section, const std::string& key, long value,
                 const std::string& file = std::string()) const;

  const std::string& Path() const { return m_path; }

private:
  const char* FileFor(const std::string& file) const;

  std::string m_path;
};

// Text read from a file, as valid UTF-8. A text that is not UTF-8 loses a
// last character cut in its middle (up to three continuation bytes and the
// lead byte before them) when that makes it UTF-8; failing that it is taken
// as Latin-1 (a file saved by an editor in Latin-1) rather than lost.
std::string TextFromFile(const char* text, size_t length);
