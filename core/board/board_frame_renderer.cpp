#include "core/board/board_frame_renderer.h"

#include <algorithm>

#include "core/board/virtual_chain.h"

namespace {

unsigned char Mix(unsigned char from, unsigned char to, double part) {
  return static_cast<unsigned char>(from + (to - from) * part + 0.5);
}

}  // namespace

bool SameRgb(const Rgb& a, const Rgb& b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

bool operator==(const ShownBoard& a, const ShownBoard& b) {
  return a.given == b.given && (!a.given || SameRgb(a.colour, b.colour));
}

BoardFrameRenderer::BoardFrameRenderer() : m_boards(BOARD_FRAME_MIN_BOARDS) {}

bool BoardFrameRenderer::Update(const VirtualChain& chain, long long nowMs) {
  if (&chain == m_chain && chain.Generation() == m_generation) {
    return false;
  }
  m_chain = &chain;
  m_generation = chain.Generation();
  bool changed = false;
  const size_t count = static_cast<size_t>(std::max(BOARD_FRAME_MIN_BOARDS, chain.HighestGiven()));
  if (count != m_boards.size()) {
    m_boards.resize(count);
    changed = true;
  }
  m_blinking = false;
  for (size_t i = 0; i < m_boards.size(); ++i) {
    const VirtualBoard& state = chain.Board(static_cast<long>(i + 1));
    Board& board = m_boards[i];
    if (state.given != board.given || state.colour != board.colour) {
      // From what the board shows now, so that a fade cut short goes on smoothly.
      board.from = board.given ? Blended(board, nowMs) : RGB_BLACK;
      board.to = IndexToColour(state.colour);
      board.fadeStart = nowMs;
      board.fadeMs = state.fade * BOARD_FADE_STEP_MS;
      board.given = state.given;
      board.colour = state.colour;
      m_fadesEnd = std::max(m_fadesEnd, nowMs + board.fadeMs);
      changed = true;
    }
    if (state.blink != board.blink) {
      board.blink = state.blink;
      changed = true;
    }
    m_blinking = m_blinking || (board.given && board.blink != 0);
  }
  return changed;
}

Rgb BoardFrameRenderer::Blended(const Board& board, long long nowMs) const {
  if (board.fadeMs <= 0 || nowMs >= board.fadeStart + board.fadeMs) {
    return board.to;
  }
  const double part = std::max(0.0, static_cast<double>(nowMs - board.fadeStart) / board.fadeMs);
  return Rgb{Mix(board.from.red, board.to.red, part), Mix(board.from.green, board.to.green, part),
             Mix(board.from.blue, board.to.blue, part)};
}

ShownBoard BoardFrameRenderer::Shown(long number, long long nowMs) const {
  if (number < 1 || number > BoardCount() || !m_boards[number - 1].given) {
    return ShownBoard{};
  }
  const Board& board = m_boards[number - 1];
  if (board.blink != 0 && (nowMs / (board.blink * BOARD_BLINK_STEP_MS)) % 2 == 1) {
    return ShownBoard{true, RGB_BLACK};  // the dark half of a blink
  }
  return ShownBoard{true, Blended(board, nowMs)};
}

std::vector<ShownBoard> BoardFrameRenderer::Frame(long long nowMs) const {
  std::vector<ShownBoard> frame;
  frame.reserve(m_boards.size());
  for (long number = 1; number <= BoardCount(); ++number) {
    frame.push_back(Shown(number, nowMs));
  }
  return frame;
}
