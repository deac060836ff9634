#include "gui/monitor/rom_record_line.h"

#include <sys/stat.h>

#include <wx/intl.h>

#include "core/board/rom_record.h"

wxString RomRecordLine::TextFor(const std::string& port) {
  if (!m_known || port != m_port) {
    m_port = port;
    m_path = RomRecordPath(m_directory, RomRecordKey(port));
    m_known = false;
  }
  struct stat info {};
  const bool exists = stat(m_path.c_str(), &info) == 0;
  const time_t time = exists ? info.st_mtime : 0;
  const off_t size = exists ? info.st_size : -1;
  if (m_known && time == m_time && size == m_size) {
    return m_text;
  }
  m_known = true;
  m_time = time;
  m_size = size;
  const RomRecordRead read = ReadRomRecord(m_directory, port);
  if (read.status == RomRecordRead::Status::DAMAGED) {
    m_text = _("Record: damaged, none");
  } else if (!read.Found()) {
    m_text = _("Record: none");
  } else if (read.record.state == RomRecord::State::ERASED) {
    m_text = wxString::Format(_("Record: erased %s"), wxString::FromUTF8(RomTimeText(read.record.time)));
  } else {
    m_text = wxString::Format(_("Record: %s, %d scenes, programmed %s"),
                              wxString::FromUTF8(RomStateText(read.record)), read.record.sceneCount,
                              wxString::FromUTF8(RomTimeText(read.record.time)));
  }
  return m_text;
}
