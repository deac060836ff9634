#pragma once
// The window's remotes as the settings ask for them: the OSC server and the
// web remote, started, kept or stopped whenever the settings change. Only
// the loopback address is listened on unless other devices on the network
// are allowed; the web remote then asks for the settings' token.
#include <memory>
#include <string>
#include <vector>

#include "core/format/app_settings.h"

class RemoteHub;

inline constexpr const char* LOOPBACK_ADDRESS = "127.0.0.1";
inline constexpr const char* ANY_ADDRESS = "0.0.0.0";
inline constexpr int DEFAULT_OSC_PORT = 9000;
inline constexpr int DEFAULT_HTTP_PORT = 8080;

// A remote that could not start: which one, its port, and why.
struct RemoteProblem {
  enum class Kind { OSC, HTTP };
  Kind kind;
  int port;
  std::string reason;
};

class RemoteServers {
 public:
  explicit RemoteServers(RemoteHub& hub);
  ~RemoteServers();
  RemoteServers(const RemoteServers&) = delete;
  RemoteServers& operator=(const RemoteServers&) = delete;

  // Brings the servers in line with `settings`: a server whose port,
  // address or token changed starts again, one turned off stops. The ones
  // that could not start are left off and returned.
  std::vector<RemoteProblem> Apply(const Settings& settings);
  void StopAll();

  // The ports listened on now; 0 for a server that is off.
  int OscPort() const { return m_oscPort; }
  int HttpPort() const { return m_httpPort; }

  // A new random token for the web remote.
  static std::string MakeToken();
  // The address a browser opens: on `address`, with the token when one is
  // asked for.
  static std::string RemoteUrl(const std::string& address, int port, const std::string& token);
  // The first address of this machine that other devices may reach (IPv4,
  // not loopback); the loopback address when there is none.
  static std::string NetworkAddress();

 private:
  struct Servers;
  std::unique_ptr<Servers> m_servers;
  int m_oscPort = 0;
  std::string m_oscAddress;
  int m_httpPort = 0;
  std::string m_httpAddress;
  std::string m_httpToken;
};
