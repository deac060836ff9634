#pragma once
// SHA-256 (FIPS 180-4) of a byte string, for telling whether two texts are
// the same without keeping both. Small and dependency-free: the program
// hashes a few kilobytes at a time.
#include <string>

// The digest of `bytes` as 64 lower-case hexadecimal digits.
std::string Sha256Hex(const std::string& bytes);
