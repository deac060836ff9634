#include "core/board/timing_link.h"

#include "core/board/board_commands.h"

int TimingLink::Open(const std::string&, int baud) {
  m_baud = baud;
  m_open = true;
  return 0;
}

int TimingLink::Write(const unsigned char*, int length) {
  const int baud = m_baud > 0 ? m_baud : STANDARD_BAUD;
  m_seconds += length * BITS_PER_BYTE / baud;
  return length;
}
