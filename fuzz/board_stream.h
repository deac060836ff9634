#pragma once
// A chain of boards as the byte stream drives them, for the fuzz target:
// the boards' side of core/board/protocol_bytes.h. A command byte
// (0xF1..0xF8) is followed by its fixed number of payload bytes, whatever
// their values; other bytes between messages are ignored, and a break drops
// a message in progress and resets the chain's speed and selection. A
// message whose values are out of range changes nothing.
#include <array>
#include <cstddef>
#include <vector>

struct Board {
  int colour = 0;  // 0..215
  int fade = 0;    // 0..255
  int blink = 0;   // 0..255
};

struct StoredScene {
  int number = 0;  // 1..64
  int hold = 0;    // half-seconds, 0..240
};

// A complete message as it came off the line.
struct StreamMessage {
  unsigned char command = 0;
  std::array<unsigned char, 4> payload{};
  int payloadLength = 0;
  bool applied = false;  // its values were in range
};

class BoardChain {
 public:
  static constexpr int BOARDS = 300;
  static constexpr int MAX_ADDRESS = 127 + 128 * 127;  // a 7-bit low and high byte
  static constexpr int MAX_STORED = 64;
  static constexpr int MAX_HOLD = 240;

  void Byte(unsigned char byte);
  void Break();

  const std::array<Board, BOARDS>& Boards() const { return m_boards; }
  const std::vector<StoredScene>& Stored() const { return m_stored; }
  const std::vector<StreamMessage>& Messages() const { return m_messages; }
  int Baud() const { return m_baud; }
  int SelectStart() const { return m_selectStart; }
  int SelectCount() const { return m_selectCount; }
  int Syncs() const { return m_syncs; }

 private:
  void Apply(StreamMessage* message);
  template <typename Change>
  void ForSelected(Change change);

  std::array<Board, BOARDS> m_boards{};
  std::vector<StoredScene> m_stored;
  std::vector<StreamMessage> m_messages;
  StreamMessage m_pending;
  int m_missing = -1;  // payload bytes still due; -1 between messages
  int m_baud = 9600;
  int m_selectStart = 0;
  int m_selectCount = 0;
  int m_syncs = 0;
};
