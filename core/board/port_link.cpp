#include "core/board/port_link.h"

#include <cerrno>

#include "core/serial/pause.h"

int PortLink::Open(const std::string& port, int baud) {
  if (m_link == nullptr || port != m_port) {
    if (m_link != nullptr) {
      m_link->Close();
    }
    m_link = m_factory(port);
    m_port = port;
    if (m_link == nullptr) {
      return ENODEV;
    }
    m_link->InterruptPausesWith(m_interrupt);
  }
  return m_link->Open(port, baud);
}

void PortLink::Close() {
  if (m_link != nullptr) {
    m_link->Close();
  }
}

int PortLink::Write(const unsigned char* data, int length) {
  return m_link != nullptr ? m_link->Write(data, length) : 0;
}

void PortLink::Break() {
  if (m_link != nullptr) {
    m_link->Break();
  }
}

void PortLink::Pause(int milliseconds) {
  if (m_link != nullptr) {
    m_link->Pause(milliseconds);
  } else {
    PauseMilliseconds(milliseconds, m_interrupt);
  }
}

void PortLink::InterruptPausesWith(const std::atomic<bool>* interrupt) {
  m_interrupt = interrupt;
  if (m_link != nullptr) {
    m_link->InterruptPausesWith(interrupt);
  }
}

unsigned char PortLink::ReadInputs() { return m_link != nullptr ? m_link->ReadInputs() : 0x0F; }
