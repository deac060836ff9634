#pragma once
// What the virtual boards show at a moment: one colour a board, with blink
// and fade played out at nominal rates. The board monitor paints its tiles
// from it and the preview export draws its frames from it, so the two can
// never disagree.
//
// A board's colour change is seen when Update takes the chain in: from
// then on the tile blends from what it showed to the new colour over the
// board's fade. Blink b shows b x 100 ms lit, then as long dark (black),
// counted from time 0 of the caller's clock. What real boards do with
// blink and fade values is not known to the program.
#include <vector>

#include "core/model/colour_numbers.h"

class VirtualChain;

constexpr int BOARD_BLINK_STEP_MS = 100;  // blink b: b x 100 ms lit, as long dark
constexpr int BOARD_FADE_STEP_MS = 100;   // fade f: a new colour blends in over f x 100 ms
constexpr long BOARD_FRAME_MIN_BOARDS = 8;

// A board as shown: `given` false for a board never given a colour or
// blink, which shows no colour.
struct ShownBoard {
  bool given = false;
  Rgb colour{0, 0, 0};
};

bool SameRgb(const Rgb& a, const Rgb& b);
bool operator==(const ShownBoard& a, const ShownBoard& b);
inline bool operator!=(const ShownBoard& a, const ShownBoard& b) { return !(a == b); }

class BoardFrameRenderer {
 public:
  BoardFrameRenderer();

  // Takes in the chain as it is at `nowMs`: a board whose colour changed
  // starts blending over its fade. Returns whether a board changed or the
  // count of boards did.
  bool Update(const VirtualChain& chain, long long nowMs);

  // Board 1 up to the highest board given a colour or blink, at least
  // BOARD_FRAME_MIN_BOARDS.
  long BoardCount() const { return static_cast<long>(m_boards.size()); }
  // Board `number` (from 1) as shown at `nowMs`; a board outside the count
  // reads as never given.
  ShownBoard Shown(long number, long long nowMs) const;
  // Every board as shown at `nowMs`, board 1 first.
  std::vector<ShownBoard> Frame(long long nowMs) const;

  // The colour number board `number` (from 1) was given, or -1 when none.
  int ColourNumber(long number) const {
    return number >= 1 && number <= BoardCount() && m_boards[number - 1].given ? m_boards[number - 1].colour : -1;
  }

  // Whether a given board blinks; frames then change without an Update.
  bool Blinking() const { return m_blinking; }
  // When the last fade under way ends.
  long long FadesEnd() const { return m_fadesEnd; }

 private:
  struct Board {
    bool given = false;
    unsigned char colour = 0;
    unsigned char blink = 0;
    Rgb from{0, 0, 0};
    Rgb to{0, 0, 0};
    long long fadeStart = 0;
    int fadeMs = 0;
  };
  Rgb Blended(const Board& board, long long nowMs) const;

  std::vector<Board> m_boards;
  const VirtualChain* m_chain = nullptr;
  unsigned long m_generation = 0;
  bool m_blinking = false;
  long long m_fadesEnd = 0;
};
