#pragma once
// The OSC remote: commands in UDP datagrams (TouchOSC, QLab, a lighting
// desk), and the run's state sent back to whoever subscribed. liblo reads
// and writes the messages; the socket is our own, so the remote binds to
// the address asked for and answers from the port it listens on.
//
//   /lumivane/next, /previous, /restart, /run, /stop    no arguments
//   /lumivane/pause       none toggles; i 1 pauses, i 0 resumes
//   /lumivane/scene       i N (from 1) or s NAME
//   /lumivane/subscribe   the sender gets /lumivane/state until it
//                         unsubscribes or has not renewed for a minute
//   /lumivane/state       i scene, s name, s state, f remaining, f late:
//                         on every change and once a second while running
//
// Anything else (another address, other arguments, a datagram that is no
// OSC message) is counted and dropped; it never reaches the run.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "core/remote/remote_hub.h"

class OscRemote {
 public:
  static constexpr int MAX_SUBSCRIBERS = 16;
  static constexpr std::chrono::seconds SUBSCRIPTION_LIFETIME{60};
  static constexpr std::chrono::milliseconds STATE_PERIOD{1000};

  struct Counts {
    uint64_t commands = 0;  // handed to the player
    uint64_t ignored = 0;   // unknown addresses, wrong arguments, no OSC
    uint64_t refused = 0;   // handed over, and the player said no
  };

  // The hub outlives the remote. Tests shorten the subscriptions' lifetime.
  explicit OscRemote(RemoteHub& hub, std::chrono::milliseconds subscriptionLifetime = SUBSCRIPTION_LIFETIME);
  ~OscRemote();
  OscRemote(const OscRemote&) = delete;
  OscRemote& operator=(const OscRemote&) = delete;

  // Listens on `address` (a name or a numeric IPv4/IPv6 address) and UDP
  // `port` (0: any free one). Returns "" or why it cannot, for the user.
  std::string Start(const std::string& address, int port);
  // Stops listening and forgets the subscribers; safe when not started.
  void Stop();
  bool Listening() const { return m_thread.joinable(); }
  // The port listened on, 0 when not listening.
  int Port() const { return m_port; }

  Counts Totals() const;
  int Subscribers() const;

 private:
  class Listener;
  RemoteHub& m_hub;
  const std::chrono::milliseconds m_subscriptionLifetime;
  std::unique_ptr<Listener> m_listener;
  std::thread m_thread;
  int m_port = 0;
};
