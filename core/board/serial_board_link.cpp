#include "core/board/serial_board_link.h"

#include "core/serial/pause.h"
#include "core/serial/serial.h"

SerialBoardLink::~SerialBoardLink() { serial_free_port(m_port); }

int SerialBoardLink::Open(const std::string& port, int baud) {
  if (m_port == nullptr || port != serial_port_name(m_port)) {
    serial_free_port(m_port);
    m_port = nullptr;
    const int made = serial_get_port_by_name(port.c_str(), &m_port);
    if (made != SERIAL_OK) {
      return made;
    }
  }
  return serial_open(m_port, baud);
}

void SerialBoardLink::Close() { serial_close(m_port); }

bool SerialBoardLink::IsOpen() const { return serial_isopen(m_port); }

int SerialBoardLink::Write(const unsigned char* data, int length) { return serial_write(m_port, data, length); }

void SerialBoardLink::Break() { serial_break(m_port); }

void SerialBoardLink::Pause(int milliseconds) { PauseMilliseconds(milliseconds, m_interrupt); }

unsigned char SerialBoardLink::ReadInputs() { return serial_getbits(m_port, 0, 0); }
