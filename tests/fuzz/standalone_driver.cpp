// Runs a libFuzzer-style target without libFuzzer: every file or directory
// named on the command line is fed as one input, then a bounded number of
// pseudo-random inputs (fresh bytes and mutations of the seeds). Used in the
// ordinary build so the fuzz targets are exercised by CTest on every run.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {
std::vector<std::string> LoadSeeds(const std::filesystem::path& p) {
  std::vector<std::string> out;
  std::error_code ec;
  if (std::filesystem::is_directory(p, ec)) {
    for (const auto& e : std::filesystem::recursive_directory_iterator(p, ec))
      if (e.is_regular_file()) {
        auto more = LoadSeeds(e.path());
        out.insert(out.end(), more.begin(), more.end());
      }
  } else if (std::filesystem::is_regular_file(p, ec)) {
    std::ifstream in(p, std::ios::binary);
    out.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return out;
}
}  // namespace

int main(int argc, char** argv) {
  long runs = 1000;
  std::vector<std::string> seeds;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--runs=", 7) == 0) {
      runs = std::strtol(argv[i] + 7, nullptr, 10);
      continue;
    }
    auto s = LoadSeeds(argv[i]);
    seeds.insert(seeds.end(), s.begin(), s.end());
  }
  for (const auto& s : seeds) LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(s.data()), s.size());
  std::mt19937 rng(12345);
  // Bytes biased towards the characters that matter to the readers.
  const std::string alphabet = " \n\t\r/_+-*@$\"<>()[]{}=!?.,:;#&%0123456789ASVDNabcdefgklmnopstuvwxyz\xe4\xf5\xf6\xfc";
  for (long r = 0; r < runs; ++r) {
    std::string input;
    if (!seeds.empty() && (r % 3) != 0) {
      input = seeds[rng() % seeds.size()];
      int edits = 1 + static_cast<int>(rng() % 8);
      for (int e = 0; e < edits; ++e) {
        size_t pos = input.empty() ? 0 : rng() % (input.size() + 1);
        switch (rng() % 4) {
          case 0: input.insert(pos, 1, alphabet[rng() % alphabet.size()]); break;
          case 1: if (pos < input.size()) input.erase(pos, 1 + rng() % 16); break;
          case 2: if (pos < input.size()) input[pos] = static_cast<char>(rng()); break;
          default: input.insert(pos, std::string(1 + rng() % 400, alphabet[rng() % alphabet.size()])); break;
        }
      }
    } else {
      size_t len = rng() % 2048;
      for (size_t i = 0; i < len; ++i)
        input.push_back((rng() % 4) ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng()));
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
  }
  std::printf("fuzz driver: %zu seeds, %ld random inputs, no crash\n", seeds.size(), runs);
  return 0;
}
