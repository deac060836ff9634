// The core's board chain (core/board/virtual_chain.h) fed a random mix of
// stray bytes, breaks and messages built by the core's encoders
// (core/board/protocol_bytes.h): nothing crashes, every value stays in its
// range, and after each encoded message the chain holds what the message
// says, whatever came before it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "check.h"
#include "core/board/protocol_bytes.h"
#include "core/board/virtual_chain.h"

namespace {

constexpr long MAX_VALUE = 16383;  // 14 bits
constexpr int BOARDS_CHECKED = 8;  // of a selection, the first ones

long Decoded(long value) { return (value & 0x7F) + 128 * ((value >> 7) & 0x7E); }

bool IsCommandByte(unsigned char byte) { return byte >= 0xF1 && byte <= 0xF8; }

struct Feed {
  VirtualChain chain;
  long long bytes = 0;
  long breaks = 0;

  void Message(const BoardMessage& message) {
    chain.Receive(message.command);
    chain.Receive(message.payload.data(), message.payloadLength);
    bytes += 1 + message.payloadLength;
  }

  template <typename Check>
  void ForSelected(Check check) const {
    const long first = chain.SelectionStart();
    const long last = std::min(first + chain.SelectionCount(), first + BOARDS_CHECKED);
    for (long board = first; board < last && board <= VirtualChain::MAX_BOARDS; ++board) {
      check(chain.Board(board));
    }
  }
};

void CheckRanges(const Feed& feed) {
  const VirtualChain& chain = feed.chain;
  FUZZ_CHECK(chain.BytesReceived() == feed.bytes);
  FUZZ_CHECK(chain.Resets() == feed.breaks);
  FUZZ_CHECK(chain.Dropped() >= 0 && chain.Dropped() <= chain.BytesReceived());
  FUZZ_CHECK(chain.SelectionStart() >= 1 && chain.SelectionStart() <= MAX_VALUE + 1);
  FUZZ_CHECK(chain.SelectionCount() >= 0 && chain.SelectionCount() <= MAX_VALUE);
  FUZZ_CHECK(chain.HighestGiven() >= 0 && chain.HighestGiven() <= VirtualChain::MAX_BOARDS);
  FUZZ_CHECK(chain.LastFade() >= -1 && chain.LastFade() <= 255);
  FUZZ_CHECK(chain.SpeedCode() >= -1 && chain.SpeedCode() <= 255);
  FUZZ_CHECK(chain.Rom().size() <= 256);
  for (const auto& [number, scene] : chain.Rom()) {
    FUZZ_CHECK(number >= 0 && number <= 255);
    FUZZ_CHECK(scene.boards.size() <= static_cast<size_t>(VirtualChain::MAX_BOARDS));
  }
  if (chain.HighestGiven() > 0) {
    FUZZ_CHECK(chain.Board(chain.HighestGiven()).given);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  Feed feed;
  while (input.remaining_bytes() > 0) {
    switch (input.ConsumeIntegralInRange(0, 9)) {
      case 0: {  // stray bytes, maybe a message cut short
        const size_t count = input.ConsumeIntegralInRange<size_t>(1, 6);
        for (size_t i = 0; i < count && input.remaining_bytes() > 0; ++i) {
          feed.chain.Receive(input.ConsumeIntegral<unsigned char>());
          ++feed.bytes;
        }
        break;
      }
      case 1:
        feed.chain.Break();
        ++feed.breaks;
        break;
      case 2: {
        // Mostly short chains, which cost little to follow; any value now and then.
        const long most = input.ConsumeIntegralInRange(0, 7) == 0 ? MAX_VALUE : 300;
        const long start = input.ConsumeIntegralInRange<long>(0, most);
        const long count = input.ConsumeIntegralInRange<long>(0, most);
        feed.Message(SelectMessage(start, count));
        FUZZ_CHECK(feed.chain.SelectionStart() == Decoded(start) + 1);
        FUZZ_CHECK(feed.chain.SelectionCount() == Decoded(count));
        break;
      }
      case 3: {
        const int colour = input.ConsumeIntegralInRange(0, 215);
        feed.Message(ColourMessage(colour));
        feed.ForSelected([&](const VirtualBoard& b) { FUZZ_CHECK(b.colour == colour && b.given); });
        break;
      }
      case 4: {
        const int fade = input.ConsumeIntegral<int>();
        feed.Message(FadeMessage(fade));
        if (!IsCommandByte(static_cast<unsigned char>(fade & 0xFF))) {
          FUZZ_CHECK(feed.chain.LastFade() == (fade & 0xFF));
          feed.ForSelected([&](const VirtualBoard& b) { FUZZ_CHECK(b.fade == (fade & 0xFF)); });
        }
        break;
      }
      case 5: {
        const long blink = input.ConsumeIntegral<long>();
        feed.Message(BlinkMessage(blink));
        if (!IsCommandByte(static_cast<unsigned char>(blink & 0xFF))) {
          feed.ForSelected([&](const VirtualBoard& b) { FUZZ_CHECK(b.blink == (blink & 0xFF) && b.given); });
        }
        break;
      }
      case 6: {
        const double hold = input.ConsumeIntegralInRange(0, 240) / 2.0;
        const int scene = input.ConsumeIntegralInRange(1, 64);
        feed.Message(StoreMessage(hold, scene));
        const auto stored = feed.chain.Rom().find(scene);
        FUZZ_CHECK(stored != feed.chain.Rom().end());
        FUZZ_CHECK(stored->second.hold == HoldByte(hold));
        FUZZ_CHECK(HoldByte(hold) == static_cast<unsigned char>(hold * 2));
        break;
      }
      case 7:
        feed.Message(EraseMessage());
        FUZZ_CHECK(feed.chain.Rom().empty());
        break;
      case 8:
        feed.Message(SyncMessage());
        break;
      default:
        feed.Message(SpeedMessage());
        FUZZ_CHECK(feed.chain.SpeedCode() == 2);
        break;
    }
  }
  CheckRanges(feed);
  return 0;
}
