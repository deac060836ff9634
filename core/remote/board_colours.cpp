#include "core/remote/board_colours.h"

#include "core/model/colour_numbers.h"

std::vector<uint32_t> ChainColours(const VirtualChain& chain) {
  std::vector<uint32_t> colours;
  const long highest = chain.HighestGiven();
  colours.reserve(static_cast<size_t>(highest));
  for (long number = 1; number <= highest; ++number) {
    const VirtualBoard& board = chain.Board(number);
    if (!board.given) {
      colours.push_back(0);
      continue;
    }
    const Rgb rgb = IndexToColour(board.colour);
    colours.push_back(static_cast<uint32_t>(rgb.red) << 16 | static_cast<uint32_t>(rgb.green) << 8 | rgb.blue);
  }
  return colours;
}
