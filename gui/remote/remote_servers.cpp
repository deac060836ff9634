#include "gui/remote/remote_servers.h"

#include "core/remote/http_remote.h"
#include "core/remote/listen_address.h"
#include "core/remote/osc_remote.h"
#include "core/remote/remote_hub.h"

struct RemoteServers::Servers {
  explicit Servers(RemoteHub& remoteHub) : hub(remoteHub) {}
  RemoteHub& hub;
  std::unique_ptr<OscRemote> osc;
  std::unique_ptr<HttpRemote> http;

  std::string StartOsc(const std::string& address, int port) {
    auto server = std::make_unique<OscRemote>(hub);
    std::string error = server->Start(address, port);
    if (error.empty()) osc = std::move(server);
    return error;
  }
  void StopOsc() {
    if (osc) osc->Stop();
    osc.reset();
  }
  std::string StartHttp(const std::string& address, int port, const std::string& token) {
    auto server = std::make_unique<HttpRemote>(hub);
    std::string error = server->Start(address, port, token);
    if (error.empty()) http = std::move(server);
    return error;
  }
  void StopHttp() {
    if (http) http->Stop();
    http.reset();
  }
};

RemoteServers::RemoteServers(RemoteHub& hub) : m_servers(std::make_unique<Servers>(hub)) {}

RemoteServers::~RemoteServers() { StopAll(); }

void RemoteServers::StopAll() {
  m_servers->StopOsc();
  m_servers->StopHttp();
  m_oscPort = 0;
  m_httpPort = 0;
}

std::vector<RemoteProblem> RemoteServers::Apply(const Settings& settings) {
  std::vector<RemoteProblem> problems;
  const std::string address = settings.remoteNetwork ? ANY_ADDRESS : LOOPBACK_ADDRESS;
  // Off the loopback address the web remote never goes without a token.
  const std::string token = settings.remoteNetwork ? settings.remoteToken : std::string();

  if (settings.oscPort != m_oscPort || (m_oscPort != 0 && address != m_oscAddress)) {
    m_servers->StopOsc();
    m_oscPort = 0;
    if (settings.oscPort != 0) {
      const std::string error = m_servers->StartOsc(address, settings.oscPort);
      if (error.empty()) {
        m_oscPort = settings.oscPort;
        m_oscAddress = address;
      } else {
        problems.push_back({RemoteProblem::Kind::OSC, settings.oscPort, error});
      }
    }
  }

  const bool httpChanged = settings.httpPort != m_httpPort ||
                           (m_httpPort != 0 && (address != m_httpAddress || token != m_httpToken));
  if (httpChanged) {
    m_servers->StopHttp();
    m_httpPort = 0;
    if (settings.httpPort != 0 && settings.remoteNetwork && token.empty()) {
      problems.push_back({RemoteProblem::Kind::HTTP, settings.httpPort, "no token is set"});
    } else if (settings.httpPort != 0) {
      const std::string error = m_servers->StartHttp(address, settings.httpPort, token);
      if (error.empty()) {
        m_httpPort = settings.httpPort;
        m_httpAddress = address;
        m_httpToken = token;
      } else {
        problems.push_back({RemoteProblem::Kind::HTTP, settings.httpPort, error});
      }
    }
  }
  return problems;
}

std::string RemoteServers::MakeToken() {
  return HttpRemote::MakeToken();
}

std::string RemoteServers::RemoteUrl(const std::string& address, int port, const std::string& token) {
  return HttpRemote::RemoteUrl(address, port, token);
}

std::string RemoteServers::NetworkAddress() {
  const std::string found = FirstNetworkAddress();
  return found.empty() ? LOOPBACK_ADDRESS : found;
}
