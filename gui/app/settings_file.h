#pragma once
#include <wx/string.h>

// One INI file, named by its full path, read and written on wide strings.
// Every call goes to the file itself through the INI module: nothing is held
// open or cached. Text crosses to and from the file as UTF-8.
class SettingsFile {
public:
  // A fileName holding a "/" is the path itself. Otherwise the path is the
  // directory (or, when empty, the current working directory), a "/" unless
  // the directory already ends with one, and fileName.
  explicit SettingsFile(const wxString& fileName, const wxString& directory = wxString());

  // The value of key in section, at most 511 bytes of it, or defaultValue
  // when the file, the section or the key is missing. A non-empty file
  // names another file for this one call.
  wxString ReadString(const wxString& section, const wxString& key, const wxString& defaultValue,
                      const wxString& file = wxString()) const;

  // The value as a decimal number; defaultValue when missing or empty.
  long ReadLong(const wxString& section, const wxString& key, long defaultValue,
                const wxString& file = wxString()) const;

  // Sets key in section to value. Returns false when the file could not be
  // written; it is then unchanged.
  bool WriteString(const wxString& section, const wxString& key, const wxString& value,
                   const wxString& file = wxString()) const;

  bool WriteLong(const wxString& section, const wxString& key, long value,
                 const wxString& file = wxString()) const;

  const wxString& Path() const;

private:
  wxString m_path;
};

// Text read from a file as a wide string: UTF-8, where a value cut to a
// buffer may end in the middle of a character (that piece is dropped), and
// text that is not UTF-8 at all is taken as Latin-1 rather than lost.
wxString TextFromFile(const char* text, size_t length);
