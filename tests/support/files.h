// Whole files for the tests, read and written as bytes, unchanged.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vaarikas::test {

// The file's bytes; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Replaces the file's contents with `bytes`.
inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream o(path, std::ios::binary | std::ios::trunc);
  o.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vaarikas::test
