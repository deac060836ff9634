#include "core/remote/http_remote.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <microhttpd.h>
#include <netdb.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include "core/remote/http_rules.h"
#include "core/remote/listen_address.h"
#include "core/remote/remote_page.h"
#include "core/remote/state_json.h"

namespace {

const char* const JSON_TYPE = "application/json";
const int CLIENT_NICENESS = 10;

std::string Header(MHD_Connection* connection, MHD_ValueKind kind, const char* name) {
  const char* value = MHD_lookup_connection_value(connection, kind, name);
  return value ? value : "";
}

// Everything the page uses is in it; nothing else may load or be reached.
const char* const PAGE_POLICY =
    "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; connect-src 'self'; "
    "form-action 'none'; frame-ancestors 'none'";

using ExtraHeaders = std::vector<std::pair<const char*, std::string>>;

MHD_Result Respond(MHD_Connection* connection, unsigned status, const std::string& body, const char* type,
                   const ExtraHeaders& extra = {}) {
  MHD_Response* response =
      MHD_create_response_from_buffer(body.size(), const_cast<char*>(body.data()), MHD_RESPMEM_MUST_COPY);
  if (!response) return MHD_NO;
  MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, type);
  MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
  MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
  // The page's address may carry the token: it must not leave in a Referer.
  MHD_add_response_header(response, "Referrer-Policy", "no-referrer");
  for (const auto& header : extra) MHD_add_response_header(response, header.first, header.second.c_str());
  if (status == MHD_HTTP_UNAUTHORIZED) MHD_add_response_header(response, MHD_HTTP_HEADER_WWW_AUTHENTICATE, "Bearer");
  const MHD_Result queued = MHD_queue_response(connection, status, response);
  MHD_destroy_response(response);
  return queued;
}

std::string Unbracketed(const std::string& address) {
  if (address.size() >= 2 && address.front() == '[' && address.back() == ']') {
    return address.substr(1, address.size() - 2);
  }
  return address;
}

bool IsWildcard(const std::string& address) {
  const std::string bare = Unbracketed(address);
  return bare == "0.0.0.0" || bare == "::";
}

// This computer's address for a URL that another device can open; the host
// name when it has no network address.
std::string NetworkAddress() {
  std::string found = FirstNetworkAddress();
  if (found.empty()) {
    char name[256] = {};
    found = gethostname(name, sizeof name - 1) == 0 && name[0] ? name : "127.0.0.1";
  }
  return found;
}

std::string UrlEscaped(const std::string& text) {
  static const char* const HEX = "0123456789ABCDEF";
  std::string escaped;
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
      escaped += static_cast<char>(c);
    } else {
      escaped += '%';
      escaped += HEX[c >> 4];
      escaped += HEX[c & 15];
    }
  }
  return escaped;
}

// A socket listening on address and port, or -1 and why not in `error`.
// Made here rather than by the library so that a port in use is told as such.
int ListenOn(const std::string& address, int port, std::string& error) {
  // Addresses only (and "localhost"): a name to look up could keep the
  // start waiting for a name server.
  const std::string bare = Unbracketed(address);
  const std::string host = bare.empty() || bare == "localhost" ? "127.0.0.1" : bare;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV | AI_NUMERICHOST;
  addrinfo* found = nullptr;
  if (port < 0 || port > 65535) {
    error = "Not a port number: " + std::to_string(port);
    return -1;
  }
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) {
    error = "Not an address to listen on: " + address;
    return -1;
  }
  const int listening = socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int result = listening < 0 ? -1 : 0;
  if (result == 0) {
    const int on = 1;
    setsockopt(listening, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    result = bind(listening, found->ai_addr, found->ai_addrlen);
    if (result == 0) result = listen(listening, 64);
  }
  const int failure = errno;
  freeaddrinfo(found);
  if (result == 0) return listening;
  if (listening >= 0) close(listening);
  const std::string where = host + " port " + std::to_string(port);
  if (failure == EADDRINUSE) {
    error = "Port " + std::to_string(port) + " is already in use";
  } else if (failure == EADDRNOTAVAIL) {
    error = "This computer has no address " + host;
  } else if (failure == EACCES) {
    error = "Not allowed to listen on " + where;
  } else {
    error = "Cannot listen on " + where + ": " + std::strerror(failure);
  }
  return -1;
}

int BoundPort(int socket) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  if (address.ss_family == AF_INET6) return ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
  return ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
}

}  // namespace

// One client's event stream: what is left to send of the last event.
struct HttpRemote::EventStream {
  HttpRemote* remote = nullptr;
  std::string pending;
  size_t sent = 0;
  uint64_t version = 0;  // of the hub's changes, when last looked at
  bool first = true;     // the state now goes first, before any change
  std::string lastState;
};

struct HttpRemoteCallbacks {
  static MHD_Result OnRequest(void* self, MHD_Connection* connection, const char* url, const char* method,
                              const char*, const char*, size_t* uploadDataSize, void** requestState) {
    // The first call only announces the headers; a body is read and
    // dropped, as no route takes one.
    if (*requestState == nullptr) {
      *requestState = self;
      return MHD_YES;
    }
    if (*uploadDataSize != 0) {
      *uploadDataSize = 0;
      return MHD_YES;
    }
    return static_cast<MHD_Result>(static_cast<HttpRemote*>(self)->Answer(connection, method, url));
  }

  static ssize_t ReadEvents(void* cls, uint64_t, char* buffer, size_t size) {
    auto& stream = *static_cast<HttpRemote::EventStream*>(cls);
    if (stream.sent == stream.pending.size()) {
      stream.pending.clear();
      stream.sent = 0;
      if (!stream.remote->NextEvent(stream)) return MHD_CONTENT_READER_END_OF_STREAM;
    }
    const size_t count = std::min(size, stream.pending.size() - stream.sent);
    std::memcpy(buffer, stream.pending.data() + stream.sent, count);
    stream.sent += count;
    return static_cast<ssize_t>(count);
  }

  static void EndEvents(void* cls) { delete static_cast<HttpRemote::EventStream*>(cls); }
};

HttpRemote::HttpRemote(RemoteHub& hub) : HttpRemote(hub, Limits()) {}

HttpRemote::HttpRemote(RemoteHub& hub, Limits limits) : m_hub(hub), m_limits(limits) {}

HttpRemote::~HttpRemote() { Stop(); }

std::string HttpRemote::Start(const std::string& address, int port, const std::string& token) {
  Stop();
  const bool loopback = IsLoopback(address);
  if (!loopback && token.empty()) return "A token is needed to listen on " + address;
  std::string error;
  const int listening = ListenOn(address, port, error);
  if (listening < 0) return error;
  {
    std::lock_guard<std::mutex> lock(m_eventMutex);
    m_stopping = false;
  }
  m_loopback = loopback;
  m_token = token;
  m_port = BoundPort(listening);
  m_watchKey = m_hub.Watch([this](const RemoteState&) {
    // On the driver's thread: only a count and a wake-up, never a write.
    {
      std::lock_guard<std::mutex> lock(m_eventMutex);
      ++m_version;
    }
    m_eventChanged.notify_all();
  });
  const unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_THREAD_PER_CONNECTION | MHD_USE_POLL;
  // Clients wait; the run may not. The server's threads are started from a
  // thread that yields to the others, and inherit that from it.
  std::thread starter([&] {
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), CLIENT_NICENESS);
    m_daemon = MHD_start_daemon(flags, 0, nullptr, nullptr, &HttpRemoteCallbacks::OnRequest, this,
                                MHD_OPTION_LISTEN_SOCKET, listening,
                                MHD_OPTION_CONNECTION_LIMIT, static_cast<unsigned>(m_limits.connections),
                                MHD_OPTION_CONNECTION_TIMEOUT, static_cast<unsigned>(m_limits.idleSeconds),
                                MHD_OPTION_END);
  });
  starter.join();
  if (!m_daemon) {
    close(listening);
    m_hub.Unwatch(m_watchKey);
    m_port = 0;
    return "The web remote could not start on port " + std::to_string(port);
  }
  return "";
}

void HttpRemote::Stop() {
  if (!m_daemon) return;
  {
    std::lock_guard<std::mutex> lock(m_eventMutex);
    m_stopping = true;
  }
  m_eventChanged.notify_all();
  MHD_stop_daemon(m_daemon);
  m_daemon = nullptr;
  m_hub.Unwatch(m_watchKey);
  m_port = 0;
}

int HttpRemote::Answer(MHD_Connection* connection, const std::string& method, const std::string& path) {
  HttpRequestFacts facts;
  facts.method = method;
  facts.host = Header(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_HOST);
  facts.origin = Header(connection, MHD_HEADER_KIND, "Origin");
  facts.authorization = Header(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_AUTHORIZATION);
  const char* token = MHD_lookup_connection_value(connection, MHD_GET_ARGUMENT_KIND, "token");
  facts.hasTokenArgument = token != nullptr;
  facts.tokenArgument = token ? token : "";
  const HttpVerdict verdict = CheckAccess({m_loopback, m_token}, facts);
  if (verdict.status != 0) return Respond(connection, verdict.status, ErrorJson(verdict.error), JSON_TYPE);

  const HttpRoute route = RouteRequest(method, path);
  switch (route.kind) {
    case HttpRoute::Kind::PAGE:
      return Respond(connection, MHD_HTTP_OK, RemotePage(), "text/html; charset=utf-8",
                     {{"Content-Security-Policy", PAGE_POLICY}});
    case HttpRoute::Kind::STATE: return Respond(connection, MHD_HTTP_OK, StateJson(m_hub.Latest()), JSON_TYPE);
    case HttpRoute::Kind::EVENTS: return AnswerEvents(connection);
    case HttpRoute::Kind::COMMAND: {
      const RemoteReply reply = m_hub.Submit(route.command, m_limits.commandWait);
      const int status = StatusOfReply(reply.status);
      return Respond(connection, status, status == MHD_HTTP_OK ? StateJson(reply.state) : ErrorJson(reply.error),
                     JSON_TYPE);
    }
    case HttpRoute::Kind::REFUSED: break;
  }
  ExtraHeaders extra;
  if (!route.allow.empty()) extra.emplace_back(MHD_HTTP_HEADER_ALLOW, route.allow);
  return Respond(connection, route.status, ErrorJson(route.error), JSON_TYPE, extra);
}

int HttpRemote::AnswerEvents(MHD_Connection* connection) {
  auto* stream = new EventStream;
  stream->remote = this;
  MHD_Response* response = MHD_create_response_from_callback(MHD_SIZE_UNKNOWN, 1024, &HttpRemoteCallbacks::ReadEvents,
                                                             stream, &HttpRemoteCallbacks::EndEvents);
  if (!response) {
    delete stream;
    return MHD_NO;
  }
  MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, "text/event-stream");
  MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
  const MHD_Result queued = MHD_queue_response(connection, MHD_HTTP_OK, response);
  MHD_destroy_response(response);
  return queued;
}

bool HttpRemote::NextEvent(EventStream& stream) {
  std::unique_lock<std::mutex> lock(m_eventMutex);
  auto quietUntil = std::chrono::steady_clock::now() + m_limits.keepAlive;
  for (;;) {
    if (m_stopping) return false;
    if (stream.first || stream.version != m_version) {
      stream.first = false;
      stream.version = m_version;
      lock.unlock();
      // A change of a part the JSON leaves out is no event.
      std::string state = StateJson(m_hub.Latest());
      if (state != stream.lastState) {
        stream.lastState = state;
        stream.pending = "event: state\ndata: " + state + "\n\n";
        return true;
      }
      lock.lock();
      continue;
    }
    if (m_eventChanged.wait_until(lock, quietUntil) == std::cv_status::timeout) {
      // Keeps the connection from counting as idle, and tells a client
      // behind a proxy that the stream still lives.
      stream.pending = ": keep-alive\n\n";
      return true;
    }
  }
}

bool HttpRemote::IsLoopback(const std::string& address) {
  return address.empty() || IsLoopbackHost(Unbracketed(address));
}

std::string HttpRemote::MakeToken() {
  unsigned char random[24] = {};
  bool filled = false;
  const int source = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
  if (source >= 0) {
    filled = read(source, random, sizeof random) == static_cast<ssize_t>(sizeof random);
    close(source);
  }
  if (!filled) {
    std::random_device device;
    for (unsigned char& byte : random) byte = static_cast<unsigned char>(device());
  }
  // base64url: letters, digits, '-' and '_', so it goes into a URL as it is.
  static const char* const ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  std::string token;
  for (size_t i = 0; i < sizeof random; i += 3) {
    const unsigned group = (random[i] << 16) | (random[i + 1] << 8) | random[i + 2];
    for (int shift = 18; shift >= 0; shift -= 6) token += ALPHABET[(group >> shift) & 63];
  }
  return token;
}

std::string HttpRemote::RemoteUrl(const std::string& address, int port, const std::string& token) {
  std::string host = address.empty() ? "127.0.0.1" : IsWildcard(address) ? NetworkAddress() : Unbracketed(address);
  if (host.find(':') != std::string::npos) host = "[" + host + "]";
  std::string url = "http://" + host + ":" + std::to_string(port) + "/";
  if (!token.empty()) url += "?token=" + UrlEscaped(token);
  return url;
}
