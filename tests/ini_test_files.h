#pragma once
// File helpers shared by the INI tests. Every file lives in the test's own
// temporary HOME.
#include <fstream>
#include <iterator>
#include <string>

#include "support/temp_home.h"

inline std::string TestPath(const std::string& name) { return TestHome() + "/" + name; }

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
