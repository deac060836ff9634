#pragma once
// The board monitor's account of the record of what the boards on its
// line hold ("Record: complete, 2 scenes, programmed ..."). The monitor
// asks at every repaint; the file is read again only when the port, or
// the record file's time or size, changed, and the port's key is worked
// out once per port name.
#include <sys/types.h>

#include <ctime>
#include <string>

#include <wx/string.h>

class RomRecordLine {
 public:
  explicit RomRecordLine(std::string directory) : m_directory(std::move(directory)) {}
  wxString TextFor(const std::string& port);

 private:
  std::string m_directory;
  std::string m_port;
  std::string m_path;
  bool m_known = false;
  time_t m_time = 0;
  off_t m_size = -1;
  wxString m_text;
};
