#include "core/board/virtual_chain.h"

#include <algorithm>

#include "core/board/protocol_bytes.h"

namespace {

constexpr unsigned char FIRST_COMMAND = 0xF1;
constexpr unsigned char LAST_COMMAND = 0xF8;
constexpr unsigned char ERASE_SCENE = 0xDF;

const VirtualBoard NEW_BOARD{};

long Value14(unsigned char low, unsigned char high) { return (low & 0x7F) + 128L * (high & 0x7F); }

}  // namespace

void VirtualChain::Receive(const unsigned char* data, int length) {
  for (int i = 0; i < length; ++i) {
    Receive(data[i]);
  }
}

void VirtualChain::Receive(unsigned char byte) {
  ++m_bytes;
  if (byte >= FIRST_COMMAND && byte <= LAST_COMMAND) {
    Drop();
    const int payload = PayloadLength(byte);
    if (payload < 0) {
      return;  // F4: no command, nothing waits for payload
    }
    m_message[0] = byte;
    m_have = 1;
    m_needed = payload;
  } else if (m_have > 0 && m_needed > 0) {
    m_message[m_have++] = byte;
    --m_needed;
  } else {
    ++m_dropped;  // stray payload
    return;
  }
  if (m_needed == 0) {
    Apply();
    m_have = 0;
  }
}

void VirtualChain::Break(long long stamp) {
  Drop();
  ++m_resets;
  m_lastReset = stamp;
  ++m_generation;
}

void VirtualChain::Drop() {
  if (m_have > 0 && m_needed > 0) {
    ++m_dropped;
  }
  m_have = 0;
  m_needed = 0;
}

const VirtualBoard& VirtualChain::Board(long number) const {
  if (number < 1 || number > static_cast<long>(m_boards.size())) {
    return NEW_BOARD;
  }
  return m_boards[number - 1];
}

template <typename Set>
void VirtualChain::ForSelected(Set set) {
  if (m_selectCount <= 0) {
    return;
  }
  const long end = std::min(m_selectStart + m_selectCount, MAX_BOARDS);
  if (static_cast<long>(m_boards.size()) < end) {
    m_boards.resize(end);
  }
  for (long i = m_selectStart; i < end; ++i) {
    set(m_boards[i]);
  }
  ++m_generation;
}

void VirtualChain::Apply() {
  const unsigned char* payload = m_message + 1;
  switch (m_message[0]) {
    case CMD_SELECT:
      m_selectStart = Value14(payload[0], payload[1]);
      m_selectCount = Value14(payload[2], payload[3]);
      break;
    case CMD_COLOUR:
    case CMD_BLINK: {
      const bool colour = m_message[0] == CMD_COLOUR;
      ForSelected([&](VirtualBoard& board) {
        (colour ? board.colour : board.blink) = payload[0];
        board.given = true;
      });
      if (m_selectCount > 0) {
        m_highestGiven = std::max(m_highestGiven, std::min(m_selectStart + m_selectCount, MAX_BOARDS));
      }
      break;
    }
    case CMD_FADE:
      m_lastFade = payload[0];
      ForSelected([&](VirtualBoard& board) { board.fade = payload[0]; });
      break;
    case CMD_SPEED:
      m_speedCode = payload[0];
      ++m_generation;
      break;
    case CMD_STORE:
      if (payload[1] == ERASE_SCENE) {
        m_rom.clear();
      } else {
        m_rom[payload[1]] = RomScene{payload[0], m_boards};
      }
      ++m_generation;
      break;
    default:
      break;  // CMD_SYNC: nothing but the end of any message in progress
  }
}

int ChainLink::Write(const unsigned char* data, int length) {
  if (!m_open) {
    return 0;
  }
  m_chain.Receive(data, length);
  return length;
}

void ChainLink::Break() {
  if (m_open) {
    m_chain.Break();
  }
}
