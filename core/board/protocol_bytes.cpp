#include "core/board/protocol_bytes.h"

#include "core/board/board_link.h"

namespace {

constexpr unsigned char SPEED_HIGH = 0x02;
constexpr unsigned char ERASE_HOLD = 0x00;
constexpr unsigned char ERASE_SCENE = 0xDF;

unsigned char LowByte(long value) { return static_cast<unsigned char>(value & 0x7F); }
unsigned char HighByte(long value) { return static_cast<unsigned char>((value >> 7) & 0x7E); }

BoardMessage Message(unsigned char command, std::initializer_list<unsigned char> payload,
                     MessageWrites writes = MessageWrites::COMMAND_THEN_PAYLOAD) {
  BoardMessage message;
  message.command = command;
  for (unsigned char byte : payload) {
    message.payload[message.payloadLength++] = byte;
  }
  message.writes = writes;
  return message;
}

bool WriteAll(BoardLink& link, const unsigned char* bytes, int length) {
  return link.Write(bytes, length) == length;
}

}  // namespace

BoardMessage SelectMessage(long start, long count) {
  return Message(CMD_SELECT, {LowByte(start), HighByte(start), LowByte(count), HighByte(count)});
}

BoardMessage SelectAllMessage() { return Message(CMD_SELECT, {0x00, 0x00, 0x7F, 0x7E}); }

BoardMessage FadeMessage(int fade) {
  return Message(CMD_FADE, {static_cast<unsigned char>(fade & 0xFF)});
}

BoardMessage ColourMessage(int colourIndex) {
  return Message(CMD_COLOUR, {static_cast<unsigned char>(colourIndex & 0xFF)});
}

BoardMessage BlinkMessage(long blink) {
  return Message(CMD_BLINK, {static_cast<unsigned char>(blink & 0xFF)});
}

unsigned char HoldByte(HoldTime hold) {
  return hold.RomByte();
}

BoardMessage StoreMessage(HoldTime hold, int sceneNumber) {
  return Message(CMD_STORE,
                 {HoldByte(hold), static_cast<unsigned char>(sceneNumber & 0xFF)},
                 MessageWrites::EACH_BYTE);
}

BoardMessage EraseMessage() {
  return Message(CMD_STORE, {ERASE_HOLD, ERASE_SCENE}, MessageWrites::ONE_WRITE);
}

BoardMessage SpeedMessage() { return Message(CMD_SPEED, {SPEED_HIGH}, MessageWrites::ONE_WRITE); }

BoardMessage SyncMessage() { return Message(CMD_SYNC, {}); }

int PayloadLength(unsigned char command) {
  switch (command) {
    case CMD_COLOUR:
    case CMD_FADE:
    case CMD_BLINK:
    case CMD_SPEED:
      return 1;
    case CMD_SELECT:
      return 4;
    case CMD_STORE:
      return 2;
    case CMD_SYNC:
      return 0;
    default:
      return -1;
  }
}

bool WriteBoardMessage(BoardLink& link, const BoardMessage& message) {
  unsigned char bytes[1 + 4];
  bytes[0] = message.command;
  for (int i = 0; i < message.payloadLength; ++i) {
    bytes[1 + i] = message.payload[i];
  }
  const int length = 1 + message.payloadLength;
  switch (message.writes) {
    case MessageWrites::ONE_WRITE:
      return WriteAll(link, bytes, length);
    case MessageWrites::EACH_BYTE:
      for (int i = 0; i < length; ++i) {
        if (!WriteAll(link, bytes + i, 1)) {
          return false;
        }
      }
      return true;
    case MessageWrites::COMMAND_THEN_PAYLOAD:
      break;
  }
  if (!WriteAll(link, bytes, 1)) {
    return false;
  }
  return message.payloadLength == 0 || WriteAll(link, bytes + 1, message.payloadLength);
}
