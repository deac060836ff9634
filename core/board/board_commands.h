#pragma once
// The board commands without a window: opening the link with its start-up
// sequence, sending a scene, erasing the boards' ROM, and the Reset, Clear
// and Program sequences. Each writes, breaks and pauses exactly as the
// boards expect; none shows anything. Hooks tell the caller where a
// sequence stands, so that a window can put up its texts at the same
// moments, and the results say what failed; the caller words the messages.
//
// How a caller uses them (the window's commands in brackets):
//   [OpenLink(text)]  OpenBoardLink(link, target, {opening = show text}) == 0
//   [SendScene]       SendSceneToBoards(link, target, scene, {opening = show
//                     "Opening port"}); OPEN_FAILED -> the port message,
//                     WRITE_FAILED -> the transmission message (the link is
//                     closed already).
//   [Reset]           ResetBoards(link, target, {opening = "Resetting boards"})
//   [Clear]           ClearBoards(link, target, {opening = "Resetting boards",
//                     erasing = "Erasing ROM"})
//   [Program]         ProgramBoards(link, target, scenario, {opening, erasing,
//                     sceneStarting = select the page, writingScene = "Writing
//                     scene %d", programmed = "Completed" status and box,
//                     keepGoing = not cancelled})
// A command that finds the link open closes it first where the window does
// (Reset, Clear, Program). A write failure in SendSceneToBoards, ClearBoards
// or ProgramBoards closes the link, since the adapter may be gone; the next
// command then opens it afresh.
#include <functional>
#include <string>
#include <vector>

#include "core/model/scenario.h"

class BoardLink;

constexpr int STANDARD_BAUD = 9600;
// How long the boards take to erase their ROM.
constexpr int ERASE_PAUSE_MS = 2000;
constexpr int HIGH_BAUD = 115200;

enum class LinkSpeed {
  STANDARD,  // 9600 bit/s
  HIGH,      // the boards are told to switch, then 115200 bit/s
};

// The port as the settings name it, and the speed chosen there.
struct BoardTarget {
  std::string port;
  LinkSpeed speed = LinkSpeed::STANDARD;
};

// CANCELLED: Program stopped between two scenes as its keepGoing hook asked.
enum class BoardResult { OK, OPEN_FAILED, WRITE_FAILED, CANCELLED };

struct BoardOutcome {
  BoardResult result = BoardResult::OK;
  int openError = 0;     // OPEN_FAILED: what the failed open returned
  int scenesStored = 0;  // ProgramBoards: scenes stored in the boards
};

// Moments of a sequence; each may be left empty.
struct BoardHooks {
  std::function<void()> opening;                 // the closed link is about to open
  std::function<void(int scene)> sceneStarting;  // Program: scene (from 0) about to go out
  std::function<void()> erasing;                 // the erase message is about to go out
  std::function<void(int number)> writingScene;  // Program: scene `number` (from 1) is stored
  std::function<void()> programmed;              // Program: all stored, before the closing break
  std::function<bool()> keepGoing;               // Program: asked before each scene; false stops
};

// Opens the link unless it is open already: at 9600 bit/s, sync, pause 500,
// break, pause 500; for HIGH then the speed message, pause 100, a reopening
// at 115200, pause 100. Returns 0 when the link is open afterwards, else the
// result of the open that failed.
int OpenBoardLink(BoardLink& link, const BoardTarget& target, const BoardHooks& hooks = {});

// Writes one scene on an open link: select all, its fade, then for each row
// that RowSent takes: select its range, its colour, its blink. Stops at the
// first write the line refuses and returns false.
bool WriteScene(BoardLink& link, const Scene& scene);

// The erase message, then 2 s for the boards to erase (also after a failed
// write). False when the line refused it.
bool EraseBoardRom(BoardLink& link, const BoardHooks& hooks = {});

// OpenBoardLink, then WriteScene.
BoardOutcome SendSceneToBoards(BoardLink& link, const BoardTarget& target, const Scene& scene,
                               const BoardHooks& hooks = {});

// A fresh opening: the start-up sequence resets the boards.
BoardOutcome ResetBoards(BoardLink& link, const BoardTarget& target, const BoardHooks& hooks = {});

// A fresh opening, then EraseBoardRom.
BoardOutcome ClearBoards(BoardLink& link, const BoardTarget& target, const BoardHooks& hooks = {});

// Stores every scene in the boards, from a fresh opening. Each scene is
// sent, pause 100, (the first only: the ROM erased and the scene sent
// again), then stored: store message, pause 100. At the end the
// `programmed` hook, a break and pause 500. Stops at the first failure;
// scenesStored says how many went in. When keepGoing says no before a
// scene, it stops there (CANCELLED): the boards keep the scenes stored, no
// closing break follows.
BoardOutcome ProgramBoards(BoardLink& link, const BoardTarget& target, const Scenario& scenario,
                           const BoardHooks& hooks = {});

// How long ProgramBoards takes, estimated from the line's speed (10 bits a
// byte), its pauses and breaks: element k is the time (seconds) from the
// start of scene k (from 0) to the end; one element more for the end (0).
std::vector<double> ProgramSecondsLeft(const BoardTarget& target, const Scenario& scenario);
