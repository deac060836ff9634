#pragma once
#include <wx/string.h>

#include "core/format/settings_file.h"

// One INI file, named by its full path, read and written on wide strings:
// Utf8SettingsFile (core/format/settings_file.h) with text crossing to and
// from the file as UTF-8.
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

  const wxString& Path() const { return m_path; }

private:
  Utf8SettingsFile m_file;
  wxString m_path;
};
