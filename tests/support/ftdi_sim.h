#pragma once

// A simulated FTDI bus that answers the FT_* calls of serial/ftdi_layer.h in
// test binaries, from any thread. Tests describe the attached devices, set the input pins and
// read back one event log of every call, with the bytes each write handed
// over. The pause recorder appends each pause to the same log, so a test can
// check writes, breaks and pauses in their real order.

#include <cstddef>
#include <string>
#include <vector>

struct FtdiSimEvent {
  std::string call;                 // "FT_Open", "FT_Write", ... or "pause"
  int device = -1;                  // index of the device called, -1 if none
  std::vector<unsigned long> args;  // the call's numeric arguments, in order
  std::vector<unsigned char> bytes; // FT_Write: the bytes the device took
  unsigned long status = 0;         // what the call returned (0 = FT_OK)
};

// Removes every device and event, sets the inputs high (0x0F), and lets
// writes take everything again. Call at the start of each test.
void FtdiSimReset();

// Attaches a device at the next index and returns that index. A busy device
// refuses FT_Open, as one held by another program does.
int FtdiSimAddDevice(const std::string& description, bool busy = false);

// Levels of the four CBUS pins as the outside world drives them (bits 0..3).
void FtdiSimSetInputPins(unsigned char levels);

// Input 1 changes level after every read, as a loose contact does.
void FtdiSimFlickerInputs(bool flicker);

// Each FT_Write takes at most this many bytes (0: none at all), as an
// adapter whose buffer is full does after its write timeout. Negative lifts
// the limit.
void FtdiSimSetWriteLimit(long bytes_per_call);

// Makes every later FT_Write fail with an I/O error.
void FtdiSimFailWrites(bool fail);

// Each FT_Write then takes as long as the line needs for its bytes at the
// rate set (10 bits a byte), as an adapter with no room left does.
void FtdiSimSetLinePace(bool pace);

// Appends a pause to the event log (called by the pause recorder).
void FtdiSimRecordPause(int milliseconds);

// A copy: the board link's thread may add to the log meanwhile.
std::vector<FtdiSimEvent> FtdiSimEvents();

// The log as short lines: "FT_Open 1", "FT_SetBaudRate 9600",
// "FT_Write F8 00", "FT_SetBreakOn", "pause 200", ... Numbers in decimal,
// written bytes in hex; a failed call ends in " -> status".
std::vector<std::string> FtdiSimTrace();

// The same, restricted to writes, breaks and pauses.
std::vector<std::string> FtdiSimLineTrace();

// Every byte the devices took, in order.
std::vector<unsigned char> FtdiSimWrittenBytes();

// Devices open right now.
int FtdiSimOpenCount();
