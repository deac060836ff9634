#pragma once
// A board link that records instead of sending: every write with the bytes
// the line took, every break, pause, opening and closing, in order. Tests
// check board commands against its log; `lumivane-cli bytes` prints it.
//
// It behaves as the serial driver does: writes and breaks on a closed link
// reach no line and are not logged, opening an open link closes it first.
// Faults can be set: an open that fails, writes that stop being taken.
#include <deque>
#include <string>
#include <vector>

#include "core/board/board_link.h"

struct LinkEvent {
  enum Kind { OPEN, CLOSE, WRITE, BREAK, PAUSE, READ_INPUTS };
  Kind kind;
  std::vector<unsigned char> bytes;  // WRITE: what the line took
  int value = 0;                     // OPEN: baud, PAUSE: ms, READ_INPUTS: levels
  int result = 0;                    // OPEN: what Open returned
  std::string port;                  // OPEN
};

class RecordingBoardLink : public BoardLink {
 public:
  int Open(const std::string& port, int baud) override;
  void Close() override;
  bool IsOpen() const override { return m_open; }
  int Write(const unsigned char* data, int length) override;
  void Break() override;
  void Pause(int milliseconds) override;
  unsigned char ReadInputs() override;

  // Later opens return `result` (0 opens).
  void SetOpenResult(int result) { m_openResult = result; }
  // Write number `n` (from 1, counted over the link's life) and every later
  // one take nothing, as an unplugged adapter does. 0 lifts it.
  void FailWritesFrom(int n) { m_failFrom = n; }
  // The input levels when no queued reading is left (0x0F: all inactive).
  void SetInputs(unsigned char levels) { m_inputs = levels; }
  // Readings returned before those levels, one per ReadInputs.
  void QueueInputReadings(const std::vector<unsigned char>& readings);

  const std::vector<LinkEvent>& Events() const { return m_events; }
  void ClearEvents() { m_events.clear(); }

 private:
  std::vector<LinkEvent> m_events;
  bool m_open = false;
  int m_openResult = 0;
  int m_writes = 0;
  int m_failFrom = 0;
  unsigned char m_inputs = 0x0F;
  std::deque<unsigned char> m_queued;
};

// The log as `lumivane-cli bytes` prints it: each board message on a line
// of upper-case hex bytes ("F5 00 00 7F 7E"), however many writes carried
// it; the rest as comment lines: "# open at 9600", "# reopen at 115200"
// (a closing followed by an opening), "# break", "# pause 500 ms".
std::string FormatBoardStream(const std::vector<LinkEvent>& events);

// The log one event a line, with each write as it went: "open 9600",
// "write F5", "write 00 00 7F 7E", "break", "pause 500", "close",
// "inputs 0F"; an open that failed ends in " -> error".
std::vector<std::string> EventLines(const std::vector<LinkEvent>& events);
