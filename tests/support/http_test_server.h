#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the netfetch tests and benchmark.
// It listens on a free port, serves one connection at a time on its own
// thread and closes every connection after one answer.

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>
#include <thread>

struct HttpTestRoute {
  int status = 200;
  std::string location;         // sent as Location when not empty
  std::string body;             // the body, or the pattern repeated to `length`
  uint64_t length = 0;          // 0: `body` as it is
  bool announceLength = true;   // else the body ends when the connection closes
  uint64_t cutAfter = UINT64_MAX;  // body bytes sent before the answer stops
  bool stallAtCut = false;      // at the cut, keep the connection open until
                                // the client leaves, instead of closing it
};

class HttpTestServer {
 public:
  // Starts listening; `Started()` tells whether that worked.
  HttpTestServer();
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  bool Started() const { return m_listen >= 0; }
  // Answers requests for `path` (e.g. "/file") with `route`; other paths get 404.
  void Route(const std::string& path, const HttpTestRoute& route);
  // "http://127.0.0.1:<port><path>"
  std::string Url(const std::string& path) const;
  // Requests answered (or being answered) so far.
  int Requests() const { return m_requests; }

 private:
  void Serve();
  void Answer(int connection);

  int m_listen = -1;
  int m_wake[2] = {-1, -1};
  int m_port = 0;
  std::atomic<int> m_requests{0};
  std::mutex m_mutex;
  std::map<std::string, HttpTestRoute> m_routes;
  std::thread m_thread;
};

// This process's environment without proxy settings, for a child that must
// reach 127.0.0.1 directly.
std::vector<std::string> ProxyFreeEnvironment();
