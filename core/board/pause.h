#pragma once

// Every fixed pause of the board link (protocol pauses, the FTDI break,
// debounce steps) goes through here. The program sleeps; the test build
// links a recorder in its place, so tests see the pauses without waiting.
void PauseMilliseconds(int milliseconds);
