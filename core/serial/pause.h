#pragma once
#include <atomic>

// Every fixed pause on the line (the protocol's pauses, the FTDI break,
// debounce steps) goes through here. The program sleeps; the test build
// links a recorder in its place, so tests see the pauses without waiting.
// With `interrupt`, the program's pause ends early once `*interrupt` is
// true, so that a thread that owns a port can close it without waiting out
// a long pause; the recorder never waits.
void PauseMilliseconds(int milliseconds, const std::atomic<bool>* interrupt = nullptr);
