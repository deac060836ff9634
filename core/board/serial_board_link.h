#pragma once
// The board link of the program: the process-wide serial driver
// (core/serial/serial.h) and PauseMilliseconds (core/board/pause.h). Every
// SerialBoardLink talks to the same port, so a window and a command may
// each make one.
#include "core/board/board_link.h"

class SerialBoardLink : public BoardLink {
 public:
  int Open(const std::string& port, int baud) override;
  void Close() override;
  bool IsOpen() const override;
  int Write(const unsigned char* data, int length) override;
  void Break() override;
  void Pause(int milliseconds) override;
  unsigned char ReadInputs() override;
};
