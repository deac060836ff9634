#pragma once
// A chain of boards as the line reaches them: it takes the bytes and the
// breaks that go onto the wire and keeps what each board holds. It decodes
// only the wire (protocol_bytes.h), never a scenario, so that what the
// encoders send can be checked against what boards would make of it. The
// "Virtual boards" line feeds one, the mirror of a real port another
// (board_lines.h), and so does `lumivane-cli play`.
//
// What a message does:
//   F5 a b c d   selects boards start+1 .. start+count, start = a + 128 b,
//                count = c + 128 d, of each byte its low 7 bits. Bit 7 of a
//                value never goes out (the encoder clears it), so the
//                selection aliases: From 129 selects board 1, a range of
//                128 boards selects none. 00 00 7F 7E selects every board.
//   F1 c / F3 b  colour index c / blink b of every selected board.
//   F2 f         fade f of every selected board.
//   F6 s         the speed message; its value is recorded.
//   F7 h n       stores every board's present state as ROM scene n with
//                hold h (half-seconds); n = DF erases the ROM instead.
//   F8           sync: a message in progress is dropped.
//   break        a message in progress is dropped; the boards are reset:
//                the reset is counted, the boards keep their state.
// Boards keep their values until a message changes them. Values are kept as
// the bytes received (colour 0..255 although the cube has 216).
//
// How the receiver finds its way back after a message cut short or stray
// bytes: the bytes F1..F8 are command bytes, and each one starts a new
// message, dropping any message still short of its payload (F4 names no
// command: it only drops). Every other byte is payload; with no message
// waiting for payload it is stray and ignored. Payload bytes of 0x80 and
// more do occur (colour up to 215 = D7, fade up to 216 = D8, hold up to 240 =
// F0, the erase scene DF), so a high bit cannot mark a command; but no value
// the editor allows reaches F1. Only a fade or blink from a hand-made file
// whose low byte falls in F1..F8 is taken for a command, as a real receiver
// could not tell either.
#include <map>
#include <vector>

#include "core/board/board_link.h"

struct VirtualBoard {
  unsigned char colour = 0;
  unsigned char blink = 0;
  unsigned char fade = 0;
  bool given = false;  // a colour or blink message has reached it
  bool operator==(const VirtualBoard& other) const {
    return colour == other.colour && blink == other.blink && fade == other.fade && given == other.given;
  }
};

// A scene stored in the boards' ROM.
struct RomScene {
  unsigned char hold = 0;  // half-seconds, as received
  std::vector<VirtualBoard> boards;  // board 1 first
};

class VirtualChain {
 public:
  // The highest board a selection reaches: 14-bit start plus 14-bit count.
  static constexpr long MAX_BOARDS = 2 * 16383;

  void Receive(const unsigned char* data, int length);
  void Receive(unsigned char byte);
  // A break on the line, at `stamp` (the caller's clock, for LastReset).
  void Break(long long stamp = 0);

  // Board `number` (from 1); a board that nothing has reached reads as new.
  const VirtualBoard& Board(long number) const;
  // The highest board given a colour or blink; 0 while none is.
  long HighestGiven() const { return m_highestGiven; }
  // The boards selected now: first (from 1) and count.
  long SelectionStart() const { return m_selectStart + 1; }
  long SelectionCount() const { return m_selectCount; }

  // The last fade value received, -1 before any.
  int LastFade() const { return m_lastFade; }
  // The value of the last speed message, -1 before any.
  int SpeedCode() const { return m_speedCode; }
  long long BytesReceived() const { return m_bytes; }
  // Messages cut short plus stray payload bytes.
  long long Dropped() const { return m_dropped; }
  long Resets() const { return m_resets; }
  long long LastReset() const { return m_lastReset; }
  // Scene number (as received) -> stored scene.
  const std::map<int, RomScene>& Rom() const { return m_rom; }
  // Goes up with every change of a board, the ROM, the speed or the resets.
  unsigned long Generation() const { return m_generation; }

 private:
  void Apply();
  void Drop();
  template <typename Set>
  void ForSelected(Set set);

  std::vector<VirtualBoard> m_boards;  // boards 1.. as far as any was reached
  long m_highestGiven = 0;
  long m_selectStart = 0;
  long m_selectCount = 0;
  unsigned char m_message[5] = {};
  int m_have = 0;     // bytes of the message in progress, its command first
  int m_needed = 0;   // payload bytes it still waits for
  int m_lastFade = -1;
  int m_speedCode = -1;
  long long m_bytes = 0;
  long long m_dropped = 0;
  long m_resets = 0;
  long long m_lastReset = 0;
  std::map<int, RomScene> m_rom;
  unsigned long m_generation = 0;
};

// A board link straight into a chain, for simulations and tests: while open,
// writes and breaks reach the chain; pauses take no time; the inputs read
// as set (bits 0..3, low = active).
class ChainLink : public BoardLink {
 public:
  explicit ChainLink(VirtualChain& chain) : m_chain(chain) {}
  int Open(const std::string&, int) override {
    m_open = true;
    return 0;
  }
  void Close() override { m_open = false; }
  bool IsOpen() const override { return m_open; }
  int Write(const unsigned char* data, int length) override;
  void Break() override;
  void Pause(int) override {}
  unsigned char ReadInputs() override { return m_inputs; }

  void SetInputs(unsigned char levels) { m_inputs = levels; }

 private:
  VirtualChain& m_chain;
  bool m_open = false;
  unsigned char m_inputs = 0x0F;
};
