#include "support/loopback_port.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

int BoundLoopbackSocket(int type, int* port) {
  const int bound = socket(AF_INET, type, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bound < 0 || bind(bound, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(bound, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (bound >= 0) close(bound);
    return -1;
  }
  *port = ntohs(address.sin_port);
  return bound;
}

int FreeLoopbackPort(int type) {
  int port = 0;
  const int probe = BoundLoopbackSocket(type, &port);
  if (probe >= 0) close(probe);
  return port;
}
