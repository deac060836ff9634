#include "core/remote/listen_address.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cerrno>
#include <cstdlib>

bool ParseListenAddress(const std::string& text, ListenAddress* listen) {
  std::string address = listen->address;
  std::string port = text;
  const size_t colon = text.rfind(':');
  if (colon != std::string::npos) {
    address = text.substr(0, colon);
    port = text.substr(colon + 1);
    if (address.size() >= 2 && address.front() == '[' && address.back() == ']') {
      address = address.substr(1, address.size() - 2);
    } else if (address.find(':') != std::string::npos) {
      return false;  // an IPv6 address needs its brackets
    }
    if (address.empty()) return false;
  }
  if (port.empty() || port.find_first_not_of("0123456789") != std::string::npos) return false;
  errno = 0;
  const long number = std::strtol(port.c_str(), nullptr, 10);
  if (errno == ERANGE || number < 1 || number > 65535) return false;
  listen->given = true;
  listen->address = address;
  listen->port = static_cast<int>(number);
  return true;
}

bool IsLoopbackAddress(const std::string& address) {
  if (address == "localhost") return true;
  in_addr v4{};
  if (inet_pton(AF_INET, address.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  return inet_pton(AF_INET6, address.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

std::string FirstNetworkAddress() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return "";
  std::string found;
  for (ifaddrs* entry = list; entry != nullptr && found.empty(); entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    if ((entry->ifa_flags & IFF_UP) == 0 || (entry->ifa_flags & IFF_LOOPBACK) != 0) continue;
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
    if (inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) != nullptr) found = text;
  }
  freeifaddrs(list);
  return found;
}
