#include "board_stream.h"

#include <algorithm>

#include "core/board/protocol_bytes.h"

namespace {

constexpr int COLOURS = 216;
constexpr unsigned char SPEED_HIGH = 0x02;
constexpr unsigned char ERASE_SCENE = 0xDF;

int Address(unsigned char low, unsigned char high) { return low + 128 * high; }

}  // namespace

void BoardChain::Byte(unsigned char byte) {
  if (m_missing < 0) {
    const int length = PayloadLength(byte);
    if (length < 0) {
      return;  // not a command: the boards wait for one
    }
    m_pending = StreamMessage();
    m_pending.command = byte;
    m_missing = length;
  } else {
    m_pending.payload[static_cast<size_t>(m_pending.payloadLength++)] = byte;
    --m_missing;
  }
  if (m_missing == 0) {
    m_missing = -1;
    Apply(&m_pending);
    m_messages.push_back(m_pending);
  }
}

void BoardChain::Break() {
  m_missing = -1;
  m_baud = 9600;
  m_selectStart = 0;
  m_selectCount = 0;
}

template <typename Change>
void BoardChain::ForSelected(Change change) {
  const int first = std::min(m_selectStart, BOARDS);
  const int last = std::min(m_selectStart + m_selectCount, BOARDS);
  for (int board = first; board < last; ++board) {
    change(m_boards[static_cast<size_t>(board)]);
  }
}

void BoardChain::Apply(StreamMessage* message) {
  const auto& p = message->payload;
  switch (message->command) {
    case CMD_COLOUR:
      if (p[0] >= COLOURS) return;
      ForSelected([&](Board& board) { board.colour = p[0]; });
      break;
    case CMD_FADE:
      ForSelected([&](Board& board) { board.fade = p[0]; });
      break;
    case CMD_BLINK:
      ForSelected([&](Board& board) { board.blink = p[0]; });
      break;
    case CMD_SELECT:
      if (std::any_of(p.begin(), p.end(), [](unsigned char byte) { return byte >= 0x80; })) return;
      m_selectStart = Address(p[0], p[1]);
      m_selectCount = Address(p[2], p[3]);
      break;
    case CMD_SPEED:
      if (p[0] != SPEED_HIGH) return;
      m_baud = 115200;
      break;
    case CMD_STORE:
      if (p[0] == 0 && p[1] == ERASE_SCENE) {
        m_stored.clear();
        break;
      }
      if (p[0] > MAX_HOLD || p[1] < 1 || p[1] > MAX_STORED) return;
      m_stored.erase(std::remove_if(m_stored.begin(), m_stored.end(),
                                    [&](const StoredScene& s) { return s.number == p[1]; }),
                     m_stored.end());
      m_stored.push_back(StoredScene{p[1], p[0]});
      break;
    case CMD_SYNC:
      ++m_syncs;
      break;
    default:
      return;
  }
  message->applied = true;
}
