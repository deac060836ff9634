#pragma once
// What the keys do in show mode, so that a USB foot pedal or a presenter
// remote that sends them works as a show controller: Space pauses or
// resumes, Right/Page Down go on, Left/Page Up go back, Home restarts, a
// number followed by Enter jumps to that scene, Escape (or F11 again)
// leaves. The keypad's keys count as the main ones.
#include <string>

#include "core/remote/remote_hub.h"

struct ShowKey {
  enum class Kind {
    NONE,     // not a key of show mode
    COMMAND,  // `command` is to be performed
    TYPING,   // the number being typed changed
    LEAVE,
  };
  Kind kind = Kind::NONE;
  RemoteCommand command;
};

class ShowKeys {
 public:
  // Longest scene number taken: more digits than any scenario has scenes.
  static constexpr size_t MAX_DIGITS = 4;

  // A key pressed without modifiers (a toolkit key code).
  ShowKey Press(int keyCode);
  // The digits typed so far, waiting for Enter.
  const std::string& Typed() const { return m_typed; }

 private:
  std::string m_typed;
};
