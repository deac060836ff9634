#pragma once
// The record of what the boards hold. The line to the boards is one-way, so
// they cannot be asked; the program is their only writer and keeps its own
// record instead: one file per port under ~/.lumivane/rom/, replaced in one
// step after each Program and Clear, holding the scenario text as
// programmed, when, where, at which speed, how many scenes and a SHA-256 of
// the text, and how far the writing got.
//
// A record is keyed so that it follows the boards' line: an FTDI adapter
// by its serial number (from one USB socket to another), a tty by its
// device name, the virtual boards by their own key.
//
// Whoever drives the board commands writes it: the board session after its
// Program and Clear, and `lumivane-cli send` after its own.
#include <ctime>
#include <string>

#include "core/board/board_commands.h"
#include "core/model/scenario.h"

struct RomRecord {
  enum class State {
    COMPLETE,  // every scene stored
    PARTIAL,   // Program stopped: scenes 1 to `scenesStored` stored
    ERASED,    // the ROM erased, nothing stored
  };
  std::string port;  // the port's name as the settings had it
  std::string key;   // RomRecordKey(port) when written
  time_t time = 0;
  LinkSpeed speed = LinkSpeed::STANDARD;
  State state = State::ERASED;
  int sceneCount = 0;    // scenes of the text
  int scenesStored = 0;  // COMPLETE: sceneCount; PARTIAL: k; ERASED: 0
  std::string sha256;    // of `text`
  std::string text;      // the scenario text as programmed; "" when erased
};

// "complete", "partial, scenes 1 to k" or "erased".
std::string RomStateText(const RomRecord& record);
// "standard" or "high".
std::string RomSpeedText(LinkSpeed speed);
// Local time, "2026-12-09 16:20:15".
std::string RomTimeText(time_t time);

// The key of the record of `port`: "virtual-boards", "ftdi-" and the
// adapter's serial number (the port name when no adapter answers), or
// "tty-" and the device name without "/dev/".
std::string RomRecordKey(const std::string& port);

// ~/.lumivane/rom (HOME, else the password database's home directory).
std::string DefaultRomDirectory();
// The record file of `key` in `directory`.
std::string RomRecordPath(const std::string& directory, const std::string& key);

// The record's file bytes, and the record a file's bytes hold. Parsing is
// strict: a missing or odd header line, a length or a digest that does not
// match the text make it false, so that a damaged file never passes for a
// record.
std::string FormatRomRecord(const RomRecord& record);
bool ParseRomRecord(const std::string& bytes, RomRecord* record);

// Writes `record` as the record of its key (creating the directory), in one
// step. Returns 0 or an errno value.
int WriteRomRecord(const std::string& directory, const RomRecord& record);

// What reading the record of a port found. DAMAGED (with a warning naming
// the file) reads as no record: never as a record that might be wrong.
struct RomRecordRead {
  enum class Status { FOUND, NONE, DAMAGED };
  Status status = Status::NONE;
  RomRecord record;
  std::string warning;
  bool Found() const { return status == Status::FOUND; }
};
RomRecordRead ReadRomRecord(const std::string& directory, const std::string& port);

// The records the board commands leave. AfterProgram: COMPLETE when every
// scene was stored, else PARTIAL with the scenes stored, else ERASED when
// the erase went out before the stop; false when Program stopped before it
// touched the ROM (the record stays as it was).
bool RecordAfterProgram(const BoardTarget& target, const Scenario& scenario, const BoardOutcome& outcome,
                        bool eraseWentOut, time_t now, RomRecord* record);
RomRecord RecordAfterClear(const BoardTarget& target, time_t now);

// RecordAfterProgram and WriteRomRecord: 0, an errno value, or 0 when
// nothing was to be written.
int NoteProgramInRom(const std::string& directory, const BoardTarget& target, const Scenario& scenario,
                     const BoardOutcome& outcome, bool eraseWentOut, time_t now);
// WriteRomRecord(RecordAfterClear) for a Clear that went out.
int NoteClearInRom(const std::string& directory, const BoardTarget& target, time_t now);
