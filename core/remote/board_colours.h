#pragma once
// The boards' colours as remotes show them: what a chain of boards (the
// virtual boards, or the mirror of a real port) holds now.
#include <cstdint>
#include <vector>

#include "core/board/virtual_chain.h"

// 0xRRGGBB of boards 1 up to the highest one given a colour or blink; a
// board below it that nothing reached is black. Empty while none is given.
std::vector<uint32_t> ChainColours(const VirtualChain& chain);
