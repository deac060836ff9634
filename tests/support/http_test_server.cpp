#include "support/http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

bool SendAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t sent = send(fd, data, size, MSG_NOSIGNAL);
    if (sent < 0) {
      return false;
    }
    data += sent;
    size -= static_cast<size_t>(sent);
  }
  return true;
}

// The request line's path, read from a request of up to 64 KiB.
std::string ReadRequestPath(int fd) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
    if (got <= 0) {
      return std::string();
    }
    request.append(buffer, static_cast<size_t>(got));
  }
  const size_t start = request.find(' ');
  const size_t end = request.find(' ', start + 1);
  if (start == std::string::npos || end == std::string::npos) {
    return std::string();
  }
  return request.substr(start + 1, end - start - 1);
}

}  // namespace

HttpTestServer::HttpTestServer() {
  if (pipe(m_wake) != 0) {
    return;
  }
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    return;
  }
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(fd, 16) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(fd);
    return;
  }
  m_port = ntohs(address.sin_port);
  m_listen = fd;
  m_thread = std::thread(&HttpTestServer::Serve, this);
}

HttpTestServer::~HttpTestServer() {
  if (m_thread.joinable()) {
    const char stop = 0;
    (void)!write(m_wake[1], &stop, 1);
    m_thread.join();
  }
  if (m_listen >= 0) close(m_listen);
  if (m_wake[0] >= 0) close(m_wake[0]);
  if (m_wake[1] >= 0) close(m_wake[1]);
}

void HttpTestServer::Route(const std::string& path, const HttpTestRoute& route) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_routes[path] = route;
}

std::string HttpTestServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void HttpTestServer::Serve() {
  for (;;) {
    pollfd fds[2] = {{m_listen, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) {
      continue;
    }
    if (fds[1].revents != 0) {
      return;
    }
    const int connection = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) {
      continue;
    }
    Answer(connection);
    close(connection);
  }
}

void HttpTestServer::Answer(int connection) {
  const std::string path = ReadRequestPath(connection);
  if (path.empty()) {
    return;
  }
  ++m_requests;
  HttpTestRoute route;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_routes.find(path);
    if (found != m_routes.end()) {
      route = found->second;
    } else {
      route.status = 404;
      route.body = "Not found\n";
    }
  }
  const uint64_t length = route.length != 0 ? route.length : route.body.size();

  std::string head = "HTTP/1.1 " + std::to_string(route.status) + " " + Reason(route.status) +
                     "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n";
  if (!route.location.empty()) {
    head += "Location: " + route.location + "\r\n";
  }
  if (route.announceLength) {
    head += "Content-Length: " + std::to_string(length) + "\r\n";
  }
  head += "\r\n";
  if (!SendAll(connection, head.data(), head.size())) {
    return;
  }

  const uint64_t toSend = std::min(length, route.cutAfter);
  uint64_t sent = 0;
  while (sent < toSend && !route.body.empty()) {
    const size_t offset = static_cast<size_t>(sent % route.body.size());
    const size_t chunk =
        static_cast<size_t>(std::min<uint64_t>(route.body.size() - offset, toSend - sent));
    if (!SendAll(connection, route.body.data() + offset, chunk)) {
      return;
    }
    sent += chunk;
  }

  if (route.stallAtCut && sent < length) {
    // Hold the answer open until the client gives up or the server stops.
    pollfd fds[2] = {{connection, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    while (poll(fds, 2, -1) < 0) {
    }
    return;
  }
  shutdown(connection, SHUT_WR);
}

std::vector<std::string> ProxyFreeEnvironment() {
  std::vector<std::string> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string text = *entry;
    std::string name = text.substr(0, text.find('='));
    for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    if (name.size() < 6 || name.compare(name.size() - 6, 6, "_proxy") != 0) {
      env.push_back(text);
    }
  }
  return env;
}
