#pragma once
// The ranges the boards take. The editor warns about values outside them
// and never rejects one; hold times have theirs in HoldTime.
constexpr long MAX_BLINK = 14;
constexpr long MAX_FADE = 216;
// A description longer than this is told of when typed.
constexpr int LONG_DESCRIPTION_BYTES = 400;
