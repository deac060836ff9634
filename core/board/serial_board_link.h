#pragma once
// The board link over a port of the serial driver (core/serial/serial.h)
// with PauseMilliseconds (core/serial/pause.h). It holds one port handle:
// opening another name frees the handle of the name before.
#include "core/board/board_link.h"

struct serial_port;

class SerialBoardLink : public BoardLink {
 public:
  SerialBoardLink() = default;
  ~SerialBoardLink() override;
  SerialBoardLink(const SerialBoardLink&) = delete;
  SerialBoardLink& operator=(const SerialBoardLink&) = delete;

  int Open(const std::string& port, int baud) override;
  void Close() override;
  bool IsOpen() const override;
  int Write(const unsigned char* data, int length) override;
  void Break() override;
  void Pause(int milliseconds) override;
  unsigned char ReadInputs() override;
  void InterruptPausesWith(const std::atomic<bool>* interrupt) override { m_interrupt = interrupt; }

 private:
  serial_port* m_port = nullptr;
  const std::atomic<bool>* m_interrupt = nullptr;
};
