#pragma once
// A pseudo-terminal standing in for a board line: the program under test
// opens the slave by its path, the test reads what arrives on the master.
#include <string>
#include <vector>

class PseudoTerminal {
 public:
  // Both ends close on exec: the program must not inherit the master, so
  // that closing it here cuts the line.
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  bool IsOpen() const { return m_master >= 0 && m_slave >= 0; }
  int Master() const { return m_master; }
  const std::string& Path() const { return m_path; }
  void CloseMaster();

  // What arrives on the master until `count` bytes came or nothing came
  // for `quietMs`.
  std::vector<unsigned char> Read(size_t count, int quietMs);
  // The same with every `skipped` byte left out: only the other bytes
  // count, and a line bringing nothing but `skipped` for `quietMs` is quiet.
  std::vector<unsigned char> ReadSkipping(unsigned char skipped, size_t count, int quietMs);

 private:
  std::vector<unsigned char> ReadBytes(const int* skipped, size_t count, int quietMs);

  int m_master = -1;
  int m_slave = -1;
  std::string m_path;
};
