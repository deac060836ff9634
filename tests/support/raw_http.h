#pragma once
// A plain HTTP/1.1 client on 127.0.0.1 over a socket, for tests that must
// choose every header (Host, Origin, Authorization) and watch a stream.
#include <chrono>
#include <string>
#include <vector>

struct RawAnswer {
  int status = 0;  // 0: no answer (refused, closed or timed out)
  std::string headers;
  std::string body;
};

// Sends one request ("Connection: close", "Host: 127.0.0.1:PORT" unless
// `headers` holds a Host) and reads the answer to its end.
RawAnswer RawRequest(int port, const std::string& method, const std::string& target,
                     const std::vector<std::string>& headers = {});

// A connection kept open to read a stream a piece at a time.
class RawStream {
 public:
  RawStream(int port, const std::string& request);
  ~RawStream();
  RawStream(const RawStream&) = delete;
  RawStream& operator=(const RawStream&) = delete;

  bool Connected() const { return m_socket >= 0; }
  // Reads until what was received since the last call contains `marker`;
  // returns all of it, or what came before the time ran out.
  std::string ReadUntil(const std::string& marker, std::chrono::milliseconds timeout);
  // Whether the server closes the connection within `timeout`.
  bool ClosedWithin(std::chrono::milliseconds timeout);

 private:
  int m_socket = -1;
  std::string m_unread;
};

// A socket connected to 127.0.0.1:port, or -1.
int ConnectLoopback(int port);
