#pragma once
// What `send --run` and `serve` share: the link that lets the line finish
// before the port closes, the printer of a run's events that reads a changed
// file again, the interrupt that ends them, and the 100 ms tick they keep.
#include <time.h>

#include <algorithm>
#include <memory>
#include <string>

#include "core/board/board_session.h"
#include "core/format/scenario_file.h"
#include "core/model/scenario.h"
#include "core/serial/pause.h"
#include "tools/command_line.h"

void PrintScene(const Scenario& scenario, int scene);

// SIGINT and SIGTERM set a flag instead of ending the program.
void CatchInterrupts();
bool Interrupted();

// The next 100 ms tick after `time`; whether `a` comes before `b`.
void AddTick(timespec* time);
bool Before(const timespec& a, const timespec& b);

// A link that keeps count of the bytes the line may still be sending.
// Closing a serial port discards output still queued, which the window
// never meets, since it keeps the port open; a command that ends right
// after its writes must first give the line that time, so Close waits.
class SendingLink : public BoardLink {
 public:
  explicit SendingLink(std::unique_ptr<BoardLink> link) : m_link(std::move(link)) {}
  int Open(const std::string& port, int baud) override {
    m_baud = baud;
    m_queued = 0;
    return m_link->Open(port, baud);
  }
  void Close() override {
    if (m_link->IsOpen() && m_queued > 0 && m_baud > 0) {
      const long long lineMs = (m_queued * BITS_PER_BYTE * 1000 + m_baud - 1) / m_baud;
      // Not a pause a cancel may cut short: the bytes are on their way.
      PauseMilliseconds(static_cast<int>(lineMs + lineMs / 2 + SENT_MARGIN_MS));
    }
    m_queued = 0;
    m_link->Close();
  }
  bool IsOpen() const override { return m_link->IsOpen(); }
  int Write(const unsigned char* data, int length) override {
    const int written = m_link->Write(data, length);
    m_queued += written > 0 ? written : 0;
    return written;
  }
  void Break() override { m_link->Break(); }
  void Pause(int milliseconds) override {
    m_link->Pause(milliseconds);
    m_queued -= std::min(m_queued, static_cast<long long>(milliseconds) * m_baud / BITS_PER_BYTE / 1000);
  }
  unsigned char ReadInputs() override { return m_link->ReadInputs(); }
  void InterruptPausesWith(const std::atomic<bool>* interrupt) override { m_link->InterruptPausesWith(interrupt); }

 private:
  static constexpr long long BITS_PER_BYTE = 10;  // 8N1
  static constexpr int SENT_MARGIN_MS = 20;       // the adapter's own buffer
  std::unique_ptr<BoardLink> m_link;
  int m_baud = 0;
  long long m_queued = 0;
};

// The file a run plays is looked at every second: nobody is asked, so a
// change made in an editor is on the boards from the next transfer on.
// A file that cannot be read keeps the scenario playing and is tried again
// at its next change.
constexpr int FILE_WATCH_TICKS = 10;

// What the board session tells of the run, printed; the file watch's
// changes read again.
class RunPrinter : public BoardSessionListener {
 public:
  RunPrinter(BoardSession& session, const std::string& path, Scenario& scenario, time_t known)
      : m_session(session), m_file{path, known}, m_scenario(scenario) {}
  void OnBoardEvent(const BoardEvent& event) override {
    switch (event.kind) {
      case LinkReport::RUN_STARTED:
      case LinkReport::RUN_SCENE:
        PrintScene(m_scenario, event.number);
        break;
      case LinkReport::RUN_INPUT:
        printf("Input %d active\n", event.number);
        fflush(stdout);
        break;
      case LinkReport::RUN_FAILED:
        outcome = event.outcome;
        break;
      case LinkReport::RUN_STOPPED:
        over = true;
        break;
      case LinkReport::FINISHED:
        if (event.job == LinkJob::RUN && event.outcome.result != BoardResult::OK) {
          outcome = event.outcome;  // the first scene did not go out
          over = true;
        }
        break;
      case LinkReport::FILE_CHANGED:
        Reload();
        break;
      default:
        break;
    }
  }
  WatchedFile File() const { return m_file; }
  BoardOutcome outcome;
  bool over = false;

 private:
  void Reload() {
    m_file.knownTime = ScenarioFileTime(m_file.path);
    Scenario changed;
    if (ReadScenario(m_file.path, &changed, &m_file.knownTime)) {
      m_scenario = std::move(changed);
      m_session.UpdateScenario(m_scenario);
      printf("Reloaded %s\n", m_file.path.c_str());
      fflush(stdout);
    }
  }

  BoardSession& m_session;
  WatchedFile m_file;
  Scenario& m_scenario;
};
