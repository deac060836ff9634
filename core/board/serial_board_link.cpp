#include "core/board/serial_board_link.h"

#include "core/board/pause.h"
#include "core/serial/serial.h"

int SerialBoardLink::Open(const std::string& port, int baud) { return serial_open(port.c_str(), baud); }

void SerialBoardLink::Close() { serial_close(); }

bool SerialBoardLink::IsOpen() const { return serial_isopen(); }

int SerialBoardLink::Write(const unsigned char* data, int length) { return serial_write(data, length); }

void SerialBoardLink::Break() { serial_break(); }

void SerialBoardLink::Pause(int milliseconds) { PauseMilliseconds(milliseconds); }

unsigned char SerialBoardLink::ReadInputs() { return serial_getbits(0, 0); }
