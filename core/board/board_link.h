#pragma once
// What a sender needs of the line to the boards. The program reaches a port
// through the link BoardLines makes for its name (board_lines.h); tests and
// `lumivane-cli bytes` use RecordingBoardLink (recording_link.h), which
// notes every write, break, pause and opening instead.
//
// Use: hand a link to WriteBoardMessage (protocol_bytes.h), to the board
// commands (board_commands.h) and to the runner (runner.h). A link is not
// thread-safe; call it from one thread.
#include <atomic>
#include <string>

class BoardLink {
 public:
  virtual ~BoardLink() = default;

  // Opens `port` (UTF-8, a name as the settings hold it) at `baud` bit/s.
  // Returns 0 when open, else an error number (as serial_open() does).
  virtual int Open(const std::string& port, int baud) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Returns how many bytes the line took; all of them unless it failed.
  virtual int Write(const unsigned char* data, int length) = 0;
  virtual void Break() = 0;
  // A fixed pause of the protocol.
  virtual void Pause(int milliseconds) = 0;
  // The adapter's four input pins in bits 0..3, as serial_getbits(0, 0).
  virtual unsigned char ReadInputs() = 0;
  // Pauses that wait in real time end early once `*interrupt` is true (null:
  // they run their length), so that the thread that owns the link can close
  // it without waiting out a long pause.
  virtual void InterruptPausesWith(const std::atomic<bool>*) {}
};
