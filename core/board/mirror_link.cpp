#include "core/board/mirror_link.h"

int MirrorLink::Open(const std::string& port, int baud) {
  const int opened = m_link->Open(port, baud);
  if (opened == 0) {
    m_mirror.Opened(port, baud);
  }
  return opened;
}

int MirrorLink::Write(const unsigned char* data, int length) {
  const int written = m_link->Write(data, length);
  if (written > 0) {
    m_mirror.Took(data, written);
  }
  return written;
}

void MirrorLink::Break() {
  m_link->Break();
  if (m_link->IsOpen()) {
    m_mirror.Broke();
  }
}
