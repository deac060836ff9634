#include "gui/app/settings_file.h"

#include "core/format/ini.h"

#include <wx/filefn.h>

// Values read back are cut to this buffer, less the terminating NUL.
static const int VALUE_BUFFER_SIZE = 512;

static wxString BuildPath(const wxString& fileName, const wxString& directory) {
  if (fileName.Find('/') != wxNOT_FOUND) {
    return fileName;
  }
  wxString base = directory.empty() ? wxGetCwd() : directory;
  if (!base.EndsWith("/")) {
    base += "/";
  }
  return base + fileName;
}

// Converts file text to a wide string. A value cut to the buffer may end in
// the middle of a character, which is dropped; text that is not UTF-8 at
// all (a file saved by an editor in Latin-1) is taken as Latin-1 rather
// than lost.
wxString TextFromFile(const char* text, size_t length) {
  wxString result = wxString::FromUTF8(text, length);
  if (!result.empty() || length == 0) {
    return result;
  }
  size_t end = length;
  int continuation = 0;
  while (end > 0 && continuation < 3 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80) {
    --end;
    ++continuation;
  }
  if (end > 0 && static_cast<unsigned char>(text[end - 1]) >= 0xC0) {
    --end;
  }
  result = wxString::FromUTF8(text, end);
  if (result.empty() && end > 0) {
    result = wxString(text, wxConvISO8859_1, length);
  }
  return result;
}

SettingsFile::SettingsFile(const wxString& fileName, const wxString& directory)
    : m_path(BuildPath(fileName, directory)) {}

wxString SettingsFile::ReadString(const wxString& section, const wxString& key,
                                  const wxString& defaultValue, const wxString& file) const {
  char buffer[VALUE_BUFFER_SIZE];
  const int length = IniReadString(section.utf8_str(), key.utf8_str(), defaultValue.utf8_str(), buffer,
                                   sizeof buffer, (file.empty() ? m_path : file).utf8_str());
  return TextFromFile(buffer, static_cast<size_t>(length));
}

long SettingsFile::ReadLong(const wxString& section, const wxString& key, long defaultValue,
                            const wxString& file) const {
  return IniReadLong(section.utf8_str(), key.utf8_str(), defaultValue,
                     (file.empty() ? m_path : file).utf8_str());
}

bool SettingsFile::WriteString(const wxString& section, const wxString& key, const wxString& value,
                               const wxString& file) const {
  return IniWriteString(section.utf8_str(), key.utf8_str(), value.utf8_str(),
                        (file.empty() ? m_path : file).utf8_str()) != 0;
}

bool SettingsFile::WriteLong(const wxString& section, const wxString& key, long value,
                             const wxString& file) const {
  return IniWriteLong(section.utf8_str(), key.utf8_str(), value,
                      (file.empty() ? m_path : file).utf8_str()) != 0;
}

const wxString& SettingsFile::Path() const { return m_path; }
