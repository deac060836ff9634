#pragma once
// The meeting point of the remotes (OSC, the web remote, show keys) and the
// program that drives the board session. Remotes live on threads of their
// own; the session is driven on one thread only. So a remote hands its
// command to the hub and waits for the reply, and the driver performs the
// waiting commands on its own thread when the waker tells it to. The driver
// publishes the run's state after every change; remotes read the latest
// state or are told of each new one.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The run as a remote sees it.
struct RemoteState {
  enum class Run { STOPPED, RUNNING, PAUSED };
  int scene = 0;             // the run's scene, from 1; 0 when none
  std::string name;          // its name
  Run run = Run::STOPPED;
  double remaining = 0;      // seconds of hold left; 0 without a hold
  double late = 0;           // seconds the scene started late
  std::vector<std::string> scenes;      // every scene's name, in order
  std::vector<uint32_t> boardColours;   // 0xRRGGBB per board when known, else empty

  bool operator==(const RemoteState& other) const;
  bool operator!=(const RemoteState& other) const { return !(*this == other); }
};

// "running", "paused" or "stopped".
const char* RunStateName(RemoteState::Run run);

enum class RemoteAction { NEXT, PREVIOUS, RESTART, PAUSE, RESUME, TOGGLE_PAUSE, RUN, STOP, JUMP };

struct RemoteCommand {
  RemoteAction action = RemoteAction::NEXT;
  int scene = 0;           // JUMP: from 1, when sceneName is empty
  std::string sceneName;   // JUMP: by name
};

struct RemoteReply {
  enum class Status {
    OK,
    BAD_REQUEST,  // a scene number that is no number, or below 1
    NOT_FOUND,    // no such scene
    CONFLICT,     // cannot be done now (no run to jump in, a run that needs a dialog...)
    UNAVAILABLE,  // nobody performed it in time (the driver is busy or gone)
  };
  Status status = Status::OK;
  std::string error;   // for the user, when status is not OK
  RemoteState state;   // the state after the command
};

class RemoteHub {
 public:
  using Performer = std::function<RemoteReply(const RemoteCommand&)>;
  using Watcher = std::function<void(const RemoteState&)>;

  // Remote side, any thread: queues the command, wakes the driver and waits
  // up to `timeout` for its reply.
  RemoteReply Submit(const RemoteCommand& command,
                     std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));
  RemoteState Latest() const;
  // Told on the publishing thread after each change; keep it short. Returns
  // a key for Unwatch.
  int Watch(Watcher watcher);
  void Unwatch(int key);

  // Driver side: who performs the commands, and how the driver learns that
  // commands wait (a window posts to its event loop; a terminal loop
  // notifies its own wait).
  void SetPerformer(Performer performer);
  void SetWaker(std::function<void()> waker);
  // On the driver's thread: performs every waiting command.
  void DeliverCommands();
  // On the driver's thread: the state now; watchers are told when it differs
  // from the last one published.
  void Publish(const RemoteState& state);
  // Commands waiting now fail as UNAVAILABLE, and later ones at once.
  void Shutdown();

 private:
  struct Pending {
    RemoteCommand command;
    RemoteReply reply;
    bool done = false;
  };

  mutable std::mutex m_mutex;
  std::condition_variable m_replied;
  std::deque<std::shared_ptr<Pending>> m_queue;
  Performer m_performer;
  std::function<void()> m_waker;
  RemoteState m_latest;
  bool m_shutdown = false;

  std::mutex m_watchMutex;  // held while watchers are told, never with m_mutex
  std::map<int, Watcher> m_watchers;
  int m_nextWatchKey = 1;
};
