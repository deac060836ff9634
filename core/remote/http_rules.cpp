#include "core/remote/http_rules.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <climits>

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The name or address of a Host header, without its port and brackets.
std::string HostName(const std::string& host) {
  if (!host.empty() && host[0] == '[') {
    const size_t close = host.find(']');
    return close == std::string::npos ? host : host.substr(1, close - 1);
  }
  // More than one colon: a bare IPv6 address, which has no port.
  if (std::count(host.begin(), host.end(), ':') > 1) return host;
  return host.substr(0, host.find(':'));
}

// "name:port" with the scheme's default port left out, for comparing.
std::string Authority(const std::string& scheme, std::string authority) {
  authority = Lower(authority);
  const std::string defaultPort = scheme == "https" ? ":443" : ":80";
  if (authority.size() > defaultPort.size() &&
      authority.compare(authority.size() - defaultPort.size(), defaultPort.size(), defaultPort) == 0) {
    authority.erase(authority.size() - defaultPort.size());
  }
  return authority;
}

HttpRoute Refused(int status, const std::string& error, const std::string& allow = "") {
  HttpRoute route;
  route.status = status;
  route.error = error;
  route.allow = allow;
  return route;
}

// A path that takes one method: its route, or 405 for another method.
HttpRoute OnlyBy(const std::string& method, const std::string& wanted, HttpRoute route) {
  const bool head = method == "HEAD" && wanted == "GET";
  if (method == wanted || head) return route;
  return Refused(405, method + " is not allowed here", wanted == "GET" ? "GET, HEAD" : wanted);
}

HttpRoute Command(RemoteAction action, int scene = 0) {
  HttpRoute route;
  route.kind = HttpRoute::Kind::COMMAND;
  route.command.action = action;
  route.command.scene = scene;
  return route;
}

HttpRoute Of(HttpRoute::Kind kind) {
  HttpRoute route;
  route.kind = kind;
  return route;
}

}  // namespace

bool IsLoopbackHost(const std::string& host) {
  std::string name = Lower(HostName(host));
  if (!name.empty() && name.back() == '.') name.pop_back();
  if (name == "localhost") return true;
  in_addr v4{};
  if (inet_pton(AF_INET, name.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  return inet_pton(AF_INET6, name.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

bool SameSite(const std::string& origin, const std::string& host) {
  const size_t separator = origin.find("://");
  if (separator == std::string::npos || host.empty()) return false;
  const std::string scheme = Lower(origin.substr(0, separator));
  std::string authority = origin.substr(separator + 3);
  if (authority.empty() || authority.find('/') != std::string::npos) return false;
  return Authority(scheme, authority) == Authority(scheme, host);
}

bool TokensMatch(const std::string& expected, const std::string& given) {
  if (expected.empty()) return false;
  unsigned char difference = expected.size() == given.size() ? 0 : 1;
  for (size_t i = 0; i < expected.size(); ++i) {
    difference |= static_cast<unsigned char>(expected[i] ^ (i < given.size() ? given[i] : 0));
  }
  return difference == 0;
}

HttpVerdict CheckAccess(const HttpListening& listening, const HttpRequestFacts& request) {
  if (listening.loopback) {
    // A client without a Host (HTTP/1.0) is no browser led astray by DNS.
    if (!request.host.empty() && !IsLoopbackHost(request.host)) {
      return {403, "This remote answers only to this computer's own names"};
    }
  }
  if (!listening.token.empty()) {
    const std::string bearer = "Bearer ";
    const bool byHeader = request.authorization.compare(0, bearer.size(), bearer) == 0 &&
                          TokensMatch(listening.token, request.authorization.substr(bearer.size()));
    const bool byArgument = request.hasTokenArgument && TokensMatch(listening.token, request.tokenArgument);
    if (!byHeader && !byArgument) return {401, "A valid token is needed"};
  }
  if (request.method == "POST" && !request.origin.empty() && !SameSite(request.origin, request.host)) {
    return {403, "Requests from other sites are refused"};
  }
  return {};
}

HttpRoute RouteRequest(const std::string& method, const std::string& path) {
  if (path == "/") return OnlyBy(method, "GET", Of(HttpRoute::Kind::PAGE));
  if (path == "/api/state") return OnlyBy(method, "GET", Of(HttpRoute::Kind::STATE));
  if (path == "/api/events") return OnlyBy(method, "GET", Of(HttpRoute::Kind::EVENTS));
  static const struct {
    const char* path;
    RemoteAction action;
  } actions[] = {
      {"/api/next", RemoteAction::NEXT},       {"/api/previous", RemoteAction::PREVIOUS},
      {"/api/restart", RemoteAction::RESTART}, {"/api/pause", RemoteAction::PAUSE},
      {"/api/resume", RemoteAction::RESUME},   {"/api/run", RemoteAction::RUN},
      {"/api/stop", RemoteAction::STOP},
  };
  for (const auto& entry : actions) {
    if (path == entry.path) return OnlyBy(method, "POST", Command(entry.action));
  }
  const std::string scenePrefix = "/api/scene/";
  if (path.compare(0, scenePrefix.size(), scenePrefix) == 0) {
    const std::string number = path.substr(scenePrefix.size());
    if (number.find('/') != std::string::npos) return Refused(404, "No such page: " + path);
    const bool digits = !number.empty() && std::all_of(number.begin(), number.end(), [](char c) {
      return c >= '0' && c <= '9';
    });
    // Too many digits is a scene far past the last: missing, not malformed.
    long long scene = 0;
    for (char c : number) {
      if (digits) scene = std::min<long long>(scene * 10 + (c - '0'), INT_MAX);
    }
    if (method != "POST") return Refused(405, method + " is not allowed here", "POST");
    if (!digits || scene < 1) return Refused(400, "Not a scene number: " + number);
    return Command(RemoteAction::JUMP, static_cast<int>(scene));
  }
  return Refused(404, "No such page: " + path);
}

int StatusOfReply(RemoteReply::Status status) {
  switch (status) {
    case RemoteReply::Status::OK: return 200;
    case RemoteReply::Status::BAD_REQUEST: return 400;
    case RemoteReply::Status::NOT_FOUND: return 404;
    case RemoteReply::Status::CONFLICT: return 409;
    case RemoteReply::Status::UNAVAILABLE: break;
  }
  return 503;
}
