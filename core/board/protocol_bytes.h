#pragma once
// The byte protocol of the lighting boards: a command byte 0xF1..0xF8 and a
// fixed number of payload bytes. These functions only build messages;
// WriteBoardMessage sends one in the writes the boards expect.
#include <array>

#include "core/model/hold_time.h"

class BoardLink;

enum BoardCommand : unsigned char {
  CMD_COLOUR = 0xF1,
  CMD_FADE = 0xF2,
  CMD_BLINK = 0xF3,
  CMD_SELECT = 0xF5,
  CMD_SPEED = 0xF6,
  CMD_STORE = 0xF7,
  CMD_SYNC = 0xF8,
};

// How a message goes onto the line.
enum class MessageWrites {
  COMMAND_THEN_PAYLOAD,  // the command byte, then the payload in a second write
  ONE_WRITE,             // the whole message in one write
  EACH_BYTE,             // every byte in a write of its own
};

struct BoardMessage {
  unsigned char command = 0;
  std::array<unsigned char, 4> payload{};
  int payloadLength = 0;
  MessageWrites writes = MessageWrites::COMMAND_THEN_PAYLOAD;
};

// Selects boards start+1 .. start+count. Each value goes out as a low byte
// (bits 0..6) and a high byte (bits 8..13 of the value in bits 1..6; the
// boards expect bit 0 of the high byte clear).
BoardMessage SelectMessage(long start, long count);
BoardMessage SelectAllMessage();
// The low byte of the fade value.
BoardMessage FadeMessage(int fade);
BoardMessage ColourMessage(int colourIndex);
// The low byte of the blink value.
BoardMessage BlinkMessage(long blink);
// Stores a scene in the boards' ROM: its hold time and its number from 1.
BoardMessage StoreMessage(HoldTime hold, int sceneNumber);
// Erases the boards' ROM.
BoardMessage EraseMessage();
// Tells the boards to switch to 115200 bit/s.
BoardMessage SpeedMessage();
// Sync, also the keep-alive.
BoardMessage SyncMessage();

// Payload bytes that follow a command byte; -1 for a byte that is no command.
int PayloadLength(unsigned char command);

// A hold time in half-seconds, as its low byte (HoldTime::RomByte).
unsigned char HoldByte(HoldTime hold);

// Writes the message through the link in the writes its MessageWrites
// names. True when the line took every byte; stops at the first short write.
bool WriteBoardMessage(BoardLink& link, const BoardMessage& message);
