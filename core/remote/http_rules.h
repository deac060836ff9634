#pragma once
// What the web remote decides about a request before anything happens: who
// may use it, and which route a method and path name. Pure functions, so
// the rules are tested without a socket.
#include <string>

#include "core/remote/remote_hub.h"

// The headers and arguments of one request that the rules look at.
struct HttpRequestFacts {
  std::string method;         // "GET", "POST", ...
  std::string host;           // the Host header; empty when absent
  std::string origin;         // the Origin header; empty when absent
  std::string authorization;  // the Authorization header
  std::string tokenArgument;  // ?token=
  bool hasTokenArgument = false;
};

// How the remote listens.
struct HttpListening {
  bool loopback = true;  // on a loopback address only
  std::string token;     // when not empty, required of every request
};

struct HttpVerdict {
  int status = 0;     // 0: allowed; else 401 or 403
  std::string error;  // why, for the JSON answer
};

// Every request carries the token when there is one (off loopback there
// always is); on loopback the Host must name this machine (a page of
// another site reaching 127.0.0.1 through a name it controls names that
// name); a POST may not come from a page of another site.
HttpVerdict CheckAccess(const HttpListening& listening, const HttpRequestFacts& request);

// "localhost", 127.x.y.z or ::1 / [::1], with or without ":port".
bool IsLoopbackHost(const std::string& host);
// Whether an Origin header ("http://name:port") names the site of the Host
// header; "null" and malformed origins name no site.
bool SameSite(const std::string& origin, const std::string& host);
// Compares without telling, by its time, how much of a guess was right.
bool TokensMatch(const std::string& expected, const std::string& given);

struct HttpRoute {
  enum class Kind { PAGE, STATE, EVENTS, COMMAND, REFUSED };
  Kind kind = Kind::REFUSED;
  RemoteCommand command;  // COMMAND
  int status = 0;         // REFUSED: 400, 404 or 405
  std::string error;      // REFUSED
  std::string allow;      // 405: the methods the path takes
};

// The route of a method and a path (without its query). HEAD is answered
// as GET.
HttpRoute RouteRequest(const std::string& method, const std::string& path);

// The HTTP status of a hub's reply.
int StatusOfReply(RemoteReply::Status status);
