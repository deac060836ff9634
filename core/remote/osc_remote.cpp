#include "core/remote/osc_remote.h"

#include <lo/lo.h>
#include <netdb.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char PREFIX[] = "/lumivane/";
const char STATE_PATH[] = "/lumivane/state";
// Larger datagrams are no command of ours; they are read whole and dropped.
constexpr size_t DATAGRAM_BYTES = 2048;
// Datagrams handled before the loop looks at its clock and its state again,
// so a flood cannot hold back the feedback.
constexpr int DATAGRAMS_A_ROUND = 64;

// What makes a state worth telling at once. The countdown moves on every
// tick; it goes out with the once-a-second state instead.
bool SameAtAGlance(const RemoteState& a, const RemoteState& b) {
  return a.scene == b.scene && a.name == b.name && a.run == b.run && a.late == b.late && a.scenes == b.scenes;
}

// An int argument: arguments lie 4-byte aligned in a message, and lo_arg
// wants 8, so it is copied out rather than read through the union.
int32_t IntArgument(const lo_arg* argument) {
  int32_t value;
  memcpy(&value, argument, sizeof value);
  return value;
}

// A string argument; its characters need no alignment.
const char* StringArgument(const lo_arg* argument) { return reinterpret_cast<const char*>(argument); }

// The command a message names, or false when it names none of ours or its
// arguments are not the ones that command takes.
bool CommandOf(const std::string& name, const std::string& types, lo_arg** argv, RemoteCommand* command) {
  if (name == "pause") {
    if (types.empty()) {
      command->action = RemoteAction::TOGGLE_PAUSE;
      return true;
    }
    if (types != "i" || (IntArgument(argv[0]) != 0 && IntArgument(argv[0]) != 1)) return false;
    command->action = IntArgument(argv[0]) == 1 ? RemoteAction::PAUSE : RemoteAction::RESUME;
    return true;
  }
  if (name == "scene") {
    command->action = RemoteAction::JUMP;
    if (types == "i") {
      command->scene = IntArgument(argv[0]);
      return true;
    }
    if (types == "s" && *StringArgument(argv[0]) != '\0') {
      command->sceneName = StringArgument(argv[0]);
      return true;
    }
    return false;
  }
  static const struct {
    const char* name;
    RemoteAction action;
  } plain[] = {
      {"next", RemoteAction::NEXT}, {"previous", RemoteAction::PREVIOUS}, {"restart", RemoteAction::RESTART},
      {"run", RemoteAction::RUN},   {"stop", RemoteAction::STOP},
  };
  for (const auto& entry : plain) {
    if (name == entry.name) {
      command->action = entry.action;
      return types.empty();
    }
  }
  return false;
}

}  // namespace

// The listening socket and the thread's side of the remote.
class OscRemote::Listener {
 public:
  // A client that asked to hear the state, until it lapses.
  struct Subscriber {
    sockaddr_storage address{};
    socklen_t length = 0;
    Clock::time_point lapses;

    bool Is(const sockaddr_storage& other, socklen_t otherLength) const {
      return length == otherLength && memcmp(&address, &other, length) == 0;
    }
  };

  Listener(RemoteHub& hub, int socket, int wake, std::chrono::milliseconds lifetime)
      : m_hub(hub), m_socket(socket), m_wake(wake), m_lifetime(lifetime) {
    m_told = m_hub.Latest();
    m_watchKey = m_hub.Watch([this](const RemoteState& state) { OnState(state); });
  }
  ~Listener() {
    m_hub.Unwatch(m_watchKey);
    close(m_socket);
    close(m_wake);
  }

  void Loop();
  void RequestStop() {
    m_stopping = true;
    Wake();
  }

  Counts Totals() const {
    Counts counts;
    counts.commands = m_commands;
    counts.ignored = m_ignored;
    counts.refused = m_refused;
    return counts;
  }
  int Subscribers() const {
    std::lock_guard<std::mutex> lock(m_subscriberMutex);
    return static_cast<int>(m_subscribers.size());
  }

 private:
  // On the thread that publishes: keep it short, the run waits.
  void OnState(const RemoteState& state) {
    std::lock_guard<std::mutex> lock(m_stateMutex);
    if (SameAtAGlance(state, m_told)) return;
    m_told = state;
    m_changed = true;
    Wake();
  }
  void Wake() {
    const uint64_t one = 1;
    if (write(m_wake, &one, sizeof one) < 0) {
      // The counter is full: the loop is awake already.
    }
  }
  void ReadDatagrams();
  void Handle(const unsigned char* data, size_t size, const sockaddr_storage& from, socklen_t fromLength);
  void Subscribe(const sockaddr_storage& from, socklen_t fromLength);
  void Unsubscribe(const sockaddr_storage& from, socklen_t fromLength);
  void SendState(const RemoteState& state, const Subscriber* only);

  RemoteHub& m_hub;
  const int m_socket;
  const int m_wake;
  const std::chrono::milliseconds m_lifetime;
  int m_watchKey = 0;
  std::atomic<bool> m_stopping{false};
  std::atomic<uint64_t> m_commands{0};
  std::atomic<uint64_t> m_ignored{0};
  std::atomic<uint64_t> m_refused{0};

  std::mutex m_stateMutex;
  RemoteState m_told;  // the last state worth telling
  bool m_changed = false;

  mutable std::mutex m_subscriberMutex;
  std::vector<Subscriber> m_subscribers;
};

void OscRemote::Listener::Loop() {
  Clock::time_point nextPeriod = Clock::now() + STATE_PERIOD;
  while (!m_stopping) {
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(nextPeriod - Clock::now()).count();
    pollfd fds[2] = {{m_socket, POLLIN, 0}, {m_wake, POLLIN, 0}};
    if (poll(fds, 2, static_cast<int>(std::max<long long>(0, wait) + 1)) < 0 && errno != EINTR) break;
    if (fds[1].revents & POLLIN) {
      uint64_t count = 0;
      if (read(m_wake, &count, sizeof count) < 0) {
        // Nothing to clear.
      }
    }
    if (m_stopping) break;
    if (fds[0].revents & POLLIN) ReadDatagrams();
    bool changed = false;
    RemoteState state;
    {
      std::lock_guard<std::mutex> lock(m_stateMutex);
      changed = m_changed;
      m_changed = false;
      if (changed) state = m_told;
    }
    if (changed) SendState(state, nullptr);
    const Clock::time_point now = Clock::now();
    if (now >= nextPeriod) {
      {
        std::lock_guard<std::mutex> lock(m_subscriberMutex);
        m_subscribers.erase(std::remove_if(m_subscribers.begin(), m_subscribers.end(),
                                           [now](const Subscriber& s) { return s.lapses <= now; }),
                            m_subscribers.end());
      }
      const RemoteState latest = m_hub.Latest();
      if (latest.run == RemoteState::Run::RUNNING) SendState(latest, nullptr);
      nextPeriod += STATE_PERIOD;
      if (nextPeriod <= now) nextPeriod = now + STATE_PERIOD;  // the loop was held up; no catching up
    }
  }
}

void OscRemote::Listener::ReadDatagrams() {
  unsigned char buffer[DATAGRAM_BYTES];
  for (int i = 0; i < DATAGRAMS_A_ROUND && !m_stopping; ++i) {
    sockaddr_storage from{};
    socklen_t fromLength = sizeof from;
    const ssize_t size = recvfrom(m_socket, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC,
                                  reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (size < 0) return;  // none left (or an error the next datagram clears)
    if (static_cast<size_t>(size) > sizeof buffer) {
      ++m_ignored;
      continue;
    }
    Handle(buffer, static_cast<size_t>(size), from, fromLength);
  }
}

void OscRemote::Listener::Handle(const unsigned char* data, size_t size, const sockaddr_storage& from,
                                 socklen_t fromLength) {
  // liblo checks every length and padding before it trusts a byte; a
  // bundle is no command of ours.
  int result = 0;
  lo_message message = size > 0 && data[0] == '/'
                           ? lo_message_deserialise(const_cast<unsigned char*>(data), size, &result)
                           : nullptr;
  if (message == nullptr) {
    ++m_ignored;
    return;
  }
  // A valid message begins with its path, ended by a zero byte.
  const std::string path(reinterpret_cast<const char*>(data));
  const char* rawTypes = lo_message_get_types(message);
  const std::string types = rawTypes != nullptr ? rawTypes : "";
  lo_arg** argv = lo_message_get_argv(message);
  const bool ours = path.compare(0, sizeof PREFIX - 1, PREFIX) == 0;
  const std::string name = ours ? path.substr(sizeof PREFIX - 1) : "";
  RemoteCommand command;
  bool isCommand = false;
  if (ours && (name == "subscribe" || name == "unsubscribe") && types.empty()) {
    if (name == "subscribe") {
      Subscribe(from, fromLength);
    } else {
      Unsubscribe(from, fromLength);
    }
  } else if (ours && CommandOf(name, types, argv, &command)) {
    isCommand = true;
  } else {
    ++m_ignored;
  }
  lo_message_free(message);
  if (isCommand) {
    ++m_commands;
    if (m_hub.Submit(command).status != RemoteReply::Status::OK) ++m_refused;
  }
}

void OscRemote::Listener::Subscribe(const sockaddr_storage& from, socklen_t fromLength) {
  Subscriber subscriber;
  {
    std::lock_guard<std::mutex> lock(m_subscriberMutex);
    const Clock::time_point lapses = Clock::now() + m_lifetime;
    auto found = std::find_if(m_subscribers.begin(), m_subscribers.end(),
                              [&](const Subscriber& s) { return s.Is(from, fromLength); });
    if (found == m_subscribers.end()) {
      // Full: the one renewed longest ago makes room; those in use renew.
      if (static_cast<int>(m_subscribers.size()) >= MAX_SUBSCRIBERS) {
        m_subscribers.erase(std::min_element(
            m_subscribers.begin(), m_subscribers.end(),
            [](const Subscriber& a, const Subscriber& b) { return a.lapses < b.lapses; }));
      }
      m_subscribers.push_back(Subscriber{from, fromLength, lapses});
      found = m_subscribers.end() - 1;
    }
    found->lapses = lapses;
    subscriber = *found;
  }
  // A new subscriber learns where the run is at once.
  SendState(m_hub.Latest(), &subscriber);
}

void OscRemote::Listener::Unsubscribe(const sockaddr_storage& from, socklen_t fromLength) {
  std::lock_guard<std::mutex> lock(m_subscriberMutex);
  m_subscribers.erase(std::remove_if(m_subscribers.begin(), m_subscribers.end(),
                                     [&](const Subscriber& s) { return s.Is(from, fromLength); }),
                      m_subscribers.end());
}

void OscRemote::Listener::SendState(const RemoteState& state, const Subscriber* only) {
  std::vector<Subscriber> to;
  if (only != nullptr) {
    to.push_back(*only);
  } else {
    // Lapsed ones are dropped once a second; until then they are skipped.
    const Clock::time_point now = Clock::now();
    std::lock_guard<std::mutex> lock(m_subscriberMutex);
    for (const Subscriber& subscriber : m_subscribers) {
      if (subscriber.lapses > now) to.push_back(subscriber);
    }
  }
  if (to.empty()) return;
  lo_message message = lo_message_new();
  lo_message_add_int32(message, state.scene);
  lo_message_add_string(message, state.name.c_str());
  lo_message_add_string(message, RunStateName(state.run));
  lo_message_add_float(message, static_cast<float>(state.remaining));
  lo_message_add_float(message, static_cast<float>(state.late));
  size_t size = 0;
  void* bytes = lo_message_serialise(message, STATE_PATH, nullptr, &size);
  lo_message_free(message);
  if (bytes == nullptr) return;
  // A subscriber whose buffer is full misses this one; the run never waits.
  for (const Subscriber& subscriber : to) {
    sendto(m_socket, bytes, size, MSG_DONTWAIT | MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&subscriber.address),
           subscriber.length);
  }
  free(bytes);
}

OscRemote::OscRemote(RemoteHub& hub, std::chrono::milliseconds subscriptionLifetime)
    : m_hub(hub), m_subscriptionLifetime(subscriptionLifetime) {}

OscRemote::~OscRemote() { Stop(); }

std::string OscRemote::Start(const std::string& address, int port) {
  Stop();
  const std::string host = address.empty() ? "127.0.0.1" : address;
  const std::string where = host + ":" + std::to_string(port);
  if (port < 0 || port > 65535) return "There is no UDP port " + std::to_string(port);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || found == nullptr) {
    return "Cannot listen for OSC on " + where + ": no such address";
  }
  // No SO_REUSEADDR: a second listener on the port must fail, not share it.
  const int socketFd = socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  int error = socketFd < 0 ? errno : 0;
  if (error == 0 && bind(socketFd, found->ai_addr, found->ai_addrlen) != 0) error = errno;
  freeaddrinfo(found);
  if (error != 0) {
    if (socketFd >= 0) close(socketFd);
    if (error == EADDRINUSE) return "UDP port " + std::to_string(port) + " is already in use";
    return "Cannot listen for OSC on " + where + ": " + strerror(error);
  }
  sockaddr_storage bound{};
  socklen_t boundLength = sizeof bound;
  getsockname(socketFd, reinterpret_cast<sockaddr*>(&bound), &boundLength);
  char service[NI_MAXSERV] = "0";
  getnameinfo(reinterpret_cast<sockaddr*>(&bound), boundLength, nullptr, 0, service, sizeof service, NI_NUMERICSERV);
  const int wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wake < 0) {
    error = errno;
    close(socketFd);
    return "Cannot listen for OSC on " + where + ": " + strerror(error);
  }
  m_listener = std::make_unique<Listener>(m_hub, socketFd, wake, m_subscriptionLifetime);
  m_port = atoi(service);
  m_thread = std::thread([listener = m_listener.get()] { listener->Loop(); });
  return "";
}

void OscRemote::Stop() {
  if (m_listener) m_listener->RequestStop();
  if (m_thread.joinable()) m_thread.join();
  m_listener.reset();
  m_port = 0;
}

OscRemote::Counts OscRemote::Totals() const { return m_listener ? m_listener->Totals() : Counts{}; }

int OscRemote::Subscribers() const { return m_listener ? m_listener->Subscribers() : 0; }
