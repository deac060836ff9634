#pragma once
// The web remote: a small HTTP server (libmicrohttpd) with a page for a
// phone's browser and a JSON interface, acting through the hub like every
// other remote. Each connection has a thread of its own, so a slow client
// or a long event stream never holds up another, and none of them ever
// runs on the thread that drives the boards.
//
//   GET  /              the remote page
//   GET  /api/state     the run's state as JSON
//   GET  /api/events    server-sent events: "event: state" on every change
//   POST /api/next, previous, restart, pause, resume, run, stop, scene/N
//
// With a token (always off loopback) every request needs it, as
// "Authorization: Bearer TOKEN" or "?token=TOKEN"; see http_rules.h for who
// may use it.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

#include "core/remote/remote_hub.h"

struct MHD_Daemon;
struct MHD_Connection;

class HttpRemote {
 public:
  struct Limits {
    int connections = 32;                         // at once; more are turned away
    int idleSeconds = 10;                         // a client silent this long is cut off
    std::chrono::milliseconds keepAlive{4000};    // a comment on a quiet event stream
    std::chrono::milliseconds commandWait{2000};  // for the driver to perform a command
  };

  explicit HttpRemote(RemoteHub& hub);
  HttpRemote(RemoteHub& hub, Limits limits);
  ~HttpRemote();
  HttpRemote(const HttpRemote&) = delete;
  HttpRemote& operator=(const HttpRemote&) = delete;

  // Listens on `address` ("" is 127.0.0.1) and `port` (0 picks a free one);
  // a token, when not empty, is then required of every request.
  // Returns "" when listening, else why not (the port in use, an address
  // this computer does not have, no token off loopback). Never prints.
  std::string Start(const std::string& address, int port, const std::string& token);
  // Ends every connection and stops listening. On the driver's thread it may
  // wait for a request that waits for the driver, up to the command wait.
  void Stop();
  bool Listening() const { return m_daemon != nullptr; }
  // The port listened on, useful after Start with port 0; 0 when stopped.
  int Port() const { return m_port; }

  // Whether `address` reaches this computer only ("" counts: it is 127.0.0.1).
  static bool IsLoopback(const std::string& address);
  // A random token, URL-safe, 32 characters.
  static std::string MakeToken();
  // The address to open on another device: "http://ADDRESS:PORT/?token=TOKEN"
  // (no token part when `token` is empty). A wildcard address (0.0.0.0, ::)
  // becomes this computer's first network address.
  static std::string RemoteUrl(const std::string& address, int port, const std::string& token);

 private:
  friend struct HttpRemoteCallbacks;  // libmicrohttpd's C callbacks
  struct EventStream;

  int Answer(MHD_Connection* connection, const std::string& method, const std::string& path);
  int AnswerEvents(MHD_Connection* connection);
  // Blocks until the stream has something to send; false once stopping.
  bool NextEvent(EventStream& stream);

  RemoteHub& m_hub;
  Limits m_limits;
  MHD_Daemon* m_daemon = nullptr;
  int m_port = 0;
  bool m_loopback = true;
  std::string m_token;
  int m_watchKey = 0;

  std::mutex m_eventMutex;
  std::condition_variable m_eventChanged;
  uint64_t m_version = 0;  // counts the hub's changes
  bool m_stopping = false;
};
