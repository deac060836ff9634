#pragma once
// A link that reaches no line and adds up the time the line would take:
// 10 bits a byte (8N1) at the rate it was opened with, each pause its
// length and each break the length a tty gives it. Estimates of a
// command's duration run the command itself on it, so they follow every
// change of the sequence.
#include "core/board/board_link.h"

class TimingLink : public BoardLink {
 public:
  static constexpr double BITS_PER_BYTE = 10;
  static constexpr double BREAK_SECONDS = 0.25;

  int Open(const std::string& port, int baud) override;
  void Close() override { m_open = false; }
  bool IsOpen() const override { return m_open; }
  int Write(const unsigned char* data, int length) override;
  void Break() override { m_seconds += BREAK_SECONDS; }
  void Pause(int milliseconds) override { m_seconds += milliseconds / 1000.0; }
  unsigned char ReadInputs() override { return 0x0F; }

  // Seconds on the line since this link was made.
  double Seconds() const { return m_seconds; }

 private:
  int m_baud = 0;
  bool m_open = false;
  double m_seconds = 0;
};
