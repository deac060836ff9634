#include "gui/show/show_keys.h"

#include <wx/defs.h>

namespace {

ShowKey Command(RemoteAction action, int scene = 0) {
  ShowKey key;
  key.kind = ShowKey::Kind::COMMAND;
  key.command.action = action;
  key.command.scene = scene;
  return key;
}

// The digit of a main or keypad digit key, or -1.
int DigitOf(int keyCode) {
  if (keyCode >= '0' && keyCode <= '9') return keyCode - '0';
  if (keyCode >= WXK_NUMPAD0 && keyCode <= WXK_NUMPAD9) return keyCode - WXK_NUMPAD0;
  return -1;
}

}  // namespace

ShowKey ShowKeys::Press(int keyCode) {
  const int digit = DigitOf(keyCode);
  if (digit >= 0) {
    if (m_typed.size() < MAX_DIGITS && !(m_typed.empty() && digit == 0)) {
      m_typed += static_cast<char>('0' + digit);
    }
    ShowKey key;
    key.kind = ShowKey::Kind::TYPING;
    return key;
  }
  if (keyCode == WXK_BACK) {
    if (!m_typed.empty()) m_typed.pop_back();
    ShowKey key;
    key.kind = ShowKey::Kind::TYPING;
    return key;
  }
  if (keyCode == WXK_RETURN || keyCode == WXK_NUMPAD_ENTER) {
    if (m_typed.empty()) return ShowKey();
    const int scene = std::stoi(m_typed);
    m_typed.clear();
    return Command(RemoteAction::JUMP, scene);
  }
  // Any other key of show mode drops a number half typed.
  ShowKey key;
  switch (keyCode) {
    case WXK_SPACE: case WXK_NUMPAD_SPACE: key = Command(RemoteAction::TOGGLE_PAUSE); break;
    case WXK_RIGHT: case WXK_NUMPAD_RIGHT: case WXK_PAGEDOWN: case WXK_NUMPAD_PAGEDOWN:
      key = Command(RemoteAction::NEXT);
      break;
    case WXK_LEFT: case WXK_NUMPAD_LEFT: case WXK_PAGEUP: case WXK_NUMPAD_PAGEUP:
      key = Command(RemoteAction::PREVIOUS);
      break;
    case WXK_HOME: case WXK_NUMPAD_HOME: key = Command(RemoteAction::RESTART); break;
    case WXK_ESCAPE: case WXK_F11: key.kind = ShowKey::Kind::LEAVE; break;
    default: return key;
  }
  m_typed.clear();
  return key;
}
