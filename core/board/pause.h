#pragma once
#include <atomic>

// Every fixed pause of the board link (protocol pauses, the FTDI break,
// debounce steps) goes through here. The program sleeps; the test build
// links a recorder in its place, so tests see the pauses without waiting.
void PauseMilliseconds(int milliseconds);

// The program's pauses on the calling thread end early once `*interrupt`
// is true, so that the board link's worker can close the port without
// waiting out a 2 s erase. Null (the default) lets them run their length.
// The test build links its own pair with the recorder: it never waits, and
// only keeps the pointer.
void SetPauseInterrupt(const std::atomic<bool>* interrupt);
const std::atomic<bool>* PauseInterrupt();
