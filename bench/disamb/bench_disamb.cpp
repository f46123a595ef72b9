// Words per second of Disambiguate over generated cohort streams, with a
// generated grammar of several hundred constraints, at two input sizes, and
// the peak memory after each run.
//
//   bench_disamb [WORDS]   (default 200000; the second run uses 4 x WORDS)
//   bench_disamb --write DIR WORDS   writes the grammar (grammar.rul) and an
//                                    input (input.txt) into DIR and stops
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "disamb/disamb.h"

namespace fs = std::filesystem;

namespace {

const char* const kPos[] = {"S", "V", "A", "P", "D", "K", "J", "N"};
const char* const kCase[] = {"nom", "gen", "part", "ill", "in", "el", "all", "ad", "abl", "tr", "term", "es", "abes", "kom"};
const char* const kVerb[] = {"main indic pres ps3 sg ps af #FinV", "main indic impf ps3 sg ps af #FinV",
                             "main inf", "main sup ps ill", "main partic past ps", "aux indic pres ps3 sg ps af #FinV",
                             "main indic pres ps neg", "mod indic pres ps3 sg ps af #FinV #inf"};

std::string Analysis(std::mt19937& rng, const char* pos) {
  std::string p = pos;
  if (p == "V") return kVerb[rng() % 8];
  if (p == "D") return "adv";
  if (p == "K") return rng() % 2 ? "post #gen" : "pre #part";
  if (p == "J") return rng() % 2 ? "crd" : "sub";
  std::string sub = p == "S" ? "com" : p == "A" ? "pos" : p == "P" ? "dem" : "card l";
  return sub + (rng() % 4 ? " sg " : " pl ") + kCase[rng() % 14];
}

// Writes a cohort stream of about the given number of words, in sentences of
// 5 to 25 words with commas, markers and 1 to 4 readings per word.
void Stream(const char* path, long words, unsigned seed) {
  std::mt19937 rng(seed);
  std::FILE* f = std::fopen(path, "wb");
  std::string out;
  long n = 0;
  while (n < words) {
    if (out.size() > (1u << 16)) {
      std::fwrite(out.data(), 1, out.size(), f);
      out.clear();
    }
    out += "$LA$\n    $LA$ //_Z_ //\n";
    int len = 5 + static_cast<int>(rng() % 21);
    for (int i = 0; i < len; ++i, ++n) {
      if (i > 0 && rng() % 9 == 0) out += "$,\n    , //_Z_ //\n";
      std::string stem = "w";
      for (int k = 0; k < 3; ++k) stem += static_cast<char>('a' + rng() % 26);
      out += stem + "\n";
      int readings = 1 + static_cast<int>(rng() % 4);
      for (int r = 0; r < readings; ++r)
        out += "    " + stem + "+0 //_" + kPos[rng() % 8] + "_ " + Analysis(rng, kPos[rng() % 8]) + " //\n";
    }
    out += "$.\n    . //_Z_ //\n$LL$\n    $LL$ //_Z_ //\n";
  }
  std::fwrite(out.data(), 1, out.size(), f);
  std::fclose(f);
}

// A grammar with the given number of disambiguation constraints (and a
// tenth as many clause-boundary and heuristic ones) over sets of the tags
// above.
std::string Grammar(int constraints) {
  std::mt19937 rng(7);
  std::string g = "SENTENCE-DELIMITERS\n($LL$)\nSET-DECLARATIONS\n";
  std::vector<std::string> sets, tags;
  for (const char* p : kPos) tags.push_back(std::string("_") + p + "_");
  for (const char* c : kCase) tags.push_back(c);
  for (const char* t : {"sg", "pl", "main", "aux", "mod", "inf", "sup", "partic", "#FinV", "neg", "crd", "sub",
                        "adv", "com", "pos", "dem", "card", "post", "pre", "#gen", "#part"})
    tags.push_back(t);
  for (size_t i = 0; i < tags.size(); ++i) {
    std::string name = "T" + std::to_string(i);
    g += "(" + name + " " + tags[i] + ")\n";
    sets.push_back(name);
  }
  for (int i = 0; i < 40; ++i) {
    std::string name = "G" + std::to_string(i);
    g += "(" + name + " (" + tags[rng() % 8] + " " + tags[8 + rng() % 14] + ") " + tags[rng() % tags.size()] + ")\n";
    sets.push_back(name);
  }
  g += "(COMMA \",)\n(CLB **CLB)\n";
  auto condition = [&](bool allowScan) {
    std::string c = "(";
    if (rng() % 6 == 0) c += "NOT ";
    if (allowScan && rng() % 4 == 0) c += "*";
    int off = 1 + static_cast<int>(rng() % 3);
    c += (rng() % 2 ? "-" : "") + std::to_string(off);
    if (rng() % 5 == 0) c += "C";
    c += " " + sets[rng() % sets.size()] + ")";
    return c;
  };
  auto target = [&] { return "(" + tags[rng() % tags.size()] + ")"; };
  g += "CLAUSE-BOUNDARY-CONSTRAINTS\n(@w=**CLB (*) (-1 COMMA) (0 T" + std::to_string(8 + 14 + 11) + "))\n";
  for (int i = 0; i < constraints / 10; ++i) g += "(@w=**CLB-C (*) " + condition(false) + " " + condition(true) + ")\n";
  g += "DISAMBIGUATION-CONSTRAINTS\n";
  const char* ops[] = {"=0", "=!", "=!!"};
  for (int i = 0; i < constraints; ++i) {
    g += "(@w " + std::string(ops[rng() % 10 == 0 ? 1 + rng() % 2 : 0]) + " " + target();
    if (rng() % 4 == 0) g += " CLB";
    int n = 1 + static_cast<int>(rng() % 3);
    for (int k = 0; k < n; ++k) g += " " + condition(true);
    g += ")\n";
  }
  g += "HEURISTIC-DISAMBIGUATION-CONSTRAINTS\n";
  for (int i = 0; i < constraints / 10; ++i) g += "(@w =0 " + target() + " " + condition(true) + ")\n";
  return g;
}

void Write(const std::string& path, const std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

long PeakKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--write") {
    fs::create_directories(argv[2]);
    Write((fs::path(argv[2]) / "grammar.rul").string(), Grammar(500));
    Stream((fs::path(argv[2]) / "input.txt").string().c_str(), std::atol(argv[3]), 42);
    return 0;
  }
  long words = argc > 1 ? std::atol(argv[1]) : 200000;
  if (words < 1000) words = 1000;
  fs::path dir = fs::temp_directory_path() / ("vaarikas-bench-disamb-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::current_path(dir);
  const int kConstraints = 500;
  Write("grammar.rul", Grammar(kConstraints));
  std::printf("grammar: %d disambiguation, %d clause-boundary, %d heuristic constraints\n", kConstraints + 0,
              kConstraints / 10 + 1, kConstraints / 10);
  long baseline = PeakKb();
  int status = 0;
  for (long n : {words, 4 * words}) {
    Stream("input.txt", n, 42);
    long before = PeakKb();
    std::clock_t c0 = std::clock();
    auto t0 = std::chrono::steady_clock::now();
    int r = vaarikas::disamb::Disambiguate("grammar.rul", "input.txt", "h", nullptr);
    double sec = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    if (r != 0) {
      std::printf("Disambiguate failed\n");
      status = 1;
      break;
    }
    std::printf("%8ld words: %7.3f s wall, %7.3f s CPU, %9.0f words/s (CPU), input %5.1f MB, output %5.1f MB, "
                "peak RSS %ld kB (before the run %ld kB, at start %ld kB)\n",
                n, sec, cpu, n / cpu, fs::file_size("input.txt") / 1e6, fs::file_size("input.cgd") / 1e6, PeakKb(),
                before, baseline);
  }
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(dir);
  return status;
}
