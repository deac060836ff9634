#include "gui/app/settings_file.h"

SettingsFile::SettingsFile(const wxString& fileName, const wxString& directory)
    : m_file(fileName.utf8_string(), directory.utf8_string()),
      m_path(wxString::FromUTF8(m_file.Path())) {}

wxString SettingsFile::ReadString(const wxString& section, const wxString& key,
                                  const wxString& defaultValue, const wxString& file) const {
  return wxString::FromUTF8(
      m_file.ReadString(section.utf8_string(), key.utf8_string(), defaultValue.utf8_string(),
                        file.utf8_string()));
}

long SettingsFile::ReadLong(const wxString& section, const wxString& key, long defaultValue,
                            const wxString& file) const {
  return m_file.ReadLong(section.utf8_string(), key.utf8_string(), defaultValue, file.utf8_string());
}

bool SettingsFile::WriteString(const wxString& section, const wxString& key, const wxString& value,
                               const wxString& file) const {
  return m_file.WriteString(section.utf8_string(), key.utf8_string(), value.utf8_string(),
                            file.utf8_string());
}

bool SettingsFile::WriteLong(const wxString& section, const wxString& key, long value,
                             const wxString& file) const {
  return m_file.WriteLong(section.utf8_string(), key.utf8_string(), value, file.utf8_string());
}
