#include "support/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

PseudoTerminal::PseudoTerminal() {
  char name[256];
  if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
    m_master = m_slave = -1;
    return;
  }
  m_path = name;
  fcntl(m_master, F_SETFD, FD_CLOEXEC);
  fcntl(m_slave, F_SETFD, FD_CLOEXEC);
}

PseudoTerminal::~PseudoTerminal() {
  CloseMaster();
  if (m_slave >= 0) close(m_slave);
}

void PseudoTerminal::CloseMaster() {
  if (m_master >= 0) close(m_master);
  m_master = -1;
}

std::vector<unsigned char> PseudoTerminal::Read(size_t count, int quietMs) { return ReadBytes(nullptr, count, quietMs); }

std::vector<unsigned char> PseudoTerminal::ReadSkipping(unsigned char skipped, size_t count, int quietMs) {
  const int byte = skipped;
  return ReadBytes(&byte, count, quietMs);
}

std::vector<unsigned char> PseudoTerminal::ReadBytes(const int* skipped, size_t count, int quietMs) {
  std::vector<unsigned char> bytes;
  unsigned char buffer[256];
  pollfd p{m_master, POLLIN, 0};
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(quietMs);
  while (bytes.size() < count && std::chrono::steady_clock::now() < deadline && poll(&p, 1, quietMs) > 0 &&
         (p.revents & POLLIN)) {
    const ssize_t n = read(m_master, buffer, std::min(sizeof buffer, count - bytes.size()));
    if (n <= 0) break;
    const size_t before = bytes.size();
    for (ssize_t i = 0; i < n; ++i) {
      if (skipped == nullptr || buffer[i] != *skipped) bytes.push_back(buffer[i]);
    }
    if (bytes.size() > before) {
      deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(quietMs);
    }
  }
  return bytes;
}
