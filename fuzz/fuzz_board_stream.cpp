// Random bytes and breaks into a chain of boards: nothing crashes, every
// board value stays in its range, and every message the boards took is
// the one the core's encoder builds for its values.
#include <cstddef>
#include <cstdint>

#include "board_stream.h"
#include "check.h"
#include "core/board/protocol_bytes.h"

namespace {

// 0xFF 0xFF is the byte 0xFF; 0xFF and any other byte is a break.
constexpr uint8_t ESCAPE = 0xFF;

bool SameBytes(const StreamMessage& got, const BoardMessage& built) {
  if (got.command != built.command || got.payloadLength != built.payloadLength) return false;
  for (int i = 0; i < got.payloadLength; ++i) {
    if (got.payload[static_cast<size_t>(i)] != built.payload[static_cast<size_t>(i)]) return false;
  }
  return true;
}

void CheckEncoding(const StreamMessage& m) {
  if (!m.applied) {
    return;
  }
  const auto& p = m.payload;
  switch (m.command) {
    case CMD_COLOUR: FUZZ_CHECK(SameBytes(m, ColourMessage(p[0]))); break;
    case CMD_FADE: FUZZ_CHECK(SameBytes(m, FadeMessage(p[0]))); break;
    case CMD_BLINK: FUZZ_CHECK(SameBytes(m, BlinkMessage(p[0]))); break;
    case CMD_SELECT:
      // The encoder keeps bit 0 of each high byte clear.
      if ((p[1] & 1) == 0 && (p[3] & 1) == 0) {
        FUZZ_CHECK(SameBytes(m, SelectMessage(p[0] + 128L * p[1], p[2] + 128L * p[3])));
      }
      break;
    case CMD_SPEED: FUZZ_CHECK(SameBytes(m, SpeedMessage())); break;
    case CMD_STORE:
      FUZZ_CHECK(SameBytes(m, p[1] == 0xDF && p[0] == 0 ? EraseMessage() : StoreMessage(p[0] / 2.0, p[1])));
      break;
    case CMD_SYNC: FUZZ_CHECK(SameBytes(m, SyncMessage())); break;
    default: FUZZ_CHECK(false);
  }
}

void CheckRanges(const BoardChain& chain) {
  for (const Board& board : chain.Boards()) {
    FUZZ_CHECK(board.colour >= 0 && board.colour < 216);
    FUZZ_CHECK(board.fade >= 0 && board.fade <= 255);
    FUZZ_CHECK(board.blink >= 0 && board.blink <= 255);
  }
  FUZZ_CHECK(chain.Baud() == 9600 || chain.Baud() == 115200);
  FUZZ_CHECK(chain.SelectStart() >= 0 && chain.SelectStart() <= BoardChain::MAX_ADDRESS);
  FUZZ_CHECK(chain.SelectCount() >= 0 && chain.SelectCount() <= BoardChain::MAX_ADDRESS);
  FUZZ_CHECK(chain.Stored().size() <= static_cast<size_t>(BoardChain::MAX_STORED));
  for (const StoredScene& scene : chain.Stored()) {
    FUZZ_CHECK(scene.number >= 1 && scene.number <= BoardChain::MAX_STORED);
    FUZZ_CHECK(scene.hold >= 0 && scene.hold <= BoardChain::MAX_HOLD);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BoardChain chain;
  size_t messages = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == ESCAPE && i + 1 < size) {
      ++i;
      if (data[i] == ESCAPE) {
        chain.Byte(ESCAPE);
      } else {
        chain.Break();
      }
    } else {
      chain.Byte(data[i]);
    }
    if (chain.Messages().size() != messages) {
      FUZZ_CHECK(chain.Messages().size() == messages + 1);
      const StreamMessage& last = chain.Messages().back();
      FUZZ_CHECK(last.payloadLength == PayloadLength(last.command));
      CheckEncoding(last);
      messages = chain.Messages().size();
    }
  }
  CheckRanges(chain);
  return 0;
}
