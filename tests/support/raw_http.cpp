#include "support/raw_http.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace {

bool SendAll(int socket, const std::string& text) {
  size_t sent = 0;
  while (sent < text.size()) {
    const ssize_t count = send(socket, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (count <= 0) return false;
    sent += static_cast<size_t>(count);
  }
  return true;
}

// Appends what arrives within `timeout`; false once the peer closed or failed.
bool ReceiveSome(int socket, std::string& into, std::chrono::milliseconds timeout) {
  pollfd wait{socket, POLLIN, 0};
  if (poll(&wait, 1, static_cast<int>(timeout.count())) <= 0) return true;
  char buffer[4096];
  const ssize_t count = recv(socket, buffer, sizeof buffer, 0);
  if (count <= 0) return false;
  into.append(buffer, static_cast<size_t>(count));
  return true;
}

}  // namespace

int ConnectLoopback(int port) {
  const int connection = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connection >= 0 && connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    return connection;
  }
  if (connection >= 0) close(connection);
  return -1;
}

RawAnswer RawRequest(int port, const std::string& method, const std::string& target,
                     const std::vector<std::string>& headers) {
  std::string request = method + " " + target + " HTTP/1.1\r\nConnection: close\r\n";
  bool host = false;
  for (const std::string& header : headers) {
    request += header + "\r\n";
    host = host || header.compare(0, 5, "Host:") == 0;
  }
  if (!host) request += "Host: 127.0.0.1:" + std::to_string(port) + "\r\n";
  if (method == "POST") request += "Content-Length: 0\r\n";
  request += "\r\n";

  RawAnswer answer;
  const int connection = ConnectLoopback(port);
  if (connection < 0) return answer;
  std::string text;
  if (SendAll(connection, request)) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline &&
           ReceiveSome(connection, text, std::chrono::milliseconds(100))) {
    }
  }
  close(connection);
  const size_t end = text.find("\r\n\r\n");
  if (text.compare(0, 9, "HTTP/1.1 ") != 0 || end == std::string::npos) return answer;
  answer.status = std::atoi(text.c_str() + 9);
  answer.headers = text.substr(0, end + 2);
  answer.body = text.substr(end + 4);
  return answer;
}

RawStream::RawStream(int port, const std::string& request) : m_socket(ConnectLoopback(port)) {
  if (m_socket >= 0 && !SendAll(m_socket, request)) {
    close(m_socket);
    m_socket = -1;
  }
}

RawStream::~RawStream() {
  if (m_socket >= 0) close(m_socket);
}

std::string RawStream::ReadUntil(const std::string& marker, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::string text = m_unread;
  size_t found = text.find(marker);
  while (found == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    if (!ReceiveSome(m_socket, text, std::chrono::milliseconds(20))) break;
    found = text.find(marker);
  }
  if (found == std::string::npos) {
    m_unread.clear();
    return text;
  }
  m_unread = text.substr(found + marker.size());
  return text.substr(0, found + marker.size());
}

bool RawStream::ClosedWithin(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::string ignored;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!ReceiveSome(m_socket, ignored, std::chrono::milliseconds(20))) return true;
  }
  return false;
}
